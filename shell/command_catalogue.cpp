#include "shell/command_catalogue.h"

#include <algorithm>

namespace shell {

namespace {

using enum TargetFamily;

constexpr CatalogueEntry catalogue[] = {
    {u"btnDelNumbers_07", u"CWTOOLS5_TC1", u"removeNumbers", TextCleaner},
    {u"btnDelAlphabets_08", u"CWTOOLS5_TC2", u"removeAlphabets", TextCleaner},
    {u"btnDelUserDefine_09", u"CWTOOLS5_TC3", u"removeUD", TextCleaner},
    {u"btnDelAllCaps_10", u"CWTOOLS5_TC4", u"removeAllCaps", TextCleaner},
    {u"btnDelLowerCase_11", u"CWTOOLS5_TC5", u"removeLowerCase", TextCleaner},
    {u"btnDelAllSpaces_13", u"CWTOOLS5_TC6", u"removeAllSpaces", TextCleaner},
    {u"btnDelLTSpaces_14", u"CWTOOLS5_TC7", u"removeLTSpaces", TextCleaner},
    {u"btnDelExtraSpaces_15", u"CWTOOLS5_TC8", u"removeExtraSpaces", TextCleaner},
    {u"btnDelBeforeNth_17", u"CWTOOLS5_TC9", u"remAllCharsBeforeXChars", TextCleaner},
    {u"btnDelAfterNth_18", u"CWTOOLS5_TC10", u"remAllCharsAfterXChars", TextCleaner},
    {u"btnDelXchrBeforeNth_19", u"CWTOOLS5_TC11", u"remXCharsBeforeXChars", TextCleaner},
    {u"btnDelXchrAfterNth_20", u"CWTOOLS5_TC12", u"remXCharsAfterXChars", TextCleaner},
    {u"btnDelLeadingXchr_21", u"CWTOOLS5_TC13", u"remBeforeXChars", TextCleaner},
    {u"btnDelTrailingXchr_22", u"CWTOOLS5_TC14", u"remAfterXChars", TextCleaner},
    {u"btnDelDupsKF_25", u"CWTOOLS5_DC1", u"removeDuplicatesKeepFirst", DuplicateCleaner},
    {u"btnDelAllDups_26", u"CWTOOLS5_DC2", u"removeDuplicatesAll", DuplicateCleaner},
    {u"btnDelDupsList_28", u"CWTOOLS5_DC3", u"removeFrom2ndList", DuplicateCleaner},
    {u"btnDupPreventer_30", u"CWTOOLS5_DC4", u"", DuplicatePreventer},
    {u"btnDelAllUnq_31", u"CWTOOLS5_DC5", u"removeUniquesAll", DuplicateCleaner},
    {u"btnDelEmptyRows_34", u"CWTOOLS5_DO1", u"removeRows", DataOrganizer},
    {u"btnDelEmptyCols_35", u"CWTOOLS5_DO2", u"removeCols", DataOrganizer},
    {u"btnDelEmptySheets_36", u"CWTOOLS5_DO3", u"removeSheets", DataOrganizer},
    {u"btnDelAllObjects_61", u"CWTOOLS5_DO4", u"removeObjects", DataOrganizer},
    {u"btnAllCaps_38", u"CWTOOLS5_DO5", u"changeToUpperCase", DataOrganizer},
    {u"btnLowerCase_39", u"CWTOOLS5_DO6", u"changeToLowerCase", DataOrganizer},
    {u"btnProperCase_40", u"CWTOOLS5_DO7", u"changeToProperCase", DataOrganizer},
    {u"btnSentenceCase_41", u"CWTOOLS5_DO8", u"changeToSentenceCase", DataOrganizer},
    {u"btnColorNthRows_42", u"CWTOOLS5_DO9", u"colorNthRow", DataOrganizer},
    {u"btnColorDupRows_43", u"CWTOOLS5_DO10", u"colorDuplicateRows", DataOrganizer},
    {u"btnColorUnqRows_44", u"CWTOOLS5_DO11", u"colorUniqueRows", DataOrganizer},
    {u"btnColtoTab_45", u"CWTOOLS5_DO12", u"transposeRowsToColumn", DataOrganizer},
    {u"btnCountActiveSheet_49", u"CWTOOLS5_CT1", u"countActiveSheet", CountTool1to3},
    {u"btnCountActiveWorkBook_50", u"CWTOOLS5_CT2", u"countAllSheet", CountTool1to3},
    {u"btnCountSelectedCells_51", u"CWTOOLS5_CT3", u"countSelectedCells", CountTool1to3},
    {u"btnCountDup_52", u"CWTOOLS5_CT4", u"countDuplicates", CountTool4to5},
    {u"btnCountUnq_53", u"CWTOOLS5_CT5", u"countUniques", CountTool4to5},
    {u"btnUndo_02", u"CWTOOLS5_UNDO", u"", Undo},
    {u"btnRedo_03", u"CWTOOLS5_REDO", u"", Redo},
    {u"btnAbout_55", u"CWTOOLS5_ABOUT", u"", ToolTour},
    {u"btnHelp_58", u"CWTOOLS5_HELP", u"", ToolTour},
    {u"btnFeedback_59", u"CWTOOLS5_FEEDBACK", u"", Feedback},
    {u"btnExit_57", u"CWTOOLS5_EXIT", u"", Exit},
};

template <class Field>
std::optional<CatalogueEntry> lookUp(Field field, std::u16string_view wanted) {
    const auto* hit = std::find_if(std::begin(catalogue), std::end(catalogue),
                                   [&](const CatalogueEntry& e) { return e.*field == wanted; });
    if (hit == std::end(catalogue)) return std::nullopt;
    return *hit;
}

}  // namespace

std::span<const CatalogueEntry> commandCatalogue() { return catalogue; }

std::optional<CatalogueEntry> commandForControlId(std::u16string_view controlId) {
    return lookUp(&CatalogueEntry::controlId, controlId);
}

std::optional<CatalogueEntry> commandForLegacyTag(std::u16string_view legacyTag) {
    return lookUp(&CatalogueEntry::legacyTag, legacyTag);
}

bool isShellCommand(TargetFamily target) {
    return target == TargetFamily::ToolTour || target == TargetFamily::Feedback || target == TargetFamily::Exit;
}

}  // namespace shell
