#pragma once
// `cellwash run TOOL --help`: the options of one tool, read off its dialog as the add-in lays
// it out — every control the user can see, with the dialog's own caption.
#include <iosfwd>
#include <string>

namespace cli {

int runToolHelp(const std::string& tool, std::ostream& out);
// `cellwash run TOOL --colour list`: the palette's names, colour indexes and swatches.
int runColourList(std::ostream& out);

}  // namespace cli
