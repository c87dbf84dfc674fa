#include "shell/frm_tool_tour.h"

#include "resources/resource_text.h"
#include "shell/product_info.h"
#include "shell/resume_next.h"
#include "shell/text_split.h"

namespace shell {

namespace {

forms::DefaultInstance<FrmToolTour> instance;

constexpr int tourNames = 104;
constexpr int tourDescriptions = 105;

std::vector<std::u16string> tourList(int number) {
    return splitText(resources::wideText(resources::customResource(number)), u";");
}

}  // namespace

FrmToolTour& frmToolTour() { return instance(); }
bool frmToolTourLoaded() { return instance.isLoaded(); }

FrmToolTour::FrmToolTour() : Form(u"frmToolTour") {
    setCaption(u"Cellwash - Tool Tour");
    setWidth(420);
    setHeight(330);
    cmbListOfTools.setStyle(forms::fmStyleDropDownList);
    cmbListOfTools.setLeft(12);
    cmbListOfTools.setTop(12);
    cmbListOfTools.setWidth(396);
    txtDesc.setMultiLine(true);
    txtDesc.setLocked(true);
    txtDesc.setLeft(12);
    txtDesc.setTop(36);
    txtDesc.setWidth(396);
    txtDesc.setHeight(150);
    cmdPrev.setCaption(u"<< Prev");
    cmdPrev.setEnabled(false);  // nothing is selected when the tour opens
    cmdPrev.setLeft(12);
    cmdPrev.setTop(192);
    cmdNext.setCaption(u"Next >>");
    cmdNext.setLeft(90);
    cmdNext.setTop(192);
    CommandButton3.setCaption(u"Exit");
    CommandButton3.setLeft(336);
    CommandButton3.setTop(192);
    Label2.setCaption(
        u"Cellwash is an useful addin for Excel to Clean and Organize Data. It is fast & Reliable and "
        u"you can save your precious time & Money.");
    Label2.setLeft(12);
    Label2.setTop(222);
    Label2.setWidth(396);
    Label2.setHeight(30);
    txtVersion.setMultiLine(true);
    txtVersion.setLocked(true);
    txtVersion.setLeft(12);
    txtVersion.setTop(258);
    txtVersion.setWidth(396);
    txtVersion.setHeight(42);
    cmbListOfTools.onChange = [this] { cmbListOfTools_Change(); };
    cmdNext.onClick = [this] { cmdNext_Click(); };
    cmdPrev.onClick = [this] { cmdPrev_Click(); };
    CommandButton3.onClick = [this] { CommandButton3_Click(); };
}

void FrmToolTour::UserForm_Initialize() {
    std::vector<std::u16string> names;
    resumeNext([&] { names = tourList(tourNames); });
    resumeNext([&] { descriptions_ = tourList(tourDescriptions); });
    for (auto& name : names) cmbListOfTools.AddItem(std::move(name));
    txtVersion.setText(std::u16string(productVersionLine) + u"\r\n" + std::u16string(productMakerLine) + u"\r\n" +
                       std::u16string(productContactLine));
}

void FrmToolTour::cmbListOfTools_Change() {
    int position = cmbListOfTools.ListIndex();
    // With nothing selected there is no description to show.
    bool described = position >= 0 && static_cast<std::size_t>(position) < descriptions_.size();
    txtDesc.setText(described ? descriptions_[static_cast<std::size_t>(position)] : std::u16string());
    cmdPrev.setEnabled(position > 1);
    cmdNext.setEnabled(position != cmbListOfTools.ListCount() - 1);
}

void FrmToolTour::cmdNext_Click() {
    if (cmbListOfTools.ListIndex() != cmbListOfTools.ListCount() - 1)
        cmbListOfTools.setListIndex(cmbListOfTools.ListIndex() + 1);
}

void FrmToolTour::cmdPrev_Click() {
    if (cmbListOfTools.ListIndex() >= 0) cmbListOfTools.setListIndex(cmbListOfTools.ListIndex() - 1);
}

void FrmToolTour::CommandButton3_Click() { forms::Unload(*this); }

}  // namespace shell
