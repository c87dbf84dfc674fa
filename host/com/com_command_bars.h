#pragma once
// The host's command bars over IDispatch (the legacy menu of version 11.0 and older): bars,
// their controls, and a button's Click event, which the host raises through the connection point
// of its button events (_CommandBarButtonEvents): bindClick advises a sink of ours there.
#include "host/com/com_support.h"
#include "host/command_bars.h"

namespace host::com {

CommandBarsPtr commandBarsOf(Dispatch bars);  // error 91 for Nothing

}  // namespace host::com
