#include "files/doc_properties.h"

#include "files/xml_parser.h"
#include "files/xml_text.h"

namespace files {

namespace {

constexpr std::string_view kDublinCore = "http://purl.org/dc/elements/1.1/";

class TitleHandler : public XmlHandler {
public:
    void startElement(const XmlName& name, const XmlAttributes&) override {
        inTitle_ = name.local == "title" && name.uri == kDublinCore;
    }
    void endElement(const XmlName&) override { inTitle_ = false; }
    void text(std::string_view t) override {
        if (inTitle_) title += t;
    }
    std::string title;

private:
    bool inTitle_ = false;
};

}  // namespace

std::u16string parseTitle(std::string_view xml) {
    TitleHandler handler;
    XmlParser parser(handler);
    parser.parseAll(xml);
    return decodeXmlText(handler.title);
}

}  // namespace files
