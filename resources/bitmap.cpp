#include "resources/bitmap.h"

#include <stdexcept>

namespace resources {

namespace {

std::uint32_t le32(Bytes b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

}  // namespace

BitmapInfo bitmapInfo(Bytes bmp) {
    constexpr std::size_t fileHeader = 14, infoHeader = 40;
    if (bmp.size() < fileHeader + infoHeader || bmp[0] != 'B' || bmp[1] != 'M')
        throw std::invalid_argument("not a bitmap file");
    BitmapInfo info;
    info.pixelOffset = le32(bmp, 10);
    info.width = static_cast<std::int32_t>(le32(bmp, 18));
    info.height = static_cast<std::int32_t>(le32(bmp, 22));
    info.bitsPerPixel = bmp[28] | (bmp[29] << 8);
    if (info.pixelOffset > bmp.size()) throw std::invalid_argument("bitmap pixels outside the file");
    return info;
}

}  // namespace resources
