#include "shell/legacy_menu_tree.h"

namespace shell {

namespace {

using enum MenuItemKind;

constexpr LegacyMenuItem tree[] = {
    {1, Button, u"Undo Changes", u"CWTOOLS5_UNDO", 128, false},
    {1, Button, u"Redo Changes", u"CWTOOLS5_REDO", 129, false},
    {1, Submenu, u"&Text Cleaner", u"", 0, true},
    {2, Button, u"1. Remove all Numbers (0-9) in Selected Cells", u"CWTOOLS5_TC1", 11, false},
    {2, Button, u"2. Remove all Alphabets (a-z) in Selected Cells", u"CWTOOLS5_TC2", 714, false},
    {2, Button, u"3. Remove User-defined Characters in Selected Cells", u"CWTOOLS5_TC3", 1662, false},
    {2, Button, u"4. Remove all UPPER CASE Characters in Selected Cells", u"CWTOOLS5_TC4", 291, false},
    {2, Button, u"5. Remove all lower case Characters in Selected Cells", u"CWTOOLS5_TC5", 290, false},
    {2, Button, u"6. Remove all instance of Spaces in Selected Cells", u"CWTOOLS5_TC6", 176, true},
    {2, Button, u"7. Remove Leading and Trailing Spaces  in Selected Cells", u"CWTOOLS5_TC7", 44, false},
    {2, Button, u"8. Remove all Excessive Spaces in Selected Cells", u"CWTOOLS5_TC8", 7, false},
    {2, Button, u"9. Remove/Replace all text before nth Character(s)", u"CWTOOLS5_TC9", 315, true},
    {2, Button, u"10. Remove/Replace all text after nth Character(s)", u"CWTOOLS5_TC10", 314, false},
    {2, Button, u"11. Remove/Replace X nos. of Character(s) before nth Character(s)", u"CWTOOLS5_TC11", 295, false},
    {2, Button, u"12. Remove/Replace X nos. of Character(s) after nth Character(s)", u"CWTOOLS5_TC12", 292, false},
    {2, Button, u"13. Remove/Replace X nos. of Leading Character(s)", u"CWTOOLS5_TC13", 319, false},
    {2, Button, u"14. Remove/Replace X nos. of Trailing Character(s)", u"CWTOOLS5_TC14", 320, false},
    {1, Submenu, u"&Duplicate Cleaner", u"CWTOOLS5_DC", 0, false},
    {2, Button, u"1. Remove Duplicate Entries (Keep First)", u"CWTOOLS5_DC1", 450, false},
    {2, Button, u"2. Remove all Duplicate Entries", u"CWTOOLS5_DC2", 486, false},
    {2, Button, u"3. Remove Duplicate Entries from 1st Column Exist in 2nd", u"CWTOOLS5_DC3", 543, true},
    {2, Button, u"4. Duplicate Preventer", u"CWTOOLS5_DC4", 357, false},
    {2, Button, u"5. Remove all Unique Entries", u"CWTOOLS5_DC5", 452, true},
    {1, Submenu, u"Data &Organizer", u"", 0, false},
    {2, Button, u"1. Remove Empty Rows in Selection", u"CWTOOLS5_DO1", 637, false},
    {2, Button, u"2. Remove Empty Columns in Selection", u"CWTOOLS5_DO2", 636, false},
    {2, Button, u"3. Remove Empty Sheets in Workbook", u"CWTOOLS5_DO3", 635, false},
    {2, Button, u"4. Remove all objects in ActiveSheet", u"CWTOOLS5_DO4", 1029, false},
    {2, Button, u"5. Change to UPPER CASE", u"CWTOOLS5_DO5", 1614, true},
    {2, Button, u"6. Change to lower case", u"CWTOOLS5_DO6", 1613, false},
    {2, Button, u"7. Change to Proper Case", u"CWTOOLS5_DO7", 1353, false},
    {2, Button, u"8. Change to Sentence case", u"CWTOOLS5_DO8", 1355, false},
    {2, Button, u"9. Color each nth Row in Selection", u"CWTOOLS5_DO9", 1988, true},
    {2, Button, u"10. Color Duplicate Rows in Selection", u"CWTOOLS5_DO10", 251, false},
    {2, Button, u"11. Color Unique Rows in Selection", u"CWTOOLS5_DO11", 1084, false},
    {2, Button, u"12. Convert Columnar Data into Tabular Form", u"CWTOOLS5_DO12", 2114, true},
    {1, Submenu, u"&Count Tools", u"", 0, false},
    {2, Button, u"1. Count ActiveSheet", u"CWTOOLS5_CT1", 8, false},
    {2, Button, u"2. Count all Worksheets", u"CWTOOLS5_CT2", 488, false},
    {2, Button, u"3. Count in Selected Cells", u"CWTOOLS5_CT3", 800, false},
    {2, Button, u"4. Count Duplicate Rows in Selection", u"CWTOOLS5_CT4", 537, true},
    {2, Button, u"5. Count Unique Rows in Selection", u"CWTOOLS5_CT5", 2131, false},
    {1, Button, u"&About Cellwash", u"CWTOOLS5_ABOUT", 487, true},
    {1, Button, u"Online &User Guide", u"CWTOOLS5_HELP", 984, false},
    {1, Button, u"&Send Feedback...", u"CWTOOLS5_FEEDBACK", 1677, true},
    {1, Button, u"E&xit Cellwash", u"CWTOOLS5_EXIT", 1091, true},
};

}  // namespace

std::span<const LegacyMenuItem> legacyMenuTree() { return tree; }

}  // namespace shell
