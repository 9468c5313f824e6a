#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/dialog/plain_view.h"
#include "core/toolbox/tool.h"

// The pace dialog's two questions as tools of the table. Each runs the dialog's own
// command on a window-less view, so it gives exactly the texts the dialog shows. Its
// entries are the dialog's fields, read as the dialog reads them; as the only two
// entries, a distance with its unit and a clock time (or pace) are read as runners
// write them, and the dialog's fields are filled from them.
namespace quorran::dialog_form {

inline constexpr std::string_view DISTANCE_FORMS =
    "as the dialog reads its field: a number (miles, or km with --km), m or h for the marathon or half; "
    "with one more entry, also a distance with its unit: 10k, 5 mi, 400m, marathon";

inline constexpr std::array<Choice, 2> DIALOG_RACES{{{"m", "Marathon"}, {"h", "Half marathon"}}};

inline constexpr Param DISTANCE{.name = "distance", .label = "Distance", .metavar = "DISTANCE",
                                .kind = ParamKind::Field, .positional = true, .example = "10k",
                                .forms = DISTANCE_FORMS, .choices = DIALOG_RACES};
inline constexpr Param KM{.name = "km", .label = "Bare distances in km", .kind = ParamKind::Flag,
                          .forms = "the distance is in km, as the dialog's km button"};

// One field of a dialog group: the param it comes from, its control, and what to say
// when text after its number is ignored.
struct Field {
    std::string_view param;
    int control;
    std::string_view hint;
};

struct Group {
    std::vector<Field> fields;  // distance first
    int miles, km;              // the distance's unit buttons
    int calculate;
    std::string_view runner_hint;  // the two entries as a runner writes them
    bool second_is_pace;           // Find Finish Time: a pace, with its per mile and per km buttons
};

// The group's Calculate run on a window-less dialog holding the entries.
struct Run {
    PlainView view;
    Outcome outcome;
    bool km_splits = false;  // the race was given in km: a split at every km
};

void run_group(const Inputs& in, const Group& group, Run& run);

}  // namespace quorran::dialog_form
