// Case mapping of one text: ICU's full mapping for upper, lower and proper case, and the
// ASCII-only sentence case.
#include <gtest/gtest.h>

#include "tests/support/printing.h"
#include "tools/organizer/case_mapping.h"

using tools::organizer::CaseMode;
using tools::organizer::mapCase;
using tools::organizer::sentenceCase;

namespace {

struct CaseRow {
    std::u16string input;
    CaseMode mode;
    std::u16string expected;
};

class MapCaseTable : public ::testing::TestWithParam<CaseRow> {};

TEST_P(MapCaseTable, MapsTheText) { EXPECT_EQ(mapCase(GetParam().input, GetParam().mode), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Rows, MapCaseTable,
    ::testing::Values(
        CaseRow{u"hello WORLD", CaseMode::Upper, u"HELLO WORLD"}, CaseRow{u"CWK VER5", CaseMode::Lower, u"cwk ver5"},
        CaseRow{u"cwK veR5", CaseMode::Proper, u"Cwk Ver5"}, CaseRow{u"CWK VER5", CaseMode::Proper, u"Cwk Ver5"},
        // Only a letter begins a word: the digit takes the first place and the letter stays low.
        CaseRow{u"1st PLACE", CaseMode::Proper, u"1st Place"},
        CaseRow{u"o'NEIL-smith", CaseMode::Proper, u"O'neil-smith"},
        CaseRow{u"a\tb\nc\rd", CaseMode::Proper, u"A\tB\nC\rD"}, CaseRow{u"", CaseMode::Upper, u""},
        // Non-ASCII letters follow Unicode: German sharp s grows to two letters in upper case,
        // Greek capital sigma becomes the final form at the end of a word.
        CaseRow{u"straße", CaseMode::Upper, u"STRASSE"}, CaseRow{u"ΟΔΥΣΣΕΥΣ", CaseMode::Lower, u"οδυσσευς"},
        CaseRow{u"ΟΔΥΣΣΕΥΣ ΚΑΙ", CaseMode::Proper, u"Οδυσσευς Και"},
        CaseRow{u"éCOLE ÉTÉ", CaseMode::Proper, u"École Été"}, CaseRow{u"ßen", CaseMode::Proper, u"SSen"},
        CaseRow{u"привет МИР", CaseMode::Proper, u"Привет Мир"},
        // A letter outside the basic plane (Deseret) as a surrogate pair.
        CaseRow{u"\U00010428\U00010429", CaseMode::Proper, u"\U00010400\U00010429"},
        CaseRow{u"\U00010428", CaseMode::Upper, u"\U00010400"}));

struct SentenceRow {
    std::u16string input, expected;
};

class SentenceTable : public ::testing::TestWithParam<SentenceRow> {};

TEST_P(SentenceTable, CapitalisesAfterFullStopsAndQuestionMarks) {
    EXPECT_EQ(sentenceCase(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, SentenceTable,
                         ::testing::Values(SentenceRow{u"cwK veR5", u"Cwk ver5"}, SentenceRow{u"CWK VER5", u"Cwk ver5"},
                                           SentenceRow{u"what? yes. ok", u"What? Yes. Ok"},
                                           SentenceRow{u"wow! great", u"Wow! great"},
                                           SentenceRow{u"1st place. 2nd try", u"1St place. 2Nd try"},
                                           // Non-ASCII letters neither change nor use up the capital.
                                           SentenceRow{u"élan VITAL. ÉTÉ x", u"éLan vital. ÉTÉ x"},
                                           SentenceRow{u"...", u"..."}, SentenceRow{u"", u""}));

}  // namespace
