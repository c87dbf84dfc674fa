// The store operations and their result codes, in memory and in a Wine prefix alike.
#include "registry/hive_store.h"

#include <gtest/gtest.h>

#include "registry/environment.h"
#include "tests/registry/store_kinds.h"

using namespace registry;
using testing_support::MemoryKind;
using testing_support::WineKind;

namespace {

template <typename Kind>
class HiveStoreTest : public ::testing::Test {
protected:
    RegistryStore& store() { return *kind.store(); }
    KeyHandle create(std::int32_t root, const std::string& path) {
        KeyHandle key = 0;
        EXPECT_EQ(store().createKey(rootHandle(root), path, KEY_FULL_ACCESS, key), kSuccess) << path;
        return key;
    }
    void setText(KeyHandle key, const std::string& name, const std::string& text) {
        std::vector<std::uint8_t> data(text.begin(), text.end());
        data.push_back(0);
        EXPECT_EQ(store().setValue(key, name, REG_SZ, data), kSuccess);
    }
    std::string text(KeyHandle key, const std::string& name) {
        std::vector<std::uint8_t> data(512);
        std::uint32_t type = 0, size = 0;
        if (store().queryValue(key, name, type, data, size) != kSuccess) return "<none>";
        return std::string(data.begin(), data.begin() + size - 1);
    }
    Kind kind;
};

using Kinds = ::testing::Types<MemoryKind, WineKind>;
TYPED_TEST_SUITE(HiveStoreTest, Kinds);

TYPED_TEST(HiveStoreTest, ResultCodes) {
    RegistryStore& s = this->store();
    KeyHandle key = 0;
    EXPECT_EQ(s.openKey(rootHandle(HKEY_CURRENT_USER), "Software\\Missing", KEY_QUERY_VALUE, key), kFileNotFound);
    EXPECT_EQ(s.openKey(rootHandle(0), "Software", KEY_QUERY_VALUE, key), kInvalidHandle);
    EXPECT_EQ(s.openKey(rootHandle(HKEY_USERS), "", KEY_QUERY_VALUE, key), kInvalidHandle);

    const KeyHandle k = this->create(HKEY_CURRENT_USER, "Software\\Codes");
    this->setText(k, "a", "1");
    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(s.queryValue(k, "a", type, {}, size), kMoreData);
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(s.queryValue(k, "b", type, {}, size), kFileNotFound);
    std::string name;
    EXPECT_EQ(s.enumValue(k, 0, 1, name), kMoreData) << "one character does not fit in one with its NUL";
    EXPECT_EQ(s.enumValue(k, 0, 2, name), kSuccess);
    EXPECT_EQ(name, "a");
    EXPECT_EQ(s.enumValue(k, 1, 2, name), kNoMoreItems);
    EXPECT_EQ(s.enumKey(k, 0, 255, name), kNoMoreItems);
    EXPECT_EQ(s.deleteValue(k, "b"), kFileNotFound);
    EXPECT_EQ(s.closeKey(k), kSuccess);
    EXPECT_EQ(s.closeKey(k), kInvalidHandle);
    EXPECT_EQ(s.deleteKey(rootHandle(HKEY_CURRENT_USER), "Software\\Missing"), kFileNotFound);
    EXPECT_EQ(s.deleteKey(rootHandle(HKEY_CURRENT_USER), "Software"), kAccessDenied) << "it has sub-keys";
}

TYPED_TEST(HiveStoreTest, AccessMaskLimitsAnOpenKey) {
    RegistryStore& s = this->store();
    s.closeKey(this->create(HKEY_CURRENT_USER, "Software\\Masks"));
    KeyHandle reader = 0, lister = 0;
    ASSERT_EQ(s.openKey(rootHandle(HKEY_CURRENT_USER), "Software\\Masks", KEY_QUERY_VALUE, reader), kSuccess);
    ASSERT_EQ(s.openKey(rootHandle(HKEY_CURRENT_USER), "Software\\Masks", KEY_ENUMERATE_SUB_KEYS, lister), kSuccess);
    const std::uint8_t data[] = {'x', 0};
    std::string name;
    std::uint32_t length = 0;
    EXPECT_EQ(s.setValue(reader, "v", REG_SZ, data), kAccessDenied);
    EXPECT_EQ(s.deleteValue(reader, "v"), kAccessDenied);
    EXPECT_EQ(s.enumKey(reader, 0, 255, name), kAccessDenied);
    EXPECT_EQ(s.enumValue(lister, 0, 255, name), kAccessDenied);
    EXPECT_EQ(s.queryMaxValueNameLength(lister, length), kAccessDenied);
    EXPECT_EQ(s.queryMaxValueNameLength(reader, length), kSuccess);
    EXPECT_EQ(s.enumKey(lister, 0, 255, name), kNoMoreItems);
    s.closeKey(reader);
    s.closeKey(lister);
}

TYPED_TEST(HiveStoreTest, KeysOpenBelowAnOpenKey) {
    RegistryStore& s = this->store();
    const KeyHandle office = this->create(HKEY_CURRENT_USER, "Software\\Microsoft\\Office");
    KeyHandle excel = 0;
    ASSERT_EQ(s.createKey(office, "14.0\\Excel", KEY_FULL_ACCESS, excel), kSuccess);
    this->setText(excel, "", "default");
    KeyHandle again = 0;
    ASSERT_EQ(
        s.openKey(rootHandle(HKEY_CURRENT_USER), "software\\MICROSOFT\\office\\14.0\\excel", KEY_QUERY_VALUE, again),
        kSuccess);
    EXPECT_EQ(this->text(again, ""), "default");
    std::uint32_t longest = 9;
    EXPECT_EQ(s.queryMaxValueNameLength(again, longest), kSuccess);
    EXPECT_EQ(longest, 0u);
    for (KeyHandle k : {office, excel, again}) s.closeKey(k);
    EXPECT_EQ(dynamic_cast<HiveStore&>(s).openHandleCount(), 0u);
}

TYPED_TEST(HiveStoreTest, ClassesRootMergesUserOverMachine) {
    const KeyHandle machine = this->create(HKEY_LOCAL_MACHINE, "Software\\Classes\\.cwd");
    this->setText(machine, "", "machine");
    const KeyHandle machineOnly = this->create(HKEY_LOCAL_MACHINE, "Software\\Classes\\.mach");
    const KeyHandle user = this->create(HKEY_CURRENT_USER, "Software\\Classes\\.cwd");
    this->setText(user, "", "user");
    const KeyHandle userOnly = this->create(HKEY_CURRENT_USER, "Software\\Classes\\.usr");

    KeyHandle cwd = 0, root = 0;
    ASSERT_EQ(this->store().openKey(rootHandle(HKEY_CLASSES_ROOT), ".CWD", KEY_FULL_ACCESS, cwd), kSuccess);
    EXPECT_EQ(this->text(cwd, ""), "user") << "the user's key hides the machine's";
    this->setText(cwd, "", "changed");
    EXPECT_EQ(this->text(user, ""), "changed");
    EXPECT_EQ(this->text(machine, ""), "machine");

    ASSERT_EQ(this->store().openKey(rootHandle(HKEY_CLASSES_ROOT), "", KEY_ENUMERATE_SUB_KEYS, root), kSuccess);
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; this->store().enumKey(root, i, 255, name) == kSuccess; ++i) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{".cwd", ".usr", ".mach"}));

    KeyHandle created = 0;
    ASSERT_EQ(this->store().createKey(rootHandle(HKEY_CLASSES_ROOT), ".new", KEY_FULL_ACCESS, created), kSuccess);
    KeyHandle inMachine = 0;
    EXPECT_EQ(
        this->store().openKey(rootHandle(HKEY_LOCAL_MACHINE), "Software\\Classes\\.new", KEY_QUERY_VALUE, inMachine),
        kSuccess)
        << "new classes keys go to the machine's hive";
    for (KeyHandle k : {machine, machineOnly, user, userOnly, cwd, root, created, inMachine}) this->store().closeKey(k);
}

