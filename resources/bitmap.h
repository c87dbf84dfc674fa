#pragma once
// The header facts of a bitmap resource.
#include "resources/resources.h"

namespace resources {

struct BitmapInfo {
    int width = 0;
    int height = 0;  // positive: rows stored bottom-up
    int bitsPerPixel = 0;
    std::size_t pixelOffset = 0;  // where the pixel rows start in the file
};

// Reads the file and information headers of a .bmp file; std::invalid_argument when the
// bytes are not one.
BitmapInfo bitmapInfo(Bytes bmp);

}  // namespace resources
