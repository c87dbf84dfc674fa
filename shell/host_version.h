#pragma once
// The host version test: hosts of version 11.0 and older get the legacy menu, newer ones the
// ribbon. Made afresh at connection and at disconnection; the result is not kept.
#include <string>

namespace shell {

// The host's ordinary conversion of a text to a number: surrounding spaces are allowed, a
// text that is no number fails with the host's error 13.
double textToNumber(const std::u16string& text);

// True when hostApplication's Version is 11.0 or less.
bool legacyMenuMode();

}  // namespace shell
