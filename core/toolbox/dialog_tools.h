#pragma once

#include <array>
#include <string_view>

#include "core/toolbox/tool_table.h"

// The pace dialog's two questions as tools of the table. Each runs the dialog's own
// command on a window-less view, so it gives exactly the texts the dialog shows. Its
// entries are the dialog's fields, read as the dialog reads them; as the only two
// entries, a distance with its unit and a clock time (or pace) are read as runners
// write them, and the dialog's fields are filled from them.
namespace quorran {

inline constexpr std::string_view DIALOG_DISTANCE_FORMS =
    "as the dialog reads its field: a number (miles, or km with --km), m or h for the marathon or half; "
    "with one more entry, also a distance with its unit: 10k, 5 mi, 400m, marathon";

inline constexpr std::array<Choice, 2> DIALOG_RACES{{{"m", "Marathon"}, {"h", "Half marathon"}}};

inline constexpr Param DIALOG_DISTANCE{.name = "distance", .label = "Distance", .metavar = "DISTANCE",
                                       .kind = ParamKind::Field, .positional = true, .example = "10k",
                                       .forms = DIALOG_DISTANCE_FORMS, .choices = DIALOG_RACES};
inline constexpr Param DIALOG_KM{.name = "km", .label = "Bare distances in km", .kind = ParamKind::Flag,
                                 .forms = "the distance is in km, as the dialog's km button"};

inline constexpr std::array<Param, 5> PACE_PARAMS{
    DIALOG_DISTANCE,
    Param{.name = "time", .label = "Time", .metavar = "HOURS", .kind = ParamKind::Field, .positional = true,
          .example = "45:00",
          .forms = "hours, as the dialog reads its field; as the second of two entries, also H:MM:SS or M:SS"},
    Param{.name = "minutes", .label = "Minutes", .metavar = "MINUTES", .kind = ParamKind::Field, .positional = true,
          .forms = "minutes, as the dialog reads its field", .command_line_only = true},
    Param{.name = "seconds", .label = "Seconds", .metavar = "SECONDS", .kind = ParamKind::Field, .positional = true,
          .forms = "seconds, as the dialog reads its field", .command_line_only = true},
    DIALOG_KM};
inline constexpr std::array<std::string_view, 3> PACE_EXAMPLES{"26.21875 3 30 0", "10km 45:00", "--km m 3 30"};
inline constexpr std::string_view PACE_DETAILS =
    "Each field is read as the dialog reads its entry: fractions allowed, an omitted or unreadable field "
    "counts as zero, m and h stand for the marathon (26.21875 miles) and the half. Given as the only two "
    "entries, DISTANCE may carry its unit and the time may be H:MM:SS (pace 10km 45:00). A field read only in "
    "part gets a note on standard error.";

inline constexpr std::array<Param, 5> FINISH_PARAMS{
    DIALOG_DISTANCE,
    Param{.name = "pace", .label = "Pace", .metavar = "PACE_MINUTES", .kind = ParamKind::Field, .positional = true,
          .example = "7:30/mi",
          .forms = "minutes per mile (or per km with --per-km), as the dialog reads its field; as the second of "
                   "two entries, also M:SS with /km or /mi"},
    Param{.name = "pace_seconds", .label = "Pace seconds", .metavar = "PACE_SECONDS", .kind = ParamKind::Field,
          .positional = true, .forms = "seconds of the pace, as the dialog reads its field",
          .command_line_only = true},
    DIALOG_KM,
    Param{.name = "per-km", .label = "Bare paces per km", .kind = ParamKind::Flag,
          .forms = "the pace is per km, as the dialog's per km button"}};
inline constexpr std::array<std::string_view, 3> FINISH_EXAMPLES{"m 8 0", "half 7:30/mi", "10k 4:30/km"};
inline constexpr std::string_view FINISH_DETAILS =
    "Fields are read as pace reads them. Given as the only two entries, DISTANCE may carry its unit and the "
    "pace may be M:SS with /km or /mi (finish 10k 4:30/km); a race given in km then gets a split at every km.";

Outcome pace_tool(const Inputs& in);
Outcome finish_tool(const Inputs& in);

}  // namespace quorran
