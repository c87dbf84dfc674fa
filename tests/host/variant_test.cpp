#include "host/variant.h"

#include <gtest/gtest.h>

#include "host/constants.h"
#include "host/error.h"
#include "tests/support/printing.h"

using host::Variant;

namespace {

struct NumberCase {
    double value;
    const char16_t* text;
};

TEST(VariantText, NumbersUseFifteenSignificantDigitsShortestForm) {
    const NumberCase cases[] = {
        {1234.5, u"1234.5"},
        {0.1 + 0.2, u"0.3"},
        {1e20, u"1E+20"},
        {123456789012345678.0, u"1.23456789012346E+17"},
        {0.00001, u"1E-05"},
        {0.0001, u"0.0001"},
        {-0.0, u"0"},
        {-42, u"-42"},
        {100000000000000.0, u"100000000000000"},
        {1e15, u"1E+15"},
    };
    for (const auto& c : cases) EXPECT_EQ(Variant(c.value).toText(), c.text) << c.value;
}

TEST(VariantText, KindsConvertAsTheHostDoes) {
    EXPECT_EQ(Variant().toText(), u"");
    EXPECT_EQ(Variant(true).toText(), u"True");
    EXPECT_EQ(Variant(false).toText(), u"False");
    EXPECT_EQ(Variant(u"abc").toText(), u"abc");
    EXPECT_EQ(Variant::date(45293).toText(), u"1/2/2024");
    EXPECT_EQ(Variant::date(45293.5).toText(), u"1/2/2024 12:00:00 PM");
    EXPECT_EQ(Variant::date(45293.25).toText(), u"1/2/2024 6:00:00 AM");
    EXPECT_EQ(Variant::date(61).toText(), u"3/1/1900");
}

TEST(VariantText, ReadingAnErrorAsTextIsATypeMismatch) {
    const Variant na = Variant::error(host::xlErrNA);
    EXPECT_EQ(na.errorText(), u"#N/A");
    try {
        (void)na.toText();
        FAIL() << "expected host::Error";
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), 13);
    }
}

TEST(VariantText, ErrorLiteralsRoundTrip) {
    for (int code : {host::xlErrNull, host::xlErrDiv0, host::xlErrValue, host::xlErrRef, host::xlErrName,
                     host::xlErrNum, host::xlErrNA})
        EXPECT_EQ(host::errorCodeOf(host::errorLiteral(code)), code);
    EXPECT_EQ(host::errorCodeOf(u"#n/a"), host::xlErrNA);
    EXPECT_EQ(host::errorCodeOf(u"#N/A "), 0);
}

}  // namespace
