#include "host/calc/text_functions.h"

namespace host::calc {

std::u16string trimSpaces(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    bool pendingSpace = false;
    for (char16_t c : text) {
        if (c == u' ') {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) out.push_back(u' ');
        pendingSpace = false;
        out.push_back(c);
    }
    return out;
}

std::u16string cleanControls(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text)
        if (c >= 32) out.push_back(c);
    return out;
}

}  // namespace host::calc
