// plugsweep — removes an add-in's start-up and Add-in Manager entries for Excel 9.0 to
// 14.0 of the current user, then says so in its window. The add-in name is the whole
// command line, so there are no options: every argument is part of the name.
#include <iostream>

#include "forms/runtime.h"
#include "registry/c_registry.h"
#include "remover/command_line.h"
#include "remover/plugsweep_window.h"
#include "remover/terminal_driver.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

namespace {

std::u16string commandLineText([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
    const wchar_t* line = GetCommandLineW();
    return plugsweep::commandTail(reinterpret_cast<const char16_t*>(line));
#else
    return plugsweep::joinArguments(argc, argv);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    plugsweep::setCommand(commandLineText(argc, argv));
    plugsweep::Form1& form = plugsweep::form1();  // loading it removes the entries

    // A registry that could not be read or written has removed nothing: say so, and why.
    if (const std::string problem = registry::defaultRegistryStore()->problem(); !problem.empty()) {
        std::cerr << "plugsweep: the registry could not be changed: " << problem << "\n";
        forms::Unload(form);
        return 1;
    }

    const bool interactive = isatty(0) && isatty(1);
    plugsweep::TerminalDriver user(std::cin, std::cout,
                                   {{'f', u"Command1", form.Command1.Caption()},
                                    {'n', u"Command2", form.Command2.Caption()},
                                    {'l', u"Label2", u"Show the add-in name"}},
                                   u"Command2", interactive);
    forms::DriverScope scope(user);
    form.Show(forms::ShowMode::Modal);
    return 0;
}
