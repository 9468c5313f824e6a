// The runner's toolbox from a terminal: each subcommand reads its entries strictly,
// asks the core for the numbers and prints them for people or, with --json, for programs.
#include "cli/toolbox.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iomanip>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "cli/json_writer.h"
#include "core/toolbox/clock_time.h"
#include "core/numbers/number_text.h"
#include "core/toolbox/race_distances.h"
#include "core/toolbox/race_prediction.h"
#include "core/toolbox/split_plan.h"
#include "core/toolbox/strict_entry.h"
#include "core/toolbox/track_lanes.h"
#include "core/toolbox/vdot.h"

namespace quorran {
namespace {

// What each kind of entry accepts, for help texts and refusals alike.
struct EntryKind {
    std::string_view name;
    std::string_view accepted;
};
constexpr EntryKind TIME{"TIME",
                         "[[H:]M:]S such as 3:30:00, 42:30 or 59.5, each part after a colon below 60"};
constexpr EntryKind DISTANCE{"DISTANCE",
                             "a number with km, k, mi or m (metres), or marathon or half; "
                             "a bare number is in miles, or in km with --km"};
constexpr EntryKind PACE{
    "PACE", "M:SS or M:SS.s, with /km or /mi; a bare pace is per mile, or per km with --per-km"};

// A refused entry: the one line standard error gets.
struct Refusal {
    std::string line;
};

[[noreturn]] void refuse(std::string_view what, std::string_view text, std::string_view accepted) {
    throw Refusal{std::string(what) + " '" + std::string(text) + "' is not accepted: give " +
                  std::string(accepted)};
}

// The arguments of one subcommand, sorted out.
struct Args {
    std::vector<std::string_view> entries;
    std::map<std::string_view, std::string_view> values;
    std::set<std::string_view> flags;

    bool has(std::string_view flag) const { return flags.contains(flag); }
    std::string_view value(std::string_view option, std::string_view fallback) const {
        const auto it = values.find(option);
        return it == values.end() ? fallback : it->second;
    }

