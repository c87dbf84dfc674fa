// cRegistry's behaviour, run against the store in memory and a Wine prefix alike.
#include "registry/c_registry.h"

#include <gtest/gtest.h>

#include "host/text.h"
#include "registry/hive_store.h"
#include "tests/registry/store_kinds.h"

using namespace registry;
using testing_support::MemoryKind;
using testing_support::WineKind;

namespace {

const std::string kSource = programName() + ".cRegistry";

template <typename Kind>
class CRegistryTest : public ::testing::Test {
protected:
    cRegistry at(const std::u16string& section, const std::u16string& value = u"",
                 std::int32_t root = HKEY_CURRENT_USER) {
        cRegistry reg(kind.store());
        reg.ClassKey(root);
        reg.SectionKey(section);
        reg.ValueKey(value);
        return reg;
    }
    // Puts data into the store directly, as another program would have left it.
    void storeRaw(const std::string& section, const std::string& name, std::uint32_t type,
                  std::vector<std::uint8_t> data) {
        RegistryStore& store = *kind.store();
        KeyHandle key;
        ASSERT_EQ(store.createKey(rootHandle(HKEY_CURRENT_USER), section, KEY_FULL_ACCESS, key), kSuccess);
        ASSERT_EQ(store.setValue(key, name, type, data), kSuccess);
        store.closeKey(key);
    }
    std::vector<std::uint8_t> storedBytes(const std::string& section, const std::string& name, std::uint32_t& type) {
        RegistryStore& store = *kind.store();
        KeyHandle key;
        std::vector<std::uint8_t> data(256);
        std::uint32_t size = 0;
        EXPECT_EQ(store.openKey(rootHandle(HKEY_CURRENT_USER), section, KEY_QUERY_VALUE, key), kSuccess);
        EXPECT_EQ(store.queryValue(key, name, type, data, size), kSuccess);
        store.closeKey(key);
        data.resize(size);
        return data;
    }
    size_t openHandles() { return dynamic_cast<HiveStore&>(*kind.store()).openHandleCount(); }

