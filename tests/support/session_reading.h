#pragma once
// Reading what a host session shows: a cell's text and the message window's last text.
#include <string>

#include "host/application.h"
#include "host/range.h"
#include "session/host_session.h"
#include "tests/support/alerts.h"

namespace testsupport {

inline std::u16string cellText(session::HostSession& s, const std::u16string& address) {
    return s.app().Range(address)->Value().toText();
}

inline std::u16string lastAlert(session::HostSession& s) { return lastAlert(s.user()); }

}  // namespace testsupport
