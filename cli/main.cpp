// quorran-cli: the calculator's two questions from a terminal. It runs the dialog's
// own commands through a view of plain values, so it prints exactly what the dialog shows.
#include <cstdio>
#include <iostream>
#include <span>
#include <string_view>
#include <vector>

#include "cli/cli_view.h"
#include "cli/json_writer.h"
#include "cli/toolbox.h"
#include "core/dialog/calculator_commands.h"
#include "core/dialog/control_ids.h"
#include "core/numbers/number_text.h"

namespace {

using namespace quorran;

constexpr std::string_view USAGE_DIALOG =
    "Usage:\n"
    "  quorran-cli pace [--km] DISTANCE [HOURS [MINUTES [SECONDS]]] [--json]\n"
    "  quorran-cli finish [--km] [--per-km] DISTANCE [PACE_MINUTES [PACE_SECONDS]] [--json]\n";
constexpr std::string_view USAGE_MORE =
    "  quorran-cli SUBCOMMAND --help\n"
    "  quorran-cli --help | --version\n"
    "\n"
    "pace and finish read each field as the dialog reads its entry: fractions allowed,\n"
    "an omitted or unreadable field counts as zero, m and h stand for the marathon and\n"
    "the half-marathon. --km gives the distance in kilometres, --per-km the pace per km.\n"
    "pace prints the pace per mile and its other forms; finish prints the finish time\n"
    "and the splits. The other subcommands read their entries strictly; see their --help.\n";

void print_usage(std::ostream& out) { out << USAGE_DIALOG << toolbox_synopses() << USAGE_MORE; }

// An option selects the second button of a Miles/km or per mile/per km pair.
struct Option {
    std::string_view name;
    int first_button;
};

// A field and how to say what a terminal user may have meant by text after its number.
struct Field {
    int control;
    std::string_view hint;
};

struct Subcommand {
    std::string_view name;
    std::span<const Option> options;
    std::span<const Field> fields;  // in argument order
    int calculate;
    int result;
    int list;
};

constexpr Option PACE_OPTIONS[] = {{"--km", IDC_PACE_MILES}};
constexpr std::string_view DISTANCE_HINT = "give kilometres with --km, or m or h for the marathon or half";
constexpr std::string_view TIME_HINT =
    "give HOURS MINUTES SECONDS as separate fields, or use a subcommand that reads H:MM:SS (see --help)";
constexpr std::string_view PACE_HINT =
    "give PACE_MINUTES PACE_SECONDS as separate fields, and a pace per km with --per-km";
constexpr Field PACE_FIELDS[] = {{IDC_PACE_DISTANCE, DISTANCE_HINT},
                                 {IDC_PACE_HOURS, TIME_HINT},
                                 {IDC_PACE_MINUTES, TIME_HINT},
                                 {IDC_PACE_SECONDS, TIME_HINT}};
constexpr Option FINISH_OPTIONS[] = {{"--km", IDC_FINISH_MILES}, {"--per-km", IDC_PER_MILE}};
constexpr Field FINISH_FIELDS[] = {{IDC_FINISH_DISTANCE, DISTANCE_HINT},
                                   {IDC_FINISH_PACE_MINUTES, PACE_HINT},
                                   {IDC_FINISH_PACE_SECONDS, PACE_HINT}};

constexpr Subcommand SUBCOMMANDS[] = {
    {"pace", PACE_OPTIONS, PACE_FIELDS, IDC_PACE_CALCULATE, IDC_PACE_RESULT, IDC_OTHER_FORMATS},
    {"finish", FINISH_OPTIONS, FINISH_FIELDS, IDC_FINISH_CALCULATE, IDC_FINISH_RESULT, IDC_SPLITS},
};

int usage_error(std::string_view why) {
    std::cerr << "quorran-cli: " << why << "\n\n";
    print_usage(std::cerr);
    return 2;
}

// A field is read as the dialog reads its entry; text after the number, which the dialog
// ignores, gets a note on standard error, so "10km" is no silent surprise.
void note_partial_read(const Field& field, std::string_view arg) {
    constexpr std::string_view SPACE = " \t\n\v\f\r";
    const std::string_view entry = arg.substr(0, TEXT_LIMIT);
    std::size_t length = 0;
    scan_number(entry, length);
    if (length == 0 || entry.find_first_not_of(SPACE, length) == std::string_view::npos) return;
    const std::size_t start = entry.find_first_not_of(SPACE);
    std::cerr << "quorran-cli: note: '" << arg << "' was read as " << entry.substr(start, length - start)
              << ", the rest ignored (" << field.hint << ")\n";
}

void print_json(const CliView& view, const Subcommand& sub) {
    JsonWriter j;
    j.begin_object();
    if (view.warning()) {
        j.field("warning", *view.warning());
    } else {
        j.field("result", view.text(sub.result)).key("list").begin_array();
        for (const auto& line : view.items(sub.list)) j.value(line);
        j.end_array();
    }
    std::cout << j.end_object().text() << '\n';
}

const Subcommand* find_subcommand(std::string_view name) {
    for (const auto& sub : SUBCOMMANDS) {
        if (sub.name == name) return &sub;
    }
    return nullptr;
}

const Option* find_option(const Subcommand& sub, std::string_view arg) {
    for (const auto& option : sub.options) {
        if (option.name == arg) return &option;
    }
    return nullptr;
}

// "--" followed by more is an option; anything else, "-5" among them, is an entry.
bool looks_like_option(std::string_view arg) { return arg.size() > 2 && arg.starts_with("--"); }

int run(const Subcommand& sub, std::span<char*> args) {
    CliView view;
    bool json = false;
    CalculatorCommands commands(view);
    commands.open();
    std::vector<std::string_view> entries;
    bool options_ended = false;
    for (std::string_view arg : args) {
        if (!options_ended && arg == "--") {
            options_ended = true;
        } else if (!options_ended && arg == "--help") {
            print_usage(std::cout);
            return 0;
        } else if (!options_ended && arg == "--json") {
            json = true;
        } else if (!options_ended && looks_like_option(arg)) {
            const Option* option = find_option(sub, arg);
            if (option == nullptr) return usage_error("unknown option " + std::string(arg));
            view.check_radio(option->first_button, option->first_button + 1, option->first_button + 1);
        } else {
            entries.push_back(arg);
        }
    }
    if (entries.size() > sub.fields.size()) return usage_error("too many fields");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        view.type(sub.fields[i].control, entries[i]);
        note_partial_read(sub.fields[i], entries[i]);
    }

    commands.on_command(sub.calculate);
    if (json) {
        print_json(view, sub);
        return view.warning() ? 1 : 0;
    }
    if (view.warning()) {
        std::cerr << *view.warning() << '\n';
        return 1;
    }
    std::cout << view.text(sub.result) << '\n';
    for (const auto& line : view.items(sub.list)) std::cout << line << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::span<char*> args(argv + 1, argc > 0 ? static_cast<std::size_t>(argc - 1) : 0);
    if (args.empty()) return usage_error("no subcommand");
    const std::string_view first = args.front();
    if (first == "--help") {
        print_usage(std::cout);
        return 0;
    }
    if (first == "--version") {
        std::cout << "quorran-cli " << QUORRAN_VERSION << '\n';
        return 0;
    }
    const Subcommand* sub = find_subcommand(first);
    const std::optional<int> toolbox = sub ? std::nullopt : run_toolbox(first, args.subspan(1));
    if (sub == nullptr && !toolbox) return usage_error("unknown subcommand " + std::string(first));
    const int status = toolbox ? *toolbox : run(*sub, args.subspan(1));
    std::cout.flush();
    return std::cout ? status : 1;
}
