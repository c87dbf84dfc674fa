#include "registry/reg_variant.h"

#include <cstdio>

#include "base/text.h"

namespace registry {

std::u16string RegVariant::toText() const {
    char buffer[32];
    struct Visitor {
        char* buffer;
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::u16string&) const { return {}; }
        std::string operator()(std::int16_t n) const { return std::to_string(n); }
        std::string operator()(std::int32_t n) const { return std::to_string(n); }
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(double d) const {
            std::snprintf(buffer, 32, "%.15g", d);
            return buffer;
        }
        std::string operator()(const ByteArray& bytes) const {
            std::string out;
            for (std::uint8_t b : bytes) {
                std::snprintf(buffer, 32, out.empty() ? "%02X" : " %02X", unsigned{b});
                out += buffer;
            }
            return out;
        }
    };
    if (isText()) return text();
    return base::utf16(std::visit(Visitor{buffer}, value_));
}

}  // namespace registry