TEST(MemoryStore, ReadOnlyHiveDeniesWrites) {
    MemoryRegistryStore s;
    KeyHandle key = 0;
    ASSERT_EQ(s.createKey(rootHandle(HKEY_CURRENT_USER), "Software\\Locked", KEY_FULL_ACCESS, key), kSuccess);
    s.closeKey(key);
    s.user().setWritable(false);
    EXPECT_EQ(s.openKey(rootHandle(HKEY_CURRENT_USER), "Software\\Locked", KEY_FULL_ACCESS, key), kAccessDenied);
    EXPECT_EQ(s.createKey(rootHandle(HKEY_CURRENT_USER), "Software\\Other", KEY_FULL_ACCESS, key), kAccessDenied);
    EXPECT_EQ(s.openKey(rootHandle(HKEY_CURRENT_USER), "Software\\Locked", KEY_QUERY_VALUE, key), kSuccess);
    s.closeKey(key);
}

TEST(Environment, ExpandsKnownNamesOnly) {
    const EnvironmentLookup lookup = [](const std::string& name) -> std::optional<std::string> {
        if (name == "A") return std::string("1");
        if (name == "EMPTY") return std::string();
        return std::nullopt;
    };
    const std::pair<std::string, std::string> cases[] = {
        {"%A%", "1"}, {"x%A%y%A%z", "x1y1z"}, {"%B%", "%B%"},    {"100%", "100%"},
        {"%%", "%%"}, {"%A", "%A"},           {"%EMPTY%|", "|"}, {"%B%A%", "%B%A%"},
    };
    for (const auto& [text, expanded] : cases) EXPECT_EQ(expandReferences(text, lookup), expanded) << text;
}

}  // namespace
