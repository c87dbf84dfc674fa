// The registry files of a Wine prefix: what a change leaves in them, and what is refused.
#include "registry/wine_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "registry/c_registry.h"
#include "tests/registry/temp_dir.h"

using namespace registry;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::withoutStamps;
using testing_support::writeFile;

namespace {

const std::string kUserReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Alpha] 1600000000\n"
    "#time=1d6f1e2a3b4c5d6\n"
    "\"Keep\"=\"same\"\n"
    "\"Change\"=\"old\"\n"
    "\"Zap\"=dword:00000001\n"
    "\n"
    "[Software\\\\Gamma\\\\Deep] 1600000001\n"
    "#time=1d6f1e2a3b4c5d7\n"
    "\"Odd\"=hex:01,\\\n"
    "    02\n";

class WineStoreTest : public ::testing::Test {
protected:
    void SetUp() override { writeFile(prefix / "user.reg", kUserReg); }
    cRegistry at(const std::u16string& section, const std::u16string& value = u"") {
        cRegistry reg(store);
        reg.ClassKey(HKEY_CURRENT_USER);
        reg.SectionKey(section);
        reg.ValueKey(value);
        reg.ValueType(REG_SZ);
        return reg;
    }
    std::string userReg() { return readFile(prefix / "user.reg"); }
    TempDir prefix;
    std::shared_ptr<WineRegistryStore> store = std::make_shared<WineRegistryStore>(prefix.path());
};

TEST_F(WineStoreTest, ReadsTheFile) {
    EXPECT_EQ(at(u"software\\alpha", u"KEEP").Value(), RegVariant(u"same"));
    cRegistry zap = at(u"Software\\Alpha", u"Zap");
    EXPECT_EQ(zap.Value(), RegVariant(std::int32_t{1}));
    EXPECT_EQ(at(u"Software\\Gamma\\Deep", u"Odd").Value(), RegVariant(ByteArray{1, 2}));
    EXPECT_TRUE(at(u"Software\\Gamma").KeyExists()) << "a key stands in the file through its sub-keys";
    OneBasedList<std::u16string> names;
    std::int32_t count = 0;
    at(u"Software").EnumerateSections(names, count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(names[1], u"Alpha");
    EXPECT_EQ(names[2], u"Gamma");
}

TEST_F(WineStoreTest, AChangeRewritesOnlyWhatChanged) {
    at(u"Software\\Alpha", u"Change").Value(u"new");
    std::string expected = kUserReg;
    expected.replace(expected.find("\"Change\"=\"old\""), 14, "\"Change\"=\"new\"");
    const std::string now = userReg();
    EXPECT_EQ(withoutStamps(now), withoutStamps(expected));
    EXPECT_NE(now.find("[Software\\\\Gamma\\\\Deep] 1600000001\n#time=1d6f1e2a3b4c5d7\n\"Odd\"=hex:01,\\\n    02\n"),
              std::string::npos)
        << "an untouched key keeps its stamp and its folded lines";
    EXPECT_EQ(now.find("[Software\\\\Alpha] 1600000000"), std::string::npos) << "the changed key is stamped anew";

    at(u"Software\\Alpha", u"Zap").DeleteValue();
    expected.erase(expected.find("\"Zap\"=dword:00000001\n"), 21);
    EXPECT_EQ(withoutStamps(userReg()), withoutStamps(expected));
}

TEST_F(WineStoreTest, NewValuesAndKeysGoWhereWineWouldPutThem) {
    at(u"Software\\Alpha", u"Added").Value(u"1");
    at(u"Software\\Beta", u"B").Value(u"2");
    at(u"Software\\Zulu\\Leaf").CreateKey();
    const std::string text = withoutStamps(userReg());
    EXPECT_EQ(text,
              "WINE REGISTRY Version 2\n"
              ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
              "\n"
              "#arch=win64\n"
              "\n"
              "[Software\\\\Alpha] *\n"
              "#time=*\n"
              "\"Keep\"=\"same\"\n"
              "\"Change\"=\"old\"\n"
              "\"Zap\"=dword:00000001\n"
              "\"Added\"=\"1\"\n"
              "\n"
              "[Software\\\\Beta] *\n"
              "#time=*\n"
              "\"B\"=\"2\"\n"
              "\n"
              "[Software\\\\Gamma\\\\Deep] *\n"
              "#time=*\n"
              "\"Odd\"=hex:01,\\\n"
              "    02\n"
              "\n"
              "[Software\\\\Zulu\\\\Leaf] *\n"
              "#time=*\n");
    // Wine's own stamps: seconds after the bracket, 100-ns ticks on the #time line.
    const std::string raw = userReg();
    const size_t beta = raw.find("[Software\\\\Beta] ");
    ASSERT_NE(beta, std::string::npos);
    const long long seconds = std::stoll(raw.substr(beta + 17));
    EXPECT_NEAR(static_cast<double>(seconds), static_cast<double>(std::time(nullptr)), 60);
}

TEST_F(WineStoreTest, DeletingAKeyKeepsItsParent) {
    at(u"Software\\Gamma\\Deep").DeleteKey();
    EXPECT_FALSE(at(u"Software\\Gamma\\Deep").KeyExists());
    EXPECT_TRUE(at(u"Software\\Gamma").KeyExists());
    WineRegistryStore fresh(prefix.path());
    cRegistry again(std::shared_ptr<RegistryStore>(&fresh, [](RegistryStore*) {}));
    again.ClassKey(HKEY_CURRENT_USER);
    again.SectionKey(u"Software\\Gamma");
    EXPECT_TRUE(again.KeyExists()) << "the parent is written to the file";
}

TEST_F(WineStoreTest, MissingFileIsEmptyUntilTheFirstWrite) {
    TempDir empty;
    auto fresh = std::make_shared<WineRegistryStore>(empty.path());
    cRegistry reg(fresh);
    reg.ClassKey(HKEY_CURRENT_USER);
    reg.SectionKey(u"Software\\New");
    EXPECT_FALSE(reg.KeyExists());
    OneBasedList<std::u16string> names;
    std::int32_t count = 0;
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_FALSE(std::filesystem::exists(empty / "user.reg")) << "reading creates nothing";
    reg.ValueType(REG_SZ);
    reg.ValueKey(u"v");
    reg.Value(u"x");
    const std::string text = readFile(empty / "user.reg");
    EXPECT_EQ(text.rfind("WINE REGISTRY Version 2\n", 0), 0u);
    EXPECT_NE(text.find("\n[Software\\\\New] "), std::string::npos);
    EXPECT_NE(text.find("\n\"v\"=\"x\"\n"), std::string::npos);
    EXPECT_EQ(fresh->problem(), "");
    EXPECT_FALSE(std::filesystem::exists(empty / "system.reg"));
}

TEST_F(WineStoreTest, MalformedFileIsRefusedAndLeftAlone) {
    const std::string broken = kUserReg + "\"Bad\"=dword:nothex\n";
    writeFile(prefix / "user.reg", broken);
    EXPECT_FALSE(at(u"Software\\Alpha").KeyExists());
    EXPECT_TRUE(at(u"Software\\Alpha", u"Keep").Value().isEmpty());
    EXPECT_THROW(at(u"Software\\Alpha", u"Keep").Value(u"x"), RegistryError);
    EXPECT_THROW(at(u"Software\\New").CreateKey(), RegistryError);
    EXPECT_EQ(readFile(prefix / "user.reg"), broken);
    EXPECT_EQ(store->problem(), (prefix / "user.reg").string() + ": line 16: malformed dword value");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(prefix.path()), {}), 1) << "no temporary left";

    writeFile(prefix / "user.reg", kUserReg);  // mended outside: read again
    EXPECT_TRUE(at(u"Software\\Alpha").KeyExists());
    EXPECT_EQ(store->problem(), "");
}

