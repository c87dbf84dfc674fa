// Randomised inputs for every parser: random code units, grammar-like fragments and mutations
// of valid inputs. Each call must either succeed or throw host::Error, and what succeeds must
// keep its round-trip and agreement properties. Fixed seeds: a failure reproduces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/address.h"
#include "engine/criteria.h"
#include "engine/formula.h"
#include "engine/text_functions.h"
#include "engine/typed_input.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"
#include "tests/support/printing.h"

using engine::Area;
using host::Variant;

namespace {

constexpr int kYear = 2024;

class Inputs {
public:
    explicit Inputs(std::uint64_t seed) : rng_(seed) {}

    size_t below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
    bool chance(int percent) { return below(100) < static_cast<size_t>(percent); }
    long between(long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(rng_); }

    char16_t unit() {
        static const char16_t kSpecial[] = {0,     9,      10,     13,     ' ',    0x7F,   0xA0,   0xDF,   0x130, 0x3A3,
                                            0x3C2, 0xD800, 0xDC00, 0xFB01, 0xFEFF, 0xFF15, 0xFFFD, 0xFFFF, 0x3000};
        if (chance(85)) return static_cast<char16_t>(between(32, 126));
        if (chance(50)) return kSpecial[below(std::size(kSpecial))];
        return static_cast<char16_t>(between(0, 0xFFFF));
    }

    std::u16string randomUnits(size_t maxLength) {
        std::u16string s;
        const size_t n = below(maxLength + 1);
        for (size_t i = 0; i < n; ++i) s.push_back(unit());
        return s;
    }

    std::u16string fragments(const std::vector<std::u16string>& pieces, size_t maxPieces) {
        std::u16string s;
        const size_t n = below(maxPieces + 1);
        for (size_t i = 0; i < n; ++i) s += chance(90) ? pieces[below(pieces.size())] : std::u16string(1, unit());
        return s;
    }

    // Inserts, deletes, replaces or duplicates a few units.
    std::u16string mutate(std::u16string s) {
        const size_t edits = 1 + below(4);
        for (size_t e = 0; e < edits; ++e) {
            const size_t at = s.empty() ? 0 : below(s.size() + 1);
            switch (below(4)) {
            case 0: s.insert(s.begin() + static_cast<long>(at), unit()); break;
            case 1:
                if (at < s.size()) s.erase(at, 1);
                break;
            case 2:
                if (at < s.size()) s[at] = unit();
                break;
            default: s.insert(at, s.substr(at, below(6))); break;
            }
        }
        return s;
    }

    // The text cut or padded with random units to a length in [lo, hi].
    std::u16string resized(std::u16string s, size_t lo, size_t hi) {
        const size_t length = lo + below(hi - lo + 1);
        while (s.size() < length) s.push_back(unit());
        s.resize(length);
        return s;
    }

    // One input for a parser: random units, fragments, or a mutated valid sample.
    std::u16string input(const std::vector<std::u16string>& pieces, const std::vector<std::u16string>& samples,
                         size_t maxPieces) {
        switch (below(3)) {
        case 0: return randomUnits(maxPieces * 2);
        case 1: return fragments(pieces, maxPieces);
        default: return mutate(samples[below(samples.size())]);
        }
    }

    Variant cell(const std::vector<std::u16string>& texts) {
        switch (below(7)) {
        case 0: return Variant();
        case 1: return Variant(static_cast<double>(between(-3, 12)));
        case 2: return Variant(std::ldexp(static_cast<double>(between(-1000, 1000)), static_cast<int>(between(-8, 8))));
        case 3: return Variant(chance(50));
        case 4: return Variant::date(chance(50) ? 45293 : static_cast<double>(between(0, 50000)) / 4);
        case 5: {
            static const int kCodes[] = {host::xlErrNA, host::xlErrDiv0, host::xlErrValue, host::xlErrRef};
            return Variant::error(kCodes[below(4)]);
        }
        default: return Variant(chance(70) ? texts[below(texts.size())] : randomUnits(6));
        }
    }

private:
    std::mt19937_64 rng_;
};

// Runs the call; host::Error 1004 is an allowed outcome, anything else fails the test.
template <class Call>
bool succeeds(const std::u16string& input, Call&& call) {
    try {
        call();
        return true;
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), host::errApplication) << host::utf8(input);
        return false;
    } catch (const std::exception& e) {
        ADD_FAILURE() << "unexpected exception " << e.what() << " for " << host::utf8(input);
        return false;
    }
}

bool sameAreas(const std::vector<Area>& a, const std::vector<Area>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Area& x, const Area& y) {
        return x.row1 == y.row1 && x.col1 == y.col1 && x.row2 == y.row2 && x.col2 == y.col2;
    });
}

