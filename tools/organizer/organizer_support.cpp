#include "tools/organizer/organizer_support.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "host/application.h"
#include "host/range.h"
#include "host/text.h"
#include "shell/host_references.h"

namespace tools::organizer {

host::Application& app() { return *shell::hostApplication; }

double countA(const host::RangePtr& range) {
    if (!range) return 0;
    return app().WorksheetFunction()->CountA(range);
}

bool holdsNothing(const host::RangePtr& range) { return countA(range) == 0; }

std::u16string cellText(const host::RangePtr& cell) { return cell->Value().toText(); }

std::u16string decimal(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::int32_t wholeNumberOf(const std::u16string& text) {
    const std::string utf8 = host::utf8(text);
    const char* begin = utf8.c_str();
    while (*begin == ' ') ++begin;
    if (*begin == '\0') return 0;
    for (const char* c = begin; *c; ++c)
        if (std::string_view("0123456789+-.eE ").find(*c) == std::string_view::npos) return 0;
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    while (end && *end == ' ') ++end;
    if (end == begin || !end || *end != '\0' || !std::isfinite(value)) return 0;
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
        return 0;
    return static_cast<std::int32_t>(rounded);
}

}  // namespace tools::organizer
