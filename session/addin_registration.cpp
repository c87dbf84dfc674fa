#include "session/addin_registration.h"

#include <memory>

#include "shell/connect.h"
#include "shell/exit_confirmation.h"
#include "tools/tool_families.h"

namespace session {

host::embedded::ComAddInRegistration cellwashKitRegistration() {
    return {shell::cellwashKitProgId, u"Cellwash Kit",
            u"Cleans and organises worksheet data: text, duplicates, empty cells, case and counts.", 3, [] {
                tools::registerToolFamilies();
                return std::make_shared<shell::Connect>();
            }};
}

void registerCellwashKit(host::embedded::EmbeddedApplication& app) {
    app.comAddInList().registerAddIn(cellwashKitRegistration());
}

}  // namespace session
