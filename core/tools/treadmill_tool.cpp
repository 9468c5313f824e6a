// treadmill: a belt speed and incline as the flat running they equal.
#include "core/numbers/number_text.h"
#include "core/running/clock_time.h"
#include "core/running/treadmill.h"
#include "core/toolbox/entry_reading.h"
#include "core/tools/common.h"

namespace quorran {
namespace {

using namespace tool_parts;

constexpr double SLOWEST_BELT_KMH = 1;
constexpr double FASTEST_BELT_KMH = 40;
constexpr double STEEPEST_PERCENT = 15;
constexpr std::string_view BELOW_RUNNING = "below_running_speed";

constexpr std::array<Param, 3> PARAMS{
    Param{.name = "speed", .label = "Belt speed", .metavar = "SPEED", .kind = ParamKind::Speed, .positional = true,
          .required = true, .example = "12km/h",
          .forms = "a number with km/h or mph, such as 12km/h or 7.5mph",
          .low = SLOWEST_BELT_KMH, .high = FASTEST_BELT_KMH, .bare_km_flag = KM_FLAG},
    Param{.name = "incline", .label = "Incline (%)", .metavar = "INCLINE", .kind = ParamKind::Number, .positional = true,
          .fallback = "0", .example = "2", .forms = "the belt's incline in per cent, 0 to 15",
          .low = 0, .high = STEEPEST_PERCENT, .unit = Unit::Percent},
    Param{.name = KM_FLAG, .label = "Bare speeds in km/h", .kind = ParamKind::Flag,
          .forms = "a bare speed is in km/h, not mph"}};
constexpr Entry SPEED_ENTRY = entry(PARAMS, "speed"), INCLINE_ENTRY = entry(PARAMS, "incline");
constexpr std::array<std::string_view, 3> EXAMPLES{"12km/h 2", "7.5mph 4", "--km 10 1"};

// A row of the paces table: per km, per mile and the speed both ways.
std::vector<Cell> pace_row(std::string_view name, double kmh, std::string_view flag = {}) {
    const double per_km = 3600 / kmh;
    return {{std::string(name)}, time_cell(per_km, 0, flag), per_mile_cell(per_km),
            {format_text("%.2f", {kmh}), kmh, flag}, {format_text("%.2f", {kmh / KM_PER_MILE}), kmh / KM_PER_MILE, flag}};
}

Outcome run(const Inputs& in) {
    const double belt = in[SPEED_ENTRY].number, percent = in[INCLINE_ENTRY].number;
    const double flat = flat_equivalent_kmh(belt, percent / 100);
    const double cost = running_oxygen_cost(belt, percent / 100);
    const std::string_view walking = belt < RUNNING_EQUATION_SLOWEST_KMH ? BELOW_RUNNING : "";

    Report r;
    r.headlines.push_back({"belt", "belt", Unit::KmPerHour,
                           {describe(in[SPEED_ENTRY]) + " at " + describe(in[INCLINE_ENTRY]) + " % incline", belt, walking}});
    r.headlines.push_back({"oxygen_cost", "oxygen cost", Unit::MlPerKgMin, {format_text("%.1f ml/kg/min", {cost}), cost}});
    // The main answer: the flat pace, per km for a speed in km/h, else per mile.
    const bool kmh = in[SPEED_ENTRY].in_km;
    const double flat_pace = (kmh ? METRES_PER_KM : METRES_PER_MILE) / (flat / 3.6);
    r.headlines.push_back({"flat_pace", "flat pace", kmh ? Unit::SecondsPerKm : Unit::SecondsPerMile,
                           {clock_text(flat_pace, 0) + (kmh ? " /km" : " /mi"), flat_pace, walking}, false, true});
    Table paces{"paces", "", {{"surface", "surface", Unit::None, true}, per_km_column(), per_mile_column(),
                              {"km_per_hour", "km/h", Unit::KmPerHour}, {"miles_per_hour", "mph", Unit::MilesPerHour}}, {}, {}};
    paces.rows.push_back(pace_row("belt", belt, walking));
    paces.rows.push_back(pace_row("flat", flat, walking));
    r.tables.push_back(std::move(paces));
    if (!walking.empty()) {
        r.notes.push_back({BELOW_RUNNING, NoteKind::Flag,
                           format_text("below %.0f km/h people walk, and the running equation may not hold",
                                       {RUNNING_EQUATION_SLOWEST_KMH}),
                           "*"});
    }
    r.notes.push_back({"acsm_running", NoteKind::Credit,
                       "By the ACSM running equation: oxygen cost 0.2 v + 0.9 v grade + 3.5 ml/kg/min, v in metres a "
                       "minute. It holds for running speeds, not for walking."});
    return {.report = std::move(r)};
}

}  // namespace

extern const Tool TREADMILL_TOOL;
constinit const Tool TREADMILL_TOOL{
    .name = "treadmill",
    .title = "Treadmill",
    .menu_place = 90,
    .purpose = "The flat pace a treadmill's belt speed and incline equal.",
    .details = "The flat running that takes the same oxygen as the belt speed up the incline, by the ACSM running "
               "equation: belt and flat pace per km and per mile, and both speeds.",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
};

}  // namespace quorran
