#pragma once
// What the message window last said to the scripted user.
#include <string>

#include "forms/scripted_driver.h"

namespace testsupport {

inline std::u16string lastAlert(const forms::ScriptedDriver& user) {
    for (auto it = user.shownForms().rbegin(); it != user.shownForms().rend(); ++it)
        if (it->form == u"frmAlert") return it->text(u"lblMessage");
    return u"<no alert shown>";
}

}  // namespace testsupport
