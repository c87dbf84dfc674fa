#include "files/comments_xml.h"

#include <algorithm>
#include <cstdlib>

#include "files/cell_ref.h"
#include "files/file_error.h"
#include "files/xml_parser.h"
#include "files/xml_text.h"

namespace files {

namespace {

class CommentsHandler : public XmlHandler {
public:
    explicit CommentsHandler(CommentMap& out) : out_(out) {}
    void startElement(const XmlName& name, const XmlAttributes& a) override {
        const std::string_view n = name.local;
        if (n == "author") {
            collect_ = true;
            text_.clear();
        } else if (n == "comment") {
            if (!parseCellRef(a.get("ref"), ref_)) throw FormatError("a comment's cell reference is not valid");
            author_ = static_cast<size_t>(a.getInt("authorId", 0));
            body_.clear();
        } else if (n == "rPh")
            ++phonetic_;
        else if (n == "t" && phonetic_ == 0) {
            collect_ = true;
            text_.clear();
        }
    }
    void endElement(const XmlName& name) override {
        const std::string_view n = name.local;
        if (n == "author") {
            authors_.push_back(decodeXmlText(text_));
            collect_ = false;
        } else if (n == "t" && collect_) {
            body_ += text_;
            collect_ = false;
        } else if (n == "rPh")
            --phonetic_;
        else if (n == "comment") {
            engine::CommentData c;
            c.text = decodeXmlText(body_);
            if (author_ < authors_.size()) c.author = authors_[author_];
            out_[{ref_.row, ref_.col}] = std::move(c);
        }
    }
    void text(std::string_view t) override {
        if (collect_) text_ += t;
    }

private:
    CommentMap& out_;
    std::vector<std::u16string> authors_;
    CellRef ref_;
    size_t author_ = 0;
    std::string text_, body_;
    bool collect_ = false;
    int phonetic_ = 0;
};

constexpr const char* kVmlHead =
    "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\">\n"
    "<o:shapelayout v:ext=\"edit\"><o:idmap v:ext=\"edit\" data=\"1\"/></o:shapelayout>\n";
constexpr const char* kNoteType =
    "<v:shapetype id=\"_x0000_t202\" coordsize=\"21600,21600\" o:spt=\"202\" path=\"m,l,21600r21600,l21600,xe\">"
    "<v:stroke joinstyle=\"miter\"/><v:path gradientshapeok=\"t\" o:connecttype=\"rect\"/></v:shapetype>\n";

std::string noteShape(long id, long row, long col) {
    // Anchor: left column, offset, top row, offset, right column, offset, bottom row, offset.
    const long r = row - 1, c = col - 1;
    const std::string anchor = std::to_string(c + 1) + ", 15, " + std::to_string(r > 0 ? r - 1 : 0) + ", 10, " +
                               std::to_string(c + 3) + ", 15, " + std::to_string(r + 3) + ", 4";
    return "<v:shape id=\"_x0000_s" + std::to_string(id) +
           "\" type=\"#_x0000_t202\" style=\"position:absolute;margin-left:59.25pt;margin-top:1.5pt;width:108pt;"
           "height:59.25pt;z-index:" +
           std::to_string(id) +
           ";visibility:hidden\" fillcolor=\"#ffffe1\" o:insetmode=\"auto\">"
           "<v:fill color2=\"#ffffe1\"/><v:shadow on=\"t\" color=\"black\" obscured=\"t\"/>"
           "<v:path o:connecttype=\"none\"/><v:textbox style=\"mso-direction-alt:auto\"><div "
           "style=\"text-align:left\"></div>"
           "</v:textbox><x:ClientData ObjectType=\"Note\"><x:MoveWithCells/><x:SizeWithCells/><x:Anchor>" +
           anchor + "</x:Anchor><x:AutoFill>False</x:AutoFill><x:Row>" + std::to_string(r) + "</x:Row><x:Column>" +
           std::to_string(c) + "</x:Column></x:ClientData></v:shape>\n";
}

}  // namespace

CommentMap parseComments(std::string_view xml) {
    CommentMap out;
    CommentsHandler handler(out);
    XmlParser parser(handler);
    parser.parseAll(xml);
    return out;
}

std::string commentsToXml(const std::vector<std::pair<std::pair<long, long>, engine::CommentData>>& comments) {
    std::vector<std::u16string> authors;
    std::map<std::u16string, size_t> authorIds;
    for (const auto& [at, c] : comments)
        if (authorIds.emplace(c.author, authors.size()).second) authors.push_back(c.author);
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<comments xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><authors>";
    for (const std::u16string& a : authors) {
        out += "<author>";
        appendXmlText(out, a);
        out += "</author>";
    }
    out += "</authors><commentList>";
    for (const auto& [at, c] : comments) {
        out += "<comment ref=\"";
        appendCellRef(out, at.first, at.second);
        out += "\" authorId=\"" + std::to_string(authorIds[c.author]) + "\"><text><t xml:space=\"preserve\">";
        appendXmlText(out, c.text);
        out += "</t></text></comment>";
    }
    return out + "</commentList></comments>";
}

std::string vmlWithNotes(std::string_view kept, const std::vector<std::pair<long, long>>& cells) {
    // VML from the spreadsheet application is not always well-formed XML (<br> without an
    // end), so its shapes are found as text, not parsed.
    std::string vml = kept.empty() ? std::string(kVmlHead) + "</xml>" : std::string(kept);
    long maxId = 1024;
    for (size_t at = vml.find("_x0000_s"); at != std::string::npos; at = vml.find("_x0000_s", at + 1)) {
        const char* digits = vml.c_str() + at + 8;
        if (*digits >= '0' && *digits <= '9') maxId = std::max(maxId, std::strtol(digits, nullptr, 10));
    }
    size_t at = 0;
    while ((at = vml.find("<v:shape ", at)) != std::string::npos) {
        const size_t end = vml.find("</v:shape>", at);
        if (end == std::string::npos) break;
        const size_t stop = end + std::string_view("</v:shape>").size();
        if (vml.substr(at, stop - at).find("ObjectType=\"Note\"") != std::string::npos) {
            vml.erase(at, stop - at + (stop < vml.size() && vml[stop] == '\n' ? 1 : 0));
        } else {
            at = stop;
        }
    }
    std::string shapes;
    if (vml.find("_x0000_t202") == std::string::npos) shapes += kNoteType;
    for (const auto& [row, col] : cells) shapes += noteShape(++maxId, row, col);
    const size_t close = vml.rfind("</xml>");
    if (close == std::string::npos) throw FormatError("the comments' drawing part is damaged");
    vml.insert(close, shapes);
    return vml;
}

}  // namespace files