TEST(ParsersFuzz, AddressesParseOrFailWith1004AndReadBack) {
    const std::vector<std::u16string> pieces = {u"A",       u"b", u"XFD", u"XFE", u"$", u"1",  u"0", u"1048576",
                                                u"1048577", u":", u",",   u" ",   u"Z", u"AA", u"9", u"!"};
    const std::vector<std::u16string> samples = {u"A1",  u"$A$1", u"a1:b2",    u"B:B",          u"$B:$B",
                                                 u"3:3", u"1:5",  u"A1:B2,D4", u" A1 , C3:D4 ", u"XFD1048576"};
    Inputs in(0xADD7E55);
    int parsed = 0;
    for (int i = 0; i < 60000; ++i) {
        const std::u16string text = in.input(pieces, samples, 8);
        std::vector<Area> areas;
        if (!succeeds(text, [&] { areas = engine::parseAddress(text); })) continue;
        ++parsed;
        for (const auto& a : areas) ASSERT_TRUE(engine::isInsideSheet(a)) << host::utf8(text);
        const bool rowAbs = in.chance(50), colAbs = in.chance(50);
        const std::u16string formatted = engine::formatAddress(areas, rowAbs, colAbs);
        ASSERT_TRUE(sameAreas(engine::parseAddress(formatted), areas))
            << host::utf8(text) << " -> " << host::utf8(formatted);
    }
    RecordProperty("parsed", parsed);
    EXPECT_GT(parsed, 1000);  // the generator does reach valid addresses
}

TEST(ParsersFuzz, TypedInputParsesOrFailsWith1004) {
    const std::vector<std::u16string> pieces = {u"1",    u"2", u"9", u"0",    u",",     u".",  u"e",  u"E",
                                                u"+",    u"-", u"%", u" ",    u"/",     u":",  u"AM", u"pm",
                                                u"2024", u"'", u"=", u"TRUE", u"false", u"12", u"31", u"1,234"};
    const std::vector<std::u16string> samples = {
        u"1,234.5",        u"50%",     u"1e3",  u"00123", u"1/2",   u"1/2/2024", u"2024-01-02",
        u"1/2/2024 13:30", u"1:30 PM", u"TRUE", u"'abc",  u"=A1+1", u" -7 "};
    Inputs in(0x7E7E1);
    int numbers = 0;
    for (int i = 0; i < 80000; ++i) {
        const std::u16string text = in.input(pieces, samples, 8);
        engine::TypedInput typed{engine::TypedInput::Kind::Empty, {}, {}};
        if (!succeeds(text, [&] { typed = engine::parseTypedInput(text, kYear); })) continue;
        ASSERT_EQ(typed.kind == engine::TypedInput::Kind::Empty, text.empty());
        ASSERT_EQ(typed.kind == engine::TypedInput::Kind::Formula, !text.empty() && text[0] == u'=');
        if (!typed.value.isNumber()) continue;
        ++numbers;
        ASSERT_TRUE(std::isfinite(typed.value.number())) << host::utf8(text);
        const auto again = engine::parseNumber(host::formatNumber(typed.value.number()));
        ASSERT_TRUE(again.has_value()) << host::utf8(text);
        ASSERT_LE(std::abs(*again - typed.value.number()), 1e-14 * std::abs(typed.value.number())) << host::utf8(text);
    }
    RecordProperty("numbers", numbers);
    EXPECT_GT(numbers, 1000);
}

// The quick test that spares most texts a parse never turns away one a parse reads.
TEST(ParsersFuzz, EveryNumberOrDateIsOneTheQuickTestLetsThrough) {
    const std::vector<std::u16string> pieces = {u"1", u"9", u"0",  u",", u".", u"e", u"+",    u"-",  u"%",  u" ",
                                                u"/", u":", u"AM", u"x", u"$", u"(", u"2024", u"12", u"-.", u" +"};
    const std::vector<std::u16string> samples = {u"1,234.5", u" 50%",    u"-1e3", u".5", u"1/2", u" 1/2/2024 ",
                                                 u"13:30",   u"1:30 PM", u"+.25", u"-0", u"x1",  u" -x"};
    Inputs in(0x9A1CE);
    int readable = 0;
    for (int i = 0; i < 60000; ++i) {
        const std::u16string text = in.input(pieces, samples, 6);
        const bool parses = engine::parseNumberOrDate(text, kYear).has_value();
        readable += parses;
        if (parses) {
            ASSERT_TRUE(engine::mayBeNumberOrDate(text)) << host::utf8(text);
        }
    }
    EXPECT_GT(readable, 1000);  // the generator does reach numbers and dates
    EXPECT_FALSE(engine::mayBeNumberOrDate(u"  x1"));
    EXPECT_FALSE(engine::mayBeNumberOrDate(u"-"));
    EXPECT_TRUE(engine::mayBeNumberOrDate(u" -.5"));
}

