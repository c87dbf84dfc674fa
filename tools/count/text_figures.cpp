#include "tools/count/text_figures.h"

namespace tools::count {

TextFigures& TextFigures::operator+=(const TextFigures& other) {
    words += other.words;
    charsNoSpaces += other.charsNoSpaces;
    charsWithSpaces += other.charsWithSpaces;
    return *this;
}

TextFigures textFigures(std::u16string_view text) {
    TextFigures figures;
    bool inWord = false;
    for (const char16_t unit : text) {
        const bool space = unit == u' ';
        if (!space) {
            ++figures.charsNoSpaces;
            if (!inWord) ++figures.words;
        }
        inWord = !space;
    }
    figures.charsWithSpaces = static_cast<std::int64_t>(text.size());
    return figures;
}

std::u16string valueText(const host::Variant& value) {
    if (value.isError()) return value.errorText();
    return value.toText();
}

}  // namespace tools::count
