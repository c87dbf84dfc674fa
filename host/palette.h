#pragma once
// The host's default 56-colour palette: what Interior.ColorIndex 1..56 means.
#include <cstdint>

namespace host {

constexpr int kPaletteSize = 56;

// 0xRRGGBB of ColorIndex 1..56; 0 (black) outside.
std::uint32_t paletteRgb(int colorIndex);

}  // namespace host
