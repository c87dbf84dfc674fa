#include "files/shared_strings.h"

#include "files/file_error.h"
#include "files/xml_parser.h"
#include "files/xml_text.h"
#include "host/constants.h"

namespace files {

namespace {

// Collects the text of <t> elements of an <si>, <is> or comment <text>, leaving out
// phonetic guides (<rPh>), and flattens rich text runs into one string.
class StringItemHandler : public XmlHandler {
public:
    StringItemHandler(std::vector<std::u16string>& out, std::string_view xml, RichStrings* rich)
        : out_(out), xml_(xml), rich_(rich) {}
    void startElement(const XmlName& name, const XmlAttributes&) override {
        if (name.local == "si") {
            if (inItem_) throw FormatError("a shared string item holds another");
            inItem_ = true;
            inText_ = false;  // a <t> left open outside the item does not reach into it
            current_.clear();
            begin_ = parser().tagOffset();
            isRich_ = false;
            plain_ = name.prefix.empty();
        } else {
            isRich_ = isRich_ || name.local == "r" || name.local == "rPh";
            plain_ = plain_ && name.prefix.empty();
        }
        if (name.local == "rPh")
            ++phonetic_;
        else if (name.local == "t" && phonetic_ == 0)
            inText_ = true;
    }
    void endElement(const XmlName& name) override {
        if (name.local == "t")
            inText_ = false;
        else if (name.local == "rPh")
            --phonetic_;
        else if (name.local == "si") {
            inItem_ = false;
            std::u16string text = decodeXmlText(current_);
            if (text.size() > static_cast<size_t>(host::kMaxCellText))
                throw FormatError("a shared string is longer than 32,767 characters");
            // Kept as written only when no element names a prefix the new part would not declare.
            if (rich_ && isRich_ && plain_ && parser().tagLength() > 0) {
                const std::string_view raw = xml_.substr(begin_, parser().tagOffset() + parser().tagLength() - begin_);
                rich_->emplace(text, std::string(raw));
            }
            out_.push_back(std::move(text));
        }
    }
    void text(std::string_view t) override {
        if (inText_) current_ += t;
    }

private:
    std::vector<std::u16string>& out_;
    std::string_view xml_;
    RichStrings* rich_;
    std::uint64_t begin_ = 0;
    bool isRich_ = false, plain_ = true;
    std::string current_;
    int phonetic_ = 0;
    bool inText_ = false;
    bool inItem_ = false;
};

}  // namespace

std::vector<std::u16string> parseSharedStrings(std::string_view xml, RichStrings* rich) {
    std::vector<std::u16string> out;
    StringItemHandler handler(out, xml, rich);
    XmlParser parser(handler);
    parser.parseAll(xml);
    return out;
}

std::uint32_t SharedStringWriter::indexOf(std::u16string_view text) {
    ++references_;
    return index_.tryEmplace(text, static_cast<std::uint32_t>(index_.size())).first.value;
}

std::string SharedStringWriter::toXml() const {
    std::string xml;
    writeXml([&](std::string_view piece) { xml += piece; });
    return xml;
}

void SharedStringWriter::writeXml(const PieceSink& sink) const {
    constexpr size_t kPieceBytes = 1u << 16;
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
        std::to_string(references_) + "\" uniqueCount=\"" + std::to_string(index_.size()) + "\">";
    for (const auto& [text, place] : index_.entries()) {
        if (out.size() >= kPieceBytes) {
            sink(out);
            out.clear();
        }
        if (rich_ && !rich_->empty()) {
            if (const auto it = rich_->find(std::u16string(text)); it != rich_->end()) {
                out += it->second;
                continue;
            }
        }
        const bool keepSpace = !text.empty() && (text.front() == u' ' || text.back() == u' ' || text.front() == u'\n' ||
                                                 text.back() == u'\n' || text.find(u"  ") != std::u16string::npos);
        out += keepSpace ? "<si><t xml:space=\"preserve\">" : "<si><t>";
        appendXmlText(out, text);
        out += "</t></si>";
    }
    out += "</sst>";
    sink(out);
}

}  // namespace files
