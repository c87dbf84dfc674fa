#include "dialog/host_palette.h"

#include "host/palette.h"

namespace dialog {

namespace {

constexpr std::uint32_t oleOf(std::uint32_t rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

}  // namespace

std::uint32_t paletteColour(int index) {
    if (index < 1 || index > host::kPaletteSize) return oleOf(0xFFFFFF);
    return oleOf(host::paletteRgb(index));
}

}  // namespace dialog
