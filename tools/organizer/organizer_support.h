#pragma once
// Small host steps the data organizer routines share: the host's COUNTA and TRIM, the
// decimal text of a count, the N box's number and the selected colour.
#include <cstdint>
#include <string>

#include "host/fwd.h"

namespace tools::organizer {

host::Application& app();

// COUNTA over the range; a missing range holds nothing.
double countA(const host::RangePtr& range);
bool holdsNothing(const host::RangePtr& range);

// The cell's value as text (the host's default conversion); fails with error 13 on an error.
std::u16string cellText(const host::RangePtr& cell);

// Decimal digits of a count, as the messages write it.
std::u16string decimal(long long value);

// The text of an input box as a 32-bit whole number, rounded half to even; 0 when it is not
// a number or does not fit.
std::int32_t wholeNumberOf(const std::u16string& text);

}  // namespace tools::organizer
