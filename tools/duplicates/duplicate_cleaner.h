#pragma once
// DuplicateCleaner_Module: the duplicate cleaner family's set-up of frmMain and its four tool
// routines, run from frmMain's Yes dispatch.
#include <string>

namespace tools::duplicates {

// Lays frmMain out for removeDuplicatesKeepFirst, removeDuplicatesAll, removeFrom2ndList or
// removeUniquesAll, stores the tool key in activeDCKey and shows the dialog modally; returns
// when it has been closed. Any other key does nothing.
void setUpDuplicateCleanerDialog(std::u16string& commandKey);

// DC1 (removeAll false) and DC2 (removeAll true).
void removeDuplicates(bool removeAll);
// DC3.
void removeFromSecondList();
// DC5.
void removeUniques();

}  // namespace tools::duplicates
