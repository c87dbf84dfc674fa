#pragma once
// The add-in folder: where the add-in library lies, and with it the add-in's own files.
#include <filesystem>

namespace shell {

// The folder of the add-in library, or the folder set with setAddinFolder.
std::filesystem::path addinFolder();
// Puts the add-in folder elsewhere (tests, hosts that load the add-in from memory); an
// empty path goes back to the library's folder.
void setAddinFolder(std::filesystem::path folder);

}  // namespace shell
