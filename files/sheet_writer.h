#pragma once
// Writes a worksheet part: the kept text of the part as read, with the cells, selection,
// dimension, validations and drawing references regenerated from the engine, and the
// ranges of kept elements moved after deleted rows and columns.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/book_interfaces.h"
#include "files/file_data.h"
#include "files/shared_strings.h"
#include "files/styles.h"

namespace files {

struct CommentOut {
    long row, col;
    engine::CommentData comment;  // copied: cells with a comment are few
};

struct SheetWriteContext {
    SharedStringWriter& strings;
    StyleWriter& styles;
    std::string drawingRelId;            // "" writes no <drawing>
    std::string legacyRelId;             // "" writes no <legacyDrawing>
    std::vector<std::u16string>& notes;  // what could not be kept, for the user
    std::vector<CommentOut> comments;    // filled from the cells before the part is assembled
    // Called once `comments` is known, before the rest is assembled.
    std::function<void(SheetWriteContext&)> afterCells;
    // Texts go in the cells themselves, as a part read without a shared string table had them.
    bool inlineStrings = false;
};

// A worksheet part ready to be written: its text but for the rows of cells, and what writes
// them. The rows, a big sheet's bulk, go out piece by piece and are never held whole; they
// take their shared strings and cell formats from the context as they go, so they are
// written before the string table and the styles are.
struct SheetPart {
    std::string frame;  // the part, holding kRowsMark where the rows go
    std::function<void(const PieceSink&)> writeRows;

    // The frame with the rows in place.
    void writeTo(const PieceSink& out) const;
};

// Stands where the rows go: control characters never occur in the text of a part.
inline constexpr std::string_view kRowsMark = "\x01rows\x01";

// `data` is null for a sheet that has no part yet.
SheetPart assembleSheet(const SheetSource& sheet, const SheetFileData* data, SheetWriteContext& context);
// The whole part as one text.
std::string writeSheetXml(const SheetSource& sheet, const SheetFileData* data, SheetWriteContext& context);

// The order the children of a worksheet must keep.
const std::vector<std::string_view>& worksheetChildOrder();

}  // namespace files
