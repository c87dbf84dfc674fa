#include "tools/organizer/set_up_data_organizer_dialog.h"

#include "dialog/family_keys.h"
#include "dialog/frm_main.h"

namespace tools::organizer {

void setUpDataOrganizerDialog(std::u16string& commandKey) {
    dialog::FrmMain& form = dialog::frmMain();
    form.setHeightTwips(kOrganizerHeightTwips);
    if (const dialog::SetUpRow* row = dialog::findSetUpRow(dataOrganizerRows(), commandKey)) {
        dialog::applyLayoutSteps(form, row->steps);
        dialog::activeDOKey = row->toolKey;
    }
    form.frmDataOrganizer.setVisible(true);
    form.lblMainHeader.setCaption(u"Cellwash - Data Organizer");
    form.frmDO1to4.setVisible(true);
    form.Show();
}

}  // namespace tools::organizer
