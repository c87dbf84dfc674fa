#include "shell/exit_confirmation.h"

#include "forms/msg_box.h"
#include "host/application.h"
#include "shell/host_references.h"
#include "shell/object_required.h"

namespace shell {

void exitConfirmation() {
    const int answer = forms::MsgBox(u"Do you want to exit?\r\nYou can reload it from Desktop Icon", forms::vbYesNo);
    if (answer != forms::vbYes) return;
    host::ApplicationPtr application = hostApplication;  // the disconnection empties hostApplication
    objectOf(objectOf(application).COMAddIns()->Item(cellwashKitProgId)).setConnect(false);
}

}  // namespace shell
