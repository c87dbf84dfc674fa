#include "dialog/tool_dispatch.h"

#include <map>

#include "dialog/family_keys.h"

namespace dialog {

namespace {

constexpr DispatchRow kDispatchTable[] = {
    {Family::DataOrganizer, u"DataOrganizer1", false, u"runEmptyRowTools", ArgumentFrom::Nothing},
    {Family::DataOrganizer, u"DataOrganizer2", false, u"runEmptyColumnTools", ArgumentFrom::Nothing},
    {Family::DataOrganizer, u"DataOrganizer4", false, u"runObjectTool", ArgumentFrom::Nothing},
    {Family::DataOrganizer, u"DO5to8", true, u"convertCase", ArgumentFrom::LastTwoCharacters},
    {Family::DataOrganizer, u"DataOrganizer9", false, u"paintEveryNthRow", ArgumentFrom::Nothing},
    {Family::DataOrganizer, u"DataOrganizer10", false, u"paintDuplicateRows", ArgumentFrom::Nothing},
    {Family::DataOrganizer, u"DataOrganizer11", false, u"paintUniqueRows", ArgumentFrom::Nothing},
    {Family::DataOrganizer, u"DataOrganizer12", false, u"transposeColumn", ArgumentFrom::Nothing},
    {Family::DuplicateCleaner, u"DuplicateCleaner1", false, u"removeDuplicates", ArgumentFrom::False},
    {Family::DuplicateCleaner, u"DuplicateCleaner2", false, u"removeDuplicates", ArgumentFrom::True},
    {Family::DuplicateCleaner, u"DuplicateCleaner3", false, u"removeFromSecondList", ArgumentFrom::Nothing},
    {Family::DuplicateCleaner, u"DuplicateCleaner5", false, u"removeUniques", ArgumentFrom::Nothing},
    {Family::TextCleaner, u"TC1to8", true, u"runTC1to8", ArgumentFrom::LastFourCharacters},
    {Family::TextCleaner, u"TC9to14", true, u"runTC9to14", ArgumentFrom::LastFourCharacters},
};

std::map<std::u16string, ToolRoutine, std::less<>>& routines() {
    static std::map<std::u16string, ToolRoutine, std::less<>> bound;
    return bound;
}

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

// The last n characters, or the whole key when it is shorter.
std::u16string lastCharacters(std::u16string_view key, std::size_t n) {
    return std::u16string(key.substr(key.size() > n ? key.size() - n : 0));
}

ToolArgument argumentOf(const DispatchRow& row, std::u16string_view key) {
    switch (row.argument) {
    case ArgumentFrom::LastTwoCharacters: return {lastCharacters(key, 2)};
    case ArgumentFrom::LastFourCharacters: return {lastCharacters(key, 4)};
    case ArgumentFrom::False: return {u"", false};
    case ArgumentFrom::True: return {u"", true};
    case ArgumentFrom::Nothing: break;
    }
    return {};
}

}  // namespace

std::span<const DispatchRow> dispatchTable() { return kDispatchTable; }

ToolRoutine bindToolRoutine(std::u16string_view name, ToolRoutine routine) {
    auto& bound = routines();
    auto it = bound.find(name);
    ToolRoutine previous;
    if (it != bound.end()) previous = std::move(it->second);
    if (routine) bound[std::u16string(name)] = std::move(routine);
    else if (it != bound.end()) bound.erase(it);
    return previous;
}

ToolRoutineBinding::ToolRoutineBinding(std::u16string_view name, ToolRoutine routine) {
    bindToolRoutine(name, std::move(routine));
}

bool callToolRoutine(std::u16string_view name, const ToolArgument& argument) {
    auto& bound = routines();
    auto it = bound.find(name);
    if (it == bound.end() || !it->second) return false;
    ToolRoutine routine = it->second;  // the routine may rebind names while it runs
    routine(argument);
    return true;
}

void runDispatchTable() {
    for (const DispatchRow& row : kDispatchTable) {
        const std::u16string key = keyOf(row.family);  // a routine may change the keys
        if (matches(row, key)) callToolRoutine(row.routine, argumentOf(row, key));
    }
}

}  // namespace dialog
