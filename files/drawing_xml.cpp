#include "files/drawing_xml.h"

#include <set>

#include "files/file_error.h"
#include "files/xml_parser.h"
#include "files/xml_splice.h"
#include "files/xml_text.h"
#include "host/constants.h"

namespace files {

namespace {

bool isObject(std::string_view n) {
    return n == "sp" || n == "grpSp" || n == "pic" || n == "graphicFrame" || n == "cxnSp" || n == "contentPart";
}

bool isAnchor(std::string_view n) {
    return n == "twoCellAnchor" || n == "oneCellAnchor" || n == "absoluteAnchor" || n == "AlternateContent";
}

// Where an anchor's cell coordinates lie in the text, to move them after deleted rows.
struct AnchorCells {
    size_t shape = SIZE_MAX;             // the object anchored here; none until one is read
    bool absolute = false;               // editAs="absolute": it does not move with the cells
    std::uint64_t at[4] = {0, 0, 0, 0};  // from col, from row, to col, to row: text offsets
    long value[4] = {-1, -1, -1, -1};
};

class DrawingHandler : public XmlHandler {
public:
    DrawingHandler(DrawingPartData& data, std::vector<DrawingObject>& out, std::vector<AnchorCells>& anchors)
        : data_(data), out_(out), anchors_(anchors) {}

    void startElement(const XmlName& name, const XmlAttributes& a) override {
        ++depth_;
        const std::string_view n = name.local;
        if (fallback_ || n == "Fallback") {
            ++fallback_;
            return;
        }
        if (depth_ == 2 && isAnchor(n)) {
            anchorBegin_ = parser().tagOffset();
            topPending_ = true;
            anchors_.push_back({});
            anchors_.back().absolute = a.get("editAs") == "absolute";
            cellPart_ = 0;
        } else if (n == "from" || n == "to") {
            cellPart_ = n == "from" ? 0 : 2;
        } else if ((n == "col" || n == "row") && depth_ == 4 && !anchors_.empty()) {
            coord_ = cellPart_ + (n == "row" ? 1 : 0);
        } else if (isObject(n)) {
            stack_.push_back({});
            DrawingObject& o = stack_.back();
            o.sourceId = static_cast<std::int64_t>(data_.shapes.size());
            o.type = n == "pic" ? host::msoPicture : n == "grpSp" ? host::msoGroup : host::msoAutoShape;
            data_.shapes.push_back({});
            data_.shapes.back().topLevel = topPending_;
            if (topPending_) anchors_.back().shape = data_.shapes.size() - 1;
            topPending_ = false;
            if (n == "sp") o.frameText = std::u16string();
        } else if (!stack_.empty()) {
            objectDetail(name, a);
        }
    }

    void endElement(const XmlName& name) override {
        const std::string_view n = name.local;
        if (fallback_) {
            --fallback_;
            --depth_;
            return;
        }
        coord_ = -1;
        if (n == "txBody" && !stack_.empty()) {
            DrawingShape& s = data_.shapes[static_cast<size_t>(stack_.back().sourceId)];
            s.textEnd = parser().tagOffset();
            if (!s.textBegin) s.textBegin = s.textEnd;
            s.text = decodeXmlText(text_);
            stack_.back().frameText = s.text;
            if (wordArt_) stack_.back().effectText = s.text;
            inText_ = false;
        } else if (n == "p" && inText_) {
            paragraphEnded_ = true;
        } else if ((n == "pPr" || n == "rPr") && inText_ && styleBegin_) {
            DrawingShape& s = data_.shapes[static_cast<size_t>(stack_.back().sourceId)];
            std::string& target = n == "pPr" ? s.paragraphStyle : s.runStyle;
            if (target.empty()) target = xml_.substr(styleBegin_, endOf() - styleBegin_);
            styleBegin_ = 0;
        } else if (isObject(n) && !stack_.empty()) {
            DrawingObject done = std::move(stack_.back());
            stack_.pop_back();
            if (stack_.empty())
                out_.push_back(std::move(done));
            else
                stack_.back().groupItems.push_back(std::move(done));
        } else if (depth_ == 2 && isAnchor(n) && !anchors_.empty()) {
            const size_t shape = anchors_.back().shape;
            if (shape < data_.shapes.size() && data_.shapes[shape].topLevel) {
                data_.shapes[shape].anchorBegin = anchorBegin_;
                data_.shapes[shape].anchorEnd = endOf();
            }
        }
        --depth_;
    }

