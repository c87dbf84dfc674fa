// The one XML reader: names split by namespace, tag positions for splicing, and the refusals
// every caller relies on (document type declarations, deep nesting, endless tags), with a
// handler's own exception arriving intact at the caller.
#include "base/xml_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace base::test {
namespace {

// Records "<local uri@offset+length" and ">local" events, and text.
class Recorder : public XmlHandler {
public:
    std::vector<std::string> events;
    void startElement(const XmlName& name, const XmlAttributes& attributes) override {
        std::string e = "<" + std::string(name.local);
        if (!name.uri.empty()) e += " {" + std::string(name.uri) + "}";
        e += "@" + std::to_string(parser().tagOffset()) + "+" + std::to_string(parser().tagLength());
        attributes.forEach(
            [&](const XmlName& n, std::string_view v) { e += " " + std::string(n.local) + "=" + std::string(v); });
        events.push_back(e);
    }
    void endElement(const XmlName& name) override { events.push_back(">" + std::string(name.local)); }
    void text(std::string_view t) override { events.push_back("'" + std::string(t)); }
};

std::vector<std::string> read(std::string_view xml, XmlLimits limits = {}) {
    Recorder recorder;
    XmlReader reader(recorder, limits);
    reader.parseAll(xml);
    return recorder.events;
}

TEST(XmlReader, SplitsNamesByNamespaceAndReportsWhereEachTagLies) {
    const std::string xml = "<p:a xmlns:p=\"urn:x\" k=\"1&amp;2\"><b/>t</p:a>";
    const std::string b = std::to_string(xml.find("<b/>"));
    EXPECT_EQ(read(xml),
              (std::vector<std::string>{"<a {urn:x}@0+" + b + " k=1&2", "<b@" + b + "+4", ">b", "'t", ">a"}));
}

TEST(XmlReader, AttributesAreFoundByLocalNameAndNamespace) {
    struct Probe : XmlHandler {
        std::string r, plain;
        long n = 0;
        bool flag = false;
        void startElement(const XmlName&, const XmlAttributes& a) override {
            r = a.get("id", "urn:r");
            plain = a.get("id");
            n = a.getInt("n", -1);
            flag = a.getBool("f", false);
        }
        void endElement(const XmlName&) override {}
    } probe;
    XmlReader reader(probe);
    reader.parseAll("<a xmlns:r=\"urn:r\" r:id=\"rId7\" id=\"plain\" n=\"42\" f=\"true\"/>");
    EXPECT_EQ(probe.r, "rId7");
    EXPECT_EQ(probe.plain, "plain");
    EXPECT_EQ(probe.n, 42);
    EXPECT_TRUE(probe.flag);
}

TEST(XmlReader, RefusesDocumentTypeDeclarations) {
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;\">]><x>&b;</x>";
    try {
        read(laughs);
        FAIL() << "a DOCTYPE was accepted";
    } catch (const XmlError& e) {
        EXPECT_NE(std::string(e.what()).find("document type declaration is not allowed"), std::string::npos);
    }
}

TEST(XmlReader, RefusesMalformedXmlNamingTheLine) {
    try {
        read("<a>\n<b></a>");
        FAIL() << "malformed XML was accepted";
    } catch (const XmlError& e) {
        EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
    }
}

TEST(XmlReader, NestingBeyondTheLimitIsRefused) {
    std::string deep;
    for (int i = 0; i < 5; ++i) deep += "<a>";
    for (int i = 0; i < 5; ++i) deep += "</a>";
    EXPECT_NO_THROW(read(deep, XmlLimits{.maxNesting = 5}));
    EXPECT_THROW(read(deep, XmlLimits{.maxNesting = 4}), XmlError);
}

TEST(XmlReader, AnEndlessTagIsRefusedWhileFeeding) {
    Recorder recorder;
    XmlReader reader(recorder, XmlLimits{.maxMarkupBytes = 1024});
    reader.feed("<a><!-- ", false);
    EXPECT_THROW(reader.feed(std::string(4096, 'x'), false), XmlError);
}

TEST(XmlReader, AHandlersExceptionReachesTheCallerUnchangedAndStopsTheReader) {
    struct Thrower : XmlHandler {
        int seen = 0;
        void startElement(const XmlName& name, const XmlAttributes&) override {
            ++seen;
            if (name.local == "stop") throw std::out_of_range("handler says stop");
        }
        void endElement(const XmlName&) override {}
    } thrower;
    XmlReader reader(thrower);
    EXPECT_THROW(reader.parseAll("<a><stop/><more/><more/></a>"), std::out_of_range);
    EXPECT_EQ(thrower.seen, 2);  // nothing after the throw reached the handler
}

}  // namespace
}  // namespace base::test