    double time(std::size_t i) const {
        if (const auto t = read_time(entries[i])) return *t;
        refuse(TIME.name, entries[i], TIME.accepted);
    }
    double pace(std::size_t i) const {
        if (const auto p = read_pace(entries[i], has("--per-km"))) return *p;
        refuse(PACE.name, entries[i], PACE.accepted);
    }
    DistanceEntry distance(std::string_view what, std::string_view text) const {
        if (const auto d = read_distance(text, has("--km"))) return *d;
        refuse(what, text, DISTANCE.accepted);
    }
    // An option's number, which must lie in (low, high) or, when closed, in [low, high].
    double number(std::string_view option, double fallback, double low, double high, bool closed) const {
        if (!values.contains(option)) return fallback;
        const std::string_view text = values.at(option);
        std::size_t length = 0;
        const double v = scan_number(text, length);
        const bool inside = closed ? v >= low && v <= high : v > low && v < high;
        if (text.empty() || std::isspace(static_cast<unsigned char>(text.front())) ||
            length != text.size() || !inside) {
            refuse(option, text,
                   format_text(closed ? "a number from %.1f to %.1f" : "a number between %.0f and %.0f",
                               {low, high}));
        }
        return v;
    }
};

// Text columns: left-aligned names, right-aligned values.
struct Table {
    std::ostringstream out;
    Table& name(std::string_view s, int width = 15) {
        out << std::left << std::setw(width) << s << std::right;
        return *this;
    }
    Table& cell(std::string_view s, int width = 10) {
        out << std::setw(width) << s;
        return *this;
    }
    Table& end() {
        out << '\n';
        return *this;
    }
};

double per_mile(double seconds_per_km) { return seconds_per_km * (METRES_PER_MILE / METRES_PER_KM); }

std::string pace_texts(double seconds_per_km) {
    return clock_text(per_mile(seconds_per_km), 0) + " /mi  " + clock_text(seconds_per_km, 0) + " /km";
}

// The {"name", "metres", "seconds"} object of a time over a named distance, left open.
JsonWriter& named_time(JsonWriter& j, const NamedDistance& d, double seconds) {
    return j.begin_object().field("name", d.name).field("metres", d.metres).field("seconds", seconds);
}

std::string distance_command(const Args& a, bool json) {
    const double metres = metres_in(a.time(0), a.pace(1));
    if (json) {
        JsonWriter j;
        j.begin_object().field("metres", metres).field("miles", metres / METRES_PER_MILE);
        return j.field("km", metres / METRES_PER_KM).end_object().text();
    }
    return format_text("%9.2f miles\n%9.2f km", {metres / METRES_PER_MILE, metres / METRES_PER_KM}) +
           "\n";
}

std::string predict_command(const Args& a, bool json) {
    const double from = a.distance(DISTANCE.name, a.entries[0]).metres;
    const double seconds = a.time(1);
    const std::string_view model = a.value("--model", "riegel");
    if (model != "riegel" && model != "cameron") refuse("--model", model, "riegel or cameron");
    const bool riegel = model == "riegel";
    if (!riegel && a.values.contains("--exponent"))
        refuse("--exponent", a.values.at("--exponent"), "it with --model riegel only");
    const double exponent =
        a.number("--exponent", RIEGEL_EXPONENT, RIEGEL_EXPONENT_MIN, RIEGEL_EXPONENT_MAX, true);

    std::vector<double> times;
    for (const auto& d : RACE_DISTANCES) {
        times.push_back(riegel ? riegel_seconds(from, seconds, d.metres, exponent)
                               : cameron_seconds(from, seconds, d.metres));
        if (!std::isfinite(times.back()) || times.back() <= 0) {
            refuse(DISTANCE.name, a.entries[0],
                   "a race the model can predict from (Cameron's up to about 400 km)");
        }
    }
    JsonWriter j;
    Table t;
    j.begin_object().field("model", model);
    if (riegel) j.field("exponent", exponent);
    j.key("predictions").begin_array();
    t.out << (riegel ? format_text("Riegel, exponent %.2f", {exponent}) : "Cameron") << '\n';
    t.name("").cell("time").cell("per mile", 12).cell("per km").end();
    bool outside_any = false;
    for (std::size_t i = 0; i < times.size(); ++i) {
        const auto& d = RACE_DISTANCES[i];
        const bool outside = outside_fitted_range(times[i]);
        outside_any = outside_any || outside;
        named_time(j, d, times[i]).field("outside_range", outside).end_object();
        const double per_km = times[i] / (d.metres / METRES_PER_KM);
        t.name(d.name).cell(clock_text(times[i], 0)).cell(outside ? " *" : "", 2);
        t.cell(clock_text(per_mile(per_km), 0)).cell(clock_text(per_km, 0)).end();
    }
    if (outside_any) {
        t.out << format_text("* outside the %.1f to %.0f minutes the model was fitted to\n",
                             {FITTED_SECONDS_MIN / 60, FITTED_SECONDS_MAX / 60});
    }
    return json ? j.end_array().end_object().text() : t.out.str();
}

std::string vdot_command(const Args& a, bool json) {
    const double metres = a.distance(DISTANCE.name, a.entries[0]).metres;
    const double seconds = a.time(1);
    const double v = vdot(metres, seconds);
    if (!(v > 0) || !std::isfinite(v))
        refuse(TIME.name, a.entries[1], "a faster race: the equations give no VDOT for it");
    const TrainingPaces p = training_paces(v);

    JsonWriter j;
    Table t;
    j.begin_object().field("vdot", v).key("equivalents").begin_array();
    t.out << format_text("VDOT %.1f", {v})
          << "\nDerived from the published Daniels-Gilbert equations, not from any book's tables.\n\n"
          << "Equivalent race times\n";
    for (const auto& d : RACE_DISTANCES) {
        const double s = equivalent_seconds(v, d.metres);
        named_time(j, d, s).end_object();
        t.name(d.name).cell(clock_text(s, 0)).end();
    }
    j.end_array().key("paces").begin_object();
    j.key("easy").begin_object().field("slow", p.easy_slow).field("fast", p.easy_fast).end_object();
    const std::pair<std::string_view, double> paces[] = {{"marathon", p.marathon},
                                                         {"threshold", p.threshold},
                                                         {"interval", p.interval},
                                                         {"repetition", p.repetition}};
    t.out << "\nTraining paces\n";
    t.name("easy").cell(pace_texts(p.easy_fast), 18).out << "  to  " << pace_texts(p.easy_slow) << '\n';
    for (const auto& [name, pace] : paces) {
        j.field(name, pace);
        t.name(name).cell(pace_texts(pace), 18).end();
    }
    return json ? j.end_object().end_object().text() : t.out.str();
}

std::string plan_command(const Args& a, bool json) {
    const double metres = a.distance(DISTANCE.name, a.entries[0]).metres;
    const double seconds = a.time(1);
    const bool km = a.has("--km");
    const std::string_view every_text = a.value("--every", km ? "1km" : "1mi");
    const DistanceEntry every = a.distance("--every", every_text);
    if (metres / every.metres > MAX_SPLITS) {
        refuse("--every", every_text,
               format_text("a longer distance: at most %.0f splits", {MAX_SPLITS}));
    }
    const double negative =
        a.number("--negative", 0.0, NEGATIVE_PERCENT_MIN, NEGATIVE_PERCENT_MAX, false);

    JsonWriter j;
    Table t;
    j.begin_object().field("total_seconds", seconds).key("splits").begin_array();
    const double unit = every.in_km ? METRES_PER_KM : METRES_PER_MILE;
    t.cell(every.in_km ? "km" : "miles", 8).cell("split").cell("cumulative", 12).end();
    for (const PlannedSplit& s : split_plan(metres, seconds, every.metres, negative)) {
        j.begin_object().field("metres", s.metres).field("split_seconds", s.split_seconds);
        j.field("cumulative_seconds", s.cumulative_seconds).end_object();
        t.cell(format_text("%.2f", {s.metres / unit}), 8).cell(clock_text(s.split_seconds, 0));
        t.cell(clock_text(s.cumulative_seconds, 0), 12).end();
    }
    return json ? j.end_array().end_object().text() : t.out.str();
}

std::string laps_command(const Args& a, bool json) {
    const double pace = a.pace(0);
    JsonWriter j;
    Table t;
    j.begin_object().key("lanes").begin_array();
    t.cell("lane", 4).cell("metres").cell("lap").end();
    for (int lane = 1; lane <= TRACK_LANES; ++lane) {
        const double metres = lane_metres(lane);
        const double s = seconds_over(metres, pace);
        j.begin_object().field("lane", lane).field("metres", metres).field("seconds", s).end_object();
        t.cell(std::to_string(lane), 4).cell(format_text("%.2f", {metres})).cell(clock_text(s, 1)).end();
    }
    j.end_array().key("distances").begin_array();
    t.out << '\n';
    for (const auto& d : TRACK_DISTANCES) {
        const double s = seconds_over(d.metres, pace);
        named_time(j, d, s).end_object();
        t.name(d.name, 8).cell(clock_text(s, 1)).end();
    }
    return json ? j.end_array().end_object().text() : t.out.str();
}

struct Tool {
    std::string_view name;
    std::string_view synopsis;
    std::string_view about;
    std::vector<EntryKind> entries;
    std::vector<std::string_view> valued;  // options that take a value
    std::vector<std::string_view> flags;
    std::string (*run)(const Args&, bool json);
};

const std::vector<Tool>& tools() {
    static const std::vector<Tool> all = {
        {"distance",
         "distance [--per-km] TIME PACE",
         "How far TIME at PACE takes you, in miles and km.",
         {TIME, PACE},
         {},
         {"--per-km"},
         distance_command},
        {"predict",
         "predict [--km] DISTANCE TIME [--model riegel|cameron] [--exponent E]",
         "Times over the standard distances predicted from one race: Riegel's T2 = T1 (D2/D1)^E\n"
         "(E = 1.06 unless given, from 1.0 to 1.2) or Cameron's curve.",
         {DISTANCE, TIME},
         {"--model", "--exponent"},
         {"--km"},
         predict_command},
        {"vdot",
         "vdot [--km] DISTANCE TIME",
         "VDOT, equivalent race times and training paces, derived from the published\n"
         "Daniels-Gilbert equations (not from any book's tables).",
         {DISTANCE, TIME},
         {},
         {"--km"},
         vdot_command},
        {"plan",
         "plan [--km] DISTANCE TIME [--every DISTANCE] [--negative PCT]",
         "A split plan with a row every mile (every km with --km, or --every) and at the finish;\n"
         "--negative runs the second half PCT per cent faster per metre (-50 < PCT < 50).",
         {DISTANCE, TIME},
         {"--every", "--negative"},
         {"--km"},
         plan_command},
        {"laps",
         "laps [--per-km] PACE",
         "Lap times in lanes 1 to 8 of a 400 m track, and times over track distances.",
         {PACE},
         {},
         {"--per-km"},
         laps_command},
    };
    return all;
}

std::string help(const Tool& tool) {
    std::string text = "Usage: quorran-cli " + std::string(tool.synopsis) + " [--json]\n" +
                       std::string(tool.about) + "\n";
    for (const EntryKind& kind : tool.entries) {
        text += "  " + std::string(kind.name) + ": " + std::string(kind.accepted) + "\n";
    }
    return text + "--json prints one JSON object instead of the text.\n";
}

Args sort_out(const Tool& tool, std::span<char* const> argv) {
    Args a;
    const auto listed = [](const std::vector<std::string_view>& v, std::string_view s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    bool options_ended = false;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string_view arg = argv[i];
        if (options_ended || arg.size() < 3 || !arg.starts_with("--")) {
            a.entries.push_back(arg);
        } else if (arg == "--") {
            options_ended = true;
        } else if (arg == "--json" || arg == "--help" || listed(tool.flags, arg)) {
            a.flags.insert(arg);
        } else if (listed(tool.valued, arg) && i + 1 < argv.size()) {
            a.values[arg] = argv[++i];
        } else {
            throw Refusal{"unknown option or missing value: " + std::string(arg) + "; see quorran-cli " +
                          std::string(tool.name) + " --help"};
        }
    }
    if (!a.has("--help") && a.entries.size() != tool.entries.size()) {
        throw Refusal{"expected " + std::string(tool.synopsis)};
    }
    return a;
}

}  // namespace

std::string toolbox_synopses() {
    std::string text;
    for (const Tool& tool : tools())
        text += "  quorran-cli " + std::string(tool.synopsis) + " [--json]\n";
    return text;
}

std::optional<int> run_toolbox(std::string_view name, std::span<char* const> argv) {
    for (const Tool& tool : tools()) {
        if (tool.name != name) continue;
        try {
            const Args a = sort_out(tool, argv);
            std::cout << (a.has("--help")
                              ? help(tool)
                              : tool.run(a, a.has("--json")) + (a.has("--json") ? "\n" : ""));
            return 0;
        } catch (const Refusal& r) {
            std::cerr << "quorran-cli " << name << ": " << r.line << '\n';
            return 2;
        }
    }
    return std::nullopt;
}

}  // namespace quorran
