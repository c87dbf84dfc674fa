#include "engine/typed_input.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"
#include "tests/support/printing.h"

using engine::TypedInput;
using host::Variant;
using Kind = engine::TypedInput::Kind;

namespace {

constexpr int kYear = 2024;
constexpr std::nullopt_t kNone = std::nullopt;

TEST(ParseNumber, NumbersAsTyped) {
    const struct {
        const char16_t* text;
        std::optional<double> number;
    } cases[] = {
        {u"0", 0},          {u"42", 42},          {u"-42", -42},      {u"+42", 42},         {u"  7  ", 7},
        {u"00123", 123},    {u"1.5", 1.5},        {u".5", 0.5},       {u"5.", 5},           {u"-.25", -0.25},
        {u"1e3", 1000},     {u"1E+3", 1000},      {u"2.5e-2", 0.025}, {u"50%", 0.5},        {u"1.1%", 0.011},
        {u"-5%", -0.05},    {u"1e2%", 1},         {u"1,234", 1234},   {u"1,234.5", 1234.5}, {u"12,345,678", 12345678},
        {u"-1,000", -1000}, {u"1,234e1", 12340},  {u" 1,234 ", 1234}, {u"1,23", kNone},     {u"1,2345", kNone},
        {u",123", kNone},   {u"1234,567", kNone}, {u"1,,234", kNone}, {u"1.234,5", kNone},  {u"", kNone},
        {u" ", kNone},      {u"+", kNone},        {u"-", kNone},      {u".", kNone},        {u"e3", kNone},
        {u"1e", kNone},     {u"1e+", kNone},      {u"1 000", kNone},  {u"--5", kNone},      {u"5-", kNone},
        {u"50%%", kNone},   {u"%50", kNone},      {u"1e400", kNone},  {u"abc", kNone},      {u"0x10", kNone},
        {u"inf", kNone},    {u"nan", kNone},      {u"- 5", kNone},    {u"5 %", kNone},      {u"\uFF15", kNone},
        {u"1.2.3", kNone},
    };
    for (const auto& c : cases) EXPECT_EQ(engine::parseNumber(c.text), c.number) << host::utf8(c.text);
}

TEST(ParseNumber, NegativeZeroIsZero) {
    const auto zero = engine::parseNumber(u"-0");
    ASSERT_TRUE(zero.has_value());
    EXPECT_FALSE(std::signbit(*zero));
}

TEST(ParseDate, DatesAndTimesAsSerials) {
    const struct {
        const char16_t* text;
        std::optional<double> serial;
    } cases[] = {
        {u"1/2/2024", 45293},
        {u"01/02/2024", 45293},
        {u"1/2", 45293},
        {u"1-2", 45293},
        {u"1-2-2024", 45293},
        {u"2024-01-02", 45293},
        {u"2024/1/2", 45293},
        {u"1/2/24", 45293},
        {u"1/2/99", 36162},
        {u"1/2/30", 10960},
        {u"1/2/3", 37623},
        {u"1/2/29", 47120},
        {u"2/29/2024", 45351},
        {u"3/1/2024", 45352},
        {u"1/1/1900", 2},
        {u"12/31/9999", 2958465},
        {u" 1/2/2024 ", 45293},
        {u"13:30", 0.5625},
        {u"1:30 PM", 0.5625},
        {u"1:30pm", 0.5625},
        {u"12:00 AM", 0},
        {u"12:00 PM", 0.5},
        {u"0:00", 0},
        {u"1:30:15", 5415.0 / 86400},
        {u"1/2/2024 13:30", 45293.5625},
        {u"1/2/2024  1:30 PM", 45293.5625},
        {u"2024-01-02 06:00", 45293.25},
        {u"2/30/2024", kNone},
        {u"2/29/2023", kNone},
        {u"13/1/2024", kNone},
        {u"0/1/2024", kNone},
        {u"1/0/2024", kNone},
        {u"1/2/1899", kNone},
        {u"1/2/123", kNone},
        {u"1/2/10000", kNone},
        {u"1//2", kNone},
        {u"1/2/", kNone},
        {u"/1/2", kNone},
        {u"1/2-2024", kNone},
        {u"2024-13-01", kNone},
        {u"2024-1", kNone},
        {u"1/2/3/4", kNone},
        {u"24:00", kNone},
        {u"12:60", kNone},
        {u"13:00 PM", kNone},
        {u"1:2:3:4", kNone},
        {u"1:", kNone},
        {u":30", kNone},
        {u"AM", kNone},
        {u"1:30 XM", kNone},
        {u"1/2/2024 25:00", kNone},
        {u"1/2/2024 x", kNone},
        {u"", kNone},
        {u"1", kNone},
        {u"abc", kNone},
        {u"1/a", kNone},
    };
    for (const auto& c : cases) EXPECT_EQ(engine::parseDate(c.text, kYear), c.serial) << host::utf8(c.text);
}

TEST(ParseDate, DayAndMonthAloneTakeTheGivenYear) {
    EXPECT_EQ(engine::parseDate(u"2/29", 2024), 45351);
    EXPECT_EQ(engine::parseDate(u"2/29", 2023), std::nullopt);
    EXPECT_EQ(engine::parseDate(u"7/4", 2023), 45111);
}

TEST(ParseBoolean, AnyCaseNoSpaces) {
    const struct {
        const char16_t* text;
        std::optional<bool> value;
    } cases[] = {{u"TRUE", true},   {u"true", true},   {u"tRuE", true},   {u"FALSE", false},
                 {u"False", false}, {u" TRUE", kNone}, {u"TRUE ", kNone}, {u"T", kNone},
                 {u"yes", kNone},   {u"1", kNone},     {u"", kNone}};
    for (const auto& c : cases) EXPECT_EQ(engine::parseBoolean(c.text), c.value) << host::utf8(c.text);
}

TEST(ParseTypedInput, WhatATypedTextBecomes) {
    const struct {
        const char16_t* text;
        Kind kind;
        Variant value;
        const char16_t* formula;
    } cases[] = {
        {u"", Kind::Empty, Variant(), u""},
        {u"=A1+1", Kind::Formula, Variant(), u"=A1+1"},
        {u"=", Kind::Formula, Variant(), u"="},
        {u"'abc", Kind::Value, Variant(u"abc"), u""},
        {u"'123", Kind::Value, Variant(u"123"), u""},
        {u"'=A1", Kind::Value, Variant(u"=A1"), u""},
        {u"'", Kind::Value, Variant(u""), u""},
        {u"abc", Kind::Value, Variant(u"abc"), u""},
        {u" ", Kind::Value, Variant(u" "), u""},
        {u"123", Kind::Value, Variant(123.0), u""},
        {u"00123", Kind::Value, Variant(123.0), u""},
        {u"1,234.5", Kind::Value, Variant(1234.5), u""},
        {u"1,23", Kind::Value, Variant(u"1,23"), u""},
        {u"50%", Kind::Value, Variant(0.5), u""},
        {u"1e3", Kind::Value, Variant(1000.0), u""},
        {u" -7 ", Kind::Value, Variant(-7.0), u""},
        {u"TRUE", Kind::Value, Variant(true), u""},
        {u"false", Kind::Value, Variant(false), u""},
        {u"True ", Kind::Value, Variant(u"True "), u""},
        {u"1/2", Kind::Value, Variant::date(45293), u""},
        {u"1/2/2024", Kind::Value, Variant::date(45293), u""},
        {u"2024-01-02", Kind::Value, Variant::date(45293), u""},
        {u"1/2/2024 13:30", Kind::Value, Variant::date(45293.5625), u""},
        {u"1:30 PM", Kind::Value, Variant::date(0.5625), u""},
        {u"2/30/2024", Kind::Value, Variant(u"2/30/2024"), u""},
        {u"#N/A", Kind::Value, Variant(u"#N/A"), u""},
        {u"$5", Kind::Value, Variant(u"$5"), u""},
        {u"+A1", Kind::Value, Variant(u"+A1"), u""},
    };
    for (const auto& c : cases) {
        const TypedInput input = engine::parseTypedInput(c.text, kYear);
        EXPECT_EQ(input.kind, c.kind) << host::utf8(c.text);
        EXPECT_EQ(input.value, c.value) << host::utf8(c.text);
        EXPECT_EQ(input.formula, c.formula) << host::utf8(c.text);
        // A value written through Range.Value reads the same; text that stays text is the
        // value's own, not a copy.
        const Variant written(c.text);
        const TypedInput fromValue = engine::parseTypedValue(written, kYear);
        EXPECT_EQ(fromValue.kind, c.kind) << host::utf8(c.text);
        EXPECT_EQ(fromValue.value, c.value) << host::utf8(c.text);
        EXPECT_EQ(fromValue.formula, c.formula) << host::utf8(c.text);
        if (c.value == written) {
            EXPECT_EQ(fromValue.value.text().data(), written.text().data()) << host::utf8(c.text);
        }
    }
}

TEST(ParseTypedInput, TextLongerThanACellHoldsFailsWith1004) {
    const std::u16string longest(host::kMaxCellText, u'x');
    EXPECT_EQ(engine::parseTypedInput(longest, kYear).value, Variant(longest));
    EXPECT_EQ(engine::parseTypedInput(u"'" + longest, kYear).value, Variant(longest));
    for (const std::u16string& text : {longest + u"x", u"'" + longest + u"x", u"=" + longest}) {
        try {
            engine::parseTypedInput(text, kYear);
            ADD_FAILURE() << "accepted " << text.size() << " code units";
        } catch (const host::Error& e) {
            EXPECT_EQ(e.number(), host::errApplication);
        }
    }
}

TEST(CurrentYear, AgreesWithTheSystemClock) {
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    const int utcYear = static_cast<int>(std::chrono::year_month_day(today).year());
    // The local date may already, or still, be in the neighbouring year around midnight.
    EXPECT_LE(std::abs(engine::currentYear() - utcYear), 1);
}

}  // namespace
