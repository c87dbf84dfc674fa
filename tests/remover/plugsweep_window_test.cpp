// Form1 and its handlers, over a registry in memory and a scripted user.
#include "remover/plugsweep_window.h"

#include <gtest/gtest.h>

#include <sstream>

#include "forms/runtime.h"
#include "forms/scripted_driver.h"
#include "registry/c_registry.h"
#include "registry/memory_store.h"
#include "remover/addin_entries.h"
#include "remover/command_line.h"
#include "remover/shell_open.h"
#include "remover/terminal_driver.h"

using namespace registry;
using namespace plugsweep;

namespace {

// Fails the first value listing it is asked for, as a registry error would.
class FirstListingFails : public MemoryRegistryStore {
public:
    RegResult enumValue(KeyHandle key, std::uint32_t index, std::uint32_t capacity, std::string& name) override {
        if (!failed_) {
            failed_ = true;
            throw RegistryError(26001, "test", "listing failed");
        }
        return MemoryRegistryStore::enumValue(key, index, capacity, name);
    }

private:
    bool failed_ = false;
};

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        setDefaultRegistryStore(store);
        setOpener([this](const std::u16string& address) { opened.push_back(address); });
        setCommand(u"C:\\Addins\\Tool.xla");
    }
    void TearDown() override {
        if (forms::Form* top = forms::activeForm()) forms::Unload(*top);
        forms::Unload(form1());
        setDefaultRegistryStore(nullptr);
        setOpener(nullptr);
        setCommand(u"");
    }
    void put(const std::u16string& section, const std::u16string& name, const std::u16string& text) {
        cRegistry reg(store);
        reg.ClassKey(HKEY_CURRENT_USER);
        reg.SectionKey(section);
        reg.ValueKey(name);
        reg.ValueType(REG_SZ);
        reg.Value(text);
    }
    std::vector<std::u16string> names(const std::u16string& section) {
        cRegistry reg(store);
        reg.ClassKey(HKEY_CURRENT_USER);
        reg.SectionKey(section);
        OneBasedList<std::u16string> list;
        std::int32_t count = 0;
        reg.EnumerateValues(list, count);
        return {list.begin(), list.end()};
    }

    std::shared_ptr<MemoryRegistryStore> store = std::make_shared<MemoryRegistryStore>();
    std::vector<std::u16string> opened;
};

TEST_F(Form1Test, DesignAsTheWindowShowsIt) {
    Form1& form = form1();
    EXPECT_EQ(form.Caption(), std::u16string(44, u' ') + u"Excel Addin Removed");
    EXPECT_EQ(form.Label1.Caption(), u"C:\\Addins\\Tool.xla has been Removed from your system!");
    EXPECT_EQ(form.Label1.FontName(), u"Verdana");
    EXPECT_EQ(form.Label2.Caption(), u"");
    EXPECT_EQ(form.Label2.BackColor(), 0xE0E0E0u);
    EXPECT_EQ(form.Command1.Caption(), u"Send Your Feedback");
    EXPECT_EQ(form.Command2.Caption(), u"No Thanks");
    EXPECT_EQ(form.Command1.FontName(), u"Verdana");
    EXPECT_EQ(form.Command2.FontName(), u"Verdana");
    EXPECT_LT(form.Command1.Left(), form.Command2.Left()) << "feedback on the left";
    EXPECT_EQ(form.Command1.Top(), form.Command2.Top());
    EXPECT_GT(form.Command1.Top(), form.Label1.Top() + form.Label1.Height() - 1) << "buttons below the message";
    EXPECT_EQ(form.addinName(), u"C:\\Addins\\Tool.xla");
}

TEST_F(Form1Test, LoadingRemovesTheEntries) {
    put(u"Software\\Microsoft\\Office\\12.0\\Excel\\Options", u"OPEN", u"\"C:\\Addins\\Tool.xla\"");
    put(u"Software\\Microsoft\\Office\\12.0\\Excel\\Add-in Manager", u"C:\\Addins\\Tool.xla", u"");
    form1();
    EXPECT_TRUE(names(u"Software\\Microsoft\\Office\\12.0\\Excel\\Options").empty());
    EXPECT_TRUE(names(u"Software\\Microsoft\\Office\\12.0\\Excel\\Add-in Manager").empty());
}

TEST_F(Form1Test, AnErrorEndsOnlyThatVersionsSearch) {
    auto failing = std::make_shared<FirstListingFails>();
    store = failing;
    setDefaultRegistryStore(store);
    for (const char16_t* version : {u"14.0", u"12.0"})
        put(std::u16string(u"Software\\Microsoft\\Office\\") + version + u"\\Excel\\Options", u"OPEN",
            u"\"C:\\Addins\\Tool.xla\"");
    form1();
    EXPECT_EQ(names(u"Software\\Microsoft\\Office\\14.0\\Excel\\Options"), std::vector<std::u16string>{u"OPEN"});
    EXPECT_TRUE(names(u"Software\\Microsoft\\Office\\12.0\\Excel\\Options").empty());
}

