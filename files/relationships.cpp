#include "files/relationships.h"

#include "files/file_error.h"
#include "files/xml_parser.h"
#include "files/xml_text.h"

namespace files {

namespace {

class RelsHandler : public XmlHandler {
public:
    explicit RelsHandler(Relationships& out) : out_(out) {}
    void startElement(const XmlName& name, const XmlAttributes& a) override {
        if (name.local != "Relationship") return;
        Relationship r;
        r.id = a.get("Id");
        r.type = a.get("Type");
        r.target = a.get("Target");
        r.external = a.get("TargetMode") == "External";
        if (r.id.empty()) throw FormatError("a relationship has no Id");
        out_.items.push_back(std::move(r));
    }
    void endElement(const XmlName&) override {}

private:
    Relationships& out_;
};

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string folderOf(std::string_view part) {
    const size_t slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
}

}  // namespace

std::string_view Relationship::kind() const {
    std::string_view t = type;
    const size_t slash = t.rfind('/');
    return slash == std::string_view::npos ? t : t.substr(slash + 1);
}

Relationships Relationships::parse(std::string_view xml) {
    Relationships rels;
    RelsHandler handler(rels);
    XmlParser parser(handler);
    parser.parseAll(xml);
    return rels;
}

std::string Relationships::toXml() const {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (const Relationship& r : items) {
        out += "<Relationship Id=\"";
        appendEscapedUtf8(out, r.id, true);
        out += "\" Type=\"";
        appendEscapedUtf8(out, r.type, true);
        out += "\" Target=\"";
        appendEscapedUtf8(out, r.target, true);
        out += r.external ? "\" TargetMode=\"External\"/>" : "\"/>";
    }
    out += "</Relationships>";
    return out;
}

const Relationship* Relationships::byId(std::string_view id) const {
    for (const Relationship& r : items)
        if (r.id == id) return &r;
    return nullptr;
}

const Relationship* Relationships::firstOfKind(std::string_view kind) const {
    for (const Relationship& r : items)
        if (r.kind() == kind) return &r;
    return nullptr;
}

std::string Relationships::add(std::string_view kind, const std::string& target) {
    for (int n = static_cast<int>(items.size()) + 1;; ++n) {
        std::string id = "rId" + std::to_string(n);
        if (byId(id)) continue;
        items.push_back({id, std::string(reltype::prefix) + std::string(kind), target, false});
        return id;
    }
}

void Relationships::remove(std::string_view id) {
    std::erase_if(items, [&](const Relationship& r) { return r.id == id; });
}

std::string relsPartName(std::string_view part) {
    const std::string folder = folderOf(part);
    return folder + "_rels/" + std::string(part.substr(folder.size())) + ".rels";
}

std::string resolveTarget(std::string_view sourcePart, std::string_view rawTarget) {
    std::string target = percentDecoded(rawTarget);
    if (const size_t hash = target.find('#'); hash != std::string::npos) target.resize(hash);
    std::string path = !target.empty() && target[0] == '/' ? target.substr(1) : folderOf(sourcePart) + target;
    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& s : segments) out += (out.empty() ? "" : "/") + s;
    return out;
}

std::string relativeTarget(std::string_view sourcePart, std::string_view part) {
    const std::string from = folderOf(sourcePart);
    std::string_view to = part;
    // Drop the common leading folders, then climb out of what is left of `from`.
    size_t common = 0;
    for (size_t i = 0; i < from.size() && i < to.size() && from[i] == to[i]; ++i)
        if (from[i] == '/') common = i + 1;
    std::string out;
    for (size_t i = common; i < from.size(); ++i)
        if (from[i] == '/') out += "../";
    return out + std::string(to.substr(common));
}

}  // namespace files
