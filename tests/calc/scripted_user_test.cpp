#include "host/calc/scripted_user.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "forms/forms.h"

namespace host::calc {
namespace {

namespace fs = std::filesystem;

// A tool dialog as the add-in's frmMain behaves: Yes runs a loop of items with a DoEvents after
// each, which a Stop click ends.
class ToolDialog : public forms::Form {
public:
    ToolDialog() : Form(u"frmMain") {
        cmdYes.onClick = [this] { runTool(); };
        cmdNo.onClick = [this] { forms::Unload(*this); };
        cmdDO1to4Stop.onClick = [this] { stopped = true; };
        cmdDO1to4Stop.setVisible(false);
    }
    forms::CheckBox chkCleanWhiteSpaces{*this, u"chkCleanWhiteSpaces"};
    forms::TextBox txtUserDefinedChars{*this, u"txtUserDefinedChars"};
    forms::CommandButton cmdYes{*this, u"cmdYes"};
    forms::CommandButton cmdNo{*this, u"cmdNo"};
    forms::CommandButton cmdDO1to4Stop{*this, u"cmdDO1to4Stop"};
    int itemsDone = 0;
    bool stopped = false;
    bool ran = false;

private:
    void runTool() {
        ran = true;
        cmdDO1to4Stop.setVisible(true);
        for (int item = 0; item < 10 && !stopped; ++item) {
            ++itemsDone;
            forms::DoEvents();
        }
        forms::Unload(*this);
    }
};

class MessageWindow : public forms::Form {
public:
    MessageWindow() : Form(u"frmAlert") {}
    forms::Label lblMessageHeading{*this, u"lblMessageHeading"};
    forms::Label lblMessage{*this, u"lblMessage"};
};

class ScriptedUserTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("cellwash-ui-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        log_ = folder_ / "ui.log";
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string logText() const {
        std::ifstream in(log_);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder_;
    fs::path log_;
};

TEST(UiScript, ReadsEveryKindOfLine) {
    const UiScript script = parseUiScript(
        "# comment\n"
        "set chkCleanWhiteSpaces=false\n"
        "set txtUserDefinedChars= a=b \n"
        "\n"
        "click OptionButton2\r\n"
        "read lblCount\n"
        "stop-after 3\n"
        "answer no\n"
        "yes\n");
    ASSERT_EQ(script.dialogActions.size(), 4u);
    EXPECT_EQ(script.dialogActions[0].kind, forms::ActionKind::SetValue);
    EXPECT_EQ(script.dialogActions[0].control, u"chkCleanWhiteSpaces");
    EXPECT_FALSE(script.dialogActions[0].flag);
    EXPECT_EQ(script.dialogActions[1].kind, forms::ActionKind::SetText);
    EXPECT_EQ(script.dialogActions[1].text, u" a=b");
    EXPECT_EQ(script.dialogActions[2].kind, forms::ActionKind::Click);
    EXPECT_EQ(script.dialogActions[2].control, u"OptionButton2");
    EXPECT_EQ(script.dialogActions[3].kind, forms::ActionKind::Inspect);
    EXPECT_EQ(script.dialogActions[3].control, u"lblCount");
    EXPECT_EQ(script.stopAfter, 3);
    EXPECT_EQ(script.answer, forms::vbNo);
    EXPECT_EQ(script.confirm, true);
}

TEST(UiScript, RefusesWhatItDoesNotKnowNamingTheLine) {
    for (const char* bad : {"press cmdYes", "set chk", "set =1", "stop-after 0", "stop-after x", "answer maybe",
                            "yes please", "click", "read"}) {
        try {
            parseUiScript(std::string("yes\n") + bad + "\n");
            ADD_FAILURE() << bad;
        } catch (const UiScriptError& e) {
            EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
        }
    }
}

TEST_F(ScriptedUserTest, TheToolDialogTakesTheSettingsThenYes) {
    ScriptedUser user(parseUiScript("set chkCleanWhiteSpaces=true\nset txtUserDefinedChars=xyz\nyes\n"), UiLog(log_));
    forms::DriverScope scope(user);
    auto dialog = std::make_shared<ToolDialog>();
    dialog->Show();
    EXPECT_TRUE(dialog->chkCleanWhiteSpaces.Value());
    EXPECT_EQ(dialog->txtUserDefinedChars.Text(), u"xyz");
    EXPECT_TRUE(dialog->ran);
    EXPECT_EQ(dialog->itemsDone, 10);
    EXPECT_FALSE(user.pressedStop());
}

TEST_F(ScriptedUserTest, ReadLogsWhatAControlShowsAtThatPoint) {
    ScriptedUser user(parseUiScript("read txtUserDefinedChars\nset txtUserDefinedChars=abc\nread txtUserDefinedChars\n"
                                    "read lblNothing\n"),
                      UiLog(log_));
    forms::DriverScope scope(user);
    auto dialog = std::make_shared<ToolDialog>();
    dialog->txtUserDefinedChars.setText(u"12");
    dialog->Show();
    EXPECT_FALSE(dialog->ran);
    EXPECT_EQ(logText(), "txtUserDefinedChars: 12\ntxtUserDefinedChars: abc\nlblNothing: (no such control)\n");
}

TEST_F(ScriptedUserTest, WithoutYesTheDialogIsClosedAndNothingRuns) {
    ScriptedUser user(parseUiScript("set chkCleanWhiteSpaces=true\n"), UiLog(log_));
    forms::DriverScope scope(user);
    auto dialog = std::make_shared<ToolDialog>();
    dialog->Show();
    EXPECT_FALSE(dialog->ran);
    EXPECT_FALSE(dialog->Loaded());
}

TEST_F(ScriptedUserTest, StopIsPressedAtTheNthYield) {
    ScriptedUser user(parseUiScript("yes\nstop-after 4\n"), UiLog(log_));
    forms::DriverScope scope(user);
    auto dialog = std::make_shared<ToolDialog>();
    dialog->Show();
    EXPECT_TRUE(user.pressedStop());
    EXPECT_EQ(dialog->itemsDone, 4);
}

TEST_F(ScriptedUserTest, TheMessageWindowAndMessageBoxesAreLoggedAndAnswered) {
    ScriptedUser user(parseUiScript("answer no\n"), UiLog(log_));
    forms::DriverScope scope(user);
    auto alert = std::make_shared<MessageWindow>();
    alert->lblMessageHeading.setCaption(u"Cellwash");
    alert->lblMessage.setCaption(u"All Extra Spaces Removed\r\nfrom Selected Cells!");
    alert->Show();
    EXPECT_FALSE(alert->Loaded());
    EXPECT_EQ(forms::MsgBox(u"Delete the sheet?", forms::vbYesNo), forms::vbNo);
    EXPECT_EQ(forms::MsgBox(u"Done.", forms::vbOKOnly), forms::vbOK);
    EXPECT_EQ(logText(), "Cellwash\nAll Extra Spaces Removed from Selected Cells!\nDelete the sheet?\nDone.\n");
}

}  // namespace
}  // namespace host::calc