    void text(std::string_view t) override {
        if (coord_ >= 0 && !anchors_.empty()) {
            anchors_.back().at[coord_] = parser().tagOffset();
            anchors_.back().value[coord_] = std::atol(std::string(t).c_str());
        }
        if (inText_ && inRunText_) text_ += t;
    }

    std::string xml_;

private:
    std::uint64_t endOf() const {
        return parser().tagLength() == 0 ? lastStartEnd_ : parser().tagOffset() + parser().tagLength();
    }

    void objectDetail(const XmlName& name, const XmlAttributes& a) {
        const std::string_view n = name.local;
        DrawingObject& o = stack_.back();
        DrawingShape& s = data_.shapes[static_cast<size_t>(o.sourceId)];
        lastStartEnd_ = parser().tagOffset() + parser().tagLength();
        if (n == "cNvPr" && o.name.empty()) {
            o.name = decodeXmlText(a.get("name"));
        } else if (n == "cNvSpPr" && a.getBool("txBox", false)) {
            o.type = host::msoTextBox;
        } else if (n == "graphicData") {
            const std::string_view uri = a.get("uri");
            if (uri.find("chart") != std::string_view::npos)
                o.type = host::msoChart;
            else if (uri.find("diagram") != std::string_view::npos)
                o.type = host::msoSmartArt;
        } else if (n == "txBody") {
            inText_ = true;
            wordArt_ = false;
            text_.clear();
            paragraphs_ = 0;
            s.drawingPrefix = name.prefix.empty() ? "" : std::string("a:");
        } else if (inText_) {
            textDetail(name, a, s);
        }
    }

    void textDetail(const XmlName& name, const XmlAttributes& a, DrawingShape& s) {
        const std::string_view n = name.local;
        if (n == "bodyPr") {
            wordArt_ = a.getBool("fromWordArt", false);
        } else if (n == "prstTxWarp") {
            wordArt_ = true;
        } else if (n == "p") {
            if (paragraphs_++ > 0) text_ += '\n';
            if (!s.textBegin) s.textBegin = parser().tagOffset();
            s.drawingPrefix = name.prefix.empty() ? "" : std::string(name.prefix) + ":";
        } else if (n == "br") {
            text_ += '\v';
        } else if (n == "t") {
            inRunText_ = true;
            return;
        } else if ((n == "pPr" || n == "rPr")) {
            styleBegin_ = parser().tagOffset();
        }
        inRunText_ = false;
    }

    DrawingPartData& data_;
    std::vector<DrawingObject>& out_;
    std::vector<AnchorCells>& anchors_;
    std::vector<DrawingObject> stack_;
    int depth_ = 0, fallback_ = 0, coord_ = -1, cellPart_ = 0, paragraphs_ = 0;
    std::uint64_t anchorBegin_ = 0, styleBegin_ = 0, lastStartEnd_ = 0;
    bool topPending_ = false, inText_ = false, inRunText_ = false, wordArt_ = false, paragraphEnded_ = false;
    std::string text_;
};

std::vector<AnchorCells> anchorsOf(const DrawingPartData& data) {
    std::vector<DrawingObject> ignored;
    std::vector<AnchorCells> anchors;
    DrawingPartData copy;
    DrawingHandler handler(copy, ignored, anchors);
    handler.xml_ = data.xml;
    XmlParser parser(handler);
    parser.parseAll(data.xml);
    return anchors;
}

void collectIds(const std::vector<DrawingObject>& objects, std::map<std::int64_t, const DrawingObject*>& ids) {
    for (const DrawingObject& o : objects) {
        if (o.sourceId >= 0) ids[o.sourceId] = &o;
        collectIds(o.groupItems, ids);
    }
}

bool hasNew(const std::vector<DrawingObject>& objects) {
    for (const DrawingObject& o : objects)
        if (o.sourceId < 0 || hasNew(o.groupItems)) return true;
    return false;
}

std::string paragraphsOf(const DrawingShape& s, std::u16string_view text) {
    const std::string& a = s.drawingPrefix;
    std::string out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) end = text.size();
        out += "<" + a + "p>" + s.paragraphStyle;
        size_t piece = start;
        while (piece <= end) {
            size_t brk = text.find(u'\v', piece);
            if (brk == std::u16string_view::npos || brk > end) brk = end;
            if (brk > piece) {
                out += "<" + a + "r>" + s.runStyle + "<" + a + "t>";
                appendXmlText(out, text.substr(piece, brk - piece));
                out += "</" + a + "t></" + a + "r>";
            }
            if (brk < end) out += "<" + a + "br/>";
            piece = brk + 1;
        }
        out += "</" + a + "p>";
        start = end + 1;
    }
    return out;
}

}  // namespace

