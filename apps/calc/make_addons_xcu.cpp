// make_addons_xcu OUTPUT: writes Calc's "Cellwash" menu (Addons.xcu) from the add-in's ribbon
// definition and callbacks, with the add-in's language tables loaded as at its connection.
// A build step of the extension (apps/calc/CMakeLists.txt).
#include <fstream>
#include <iostream>
#include <memory>

#include "apps/calc/addons_menu.h"
#include "host/calc/calc_ribbon.h"
#include "shell/connect.h"
#include "shell/language_state.h"
#include "tools/tool_families.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_addons_xcu OUTPUT\n";
        return 2;
    }
    tools::registerToolFamilies();
    std::u16string language;  // the active row: English, as at a first connection
    shell::loadLanguageRow(language);
    shell::loadScreenTips();
    shell::loadSuperTips();
    auto addIn = std::make_shared<shell::Connect>();
    auto ribbon = std::make_shared<host::calc::CalcRibbon>();
    ribbon->load(addIn);
    std::ofstream out(argv[1], std::ios::binary);
    out << apps::calc::addonsXcu(*ribbon);
    out.close();
    if (!out) {
        std::cerr << "make_addons_xcu: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
