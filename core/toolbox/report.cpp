#include "core/toolbox/report.h"

#include <algorithm>
#include <array>

namespace quorran {

std::string_view unit_name(Unit unit) {
    static constexpr std::array<std::string_view, 17> NAMES{
        "",     "s",   "m",     "mi",  "km",   "s/km", "s/mi", "min/mi",    "km/h",
        "mph",  "m/s", "m/min", "ft/s", "ft/min", "%",  "ml/kg/min", "count"};
    return NAMES.at(static_cast<std::size_t>(unit));
}

bool Report::has_note(std::string_view key) const {
    return std::any_of(notes.begin(), notes.end(), [key](const Note& note) { return note.key == key; });
}

}  // namespace quorran
