#include "cli/manual_page.h"

#include <algorithm>
#include <vector>

#include "cli/help.h"
#include "core/toolbox/tool_list.h"

namespace quorran::cli {
namespace {

// troff: backslashes and hyphens escaped, no line starting with a control character.
std::string troff(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else out += c;
    }
    if (!out.empty() && (out.front() == '.' || out.front() == '\'')) out.insert(0, "\\&");
    return out;
}

// A title inside a sentence: "Race prediction" as "race prediction", "VDOT" kept.
std::string in_sentence(std::string_view title) {
    std::string out(title);
    if (out.size() > 1 && out[0] >= 'A' && out[0] <= 'Z' && out[1] >= 'a' && out[1] <= 'z') out[0] = static_cast<char>(out[0] - 'A' + 'a');
    return out;
}

// "pace, finish time, ... and age grading": what the tools answer, by their titles.
std::string name_line() {
    std::string line;
    const auto all = tools();
    for (std::size_t i = 0; i < all.size(); ++i)
        line += (i == 0 ? "" : i + 1 == all.size() ? " and " : ", ") + in_sentence(all[i].title);
    return line + " for runners";
}

std::string synopsis_section() {
    std::string text;
    for (const Tool& tool : tools()) {
        text += ".B quorran-cli\n" + troff(synopsis(tool)) + " [\\-\\-json]\n.br\n";
        if (tool.dialog) text += ".B quorran-cli\n" + troff(synopsis(tool, true)) + " [\\-\\-json]\n.br\n";
    }
    return text + ".B quorran-cli help\n[\\fISUBCOMMAND\\fP]\n.br\n.B quorran-cli\n\\-\\-version\n";
}

std::string subcommands_section() {
    std::string text;
    for (const Tool& tool : tools()) {
        text += ".TP\n.B " + troff(tool.name) + "\n" + troff(purpose_and_details(tool)) + "\n.RS\n";
        for (const Param& p : tool.params) {
            text += ".TP\n" + std::string(p.positional ? ".I " : ".B ") +
                    troff(p.positional ? std::string(p.metavar) : option_usage(p)) + "\n" + troff(param_description(p, tool.params)) + "\n";
        }
        if (tool.dialog) {
            text += ".TP\n.B " + troff(DIALOG_OPTION) + "\n" + troff(DIALOG_FIELDS_TEXT) + "\n";
            for (const Param& p : tool.dialog->params)
                if (p.positional) text += ".TP\n.I " + troff(p.metavar) + "\n" + troff(param_description(p, tool.dialog->params)) + "\n";
        }
        text += ".RE\n";
    }
    return text;
}

// Each entry the subcommands take by position, once, with the forms it accepts.
std::string entries_section() {
    std::vector<std::string_view> named;
    std::string text;
    for (const Tool& tool : tools()) {
        for (const Param& p : tool.params) {
            if (!p.positional || p.command_line_only || std::find(named.begin(), named.end(), p.metavar) != named.end())
                continue;
            named.push_back(p.metavar);
            text += ".TP\n.I " + troff(p.metavar) + "\n" + troff(forms_text(p, tool.params, Audience::CommandLine)) + ".\n";
        }
    }
    return text;
}

std::string examples_section() {
    std::string text = ".nf\n";
    for (const Tool& tool : tools())
        text += troff("quorran-cli " + std::string(tool.name) + " " + std::string(tool.examples.front())) + "\n";
    return text + "quorran\\-cli help " + troff(tools().back().name) + "\n.fi\n";
}

constexpr std::string_view DESCRIPTION = R"(.SH DESCRIPTION
.B quorran\-cli
is the command-line companion of
.BR quorran (1).
.B pace
and
.B finish
print exactly the texts the dialog shows; the other subcommands form a runner's toolbox.
Every subcommand is described once, in the program's table of tools, from which this
whole page, the help and the bash completion are made.
.PP
Options go before or after the subcommand, as
.B \-\-option
.I VALUE
or
.BI \-\-option= VALUE\fR;\fP
.B \-\-
ends them, so an entry may begin with a hyphen. Choices and units are read in any letter
case, and a comma is read as a decimal point.
.B \-h
and
.B \-\-help
after any subcommand, or
.B help
.IR SUBCOMMAND ,
print its help.
)";

constexpr std::string_view ENTRIES_PREFACE = R"(.SH ENTRIES
The toolbox reads each entry whole, and refuses what it cannot read or what no race could
be, saying which entry and why.
)";

constexpr std::string_view OUTPUT_AND_STATUS = R"(.PP
Values runners should doubt are marked, not refused: a prediction or a race outside the
3.5 to 230 minutes the models were fitted to (*), a VDOT outside 20 to 85 (*), a race
faster than the world record over its distance (!).
.SH OUTPUT
Text for people: headline values, then tables with names on the left and numbers aligned
on the right, then the notes. With
.BR \-\-json ,
one JSON object on one line, of the same shape for every subcommand: the entries as read
.RB ( input ),
the
.BR headlines ,
.B tables
and
.BR notes ,
each number unrounded beside the text it prints as and its unit named (s, m, s/km ...);
or a
.B warning
or an
.BR error .
The JSON Schema of that object is
.I docs/quorran\-cli.schema.json
in the source.
.SH EXIT STATUS
.TP
0
Answered.
.TP
1
.B pace
or
.B finish
has no answer (a zero distance or time: the dialog's warning), or standard output
cannot be written.
.TP
2
A usage error or a refused entry: one line on standard error, "quorran\-cli:", the
subcommand, the entry and what it accepts; nothing on standard output but the JSON
error object with
.BR \-\-json .
)";

}  // namespace

std::string manual_page(std::string_view version) {
    std::string page = ".TH QUORRAN-CLI 1 \"\" \"quorran " + std::string(version) + "\" \"User Commands\"\n";
    page += ".SH NAME\nquorran\\-cli \\- " + troff(name_line()) + "\n";
    page += ".SH SYNOPSIS\n" + synopsis_section();
    page += DESCRIPTION;
    page += ".SH SUBCOMMANDS\n" + subcommands_section();
    page += std::string(ENTRIES_PREFACE) + entries_section();
    page += OUTPUT_AND_STATUS;
    page += ".SH EXAMPLES\n" + examples_section();
    page += ".SH SEE ALSO\n.BR quorran (1)\n";
    return page;
}

}  // namespace quorran::cli
