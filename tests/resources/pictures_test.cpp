// The language pictures: sizes, depth and one distinct picture per number.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "resources/bitmap.h"

namespace {

TEST(LanguagePictures, ThirtyByTwentyNineAtSixteenBitsAndSixteenSquareForUpdate) {
    for (int number = 101; number <= 112; ++number) {
        resources::Bytes bmp = resources::bitmapResource(number);
        resources::BitmapInfo info = resources::bitmapInfo(bmp);
        int width = number == 112 ? 16 : 30, height = number == 112 ? 16 : 29;
        EXPECT_EQ(info.width, width) << number;
        EXPECT_EQ(info.height, height) << number;
        EXPECT_EQ(info.bitsPerPixel, 16) << number;
        std::size_t rowBytes = (static_cast<std::size_t>(width) * 2 + 3) / 4 * 4;
        EXPECT_EQ(bmp.size(), info.pixelOffset + rowBytes * static_cast<std::size_t>(height)) << number;
    }
}

TEST(LanguagePictures, EveryPictureIsDifferentAndNotOneColour) {
    std::set<std::vector<std::uint8_t>> seen;
    for (int number = 101; number <= 112; ++number) {
        resources::Bytes bmp = resources::bitmapResource(number);
        resources::BitmapInfo info = resources::bitmapInfo(bmp);
        std::vector<std::uint8_t> pixels(bmp.begin() + static_cast<std::ptrdiff_t>(info.pixelOffset), bmp.end());
        EXPECT_TRUE(seen.insert(pixels).second) << number << " repeats another picture";
        std::set<std::uint16_t> colours;
        for (std::size_t i = 0; i + 1 < pixels.size(); i += 2)
            colours.insert(static_cast<std::uint16_t>(pixels[i] | (pixels[i + 1] << 8)));
        EXPECT_GE(colours.size(), 3u) << number;
    }
}

TEST(LanguagePictures, HeaderReaderRejectsWhatIsNoBitmap) {
    const std::uint8_t junk[60] = {'P', 'K'};
    EXPECT_THROW(resources::bitmapInfo(junk), std::invalid_argument);
    EXPECT_THROW(resources::bitmapInfo(resources::Bytes()), std::invalid_argument);
}

}  // namespace
