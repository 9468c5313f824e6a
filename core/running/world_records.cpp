#include "core/running/world_records.h"

#include <array>
#include <cmath>

#include "core/running/race_distances.h"

namespace quorran {
namespace {

struct Record {
    double metres, seconds;
};

// Men's outright world records, shortest first (24 hours: the distance run in it).
constexpr std::array<Record, 15> RECORDS{{
    {100, 9.58},
    {200, 19.19},
    {400, 43.03},
    {800, 100.91},
    {1000, 131.96},
    {1500, 206.00},
    {METRES_PER_MILE, 223.13},
    {2000, 283.13},
    {3000, 437.55},
    {5000, 755.36},
    {10000, 1571.00},
    {HALF_MARATHON_METRES, 3402},
    {MARATHON_METRES, 7235},
    {100000, 21941},
    {319614, 86400},
}};

}  // namespace

double world_record_seconds(double metres) {
    // At a record's own distance, the record itself, whatever pow rounds to.
    for (const Record& r : RECORDS)
        if (r.metres == metres) return r.seconds;
    std::size_t upper = 1;
    while (upper + 1 < RECORDS.size() && RECORDS[upper].metres < metres) ++upper;
    const Record& a = RECORDS[upper - 1];
    const Record& b = RECORDS[upper];
    const double exponent = std::log(b.seconds / a.seconds) / std::log(b.metres / a.metres);
    return a.seconds * std::pow(metres / a.metres, exponent);
}

bool faster_than_world_record(double metres, double seconds) { return seconds < world_record_seconds(metres); }

}  // namespace quorran
