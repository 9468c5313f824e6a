// quorran-cli: the calculator's two questions from a terminal. It runs the dialog's
// own commands through a view of plain values, so it prints exactly what the dialog shows.
#include <cstdio>
#include <iostream>
#include <span>
#include <string_view>
#include <vector>

#include "cli/cli_view.h"
#include "core/calculator_commands.h"
#include "core/control_ids.h"

namespace {

using namespace quorran;

constexpr std::string_view USAGE =
    "Usage:\n"
    "  quorran-cli pace [--km] DISTANCE [HOURS [MINUTES [SECONDS]]]\n"
    "  quorran-cli finish [--km] [--per-km] DISTANCE [PACE_MINUTES [PACE_SECONDS]]\n"
    "  quorran-cli --help\n"
    "\n"
    "Each field is read as the dialog reads its entry: fractions allowed, an omitted\n"
    "or unreadable field counts as zero, m and h stand for the marathon and the\n"
    "half-marathon. --km gives the distance in kilometres, --per-km the pace per km.\n"
    "pace prints the pace per mile and its other forms; finish prints the finish time\n"
    "and the splits.\n";

// An option selects the second button of a Miles/km or per mile/per km pair.
struct Option {
    std::string_view name;
    int first_button;
};

struct Subcommand {
    std::string_view name;
    std::span<const Option> options;
    std::span<const int> fields;  // entry fields, in argument order
    int calculate;
    int result;
    int list;
};

constexpr Option PACE_OPTIONS[] = {{"--km", IDC_PACE_MILES}};
constexpr int PACE_FIELDS[] = {IDC_PACE_DISTANCE, IDC_PACE_HOURS, IDC_PACE_MINUTES, IDC_PACE_SECONDS};
constexpr Option FINISH_OPTIONS[] = {{"--km", IDC_FINISH_MILES}, {"--per-km", IDC_PER_MILE}};
constexpr int FINISH_FIELDS[] = {IDC_FINISH_DISTANCE, IDC_FINISH_PACE_MINUTES, IDC_FINISH_PACE_SECONDS};

constexpr Subcommand SUBCOMMANDS[] = {
    {"pace", PACE_OPTIONS, PACE_FIELDS, IDC_PACE_CALCULATE, IDC_PACE_RESULT, IDC_OTHER_FORMATS},
    {"finish", FINISH_OPTIONS, FINISH_FIELDS, IDC_FINISH_CALCULATE, IDC_FINISH_RESULT, IDC_SPLITS},
};

int usage_error(std::string_view why) {
    std::cerr << "quorran-cli: " << why << "\n\n" << USAGE;
    return 2;
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
    for (const auto& option : sub.options) view.check(option.first_button);
    std::vector<std::string_view> entries;
    bool options_ended = false;
    for (std::string_view arg : args) {
        if (!options_ended && arg == "--") {
            options_ended = true;
        } else if (!options_ended && arg == "--help") {
            std::cout << USAGE;
            return 0;
        } else if (!options_ended && looks_like_option(arg)) {
            const Option* option = find_option(sub, arg);
            if (option == nullptr) return usage_error("unknown option " + std::string(arg));
            view.uncheck(option->first_button);
        } else {
            entries.push_back(arg);
        }
    }
    if (entries.size() > sub.fields.size()) return usage_error("too many fields");
    for (std::size_t i = 0; i < entries.size(); ++i) view.type(sub.fields[i], entries[i]);

    CalculatorCommands(view).on_command(sub.calculate);
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
        std::cout << USAGE;
        return 0;
    }
    const Subcommand* sub = find_subcommand(first);
    if (sub == nullptr) return usage_error("unknown subcommand " + std::string(first));
    const int status = run(*sub, args.subspan(1));
    std::cout.flush();
    return std::cout ? status : 1;
}
