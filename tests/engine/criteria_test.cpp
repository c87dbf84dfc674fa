#include "engine/criteria.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"
#include "tests/support/printing.h"

using engine::Criterion;
using host::Variant;

namespace {

constexpr int kYear = 2024;

Variant T(const char16_t* text) { return Variant(text); }
Variant N(double number) { return Variant(number); }
Variant B(bool value) { return Variant(value); }
Variant D(double serial) { return Variant::date(serial); }
Variant E(int code) { return Variant::error(code); }
const Variant kEmpty;
const Variant kNA = Variant::error(host::xlErrNA);

struct MatchCase {
    Variant criterion;
    Variant cell;
    bool matches;
};

std::string describe(const MatchCase& c) {
    std::ostringstream os;
    os << "criterion ";
    host::PrintTo(c.criterion, &os);
    os << " cell ";
    host::PrintTo(c.cell, &os);
    return os.str();
}

void expectMatches(const std::vector<MatchCase>& cases) {
    for (const auto& c : cases)
        EXPECT_EQ(Criterion::parse(c.criterion, kYear).matches(c.cell), c.matches) << describe(c);
}

TEST(Criterion, NumberEquality) {
    expectMatches({
        {T(u"5"), N(5), true},
        {T(u"5"), N(5.5), false},
        {N(5), N(5), true},
        {T(u"5"), T(u"5"), true},
        {T(u"5"), T(u"05"), true},
        {T(u"5"), T(u" 5 "), true},
        {T(u"5"), T(u"5.0"), true},
        {T(u"1"), T(u"01"), true},
        {N(1), T(u"01"), true},
        {T(u"5"), T(u"abc"), false},
        {T(u"5"), kEmpty, false},
        {T(u"1"), B(true), false},
        {T(u"0"), kEmpty, false},
        {T(u"0"), B(false), false},
        {T(u"0"), T(u""), false},
        {T(u" 5 "), N(5), true},
        {T(u"=5"), N(5), true},
        {T(u"=5"), T(u"5"), true},
        {T(u"50%"), N(0.5), true},
        {T(u"1e3"), N(1000), true},
        {T(u"1,000"), N(1000), true},
        {T(u"1/2/2024"), D(45293), true},
        {T(u"1/2/2024"), N(45293), true},
        {T(u"1/2/2024"), T(u"1/2/2024"), true},
        {D(45293), T(u"2024-01-02"), true},
        {T(u"1/2"), D(45293), true},
        {T(u"5"), kNA, false},
        {T(u"-0"), N(0), true},
    });
}

TEST(Criterion, NumberOperators) {
    expectMatches({
        {T(u"<>5"), N(5), false},
        {T(u"<>5"), N(6), true},
        {T(u"<>5"), T(u"5"), true},
        {T(u"<>5"), T(u"abc"), true},
        {T(u"<>5"), kEmpty, true},
        {T(u"<>5"), T(u""), true},
        {T(u"<>5"), B(true), true},
        {T(u"<>5"), kNA, true},
        {T(u">5"), N(6), true},
        {T(u">5"), N(5), false},
        {T(u">5"), T(u"6"), false},
        {T(u">5"), kEmpty, false},
        {T(u">5"), B(true), false},
        {T(u">=5"), N(5), true},
        {T(u"<=5"), N(5), true},
        {T(u"<=5"), N(-1), true},
        {T(u"<=5"), T(u"1"), false},
        {T(u"<5"), kEmpty, false},
        {T(u"<5"), N(4.999), true},
        {T(u">=1/1/2024"), D(45293), true},
        {T(u">=1/1/2024"), D(45000), false},
        {T(u"< 5"), N(4), true},
        {T(u">-1"), N(0), true},
        {T(u">5"), kNA, false},
    });
}

TEST(Criterion, Booleans) {
    expectMatches({
        {T(u"TRUE"), B(true), true},
        {T(u"true"), B(true), true},
        {T(u"TRUE"), T(u"TRUE"), false},
        {T(u"TRUE"), N(1), false},
        {T(u"FALSE"), B(false), true},
        {T(u"FALSE"), kEmpty, false},
        {T(u"FALSE"), N(0), false},
        {B(true), B(true), true},
        {B(false), N(0), false},
        {T(u"=TRUE"), B(true), true},
        {T(u"<>TRUE"), B(false), true},
        {T(u"<>TRUE"), B(true), false},
        {T(u"<>TRUE"), T(u"TRUE"), true},
        {T(u"<>TRUE"), kEmpty, true},
        {T(u">FALSE"), B(true), true},
        {T(u">FALSE"), N(5), false},
        {T(u"<TRUE"), B(false), true},
        {T(u" TRUE"), B(true), false},
    });
}

TEST(Criterion, Errors) {
    expectMatches({
        {T(u"#N/A"), kNA, true},
        {T(u"#N/A"), E(host::xlErrDiv0), false},
        {T(u"#N/A"), T(u"#N/A"), false},
        {kNA, kNA, true},
        {T(u"#div/0!"), E(host::xlErrDiv0), true},
        {T(u"=#REF!"), E(host::xlErrRef), true},
        {T(u"<>#N/A"), kNA, false},
        {T(u"<>#N/A"), N(1), true},
        {T(u"<>#N/A"), kEmpty, true},
        {T(u">#N/A"), kNA, false},
    });
}

TEST(Criterion, TextsAndWildcards) {
    expectMatches({
        {T(u"apple"), T(u"apple"), true},
        {T(u"apple"), T(u"APPLE"), true},
        {T(u"apple"), T(u"apple "), false},
        {T(u"apple"), T(u" apple"), false},
        {T(u"apple"), T(u"apples"), false},
        {T(u"apple"), kEmpty, false},
        {T(u"app*"), T(u"apple"), true},
        {T(u"app*"), T(u"app"), true},
        {T(u"app*"), T(u"Application"), true},
        {T(u"app*"), T(u"pineapple"), false},
        {T(u"*"), T(u""), true},
        {T(u"*"), T(u"x"), true},
        {T(u"*"), N(5), false},
        {T(u"*"), kEmpty, false},
        {T(u"*"), B(true), false},
        {T(u"?"), T(u"a"), true},
        {T(u"?"), T(u"ab"), false},
        {T(u"?"), T(u""), false},
        {T(u"?"), N(5), false},
        {T(u"1*"), N(10), false},
        {T(u"1*"), T(u"10"), true},
        {T(u"~*"), T(u"*"), true},
        {T(u"~*"), T(u"a"), false},
        {T(u"~?"), T(u"?"), true},
        {T(u"~?"), T(u"a"), false},
        {T(u"~~"), T(u"~"), true},
        {T(u"a~b"), T(u"a~b"), true},
        {T(u"~"), T(u"~"), true},
        {T(u"*~"), T(u"ab~"), true},
        {T(u"a~*b"), T(u"a*b"), true},
        {T(u"a~*b"), T(u"axb"), false},
        {T(u"=apple"), T(u"APPLE"), true},
        {T(u"a?c*"), T(u"ABCDEF"), true},
        {T(u"*b*"), T(u"abc"), true},
        {T(u"stra\u00DFe"), T(u"STRA\u00DFE"), true},
        {T(u"\u03A3"), T(u"\u03C3"), true},
        {T(u"\u00DF"), T(u"SS"), false},
        {T(u"?"), T(u"\U0001F600"), false},
        {T(u"??"), T(u"\U0001F600"), true},
        {T(u"abc"), T(u"ABC"), true},
        {T(u"TRUE*"), T(u"true"), true},
        {T(u"TRUE*"), B(true), false},
    });
}

TEST(Criterion, TextOperators) {
    expectMatches({
        {T(u"<>apple"), T(u"Apple"), false}, {T(u"<>apple"), T(u"pear"), true}, {T(u"<>apple"), kEmpty, true},
        {T(u"<>apple"), N(5), true},         {T(u"<>a*"), T(u"abc"), false},    {T(u"<>a*"), T(u"b"), true},
        {T(u">b"), T(u"c"), true},           {T(u">b"), T(u"C"), true},         {T(u">b"), T(u"B"), false},
        {T(u">b"), T(u"a"), false},          {T(u">b"), N(5), false},           {T(u">b"), kEmpty, false},
        {T(u"<B"), T(u"a"), true},           {T(u"<B"), T(u"A"), true},         {T(u"<B"), kEmpty, false},
        {T(u">=apple"), T(u"APPLE"), true},  {T(u">a*"), T(u"b"), true},        {T(u">a*"), T(u"a"), false},
        {T(u"<=a*"), T(u"a*"), true},
    });
}

TEST(Criterion, Blanks) {
    expectMatches({
        {T(u""), kEmpty, true},
        {T(u""), T(u""), true},
        {T(u""), T(u" "), false},
        {T(u""), N(0), false},
        {T(u""), B(false), false},
        {T(u"="), kEmpty, true},
        {T(u"="), T(u""), false},
        {T(u"="), N(0), false},
        {T(u"<>"), kEmpty, false},
        {T(u"<>"), T(u""), true},
        {T(u"<>"), N(0), true},
        {T(u"<>"), T(u"x"), true},
        {T(u"<>"), kNA, true},
        {kEmpty, kEmpty, false},
        {kEmpty, T(u""), false},
        {kEmpty, N(0), false},
    });
}

TEST(Criterion, LongerThan255CodeUnitsFailsWith1004) {
    const std::u16string longest(255, u'a');
    EXPECT_TRUE(Criterion::parse(Variant(longest), kYear).matches(Variant(longest)));
    for (const std::u16string& text : {longest + u"a", u"<>" + std::u16string(254, u'a')}) {
        try {
            Criterion::parse(Variant(text), kYear);
            ADD_FAILURE() << "accepted " << text.size() << " code units";
        } catch (const host::Error& e) {
            EXPECT_EQ(e.number(), host::errApplication);
        }
    }
}

TEST(Criterion, OnlyEqualityWithoutWildcardsHasAnIndexKey) {
    const struct {
        Variant criterion;
        bool hasKey;
    } cases[] = {
        {T(u"apple"), true}, {T(u"=apple"), true}, {T(u"app*"), false}, {T(u"a?"), false},  {T(u"~*"), true},
        {T(u"5"), true},     {N(5), true},         {T(u"<>5"), false},  {T(u">5"), false},  {T(u""), true},
        {T(u"="), true},     {T(u"<>"), false},    {kEmpty, true},      {T(u"TRUE"), true}, {B(false), true},
        {T(u"#N/A"), true},  {kNA, true},          {T(u">a"), false},   {D(45293), true},   {T(u"<>#N/A"), false},
    };
    for (const auto& c : cases) {
        std::ostringstream os;
        host::PrintTo(c.criterion, &os);
        std::u16string key = u"left as it was";
        EXPECT_EQ(Criterion::parse(c.criterion, kYear).indexKey(key), c.hasKey) << os.str();
        if (!c.hasKey) {
            EXPECT_EQ(key, u"left as it was") << os.str();
        }
    }
}

// The count index answers an equality criterion by its key; that must give exactly what
// matches() gives, for every cell.
TEST(Criterion, IndexKeysAgreeWithMatches) {
    const std::vector<Variant> cells = {
        kEmpty,
        T(u""),
        T(u" "),
        T(u"apple"),
        T(u"APPLE"),
        T(u"apple "),
        T(u"5"),
        T(u"05"),
        T(u" 5"),
        T(u"5.0"),
        T(u"50%"),
        T(u"1/2/2024"),
        T(u"1/2"),
        T(u"TRUE"),
        T(u"#N/A"),
        T(u"*"),
        T(u"~"),
        T(u"stra\u00DFe"),
        T(u"\u03C3"),
        N(5),
        N(0),
        N(-0.0),
        N(0.5),
        N(45293),
        D(45293),
        B(true),
        B(false),
        kNA,
        E(host::xlErrDiv0),
        T(u"1,000"),
        N(1000),
    };
    const std::vector<Variant> criteria = {
        T(u"apple"),   T(u"=APPLE"),      T(u"5"),      N(5),           T(u"0"),     N(-0.0),
        T(u""),        T(u"="),           kEmpty,       T(u"TRUE"),     B(false),    T(u"#N/A"),
        kNA,           T(u"~*"),          T(u"~~"),     T(u"1/2/2024"), D(45293),    T(u"50%"),
        T(u"STRASSE"), T(u"STRA\u00DFE"), T(u"\u03A3"), T(u" "),        T(u"1,000"), T(u"=1000"),
        T(u"apple "),  T(u"#n/a"),
    };
    int checked = 0;
    for (const auto& criterionValue : criteria) {
        const Criterion criterion = Criterion::parse(criterionValue, kYear);
        std::u16string key;
        ASSERT_TRUE(criterion.indexKey(key));
        for (const auto& cell : cells) {
            const auto keys = engine::matchKeys(cell, kYear);
            const bool indexed = std::find(keys.begin(), keys.end(), key) != keys.end();
            EXPECT_EQ(indexed, criterion.matches(cell)) << describe({criterionValue, cell, false});
            ++checked;
        }
    }
    EXPECT_EQ(checked, static_cast<int>(cells.size() * criteria.size()));
}

TEST(WildcardMatch, FindsComparison) {
    const struct {
        const char16_t* pattern;
        const char16_t* text;
        bool matchCase;
        bool matches;
    } cases[] = {
        {u"abc", u"ABC", false, true},  {u"abc", u"ABC", true, false},     {u"a*c", u"AbC", false, true},
        {u"a*c", u"AbC", true, false},  {u"A*C", u"AbC", true, true},      {u"", u"", false, true},
        {u"", u"a", false, false},      {u"*", u"", false, true},          {u"**", u"abc", false, true},
        {u"*?", u"", false, false},     {u"?*?", u"ab", false, true},      {u"*a", u"bba", false, true},
        {u"*a", u"bab", false, false},  {u"a*b*c", u"aXbYc", false, true}, {u"a*b*c", u"aXcYb", false, false},
        {u"*ab", u"aab", false, true},  {u"~*a", u"*a", false, true},      {u"~*a", u"xa", false, false},
        {u"a~", u"a~", false, true},    {u"~x", u"~x", false, true},       {u"~~*", u"~abc", false, true},
        {u"*~?", u"why?", false, true}, {u"*~?", u"why", false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine::wildcardMatch(c.pattern, c.text, c.matchCase), c.matches)
            << host::utf8(c.pattern) << " / " << host::utf8(c.text);
}

TEST(WildcardMatch, ManyStarsOnALongTextStayFast) {
    const std::u16string text(200000, u'a');
    EXPECT_FALSE(engine::wildcardMatch(u"*a*a*a*a*a*a*a*a*b", text));
    EXPECT_TRUE(engine::wildcardMatch(u"*a*a*a*a*a*a*a*a*a", text));
    const std::u16string stars(255, u'*');
    EXPECT_FALSE(engine::wildcardMatch(stars + u"b", text));
}

}  // namespace
