#include "core/tools/dialog_form.h"

#include "core/dialog/calculator_commands.h"
#include "core/dialog/control_ids.h"
#include "core/dialog/messages.h"
#include "core/numbers/number_text.h"
#include "core/numbers/text_limit.h"
#include "core/toolbox/entry_forms.h"

namespace quorran::dialog_form {
namespace {

constexpr std::string_view SPACE = " \t\n\v\f\r";

// A field as a note quotes it: at most what the dialog reads, and a mark when it is cut.
std::string quoted(std::string_view text) {
    return "'" + escaped(text.substr(0, TEXT_LIMIT)) + (text.size() > TEXT_LIMIT ? "...'" : "'");
}

}  // namespace

std::string partial_reading(std::string_view text, bool distance_field) {
    const std::string_view entry = text.substr(0, TEXT_LIMIT);
    if (distance_field && !entry.empty() && std::string_view("mMhH").find(entry.front()) != std::string_view::npos) {
        if (entry.size() == 1) return {};
        return entry.front() == 'm' || entry.front() == 'M' ? "the marathon (m)" : "the half marathon (h)";
    }
    std::size_t length = 0;
    scan_number(entry, length);
    if (entry.find_first_not_of(SPACE, length) == std::string_view::npos) return {};
    if (length == 0) return "0 (no number)";
    const std::size_t start = entry.find_first_not_of(SPACE);
    return std::string(entry.substr(start, length - start));
}

void run_fields(const Inputs& in, const Group& group, Run& run) {
    CalculatorCommands commands(run.view);
    commands.open();
    if (in.named("km").on) run.view.check_radio(group.miles, group.km, group.km);
    if (group.second_is_pace && in.named("per_km").on) run.view.check_radio(IDC_PER_MILE, IDC_PER_KM, IDC_PER_KM);
    for (const Field& field : group.fields) {
        const Value& v = in.named(field.param);
        if (!v.given) continue;
        run.view.type(field.control, v.text);
        const std::string read = partial_reading(v.text, field.control == group.fields.front().control);
        if (!read.empty()) {
            run.outcome.report.notes.push_back({"read_in_part", NoteKind::Reading,
                                                "{" + std::string(field.param) + "} " + quoted(v.text) + " was read as " +
                                                    escaped(read) + ", the rest ignored"});
        } else if (scan_number(v.text) < 0) {
            run.outcome.report.notes.push_back({"sign_dropped", NoteKind::Reading,
                                                "{" + std::string(field.param) + "} " + quoted(v.text) +
                                                    " was read without its minus, as the dialog reads it"});
        }
    }
    commands.on_command(group.calculate);
    run.outcome.warning = run.view.warning();
    // The dialog checks the distance first, then the time (or pace).
    if (run.outcome.warning) {
        const bool distance = *run.outcome.warning == DISTANCE_ZERO_WARNING;
        run.outcome.warning_param = group.fields[distance ? 0 : 1].param;
    }
}

double dialog_miles(const Value& distance) {
    const auto d = read_distance(trimmed(distance.text), distance.in_km).value;
    if (!d) return distance.number / METRES_PER_MILE;
    switch (d->unit) {
        case DistanceUnit::Miles: return d->number;
        case DistanceUnit::Km: return d->number * KM_TO_MILES;
        case DistanceUnit::Metres:
        case DistanceUnit::Race: return d->metres / METRES_PER_KM * KM_TO_MILES;
    }
    return distance.number / METRES_PER_MILE;
}

}  // namespace quorran::dialog_form
