// Data validation rules and their enforcement on the user's entry path.
#include <gtest/gtest.h>

#include "host/constants.h"
#include "host/error.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "tests/support/printing.h"
#include "tests/support/sheet_builder.h"

using testsupport::makeHost;

namespace {

// The duplicate guard: each cell of the column may hold its entry once.
void guardColumn(const testsupport::TestHost& t, const char16_t* target, const char16_t* formula) {
    auto v = t.sheet->Range(target)->Validation();
    v->Delete();
    v->Add(host::xlValidateCustom, host::xlValidAlertStop, host::xlBetween, formula);
    v->setErrorTitle(u"Duplicate Entry");
    v->setErrorMessage(u"This value already exists in this column.");
}

TEST(Validation, AddReadAndDeleteARule) {
    auto t = makeHost();
    guardColumn(t, u"B2:B40", u"=COUNTIF($B:$B,B2)=1");
    auto v = t.sheet->Range(u"B7")->Validation();
    EXPECT_EQ(v->Type(), host::xlValidateCustom);
    EXPECT_EQ(v->ErrorTitle(), u"Duplicate Entry");
    EXPECT_EQ(v->Formula1(), u"=COUNTIF($B:$B,B7)=1");  // seen from B7
    EXPECT_TRUE(v->IgnoreBlank());
    v->setIgnoreBlank(false);
    EXPECT_FALSE(t.sheet->Range(u"B2")->Validation()->IgnoreBlank());
    EXPECT_THROW(t.sheet->Range(u"B3")->Validation()->Add(host::xlValidateCustom, {}, {}, u"=TRUE"), host::Error);
    t.sheet->Range(u"B5:B6")->Validation()->Delete();
    EXPECT_THROW(t.sheet->Range(u"B5")->Validation()->Type(), host::Error);
    EXPECT_EQ(t.sheet->Range(u"B7")->Validation()->Type(), host::xlValidateCustom);
    EXPECT_THROW(t.sheet->Range(u"C1")->Validation()->Add(host::xlValidateCustom, {}, {}, u"=(("), host::Error);
}

TEST(Validation, TheEntryPathRefusesASecondCopyAndKeepsTheCell) {
    auto t = makeHost({{u"Name"}, {u"apple"}, {u"pear"}});
    guardColumn(t, u"A2:A40", u"=COUNTIF($A:$A,A2)=1");
    auto refused = t.app->enterValue(t.sheet->Range(u"A3"), u"Apple");
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.alertTitle, u"Duplicate Entry");
    EXPECT_EQ(refused.alertMessage, u"This value already exists in this column.");
    EXPECT_EQ(t.sheet->Range(u"A3")->Value().toText(), u"pear");
    EXPECT_TRUE(t.app->enterValue(t.sheet->Range(u"A4"), u"plum").accepted);
    EXPECT_EQ(t.sheet->Range(u"A4")->Value().toText(), u"plum");
    EXPECT_FALSE(t.app->enterValue(t.sheet->Range(u"A9"), u"PLUM").accepted);
    EXPECT_TRUE(t.sheet->Range(u"A9")->Value().isEmpty());
    EXPECT_TRUE(t.app->enterValue(t.sheet->Range(u"A3"), u"").accepted);  // blanks are ignored
}

TEST(Validation, CodeWritesAreNotChecked) {
    auto t = makeHost({{u"apple"}});
    guardColumn(t, u"A1:A10", u"=COUNTIF($A:$A,A1)=1");
    t.sheet->Range(u"A2")->setValue(host::Variant(u"apple"));
    EXPECT_EQ(t.sheet->Range(u"A2")->Value().toText(), u"apple");
}

TEST(Validation, RulesFollowDeletedRows) {
    auto t = makeHost({{u"a"}, {u"b"}, {u"c"}});
    guardColumn(t, u"A3:A10", u"=COUNTIF($A:$A,A3)=1");
    t.sheet->Range(u"A3")->EntireRow()->Delete();  // the rule's first row goes
    EXPECT_THROW(t.sheet->Range(u"A10")->Validation()->Type(), host::Error);
    EXPECT_EQ(t.sheet->Range(u"A3")->Validation()->Formula1(), u"=COUNTIF($A:$A,A3)=1");
    EXPECT_FALSE(t.app->enterValue(t.sheet->Range(u"A5"), u"B").accepted);
    EXPECT_TRUE(t.app->enterValue(t.sheet->Range(u"A5"), u"c").accepted);
}

}  // namespace
