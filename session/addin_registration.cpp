#include "shell/addin_registration.h"

#include <memory>

#include "shell/connect.h"
#include "shell/exit_confirmation.h"

namespace shell {

host::embedded::ComAddInRegistration cellwashKitRegistration() {
    return {cellwashKitProgId, u"Cellwash Kit",
            u"Cleans and organises worksheet data: text, duplicates, empty cells, case and counts.", 3,
            [] { return std::make_shared<Connect>(); }};
}

void registerCellwashKit(host::embedded::EmbeddedApplication& app) {
    app.comAddInList().registerAddIn(cellwashKitRegistration());
}

}  // namespace shell