std::vector<DrawingObject> readDrawing(std::string xml, DrawingPartData& data) {
    std::vector<DrawingObject> out;
    std::vector<AnchorCells> anchors;
    data.xml = std::move(xml);
    DrawingHandler handler(data, out, anchors);
    handler.xml_ = data.xml;
    XmlParser parser(handler);
    parser.parseAll(data.xml);
    return out;
}

bool refersTo(std::string_view xml, std::string_view relId) {
    const std::string quoted = "\"" + std::string(relId) + "\"";
    for (size_t at = xml.find(quoted); at != std::string_view::npos; at = xml.find(quoted, at + 1))
        if (at > 0 && xml[at - 1] == '=') return true;
    return false;
}

DrawingWrite writeDrawing(const DrawingPartData& data, const std::vector<DrawingObject>& objects,
                          const AreaMapper* moveAnchors) {
    DrawingWrite result;
    std::map<std::int64_t, const DrawingObject*> ids;
    collectIds(objects, ids);
    if (hasNew(objects)) result.notes.push_back(u"drawing objects added in this session are not saved to the file");
    std::vector<XmlEdit> edits;
    size_t left = 0;
    for (size_t i = 0; i < data.shapes.size(); ++i) {
        const DrawingShape& s = data.shapes[i];
        const auto kept = ids.find(static_cast<std::int64_t>(i));
        if (s.topLevel && kept == ids.end()) {
            edits.push_back({s.anchorBegin, s.anchorEnd, ""});
            continue;
        }
        if (s.topLevel) ++left;
        if (kept != ids.end() && kept->second->frameText && s.textEnd > 0 && *kept->second->frameText != s.text)
            edits.push_back({s.textBegin, s.textEnd, paragraphsOf(s, *kept->second->frameText)});
    }
    if (left == 0) return result;
    if (moveAnchors) {
        for (const AnchorCells& anchor : anchorsOf(data)) {
            if (anchor.absolute || !ids.count(static_cast<std::int64_t>(anchor.shape))) continue;
            for (int k = 0; k < 4; ++k) {
                if (anchor.value[k] < 0) continue;
                const long v = anchor.value[k] + 1;
                const bool row = k % 2 == 1, from = k < 2;
                // A corner inside deleted rows lands on the first row after them, as the host does.
                Area probe =
                    row ? (from ? Area{v, 1, host::kMaxRows, host::kMaxColumns} : Area{1, 1, v, host::kMaxColumns})
                        : (from ? Area{1, v, host::kMaxRows, host::kMaxColumns} : Area{1, 1, host::kMaxRows, v});
                const auto moved = (*moveAnchors)({probe});
                long nv = moved.empty()
                              ? 1
                              : (row ? (from ? moved[0].row1 : moved[0].row2) : (from ? moved[0].col1 : moved[0].col2));
                const std::string digits = std::to_string(anchor.value[k]);
                edits.push_back({anchor.at[k], anchor.at[k] + digits.size(), std::to_string(nv - 1)});
            }
        }
    }
    result.xml = applyEdits(data.xml, std::move(edits));
    return result;
}

}  // namespace files
