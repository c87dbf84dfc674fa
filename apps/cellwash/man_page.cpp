#include "apps/cellwash/man_page.h"

#include <algorithm>
#include <ostream>
#include <sstream>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/command_line.h"
#include "apps/cellwash/listing_commands.h"
#include "apps/cellwash/plain_options.h"
#include "apps/cellwash/tool_lookup.h"
#include "host/text.h"

namespace cli {

namespace {

// Text as roff prints it: backslashes and hyphens escaped, no line starting as a request.
std::string roff(const std::string& text) {
    std::string out;
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\'')) out += "\\&";
        lineStart = c == '\n';
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

std::string bold(const std::string& text) { return "\\fB" + roff(text) + "\\fR"; }
std::string italic(const std::string& text) { return "\\fI" + roff(text) + "\\fR"; }

// "-o, --output FILE"
std::string optionLabel(const OptionView& option) {
    if (option.positional) return italic(option.names.front()) + (option.repeats ? "\\ .\\|.\\|." : "");
    std::string label;
    for (const auto& name : option.names) label += (label.empty() ? "" : ", ") + bold(name);
    if (!option.valueName.empty()) label += " " + italic(option.valueName);
    return label;
}

// "cellwash run [OPTIONS] TOOL WORKBOOK..."
std::string synopsisOf(const CommandLine& commandLine, const CLI::App& command) {
    std::string line = bold("cellwash " + command.get_name());
    bool options = false;
    std::string positionals;
    for (const auto& option : commandLine.optionsOf(command)) {
        if (!option.positional) {
            options = true;
            continue;
        }
        std::string name = italic(option.names.front()) + (option.repeats ? "\\ .\\|.\\|." : "");
        positionals += " " + (option.required ? name : "[" + name + "]");
    }
    return line + (options ? " [" + italic("OPTIONS") + "]" : "") + positionals;
}

void writeCommands(const CommandLine& commandLine, std::ostream& out) {
    out << ".SH COMMANDS\n";
    for (const CLI::App* command : commandLine.commands()) {
        out << ".SS \"" << synopsisOf(commandLine, *command) << "\"\n" << roff(command->get_description()) << ".\n";
        bool plain = false;
        for (const auto& option : commandLine.optionsOf(*command)) {
            if (findPlainFlag(option.names.front())) {
                plain = true;
                continue;
            }
            out << ".TP\n" << optionLabel(option) << "\n" << roff(option.description) << "\n";
        }
        if (plain)
            out << ".PP\nAnd the plain options below. " << bold("cellwash run") << " " << italic("TOOL") << " "
                << bold("--help") << " lists the dialog's controls and the plain options of that tool, with "
                << "the dialog's captions.\n";
    }
}

void writePlainOptions(std::ostream& out) {
    out << ".SH PLAIN OPTIONS\n"
           "Words for the settings of a tool's dialog. Each gives the dialog the same settings and "
           "clicks as the "
        << bold("--set") << " and " << bold("--click") << " shown after it; a tool takes the ones its dialog shows.\n";
    for (const auto& flag : plainFlags()) {
        out << ".TP\n" << bold(std::string(flag.name));
        if (flag.kind != ValueKind::None) out << " " << italic(std::string(flag.valueName));
        out << "\n" << roff(std::string(flag.summary)) << ".\n";
        for (const auto& row : plainOptionRows()) {
            if (row.flag != flag.name) continue;
            std::string tools;
            for (const auto& entry : shell::commandCatalogue())
                if (std::find(row.tools.begin(), row.tools.end(), toolKeyOf(entry)) != row.tools.end())
                    tools += (tools.empty() ? "" : ", ") + preferredName(entry);
            out << ".br\n"
                << (row.word.empty() ? "" : bold(std::string(row.word)) + ": ") << roff(tools) << " = "
                << roff(dialogEquivalent(row)) << "\n";
        }
    }
    out << ".SS Colours\n" << bold("--colour") << " takes a name or the colour index:\n.PP\n.nf\n";
    for (const auto& colour : paletteColours())
        out << roff(colour.name) << "\t" << colour.index << "\t" << roff(host::utf8(std::u16string(colour.tip)))
            << "\n";
    out << ".fi\n";
}

void writeTools(std::ostream& out) {
    out << ".SH TOOLS\n"
           "A tool is named by the first name shown, its command key, its ribbon id or its legacy menu "
           "tag; the ribbon's label follows.\n";
    for (const auto& [entry, label] : toolListings()) {
        out << ".TP\n" << bold(preferredName(entry));
        std::string names;
        for (const auto name : {entry.commandKey, entry.controlId, entry.legacyTag})
            if (!name.empty() && host::utf8(std::u16string(name)) != preferredName(entry))
                names += (names.empty() ? "" : ", ") + host::utf8(std::u16string(name));
        out << " (" << roff(names) << ")\n" << roff(label.empty() ? "(no label)" : label) << "\n";
    }
}

const char* kRecipes = R"(.SH RECIPES
A recipe is a JSON file of steps, each the tool with its selection and options as
.B run
takes them, the options by name without the dashes (a flag as true):
.PP
.nf
{"steps": [
  {"tool": "remove\-extra\-spaces", "select": "A2:C10"},
  {"tool": "remove\-duplicates\-keep\-first", "column": "Email", "mode": "entire\-row"},
  {"tool": "color\-nth\-row", "select": "A1:D10", "nth": "2", "colour": "light\-yellow"}]}
.fi
.PP
A step holds
.BR tool ,
.BR select ,
.BR column ,
.BR sheet ,
.BR active ,
its plain options, and
.BR set ,
.BR click ,
.BR no ,
.BR answer ,
.BR stop\-after .
.B run \-\-record
.I RECIPE
appends the step it ran, so that runs one after another become a recipe.
.B apply
runs every step on one load and one save of each workbook; a refused step stops that workbook
with nothing written, unless
.BR \-\-keep\-going .
.SH PIPES AND SEVERAL FILES
.B \-
as the workbook reads csv from standard input;
.B \-o \-
writes the result to standard output (csv, or xlsx with
.BR "\-\-format xlsx" ,
which is not written to a terminal), and the report then goes to standard error.
.B show \-\-format csv
(or tsv, json) prints a sheet for other programs.
Several workbooks are each loaded, changed and saved on their own (with
.B \-\-out\-dir
or
.BR \-\-in\-place );
an error in one is reported with its name and the others go on.
A save goes to a temporary file beside the target and is renamed over it.
)";

