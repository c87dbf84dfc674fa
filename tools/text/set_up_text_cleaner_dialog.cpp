// The text cleaner family's set-up of frmMain: the character-class tools on the data
// organizer page, the positional tools on the text cleaner page.
#include "dialog/family_keys.h"
#include "dialog/frm_main.h"
#include "dialog/layout_steps.h"
#include "tools/text/text_cleaner_module.h"

namespace tools::text {

namespace {

using Op = dialog::LayoutOp;
using dialog::LayoutStep;
using dialog::SetUpRow;

// The character-class tools: the data organizer page without its options, with an example.
#define CW_CHARACTER_ROW(name, example, help, question) \
    constexpr LayoutStep name[] = {                     \
        {Op::Show, u"frmDataOrganizer"},                \
        {Op::Show, u"frmDO1to4"},                       \
        {Op::Hide, u"frmDOOptions"},                    \
        {Op::Hide, u"chkChartObject"},                  \
        {Op::Hide, u"chkRemoveAS"},                     \
        {Op::Hide, u"chkCleanWhiteSpaces"},             \
        {Op::Show, u"lblCaseEx"},                       \
        {Op::Caption, u"lblCaseEx", example},           \
        {Op::Caption, u"lblDO1to4Help", help},          \
        {Op::SelectionCount, u"lblDOSelCells"},         \
        {Op::Caption, u"lblDOHeader1to4", question},    \
    };
CW_CHARACTER_ROW(kRemoveNumbers, u"Example : \r\n'CWKver5@39' >>>> 'CWKver@'",
                 u"Press Yes Button to Remove Numeric from Selected Cells",
                 u"Do you want to Remove Numbers from Selected Cells ?")
CW_CHARACTER_ROW(kRemoveAlphabets, u"Example : \r\n'CWKver5@39' >>>> '5@39'",
                 u"Press Yes Button to Remove Alphabet from Selected Cells",
                 u"Do you want to Remove Alphabet from Selected Cells ?")
CW_CHARACTER_ROW(kRemoveAllCaps, u"Example : 'CWKver5@39' >>> 'ver5@39'",
                 u"Press Yes Button to Remove All Caps Characters from Selected Cells",
                 u"Do you want to Remove All Caps Characters ?")
CW_CHARACTER_ROW(kRemoveLowerCase, u"Example : 'CWKver5@39' >>> 'CWK5@39'",
                 u"Press Yes Button to Remove Lower Case Characters", u"Do you want to Remove Lower Case Characters ?")
CW_CHARACTER_ROW(kRemoveAllSpaces, u"Example : '(  CWK ver  5  @ 39   )' >>> '(CWKver5@39)'",
                 u"Press Yes Button to Remove All Spaces from Selected Cells",
                 u"Do you want to Remove All Spaces from Selected Cells ?")
CW_CHARACTER_ROW(kRemoveLTSpaces, u"Example : '(  CWK ver  5  @  39   )' >>> '(CWK ver  5  @  39)'",
                 u"Press Yes Button to Remove Leading Trailing Spaces",
                 u"Do you want to Remove Leading and Trailing Spaces ?")
CW_CHARACTER_ROW(kRemoveExtraSpaces, u"Example : '(  CWK ver  5  @  39   )' >>> '(CWK ver 5 @ 39)'",
                 u"Press Yes Button to Remove All Extra Spaces", u"Do you want to Remove All Extra Spaces ?")
#undef CW_CHARACTER_ROW

constexpr LayoutStep kRemoveUD[] = {
    {Op::Show, u"frmDataOrganizer"},
    {Op::Show, u"frmDO1to4"},
    {Op::Hide, u"frmDOOptions"},
    {Op::Hide, u"chkChartObject"},
    {Op::Hide, u"chkRemoveAS"},
    {Op::Hide, u"chkCleanWhiteSpaces"},
    {Op::Show, u"lblCaseEx"},
    {Op::Caption, u"lblCaseEx", u"Enter Characters Below to Remove from Selected Cells:"},
    {Op::Show, u"txtUserDefinedChars"},
    {Op::Show, u"CheckBox5"},
    {Op::Caption, u"lblDO1to4Help", u"Press Yes Button to Remove User Defined Chars from Selected Cells"},
    {Op::SelectionCount, u"lblDOSelCells"},
    {Op::Caption, u"lblDOHeader1to4", u"Do you want to Remove User Defined Characters ?"},
};

// The positional tools: the text cleaner page, its switches set, then the question.
constexpr LayoutStep kAllBefore[] = {
    {Op::Show, u"frmTextCleaner"},
    {Op::Tick, u"optLeading"},
    {Op::Tick, u"chkAllChars"},
    {Op::Caption, u"lblTextCleanerHD", u"Do you want to Remove/Replace all text before nth Character(s)"},
};
constexpr LayoutStep kAllAfter[] = {
    {Op::Show, u"frmTextCleaner"},
    {Op::Tick, u"optTrailing"},
    {Op::Tick, u"chkAllChars"},
    {Op::Caption, u"lblTextCleanerHD", u"Do you want to Remove/Replace all text after nth Character(s)"},
};
constexpr LayoutStep kXBefore[] = {
    {Op::Show, u"frmTextCleaner"},
    {Op::Tick, u"optLeading"},
    {Op::Clear, u"chkAllChars"},
    {Op::Caption, u"lblTextCleanerHD", u"Do you want to Remove/Replace X nos. of Character(s) before nth Character(s)"},
};
constexpr LayoutStep kXAfter[] = {
    {Op::Show, u"frmTextCleaner"},
    {Op::Tick, u"optTrailing"},
    {Op::Clear, u"chkAllChars"},
    {Op::Caption, u"lblTextCleanerHD", u"Do you want to Remove/Replace X nos. of Character(s) after nth Character(s)"},
};
constexpr LayoutStep kLeading[] = {
    {Op::Show, u"frmTextCleaner"},
    {Op::Tick, u"optLeading"},
    {Op::Disable, u"chkAllChars"},
    {Op::Disable, u"txtStartPos"},
    {Op::Disable, u"txtNthChars"},
    {Op::Enable, u"txtNoOfChars"},
    {Op::Enable, u"Label53"},
    {Op::Caption, u"lblTextCleanerHD", u"Do you want to Remove/Replace X nos. of Leading Character(s)"},
};
constexpr LayoutStep kTrailing[] = {
    {Op::Show, u"frmTextCleaner"},
    {Op::Tick, u"optTrailing"},
    {Op::Disable, u"txtNthChars"},
    {Op::Disable, u"chkAllChars"},
    {Op::Disable, u"txtStartPos"},
    {Op::Enable, u"txtNoOfChars"},
    {Op::Enable, u"Label53"},
    {Op::Caption, u"lblTextCleanerHD", u"Do you want to Remove/Replace X nos. of Trailing Character(s)"},
};

constexpr SetUpRow kRows[] = {
    {u"removeNumbers", u"TC1to8_RNUM", kRemoveNumbers},
    {u"removeAlphabets", u"TC1to8_RALP", kRemoveAlphabets},
    {u"removeUD", u"TC1to8_RUSD", kRemoveUD},
    {u"removeAllCaps", u"TC1to8_RCAP", kRemoveAllCaps},
    {u"removeLowerCase", u"TC1to8_RLOC", kRemoveLowerCase},
    {u"removeAllSpaces", u"TC1to8_RALS", kRemoveAllSpaces},
    {u"removeLTSpaces", u"TC1to8_RLTS", kRemoveLTSpaces},
    {u"removeExtraSpaces", u"TC1to8_RAES", kRemoveExtraSpaces},
    {u"remAllCharsBeforeXChars", u"TC9to14_RALC", kAllBefore},
    {u"remAllCharsAfterXChars", u"TC9to14_RATC", kAllAfter},
    {u"remXCharsBeforeXChars", u"TC9to14_RXLC", kXBefore},
    {u"remXCharsAfterXChars", u"TC9to14_RXTC", kXAfter},
    {u"remBeforeXChars", u"TC9to14_RLXC", kLeading},
    {u"remAfterXChars", u"TC9to14_RTXC", kTrailing},
};

}  // namespace

void setUpTextCleanerDialog(std::u16string& commandKey) {
    const SetUpRow* row = dialog::findSetUpRow(kRows, commandKey);
    if (!row) return;
    dialog::FrmMain& form = dialog::frmMain();
    dialog::applyLayoutSteps(form, row->steps);
    dialog::activeTCKey = row->toolKey;
    form.lblMainHeader.setCaption(u"Cellwash - Text Cleaner");
    form.Show();
}

}  // namespace tools::text
