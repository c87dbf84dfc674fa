#pragma once
// What the xlsx layer keeps beside the engine's model so that a save loses nothing: the
// package's other parts, and per sheet its part's text without the cells, plus the details
// of rows, comments, validations and drawings that the engine does not model.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "files/book_interfaces.h"
#include "files/package.h"
#include "files/shared_strings.h"
#include "files/styles.h"
#include "files/xml_splice.h"

namespace files {

// One drawing part of a sheet: its text, and where each top-level object and each shape's
// text body lies in it. A DrawingObject's sourceId is the index into `shapes`.
struct DrawingShape {
    std::uint64_t anchorBegin = 0, anchorEnd = 0;  // the anchor element holding it (top level)
    std::uint64_t textBegin = 0, textEnd = 0;      // its <txBody>, when it has one
    bool topLevel = false;
    std::u16string text;         // text as read
    std::string paragraphStyle;  // first <a:pPr>…, reused for new text
    std::string runStyle;        // first <a:rPr>…, reused for new text
    std::string drawingPrefix;   // "a:" as the part writes DrawingML
};

struct DrawingPartData {
    std::string part;
    std::string relId;  // the sheet's relationship to it
    std::string xml;
    std::vector<DrawingShape> shapes;
};

struct CommentPartData {
    std::string part, relId;
    std::string vmlPart, vmlRelId;
    std::map<std::pair<long, long>, engine::CommentData> comments;  // as read
};

struct SheetFileData : FileData {
    const void* package = nullptr;  // identity of the WorkbookFileData it belongs to
    std::string part;               // its part name, "" for a chart sheet's kept part
    std::string relId;              // the workbook's relationship to it
    std::string xml;                // the part's text with <sheetData> cut out
    std::uint64_t sheetDataAt = 0;  // where the cells go back
    bool hasSheetData = false;
    std::string rootPrefix;                              // "x:" when the part prefixes its elements
    std::vector<ElementSpan> children;                   // the root's children in `xml`
    std::uint64_t selectionBegin = 0, selectionEnd = 0;  // the selection element read, if any
    std::uint64_t sheetViewClose = 0;                    // where a new selection would go
    std::vector<Area> selectionRead{Area{1, 1, 1, 1}};   // A1 when the part names none
    long activeRowRead = 1, activeColRead = 1;
    std::map<long, std::string> rowAttributes;  // " ht=\"20\" customHeight=\"1\"" by row
    std::map<std::pair<long, long>, std::pair<std::u16string, std::string>> arrayFormulas;  // formula, ref
    std::vector<ValidationRule> validationsRead;
    bool dataTables = false;    // what-if data table formulas, which the engine does not model
    bool cellMetadata = false;  // cm/vm cell attributes (dynamic arrays, linked data types)
    std::unique_ptr<DrawingPartData> drawing;
    std::unique_ptr<CommentPartData> comments;
    std::string drawingRelIdRead, legacyRelIdRead;  // the part's <drawing> and <legacyDrawing>
    size_t editsAtLoad = 0;
    bool chartSheet = false;
};

struct WorkbookFileData : FileData {
    Package package;           // every part as read; the regenerated ones are replaced on save
    std::string workbookPart;  // "xl/workbook.xml"
    std::string sharedStringsPart, stylesPart;
    StyleTable styles;
    RichStrings richStrings;  // formatted texts as read, kept while their text is unchanged
    std::vector<std::string> orphansRead;
    std::vector<std::string> entryOrder;    // the archive's entries as read, worksheets included  // parts nothing
                                            // referred to, kept as they are
    std::string sourcePath;                 // the file it was read from (UTF-8)
    std::vector<std::u16string> openNotes;  // what the user should know about how it was read
    std::vector<std::u16string> saveNotes;  // what the last save could not keep
};

}  // namespace files
