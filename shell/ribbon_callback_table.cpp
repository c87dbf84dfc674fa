#include "shell/ribbon_callback_table.h"

#include <string>

#include "shell/command_dispatch.h"
#include "shell/language_list_download.h"
#include "shell/language_menu.h"
#include "shell/ribbon_callbacks.h"
#include "shell/ribbon_menus.h"
#include "shell/ribbon_texts.h"

namespace shell {

namespace {

using Call = host::RibbonCallback;
using Control = const host::IRibbonControl&;

host::RibbonCallbackTable::Handler text(std::u16string (*callback)(Control)) {
    return [callback](Call& call) { call.result = host::Variant(callback(*call.control)); };
}

host::RibbonCallbackTable::Handler flag(bool (*callback)(Control)) {
    return [callback](Call& call) { call.result = host::Variant(callback(*call.control)); };
}

host::RibbonCallbackTable::Handler action(void (*callback)(Control)) {
    return [callback](Call& call) { callback(*call.control); };
}

host::RibbonCallbackTable::Handler toggle(void (*callback)(Control, bool)) {
    return [callback](Call& call) { callback(*call.control, call.pressed.value_or(false)); };
}

// A picture travels as its .bmp bytes, one character per byte.
host::RibbonCallbackTable::Handler picture(resources::Bytes (*callback)(Control)) {
    return [callback](Call& call) {
        const resources::Bytes bytes = callback(*call.control);
        call.result = host::Variant(std::u16string(bytes.begin(), bytes.end()));
    };
}

}  // namespace

host::RibbonCallbackTable makeRibbonCallbackTable() {
    host::RibbonCallbackTable table;
    table.add(u"OnRibbonLoad", [](Call& call) { OnRibbonLoad(call.ribbon); });
    table.add(u"RibbonHandler", action(RibbonHandler));
    table.add(u"GetTextCleanerContent", text(GetTextCleanerContent));
    table.add(u"GetDuplicateCleanerContent", text(GetDuplicateCleanerContent));
    table.add(u"GetDataOrganizerContent", text(GetDataOrganizerContent));
    table.add(u"GetWordCountContent", text(GetWordCountContent));
    table.add(u"GetLanguageContent", text(GetLanguageContent));
    table.add(u"setDefaultLanguage", text(setDefaultLanguage));
    table.add(u"getScreenTip", text(getScreenTip));
    table.add(u"getSuperTip", text(getSuperTip));
    table.add(u"GetTitle", text(GetTitle));
    table.add(u"GetEnabledUndo", flag(GetEnabledUndo));
    table.add(u"GetEnabledRedo", flag(GetEnabledRedo));
    table.add(u"chkDupesUD", flag(chkDupesUD));
    table.add(u"chkLangAvailableOrNot", flag(chkLangAvailableOrNot));
    table.add(u"chkPressed", flag(chkPressed));
    table.add(u"setDefImageOnButton", picture(setDefImageOnButton));
    table.add(u"btnEn_Click", toggle(btnEn_Click));
    table.add(u"btnHi_Click", toggle(btnHi_Click));
    table.add(u"btnAr_Click", toggle(btnAr_Click));
    table.add(u"btnRu_Click", toggle(btnRu_Click));
    table.add(u"btnIt_Click", toggle(btnIt_Click));
    table.add(u"btnFr_Click", toggle(btnFr_Click));
    table.add(u"btnDe_Click", toggle(btnDe_Click));
    table.add(u"btnKo_Click", toggle(btnKo_Click));
    table.add(u"btnJa_Click", toggle(btnJa_Click));
    table.add(u"btnZs_Click", toggle(btnZs_Click));
    table.add(u"btnEs_Click", toggle(btnEs_Click));
    table.add(u"btnUpdateLanguageList_Click", action(btnUpdateLanguageList_Click));
    return table;
}

}  // namespace shell
