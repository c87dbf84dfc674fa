#pragma once
// The stop flag: set by the two Stop buttons of frmMain, cleared by each tool run before its
// loop, polled by the loop after every item. Nothing clears it at the end of a run.

namespace dialog {

inline bool stopRequested = false;

}  // namespace dialog
