#include "tools/organizer/case_mapping.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <stdexcept>

namespace tools::organizer {

namespace {

using MapFunction = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

// Full (length-changing, context-aware) mapping in the root locale.
std::u16string icuMap(std::u16string_view text, MapFunction map) {
    if (text.empty()) return {};
    const auto* source = reinterpret_cast<const UChar*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    std::u16string out(text.size() + 16, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t written =
        map(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), source, length, "", &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.assign(static_cast<size_t>(written), u'\0');
        status = U_ZERO_ERROR;
        written = map(reinterpret_cast<UChar*>(out.data()), written, source, length, "", &status);
    }
    if (U_FAILURE(status)) throw std::runtime_error("ICU case mapping failed");
    out.resize(static_cast<size_t>(written));
    return out;
}

std::u16string upper(std::u16string_view text) { return icuMap(text, u_strToUpper); }
std::u16string lower(std::u16string_view text) { return icuMap(text, u_strToLower); }

// One word: its first character upper case when it is a letter, the rest lower case. The
// whole word is lowered at once so that context rules (final sigma) see the word.
std::u16string properWord(std::u16string_view word) {
    size_t firstLength = 0;
    UChar32 first = 0;
    U16_NEXT(word.data(), firstLength, word.size(), first);
    const std::u16string lowered = lower(word);
    if (!u_isalpha(first)) return lowered;
    const std::u16string_view head = word.substr(0, firstLength);
    const size_t loweredHead = lower(head).size();
    return upper(head) + lowered.substr(loweredHead);
}

std::u16string properCase(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (isWordSeparator(text[i])) {
            out.push_back(text[i++]);
            continue;
        }
        size_t end = i;
        while (end < text.size() && !isWordSeparator(text[end])) ++end;
        out += properWord(std::u16string_view(text).substr(i, end - i));
        i = end;
    }
    return out;
}

}  // namespace

bool isWordSeparator(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\0';
}

std::u16string mapCase(const std::u16string& text, CaseMode mode) {
    switch (mode) {
    case CaseMode::Upper: return upper(text);
    case CaseMode::Lower: return lower(text);
    case CaseMode::Proper: return properCase(text);
    }
    return text;
}

std::u16string sentenceCase(const std::u16string& text) {
    std::u16string out = text;
    bool capitaliseNext = true;
    for (char16_t& c : out) {
        if (c == u'.' || c == u'?') {
            capitaliseNext = true;
        } else if (c >= u'a' && c <= u'z') {
            if (capitaliseNext) {
                c = static_cast<char16_t>(c - u'a' + u'A');
                capitaliseNext = false;
            }
        } else if (c >= u'A' && c <= u'Z') {
            if (capitaliseNext)
                capitaliseNext = false;
            else
                c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return out;
}

}  // namespace tools::organizer
