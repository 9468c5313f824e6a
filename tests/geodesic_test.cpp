// The geodesic against WGS84's published lengths; tests/geodesic holds it to
// GeographicLib's over many pairs where that library is installed.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/recorded/geodesic.h"

namespace quorran {
namespace {

TEST(Geodesic, PublishedLengths) {
    const double equator_degree = WGS84_A * std::numbers::pi / 180;  // along the equator, a times the angle
    const struct { double lat1, lon1, lat2, lon2, metres; } cases[] = {
        {0, 0, 0, 1, equator_degree},
        {0, 179.9995, 0, -179.9995, equator_degree / 1000},  // across the antimeridian
        {0, -179.9995, 0, 179.9995, equator_degree / 1000},
        {0, 0, 90, 0, 10001965.7293},                         // the quarter meridian
        {90, 0, -90, 0, 20003931.4586},                       // pole to pole
        {-90, 35, -90, -140, 0},                              // the pole, named twice
        {51.4778, -0.0015, 51.4778, -0.0015, 0},
        {0, 0, 0, 360.0005, equator_degree / 2000},           // a longitude beyond 180
    };
    for (const auto& c : cases)
        EXPECT_NEAR(geodesic_metres(c.lat1, c.lon1, c.lat2, c.lon2), c.metres, 1e-3)
            << c.lat1 << " " << c.lon1 << " to " << c.lat2 << " " << c.lon2;
    EXPECT_EQ(geodesic_metres(10, 20, 10, 20), 0);
    EXPECT_TRUE(std::isnan(geodesic_metres(std::nan(""), 0, 1, 1)));
    EXPECT_TRUE(std::isnan(geodesic_metres(0, 0, 1, std::nan(""))));
}

}  // namespace
}  // namespace quorran
