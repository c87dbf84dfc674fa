#pragma once
// The two interfaces the file layer talks to the engine through: readers push what they find
// into sinks (as orcus's import interfaces), writers pull what they save from sources. The
// engine binding implements both over Book and Sheet; tests implement them over plain data.
#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/cell.h"
#include "engine/sheet.h"
#include "engine/sheet_objects.h"
#include "files/recent_texts.h"

namespace files {

using engine::Area;
using engine::Cell;
using engine::DrawingObject;
using engine::FileData;
using engine::ValidationRule;

class SheetSink {
public:
    virtual ~SheetSink() = default;
    virtual void setCell(long row, long col, Cell cell) = 0;
    // A cell whose value is `text`, plain ASCII as the file holds it. Making the text is left
    // to the sink, so that a reader on another thread can hand that work over; the default
    // makes it at once with the reader's `recent` texts, sharing a repeat.
    virtual void setAsciiTextCell(long row, long col, Cell cell, std::string_view text, RecentTexts& recent) {
        cell.value = recent.ascii(text, col);
        setCell(row, col, std::move(cell));
    }
    // Cells of one column in rising rows; a sink that can store them in bulk overrides it.
    virtual void setColumnCells(long col, std::vector<engine::ColumnStore::RowCell>&& cells) {
        for (auto& c : cells) setCell(c.row, col, std::move(c.cell));
    }
    // Text as a user types it: numbers, dates, booleans and formulas are recognised.
    virtual void enterText(long row, long col, const std::u16string& text) = 0;
    virtual void setSelection(std::vector<Area> areas, long activeRow, long activeCol) = 0;
    virtual void addValidation(ValidationRule rule) = 0;
    virtual void addDrawing(DrawingObject object) = 0;
    virtual void setFileData(std::shared_ptr<FileData> data) = 0;
};

class BookSink {
public:
    virtual ~BookSink() = default;
    // type: xlWorksheet or xlChart; visibility: -1 visible, 0 hidden, 2 very hidden.
    virtual SheetSink& addSheet(const std::u16string& name, int type, int visibility) = 0;
    virtual void setActiveSheet(size_t index) = 0;   // 0-based
    virtual void setTitle(const std::u16string&) {}  // the document's title property
    virtual void setFileData(std::shared_ptr<FileData> data) = 0;
};

using CellVisitor = std::function<void(long row, long col, const Cell& cell)>;

class SheetSource {
public:
    virtual ~SheetSource() = default;
    virtual std::u16string name() const = 0;
    virtual int type() const = 0;
    virtual int visibility() const = 0;
    virtual void forEachCellByRows(const CellVisitor& visit) const = 0;
    // The area the stored cells span (none when there are none), and the cells with a comment
    // row by row: the defaults walk every cell, a source that keeps counts answers without.
    virtual std::optional<Area> cellsArea() const {
        std::optional<Area> area;
        forEachCellByRows([&](long row, long col, const Cell&) {
            if (!area) area = Area{row, col, row, col};
            area->row1 = std::min(area->row1, row);
            area->col1 = std::min(area->col1, col);
            area->row2 = std::max(area->row2, row);
            area->col2 = std::max(area->col2, col);
        });
        return area;
    }
    virtual void forEachCommentedCell(const CellVisitor& visit) const {
        forEachCellByRows([&](long row, long col, const Cell& cell) {
            if (cell.comment()) visit(row, col, cell);
        });
    }
    virtual const std::vector<ValidationRule>& validations() const = 0;
    virtual const std::vector<DrawingObject>& drawings() const = 0;
    virtual std::vector<Area> selection() const = 0;
    virtual long activeRow() const = 0;
    virtual long activeCol() const = 0;
    virtual std::shared_ptr<FileData> fileData() const = 0;
    // Structural edits since the sheet was read move these areas; vanished ones are dropped.
    virtual size_t editCount() const = 0;
    virtual void follow(std::vector<Area>& areas, size_t sinceEdit) const = 0;
};

class BookSource {
public:
    virtual ~BookSource() = default;
    virtual size_t sheetCount() const = 0;
    virtual const SheetSource& sheet(size_t index) const = 0;
    virtual size_t activeSheet() const = 0;
    virtual std::shared_ptr<FileData> fileData() const = 0;
};

}  // namespace files