const std::vector<std::u16string> kCriterionPieces = {
    u"<",    u">",       u"=",   u"<>",    u"a",     u"A",      u"b",  u"5",      u"05",
    u"1",    u".",       u"%",   u"*",     u"?",     u"~",      u" ",  u"TRUE",   u"false",
    u"#N/A", u"#div/0!", u"1/2", u"/2024", u"apple", u"\u00DF", u"SS", u"\u03A3", u"\u03C3"};

TEST(ParsersFuzz, CriteriaMatchAndAgreeWithTheirIndexKeys) {
    const std::vector<std::u16string> samples = {u"apple", u"app*", u"<>5",  u">=1/2/2024", u"",    u"=",
                                                 u"<>",    u"~*",   u"TRUE", u"#N/A",       u"50%", u"a?c"};
    Inputs in(0xC717E);
    int keyed = 0, refused = 0;
    for (int i = 0; i < 40000; ++i) {
        std::u16string text = in.input(kCriterionPieces, samples, 5);
        if (in.chance(3)) text = in.resized(text, 250, 260);  // around the 255 limit
        const Variant criterionValue = in.chance(80) ? Variant(text) : in.cell(kCriterionPieces);
        const std::u16string shown = criterionValue.isText() ? std::u16string(criterionValue.text()) : u"(value)";
        std::optional<engine::Criterion> criterion;
        if (!succeeds(shown, [&] { criterion = engine::Criterion::parse(criterionValue, kYear); })) {
            ASSERT_GT(shown.size(), 255u);
            ++refused;
            continue;
        }
        std::u16string key;
        const bool hasKey = criterion->indexKey(key);
        keyed += hasKey;
        for (int c = 0; c < 8; ++c) {
            const Variant cell = in.cell(kCriterionPieces);
            const bool matches = criterion->matches(cell);
            if (!hasKey) continue;
            const auto keys = engine::matchKeys(cell, kYear);
            ASSERT_EQ(std::find(keys.begin(), keys.end(), key) != keys.end(), matches)
                << "criterion " << host::utf8(shown) << " cell " << ::testing::PrintToString(cell);
        }
    }
    RecordProperty("keyed", keyed);
    RecordProperty("refused", refused);
    EXPECT_GT(keyed, 1000);
    EXPECT_GT(refused, 100);
}

std::u16string escaped(const std::u16string& text) {
    std::u16string out;
    for (char16_t c : text) {
        if (c == u'*' || c == u'?' || c == u'~') out.push_back(u'~');
        out.push_back(c);
    }
    return out;
}

TEST(ParsersFuzz, WildcardsMatchWithoutBlowingUp) {
    const std::vector<std::u16string> pieces = {u"*", u"?", u"~", u"a", u"A", u"b", u"\u00DF", u"\U0001F600"};
    Inputs in(0x3117D);
    for (int i = 0; i < 60000; ++i) {
        const std::u16string pattern = in.chance(50) ? in.fragments(pieces, 12) : in.randomUnits(12);
        const std::u16string text = in.chance(50) ? in.fragments(pieces, 40) : in.randomUnits(40);
        const bool matchCase = in.chance(30);
        const bool matches = engine::wildcardMatch(pattern, text, matchCase);
        // Whatever the text, it matches itself with its wildcard characters escaped.
        ASSERT_TRUE(engine::wildcardMatch(escaped(text), text, matchCase)) << host::utf8(text);
        if (pattern.find_first_of(u"*?~") == std::u16string::npos) {
            const bool equal =
                matchCase ? pattern == text : engine::foldCaseSimple(pattern) == engine::foldCaseSimple(text);
            ASSERT_EQ(matches, equal) << host::utf8(pattern) << " / " << host::utf8(text);
        }
        if (pattern.find(u'~') == std::u16string::npos) {
            ASSERT_TRUE(engine::wildcardMatch(pattern, pattern, matchCase)) << host::utf8(pattern);
        }
    }
}

// A 6 x 6 block of random values at A1:F6; everything else empty.
class RandomSheet : public engine::FormulaContext {
public:
    explicit RandomSheet(Inputs& in) {
        for (long r = 1; r <= 6; ++r)
            for (long c = 1; c <= 6; ++c) {
                const Variant v = in.cell(kCriterionPieces);
                if (!v.isEmpty()) cells_[{r, c}] = v;
            }
    }
    Variant cellValue(long row, long col) const override {
        const auto it = cells_.find({row, col});
        return it == cells_.end() ? Variant() : it->second;
    }
    double countIf(const Area& area, const Variant& criterion) const override {
        const auto c = engine::Criterion::parse(criterion, kYear);
        double n = 0;
        for (const auto& [at, v] : cells_) n += inside(area, at) && c.matches(v);
        return n;
    }
    double countA(const Area& area) const override {
        double n = 0;
        for (const auto& [at, v] : cells_) n += inside(area, at);
        return n;
    }
    void forEachValue(const Area& area, const std::function<void(const Variant&)>& visit) const override {
        for (const auto& [at, v] : cells_)
            if (inside(area, at)) visit(v);
    }

private:
    static bool inside(const Area& a, const std::pair<long, long>& at) {
        return at.first >= a.row1 && at.first <= a.row2 && at.second >= a.col1 && at.second <= a.col2;
    }
    std::map<std::pair<long, long>, Variant> cells_;
};

