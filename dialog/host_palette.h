#pragma once
// The host's default 56-colour palette (ColorIndex 1..56), as the forms runtime's colours.
#include <cstdint>

namespace dialog {

// The colour of palette entry `index` as an OLE colour (0x00BBGGRR); white outside 1..56.
std::uint32_t paletteColour(int index);

}  // namespace dialog
