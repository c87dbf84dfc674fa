#pragma once
// The ribbon's text callbacks: labels, titles and tips looked up by control number.
#include <string>

#include "host/ribbon.h"

namespace shell {

// The whole number formed by the last two characters of a control id ("btnUndo_02" gives 2);
// host::Error 13 when they are not digits.
int controlNumber(const std::u16string& controlId);

// Label of the control number in the active row; a missing row, or one whose field 0 is
// empty, is first replaced by the fallback row.
std::u16string setDefaultLanguage(const host::IRibbonControl& control);
// Title (of a menu separator): the label field of the control number.
std::u16string GetTitle(const host::IRibbonControl& control);
std::u16string getScreenTip(const host::IRibbonControl& control);
std::u16string getSuperTip(const host::IRibbonControl& control);
// A control number beyond the end of a table fails with host::Error 9: no text.

}  // namespace shell
