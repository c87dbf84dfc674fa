#include "shell/ribbon_texts.h"

#include <vector>

#include "host/error.h"
#include "shell/language_state.h"

namespace shell {

namespace {

const std::u16string& entry(const std::vector<std::u16string>& table, const host::IRibbonControl& control) {
    int number = controlNumber(control.Id());
    if (static_cast<std::size_t>(number) >= table.size())
        throw host::Error(host::errSubscript, "Subscript out of range");
    return table[static_cast<std::size_t>(number)];
}

}  // namespace

int controlNumber(const std::u16string& controlId) {
    if (controlId.size() < 2) throw host::Error(host::errTypeMismatch, "Type mismatch");
    char16_t tens = controlId[controlId.size() - 2], ones = controlId.back();
    auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    if (!digit(tens) || !digit(ones)) throw host::Error(host::errTypeMismatch, "Type mismatch");
    return (tens - u'0') * 10 + (ones - u'0');
}

std::u16string setDefaultLanguage(const host::IRibbonControl& control) {
    if (labelRow.empty() || labelRow[0].empty()) labelRow = fallbackLabelRow();
    return entry(labelRow, control);
}

std::u16string GetTitle(const host::IRibbonControl& control) { return entry(labelRow, control); }

std::u16string getScreenTip(const host::IRibbonControl& control) { return entry(screenTips, control); }

std::u16string getSuperTip(const host::IRibbonControl& control) { return entry(superTips, control); }

}  // namespace shell
