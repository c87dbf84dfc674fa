#include "tools/organizer/case_mapping.h"

#include "base/text_services.h"

namespace tools::organizer {

namespace {

namespace ts = base::text_services;

std::u16string upper(std::u16string_view text) { return ts::toUpper(text); }
std::u16string lower(std::u16string_view text) { return ts::toLower(text); }

// One word: its first character upper case when it is a letter, the rest lower case. The
// whole word is lowered at once so that context rules (final sigma) see the word.
std::u16string properWord(std::u16string_view word) {
    const size_t firstLength = ts::firstCharacterLength(word);
    const std::u16string lowered = lower(word);
    const std::u16string_view head = word.substr(0, firstLength);
    if (!ts::isLetter(head)) return lowered;
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
