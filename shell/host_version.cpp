#include "shell/host_version.h"

#include <charconv>
#include <string>
#include <string_view>

#include "host/application.h"
#include "host/error.h"
#include "shell/host_references.h"
#include "shell/object_required.h"

namespace shell {

namespace {

[[noreturn]] void typeMismatch() { throw host::Error(host::errTypeMismatch, "Type mismatch"); }

}  // namespace

double textToNumber(const std::u16string& text) {
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) typeMismatch();
    const auto last = text.find_last_not_of(u' ');
    std::string ascii;
    for (char16_t c : text.substr(first, last - first + 1)) {
        if (c > 0x7F || std::u16string_view(u"0123456789.eE+-").find(c) == std::u16string_view::npos) typeMismatch();
        ascii.push_back(static_cast<char>(c));
    }
    const bool negative = ascii.front() == '-';
    if (ascii.front() == '+' || negative) ascii.erase(0, 1);
    if (ascii.empty() || ascii.front() == '+' || ascii.front() == '-') typeMismatch();
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size()) typeMismatch();
    return negative ? -value : value;
}

bool legacyMenuMode() { return textToNumber(objectOf(hostApplication).Version()) <= 11.0; }

}  // namespace shell
