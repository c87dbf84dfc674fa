#include "files/palette.h"

#include "host/palette.h"

namespace files {

std::uint32_t paletteRgb(int colorIndex) { return host::paletteRgb(colorIndex); }

int nearestColorIndex(std::uint32_t rgb) {
    int best = 1;
    long bestDistance = -1;
    for (int i = 0; i < host::kPaletteSize; ++i) {
        const std::uint32_t p = host::paletteRgb(i + 1);
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