void writeExitStatus(std::ostream& out) {
    out << ".SH EXIT STATUS\n";
    for (const auto& status : kExitStatuses)
        out << ".TP\n"
            << bold(std::to_string(status.status)) << "\n"
            << roff(std::string(status.word)) << ": " << roff(std::string(status.meaning)) << ".\n";
    out << ".PP\nWith several workbooks the status is the worst of theirs.\n";
}

const char* kExamples = R"(.SH EXAMPLES
.nf
cellwash run remove\-extra\-spaces customers.xlsx \-\-select A2:C10 \-o clean.xlsx
cellwash run remove\-duplicates\-keep\-first clean.xlsx \-\-column Email \-\-mode entire\-row \-\-in\-place
cellwash run color\-nth\-row clean.xlsx \-\-select A1:D10 \-\-nth 2 \-\-colour light\-yellow \-\-in\-place
cellwash apply clean.json january.xlsx february.xlsx \-\-out\-dir cleaned \-\-no\-undo\-copy
cellwash run change\-to\-upper\-case \- \-\-select A:A \-o \- < names.csv > upper.csv
cellwash show clean.xlsx \-\-sheet Customers_Undo \-\-format csv
.fi
)";

}  // namespace

std::string manPage(const CommandLine& commandLine) {
    std::ostringstream version;
    runVersion(version);
    std::string versionLine = version.str();
    versionLine = versionLine.substr(0, versionLine.find('\n'));

    std::ostringstream out;
    out << ".\\\" Made by `cellwash manpage` from the program's own definition; do not edit.\n"
        << ".TH CELLWASH 1 \"\" \"" << roff(versionLine) << "\" \"User Commands\"\n"
        << ".SH NAME\ncellwash \\- data\\-cleaning tools for spreadsheet workbooks, run as a user runs them\n"
        << ".SH SYNOPSIS\n";
    for (const CLI::App* command : commandLine.commands()) out << synopsisOf(commandLine, *command) << "\n.br\n";
    out << bold("cellwash --version") << "\n.br\n"
        << bold("cellwash") << " [" << italic("COMMAND") << "] " << bold("--help") << "\n";
    std::string summary = programSummary();
    summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
    out << ".SH DESCRIPTION\n"
        << roff(summary) << "\n"
        << ".PP\nA tool runs the way a user runs it: the embedded spreadsheet host starts and connects "
           "the add-in, the workbook opens, the selection is set, the tool is clicked on the ribbon "
           "(or the legacy menu), its dialog gets the options through its own controls, Yes is pressed, "
           "the tool runs with its progress, and the message window's text is reported.\n";
    writeCommands(commandLine, out);
    writePlainOptions(out);
    out << kRecipes;
    writeTools(out);
    writeExitStatus(out);
    out << kExamples;
    out << ".SH SEE ALSO\n"
        << bold("cellwash run") << " " << italic("TOOL") << " " << bold("--help") << ", " << bold("cellwash tools")
        << ", " << bold("cellwash tour") << "\n";
    return out.str();
}

int printManPage(const CommandLine& commandLine, std::ostream& out) {
    out << manPage(commandLine);
    return kDone;
}

}  // namespace cli
