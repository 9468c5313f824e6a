#pragma once

// The distance between two points on the WGS84 ellipsoid, along the surface (2-D, as
// watches measure: heights play no part).
namespace quorran {

// WGS84's semi-major axis (metres) and flattening, as the system defines them.
inline constexpr double WGS84_A = 6378137.0;
inline constexpr double WGS84_F = 1 / 298.257223563;

// A point's latitude as the geodesic uses it: its reduced latitude's sine and cosine.
// Made once for each point of a track, it saves two of the three trigonometric
// functions a pair of points would need.
struct ReducedLatitude {
    double sine = 0;
    double cosine = 1;
};
ReducedLatitude reduced_latitude(double latitude_degrees);

// Metres along the shortest path on the ellipsoid between two points given in degrees
// (latitudes within +-90). Vincenty's inverse method: within 0.1 mm of the exact
// geodesic up to 19,900 km apart (tests/geodesic holds it to GeographicLib's). Between
// nearly antipodal points, never two successive points of a run, its rounds may not
// settle; there it gives the great circle of the mean radius, within 0.1 %. NaN in, NaN
// out.
double geodesic_metres(double latitude1, double longitude1, double latitude2, double longitude2);
double geodesic_metres(ReducedLatitude u1, double longitude1, ReducedLatitude u2, double longitude2);

}  // namespace quorran
