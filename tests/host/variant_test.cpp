#include "host/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

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

// Numbers of every size and shape read as printf's "%.15G" writes them, which is the host's
// own conversion: integers, decimals, the edges of the exponent form, any bit pattern.
TEST(VariantText, NumbersReadAsFifteenDigitsOfPrintfGeneralForm) {
    std::mt19937_64 random(7);
    auto expected = [](double value) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.15G", value);
        return std::u16string(buffer, buffer + std::strlen(buffer));
    };
    std::vector<double> values{1e15 - 1,
                               1e15,
                               1e-5,
                               0.0001,
                               999999999999999.5,
                               1.5e-300,
                               1.7976931348623157e308,
                               4.9e-324,
                               123456.7890123456789,
                               -0.1};
    for (int i = 0; i < 20000; ++i) {
        values.push_back(static_cast<double>(static_cast<std::int64_t>(random() % 2000000000000) - 1000000000000));
        values.push_back(static_cast<double>(random() % 100000000) / 1000.0);
        double bits;
        const std::uint64_t pattern = random();
        std::memcpy(&bits, &pattern, sizeof bits);
        if (std::isfinite(bits) && bits != 0) values.push_back(bits);
    }
    for (double value : values) ASSERT_EQ(Variant(value).toText(), expected(value)) << value;
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

// A text is kept once: copies share it, each lives on after the others go, and a value
// given a new content lets go of the old one. ASan sees any use after the last holder.
TEST(VariantSharing, CopiesShareOneTextAndOutliveEachOther) {
    std::vector<Variant> copies;
    {
        const Variant original(std::u16string(40, u'x') + u"tail");
        for (int i = 0; i < 5; ++i) copies.push_back(original);
        for (const Variant& c : copies) EXPECT_EQ(c.text().data(), original.text().data());
    }
    EXPECT_EQ(copies.back().text(), std::u16string(40, u'x') + u"tail");
    copies.front() = Variant(7.0);  // gives up its share, the others keep theirs
    EXPECT_EQ(copies.front(), Variant(7.0));
    EXPECT_EQ(copies[1].text().size(), 44u);
    Variant moved = std::move(copies[2]);
    EXPECT_EQ(moved.text().data(), copies[1].text().data());
    EXPECT_TRUE(copies[2].isText());  // what a move leaves: an empty text
    EXPECT_EQ(copies[2].text(), u"");
    copies[3] = copies[3];  // assigning a value to itself keeps it
    EXPECT_EQ(copies[3].text().size(), 44u);
}

TEST(VariantSharing, KindsAndContentsDecideEquality) {
    EXPECT_EQ(Variant(u"abc"), Variant(std::u16string(u"abc")));
    EXPECT_NE(Variant(u"abc"), Variant(u"ABC"));
    EXPECT_NE(Variant(u""), Variant());  // an empty text is not an empty cell
    EXPECT_EQ(Variant(u""), Variant::withText(0, [](char16_t*) {}));
    EXPECT_NE(Variant(1.0), Variant(true));
    EXPECT_NE(Variant(45293.0), Variant::date(45293));
    EXPECT_EQ(Variant::error(host::xlErrNA), Variant::error(host::xlErrNA));
    EXPECT_EQ(Variant(u"12").number(), 0);  // a text has no number, however it reads
    EXPECT_EQ(Variant(std::u16string_view(u"a\0b", 3)).text().size(), 3u);
    const Variant written = Variant::withText(3, [](char16_t* units) {
        units[0] = u'x';
        units[1] = u'\0';
        units[2] = u'\u00e9';
    });
    EXPECT_EQ(written.text(), std::u16string_view(u"x\0\u00e9", 3));
}

// Cells read on one thread are copied and dropped on others (a save beside a tool): the
// count is kept atomically, so every copy is freed once, whatever the interleaving.
TEST(VariantSharing, CopiesMadeAndDroppedOnTwoThreadsFreeTheTextOnce) {
    const Variant shared(u"a text shared by two threads");
    auto churn = [&] {
        for (int i = 0; i < 200000; ++i) {
            Variant copy = shared;
            Variant again = copy;
            copy = Variant();
            ASSERT_EQ(again.text().size(), 28u);
        }
    };
    std::thread other(churn);
    churn();
    other.join();
    EXPECT_EQ(shared.text(), u"a text shared by two threads");
}

}  // namespace
