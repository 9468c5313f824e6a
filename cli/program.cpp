#include "cli/program.h"

#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/help.h"
#include "cli/text_report.h"
#include "core/toolbox/report_json.h"
#include "core/toolbox/table_json.h"

namespace quorran::cli {
namespace {

// The text with its control characters written as \xHH, so that what a user typed
// cannot break a message into lines.
std::string one_line(std::string_view text) {
    static constexpr char HEX[] = "0123456789abcdef";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) out.append("\\x").append(1, HEX[byte >> 4]).append(1, HEX[byte & 0xf]);
        else out += c;
    }
    return out;
}

// One line on standard error: "quorran-cli: predict: TIME '0:00' must be above zero".
void complain(std::ostream& err, const Tool* tool, std::string_view what) {
    err << "quorran-cli: " << (tool ? std::string(tool->name) + ": " : "") << one_line(what) << '\n';
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

}  // namespace

int run_program(std::span<const std::string_view> args, std::ostream& out, std::ostream& err, std::string_view units) {
    const CommandLine c = read_command_line(args, units);
    switch (c.action) {
        case Action::Help:
            if (c.json) out << table_json(tools(), c.tool) << '\n';
            else out << (c.tool ? tool_help(*c.tool) : program_help());
            return ANSWERED;
        case Action::Version: out << "quorran-cli " << QUORRAN_VERSION << '\n'; return ANSWERED;
        case Action::Usage:
            if (c.json) out << usage_error_json(c.tool ? c.tool->name : "", c.error) << '\n';
            complain(err, c.tool, c.error);
            return REFUSED;
        case Action::Run: break;
    }
    const Outcome outcome = c.refusal                          ? Outcome{.refusal = c.refusal}
                            : c.form == Form::DialogFields ? run_dialog_fields(*c.tool, c.entries)
                                                           : run_tool(*c.tool, c.entries);
    // How entries were read goes to standard error, and so do the flags of a report whose
    // standard output is the dialog's texts alone.
    const Report said = said_to(outcome.report, outcome.params, Audience::CommandLine);
    for (const Note& note : said.notes)
        if (note.kind == NoteKind::Reading || (said.notes_apart && note.kind == NoteKind::Flag))
            err << "quorran-cli: note: " << one_line(shown_text(note)) << '\n';
    if (c.json) out << outcome_json(*c.tool, outcome) << '\n';
    if (outcome.refusal) {
        complain(err, c.tool, outcome.refusal->line());
        return REFUSED;
    }
    if (outcome.warning) {
        complain(err, c.tool, *outcome.warning);
        return NO_ANSWER;
    }
    if (!c.json) out << chosen_document(outcome).value_or(report_text(said));
    return ANSWERED;
}

}  // namespace quorran::cli
