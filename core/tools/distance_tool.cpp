// distance: how far a time at a pace takes a runner.
#include "core/numbers/number_text.h"
#include "core/toolbox/entry_reading.h"
#include "core/tools/common.h"

namespace quorran {
namespace {

using namespace tool_parts;

constexpr std::array<Param, 3> PARAMS{
    Param{.name = "time", .label = "Time", .metavar = "TIME", .kind = ParamKind::Time, .positional = true,
          .required = true, .example = "1:30:00", .forms = TIME_FORMS, .low = 0, .high = LONGEST_TIME_SECONDS,
          .open = true},
    PACE, PER_KM};
constexpr Entry TIME_ENTRY = entry(PARAMS, "time"), PACE_ENTRY = entry(PARAMS, "pace");
constexpr std::array<std::string_view, 2> EXAMPLES{"1:30:00 4:15/km", "--per-km 45:00 5:00"};

Outcome run(const Inputs& in) {
    const double seconds = in[TIME_ENTRY].number;
    const double metres = metres_in(seconds, in[PACE_ENTRY].number);
    Report r;
    const RaceReading read_as{escaped(describe(in[TIME_ENTRY])) + " at " + escaped(describe(in[PACE_ENTRY])),
                              how_read(in[TIME_ENTRY], in[PACE_ENTRY]).hints};
    const std::string_view flag = judge_race(r, metres, seconds, read_as);
    // The main answer in the pace's unit.
    const bool km = in[PACE_ENTRY].in_km;
    r.headlines.push_back({"miles", "miles", Unit::Miles,
                           {format_text("%.2f", {metres / METRES_PER_MILE}), metres / METRES_PER_MILE, flag}, false, !km});
    r.headlines.push_back({"km", "km", Unit::Kilometres,
                           {format_text("%.2f", {metres / METRES_PER_KM}), metres / METRES_PER_KM, flag}, false, km});
    return {.report = std::move(r)};
}

}  // namespace

extern const Tool DISTANCE_TOOL;
constinit const Tool DISTANCE_TOOL{
    .name = "distance",
    .title = "Distance",
    .menu_place = 30,
    .purpose = "How far a time at a pace takes you, in miles and km.",
    .details = "",
    .params = PARAMS,
    .examples = EXAMPLES,
    .run = run,
};

}  // namespace quorran
