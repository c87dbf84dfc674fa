// The version block as a section of the program file, for builds without Windows
// resources: `readelf -p .plugsweep_version plugsweep` shows it.
#include "remover/version_info.h"

#ifndef _WIN32
[[gnu::used, gnu::section(".plugsweep_version")]] static const char kVersionBlock[] =
    "FileVersion=" PLUGSWEEP_FILE_VERSION
    "\n"
    "ProductVersion=" PLUGSWEEP_PRODUCT_VERSION
    "\n"
    "FileDescription=" PLUGSWEEP_DESCRIPTION
    "\n"
    "ProductName=" PLUGSWEEP_PRODUCT_NAME "\n";
#endif
