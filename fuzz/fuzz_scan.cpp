// Fuzzes the entry scanner and distance_in_miles on arbitrary bytes.
//
// Every text must scan to the value the tests' exact reference finds (the longest
// leading decimal number, 24 significant digits, rounded to nearest), which is finite
// or infinite and never NaN; the "m" and "h" shortcuts must give the marathon and the
// half-marathon exactly, whichever unit is selected.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/dialog/calc_types.h"
#include "core/dialog/entry_parser.h"
#include "core/numbers/number_text.h"
#include "fuzz/fuzz_check.h"
#include "tests/exact_decimal.h"

namespace {

std::string report(std::string_view text, const char* what, double got, double want) {
    char values[128];
    std::snprintf(values, sizeof values, " %.17g (%a), want %.17g (%a)", got, got, want, want);
    return "text \"" + quorran::fuzz::escaped(text) + "\": " + what + values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorran;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double want = exact::scan(text);
    // Equal values: the sign of a zero is not part of an entry's meaning.
    FUZZ_CHECK(scan_number(text) == want, report(text, "scan_number", scan_number(text), want));
    FUZZ_CHECK(parse_number(text) == want, report(text, "parse_number", parse_number(text), want));
    // Only the first character as typed names a race, and then the distance is exact in
    // miles even after the round trip through kilometres.
    const char first = text.empty() ? '\0' : text.front();
    for (const bool miles : {true, false}) {
        double expected = miles ? want : want * KM_TO_MILES;
        if (first == 'm' || first == 'M') expected = MILES_PER_MARATHON;
        if (first == 'h' || first == 'H') expected = MILES_PER_HALF;
        const double distance = distance_in_miles(text, unit_factor(miles));
        FUZZ_CHECK(distance == expected, report(text, miles ? "miles" : "km", distance, expected));
    }
    return 0;
}
