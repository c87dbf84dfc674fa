// plugsweep removes exactly what the host wrote: the embedded host (version 14.0) records the
// add-in's companion workbook in a Wine prefix's registry, then plugsweep, run as a program on
// that prefix, deletes those entries and nothing else.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>

#include "host/text.h"
#include "registry/c_registry.h"
#include "registry/wine_store.h"
#include "session/host_session.h"

namespace fs = std::filesystem;

namespace {

const std::u16string kOptions = u"Software\\Microsoft\\Office\\14.0\\Excel\\Options";
const std::u16string kManager = u"Software\\Microsoft\\Office\\14.0\\Excel\\Add-in Manager";
const std::u16string kRegistration = u"Software\\Microsoft\\Office\\Excel\\Addins\\CellwashKit.Connect";

// name=data of every value of an HKCU key, read afresh from the prefix's files.
std::vector<std::u16string> values(const fs::path& prefix, const std::u16string& key) {
    auto store = std::make_shared<registry::WineRegistryStore>(prefix);
    registry::cRegistry reg(store);
    reg.ClassKey(registry::HKEY_CURRENT_USER);
    reg.SectionKey(key);
    registry::OneBasedList<std::u16string> names;
    std::int32_t count = 0;
    std::vector<std::u16string> out;
    if (!reg.KeyExists() || !reg.EnumerateValues(names, count)) return out;
    for (std::int32_t i = 1; i <= count; ++i) {
        reg.ValueKey(names[i]);
        out.push_back(names[i] + u"=" + reg.Value().toText());
    }
    return out;
}

int plugsweep(const fs::path& prefix, const std::string& name) {
    const std::string command =
        "WINEPREFIX='" + prefix.string() + "' '" + PLUGSWEEP_PATH + "' " + name + " </dev/null >/dev/null 2>&1";
    return std::system(command.c_str());
}

TEST(PlugsweepOnWhatTheHostWrote, RemovesTheStartUpAndAddInManagerEntriesAndNothingElse) {
    const fs::path prefix = fs::temp_directory_path() / ("cw_prefix_" + std::to_string(::getpid()));
    fs::create_directories(prefix);
    {
        session::HostSession session(
            {.version = u"14.0", .registryStore = std::make_shared<registry::WineRegistryStore>(prefix)});
        ASSERT_TRUE(session.connected());
        EXPECT_EQ(values(prefix, kOptions), (std::vector<std::u16string>{u"OPEN=\"Cellwash Kit 5.0.xla\""}));

        ASSERT_EQ(plugsweep(prefix, "Cellwash Kit 5.0.xla"), 0);
        EXPECT_TRUE(values(prefix, kOptions).empty());
        EXPECT_EQ(values(prefix, kRegistration).size(), 3u);  // the COM registration stays

        session.setConnected(false);  // the host now lists the workbook as not installed
        EXPECT_EQ(values(prefix, kManager), (std::vector<std::u16string>{u"Cellwash Kit 5.0.xla="}));
        ASSERT_EQ(plugsweep(prefix, "Cellwash Kit 5.0.xla"), 0);
        EXPECT_TRUE(values(prefix, kManager).empty());
        EXPECT_EQ(values(prefix, kRegistration).size(), 3u);
    }
    fs::remove_all(prefix);
}

}  // namespace
