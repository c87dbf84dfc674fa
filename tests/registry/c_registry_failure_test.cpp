// Failures a store can only be made to show on purpose.
#include <gtest/gtest.h>

#include <stdexcept>

#include "registry/c_registry.h"
#include "registry/memory_store.h"

using namespace registry;

namespace {

class BrokenListStore : public MemoryRegistryStore {
public:
    RegResult enumKey(KeyHandle, std::uint32_t, std::uint32_t, std::string&) override {
        throw std::runtime_error("the key list could not be read");
    }
};

// Reports value names shorter than they are, as a store counting in other units might.
class ShortNameLengthStore : public MemoryRegistryStore {
public:
    RegResult queryMaxValueNameLength(KeyHandle, std::uint32_t& length) override {
        length = 1;
        return kSuccess;
    }
};

TEST(CRegistryFailures, NamesLongerThanReportedAreStillListed) {
    auto store = std::make_shared<ShortNameLengthStore>();
    cRegistry reg(store);
    reg.ClassKey(HKEY_CURRENT_USER);
    reg.SectionKey(u"Software\\Names");
    reg.ValueType(REG_SZ);
    for (const char16_t* name : {u"a", u"a name of some length", u"b"}) {
        reg.ValueKey(name);
        reg.Value(u"x");
    }
    OneBasedList<std::u16string> names;
    std::int32_t count = 0;
    reg.EnumerateValues(names, count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(names[2], u"a name of some length");
    EXPECT_EQ(names[3], u"b");
}

TEST(CRegistryFailures, UnexpectedErrorWhileListingSubKeys) {
    auto store = std::make_shared<BrokenListStore>();
    cRegistry reg(store);
    reg.ClassKey(HKEY_CURRENT_USER);
    reg.SectionKey(u"Software");
    reg.CreateKey();
    OneBasedList<std::u16string> names;
    std::int32_t count = 0;
    try {
        reg.EnumerateSections(names, count);
        FAIL() << "no error raised";
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.number(), -2147194454);
        EXPECT_EQ(e.description(), "the key list could not be read");
        EXPECT_EQ(e.source(), programName() + ".cRegistry");
    }
    EXPECT_EQ(store->openHandleCount(), 0u) << "the key is closed before the error leaves";
}

TEST(CRegistryFailures, ReadOnlyHive) {
    auto store = std::make_shared<MemoryRegistryStore>();
    cRegistry reg(store);
    reg.ClassKey(HKEY_CURRENT_USER);
    reg.SectionKey(u"Software\\Locked");
    reg.ValueKey(u"v");
    reg.ValueType(REG_SZ);
    reg.Value(u"kept");
    store->user().setWritable(false);
    EXPECT_EQ(reg.Value(), RegVariant(u"kept")) << "reading needs no write access";
    try {
        reg.DeleteValue();
        FAIL() << "no error raised";
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.description(), "Failed to open key '-2147483647',Section: 'Software\\Locked' for delete access");
    }
    EXPECT_THROW(reg.Value(u"new"), RegistryError);
    EXPECT_EQ(reg.Value(), RegVariant(u"kept"));
}

TEST(CRegistryFailures, DefaultStoreCanBeReplaced) {
    auto store = std::make_shared<MemoryRegistryStore>();
    setDefaultRegistryStore(store);
    cRegistry reg;
    reg.ClassKey(HKEY_CURRENT_USER);
    reg.SectionKey(u"Software\\ViaDefault");
    reg.CreateKey();
    setDefaultRegistryStore(nullptr);  // back to the platform's, made when next asked for
    KeyHandle key = 0;
    EXPECT_EQ(store->openKey(rootHandle(HKEY_CURRENT_USER), "Software\\ViaDefault", KEY_QUERY_VALUE, key), kSuccess);
    store->closeKey(key);
}

}  // namespace
