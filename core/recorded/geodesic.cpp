#include "core/recorded/geodesic.h"

#include <cmath>
#include <numbers>

namespace quorran {

namespace {

constexpr double RADIANS_PER_DEGREE = std::numbers::pi / 180;
constexpr double WGS84_B = WGS84_A * (1 - WGS84_F);  // the semi-minor axis
// The mean radius of the ellipsoid, (2a + b) / 3: the sphere of the fallback.
constexpr double MEAN_RADIUS = (2 * WGS84_A + WGS84_B) / 3;
// The longitude on the auxiliary sphere is found again until it moves by less than this
// (radians). The arc is measured from the value before the last move, so a move of this
// is 0.6 micrometres on the ground; a run's points take three or four rounds.
constexpr double LAMBDA_TOLERANCE = 1e-13;
// Between nearly antipodal points the rounds swing instead of settling; past this many
// the pair is left to the sphere.
constexpr int MAX_ROUNDS = 200;

// The great circle between two points on the sphere of the mean radius (haversine).
double great_circle_metres(double latitude1, double latitude2, double lambda) {
    const double p1 = latitude1 * RADIANS_PER_DEGREE;
    const double p2 = latitude2 * RADIANS_PER_DEGREE;
    const double h = std::pow(std::sin((p2 - p1) / 2), 2) +
                     std::cos(p1) * std::cos(p2) * std::pow(std::sin(lambda / 2), 2);
    return 2 * MEAN_RADIUS * std::asin(std::sqrt(std::fmin(h, 1.0)));
}

}  // namespace

ReducedLatitude reduced_latitude(double latitude_degrees) {
    // tan U = (1 - f) tan latitude, written with the sine and cosine so that the poles
    // (where the tangent has no value) come out as they should.
    const double phi = latitude_degrees * RADIANS_PER_DEGREE;
    const double s = (1 - WGS84_F) * std::sin(phi);
    const double c = std::cos(phi);
    const double r = std::sqrt(s * s + c * c);
    return {s / r, c / r};
}

double geodesic_metres(ReducedLatitude u1, double longitude1, ReducedLatitude u2, double longitude2) {
    // The difference of longitude the short way round, across the antimeridian too
    // (the remainder only for longitudes beyond +-180, as it costs more than the rest).
    double difference = longitude2 - longitude1;
    if (std::fabs(difference) > 180) difference = std::remainder(difference, 360.0);
    const double lambda0 = difference * RADIANS_PER_DEGREE;
    if (std::isnan(lambda0 + u1.sine + u2.sine)) return std::nan("");

    // Vincenty (1975): the longitude on the auxiliary sphere, lambda, is corrected until
    // it settles. It starts as the difference of longitude on the ellipsoid, L; for a
    // line shorter than a quarter turn (a run's points, always) as L stretched by the
    // first-order correction of a short line, L / (1 - f cos U1 cos U2), which saves a
    // round. Near the antipode that start would overshoot and swing.
    double lambda = std::fabs(lambda0) < std::numbers::pi / 2 ? lambda0 / (1 - WGS84_F * u1.cosine * u2.cosine) : lambda0;
    double sin_sigma = 0, cos_sigma = 0, sigma = 0, cos2_alpha = 0, cos_2sigma_m = 0;
    bool settled = false;
    for (int round = 0; round < MAX_ROUNDS && !settled; ++round) {
        const double sin_lambda = std::sin(lambda);
        const double cos_lambda = std::cos(lambda);
        const double east = u2.cosine * sin_lambda;
        const double north = u1.cosine * u2.sine - u1.sine * u2.cosine * cos_lambda;
        sin_sigma = std::sqrt(east * east + north * north);
        if (sin_sigma == 0) return 0.0;  // the same point
        cos_sigma = u1.sine * u2.sine + u1.cosine * u2.cosine * cos_lambda;
        sigma = std::atan2(sin_sigma, cos_sigma);
        const double sin_alpha = u1.cosine * u2.cosine * sin_lambda / sin_sigma;
        cos2_alpha = 1 - sin_alpha * sin_alpha;
        // Along the equator (cos^2 alpha = 0) the midpoint term is 0.
        cos_2sigma_m = cos2_alpha == 0 ? 0 : cos_sigma - 2 * u1.sine * u2.sine / cos2_alpha;
        const double c = WGS84_F / 16 * cos2_alpha * (4 + WGS84_F * (4 - 3 * cos2_alpha));
        const double previous = lambda;
        lambda = lambda0 + (1 - c) * WGS84_F * sin_alpha *
                               (sigma + c * sin_sigma * (cos_2sigma_m + c * cos_sigma * (-1 + 2 * cos_2sigma_m * cos_2sigma_m)));
        settled = std::fabs(lambda - previous) <= LAMBDA_TOLERANCE;
        if (std::fabs(lambda) > std::numbers::pi) break;  // swinging past the antipode
    }
    if (!settled) {
        const double latitude1 = std::atan2(u1.sine, (1 - WGS84_F) * u1.cosine) / RADIANS_PER_DEGREE;
        const double latitude2 = std::atan2(u2.sine, (1 - WGS84_F) * u2.cosine) / RADIANS_PER_DEGREE;
        return great_circle_metres(latitude1, latitude2, lambda0);
    }

    // The length of the arc sigma on the auxiliary sphere, mapped to the ellipsoid.
    const double u_squared = cos2_alpha * (WGS84_A * WGS84_A - WGS84_B * WGS84_B) / (WGS84_B * WGS84_B);
    const double a = 1 + u_squared / 16384 * (4096 + u_squared * (-768 + u_squared * (320 - 175 * u_squared)));
    const double b = u_squared / 1024 * (256 + u_squared * (-128 + u_squared * (74 - 47 * u_squared)));
    const double m2 = cos_2sigma_m * cos_2sigma_m;
    const double delta_sigma =
        b * sin_sigma *
        (cos_2sigma_m + b / 4 * (cos_sigma * (-1 + 2 * m2) - b / 6 * cos_2sigma_m * (-3 + 4 * sin_sigma * sin_sigma) * (-3 + 4 * m2)));
    return WGS84_B * a * (sigma - delta_sigma);
}

double geodesic_metres(double latitude1, double longitude1, double latitude2, double longitude2) {
    return geodesic_metres(reduced_latitude(latitude1), longitude1, reduced_latitude(latitude2), longitude2);
}

}  // namespace quorran
