#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/dialog/plain_view.h"
#include "core/running/race_distances.h"
#include "core/toolbox/tool.h"

// What the pace dialog's two tools share: their fields as the dialog reads them, run by
// the dialog's own command on a window-less view for the command line's --dialog form,
// and the entries as runners write them brought to the dialog's arithmetic, so both
// forms print exactly the dialog's texts.
namespace quorran::dialog_form {

inline constexpr Param DISTANCE_FIELD{.name = "distance", .label = "Distance", .metavar = "DISTANCE",
                                      .kind = ParamKind::Field, .positional = true,
                                      .forms = "the distance as the dialog reads its field: a number, in miles or in "
                                               "km with {km}, or m or h for the marathon or half"};
inline constexpr Param KM_BUTTON{.name = "km", .label = "km", .kind = ParamKind::Flag,
                                 .forms = "the distance is in km, as the dialog's km button"};

// One field of a dialog group: the param it comes from and its control.
struct Field {
    std::string_view param;
    int control;
};

struct Group {
    std::vector<Field> fields;  // distance first
    int miles, km;              // the distance's unit buttons
    int calculate;
    bool second_is_pace;  // Find Finish Time: a pace, with its per mile and per km buttons
};

// How the dialog reads a field's text when it does not read all of it ("26.2", "the
// marathon (m)", "0 (no number)"); empty when it reads all of it: a number, nothing, or
// in the distance field m or h.
std::string partial_reading(std::string_view text, bool distance_field);

// The group's Calculate on a window-less dialog holding the fields as typed, its unit
// buttons as the flags say: the dialog's warning, or its texts, and a note for each field
// the dialog reads only in part or whose sign it drops.
struct Run {
    PlainView view;
    Outcome outcome;
};
void run_fields(const Inputs& fields, const Group& group, Run& run);

// A distance in miles as the dialog's arithmetic has it: a number in km becomes miles by
// KM_TO_MILES, as the dialog's km button does.
double dialog_miles(const Value& distance);

}  // namespace quorran::dialog_form
