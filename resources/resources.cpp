#include "resources/resources.h"

#include "base/error.h"
#include "resource_table.h"

namespace resources {

namespace {

Bytes required(std::u16string_view type, int number) {
    if (auto found = findResource(type, number)) return *found;
    throw base::Error(326, "Resource with identifier '" + std::to_string(number) + "' not found");
}

}  // namespace

std::optional<Bytes> findResource(std::u16string_view type, int number) {
    for (std::size_t i = 0; i < resourceCount; ++i) {
        const ResourceEntry& entry = resourceTable[i];
        if (entry.number == number && type == entry.type) return Bytes(entry.data, entry.size);
    }
    return std::nullopt;
}

Bytes customResource(int number) { return required(u"CUSTOM", number); }

Bytes bitmapResource(int number) { return required(u"BITMAP", number); }

}  // namespace resources
