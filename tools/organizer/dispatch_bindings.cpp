// The data organizer's rows of frmMain's dispatch table, bound to the routines.
#include "dialog/tool_dispatch.h"
#include "host/constants.h"
#include "tools/organizer/data_organizer_module.h"

namespace organizer {

namespace {

struct Binding {
    std::u16string_view name;
    dialog::ToolRoutine routine;
};

const Binding* bindings(std::size_t& count) {
    static const Binding table[] = {
        {u"runEmptyRowTools", [](const dialog::ToolArgument&) { runEmptyRowTools(); }},
        {u"runEmptyColumnTools", [](const dialog::ToolArgument&) { runEmptyColumnTools(); }},
        {u"runEmptySheetTool", [](const dialog::ToolArgument&) { runEmptySheetTool(); }},
        {u"runObjectTool", [](const dialog::ToolArgument&) { runObjectTool(); }},
        {u"convertCase", [](const dialog::ToolArgument& argument) { convertCase(argument.text); }},
        {u"paintEveryNthRow", [](const dialog::ToolArgument&) { paintEveryNthRow(); }},
        {u"paintDuplicateRows", [](const dialog::ToolArgument&) { paintDuplicateRows(); }},
        {u"paintUniqueRows", [](const dialog::ToolArgument&) { paintUniqueRows(); }},
        {u"transposeColumn", [](const dialog::ToolArgument&) { transposeColumn(); }},
    };
    count = std::size(table);
    return table;
}

// Bound when the program starts.
const bool boundAtStart = (bindDataOrganizerRoutines(), true);

}  // namespace

void bindDataOrganizerRoutines() {
    std::size_t count = 0;
    const Binding* table = bindings(count);
    for (std::size_t i = 0; i < count; ++i) dialog::bindToolRoutine(table[i].name, table[i].routine);
}

}  // namespace organizer
