#include "tools/count/text_sources.h"

#include "dialog/tool_run.h"
#include "host/constants.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/resume_next.h"

namespace tools::count {

namespace {

void addCell(const host::RangePtr& cell, TextFigures& figures) {
    shell::resumeNext([&] { figures += textFigures(valueText(cell->Value())); });
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
        dialog::forEachCell(range, [&](const host::RangePtr& cell) {
            addCell(cell, figures);
            return true;
        });
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
