#pragma once
// Switches the add-in's interface language the way a user does: the language menu's toggle.
#include <string>

namespace session {
class HostSession;
}

namespace cli {

// Presses the language menu's toggle of `code` ("Hi", "En", ...).
// Failure(kUsage) when the ribbon offers no such language.
void switchLanguage(session::HostSession& session, const std::string& code);

}  // namespace cli
