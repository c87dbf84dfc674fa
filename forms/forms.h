#pragma once
// The forms runtime in one include: forms, controls, default instances, the modal loop,
// DoEvents, MsgBox and the drivers.
#include "forms/combo_box.h"
#include "forms/control.h"
#include "forms/default_instance.h"
#include "forms/form.h"
#include "forms/frame.h"
#include "forms/msg_box.h"
#include "forms/runtime.h"
#include "forms/script_error.h"
#include "forms/scripted_driver.h"
#include "forms/simple_controls.h"
#include "forms/snapshot.h"
#include "forms/text_box.h"
#include "forms/toggle_controls.h"
#include "forms/ui_driver.h"
#include "forms/web_browser.h"
