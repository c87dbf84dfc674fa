#include "files/validation_xml.h"

#include <array>

#include "files/cell_ref.h"
#include "files/formula_shift.h"
#include "files/xml_text.h"
#include "host/constants.h"

namespace files {

namespace {

// Names in the order of the host's constants (xlValidateInputOnly = 0, ...).
constexpr std::array<std::string_view, 8> kTypes = {"none", "whole", "decimal",    "list",
                                                    "date", "time",  "textLength", "custom"};
// xlBetween = 1 ... xlLessEqual = 8.
constexpr std::array<std::string_view, 9> kOperators = {"",
                                                        "between",
                                                        "notBetween",
                                                        "equal",
                                                        "notEqual",
                                                        "greaterThan",
                                                        "lessThan",
                                                        "greaterThanOrEqual",
                                                        "lessThanOrEqual"};
constexpr std::array<std::string_view, 4> kAlerts = {"", "stop", "warning", "information"};

template <size_t N>
int indexIn(const std::array<std::string_view, N>& names, std::string_view name, int fallback) {
    for (size_t i = 0; i < N; ++i)
        if (!names[i].empty() && names[i] == name) return static_cast<int>(i);
    return fallback;
}

bool isNumberText(std::u16string_view t) {
    if (t.empty()) return false;
    size_t digits = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        const char16_t c = t[i];
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (!(c == u'.' || ((c == u'-' || c == u'+') && (i == 0 || t[i - 1] == u'E' || t[i - 1] == u'e')) ||
                   c == u'E' || c == u'e'))
            return false;
    }
    return digits > 0;
}

void appendFormula(std::string& out, const std::string& prefix, const char* tag, const std::u16string& formula,
                   const ValidationRule& rule) {
    if (formula.empty()) return;
    const int type = rule.type;
    std::u16string text;
    if (formula[0] == u'=') {
        // The file reads relative references from the first area's top-left cell.
        const Area& first = rule.areas.front();
        text = shiftFormula(std::u16string_view(formula).substr(1), first.row1 - rule.anchorRow,
                            first.col1 - rule.anchorCol);
    } else if (type == host::xlValidateList) {
        text = u"\"";
        for (const char16_t c : formula) text += c == u'"' ? std::u16string(u"\"\"") : std::u16string(1, c);
        text += u"\"";
    } else {
        text = formula;
    }
    out += "<" + prefix + tag + ">";
    appendXmlText(out, text);
    out += "</" + prefix + tag + ">";
}

void appendAttribute(std::string& out, const char* name, const std::u16string& value) {
    if (value.empty()) return;
    out += ' ';
    out += name;
    out += "=\"";
    appendXmlText(out, value, true);
    out += '"';
}

}  // namespace

ValidationRule validationFromAttributes(const XmlAttributes& a) {
    ValidationRule r;
    r.type = indexIn(kTypes, a.get("type"), 0);
    r.op = indexIn(kOperators, a.get("operator"), host::xlBetween);
    r.alertStyle = indexIn(kAlerts, a.get("errorStyle"), host::xlValidAlertStop);
    r.ignoreBlank = a.getBool("allowBlank", false);
    r.inCellDropdown = !a.getBool("showDropDown", false);  // the file's flag hides the arrow
    r.showInput = a.getBool("showInputMessage", false);
    r.showError = a.getBool("showErrorMessage", false);
    r.inputTitle = decodeXmlText(a.get("promptTitle"));
    r.inputMessage = decodeXmlText(a.get("prompt"));
    r.errorTitle = decodeXmlText(a.get("errorTitle"));
    r.errorMessage = decodeXmlText(a.get("error"));
    r.areas = parseSqref(a.get("sqref"));
    if (!r.areas.empty()) {
        r.anchorRow = r.areas.front().row1;
        r.anchorCol = r.areas.front().col1;
    }
    return r;
}

std::u16string validationFormulaFromXml(std::u16string_view xml, int type) {
    if (xml.empty()) return {};
    if (type == host::xlValidateList && xml.size() >= 2 && xml.front() == u'"' && xml.back() == u'"') {
        std::u16string items;
        for (size_t i = 1; i + 1 < xml.size(); ++i) {
            items += xml[i];
            if (xml[i] == u'"' && i + 2 < xml.size() && xml[i + 1] == u'"') ++i;
        }
        return items;
    }
    if (isNumberText(xml)) return std::u16string(xml);
    return u"=" + std::u16string(xml);
}

std::string validationsToXml(const std::vector<ValidationRule>& rules, const std::string& prefix) {
    size_t count = 0;
    for (const ValidationRule& r : rules) count += r.areas.empty() ? 0 : 1;
    if (count == 0) return {};
    std::string out = "<" + prefix + "dataValidations count=\"" + std::to_string(count) + "\">";
    for (const ValidationRule& r : rules) {
        if (r.areas.empty()) continue;
        out += "<" + prefix + "dataValidation";
        if (r.type > 0 && r.type < static_cast<int>(kTypes.size()))
            out += " type=\"" + std::string(kTypes[r.type]) + "\"";
        if (r.alertStyle > 1 && r.alertStyle < 4) out += " errorStyle=\"" + std::string(kAlerts[r.alertStyle]) + "\"";
        if (r.op > 1 && r.op < static_cast<int>(kOperators.size()))
            out += " operator=\"" + std::string(kOperators[r.op]) + "\"";
        if (r.ignoreBlank) out += " allowBlank=\"1\"";
        if (!r.inCellDropdown) out += " showDropDown=\"1\"";
        if (r.showInput) out += " showInputMessage=\"1\"";
        if (r.showError) out += " showErrorMessage=\"1\"";
        appendAttribute(out, "errorTitle", r.errorTitle);
        appendAttribute(out, "error", r.errorMessage);
        appendAttribute(out, "promptTitle", r.inputTitle);
        appendAttribute(out, "prompt", r.inputMessage);
        out += " sqref=\"" + sqrefOf(r.areas) + "\">";
        appendFormula(out, prefix, "formula1", r.formula1, r);
        appendFormula(out, prefix, "formula2", r.formula2, r);
        out += "</" + prefix + "dataValidation>";
    }
    return out + "</" + prefix + "dataValidations>";
}

}  // namespace files
