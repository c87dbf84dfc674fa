#include "tools/count/statistics_texts.h"

#include "dialog/layout_steps.h"

namespace tools::count {

namespace {

struct FinalStatus {
    Scope scope;
    std::u16string_view withShapes;
    std::u16string_view withoutShapes;
};

constexpr FinalStatus kFinalStatus[] = {
    {Scope::ActiveSheet, u"Statistics: Active Sheet and TextFrames...", u"Statistics: Active Sheet..."},
    {Scope::AllSheets, u"Statistics: All Sheets and TextFrames...", u"Statistics: All Sheets..."},
    {Scope::Selection, u"Statistics: Selected Cells and TextFrames...", u"Statistics: Selected Cells..."},
};

}  // namespace

std::u16string_view finalStatus(Scope scope, bool withShapes) {
    for (const FinalStatus& row : kFinalStatus)
        if (row.scope == scope) return withShapes ? row.withShapes : row.withoutShapes;
    return {};
}

std::u16string sheetCountStatus(std::u16string_view prefix, std::int64_t countSoFar) {
    return std::u16string(prefix) + dialog::decimalText(countSoFar);
}

}  // namespace tools::count
