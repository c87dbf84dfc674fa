#include "dialog/set_up_data_organizer_dialog.h"

#include "dialog/family_keys.h"
#include "dialog/frm_main.h"
#include "shell/resume_next.h"

namespace dialog {

void setUpDataOrganizerDialog(std::u16string& commandKey) {
    FrmMain& form = frmMain();
    form.setHeightTwips(kOrganizerHeightTwips);
    if (const SetUpRow* row = findSetUpRow(dataOrganizerRows(), commandKey)) {
        applyLayoutSteps(form, row->steps);
        activeDOKey = row->toolKey;
    }
    form.frmDataOrganizer.setVisible(true);
    form.lblMainHeader.setCaption(u"Cellwash - Data Organizer");
    form.frmDO1to4.setVisible(true);
    form.Show();
}

}  // namespace dialog
