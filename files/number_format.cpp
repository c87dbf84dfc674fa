#include "files/number_format.h"

namespace files {

bool isBuiltinDateFormat(int id) {
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58) ||
           (id >= 71 && id <= 81);
}

bool isDateFormatCode(std::string_view code) {
    // Only the first section decides. Quoted text, escaped characters and bracketed colours
    // or conditions do not count; [h] [m] [s] (elapsed time) do.
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        switch (c) {
        case ';': return false;
        case '"': {
            const size_t close = code.find('"', i + 1);
            if (close == std::string_view::npos) return false;
            i = close;
            break;
        }
        case '\\':
        case '_':
        case '*': ++i; break;
        case '[': {
            const size_t close = code.find(']', i + 1);
            if (close == std::string_view::npos) return false;
            const std::string_view inside = code.substr(i + 1, close - i - 1);
            const char first = inside.empty() ? 0 : static_cast<char>(inside[0] | 0x20);
            if (first == 'h' || first == 'm' || first == 's') {
                bool elapsed = true;
                for (const char k : inside) elapsed = elapsed && ((k | 0x20) == first);
                if (elapsed) return true;
            }
            i = close;
            break;
        }
        default: {
            const char lower = static_cast<char>(c | 0x20);
            if (code.substr(i, 7) == "General") {
                i += 6;
                break;
            }
            const bool exponent = lower == 'e' && i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-');
            if (!exponent &&
                (lower == 'd' || lower == 'm' || lower == 'y' || lower == 'h' || lower == 's' || lower == 'e'))
                return true;
        }
        }
    }
    return false;
}

}  // namespace files
