#include "tools/count/text_sources.h"

#include <algorithm>

#include "host/constants.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/resume_next.h"

namespace tools::count {

namespace {

// How many cells the statistics read in one array: a block of whole rows of an area.
constexpr long kBlockCells = 1 << 16;

void addValue(const host::Variant& value, TextFigures& figures) {
    if (value.isText())
        figures += textFigures(value.text());
    else
        shell::resumeNext([&] { figures += textFigures(valueText(value)); });
}

// The values of an area a block of rows at a time, each block in one read. A block that
// cannot be read in one is read cell by cell: a cell that cannot be read adds nothing.
void addArea(const host::RangePtr& area, TextFigures& figures) {
    const long rows = area->Rows()->Count();
    const long columns = area->Columns()->Count();
    const long blockRows = std::max(1L, kBlockCells / columns);
    for (long first = 1; first <= rows; first += blockRows) {
        const long count = std::min(blockRows, rows - first + 1);
        host::ValueArray block;
        if (shell::resumeNext([&] { block = area->Cells(first, 1)->Resize(count, columns)->Values(); })) {
            for (const host::Variant& value : block.values) addValue(value, figures);
            continue;
        }
        for (long row = first; row < first + count; ++row)
            for (long column = 1; column <= columns; ++column)
                shell::resumeNext([&] { addValue(area->Cells(row, column)->Value(), figures); });
    }
}

void addSmartArtItems(const host::ShapePtr& shape, TextFigures& figures) {
    host::ShapesPtr items;
    long count = 0;
    if (!shell::resumeNext([&] {
            items = shape->GroupItems();
            count = items->Count();
        }))
        return;
    for (long i = 1; i <= count; ++i)
        shell::resumeNext([&] { figures += textFigures(items->Item(i)->TextEffectText()); });
}

void addShape(const host::ShapePtr& shape, TextFigures& figures) {
    const int type = shape->Type();
    if (type == host::msoAutoShape || type == host::msoTextBox)
        figures += textFigures(shape->TextFrameText());
    else if (type == host::msoSmartArt)
        addSmartArtItems(shape, figures);
}

}  // namespace

TextFigures rangeFigures(const host::RangePtr& range) {
    TextFigures figures;
    shell::resumeNext([&] {
        if (!range) return;
        const host::AreasPtr areas = range->Areas();
        const long count = areas->Count();
        for (long a = 1; a <= count; ++a) addArea(areas->Item(a), figures);
    });
    return figures;
}

TextFigures shapeFigures(const host::WorksheetPtr& sheet) {
    TextFigures figures;
    host::ShapesPtr shapes;
    long count = 0;
    if (!shell::resumeNext([&] {
            shapes = sheet->Shapes();
            count = shapes->Count();
        }))
        return figures;
    for (long i = 1; i <= count; ++i) shell::resumeNext([&] { addShape(shapes->Item(i), figures); });
    return figures;
}

}  // namespace tools::count
