// Reading and writing the Wine registry file format.
#include "registry/wine_document.h"

#include <gtest/gtest.h>

#include "registry/wine_text.h"

using namespace registry;
using namespace registry::wine;

namespace {

std::vector<std::uint8_t> wide(std::u16string_view text, bool terminated = true) {
    std::vector<std::uint8_t> out;
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    if (terminated) out.insert(out.end(), {0, 0});
    return out;
}

const char kSample[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Control Panel\\\\Desktop] 1700000000\n"
    "#time=1da1234567890ab\n"
    "\"Wallpaper\"=\"\"\n"
    "@=\"default \\\"quoted\\\" \\\\ back\"\n"
    "\"Tab\\\"Name\"=\"a\\tb\\nc\\x263a\\x00e9f\\0\"\n"
    "\"Count\"=dword:0000002a\n"
    "\"Blob\"=hex:00,01,ff\n"
    "\"Path\"=str(2):\"%SystemRoot%\\\\system32\"\n"
    "\"OldPath\"=hex(2):25,00,41,00,25,00,00,00\n"
    "\"List\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
    "\"Big\"=hex(b):01,02,03,04,05,06,07,08\n"
    "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\n"
    "  17,18,19\n"
    "some line Wine does not know\n"
    "\n"
    "[Software\\\\Wine\\\\Br\\[ack\\]et] 1700000001\n"
    "#class=\"kept\"\n"
    "\"Name\"=\"Value\"\n";

TEST(WineDocument, ReadsEveryValueForm) {
    const Document doc = parseDocument(kSample);
    ASSERT_EQ(doc.sections.size(), 2u);
    EXPECT_EQ(doc.sections[0].path, (KeyPath{u"Control Panel", u"Desktop"}));
    EXPECT_EQ(doc.sections[1].path, (KeyPath{u"Software", u"Wine", u"Br[ack]et"}));
    std::vector<StoredValue> values;
    for (const Line& line : doc.sections[0].lines)
        if (line.value) values.push_back(*line.value);
    const std::vector<StoredValue> expected = {
        {u"Wallpaper", REG_SZ, wide(u"")},
        {u"", REG_SZ, wide(u"default \"quoted\" \\ back")},
        {u"Tab\"Name", REG_SZ, wide(std::u16string(u"a\tb\nc\u263a\u00e9f\0", 9))},
        {u"Count", REG_DWORD, {0x2a, 0, 0, 0}},
        {u"Blob", REG_BINARY, {0, 1, 0xff}},
        {u"Path", REG_EXPAND_SZ, wide(u"%SystemRoot%\\system32")},
        {u"OldPath", REG_EXPAND_SZ, wide(u"%A%")},
        {u"List", REG_MULTI_SZ, wide(std::u16string(u"a\0b\0", 4))},
        {u"Big", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
        {u"Long", REG_BINARY,
         [] {
             std::vector<std::uint8_t> v;
             for (int i = 0; i < 26; ++i) v.push_back(static_cast<std::uint8_t>(i));
             return v;
         }()},
    };
    EXPECT_EQ(values, expected);
}

TEST(WineDocument, WritesBackByteForByte) {
    EXPECT_EQ(writeDocument(parseDocument(kSample)), kSample);
    std::string crlf;
    for (char c : std::string(kSample)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const Document doc = parseDocument(crlf);
    EXPECT_EQ(doc.lineEnd, "\r\n");
    EXPECT_EQ(writeDocument(doc), crlf);
    const std::string noFinalNewline = "WINE REGISTRY Version 2\n\n[A] 1\n\"x\"=\"y\"";
    EXPECT_EQ(writeDocument(parseDocument(noFinalNewline)), noFinalNewline);
}

TEST(WineDocument, FormatsValuesAsWineDoes) {
    const std::pair<StoredValue, std::string> cases[] = {
        {{u"", REG_SZ, wide(u"x")}, "@=\"x\"\n"},
        {{u"q\"uote", REG_SZ, wide(u"back\\slash \u20ac1")}, "\"q\\\"uote\"=\"back\\\\slash \\x20ac1\"\n"},
        {{u"e", REG_SZ, wide(u"\u00e9x")}, "\"e\"=\"\\xe9x\"\n"},
        {{u"ctl", REG_SZ,
          wide(std::u16string(u"\x01"
                              u"7\x02"
                              u"x\n",
                              5))},
         "\"ctl\"=\"\\0017\\2x\\n\"\n"},
        {{u"p", REG_EXPAND_SZ, wide(u"%TEMP%")}, "\"p\"=str(2):\"%TEMP%\"\n"},
        {{u"m", REG_MULTI_SZ, wide(std::u16string(u"a\0b\0", 4))}, "\"m\"=str(7):\"a\\0b\\0\"\n"},
        {{u"n", REG_DWORD, {0x2a, 0, 0, 0x80}}, "\"n\"=dword:8000002a\n"},
        {{u"short", REG_DWORD, {1, 2}}, "\"short\"=hex(4):01,02\n"},
        {{u"raw", REG_SZ, {0x41, 0x00}}, "\"raw\"=hex(1):41,00\n"},
        {{u"none", REG_BINARY, {}}, "\"none\"=hex:\n"},
        {{u"q", 11, {1, 0, 0, 0, 0, 0, 0, 0}}, "\"q\"=hex(b):01,00,00,00,00,00,00,00\n"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(formatValue(value, "\n"), text);
}

TEST(WineDocument, FoldsLongHexLikeWine) {
    const auto repeat = [](const std::string& piece, int times) {
        std::string out;
        for (int i = 0; i < times; ++i) out += piece;
        return out;
    };
    StoredValue value{u"Long", REG_BINARY, std::vector<std::uint8_t>(30, 0xab)};
    const std::string text = formatValue(value, "\n");
    EXPECT_EQ(text, "\"Long\"=hex:" + repeat("ab,", 22) + "\\\n  " + repeat("ab,", 7) + "ab\n")
        << "wrapped after the comma that passes column 76";
    const Document doc = parseDocument("WINE REGISTRY Version 2\n\n[K] 1\n" + text);
    EXPECT_EQ(*doc.sections[0].lines[0].value, value);
}

TEST(WineDocument, EscapesRoundTrip) {
    const std::u16string texts[] = {u"plain",
                                    u"[brackets] and \"quotes\"",
                                    u"\\\\server\\share",
                                    std::u16string(u"nul\0in", 6),
                                    u"\u4e2d\u6587abc",
                                    u"\U0001F600",
                                    u"\x7f\x1b"};
    for (const std::u16string& text : texts) {
        for (auto [open, close] : {std::pair{'[', ']'}, std::pair{'"', '"'}}) {
            const std::string escaped = escape(text, open, close) + close;
            std::u16string back;
            size_t pos = 0;
            ASSERT_TRUE(parseEscaped(escaped, pos, close, back));
            EXPECT_EQ(back, text);
            EXPECT_EQ(pos, escaped.size());
        }
    }
}

TEST(WineDocument, ReadsUnescapedUtf8) {
    const Document doc = parseDocument(
        "WINE REGISTRY Version 2\n\n[Gr\xC3\xBC\xC3\x9F"
        "e] 1\n\"k\"=\"\xE2\x82\xAC\"\n");
    EXPECT_EQ(doc.sections[0].path, (KeyPath{u"Gr\u00fc\u00dfe"}));
    EXPECT_EQ(doc.sections[0].lines[0].value->data, wide(u"\u20ac"));
}

TEST(WineDocument, RefusesMalformedFilesWithTheLine) {
    const std::pair<std::string, int> cases[] = {
        {"", 1},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n", 1},
        {"WINE REGISTRY Version 1\n", 1},
        {"WINE REGISTRY Version 2\n\n[Software\\\\Unclosed 1\n", 3},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"unterminated\"=\"value\n", 4},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"name=\"x\"\n", 4},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"noequals\" \"x\"\n", 4},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"d\"=dword:xyz\n", 4},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"d\"=dword:123456789\n", 4},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"h\"=hex:0g\n", 4},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"h\"=hex:123\n", 4},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"h\"=hex(zz):00\n", 4},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"h\"=hex:00,\\\n", 5},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"h\"=hex:00,\\\n  01,zz\n", 5},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"s\"=str(2)\"x\"\n", 4},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"u\"=unknown\n", 4},
        {"WINE REGISTRY Version 2\n\n[A] 1\n\"x\"=\"bad escape at the end\\", 4},
    };
    for (const auto& [text, line] : cases) {
        try {
            parseDocument(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const FormatError& e) {
            EXPECT_EQ(e.line(), line) << text << " -> " << e.what();
        }
    }
}

TEST(WineDocument, KeepsUnknownAndCommentLines) {
    const std::string text =
        "WINE REGISTRY Version 2\n;; comment\n??? odd\n\n[A] 1\n;; inside\n\tindented\n#link\n\"v\"=\"1\"\n";
    const Document doc = parseDocument(text);
    ASSERT_EQ(doc.sections.size(), 1u);
    EXPECT_EQ(doc.prelude.size(), 4u);
    int values = 0;
    for (const Line& line : doc.sections[0].lines) values += line.value.has_value();
    EXPECT_EQ(values, 1);
    EXPECT_EQ(writeDocument(doc), text);
}

TEST(WineDocument, StampsKeysInWinesUnits) {
    EXPECT_EQ(formatStamp(1700000000), " 1700000000");
    // 2023-11-14 22:13:20 UTC = 133444736000000000 100-ns ticks since 1601.
    EXPECT_EQ(formatTimeLine(1700000000, 0, "\n"), "#time=1da1747c66d0000\n");
    EXPECT_EQ(formatHeader({u"Software", u"Odd]Name"}), "[Software\\\\Odd\\]Name]");
}

}  // namespace
