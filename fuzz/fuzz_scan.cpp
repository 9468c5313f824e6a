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
#include <string_view>

#include "core/calc_types.h"
#include "core/entry_parser.h"
#include "core/number_text.h"
#include "fuzz/fuzz_check.h"
#include "tests/exact_decimal.h"

namespace {

using quorran::fuzz::escaped;

std::string show(double value) {
    char out[64];
    std::snprintf(out, sizeof out, "%.17g (%a)", value, value);
    return out;
}

// Equal values; the sign of a zero is not part of an entry's meaning.
bool same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

std::string report(std::string_view text, const char* what, double got, double want) {
    return "text \"" + escaped(text) + "\": " + what + " " + show(got) + ", want " + show(want);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double scanned = quorran::scan_number(text);
    const double want = quorran::exact::scan(text);
    FUZZ_CHECK(!std::isnan(scanned), report(text, "scan_number", scanned, want));
    FUZZ_CHECK(same(scanned, want), report(text, "scan_number", scanned, want));

    const double parsed = quorran::parse_number(text);
    FUZZ_CHECK(same(parsed, scanned), report(text, "parse_number", parsed, scanned));

    const char first = text.empty() ? '\0' : text.front();
    for (const double factor : {1.0, quorran::KM_PER_MILE}) {
        double expected = factor == 1.0 ? want : want * quorran::KM_TO_MILES;
        // Only the first character as typed names a race, and then the distance is
        // exact in miles even after the round trip through kilometres.
        if (first == 'm' || first == 'M') expected = quorran::MILES_PER_MARATHON;
        if (first == 'h' || first == 'H') expected = quorran::MILES_PER_HALF;
        const double distance = quorran::distance_in_miles(text, factor);
        FUZZ_CHECK(!std::isnan(distance), report(text, "distance_in_miles", distance, expected));
        FUZZ_CHECK(same(distance, expected),
                   report(text, factor == 1.0 ? "distance_in_miles (miles)" : "distance_in_miles (km)", distance,
                          expected));
    }
    return 0;
}
