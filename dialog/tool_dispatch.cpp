#include "dialog/tool_dispatch.h"

#include "dialog/family_keys.h"

namespace dialog {

namespace {

using Slot = std::function<void()>;
using TextSlot = std::function<void(const std::u16string&)>;
using FlagSlot = std::function<void(bool)>;

// The last n characters, or the whole key when it is shorter.
std::u16string lastCharacters(std::u16string_view key, std::size_t n) {
    return std::u16string(key.substr(key.size() > n ? key.size() - n : 0));
}

// How a row calls its routine: with nothing, the key's last N characters, or a fixed flag.
template <Slot ToolRoutines::*routine>
bool plain(const ToolRoutines& routines, std::u16string_view) {
    return callRoutine(routines.*routine);
}
template <TextSlot ToolRoutines::*routine, std::size_t n>
bool lastOfKey(const ToolRoutines& routines, std::u16string_view key) {
    return callRoutine(routines.*routine, lastCharacters(key, n));
}
template <FlagSlot ToolRoutines::*routine, bool flag>
bool withFlag(const ToolRoutines& routines, std::u16string_view) {
    return callRoutine(routines.*routine, flag);
}

using R = ToolRoutines;
constexpr DispatchRow kDispatchTable[] = {
    {Family::DataOrganizer, u"DataOrganizer1", false, u"runEmptyRowTools", plain<&R::runEmptyRowTools>},
    {Family::DataOrganizer, u"DataOrganizer2", false, u"runEmptyColumnTools", plain<&R::runEmptyColumnTools>},
    {Family::DataOrganizer, u"DataOrganizer4", false, u"runObjectTool", plain<&R::runObjectTool>},
    {Family::DataOrganizer, u"DO5to8", true, u"convertCase", lastOfKey<&R::convertCase, 2>},
    {Family::DataOrganizer, u"DataOrganizer9", false, u"paintEveryNthRow", plain<&R::paintEveryNthRow>},
    {Family::DataOrganizer, u"DataOrganizer10", false, u"paintDuplicateRows", plain<&R::paintDuplicateRows>},
    {Family::DataOrganizer, u"DataOrganizer11", false, u"paintUniqueRows", plain<&R::paintUniqueRows>},
    {Family::DataOrganizer, u"DataOrganizer12", false, u"transposeColumn", plain<&R::transposeColumn>},
    {Family::DuplicateCleaner, u"DuplicateCleaner1", false, u"removeDuplicates", withFlag<&R::removeDuplicates, false>},
    {Family::DuplicateCleaner, u"DuplicateCleaner2", false, u"removeDuplicates", withFlag<&R::removeDuplicates, true>},
    {Family::DuplicateCleaner, u"DuplicateCleaner3", false, u"removeFromSecondList", plain<&R::removeFromSecondList>},
    {Family::DuplicateCleaner, u"DuplicateCleaner5", false, u"removeUniques", plain<&R::removeUniques>},
    {Family::TextCleaner, u"TC1to8", true, u"runTC1to8", lastOfKey<&R::runTC1to8, 4>},
    {Family::TextCleaner, u"TC9to14", true, u"runTC9to14", lastOfKey<&R::runTC9to14, 4>},
};

const std::u16string& keyOf(Family family) {
    switch (family) {
    case Family::DataOrganizer: return activeDOKey;
    case Family::TextCleaner: return activeTCKey;
    case Family::DuplicateCleaner: return activeDCKey;
    case Family::CountTools: break;
    }
    return activeCTKey;
}

bool matches(const DispatchRow& row, std::u16string_view key) {
    return row.matchesPrefix ? key.substr(0, row.key.size()) == row.key : key == row.key;
}

}  // namespace

ToolRoutines& toolRoutines() {
    static ToolRoutines routines;
    return routines;
}

std::span<const DispatchRow> dispatchTable() { return kDispatchTable; }

void runDispatchTable() {
    for (const DispatchRow& row : kDispatchTable) {
        const std::u16string key = keyOf(row.family);  // a routine may change the keys
        if (matches(row, key)) row.call(toolRoutines(), key);
    }
}

}  // namespace dialog
