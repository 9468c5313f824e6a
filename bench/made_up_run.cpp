#include "bench/made_up_run.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "core/recorded/fit_reader.h"
#include "core/recorded/utc_time.h"

namespace quorran::bench {
namespace {

using namespace std::chrono;

// The start: 2024-06-22 at 04:00 UTC, in the hills at 46 N, 7.5 E.
const std::int64_t START = duration_cast<seconds>((sys_days{2024y / June / 22} + 4h).time_since_epoch()).count();
constexpr double START_LATITUDE = 46.0;
constexpr double START_LONGITUDE = 7.5;
constexpr double EARTH_RADIUS = 6'371'000.0;  // metres: a sphere is close enough to draw a route
constexpr double DEGREES = 180.0 / std::numbers::pi;

// The runner's speed on the flat at the start and at the end of the day, metres a second.
constexpr double FRESH_SPEED = 2.9;
constexpr double TIRED_SPEED = 2.0;
// The slowest the runner goes, up the steepest climbs, metres a second.
constexpr double SLOWEST_CLIMB = 0.75;
// Below this speed the runner walks (a shorter, slower stride).
constexpr double WALKING_SPEED = 1.9;
// The aid station: from 30 % of the points, 4 minutes standing with the watch recording.
constexpr double AID_STATION_AT = 0.30;
constexpr std::size_t AID_STATION_SECONDS = 240;
// The watch stopped at 65 % of the points, for 7 minutes.
constexpr double WATCH_STOPPED_AT = 0.65;
constexpr std::int64_t WATCH_STOPPED_SECONDS = 420;

// SplitMix64 (Steele, Lea and Flood, 2014): the same numbers from the same seed on every
// platform, which the standard library's distributions do not promise.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }  // [0, 1)
    // About normal, mean 0, standard deviation 1: twelve uniforms less 6.
    double normal() {
        double sum = -6.0;
        for (int i = 0; i < 12; ++i) sum += uniform();
        return sum;
    }

private:
    std::uint64_t next() {
        std::uint64_t z = state_ += 0x9E3779B97F4A7C15u;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    std::uint64_t state_;
};

// The ground's height along the route: long climbs, shorter hills and bumps on them.
double ground(double metres) {
    constexpr double TURN = 2.0 * std::numbers::pi;
    return 1200.0 + 250.0 * std::sin(TURN * metres / 11'000.0) + 70.0 * std::sin(TURN * metres / 2'900.0 + 1.3) +
           18.0 * std::sin(TURN * metres / 740.0 + 0.4);
}

// How much a grade slows a runner, against the flat: Tobler's hiking function, whose
// fastest is on a gentle descent, scaled to 1 on the flat.
double slowing(double grade) { return std::exp(-3.5 * std::fabs(grade + 0.05)) / std::exp(-3.5 * 0.05); }

std::string number(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Little-endian bytes of a FIT field.
void put(std::string& to, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) to += static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace

MadeUpRun make_up_run(std::uint64_t seed, std::size_t points) {
    Random random(seed);
    MadeUpRun run;
    run.points.reserve(points);
    const auto aid_from = static_cast<std::size_t>(AID_STATION_AT * static_cast<double>(points));
    const auto stop_at = static_cast<std::size_t>(WATCH_STOPPED_AT * static_cast<double>(points));
    std::int64_t time = START;
    double metres = 0, speed = 0, heading = 0.7, turning = 0;
    double latitude = START_LATITUDE, longitude = START_LONGITUDE;
    double north_error = 0, east_error = 0, drift = 0;
    double heart_rate = 95;
    for (std::size_t i = 0; i < points; ++i) {
        if (i == 0 || i == stop_at) run.part_starts.push_back(i);
        if (i == stop_at) time += WATCH_STOPPED_SECONDS;
        const double day = static_cast<double>(i) / static_cast<double>(points);
        const bool standing = i >= aid_from && i < aid_from + AID_STATION_SECONDS;
        const double grade = (ground(metres + 1.0) - ground(metres - 1.0)) / 2.0;

        const double wanted = (FRESH_SPEED + (TIRED_SPEED - FRESH_SPEED) * day) * slowing(grade);
        speed = standing ? 0.0 : std::max(SLOWEST_CLIMB, speed + 0.15 * (wanted - speed) + 0.05 * random.normal());
        turning = 0.97 * turning + 0.004 * random.normal();
        heading += turning;
        latitude += speed * std::cos(heading) / EARTH_RADIUS * DEGREES;
        longitude += speed * std::sin(heading) / (EARTH_RADIUS * std::cos(latitude / DEGREES)) * DEGREES;
        metres += speed;
        // The satellites' error wanders slowly, by about a metre (a watch smooths it, so that
        // standing still it drifts by well under 0.5 m a second); the barometer's too.
        north_error = 0.995 * north_error + 0.1 * random.normal();
        east_error = 0.995 * east_error + 0.1 * random.normal();
        drift = 0.999 * drift + 0.05 * random.normal();

        const double effort = speed * (1.0 + 8.0 * std::max(grade, -0.08)) / FRESH_SPEED;
        const double wanted_heart_rate = standing ? 95.0 : 100.0 + 50.0 * std::min(effort, 1.4) + 12.0 * day;
        heart_rate += (wanted_heart_rate - heart_rate) / 25.0 + 0.3 * random.normal();
        const double strides = standing ? 0.0
                               : speed >= WALKING_SPEED ? 80.0 + 5.0 * (speed - 2.5) + random.normal()
                                                        : 52.0 + 3.0 * speed + random.normal();

        MadeUpPoint p;
        p.time = time++;
        p.latitude = latitude + north_error / EARTH_RADIUS * DEGREES;
        p.longitude = longitude + east_error / (EARTH_RADIUS * std::cos(latitude / DEGREES)) * DEGREES;
        p.altitude = ground(metres) + drift;
        p.distance = metres;
        p.heart_rate = static_cast<int>(std::lround(heart_rate));
        p.strides = static_cast<int>(std::lround(strides));
        run.points.push_back(p);
    }
    return run;
}

std::string gpx_of(const MadeUpRun& run) {
    std::string gpx;
    gpx.reserve(run.points.size() * 240 + 1024);
    gpx += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gpx version=\"1.1\" creator=\"quorran bench/made_up_run\" xmlns=\"http://www.topografix.com/GPX/1/1\"\n"
           "     xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\"\n"
           "     xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
           "     xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd\">\n";
    if (!run.points.empty())
        gpx += " <metadata><time>" + utc_time_text(static_cast<double>(run.points[0].time), 0) + "</time></metadata>\n";
    gpx += " <trk>\n  <name>A long day on the trails</name>\n  <type>running</type>\n";
    std::size_t part = 0;
    for (std::size_t i = 0; i < run.points.size(); ++i) {
        if (part < run.part_starts.size() && run.part_starts[part] == i) {
            if (part++ > 0) gpx += "  </trkseg>\n";
            gpx += "  <trkseg>\n";
        }
        const MadeUpPoint& p = run.points[i];
        gpx += "   <trkpt lat=\"" + number("%.7f", p.latitude) + "\" lon=\"" + number("%.7f", p.longitude) +
               "\"><ele>" + number("%.1f", p.altitude) + "</ele><time>" +
               utc_time_text(static_cast<double>(p.time), 0) +
               "</time><extensions><gpxtpx:TrackPointExtension><gpxtpx:hr>" + std::to_string(p.heart_rate) +
               "</gpxtpx:hr><gpxtpx:cad>" + std::to_string(p.strides) +
               "</gpxtpx:cad></gpxtpx:TrackPointExtension></extensions></trkpt>\n";
    }
    if (!run.part_starts.empty()) gpx += "  </trkseg>\n";
    gpx += " </trk>\n</gpx>\n";
    return gpx;
}

std::string tcx_of(const MadeUpRun& run) {
    std::string tcx;
    tcx.reserve(run.points.size() * 400 + 1024);
    tcx += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<TrainingCenterDatabase xmlns=\"http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2\"\n"
           "    xmlns:ns3=\"http://www.garmin.com/xmlschemas/ActivityExtension/v2\">\n"
           " <Activities>\n  <Activity Sport=\"Running\">\n";
    if (run.points.empty()) return tcx + "  </Activity>\n </Activities>\n</TrainingCenterDatabase>\n";
    const auto time = [&](std::size_t i) { return utc_time_text(static_cast<double>(run.points[i].time), 0); };
    tcx += "   <Id>" + time(0) + "</Id>\n";
    for (std::size_t part = 0; part < run.part_starts.size(); ++part) {
        const std::size_t first = run.part_starts[part];
        const std::size_t end = part + 1 < run.part_starts.size() ? run.part_starts[part + 1] : run.points.size();
        const MadeUpPoint& last = run.points[end - 1];
        tcx += "   <Lap StartTime=\"" + time(first) + "\">\n    <TotalTimeSeconds>" +
               std::to_string(last.time - run.points[first].time) + "</TotalTimeSeconds>\n    <DistanceMeters>" +
               number("%.1f", last.distance - run.points[first].distance) +
               "</DistanceMeters>\n    <Calories>0</Calories>\n    <Intensity>Active</Intensity>\n"
               "    <TriggerMethod>Manual</TriggerMethod>\n    <Track>\n";
        for (std::size_t i = first; i < end; ++i) {
            const MadeUpPoint& p = run.points[i];
            tcx += "     <Trackpoint><Time>" + time(i) + "</Time><Position><LatitudeDegrees>" +
                   number("%.7f", p.latitude) + "</LatitudeDegrees><LongitudeDegrees>" + number("%.7f", p.longitude) +
                   "</LongitudeDegrees></Position><AltitudeMeters>" + number("%.1f", p.altitude) +
                   "</AltitudeMeters><DistanceMeters>" + number("%.2f", p.distance) +
                   "</DistanceMeters><HeartRateBpm><Value>" + std::to_string(p.heart_rate) +
                   "</Value></HeartRateBpm><Extensions><ns3:TPX><ns3:RunCadence>" + std::to_string(p.strides) +
                   "</ns3:RunCadence></ns3:TPX></Extensions></Trackpoint>\n";
        }
        tcx += "    </Track>\n   </Lap>\n";
    }
    tcx += "  </Activity>\n </Activities>\n</TrainingCenterDatabase>\n";
    return tcx;
}

std::string fit_of(const MadeUpRun& run) {
    // 1989-12-31T00:00:00Z, where FIT's times count from.
    constexpr std::int64_t FIT_EPOCH = 631065600;
    const auto fit_time = [&](std::size_t i) { return static_cast<std::uint64_t>(run.points[i].time - FIT_EPOCH); };
    constexpr double SEMICIRCLES_PER_DEGREE = 2147483648.0 / 180.0;
    enum : std::uint8_t { ENUM = 0x00, UINT8 = 0x02, UINT16 = 0x84, SINT32 = 0x85, UINT32 = 0x86 };
    enum : std::uint8_t { TIMER = 0, START = 0, STOP = 1, STOP_ALL = 4, ACTIVITY = 4, RUNNING = 1 };
    struct Field {
        std::uint8_t number, size, type;
    };
    std::string messages;
    const auto define = [&](int local, int message, std::initializer_list<Field> fields) {
        messages += static_cast<char>(0x40 | local);
        messages += '\0';  // reserved
        messages += '\0';  // little-endian
        put(messages, static_cast<std::uint64_t>(message), 2);
        messages += static_cast<char>(fields.size());
        for (const Field& f : fields) messages += {static_cast<char>(f.number), static_cast<char>(f.size), static_cast<char>(f.type)};
    };
    const auto event = [&](std::uint64_t time, std::uint8_t type) {
        messages += '\x01';
        put(messages, time, 4);
        put(messages, TIMER, 1);
        put(messages, type, 1);
    };
    if (run.points.empty()) return {};
    const std::size_t last = run.points.size() - 1;

    define(0, 0, {{0, 1, ENUM}, {1, 2, UINT16}, {4, 4, UINT32}});  // file_id: type, manufacturer, time_created
    messages += '\0';
    put(messages, ACTIVITY, 1);
    put(messages, 255, 2);  // manufacturer: development
    put(messages, fit_time(0), 4);
    define(1, 21, {{253, 4, UINT32}, {0, 1, ENUM}, {1, 1, ENUM}});  // event: time, event, event_type
    event(fit_time(0), START);
    // record: time, latitude, longitude, altitude, heart rate, cadence, distance
    define(2, 20, {{253, 4, UINT32}, {0, 4, SINT32}, {1, 4, SINT32}, {2, 2, UINT16}, {3, 1, UINT8}, {4, 1, UINT8}, {5, 4, UINT32}});
    std::size_t part = 1;
    for (std::size_t i = 0; i <= last; ++i) {
        if (part < run.part_starts.size() && run.part_starts[part] == i) {
            event(fit_time(i - 1), STOP);
            event(fit_time(i), START);
            ++part;
        }
        const MadeUpPoint& p = run.points[i];
        messages += '\x02';
        put(messages, fit_time(i), 4);
        put(messages, static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(p.latitude * SEMICIRCLES_PER_DEGREE))), 4);
        put(messages, static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(p.longitude * SEMICIRCLES_PER_DEGREE))), 4);
        put(messages, static_cast<std::uint64_t>(std::lround((p.altitude + 500.0) * 5.0)), 2);
        put(messages, static_cast<std::uint64_t>(p.heart_rate), 1);
        put(messages, static_cast<std::uint64_t>(p.strides), 1);
        put(messages, static_cast<std::uint64_t>(std::llround(p.distance * 100.0)), 4);
    }
    event(fit_time(last), STOP_ALL);
    // lap and session: time, start time, elapsed time (ms), sport
    const std::uint64_t elapsed_ms = (fit_time(last) - fit_time(0)) * 1000;
    define(3, 19, {{253, 4, UINT32}, {2, 4, UINT32}, {7, 4, UINT32}, {25, 1, ENUM}});
    define(4, 18, {{253, 4, UINT32}, {2, 4, UINT32}, {7, 4, UINT32}, {5, 1, ENUM}});
    for (const char local : {'\x03', '\x04'}) {
        messages += local;
        put(messages, fit_time(last), 4);
        put(messages, fit_time(0), 4);
        put(messages, elapsed_ms, 4);
        put(messages, RUNNING, 1);
    }

    std::string file{'\x0E', '\x20'};  // a header of 14 bytes, protocol 2.0
    put(file, 2132, 2);                 // profile 21.32
    put(file, messages.size(), 4);
    file += ".FIT";
    put(file, fit_crc(file), 2);
    file += messages;
    put(file, fit_crc(file), 2);
    return file;
}

}  // namespace quorran::bench
