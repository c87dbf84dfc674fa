#include "files/palette.h"

namespace files {

namespace {

constexpr std::uint32_t kPalette[56] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

}  // namespace

std::uint32_t paletteRgb(int colorIndex) {
    return colorIndex >= 1 && colorIndex <= 56 ? kPalette[colorIndex - 1] : 0;
}

int nearestColorIndex(std::uint32_t rgb) {
    int best = 1;
    long bestDistance = -1;
    for (int i = 0; i < 56; ++i) {
        const std::uint32_t p = kPalette[i];
        const long dr = long((p >> 16) & 0xFF) - long((rgb >> 16) & 0xFF);
        const long dg = long((p >> 8) & 0xFF) - long((rgb >> 8) & 0xFF);
        const long db = long(p & 0xFF) - long(rgb & 0xFF);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i + 1;
            bestDistance = distance;
        }
    }
    return best;
}

int colorIndexOfIndexed(int indexed) {
    // Indexed 8..63 are the palette; 0..7 repeat its first eight entries.
    if (indexed >= 8 && indexed <= 63) return indexed - 7;
    if (indexed >= 0 && indexed < 8) return indexed + 1;
    return 0;
}

}  // namespace files
