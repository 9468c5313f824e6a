// quorran-cli: every tool of the table from a terminal. One reader takes the arguments,
// the tool answers with a report, and one renderer prints it as text or JSON.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/help.h"
#include "cli/text_report.h"
#include "core/toolbox/report_json.h"

namespace {

using namespace quorran;

constexpr int ANSWERED = 0;
constexpr int NO_ANSWER = 1;  // a calculation warning, or standard output unwritable
constexpr int REFUSED = 2;    // a usage error or an entry that cannot be taken

// One line on standard error: "quorran-cli: predict: TIME '0:00' must be above zero".
void complain(const Tool* tool, std::string_view what) {
    std::cerr << "quorran-cli: " << (tool ? std::string(tool->name) + ": " : "") << what << '\n';
}

// The document a param chose to print alone (a band as SVG), if any.
std::optional<std::string> chosen_document(const Outcome& outcome) {
    for (const Value& v : outcome.read) {
        if (!v.param->chooses_document || !v.present) continue;
        for (const Document& d : outcome.report.documents)
            if (d.key == v.choice) return d.text;
    }
    return std::nullopt;
}

int run(const cli::CommandLine& c) {
    switch (c.action) {
        case cli::Action::Help:
            std::cout << (c.tool ? cli::tool_help(*c.tool) : cli::program_help());
            return ANSWERED;
        case cli::Action::Version: std::cout << "quorran-cli " << QUORRAN_VERSION << '\n'; return ANSWERED;
        case cli::Action::Usage:
            if (c.json) std::cout << usage_error_json(c.tool ? c.tool->name : "", c.error) << '\n';
            complain(c.tool, c.error);
            return REFUSED;
        case cli::Action::Run: break;
    }
    const Outcome outcome = run_tool(*c.tool, c.entries);
    for (const Note& note : outcome.report.notes)
        if (note.kind == NoteKind::Reading) std::cerr << "quorran-cli: note: " << note.text << '\n';
    if (c.json) std::cout << outcome_json(*c.tool, outcome) << '\n';
    if (outcome.refusal) {
        complain(c.tool, outcome.refusal->line());
        return REFUSED;
    }
    if (outcome.warning) {
        complain(c.tool, *outcome.warning);
        return NO_ANSWER;
    }
    if (!c.json) std::cout << chosen_document(outcome).value_or(cli::report_text(outcome.report));
    return ANSWERED;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status = run(cli::read_command_line(args));
    std::cout.flush();
    if (!std::cout) {
        complain(nullptr, "cannot write to standard output");
        return NO_ANSWER;
    }
    return status;
}
