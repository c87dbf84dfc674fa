#include "shell/language_menu.h"

#include <algorithm>

#include "shell/host_references.h"
#include "shell/language_state.h"

namespace shell {

namespace {

struct Toggle {
    const char16_t* id;
    const char16_t* code;
    const char16_t* handler;
    const char16_t* fixedLabel;  // nullptr: the label field of the control number
    bool alwaysVisible;
};

// The language toggles in menu order.
constexpr Toggle toggles[] = {
    {u"btnEn", u"En", u"btnEn_Click", u"English", true},
    {u"btnHi_62", u"Hi", u"btnHi_Click", nullptr, true},
    {u"btnAr_63", u"Ar", u"btnAr_Click", nullptr, false},
    {u"btnRu_64", u"Ru", u"btnRu_Click", nullptr, false},
    {u"btnJa_65", u"Ja", u"btnJa_Click", nullptr, false},
    {u"btnKo_66", u"Ko", u"btnKo_Click", nullptr, false},
    {u"btnZs_67", u"Zs", u"btnZs_Click", nullptr, false},
    {u"btnFr", u"Fr", u"btnFr_Click", u"Fran\u00e7aise", false},
    {u"btnEs", u"Es", u"btnEs_Click", u"Espa\u00f1ol", false},
    {u"btnIt", u"It", u"btnIt_Click", u"Italiano", false},
    {u"btnDe", u"De", u"btnDe_Click", u"Deutsch", false},
};

// Characters 4 and 5 of a control id: the language code of a toggle.
std::u16string codeOf(const host::IRibbonControl& control) {
    std::u16string id = control.Id();
    return id.size() > 3 ? id.substr(3, 2) : std::u16string();
}

std::u16string toggleElement(const Toggle& t) {
    std::u16string xml = u"<toggleButton id=\"" + std::u16string(t.id) + u"\"";
    xml += t.fixedLabel ? u" label=\"" + std::u16string(t.fixedLabel) + u"\"" : u" getLabel=\"setDefaultLanguage\"";
    if (!t.alwaysVisible) xml += u" getVisible=\"chkLangAvailableOrNot\"";
    xml += u" onAction=\"" + std::u16string(t.handler) +
           u"\" getPressed=\"chkPressed\" getImage=\"setDefImageOnButton\"/>";
    return xml;
}

void switchLanguage(const char16_t* code, bool pressed) {
    if (!pressed) return;
    std::u16string chosen = code;
    loadLanguageRow(chosen);
    if (ribbonUI) ribbonUI->Invalidate();
    std::vector<std::u16string> others;
    for (const Toggle& t : toggles)
        if (chosen != t.code) others.push_back(t.id);
    unCheckOtherToggleButtons(others);
}

}  // namespace

std::u16string GetLanguageContent(const host::IRibbonControl&) {
    std::u16string xml = u"<menu xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">";
    for (const Toggle& t : toggles) xml += toggleElement(t);
    xml += u"<menuSeparator id=\"menusep_68\"/>";
    xml +=
        u"<button id=\"btnUpdateLanguageList_68\" getLabel=\"setDefaultLanguage\" getImage=\"setDefImageOnButton\""
        u" onAction=\"btnUpdateLanguageList_Click\"/>";
    return xml + u"</menu>";
}

bool chkLangAvailableOrNot(const host::IRibbonControl& control) {
    std::u16string code = codeOf(control);
    return std::find(languageCodes.begin(), languageCodes.end(), code) != languageCodes.end();
}

bool chkPressed(const host::IRibbonControl& control) { return codeOf(control) == languageCode; }

int languagePictureNumber(const std::u16string& code) {
    static const std::pair<const char16_t*, int> pictures[] = {{u"En", 101}, {u"Hi", 102}, {u"Ar", 103}, {u"Ko", 104},
                                                               {u"Ja", 105}, {u"Fr", 106}, {u"De", 107}, {u"It", 108},
                                                               {u"Zs", 109}, {u"Ru", 110}, {u"Es", 111}, {u"Up", 112}};
    for (const auto& [c, number] : pictures)
        if (code == c) return number;
    return 101;
}

resources::Bytes setDefImageOnButton(const host::IRibbonControl& control) {
    return resources::bitmapResource(languagePictureNumber(codeOf(control)));
}

void btnEn_Click(const host::IRibbonControl&, bool pressed) { switchLanguage(u"En", pressed); }
void btnHi_Click(const host::IRibbonControl&, bool pressed) { switchLanguage(u"Hi", pressed); }
void btnAr_Click(const host::IRibbonControl&, bool pressed) { switchLanguage(u"Ar", pressed); }
void btnRu_Click(const host::IRibbonControl&, bool pressed) { switchLanguage(u"Ru", pressed); }
void btnIt_Click(const host::IRibbonControl&, bool pressed) { switchLanguage(u"It", pressed); }
void btnFr_Click(const host::IRibbonControl&, bool pressed) { switchLanguage(u"Fr", pressed); }
void btnDe_Click(const host::IRibbonControl&, bool pressed) { switchLanguage(u"De", pressed); }
void btnKo_Click(const host::IRibbonControl&, bool pressed) { switchLanguage(u"Ko", pressed); }
void btnJa_Click(const host::IRibbonControl&, bool pressed) { switchLanguage(u"Ja", pressed); }
void btnZs_Click(const host::IRibbonControl&, bool pressed) { switchLanguage(u"Zs", pressed); }
void btnEs_Click(const host::IRibbonControl&, bool pressed) { switchLanguage(u"Es", pressed); }

void unCheckOtherToggleButtons(const std::vector<std::u16string>& controlIds) {
    if (!ribbonUI) return;
    for (const auto& id : controlIds) ribbonUI->InvalidateControl(id);
}

}  // namespace shell
