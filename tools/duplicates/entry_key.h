#pragma once
// The entry of a cell as the duplicate tools compare it, and the texts that look an entry up
// through COUNTIF and Find.
#include <optional>
#include <string>
#include <string_view>

#include "host/fwd.h"
#include "host/variant.h"

namespace tools::duplicates {

// Entries longer than this are never compared (nor removed): COUNTIF refuses longer criteria.
inline constexpr std::size_t kMaxEntryLength = 255;

// The cell's value as text through the host's TRIM, as a text value; nothing when the entry is
// empty or longer than 255 characters. A text that TRIM leaves as it is stays the cell's own
// (remove-all keeps half a column's entries until its second pass). Throws host::Error when
// the value cannot be read as text (an error value): the caller's step then skips the cell.
std::optional<host::Variant> entryOf(const host::Range& cell, const host::WorksheetFunction& functions);

// A COUNTIF criterion that matches the entry itself: the wildcards ~ * ? are escaped with ~, and
// a leading comparison operator (< > =) is made part of the text by a leading "=". An entry
// without either is passed as it is, so numbers still match the same number stored as text.
std::u16string literalCriterion(std::u16string_view entry);

// The text to hand Find for a whole-cell match of the entry: its wildcards escaped with ~.
std::u16string literalFindText(std::u16string_view entry);

}  // namespace tools::duplicates
