#pragma once
// `cellwash manpage`: the manual page cellwash(1) in roff, made from the command line's own
// definition (the commands, their options and descriptions as --help gives them), the tools
// catalogue with the ribbon's labels, the plain options table, the palette and the exit
// statuses — the same sources the program runs from.
#include <iosfwd>
#include <string>

namespace cli {

class CommandLine;

int printManPage(const CommandLine& commandLine, std::ostream& out);
std::string manPage(const CommandLine& commandLine);

}  // namespace cli
