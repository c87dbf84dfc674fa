#pragma once
// Writes a worksheet part: the kept text of the part as read, with the cells, selection,
// dimension, validations and drawing references regenerated from the engine, and the
// ranges of kept elements moved after deleted rows and columns.
#include <functional>
#include <string>
#include <vector>

#include "files/book_interfaces.h"
#include "files/file_data.h"
#include "files/shared_strings.h"
#include "files/styles.h"

namespace files {

struct CommentOut {
    long row, col;
    std::shared_ptr<const engine::CommentData> comment;
};

struct SheetWriteContext {
    SharedStringWriter& strings;
    StyleWriter& styles;
    std::string drawingRelId;            // "" writes no <drawing>
    std::string legacyRelId;             // "" writes no <legacyDrawing>
    std::vector<std::u16string>& notes;  // what could not be kept, for the user
    std::vector<CommentOut> comments;    // filled while the cells are written
    // Called once the cells are written (and `comments` known), before the rest is assembled.
    std::function<void(SheetWriteContext&)> afterCells;
};

// `data` is null for a sheet that has no part yet.
std::string writeSheetXml(const SheetSource& sheet, const SheetFileData* data, SheetWriteContext& context);

// The order the children of a worksheet must keep.
const std::vector<std::string_view>& worksheetChildOrder();

}  // namespace files
