#include "host/calc/find_text.h"

#include <vector>

#include "base/text_services.h"

namespace host::calc {

namespace {

// One step of a pattern: a character to equal, or a wildcard.
struct Step {
    enum Kind { Literal, AnyOne, AnyRun } kind;
    char16_t unit = 0;
};

std::vector<Step> stepsOf(std::u16string_view pattern) {
    std::vector<Step> steps;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i];
        if (c == u'~' && i + 1 < pattern.size())
            steps.push_back({Step::Literal, pattern[++i]});
        else if (c == u'*')
            steps.push_back({Step::AnyRun});
        else if (c == u'?')
            steps.push_back({Step::AnyOne});
        else
            steps.push_back({Step::Literal, c});
    }
    return steps;
}

// Wildcard match over code units, backtracking to the last * only (linear in practice).
bool wildcardMatch(std::u16string_view text, const std::vector<Step>& steps) {
    size_t t = 0, s = 0, starStep = std::u16string_view::npos, starText = 0;
    while (t < text.size()) {
        if (s < steps.size() && steps[s].kind == Step::AnyRun) {
            starStep = s++;
            starText = t;
        } else if (s < steps.size() && (steps[s].kind == Step::AnyOne || steps[s].unit == text[t])) {
            ++s;
            ++t;
        } else if (starStep != std::u16string_view::npos) {
            s = starStep + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (s < steps.size() && steps[s].kind == Step::AnyRun) ++s;
    return s == steps.size();
}

}  // namespace

bool findMatches(std::u16string_view text, std::u16string_view pattern, bool whole, bool matchCase) {
    std::u16string sought(pattern);
    if (!whole) sought = u"*" + sought + u"*";
    if (matchCase) return wildcardMatch(text, stepsOf(sought));
    return wildcardMatch(base::text_services::toLower(text), stepsOf(base::text_services::toLower(sought)));
}

}  // namespace host::calc
