#include "files/content_types.h"

#include <algorithm>

#include "files/xml_parser.h"
#include "files/xml_text.h"

namespace files {

namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

std::string withoutSlash(std::string_view part) {
    return std::string(!part.empty() && part[0] == '/' ? part.substr(1) : part);
}

class TypesHandler : public XmlHandler {
public:
    explicit TypesHandler(ContentTypes& out) : out_(out) {}
    void startElement(const XmlName& name, const XmlAttributes& a) override {
        if (name.local == "Default")
            out_.defaults.push_back({lower(a.get("Extension")), std::string(a.get("ContentType"))});
        else if (name.local == "Override")
            out_.overrides.push_back({withoutSlash(a.get("PartName")), std::string(a.get("ContentType"))});
    }
    void endElement(const XmlName&) override {}

private:
    ContentTypes& out_;
};

}  // namespace

ContentTypes ContentTypes::parse(std::string_view xml) {
    ContentTypes types;
    TypesHandler handler(types);
    XmlParser parser(handler);
    parser.parseAll(xml);
    return types;
}

std::string ContentTypes::toXml() const {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">";
    for (const Entry& e : defaults) {
        out += "<Default Extension=\"";
        appendEscapedUtf8(out, e.key, true);
        out += "\" ContentType=\"";
        appendEscapedUtf8(out, e.type, true);
        out += "\"/>";
    }
    for (const Entry& e : overrides) {
        out += "<Override PartName=\"/";
        appendEscapedUtf8(out, e.key, true);
        out += "\" ContentType=\"";
        appendEscapedUtf8(out, e.type, true);
        out += "\"/>";
    }
    return out + "</Types>";
}

std::string ContentTypes::of(std::string_view part) const {
    const std::string name = lower(withoutSlash(part));
    for (const Entry& e : overrides)
        if (lower(e.key) == name) return e.type;
    const size_t dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (const Entry& e : defaults)
        if (e.key == extension) return e.type;
    return {};
}

void ContentTypes::setOverride(std::string_view part, std::string_view type) {
    const std::string name = lower(withoutSlash(part));
    for (Entry& e : overrides)
        if (lower(e.key) == name) {
            e.type = type;
            return;
        }
    overrides.push_back({withoutSlash(part), std::string(type)});
}

void ContentTypes::removeOverride(std::string_view part) {
    const std::string name = lower(withoutSlash(part));
    std::erase_if(overrides, [&](const Entry& e) { return lower(e.key) == name; });
}

void ContentTypes::ensureDefault(std::string_view extension, std::string_view type) {
    const std::string key = lower(extension);
    for (const Entry& e : defaults)
        if (e.key == key) return;
    defaults.push_back({key, std::string(type)});
}

}  // namespace files
