#pragma once
// The user of Calc's Cellwash dialogs for one command: the scripted user when
// CELLWASH_UI_SCRIPT names a file, otherwise the person at the screen (dialogs as windows over
// `frame`), or nobody when soffice runs headless.
#include <com/sun/star/frame/XFrame.hpp>
#include <memory>

#include "forms/ui_driver.h"
#include "host/calc/uno_support.h"

namespace host::calc {

// A person at the screen answers the dialogs: no UI script is set and soffice has a screen.
bool personAnswers();

// Nothing when the UI script cannot be read or holds a line it does not know; the reason is
// then written to CELLWASH_UI_LOG.
std::unique_ptr<forms::UiDriver> makeCalcUser(const Reference<css::uno::XComponentContext>& context,
                                              const Reference<css::frame::XFrame>& frame);

}  // namespace host::calc
