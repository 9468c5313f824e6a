// The geodesic held to GeographicLib's (Debian's libgeographiclib-dev) over many pairs:
// within 1 mm up to 10 km apart at every latitude, near the poles and across the
// antimeridian, and equal points 0. The second point of each pair is put at a distance
// and azimuth from the first by GeographicLib's direct problem.
#include <GeographicLib/Geodesic.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <random>
#include <vector>

#include "core/recorded/geodesic.h"

namespace quorran {
namespace {

const GeographicLib::Geodesic& reference() { return GeographicLib::Geodesic::WGS84(); }

// The largest difference from GeographicLib over pairs from (lat, lon) at each
// azimuth and distance.
struct Worst {
    double metres = 0;
    std::size_t pairs = 0;
    void check(double lat1, double lon1, double lat2, double lon2) {
        double expected = 0;
        reference().Inverse(lat1, lon1, lat2, lon2, expected);
        const double got = geodesic_metres(lat1, lon1, lat2, lon2);
        ++pairs;
        if (!(std::fabs(got - expected) <= metres)) metres = std::fabs(got - expected);
        ASSERT_LE(std::fabs(got - expected), 1e-3) << lat1 << " " << lon1 << " to " << lat2 << " " << lon2;
    }
    void from(double lat, double lon, double azimuth, double metres_apart) {
        double lat2 = 0, lon2 = 0;
        reference().Direct(lat, lon, azimuth, metres_apart, lat2, lon2);
        check(lat, lon, lat2, lon2);
    }
};

TEST(GeodesicReference, UpTo10km) {
    std::vector<double> latitudes;
    for (double lat = -90; lat <= 90; lat += 0.5) latitudes.push_back(lat);
    for (double off : {1e-1, 1e-2, 1e-3, 1e-4, 1e-6}) {
        latitudes.push_back(90 - off);
        latitudes.push_back(off - 90);
    }
    const double distances[] = {0.001, 0.01, 0.1, 1, 3, 10, 100, 1000, 5000, 10000};
    Worst worst;
    std::size_t k = 0;
    for (double lat : latitudes)
        for (double azimuth = -180; azimuth < 180; azimuth += 15)
            for (double d : distances) worst.from(lat, std::fmod(37.7 * static_cast<double>(k++), 360.0) - 180, azimuth, d);
    // Across the antimeridian, both ways, at every latitude.
    for (double lat : latitudes)
        for (double d : distances) {
            worst.from(lat, 179.9999, 90, d);
            worst.from(lat, -179.9999, -90, d);
        }
    // Anywhere, log-uniform from 1 mm to 10 km.
    std::mt19937_64 random(24);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 100000; ++i)
        worst.from(180 * unit(random) - 90, 360 * unit(random) - 180, 360 * unit(random) - 180,
                   std::pow(10, 7 * unit(random) - 3));
    std::cout << "worst of " << worst.pairs << " pairs up to 10 km apart: " << worst.metres << " m\n";
    EXPECT_LT(worst.metres, 1e-5);  // what Vincenty's method gives, well inside the millimetre
}

TEST(GeodesicReference, EqualPoints) {
    for (double lat = -90; lat <= 90; lat += 7.5)
        for (double lon = -180; lon <= 180; lon += 22.5) EXPECT_EQ(geodesic_metres(lat, lon, lat, lon), 0);
}

// Farther than a run's points need: within 1 mm up to 19,900 km, and nearly antipodal
// points (where the rounds may not settle) within 0.1 %.
TEST(GeodesicReference, FarApart) {
    std::mt19937_64 random(25);
    std::uniform_real_distribution<double> unit(0, 1);
    Worst worst;
    double worst_share = 0;
    for (int i = 0; i < 100000; ++i) {
        const double lat1 = 180 * unit(random) - 90, lon1 = 360 * unit(random) - 180;
        double lat2 = 180 * unit(random) - 90, lon2 = 360 * unit(random) - 180;
        if (i % 2) {  // within a fifth of a degree of the antipode
            lat2 = std::clamp(-lat1 + 0.4 * unit(random) - 0.2, -90.0, 90.0);
            lon2 = lon1 + 180 + 0.4 * unit(random) - 0.2;
        }
        double expected = 0;
        reference().Inverse(lat1, lon1, lat2, lon2, expected);
        if (expected < 19.9e6) {
            worst.check(lat1, lon1, lat2, lon2);
        } else {
            const double share = std::fabs(geodesic_metres(lat1, lon1, lat2, lon2) - expected) / expected;
            worst_share = std::fmax(worst_share, share);
            ASSERT_LE(share, 1e-3) << lat1 << " " << lon1 << " to " << lat2 << " " << lon2;
        }
    }
    std::cout << "worst of " << worst.pairs << " pairs up to 19,900 km: " << worst.metres
              << " m; nearly antipodal: " << worst_share * 100 << " %\n";
}

}  // namespace
}  // namespace quorran
