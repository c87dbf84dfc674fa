#include "host/calc/sheet_names.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <algorithm>

namespace host::calc {

namespace {

constexpr size_t kMaxSheetName = 31;

bool taken(const std::u16string& name, const std::vector<std::u16string>& names) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::u16string& other) { return sameSheetName(name, other); });
}

}  // namespace

bool sameSheetName(const std::u16string& a, const std::u16string& b) {
    UErrorCode status = U_ZERO_ERROR;
    const int order = u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(),
                                       static_cast<int32_t>(b.size()), U_FOLD_CASE_DEFAULT, &status);
    return U_SUCCESS(status) && order == 0;
}

bool validSheetName(const std::u16string& name, const std::vector<std::u16string>& others) {
    if (name.empty() || name.size() > kMaxSheetName) return false;
    if (name.find_first_of(u"[]:*?/\\") != std::u16string::npos) return false;
    if (name.front() == u'\'' || name.back() == u'\'') return false;
    return !taken(name, others);
}

std::u16string copyName(const std::u16string& name, const std::vector<std::u16string>& existing) {
    std::u16string stem = name;
    const size_t open = name.rfind(u" (");
    if (open != std::u16string::npos && name.back() == u')' && name.size() > open + 3 &&
        std::all_of(name.begin() + static_cast<long>(open) + 2, name.end() - 1,
                    [](char16_t c) { return c >= u'0' && c <= u'9'; }))
        stem = name.substr(0, open);
    for (long n = 2;; ++n) {
        std::u16string suffix = u" (";
        for (char c : std::to_string(n)) suffix.push_back(static_cast<char16_t>(c));
        suffix += u")";
        const std::u16string candidate = stem.substr(0, kMaxSheetName - suffix.size()) + suffix;
        if (!taken(candidate, existing)) return candidate;
    }
}

}  // namespace host::calc