    Kind kind;
};

template <typename F>
RegistryError raised(F&& f) {
    try {
        f();
    } catch (const RegistryError& e) {
        return e;
    }
    ADD_FAILURE() << "no RegistryError raised";
    return RegistryError(0, "", "");
}

using Kinds = ::testing::Types<MemoryKind, WineKind>;
TYPED_TEST_SUITE(CRegistryTest, Kinds);

TYPED_TEST(CRegistryTest, NewInstanceHoldsNothing) {
    cRegistry reg(this->kind.store());
    EXPECT_EQ(reg.ClassKey(), 0);
    EXPECT_EQ(reg.SectionKey(), u"");
    EXPECT_EQ(reg.ValueKey(), u"");
    EXPECT_TRUE(reg.Default().isEmpty());
    EXPECT_EQ(reg.ValueType(), 0);
    EXPECT_FALSE(reg.KeyExists());  // root 0 is no key
}

TYPED_TEST(CRegistryTest, ReadingAMissingValueGivesDefaultAndKeepsValueType) {
    cRegistry reg = this->at(u"Software\\Cellwash", u"missing");
    reg.ValueType(REG_BINARY);
    EXPECT_TRUE(reg.Value().isEmpty());
    reg.Default(RegVariant(u"fallback"));
    EXPECT_EQ(reg.Value(), RegVariant(u"fallback"));
    reg.CreateKey();
    EXPECT_EQ(reg.Value(), RegVariant(u"fallback"));
    EXPECT_EQ(reg.ValueType(), REG_BINARY);
}

TYPED_TEST(CRegistryTest, TextRuleChoosesTheStoredType) {
    struct Case {
        std::u16string text;
        std::uint32_t stored;
    };
    const Case cases[] = {
        {u"100%", REG_SZ},         {u"%%", REG_SZ},         {u"50%% off", REG_SZ},   {u"%USERPROFILE%", REG_EXPAND_SZ},
        {u"a%b%c", REG_EXPAND_SZ}, {u"%%%", REG_EXPAND_SZ}, {u"no percent", REG_SZ}, {u"", REG_SZ},
    };
    for (std::int32_t declared : {REG_SZ, REG_EXPAND_SZ}) {
        for (const Case& c : cases) {
            cRegistry reg = this->at(u"Software\\Cellwash\\Text", u"v");
            reg.ValueType(declared);
            reg.Value(c.text);
            std::uint32_t type = 0;
            const auto bytes = this->storedBytes("Software\\Cellwash\\Text", "v", type);
            EXPECT_EQ(type, c.stored) << host::utf8(c.text) << " declared " << declared;
            EXPECT_EQ(bytes.size(), host::utf8(c.text).size() + 1) << "text and one NUL";
            EXPECT_EQ(bytes.back(), 0);
            EXPECT_EQ(reg.ValueType(), declared) << "a write does not change ValueType";
        }
    }
}

TYPED_TEST(CRegistryTest, ExpandableTextReadsExpanded) {
    this->kind.setVariable("CW_REG_TEST_HOME", "/home/ada");
    cRegistry reg = this->at(u"Software\\Cellwash", u"Path");
    reg.ValueType(REG_SZ);
    reg.Value(u"%CW_REG_TEST_HOME%\\Cellwash;%CW_REG_TEST_UNSET%");
    reg.ValueType(0);
    EXPECT_EQ(reg.Value(), RegVariant(u"/home/ada\\Cellwash;%CW_REG_TEST_UNSET%"));
    EXPECT_EQ(reg.ValueType(), REG_EXPAND_SZ);
}

TYPED_TEST(CRegistryTest, TextKeepsCharactersBeyondAscii) {
    cRegistry reg = this->at(u"Software\\Cellwash\\Gr\u00FC\u00DFe", u"Name \u20AC");
    reg.ValueType(REG_SZ);
    reg.Value(u"Stra\u00DFe \u20AC \U0001F600");
    EXPECT_EQ(reg.Value(), RegVariant(u"Stra\u00DFe \u20AC \U0001F600"));
}

TYPED_TEST(CRegistryTest, WriteWithoutAUsableTypeFails) {
    for (std::int32_t type : {0, 6, 7, 11}) {
        cRegistry reg = this->at(u"Software\\Cellwash", u"v");
        reg.ValueType(type);
        const RegistryError e = raised([&] { reg.Value(u"x"); });
        EXPECT_EQ(e.number(), -2147194455) << type;
        EXPECT_EQ(e.source(), kSource);
        EXPECT_EQ(
            e.description(),
            "Failed to set registry value Key: '-2147483647',Section: 'Software\\Cellwash',Key: 'v' to value: 'x'");
    }
    EXPECT_EQ(this->openHandles(), 0u);
}

TYPED_TEST(CRegistryTest, DwordsReadLittleAndBigEndian) {
    this->storeRaw("Software\\Cellwash", "big", REG_DWORD_BIG_ENDIAN, {0x00, 0x00, 0x01, 0x00});
    this->storeRaw("Software\\Cellwash", "little", REG_DWORD, {0x00, 0x00, 0x01, 0x00});
    cRegistry reg = this->at(u"Software\\Cellwash", u"big");
    EXPECT_EQ(reg.Value(), RegVariant(std::int32_t{256}));
    EXPECT_EQ(reg.ValueType(), REG_DWORD_BIG_ENDIAN);
    reg.ValueKey(u"little");
    EXPECT_EQ(reg.Value(), RegVariant(std::int32_t{65536}));
    EXPECT_EQ(reg.ValueType(), REG_DWORD);
}

TYPED_TEST(CRegistryTest, IntegersWriteAsLittleEndianDwords) {
    cRegistry reg = this->at(u"Software\\Cellwash", u"n");
    reg.ValueType(REG_DWORD_BIG_ENDIAN);
    reg.Value(std::int32_t{-2});
    std::uint32_t type = 0;
    EXPECT_EQ(this->storedBytes("Software\\Cellwash", "n", type), (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(type, REG_DWORD);
    reg.ValueType(REG_DWORD);
    reg.Value(std::int16_t{300});
    EXPECT_EQ(reg.Value(), RegVariant(std::int32_t{300}));

    reg.ValueKey(u"notInteger");
    reg.ValueType(REG_DWORD);
    reg.Value(2.5);  // quietly not written
    reg.Value(u"7");
    EXPECT_TRUE(reg.Value().isEmpty());
}

TYPED_TEST(CRegistryTest, BinaryNeedsAByteArray) {
    cRegistry reg = this->at(u"Software\\Cellwash", u"blob");
    reg.ValueType(REG_BINARY);
    reg.Value(ByteArray{0, 1, 0xFF});
    EXPECT_EQ(reg.Value(), RegVariant(ByteArray{0, 1, 0xFF}));
    reg.Value(ByteArray{});
    EXPECT_EQ(reg.Value(), RegVariant(ByteArray{}));

    const RegistryError e = raised([&] { reg.Value(u"text"); });
    EXPECT_EQ(e.number(), 26001);
    EXPECT_EQ(e.description(), "");
    EXPECT_EQ(this->openHandles(), 0u);
}

TYPED_TEST(CRegistryTest, OtherTypesReadAsTheyAreStored) {
    this->storeRaw("Software\\Cellwash", "multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0});
    this->storeRaw("Software\\Cellwash", "qword", 11, {1, 2, 3, 4, 5, 6, 7, 8});
    this->storeRaw("Software\\Cellwash", "empty", REG_SZ, {});
    this->storeRaw("Software\\Cellwash", "unterminated", REG_SZ, {'a', 'b', 'c'});
    this->storeRaw("Software\\Cellwash", "shortDword", REG_DWORD, {0x34, 0x12});
    this->storeRaw("Software\\Cellwash", "longDword", REG_DWORD, {1, 0, 0, 0, 1, 0, 0, 0});
    cRegistry reg = this->at(u"Software\\Cellwash", u"multi");
    EXPECT_EQ(reg.Value(), RegVariant(std::u16string(u"a\0b\0", 4)));
    EXPECT_EQ(reg.ValueType(), REG_MULTI_SZ);
    reg.ValueKey(u"qword");
    EXPECT_EQ(reg.Value(), RegVariant(ByteArray{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(reg.ValueType(), 11);
    reg.ValueKey(u"empty");
    EXPECT_EQ(reg.Value(), RegVariant(u""));
    EXPECT_EQ(reg.ValueType(), REG_SZ);
    reg.ValueKey(u"unterminated");
    EXPECT_EQ(reg.Value(), RegVariant(u"abc")) << "only a final NUL is dropped";
    reg.ValueKey(u"shortDword");
    EXPECT_EQ(reg.Value(), RegVariant(std::int32_t{0x1234}));
    reg.ValueKey(u"longDword");
    reg.Default(RegVariant(u"too long"));
    EXPECT_EQ(reg.Value(), RegVariant(u"too long")) << "more than four bytes do not fit a DWORD";
}

TYPED_TEST(CRegistryTest, NamesCompareWithoutRegardToCase) {
    cRegistry reg = this->at(u"Software\\Cellwash\\Options", u"Open");
    reg.ValueType(REG_SZ);
    reg.Value(u"first");
    cRegistry other = this->at(u"SOFTWARE\\cellwash\\OPTIONS", u"OPEN");
    EXPECT_TRUE(other.KeyExists());
    EXPECT_EQ(other.Value(), RegVariant(u"first"));
    other.ValueType(REG_SZ);
    other.Value(u"second");
    OneBasedList<std::u16string> names;
    std::int32_t count = -1;
    reg.EnumerateValues(names, count);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(names[1], u"Open") << "the name keeps the spelling it was created with";
    EXPECT_EQ(reg.Value(), RegVariant(u"second"));
}

TYPED_TEST(CRegistryTest, EnumerateValuesListsNamesFromPositionOne) {
    cRegistry reg = this->at(u"Software\\Cellwash\\Missing");
    OneBasedList<std::u16string> names;
    names.store(1, u"stale");
    std::int32_t count = 99;
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.empty());

    reg.SectionKey(u"Software\\Cellwash\\Three");
    reg.ValueType(REG_SZ);
    for (const char16_t* name : {u"zeta", u"alpha", u"a much longer value name than the others"}) {
        reg.ValueKey(name);
        reg.Value(u"x");
    }
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(names[1], u"zeta");
    EXPECT_EQ(names[2], u"alpha");
    EXPECT_EQ(names[3], u"a much longer value name than the others");
    EXPECT_THROW(names[0], std::out_of_range);
    EXPECT_EQ(this->openHandles(), 0u);
}

TYPED_TEST(CRegistryTest, EnumerateSectionsListsSubKeys) {
    cRegistry reg = this->at(u"Software\\Cellwash\\Tree");
    OneBasedList<std::u16string> names;
    std::int32_t count = 5;
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);
    const std::u16string longest(255, u'k');
    for (const std::u16string& name : {std::u16string(u"b"), std::u16string(u"a\\deeper"), longest}) {
        reg.SectionKey(u"Software\\Cellwash\\Tree\\" + name);
        reg.CreateKey();
    }
    reg.SectionKey(u"Software\\Cellwash\\Tree");
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(names[1], u"a") << "sub-keys list sorted";
    EXPECT_EQ(names[2], u"b");
    EXPECT_EQ(names[3], longest) << "a name of the longest length is listed too";
}

TYPED_TEST(CRegistryTest, KeysAreCreatedTestedAndDeleted) {
    cRegistry reg = this->at(u"Software\\Cellwash\\A\\B");
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(reg.KeyExists());
    EXPECT_TRUE(reg.CreateKey()) << "creating an existing key opens it";

    reg.SectionKey(u"Software\\Cellwash\\A");
    RegistryError e = raised([&] { reg.DeleteKey(); });
    EXPECT_EQ(e.number(), 26001) << "a key with sub-keys stays";
    EXPECT_EQ(e.description(), "Failed to delete registry Key: '-2147483647',Section: 'Software\\Cellwash\\A");

    reg.SectionKey(u"Software\\Cellwash\\A\\B");
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(reg.KeyExists());
    reg.SectionKey(u"Software\\Cellwash\\A");
    EXPECT_TRUE(reg.KeyExists()) << "the parent outlives its last sub-key";

    reg.SectionKey(u"Software\\Nope");
    e = raised([&] { reg.DeleteKey(); });
    EXPECT_EQ(e.description(), "Failed to delete registry Key: '-2147483647',Section: 'Software\\Nope");
    EXPECT_EQ(e.source(), kSource);
}

TYPED_TEST(CRegistryTest, KeyCreationFailures) {
    const std::u16string tooLong = u"Software\\" + std::u16string(256, u'x');
    cRegistry reg = this->at(tooLong, u"v");
    RegistryError e = raised([&] { reg.CreateKey(); });
    EXPECT_EQ(e.number(), 26001);
    EXPECT_EQ(e.description(), "Failed to create registry Key: '" + host::utf8(tooLong));

    reg.ValueType(REG_SZ);
    e = raised([&] { reg.Value(std::int32_t{42}); });
    EXPECT_EQ(e.number(), 26001);
    EXPECT_EQ(e.description(), "Failed to set registry value Key: '-2147483647',Section: '" + host::utf8(tooLong) +
                                   "',Key: 'v' to value: '42'");
    EXPECT_FALSE(reg.KeyExists());
}

TYPED_TEST(CRegistryTest, DeleteValue) {
    cRegistry reg = this->at(u"Software\\Nope", u"v");
    RegistryError e = raised([&] { reg.DeleteValue(); });
    EXPECT_EQ(e.number(), 26001);
    EXPECT_EQ(e.description(), "Failed to open key '-2147483647',Section: 'Software\\Nope' for delete access");

    reg.SectionKey(u"Software\\Cellwash");
    reg.ValueType(REG_SZ);
    reg.Value(u"here");
    reg.ValueKey(u"V");
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_TRUE(reg.Value().isEmpty());
    e = raised([&] { reg.DeleteValue(); });
    EXPECT_EQ(e.description(), "Failed to delete registry Key: '-2147483647',Section: 'Software\\Cellwash',Key: 'V");
    EXPECT_EQ(this->openHandles(), 0u);
}

TYPED_TEST(CRegistryTest, ExeAssociationWritesTheClassUnderBothRoots) {
    cRegistry reg(this->kind.store());
    EXPECT_TRUE(reg.CreateEXEAssociation(u"  C:\\Tools\\cw.exe ", u"Cellwash.Doc", u"Cellwash document", u"cwd", u"",
                                         true, u"", true, u"Start &new", true, u"", 2));
    EXPECT_EQ(reg.ClassKey(), HKEY_LOCAL_MACHINE);
    const std::u16string exe = u"\"C:\\Tools\\cw.exe\"";
    const std::pair<std::u16string, std::u16string> expected[] = {
        {u".cwd", u"Cellwash.Doc"},
        {u"Cellwash.Doc", u"Cellwash document"},
        {u"Cellwash.Doc\\shell\\open", u"&Open"},
        {u"Cellwash.Doc\\shell\\open\\command", exe + u" \"%1\""},
        {u"Cellwash.Doc\\shell\\print", u"&Print"},
        {u"Cellwash.Doc\\shell\\print\\command", exe + u" /p \"%1\""},
        {u"Cellwash.Doc\\shell\\add", u"&Install cwd"},
        {u"Cellwash.Doc\\shell\\add\\command", exe + u" /a \"%1\""},
        {u"Cellwash.Doc\\shell\\new", u"Start &new"},
        {u"Cellwash.Doc\\shell\\new\\command", exe + u" /n \"%1\""},
        {u"Cellwash.Doc\\DefaultIcon", exe + u",2"},
    };
    for (const auto& [section, text] : expected) {
        cRegistry classes = this->at(section, u"", HKEY_CLASSES_ROOT);
        EXPECT_EQ(classes.Value(), RegVariant(text)) << host::utf8(section);
        EXPECT_EQ(classes.ValueType(), REG_SZ);
        cRegistry machine = this->at(u"SOFTWARE\\Classes\\" + section, u"", HKEY_LOCAL_MACHINE);
        EXPECT_EQ(machine.Value(), RegVariant(text)) << host::utf8(section);
    }
}

TYPED_TEST(CRegistryTest, ExeAssociationLeavesOptionalVerbsOut) {
    cRegistry reg(this->kind.store());
    reg.CreateEXEAssociation(u"\"C:\\cw.exe\"", u"Plain.Doc", u"Plain", u"pln", u"Look");
    EXPECT_EQ(this->at(u"Plain.Doc\\shell\\open", u"", HKEY_CLASSES_ROOT).Value(), RegVariant(u"Look"));
    EXPECT_EQ(this->at(u"Plain.Doc\\shell\\open\\command", u"", HKEY_CLASSES_ROOT).Value(),
              RegVariant(u"\"C:\\cw.exe\" \"%1\""));
    for (const char16_t* absent :
         {u"Plain.Doc\\shell\\print", u"Plain.Doc\\shell\\new", u"Plain.Doc\\shell\\add", u"Plain.Doc\\DefaultIcon"})
        EXPECT_FALSE(this->at(absent, u"", HKEY_CLASSES_ROOT).KeyExists()) << host::utf8(absent);
}

TYPED_TEST(CRegistryTest, AdditionalAssociations) {
    cRegistry reg(this->kind.store());
    RegistryError e = raised([&] { reg.CreateAdditionalEXEAssociations(u"Cellwash.Doc", {u"edit", u"&Edit"}); });
    EXPECT_EQ(e.number(), -2147194452);
    EXPECT_EQ(e.description(),
              "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");

    e = raised([&] { reg.CreateAdditionalEXEAssociations(u"Cellwash.Doc", {u"edit", u"&Edit", u"cw /e"}); });
    EXPECT_EQ(e.number(), -2147194451);
    EXPECT_EQ(e.description(), "Error - attempt to create additional associations before class defined.");

    reg.CreateEXEAssociation(u"C:\\cw.exe", u"Cellwash.Doc", u"Cellwash document", u"cwd");
    ASSERT_EQ(reg.ClassKey(), HKEY_LOCAL_MACHINE);
    // The class was just defined under HKEY_CLASSES_ROOT; that is where it is looked for.
    EXPECT_TRUE(reg.CreateAdditionalEXEAssociations(
        u"Cellwash.Doc", {u"edit", u"&Edit", u"\"C:\\cw.exe\" /e \"%1\"", u"view", u"&View", u"cw /v"}));
    EXPECT_EQ(this->at(u"Cellwash.Doc\\shell\\edit", u"", HKEY_CLASSES_ROOT).Value(), RegVariant(u"&Edit"));
    EXPECT_EQ(this->at(u"Cellwash.Doc\\shell\\edit\\command", u"", HKEY_CLASSES_ROOT).Value(),
              RegVariant(u"\"C:\\cw.exe\" /e \"%1\""));
    EXPECT_EQ(this->at(u"SOFTWARE\\Classes\\Cellwash.Doc\\shell\\view\\command", u"", HKEY_LOCAL_MACHINE).Value(),
              RegVariant(u"cw /v"));
    EXPECT_EQ(reg.SectionKey(), u"Cellwash.Doc\\shell\\view\\command");
    EXPECT_EQ(this->openHandles(), 0u);
}

}  // namespace
