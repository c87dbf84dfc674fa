#pragma once
// Replacing a file's content so that it is never half-written: the new content goes to a
// temporary file beside the target, which then takes the target's place by a rename.
#include <filesystem>
#include <string>

namespace registry {

// Writes `text` to `file` (through a symbolic link, to its target). The new file keeps
// the old one's mode and, where allowed, its owner. Returns an empty text, or why the
// file could not be written; then the file is as it was and no temporary is left.
std::string replaceFileContent(const std::filesystem::path& file, const std::string& text);

}  // namespace registry
