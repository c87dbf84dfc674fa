#include "tools/duplicates/deletion_mode.h"

#include "host/constants.h"
#include "host/range.h"

namespace tools::duplicates {

DeletionMode deletionModeOf(bool entireRowSelected, bool shiftUpSelected, bool clearSelected) {
    if (entireRowSelected) return DeletionMode::EntireRow;
    if (shiftUpSelected) return DeletionMode::ShiftUp;
    if (clearSelected) return DeletionMode::ClearContents;
    return DeletionMode::None;
}

void removeCell(host::Range& cell, DeletionMode mode) {
    switch (mode) {
    case DeletionMode::EntireRow: cell.EntireRow()->Delete(); break;
    case DeletionMode::ShiftUp: cell.Delete(host::xlShiftUp); break;
    case DeletionMode::ClearContents: cell.ClearContents(); break;
    case DeletionMode::None: break;
    }
}

}  // namespace tools::duplicates
