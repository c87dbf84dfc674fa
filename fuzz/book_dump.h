#pragma once
// What a user sees of an open workbook, as text: each sheet's name, type and visibility,
// and every stored cell's value, formula and fill, row by row.
#include <cstdio>
#include <string>

#include "engine/book.h"
#include "engine/sheet.h"
#include "host/text.h"

namespace fuzz {

// A value's text; an error's own text, which toText refuses.
inline std::string valueText(const host::Variant& value) {
    return host::utf8(value.isError() ? value.errorText() : value.toText());
}

inline std::string dumpBook(const engine::Book& book) {
    std::string out;
    char line[96];
    for (const engine::SheetPtr& sheet : book.sheets()) {
        std::snprintf(line, sizeof line, "sheet type %d visible %d: ", sheet->type(), sheet->visible());
        out += line + host::utf8(sheet->name()) + "\n";
        sheet->forEachCellByRows(sheet->usedArea(), [&](long row, long col, const engine::Cell& cell) {
            std::snprintf(line, sizeof line, "  %ld,%ld kind %d fill %d: ", row, col,
                          static_cast<int>(cell.value.kind()), cell.colorIndex);
            out += line + valueText(cell.value) + " | " + host::utf8(cell.formula()) + "\n";
            return true;
        });
    }
    return out;
}

}  // namespace fuzz
