#pragma once
// The host's default 56-colour palette, and how fills in a file map onto it.
#include <cstdint>

namespace files {

std::uint32_t paletteRgb(int colorIndex);  // 1..56 -> 0xRRGGBB
// The palette entry nearest to an RGB colour (exact matches win; the lowest index on ties).
int nearestColorIndex(std::uint32_t rgb);
// A file's indexed colour (0..63) as a palette entry; 0 for the system colours 64 and up.
int colorIndexOfIndexed(int indexed);

}  // namespace files
