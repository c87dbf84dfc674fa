#include "apps/cellwash/shell_completion.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <sstream>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/command_line.h"
#include "apps/cellwash/plain_options.h"
#include "apps/cellwash/tool_lookup.h"
#include "host/text.h"

namespace cli {

namespace {

// A word as bash reads it: plain words as they are, anything else in single quotes.
std::string shellWord(const std::string& word) {
    if (!word.empty() &&
        word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-.+/,") ==
            std::string::npos)
        return word;
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string wordsText(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

// compgen -W's list, quoted as one shell word.
std::string wordList(const std::vector<std::string>& words) { return shellWord(wordsText(words)); }

// Every name a tool is known by, its preferred name first.
std::vector<std::string> namesOf(const shell::CatalogueEntry& entry) {
    std::vector<std::string> names{preferredName(entry)};
    for (const auto name : {entry.commandKey, entry.controlId, entry.legacyTag})
        if (!name.empty() && host::utf8(std::u16string(name)) != names.front())
            names.push_back(host::utf8(std::u16string(name)));
    return names;
}

// The completion of a value: the shell function call that fills COMPREPLY.
std::string completionOf(const ValueHint& hint) {
    switch (hint.kind) {
    case ValueHint::Words: return "_cellwash_words " + wordList(hint.words) + " \"$cur\"";
    case ValueHint::File: return "_cellwash_files \"$cur\" " + wordList(hint.words);
    case ValueHint::Folder: return "_cellwash_folders \"$cur\"";
    case ValueHint::Tool: return "_cellwash_words \"$_cellwash_tools\" \"$cur\"";
    case ValueHint::Text: break;
    }
    return ":";  // the user's own text: nothing to offer
}

// What a plain option takes on each tool, and the options of each tool.
void writeToolTables(std::ostream& out) {
    out << "# The name a tool is known by in the tables below, for any of its names.\n"
           "_cellwash_tool_name() {\n"
           "    case $1 in\n";
    for (const auto& entry : shell::commandCatalogue()) {
        const auto names = namesOf(entry);
        if (names.size() < 2) continue;
        std::string pattern;
        for (size_t i = 1; i < names.size(); ++i) pattern += (i > 1 ? "|" : "") + shellWord(names[i]);
        out << "    " << pattern << ") echo " << shellWord(names.front()) << " ;;\n";
    }
    out << "    *) echo \"$1\" ;;\n"
           "    esac\n"
           "}\n\n";

    out << "# A tool's plain options (\"TOOL\"), or the words one of them takes on it (\"TOOL OPTION\").\n"
           "_cellwash_plain() {\n"
           "    case \"$1 $2\" in\n";
    for (const auto& entry : shell::commandCatalogue()) {
        const auto rows = rowsForTool(entry);
        if (rows.empty()) continue;
        const std::string tool = preferredName(entry);
        std::vector<std::string> flags;
        std::map<std::string, std::vector<std::string>> words;
        for (const auto* row : rows) {
            const std::string flag(row->flag);
            if (std::find(flags.begin(), flags.end(), flag) == flags.end()) flags.push_back(flag);
            if (!row->word.empty()) words[flag].emplace_back(row->word);
        }
        out << "    " << shellWord(tool + " ") << ") echo " << wordList(flags) << " ;;\n";
        for (const auto& [flag, list] : words)
            out << "    " << shellWord(tool + " " + flag) << ") echo " << wordList(list) << " ;;\n";
    }
    out << "    esac\n"
           "}\n\n";
}

const char* kHelpers = R"(# Fills COMPREPLY with the words ($1) that start with $2.
_cellwash_words() {
    local IFS=$' \t\n'
    COMPREPLY=($(compgen -W "$1" -- "$2"))
}

# Folders, and files ending in one of the extensions ($2; any file when none).
_cellwash_files() {
    local file
    COMPREPLY=()
    compopt -o filenames 2>/dev/null
    while IFS= read -r file; do
        if [[ -d $file || -z $2 ]]; then
            COMPREPLY+=("$file")
            continue
        fi
        local extension=${file##*.}
        [[ $file == *.* && " $2 " == *" ${extension,,} "* ]] && COMPREPLY+=("$file")
    done < <(compgen -f -- "$1")
}

_cellwash_folders() {
    compopt -o filenames 2>/dev/null
    local IFS=$'\n'
    COMPREPLY=($(compgen -d -- "$1"))
}

# How many positionals the words from $1 to the one before the cursor hold, options ($2 the
# ones that take a value) and their values left out.
_cellwash_positionals() {
    local i word count=0 skip=0
    for ((i = $1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if ((skip > 0)); then
            ((skip--))
            continue
        fi
        case $word in
        -*[!-]* | --?*)
            if [[ " $2 " == *" $word "* ]]; then
                [[ ${COMP_WORDS[i + 1]} == = ]] && skip=2 || skip=1
            fi
            ;;
        *) ((count++)) ;;
        esac
    done
    echo "$count"
}

# The positional at word $2, counting from $1 (the first after the command).
_cellwash_positional_at() {
    local i word count=0 skip=0
    for ((i = $1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if ((skip > 0)); then
            ((skip--))
            continue
        fi
        case $word in
        -*[!-]* | --?*)
            if [[ " $3 " == *" $word "* ]]; then
                [[ ${COMP_WORDS[i + 1]} == = ]] && skip=2 || skip=1
            fi
            ;;
        *)
            if ((count == $2)); then
                echo "$word"
                return
            fi
            ((count++))
            ;;
        esac
    done
}

)";

}  // namespace

std::string bashCompletion(const CommandLine& commandLine) {
    std::ostringstream out;
    out << "# bash completion for cellwash, made by `cellwash completion bash` from the program's own\n"
           "# definition: its commands and options, the tools, each tool's plain options, the palette.\n"
           "# Installed as share/bash-completion/completions/cellwash; or: source <(cellwash completion bash)\n\n";
    std::vector<std::string> tools;
    for (const auto& entry : shell::commandCatalogue()) tools.push_back(preferredName(entry));
    out << "_cellwash_tools=" << wordList(tools) << "\n\n" << kHelpers;
    writeToolTables(out);

    std::vector<std::string> commands, topOptions;
    for (const CLI::App* command : commandLine.commands()) commands.push_back(command->get_name());
    for (const auto& option : commandLine.optionsOf(commandLine.app()))
        for (const auto& name : option.names) topOptions.push_back(name);
    commands.insert(commands.end(), topOptions.begin(), topOptions.end());

    out << "_cellwash() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
           "    # bash splits --option=value at '=': complete the value as after --option value\n"
           "    if [[ $cur == = ]]; then\n"
           "        cur=\n"
           "    elif [[ $prev == = && COMP_CWORD -ge 2 ]]; then\n"
           "        prev=${COMP_WORDS[COMP_CWORD - 2]}\n"
           "    fi\n"
           "    local i command=\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        case ${COMP_WORDS[i]} in\n"
           "        -*) ;;\n"
           "        *)\n"
           "            command=${COMP_WORDS[i]}\n"
           "            break\n"
           "            ;;\n"
           "        esac\n"
           "    done\n"
           "    if [[ -z $command ]]; then\n"
           "        _cellwash_words "
        << wordList(commands)
        << " \"$cur\"\n"
           "        return\n"
           "    fi\n"
           "    local first=$((i + 1)) options valued tool\n"
           "    case $command in\n";

    for (const CLI::App* command : commandLine.commands()) {
        const auto views = commandLine.optionsOf(*command);
        std::vector<std::string> options, valued;
        std::vector<const OptionView*> positionals;
        bool toolFirst = false;
        for (const auto& view : views) {
            if (view.positional) {
                positionals.push_back(&view);
                toolFirst = toolFirst || (positionals.size() == 1 && view.hint.kind == ValueHint::Tool);
                continue;
            }
            for (const auto& name : view.names) {
                options.push_back(name);
                if (!view.valueName.empty()) valued.push_back(name);
            }
        }
        out << "    " << command->get_name() << ")\n"
            << "        options=" << wordList(options) << "\n"
            << "        valued=" << wordList(valued) << "\n";
        if (toolFirst)
            out << "        tool=$(_cellwash_tool_name \"$(_cellwash_positional_at \"$first\" 0 \"$valued\")\")\n";
        // The value of the option before the cursor.
        out << "        case $prev in\n";
        for (const auto& view : views) {
            if (view.positional || view.valueName.empty()) continue;
            std::string pattern;
            for (const auto& name : view.names) pattern += (pattern.empty() ? "" : "|") + name;
            out << "        " << pattern << ")\n";
            if (toolFirst && findPlainFlag(view.names.front()) && view.hint.kind == ValueHint::Words)
                out << "            local words=$(_cellwash_plain \"$tool\" " << view.names.front() << ")\n"
                    << "            _cellwash_words \"${words:-" << wordsText(view.hint.words) << "}\" \"$cur\"\n";
            else
                out << "            " << completionOf(view.hint) << "\n";
            out << "            return\n"
                << "            ;;\n";
        }
        out << "        esac\n";
        // An option, or the positional at the cursor.
        out << "        if [[ $cur == -* ]]; then\n";
        if (toolFirst) {
            std::vector<std::string> common;
            for (const auto& view : views)
                if (!view.positional && !findPlainFlag(view.names.front()))
                    common.insert(common.end(), view.names.begin(), view.names.end());
            out << "            local plain=$(_cellwash_plain \"$tool\")\n"
                << "            if [[ -n $plain ]]; then\n"
                << "                _cellwash_words \"" << wordsText(common) << " $plain\" \"$cur\"\n"
                << "                return\n"
                << "            fi\n";
        }
        out << "            _cellwash_words \"$options\" \"$cur\"\n"
            << "            return\n"
            << "        fi\n";
        if (!positionals.empty()) {
            out << "        case $(_cellwash_positionals \"$first\" \"$valued\") in\n";
            for (size_t i = 0; i < positionals.size(); ++i) {
                const bool last = i + 1 == positionals.size();
                out << "        " << (last && positionals[i]->repeats ? "*" : std::to_string(i)) << ") "
                    << completionOf(positionals[i]->hint) << " ;;\n";
            }
            out << "        esac\n";
        }
        out << "        ;;\n";
    }
    out << "    esac\n"
           "}\n\n"
           "complete -F _cellwash cellwash\n";
    return out.str();
}

int printCompletion(const CommandLine& commandLine, const std::string& shell, std::ostream& out) {
    if (shell != "bash") throw Failure(kUsage, "completion is made for bash");
    out << bashCompletion(commandLine);
    return kDone;
}

}  // namespace cli