TEST_F(Form1Test, StartupSearchReadsNumbersAsTextAndSkipsBytes) {
    const std::u16string options = u"Software\\Microsoft\\Office\\14.0\\Excel\\Options";
    cRegistry reg(store);
    reg.ClassKey(HKEY_CURRENT_USER);
    reg.SectionKey(options);
    reg.ValueKey(u"Number");
    reg.ValueType(REG_DWORD);
    reg.Value(std::int32_t{7});
    reg.ValueKey(u"Bytes");
    reg.ValueType(REG_BINARY);
    reg.Value(ByteArray{1, 2});
    put(options, u"OPEN", u"\"7\"");
    Module1::RemoveStartupEntry(u"14.0", u"Excel", u"\"7\"");
    EXPECT_EQ(names(options), (std::vector<std::u16string>{u"Number", u"Bytes"}));
    Module1::RemoveStartupEntry(u"14.0", u"Excel", u"7");
    EXPECT_EQ(names(options), (std::vector<std::u16string>{u"Bytes"})) << "a number reads as its digits";
}

TEST_F(Form1Test, NoThanksCloses) {
    forms::ScriptedDriver user;
    user.click(u"Command2");
    forms::DriverScope scope(user);
    const auto form = form1().keepAlive();  // Unload releases the shared instance
    form->Show();
    EXPECT_FALSE(form->Loaded());
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(user.shownForms().size(), 1u);
}

TEST_F(Form1Test, FeedbackOpensThePageAndCloses) {
    forms::ScriptedDriver user;
    user.click(u"Command1");
    forms::DriverScope scope(user);
    const auto form = form1().keepAlive();
    form->Show();
    EXPECT_FALSE(form->Loaded());
    EXPECT_EQ(opened, std::vector<std::u16string>{kFeedbackAddress});
}

TEST_F(Form1Test, GreyLabelShowsTheName) {
    forms::ScriptedDriver user;
    user.click(u"Label2").answer(forms::vbOK).click(u"Command2");
    forms::DriverScope scope(user);
    form1().Show();
    ASSERT_EQ(user.messageBoxes().size(), 1u);
    EXPECT_EQ(user.messageBoxes()[0].prompt, u"C:\\Addins\\Tool.xla");
    EXPECT_EQ(user.messageBoxes()[0].title, std::optional<std::u16string>(u"Plugsweep"));
    EXPECT_EQ(user.messageBoxes()[0].buttonSet(), forms::vbOKOnly);
}

std::vector<KeyBinding> keys() {
    return {{'f', u"Command1", u"Send Your Feedback"},
            {'n', u"Command2", u"No Thanks"},
            {'l', u"Label2", u"Show the add-in name"}};
}

TEST_F(Form1Test, TerminalShowsTheWindowAndTakesKeys) {
    std::istringstream in("x\n\nL\n\nn\n");
    std::ostringstream out;
    TerminalDriver user(in, out, keys(), u"Command2", true);
    forms::DriverScope scope(user);
    const auto form = form1().keepAlive();
    form->Show();
    EXPECT_FALSE(form->Loaded());
    EXPECT_TRUE(opened.empty());
    const std::string keyLine = "[F] Send Your Feedback    [N] No Thanks    [L] Show the add-in name";
    EXPECT_EQ(out.str(), std::string(44, ' ') +
                             "Excel Addin Removed\n\n"
                             "  C:\\Addins\\Tool.xla has been Removed from your system!\n\n  " +
                             keyLine +
                             "\n"
                             "> "
                             "  " +
                             keyLine +
                             "\n"  // x: no such key
                             "> > \n  Plugsweep: C:\\Addins\\Tool.xla\n  [OK] press Enter\n"
                             "> ");
}

TEST_F(Form1Test, TerminalFeedbackKeyAndEndOfInput) {
    {
        std::istringstream in("f\n");
        std::ostringstream out;
        TerminalDriver user(in, out, keys(), u"Command2", true);
        forms::DriverScope scope(user);
        form1().Show();
        EXPECT_EQ(opened.size(), 1u);
    }
    std::istringstream in("");
    std::ostringstream out;
    TerminalDriver user(in, out, keys(), u"Command2", true);
    forms::DriverScope scope(user);
    const auto form = form1().keepAlive();
    form->Show();
    EXPECT_FALSE(form->Loaded()) << "the end of the input closes the window";
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(Form1Test, WithoutATerminalItPrintsTheMessageAndDeclines) {
    std::istringstream in("f\n");
    std::ostringstream out;
    TerminalDriver user(in, out, keys(), u"Command2", false);
    forms::DriverScope scope(user);
    const auto form = form1().keepAlive();
    form->Show();
    EXPECT_EQ(out.str(), "C:\\Addins\\Tool.xla has been Removed from your system!\n");
    EXPECT_TRUE(opened.empty()) << "declined, as No Thanks does";
    EXPECT_FALSE(form->Loaded());
}

}  // namespace
