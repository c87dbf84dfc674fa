#pragma once
// A fast tokenizer for the cells of a worksheet part. The <sheetData> element holds nearly
// all of a big part's bytes; this reads them several times faster than a general parser and
// hands the same events to the same handler. The rest of the part still goes through expat.
//
// Most cells come in one of a few plain shapes; those the scanner reads whole and hands to a
// CellSink as one event, without the element-by-element events a general cell costs.
//
// SheetPartSplitter finds the <sheetData> start tag in the byte stream (outside comments,
// CDATA and processing instructions) and routes: bytes up to and including the start tag and
// from its end tag on to expat, the content in between to the scanner.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/xml_parser.h"

namespace files {

// A cell in a plain shape: only r, s and t attributes (no references in their values), and
// at most a <v>, a formula without attributes and an inline string of one <t>, their texts
// with references resolved.
struct ScannedCell {
    std::optional<std::string_view> ref, style, type;
    std::optional<std::string_view> value, formula, inlineText;
};

class CellSink {
public:
    virtual ~CellSink() = default;
    virtual void cell(const ScannedCell& cell) = 0;
};

class SheetDataScanner {
public:
    // `prefix` is the sheetData element's own prefix; names with it are in the main namespace.
    // Cells in a plain shape go to `cells` when given, all others to `handler` as elements.
    SheetDataScanner(XmlHandler& handler, std::string prefix, CellSink* cells = nullptr);
    // Scans the next bytes of the element's content. Once its end tag is reached, returns
    // true and leaves in `rest` the bytes from that end tag on, for the parser.
    bool feed(std::string_view chunk, std::string& rest);
    bool finished() const { return finished_; }

private:
    // How far the search for the end of an incomplete markup token got, so that the next
    // chunk resumes there instead of searching the token again from its start.
    struct Resume {
        bool active = false;
        size_t searched = 0;  // bytes of the token already searched
        char quote = 0;       // inside a quoted attribute value of a tag
    };
    size_t scan(std::string_view text, bool& done);  // complete tokens only; returns bytes used
    size_t textRun(std::string_view run);            // text that may go on in the next chunk
    size_t tag(std::string_view text, size_t at, bool& done);
    size_t plainCell(std::string_view text);  // bytes of a plain cell at text's start, or 0
    size_t incomplete(std::string_view token, size_t searched, char quote = 0);
    size_t skipTo(std::string_view token, size_t from, std::string_view close, const Resume& resumed);
    void startTag(std::string_view body);
    void endTag(std::string_view body);
    void closeSheetData(std::string_view body);
    void readAttributes(std::string_view inner);
    void emitText(std::string_view raw);
    XmlName nameOf(std::string_view qualified, bool element);

    XmlHandler& handler_;
    std::string prefix_;
    CellSink* cells_;
    struct PlainTags {  // the tags of plain cells, with the prefix
        explicit PlainTags(const std::string& prefix);
        std::string cell, cellEnd, value, valueEnd, formula, formulaEnd, inlineString, inlineStringEnd, text,
            textPreserved, textEnd;
    };
    PlainTags tags_;
    std::string valueText_, formulaText_, inlineText_;  // a plain cell's texts, when they hold references
    std::string pending_;                               // an incomplete token carried to the next chunk
    std::vector<std::string> open_;                     // names of open elements, to check end tags
    std::string attributeText_;                         // "name\0value\0..." of the current tag
    std::vector<const char*> attributes_;
    std::vector<size_t> offsets_;
    std::string decoded_;
    Resume resume_;
    bool finished_ = false;
};

class SheetPartSplitter {
public:
    using Sink = std::function<void(std::string_view, bool last)>;
    // `toParser` gets the part without its cells; `inSheetData` says whether the parser has
    // reported the <sheetData> start (so the scanner's events follow it).
    SheetPartSplitter(XmlHandler& handler, Sink toParser, CellSink* cells = nullptr);
    void feed(std::string_view chunk, bool last);

private:
    enum class State { Before, Inside, After };
    void findStart(bool last);
    void handOn(size_t bytes);  // the first bytes of head_, known to come before the cells

    XmlHandler& handler_;
    Sink toParser_;
    CellSink* cells_;
    State state_ = State::Before;
    std::string head_;    // bytes before the cells not yet handed on
    size_t scanned_ = 0;  // how far head_ has been searched
    int skip_ = 0;        // 1 comment, 2 CDATA, 3 processing instruction
    std::unique_ptr<SheetDataScanner> scanner_;
};

}  // namespace files
