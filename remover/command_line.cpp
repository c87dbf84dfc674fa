#include "remover/command_line.h"

#include "base/text.h"

namespace plugsweep {

namespace {
std::u16string& commandText() {
    static std::u16string text;
    return text;
}
}  // namespace

const std::u16string& Command() { return commandText(); }

void setCommand(std::u16string text) { commandText() = std::move(text); }

std::u16string joinArguments(int argc, const char* const* argv) {
    std::u16string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) text += u' ';
        text += base::utf16(argv[i]);
    }
    return text;
}

std::u16string commandTail(std::u16string_view line) {
    size_t pos = 0;
    if (!line.empty() && line[0] == u'"') {
        const size_t close = line.find(u'"', 1);
        pos = close == std::u16string_view::npos ? line.size() : close + 1;
    }
    while (pos < line.size() && line[pos] != u' ' && line[pos] != u'\t') ++pos;
    // The blanks that part the name from the rest belong to neither.
    while (pos < line.size() && (line[pos] == u' ' || line[pos] == u'\t')) ++pos;
    return std::u16string(line.substr(pos));
}

}  // namespace plugsweep
