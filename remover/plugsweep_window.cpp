#include "remover/plugsweep_window.h"

#include "forms/default_instance.h"
#include "forms/msg_box.h"
#include "remover/addin_entries.h"
#include "remover/command_line.h"
#include "remover/shell_open.h"

namespace plugsweep {

namespace {
constexpr std::uint32_t kLightGrey = 0xE0E0E0;

void place(forms::Control& control, double left, double top, double width, double height) {
    control.setLeft(left);
    control.setTop(top);
    control.setWidth(width);
    control.setHeight(height);
}
}  // namespace

Form1::Form1() : forms::Form(u"Form1") {
    setCaption(std::u16string(44, u' ') + u"Excel Addin Removed");
    setWidth(330);
    setHeight(150);
    Label1.setFontName(u"Verdana");
    place(Label1, 12, 12, 300, 60);
    Label2.setBackColor(kLightGrey);
    place(Label2, 12, 80, 300, 8);
    Command1.setCaption(u"Send Your Feedback");
    Command1.setFontName(u"Verdana");
    place(Command1, 12, 96, 144, 24);
    Command2.setCaption(u"No Thanks");
    Command2.setFontName(u"Verdana");
    place(Command2, 168, 96, 144, 24);
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Label2.onClick = [this] { Label2_Click(); };
}

void Form1::Form_Load() {
    addinName_ = Command();
    const std::u16string quotedName = u"\"" + addinName_ + u"\"";
    for (const char16_t* version : {u"14.0", u"12.0", u"11.0", u"10.0", u"9.0"})
        Module1::RemoveStartupEntry(version, u"Excel", quotedName);
    for (const char16_t* version : {u"14.0", u"12.0"}) Module1::RemoveAddinManagerEntry(version, u"Excel", addinName_);
    Label1.setCaption(addinName_ + u" has been Removed from your system!");
}

void Form1::Command1_Click() {
    shellOpen(kFeedbackAddress);
    forms::Unload(*this);
}

void Form1::Command2_Click() { forms::Unload(*this); }

void Form1::Label2_Click() { forms::MsgBox(addinName_, forms::vbOKOnly, u"Plugsweep"); }

Form1& form1() {
    static forms::DefaultInstance<Form1> instance;
    return instance();
}

}  // namespace plugsweep
