#include "remover/shell_open.h"

#include "base/text.h"

#ifdef _WIN32
// windows.h first: shellapi.h needs what it defines.
#include <windows.h>

#include <shellapi.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>
extern char** environ;
#endif

namespace plugsweep {

namespace {

void desktopOpen(const std::u16string& address) {
    const std::string target = base::utf8(address);
#ifdef _WIN32
    ShellExecuteA(nullptr, "Open", target.c_str(), "", "", SW_SHOWNORMAL);
#else
    // The opener runs on its own; its messages are not ours to show.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char program[] = "xdg-open";
    char* argv[] = {program, const_cast<char*>(target.c_str()), nullptr};
    pid_t child = 0;
    posix_spawnp(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
#endif
}

Opener& current() {
    static Opener opener = desktopOpen;
    return opener;
}

}  // namespace

void shellOpen(const std::u16string& address) { current()(address); }

void setOpener(Opener opener) { current() = opener ? std::move(opener) : Opener(desktopOpen); }

}  // namespace plugsweep
