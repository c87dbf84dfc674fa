#include "shell/ribbon_menus.h"

#include <initializer_list>

namespace shell {

namespace {

enum class ItemKind {
    TitledSeparator,  // a menu separator whose title is the label field of its number
    Separator,        // a plain menu separator
    Button,
    HiddenButton,  // a button whose visibility asks chkDupesUD
};

struct MenuItem {
    const char16_t* id;
    ItemKind kind;
    const char16_t* imageMso = u"";
};

using enum ItemKind;

std::u16string itemElement(const MenuItem& item) {
    const std::u16string id = item.id;
    switch (item.kind) {
    case TitledSeparator: return u"<menuSeparator id=\"" + id + u"\" getTitle=\"GetTitle\"/>";
    case Separator: return u"<menuSeparator id=\"" + id + u"\"/>";
    case Button:
    case HiddenButton: break;
    }
    std::u16string xml = u"<button id=\"" + id +
                         u"\" getLabel=\"setDefaultLanguage\" getScreentip=\"getScreenTip\""
                         u" getSupertip=\"getSuperTip\" onAction=\"RibbonHandler\" imageMso=\"" +
                         item.imageMso + u"\"";
    if (item.kind == HiddenButton) xml += u" getVisible=\"chkDupesUD\"";
    return xml + u"/>";
}

std::u16string menuOf(std::initializer_list<MenuItem> items) {
    std::u16string xml = u"<menu xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">";
    for (const MenuItem& item : items) xml += itemElement(item);
    return xml + u"</menu>";
}

}  // namespace

std::u16string GetTextCleanerContent(const host::IRibbonControl&) {
    return menuOf({
        {u"sepTC_06", TitledSeparator},
        {u"btnDelNumbers_07", Button, u"EquationMatrixGallery"},
        {u"btnDelAlphabets_08", Button, u"AsianLayoutCombineCharacters"},
        {u"btnDelUserDefine_09", Button, u"CharacterCodeToggle"},
        {u"btnDelAllCaps_10", Button, u"WatermarkRemove"},
        {u"btnDelLowerCase_11", Button, u"FormControlEditBox"},
        {u"sepTC_12", TitledSeparator},
        {u"btnDelAllSpaces_13", Button, u"Clear"},
        {u"btnDelLTSpaces_14", Button, u"ReviewCompareTwoVersions"},
        {u"btnDelExtraSpaces_15", Button, u"ClearFormatting"},
        {u"sepTC_16", TitledSeparator},
        {u"btnDelBeforeNth_17", Button, u"StartOfLine"},
        {u"btnDelAfterNth_18", Button, u"EndOfLine"},
        {u"btnDelXchrBeforeNth_19", Button, u"TextDirection"},
        {u"btnDelXchrAfterNth_20", Button, u"TextDirectionOptionsDialog"},
        {u"btnDelLeadingXchr_21", Button, u"ObjectNudgeLeft"},
        {u"btnDelTrailingXchr_22", Button, u"ObjectNudgeRight"},
    });
}

std::u16string GetDuplicateCleanerContent(const host::IRibbonControl&) {
    return menuOf({
        {u"sepDC_24", TitledSeparator},
        {u"btnDelDupsKF_25", Button, u"CellsDelete"},
        {u"btnDelAllDups_26", Button, u"SheetDelete"},
        {u"sepDC_27", TitledSeparator},
        {u"btnDelDupsList_28", Button, u"TableColumnsDeleteExcel"},
        {u"btnDelDupUD_29", HiddenButton, u"TableColumnsDeleteExcel"},
        {u"btnDupPreventer_30", Button, u"ReviewProtectWorkbook"},
        {u"depDC_31", Separator},
        {u"btnDelAllUnq_31", Button, u"RecordsDeleteRecord"},
    });
}

std::u16string GetDataOrganizerContent(const host::IRibbonControl&) {
    return menuOf({
        {u"sepDO_33", TitledSeparator},
        {u"btnDelEmptyRows_34", Button, u"CellsDelete"},
        {u"btnDelEmptyCols_35", Button, u"TableColumnsDeleteExcel"},
        {u"btnDelEmptySheets_36", Button, u"SheetDelete"},
        {u"sepDO_100", Separator},
        {u"btnDelAllObjects_61", Button, u"SheetDelete"},
        {u"sepDO_37", TitledSeparator},
        {u"btnAllCaps_38", Button, u"TextAllCaps"},
        {u"btnLowerCase_39", Button, u"FormControlEditBox"},
        {u"btnProperCase_40", Button, u"FontsReplaceFonts"},
        {u"btnSentenceCase_41", Button, u"TextAlignLetterJustify"},
        {u"sepDO_43", Separator},
        {u"btnColorNthRows_42", Button, u"ConditionalFormattingHighlightDuplicateValues"},
        {u"btnColorDupRows_43", Button, u"TableStyleBandedRowsPowerPoint"},
        {u"btnColorUnqRows_44", Button, u"TableStyleRowHeaders"},
        {u"dataOrg4", Separator},
        {u"btnColtoTab_45", Button, u"FieldList"},
    });
}

std::u16string GetWordCountContent(const host::IRibbonControl&) {
    return menuOf({
        {u"sepWC_48", TitledSeparator},
        {u"btnCountActiveSheet_49", Button, u"ViewFreezePanesGallery"},
        {u"btnCountActiveWorkBook_50", Button, u"PrintTitles"},
        {u"btnCountSelectedCells_51", Button, u"RecordsMoreRecordsMenu"},
        {u"wordCount2", Separator},
        {u"btnCountDup_52", Button, u"TableStyleBandedRowsPowerPoint"},
        {u"btnCountUnq_53", Button, u"TableStyleRowHeaders"},
    });
}

}  // namespace shell