TEST_F(WineStoreTest, UnwritableFolderFailsTheWriteAndKeepsTheState) {
    TempDir parent;
    auto orphan = std::make_shared<WineRegistryStore>(parent / "no-such-prefix");
    cRegistry reg(orphan);
    reg.ClassKey(HKEY_CURRENT_USER);
    reg.SectionKey(u"Software\\X");
    reg.ValueKey(u"v");
    reg.ValueType(REG_SZ);
    EXPECT_THROW(reg.Value(u"x"), RegistryError);
    EXPECT_FALSE(reg.KeyExists()) << "a failed write leaves nothing behind in memory either";
    EXPECT_NE(orphan->problem().find("cannot write " + (parent / "no-such-prefix" / "user.reg").string()),
              std::string::npos)
        << orphan->problem();
    EXPECT_FALSE(std::filesystem::exists(parent / "no-such-prefix"));
}

TEST_F(WineStoreTest, ChangesOnDiskAreSeen) {
    cRegistry reg = at(u"Software\\Alpha", u"Keep");
    EXPECT_EQ(reg.Value(), RegVariant(u"same"));
    std::string edited = kUserReg;
    edited.replace(edited.find("\"same\""), 6, "\"edited elsewhere\"");
    writeFile(prefix / "user.reg", edited);
    EXPECT_EQ(reg.Value(), RegVariant(u"edited elsewhere"));
}

TEST_F(WineStoreTest, ReplacementKeepsModeAndSymlink) {
    const auto file = prefix / "user.reg";
    ::chmod(file.c_str(), 0640);
    writeFile(prefix / "real.reg", kUserReg);
    std::filesystem::remove(file);
    std::filesystem::create_symlink("real.reg", file);
    ::chmod((prefix / "real.reg").c_str(), 0640);
    at(u"Software\\Alpha", u"Change").Value(u"new");
    EXPECT_TRUE(std::filesystem::is_symlink(file)) << "the link stays; its target is replaced";
    EXPECT_NE(readFile(prefix / "real.reg").find("\"Change\"=\"new\""), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat((prefix / "real.reg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(WineStoreTest, MachineHiveAndClassesLiveInSystemReg) {
    cRegistry reg(store);
    reg.CreateEXEAssociation(u"C:\\cw.exe", u"Cellwash.Doc", u"Cellwash document", u"cwd");
    const std::string system = readFile(prefix / "system.reg");
    EXPECT_EQ(system.rfind("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n", 0), 0u);
    EXPECT_NE(system.find("[Software\\\\Classes\\\\.cwd] "), std::string::npos);
    EXPECT_NE(system.find("@=\"Cellwash.Doc\"\n"), std::string::npos);
    EXPECT_NE(system.find("@=\"\\\"C:\\\\cw.exe\\\" \\\"%1\\\"\"\n"), std::string::npos);
    EXPECT_EQ(withoutStamps(userReg()), withoutStamps(kUserReg)) << "the user's file is not touched";
}

TEST(WinePrefix, FollowsWinePrefixThenHome) {
    const char* saved = std::getenv("WINEPREFIX");
    const std::string keep = saved ? saved : "";
    ::setenv("WINEPREFIX", "/srv/prefix", 1);
    EXPECT_EQ(WineRegistryStore::defaultPrefix(), std::filesystem::path("/srv/prefix"));
    ::unsetenv("WINEPREFIX");
    EXPECT_EQ(WineRegistryStore::defaultPrefix(), std::filesystem::path(std::getenv("HOME")) / ".wine");
    if (saved) ::setenv("WINEPREFIX", keep.c_str(), 1);
}

}  // namespace
