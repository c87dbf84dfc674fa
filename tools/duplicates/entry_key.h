#pragma once
// The entry of a cell as the duplicate tools compare it, and the texts that look an entry up
// through COUNTIF and Find.
#include <optional>
#include <string>

#include "host/fwd.h"

namespace tools::duplicates {

// Entries longer than this are never compared (nor removed): COUNTIF refuses longer criteria.
inline constexpr std::size_t kMaxEntryLength = 255;

// The cell's value as text through the host's TRIM; nothing when the entry is empty or longer
// than 255 characters. Throws host::Error when the value cannot be read as text (an error
// value): the caller's step then skips the cell.
std::optional<std::u16string> entryOf(const host::Range& cell, const host::WorksheetFunction& functions);

// A COUNTIF criterion that matches the entry itself: the wildcards ~ * ? are escaped with ~, and
// a leading comparison operator (< > =) is made part of the text by a leading "=". An entry
// without either is passed as it is, so numbers still match the same number stored as text.
std::u16string literalCriterion(const std::u16string& entry);

// The text to hand Find for a whole-cell match of the entry: its wildcards escaped with ~.
std::u16string literalFindText(const std::u16string& entry);

}  // namespace tools::duplicates