bool sameResult(const Variant& a, const Variant& b) {
    return a == b || (a.kind() == b.kind() && std::isnan(a.number()) && std::isnan(b.number()));
}

TEST(ParsersFuzz, FormulasParseEvaluateAndShiftConsistently) {
    const std::vector<std::u16string> pieces = {u"A1",         u"$B$2",
                                                u"C$3",        u"$D4",
                                                u"A1:B2",      u"B:B",
                                                u"$A:$C",      u"3:3",
                                                u"1:2",        u"XFD1",
                                                u"A1048576",   u"(",
                                                u")",          u",",
                                                u"\"",         u"\"x\"",
                                                u"\"\"",       u"=",
                                                u"<>",         u"<",
                                                u">=",         u"+",
                                                u"-",          u"*",
                                                u"/",          u"^",
                                                u"&",          u"%",
                                                u"1",          u"0",
                                                u"2.5",        u"1e3",
                                                u"TRUE",       u"FALSE",
                                                u"#N/A",       u"#DIV/0!",
                                                u"SUM(",       u"COUNTIF(",
                                                u"COUNTA(",    u"IF(",
                                                u"AND(",       u"OR(",
                                                u"NOT(",       u"LEN(",
                                                u"TRIM(",      u"CLEAN(",
                                                u"UPPER(",     u"LOWER(",
                                                u"ISBLANK(",   u"FOO(",
                                                u"name",       u" ",
                                                u":",          u"$",
                                                u"((((((((((", u"----------",
                                                u"%%%%%%%%%%", u"NOT(NOT(NOT(NOT(NOT(NOT(NOT(NOT("};
    const std::vector<std::u16string> samples = {u"=COUNTIF($A:$A,A1)=1",
                                                 u"=IF(A1>5,\"big\",B2&\"!\")",
                                                 u"=SUM(A1:C3,2)^2",
                                                 u"=LEN(TRIM(B1))",
                                                 u"=AND(A1<>\"\",NOT(ISBLANK(B2)))",
                                                 u"=-2^2%",
                                                 u"=COUNTA(1:2)+COUNTIF(B:B,\"a*\")",
                                                 u"=UPPER(LOWER(CLEAN(C3)))",
                                                 u"=OR(C1:D4)*1",
                                                 u"=1/0&#N/A"};
    Inputs in(0xF0F0);
    int evaluated = 0;
    for (int i = 0; i < 50000; ++i) {
        const std::u16string text = in.input(pieces, samples, 12);
        std::optional<engine::Formula> formula;
        if (!succeeds(text, [&] { formula = engine::Formula::parse(text); })) continue;
        ++evaluated;
        const RandomSheet sheet(in);
        const long dr = in.between(-3, 3), dc = in.between(-3, 3);
        Variant shiftedValue, value;
        try {
            value = formula->evaluate(sheet);
            shiftedValue = formula->evaluate(sheet, dr, dc);
        } catch (...) {
            FAIL() << "evaluate threw for " << host::utf8(text);
        }
        // Rewriting the text at an offset reads the same cells as evaluating at that offset.
        const std::u16string same = formula->text();
        const std::u16string moved = formula->text(dr, dc);
        ASSERT_TRUE(sameResult(engine::Formula::parse(same).evaluate(sheet), value))
            << host::utf8(text) << " -> " << host::utf8(same);
        std::optional<engine::Formula> reparsed;
        if (!succeeds(moved, [&] { reparsed = engine::Formula::parse(moved); })) {
            ASSERT_GT(moved.size(), 8192u) << host::utf8(text) << " -> " << host::utf8(moved);
            continue;
        }
        ASSERT_TRUE(sameResult(reparsed->evaluate(sheet), shiftedValue))
            << host::utf8(text) << " at " << dr << "," << dc << " -> " << host::utf8(moved) << ": "
            << ::testing::PrintToString(reparsed->evaluate(sheet)) << " vs " << ::testing::PrintToString(shiftedValue);
    }
    RecordProperty("evaluated", evaluated);
    EXPECT_GT(evaluated, 2000);
}

}  // namespace
