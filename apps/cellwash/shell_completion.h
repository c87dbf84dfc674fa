#pragma once
// `cellwash completion bash`: a completion script made from the command line's own definition
// — its commands, their options and what each takes, the tools of the catalogue, each tool's
// plain options and their words, the palette — so it offers exactly what the program takes.
#include <iosfwd>
#include <string>
#include <string_view>

namespace cli {

class CommandLine;

inline constexpr std::string_view kCompletionShells[] = {"bash"};

int printCompletion(const CommandLine& commandLine, const std::string& shell, std::ostream& out);
std::string bashCompletion(const CommandLine& commandLine);

}  // namespace cli
