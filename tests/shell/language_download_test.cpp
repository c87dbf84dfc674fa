// The language list download against a small HTTP server on 127.0.0.1.
#include <httplib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "forms/forms.h"
#include "shell/addin_folder.h"
#include "shell/frm_alert.h"
#include "shell/language_list_download.h"
#include "tests/shell/language_fixture.h"

namespace shelltest {
namespace {

namespace fs = std::filesystem;

// Serves the list, an empty answer and a server error.
class ListServer {
public:
    ListServer() {
        server_.Get("/list", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("En;Hi;Fr;\n\xE0\xA4\xB9\xE0\xA4\xBF", "text/plain; charset=utf-8");
        });
        server_.Get("/empty",
                    [](const httplib::Request&, httplib::Response& res) { res.set_content("", "text/plain"); });
        server_.Get("/error", [](const httplib::Request&, httplib::Response& res) {
            res.status = 500;
            res.set_content("server trouble", "text/plain");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() only ends a loop that is running: wait for it, or stopping early would hang.
        while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~ListServer() {
        server_.stop();
        thread_.join();
    }
    std::string address(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string utf16le(const std::u16string& text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

class LanguageDownload : public LanguageTest {
protected:
    void SetUp() override {
        LanguageTest::SetUp();
        folder_ =
            fs::temp_directory_path() / ("cw_lng_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
        shell::setAddinFolder(folder_);
        loadAtStart();
    }
    void TearDown() override {
        shell::setAddinFolder({});
        shell::setLanguageListAddress({});
        fs::remove_all(folder_);
        LanguageTest::TearDown();
    }
    void click() { shell::btnUpdateLanguageList_Click(RibbonControlStub(u"btnUpdateLanguageList_68")); }
    fs::path saved() const { return folder_ / "LNG2.txt"; }

    fs::path folder_;
    ListServer server_;
    forms::ScriptedDriver user_;
    forms::DriverScope scope_{user_};
};

TEST_F(LanguageDownload, TheListIsSavedAsUnicodeWithALineEndAndTheUserIsTold) {
    shell::setLanguageListAddress(server_.address("/list"));
    click();
    EXPECT_EQ(readBytes(saved()), utf16le(u"\uFEFFEn;Hi;Fr;\nहि\r\n"));
    ASSERT_EQ(user_.shownForms().size(), 1u);
    const forms::FormSnapshot& alert = user_.shownForms()[0];
    EXPECT_EQ(alert.form, u"frmAlert");
    EXPECT_EQ(alert.text(u"lblMessageHeading"), u"Data Cleaning Tools");
    EXPECT_EQ(alert.text(u"lblMessage"), u"List is Updated");
    EXPECT_FALSE(shell::frmAlertLoaded()) << "closed by the user";
}

TEST_F(LanguageDownload, TheMessageFollowsTheActiveLanguageAndAnOldFileIsOverwritten) {
    std::ofstream(saved()) << "an older and much longer list of languages";
    std::u16string hi = u"Hi";
    shell::loadLanguageRow(hi);
    shell::setLanguageListAddress(server_.address("/list"));
    click();
    EXPECT_EQ(readBytes(saved()), utf16le(u"\uFEFFEn;Hi;Fr;\nहि\r\n"));
    ASSERT_EQ(user_.shownForms().size(), 1u);
    EXPECT_EQ(user_.shownForms()[0].text(u"lblMessageHeading"), shell::labelRow[4]);
    EXPECT_EQ(user_.shownForms()[0].text(u"lblMessage"), shell::labelRow[71]);
}

TEST_F(LanguageDownload, EmptyAnswerServerErrorAndNoServerChangeNothingAndShowNothing) {
    std::ofstream(saved()) << "kept";
    std::string nobody;
    {
        ListServer gone;
        nobody = gone.address("/list");
    }
    for (const std::string& address : {server_.address("/empty"), server_.address("/error"), nobody}) {
        shell::setLanguageListAddress(address);
        click();
        EXPECT_EQ(readBytes(saved()), "kept") << address;
    }
    EXPECT_TRUE(user_.shownForms().empty());
}

TEST_F(LanguageDownload, AListThatCannotBeSavedIsNotReportedAsUpdated) {
    shell::setAddinFolder(folder_ / "missing" / "folder");
    shell::setLanguageListAddress(server_.address("/list"));
    click();
    EXPECT_TRUE(user_.shownForms().empty());
}

TEST(AddinFolder, IsTheLibraryFolderUnlessSet) {
    fs::path own = shell::addinFolder();
    EXPECT_TRUE(fs::is_directory(own)) << own;
    shell::setAddinFolder("/some/where");
    EXPECT_EQ(shell::addinFolder(), fs::path("/some/where"));
    shell::setAddinFolder({});
    EXPECT_EQ(shell::addinFolder(), own);
}

TEST(LanguageListAddress, IsTheProductsOwnUnlessSet) {
    EXPECT_TRUE(shell::languageListAddress().starts_with("https://"));
    shell::setLanguageListAddress("http://127.0.0.1:1/x");
    EXPECT_EQ(shell::languageListAddress(), "http://127.0.0.1:1/x");
    shell::setLanguageListAddress({});
    EXPECT_FALSE(shell::httpGet("not an address").has_value());
}

}  // namespace
}  // namespace shelltest
