#pragma once
// The program's command line as one text: the add-in name, unchanged.
#include <string>

namespace plugsweep {

// The text main() recorded; empty until then.
const std::u16string& Command();
void setCommand(std::u16string text);

// The shell here splits the command line into arguments; joined with single spaces
// they give the text back (runs of spaces between words become one).
std::u16string joinArguments(int argc, const char* const* argv);

// What follows the program's own name on a Windows command line.
std::u16string commandTail(std::u16string_view commandLine);

}  // namespace plugsweep
