#pragma once
// The resources of the add-in library, by type and number: "CUSTOM" texts and bitmaps.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace resources {

using Bytes = std::span<const std::uint8_t>;

// The bytes of a resource, or nothing when the library has none of that type and number.
std::optional<Bytes> findResource(std::u16string_view type, int number);

// The bytes of a "CUSTOM" resource; base::Error 326 when there is none.
Bytes customResource(int number);

// A bitmap resource as a whole .bmp file; base::Error 326 when there is none.
Bytes bitmapResource(int number);

}  // namespace resources
