#include "core/dialog/entry_parser.h"

#include "core/dialog/calc_types.h"
#include "core/numbers/number_text.h"

namespace quorran {

double parse_number(std::string_view text) { return scan_number(text); }

double unit_factor(bool miles_checked) { return miles_checked ? 1.0 : KM_PER_MILE; }

double distance_in_miles(std::string_view text, double unit_factor) {
    double d = parse_number(text);
    // Only the first character as typed counts, so " m" is no shortcut.
    const char first = text.empty() ? '\0' : text.front();
    if (first == 'm' || first == 'M') d = unit_factor * MILES_PER_MARATHON;
    if (first == 'h' || first == 'H') d = unit_factor * MILES_PER_HALF;
    // A multiplication, never a division by KM_PER_MILE: the shortcuts come back exact.
    if (unit_factor != 1.0) d = d * KM_TO_MILES;
    return d;
}

}  // namespace quorran
