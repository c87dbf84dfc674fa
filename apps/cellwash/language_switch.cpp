#include "apps/cellwash/language_switch.h"

#include "apps/cellwash/cli_failure.h"
#include "host/text.h"
#include "session/host_session.h"

namespace cli {

void switchLanguage(session::HostSession& session, const std::string& code) {
    if (!session.chooseLanguage(host::utf16(code)))
        throw Failure(kUsage, "the add-in offers no language \"" + code + "\"");
}

}  // namespace cli
