// The readers of recorded runs, apart from any XML parser: FIT against the records the
// sample files hold, FIT files made here for each rule of the format, the rules every
// reader shares, times, the format found from the content, and the run's text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "core/recorded/fit_reader.h"
#include "core/recorded/last_reading.h"
#include "core/recorded/read_run.h"
#include "core/recorded/run_builder.h"
#include "core/recorded/run_text.h"
#include "core/recorded/utc_time.h"
#include "core/recorded/xml_run_reader.h"
#include "tests/embedded_files.h"

namespace quorran {
namespace {

using testing::embedded_file;
using Bytes = std::string;

constexpr double FIT_EPOCH = 631065600.0;  // 1989-12-31T00:00:00Z

std::vector<std::vector<std::string>> csv_rows(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines{std::string(text)};
    std::string line;
    std::getline(lines, line);  // the column names
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::istringstream in(line);
        for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

// "Sun Jun 11 07:34:09 PDT 2017", Pacific daylight time.
double pacific_time(const std::string& text) {
    const std::string months = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const int month = static_cast<int>(months.find(text.substr(4, 3))) / 3 + 1;
    const std::string iso = text.substr(24, 4) + "-" + (month < 10 ? "0" : "") + std::to_string(month) + "-" +
                            text.substr(8, 2) + "T" + text.substr(11, 8) + "-07:00";
    return read_utc_time(iso).value();
}

TEST(FitReader, TheWatchesRecordsAreReadAsTheirCsvGivesThem) {
    // Tolerances: a unit of each field's last stored digit (tests/runs/fit/SOURCE.md).
    for (const std::string name : {"garmin-fenix-5-run", "garmin-fenix-5-walk"}) {
        const RunReading reading = read_fit(embedded_file("fit/" + name + ".fit"));
        ASSERT_TRUE(reading.run) << name;
        const auto rows = csv_rows(embedded_file("fit/" + name + "-records.csv"));
        ASSERT_EQ(reading.run->points.size(), rows.size()) << name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const RunPoint& p = reading.run->points[i];
            const auto& r = rows[i];
            SCOPED_TRACE(name + " record " + std::to_string(i));
            EXPECT_EQ(p.time, pacific_time(r[0]));
            EXPECT_EQ(p.heart_rate, std::stod(r[1]));
            // Cadence counts strides, with a fraction the CSV leaves out: steps are twice it.
            EXPECT_GE(p.cadence / 2, std::stod(r[2]));
            EXPECT_LT(p.cadence / 2, std::stod(r[2]) + 1);
            EXPECT_NEAR(p.speed, std::stod(r[3]), 0.001);
            EXPECT_NEAR(p.distance, std::stod(r[4]), 0.01);
            EXPECT_NEAR(p.latitude, std::stod(r[5]) * 180 / 2147483648.0, 1e-7);
            EXPECT_NEAR(p.longitude, std::stod(r[6]) * 180 / 2147483648.0, 1e-7);
            EXPECT_NEAR(p.altitude, std::stod(r[7]), 0.2);
        }
    }
    const RunReading reading = read_fit(embedded_file("fit/compressed-speed-distance.fit"));
    ASSERT_TRUE(reading.run);
    const auto rows = csv_rows(embedded_file("fit/compressed-speed-distance-records.csv"));
    ASSERT_EQ(reading.run->points.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RunPoint& p = reading.run->points[i];
        const auto& r = rows[i];
        SCOPED_TRACE("compressed record " + std::to_string(i));
        EXPECT_EQ(p.time, FIT_EPOCH + std::stod(r[0]));
        EXPECT_EQ(p.heart_rate, std::stod(r[1]));
        EXPECT_NEAR(p.speed, std::stod(r[2]), 0.01);
        EXPECT_NEAR(p.distance, std::stod(r[3]), 1 / 16.0);
        if (r[4] == "null") EXPECT_TRUE(std::isnan(p.cadence));
        else EXPECT_EQ(p.cadence, 2 * std::stod(r[4]));
    }
}

TEST(FitReader, EachSampleGivesItsExpectedRun) {
    for (const auto& file : testing::embedded_files()) {
        if (!file.name.starts_with("fit/") || !file.name.ends_with(".fit")) continue;
        const std::string name(file.name.substr(4));
        EXPECT_EQ(reading_text(read_fit(file.bytes)), embedded_file("expected/" + name + ".txt")) << name;
    }
}

// FIT files made here, message by message.
Bytes le(std::uint64_t value, int size) {
    Bytes bytes;
    for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    return bytes;
}
Bytes be(std::uint64_t value, int size) {
    Bytes bytes = le(value, size);
    return {bytes.rbegin(), bytes.rend()};
}

struct FieldSpec {
    int number, size, base_type;
};

Bytes definition(int local, int message, const std::vector<FieldSpec>& fields, bool big = false,
                 const std::vector<int>& developer_sizes = {}) {
    Bytes d{static_cast<char>(0x40 | (developer_sizes.empty() ? 0 : 0x20) | local), 0, static_cast<char>(big)};
    d += big ? be(message, 2) : le(message, 2);
    d += static_cast<char>(fields.size());
    for (const auto& f : fields) d += {static_cast<char>(f.number), static_cast<char>(f.size), static_cast<char>(f.base_type)};
    if (!developer_sizes.empty()) {
        d += static_cast<char>(developer_sizes.size());
        for (const int size : developer_sizes) d += {7, static_cast<char>(size), 0};
    }
    return d;
}

Bytes data(int local, const Bytes& content) { return static_cast<char>(local) + content; }
Bytes compressed(int local, int offset, const Bytes& content) {
    return static_cast<char>(0x80 | local << 5 | offset) + content;
}

// Header (with its CRC when 14 bytes long), messages, file CRC.
Bytes fit_file(const Bytes& messages, int header_size = 14, std::uint8_t protocol = 0x20) {
    Bytes file{static_cast<char>(header_size), static_cast<char>(protocol)};
    file += le(2132, 2) + le(messages.size(), 4) + ".FIT";
    if (header_size == 14) file += le(fit_crc(file), 2);
    file += messages;
    return file + le(fit_crc(file), 2);
}

// A record of time, position, altitude, heart rate, cadence, distance and speed.
const std::vector<FieldSpec> RECORD_FIELDS{{253, 4, 0x86}, {0, 4, 0x85}, {1, 4, 0x85}, {2, 2, 0x84},
                                           {3, 1, 0x02},   {4, 1, 0x02}, {5, 4, 0x86}, {6, 2, 0x84}};
Bytes record(std::uint32_t time, std::int32_t lat, std::int32_t lon, int altitude, int hr, int cadence, std::uint32_t distance,
             int speed, bool big = false) {
    const auto put = [big](std::uint64_t v, int size) { return big ? be(v, size) : le(v, size); };
    return put(time, 4) + put(static_cast<std::uint32_t>(lat), 4) + put(static_cast<std::uint32_t>(lon), 4) + put(altitude, 2) +
           put(hr, 1) + put(cadence, 1) + put(distance, 4) + put(speed, 2);
}
constexpr std::uint32_t T0 = 1'000'000'000;  // 2021-09-08T01:46:40Z, FIT time
const Bytes ONE_RECORD = definition(0, 20, RECORD_FIELDS) + data(0, record(T0, 1 << 29, -(1 << 29), 3000, 150, 85, 12345, 3210));

RunPoint only_point(const Bytes& file) {
    const RunReading reading = read_fit(file);
    EXPECT_TRUE(reading.run) << reading.refusal.message();
    if (!reading.run || reading.run->points.size() != 1) return {};
    return reading.run->points[0];
}

TEST(FitReader, ReadsARecordsFieldsWithTheirScalesInEitherByteOrder) {
    for (const bool big : {false, true}) {
        const RunPoint p = only_point(fit_file(definition(0, 20, RECORD_FIELDS, big) +
                                               data(0, record(T0, 1 << 29, -(1 << 29), 3000, 150, 85, 12345, 3210, big))));
        EXPECT_EQ(p.time, FIT_EPOCH + T0);
        EXPECT_EQ(p.latitude, 45.0);    // a quarter of 2^31 semicircles
        EXPECT_EQ(p.longitude, -45.0);
        EXPECT_EQ(p.altitude, 100.0);   // 3000 / 5 - 500
        EXPECT_EQ(p.heart_rate, 150.0);
        EXPECT_EQ(p.cadence, 170.0);    // strides doubled
        EXPECT_EQ(p.distance, 123.45);
        EXPECT_EQ(p.speed, 3.21);
        EXPECT_TRUE(std::isnan(p.power));
    }
    // Invalid values are not recorded ones; half a position is none.
    const RunPoint none = only_point(fit_file(definition(0, 20, RECORD_FIELDS) +
                                              data(0, record(T0, 0x7FFFFFFF, 5, 0xFFFF, 0xFF, 0xFF, 0xFFFFFFFF, 0xFFFF))));
    EXPECT_TRUE(std::isnan(none.latitude) && std::isnan(none.longitude) && std::isnan(none.altitude) &&
                std::isnan(none.heart_rate) && std::isnan(none.cadence) && std::isnan(none.distance) && std::isnan(none.speed));
    // A time of another base type than its own, out of a time's range, is none.
    const double far = 1e30;
    std::uint64_t far_bits;
    std::memcpy(&far_bits, &far, sizeof far);
    EXPECT_TRUE(std::isnan(only_point(fit_file(definition(0, 20, {{253, 8, 0x89}, {3, 1, 0x02}}) + data(0, le(far_bits, 8) + le(150, 1)))).time));
    // The enhanced fields win over the plain ones; a fractional cadence adds 1/128ths; power.
    const RunPoint enhanced = only_point(fit_file(
        definition(0, 20, {{253, 4, 0x86}, {2, 2, 0x84}, {78, 4, 0x86}, {6, 2, 0x84}, {73, 4, 0x86}, {4, 1, 0x02}, {53, 1, 0x02}, {7, 2, 0x84}}) +
        data(0, le(T0, 4) + le(3000, 2) + le(102'500, 4) + le(1000, 2) + le(12'345'678, 4) + le(80, 1) + le(64, 1) + le(275, 2))));
    EXPECT_EQ(enhanced.altitude, 20000.0);
    EXPECT_EQ(enhanced.speed, 12345.678);
    EXPECT_EQ(enhanced.cadence, 161.0);
    EXPECT_EQ(enhanced.power, 275.0);
}

TEST(FitReader, CompressedSpeedAndDistanceAddUpAcrossTheDistancesRollOver) {
    const auto packed = [](int speed, int distance) { return le(speed | distance << 12, 3); };
    const Bytes messages = definition(0, 20, {{253, 4, 0x86}, {8, 3, 0x0D}}) + data(0, le(T0, 4) + packed(354, 4000)) +
                           data(0, le(T0 + 1, 4) + packed(355, 100)) + data(0, le(T0 + 2, 4) + le(0xFFFFFF, 3)) +
                           data(0, le(T0 + 3, 4) + packed(0, 100));
    const RunReading reading = read_fit(fit_file(messages));
    ASSERT_TRUE(reading.run);
    const auto& p = reading.run->points;
    ASSERT_EQ(p.size(), 3u);  // the record with nothing valid is none
    EXPECT_EQ(p[0].distance, 250.0);          // 4000 / 16
    EXPECT_EQ(p[0].speed, 3.54);
    EXPECT_EQ(p[1].distance, 262.25);         // + (100 - 4000) mod 4096 sixteenths
    EXPECT_EQ(p[2].distance, 262.25);
    EXPECT_EQ(p[2].speed, 0.0);
}

TEST(FitReader, CompressedTimestampsCountFromTheLastFullTime) {
    // The offset is the time's lowest five bits: below the last time's, it has rolled over.
    const std::uint32_t last = T0 + 0x1E - T0 % 32;  // its lowest five bits are 30
    const Bytes hr_only = definition(1, 20, {{3, 1, 0x02}});
    for (const auto& [offset, expected] : {std::pair{30, last}, {31, last + 1}, {29, last + 31}, {0, last + 2}}) {
        const Bytes messages = definition(0, 20, {{253, 4, 0x86}, {3, 1, 0x02}}) + data(0, le(last, 4) + le(100, 1)) + hr_only +
                               compressed(1, offset, le(101, 1));
        const RunReading reading = read_fit(fit_file(messages));
        ASSERT_TRUE(reading.run);
        EXPECT_EQ(reading.run->points.back().time, FIT_EPOCH + expected) << offset;
    }
    EXPECT_EQ(read_fit(fit_file(definition(1, 20, {{3, 1, 0x02}}) + compressed(1, 3, le(101, 1)))).refusal.message(),
              "byte 23: a message with a time offset comes before any full time");
}

TEST(FitReader, SkipsDeveloperFieldsAndOtherMessages) {
    const Bytes messages = definition(2, 20, RECORD_FIELDS, false, {3, 2}) +
                           data(2, record(T0, 0, 0, 2500, 140, 80, 100, 1000) + "abcde") +
                           definition(3, 23, {{2, 2, 0x84}, {27, 20, 0x07}}) + data(3, le(7, 2) + Bytes(20, 'x')) +
                           data(2, record(T0 + 1, 0, 0, 2500, 141, 80, 200, 1000) + "fghij");
    const RunReading reading = read_fit(fit_file(messages));
    ASSERT_TRUE(reading.run);
    ASSERT_EQ(reading.run->points.size(), 2u);
    EXPECT_EQ(reading.run->points[1].heart_rate, 141.0);
    EXPECT_EQ(reading.run->points[1].distance, 2.0);
}

TEST(FitReader, TimerEventsGiveTheStops) {
    const auto event = [](std::uint32_t time, int kind, int type) { return data(1, le(time, 4) + le(kind, 1) + le(type, 1)); };
    const Bytes messages = definition(0, 20, RECORD_FIELDS) + definition(1, 21, {{253, 4, 0x86}, {0, 1, 0x00}, {1, 1, 0x00}}) +
                           event(T0, 0, 0) + data(0, record(T0, 0, 0, 2500, 140, 80, 100, 1000)) +
                           event(T0 + 10, 0, 1) + event(T0 + 11, 0, 4) + event(T0 + 20, 0, 0) +  // stop, stop all, start
                           event(T0 + 25, 3, 1) +                                              // not the timer's
                           event(T0 + 30, 0, 9) + event(T0 + 40, 0, 0) + event(T0 + 50, 0, 8);
    const RunReading reading = read_fit(fit_file(messages));
    ASSERT_TRUE(reading.run);
    const auto& stops = reading.run->timer_stops;
    ASSERT_EQ(stops.size(), 3u);
    EXPECT_EQ(stops[0].stopped, FIT_EPOCH + T0 + 10);
    EXPECT_EQ(stops[0].started, FIT_EPOCH + T0 + 20);
    EXPECT_EQ(stops[1].stopped, FIT_EPOCH + T0 + 30);
    EXPECT_EQ(stops[1].started, FIT_EPOCH + T0 + 40);
    EXPECT_EQ(stops[2].stopped, FIT_EPOCH + T0 + 50);
    EXPECT_TRUE(std::isnan(stops[2].started));
}

TEST(FitReader, CadenceIsStepsOnlyForActivitiesOnFoot) {
    const Bytes point = definition(0, 20, RECORD_FIELDS) + data(0, record(T0, 0, 0, 2500, 140, 80, 100, 1000)) +
                        data(0, record(T0 + 100, 0, 0, 2500, 140, 81, 100, 1000));
    const auto session = [](int sport, std::uint32_t start, std::uint32_t elapsed_ms) {
        return definition(1, 18, {{2, 4, 0x86}, {7, 4, 0x86}, {5, 1, 0x00}}) + data(1, le(start, 4) + le(elapsed_ms, 4) + le(sport, 1));
    };
    const auto sport_message = [](int sport) { return definition(2, 12, {{0, 1, 0x00}}) + data(2, le(sport, 1)); };
    const struct {
        Bytes more;
        double first, second;
        const char* note;
    } cases[] = {
        {"", 160, 162, nullptr},                        // the sport unsaid
        {sport_message(1), 160, 162, nullptr},          // running
        {sport_message(11), 160, 162, nullptr},         // walking
        {sport_message(17), 160, 162, nullptr},         // hiking
        {sport_message(2), NAN, NAN, "cadence left out: the activity (FIT sport 2) is not on foot, so its cadence counts no steps"},
        // A run then a ride: each record takes its session's sport, its last second included.
        {session(1, T0, 99'000) + session(2, T0 + 99, 100'000), 160, NAN, "cadence left out: the activity (FIT sport 2) is not on foot, so its cadence counts no steps"},
        {session(1, T0, 100'000) + session(2, T0 + 100, 100'000), 160, 162, nullptr},
    };
    for (const auto& c : cases) {
        const RunReading reading = read_fit(fit_file(point + c.more));
        ASSERT_TRUE(reading.run);
        const auto& p = reading.run->points;
        EXPECT_TRUE(p[0].cadence == c.first || (std::isnan(c.first) && std::isnan(p[0].cadence))) << p[0].cadence;
        EXPECT_TRUE(p[1].cadence == c.second || (std::isnan(c.second) && std::isnan(p[1].cadence))) << p[1].cadence;
        EXPECT_EQ(reading.run->reading_notes, c.note ? std::vector<std::string>{c.note} : std::vector<std::string>{});
    }
}

TEST(FitReader, ChainedFilesFollowEachOtherEachWithItsOwnDefinitions) {
    const Bytes second = definition(0, 20, RECORD_FIELDS) + data(0, record(T0 + 5, 0, 0, 2500, 141, 80, 100, 1000));
    const Bytes settings = definition(0, 0, {{0, 1, 0x00}}) + data(0, le(2, 1)) + definition(0, 20, RECORD_FIELDS) +
                           data(0, record(T0 + 9, 0, 0, 2500, 142, 80, 100, 1000));
    const RunReading reading = read_fit(fit_file(ONE_RECORD, 12) + fit_file(second) + fit_file(settings));
    ASSERT_TRUE(reading.run);
    EXPECT_EQ(reading.run->points.size(), 2u);  // the settings file's record is no point of the run
    const Bytes first = fit_file(ONE_RECORD);
    EXPECT_EQ(read_fit(first + fit_file(data(0, record(T0 + 5, 0, 0, 2500, 141, 80, 100, 1000)))).refusal.message(),
              "byte " + std::to_string(first.size() + 14) + ": a data message of local type 0 comes before its definition");
}

TEST(FitReader, AFileCutShortGivesWhatItHolds) {
    const Bytes two = definition(0, 20, RECORD_FIELDS) + data(0, record(T0, 0, 0, 2500, 140, 80, 100, 1000)) +
                      data(0, record(T0 + 1, 0, 0, 2500, 141, 80, 200, 1000));
    const Bytes file = fit_file(two);
    const std::size_t length = 23;                        // of a record's message
    const std::size_t second = file.size() - 2 - length;  // where the second record starts
    for (const std::size_t cut : {file.size() - 1, file.size() - 2, second + length, second + length - 1, second + 1, second}) {
        const RunReading reading = read_fit(file.substr(0, cut));
        ASSERT_TRUE(reading.run) << cut;
        const std::size_t points = cut >= second + length ? 2 : 1;
        EXPECT_EQ(reading.run->points.size(), points) << cut;
        EXPECT_EQ(reading.run->reading_notes,
                  std::vector<std::string>{"the file ends early: the points up to byte " +
                                           std::to_string(points == 2 ? second + length : second) + " are read"});
    }
    EXPECT_EQ(read_fit(file.substr(0, 20)).refusal.message(), "byte 20: the file ends early, before any record (a point of the run)");
    const Bytes chained = file + file.substr(0, 10);
    EXPECT_EQ(read_fit(chained).run->reading_notes,
              std::vector<std::string>{"the file ends early: the points up to byte " + std::to_string(file.size()) + " are read"});
}

TEST(FitReader, RefusesWhatItCannotReadSayingWhereAndWhy) {
    const Bytes file = fit_file(ONE_RECORD);
    const auto changed = [&file](std::size_t at, char to) {
        Bytes bytes = file;
        bytes[at] = to;
        return bytes;
    };
    const auto with_file_crc = [](const Bytes& bytes) {
        const Bytes content = bytes.substr(0, bytes.size() - 2);
        return content + le(fit_crc(content), 2);
    };
    const auto with_header_crc = [&](Bytes bytes) { return with_file_crc(bytes.replace(12, 2, le(fit_crc(bytes.substr(0, 12)), 2))); };
    const std::string end = std::to_string(file.size() - 2);
    const struct {
        Bytes bytes;
        std::string message;
    } cases[] = {
        {file.substr(0, 11), "byte 0: the file is too short for a FIT header"},
        {changed(9, 'G'), "byte 0: the FIT header has no \".FIT\" at its bytes 8 to 11: the header is damaged"},
        {with_header_crc(changed(0, 11)), "byte 0: the FIT header gives its size as 11 bytes, less than 12: the header is damaged"},
        {with_header_crc(changed(1, 0x30)), "byte 1: the file uses FIT protocol 3.0, newer than this reader knows (2.x)"},
        {changed(12, static_cast<char>(file[12] ^ 1)), "byte 12: the FIT header's CRC does not match its bytes: the header is damaged"},
        {changed(30, 'x'), "byte " + end + ": the FIT file's CRC does not match its content: the file is damaged"},
        {fit_file(ONE_RECORD.substr(0, 2) + "\x02" + ONE_RECORD.substr(3)),
         "byte 16: a definition message gives its byte order as 2, neither 0 (little-endian) nor 1 (big-endian)"},
        {fit_file(ONE_RECORD.substr(0, ONE_RECORD.size() - 1)), "byte 44: a message runs past the end of the file's data"},
        {fit_file(definition(0, 20, RECORD_FIELDS).substr(0, 10)), "byte 14: a message runs past the end of the file's data"},
        {fit_file(definition(0, 21, {{0, 1, 0}})), "the file holds no records (points of a run)"},
    };
    for (const auto& c : cases) EXPECT_EQ(read_fit(c.bytes).refusal.message(), c.message);
    // A header CRC of 0 is one not computed; a 12-byte header has none.
    EXPECT_TRUE(read_fit(with_file_crc(Bytes(file).replace(12, 2, Bytes(2, '\0')))).run);
    EXPECT_TRUE(read_fit(fit_file(ONE_RECORD, 12)).run);
    RunLimits limits;
    limits.max_points = 1;
    const Bytes two = fit_file(ONE_RECORD + data(0, record(T0 + 1, 0, 0, 2500, 141, 80, 200, 1000)));
    EXPECT_TRUE(read_fit(fit_file(ONE_RECORD), limits).run);
    EXPECT_EQ(read_fit(two, limits).refusal.message(), "byte 67: the file holds more than 1 point");
}

TEST(FitReader, TimesBeforeTheDevicesClockWasSetAreSaidToBeSo) {
    // FIT's times below 0x10000000 count from when the device was switched on.
    for (const std::uint32_t time : {0x0FFFFFFFu, 0x10000000u}) {
        const RunReading reading = read_fit(fit_file(definition(0, 20, RECORD_FIELDS) + data(0, record(time, 0, 0, 2500, 140, 80, 100, 1000))));
        EXPECT_EQ(reading.run->reading_notes.size(), time < 0x10000000u ? 1u : 0u);
    }
}

TEST(FitReader, CrcIsTheOneFitFilesCarry) {
    EXPECT_EQ(fit_crc("123456789"), 0xBB3D);  // CRC-16 with polynomial 0xA001 from 0
    EXPECT_EQ(fit_crc(""), 0);
}

// The rules every reader shares.
RunPoint at(double time, double latitude = NOT_RECORDED, double longitude = NOT_RECORDED) {
    RunPoint p;
    p.time = time, p.latitude = latitude, p.longitude = longitude;
    return p;
}

TEST(RunBuilder, KeepsPositionsWithinRangeOnly) {
    const struct {
        double latitude, longitude;
        bool kept;
    } cases[] = {{90, 180, true},        {-90, -180, true},         {std::nextafter(90.0, 91.0), 0, false},
                 {0, std::nextafter(-180.0, -181.0), false}, {std::nextafter(-90.0, -91.0), 0, false},
                 {0, std::nextafter(180.0, 181.0), false},  {NAN, 5, false}, {5, NAN, false}, {INFINITY, 0, false}};
    RunBuilder builder(RunFormat::Gpx11, 100);
    double time = 0;
    for (const auto& c : cases) builder.add(at(++time, c.latitude, c.longitude));
    const quorran::Run run = builder.finish();
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(!std::isnan(run.points[i].latitude) && !std::isnan(run.points[i].longitude), cases[i].kept) << i;
    EXPECT_EQ(run.reading_notes, (std::vector<std::string>{"2 positions with one coordinate only were dropped",
                                                            "5 positions out of range were dropped"}));
}

TEST(RunBuilder, KeepsTimesInOrderMergingRepeats) {
    RunBuilder builder(RunFormat::Tcx, 100);
    RunPoint repeat = at(10, 1, 2);
    repeat.heart_rate = 140, repeat.altitude = 7;
    RunPoint first = at(10);
    first.altitude = 5;
    builder.add(at(5));
    builder.add(first);
    builder.add(repeat);               // fills what the point at 10 s lacks
    builder.add(at(std::nextafter(10.0, 0.0)));  // earlier: dropped
    builder.start_part();
    builder.add(at(10));               // a part's first point keeps its place
    builder.add(at(11));
    const quorran::Run run = builder.finish();
    ASSERT_EQ(run.points.size(), 4u);
    EXPECT_EQ(run.points[1].latitude, 1);
    EXPECT_EQ(run.points[1].heart_rate, 140);
    EXPECT_EQ(run.points[1].altitude, 5);
    EXPECT_EQ(run.part_starts, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(run.reading_notes, (std::vector<std::string>{"1 point earlier than the point before it was dropped",
                                                            "1 point at the same time as the point before it was merged into it"}));
}

// The room made for a document's points follows its size, but never past the limit: a
// size beyond any run asks for no more memory than the limit's points.
TEST(RunBuilder, MakesRoomForNoMoreThanItsLimit) {
    RunBuilder builder(RunFormat::Gpx11, 3, std::numeric_limits<std::size_t>::max());
    EXPECT_TRUE(builder.add(at(1)));
    EXPECT_EQ(builder.finish().points.size(), 1u);
}

TEST(RunBuilder, DropsPointsWithoutTimesOnlyAmongTimedOnes) {
    RunBuilder timeless(RunFormat::Gpx11, 100);
    timeless.add(at(NAN, 1, 1));
    timeless.start_part();
    timeless.add(at(NAN, 1, 2));
    const quorran::Run kept = timeless.finish();
    EXPECT_EQ(kept.points.size(), 2u);
    EXPECT_EQ(kept.part_starts, (std::vector<std::size_t>{0, 1}));
    EXPECT_TRUE(kept.reading_notes.empty());

    RunBuilder mixed(RunFormat::Gpx11, 3);
    mixed.add(at(NAN));
    mixed.add(at(1));
    mixed.start_part();
    mixed.add(at(NAN));
    EXPECT_FALSE(mixed.add(at(2)));  // the fourth point of at most three
    const quorran::Run run = mixed.finish();
    EXPECT_EQ(run.points.size(), 1u);
    EXPECT_EQ(run.part_starts, (std::vector<std::size_t>{0}));
    EXPECT_EQ(run.reading_notes, std::vector<std::string>{"2 points without a time were dropped (the others have times)"});
}

TEST(UtcTime, ReadsXmlDateAndTimeToTheNanosecond) {
    const double may = 1714546800;  // 2024-05-01T07:00:00Z
    const struct {
        const char* text;
        double seconds;
    } readable[] = {
        {"2024-05-01T07:00:00Z", may},
        {" 2024-05-01T07:00:00.5Z\n", may + 0.5},
        {"2024-05-01T07:00:00.123456789Z", may + 0.123456789},
        {"2024-05-01T07:00:00.1234567891Z", may + 0.123456789},
        {"2024-05-01T07:00:00", may},
        {"2024-05-01T09:30:00+02:30", may},
        {"2024-05-01T00:01:00-06:59", may},
        {"2024-05-01T21:00:00+14:00", may},
        {"2024-02-29T00:00:00Z", 1709164800},
        {"1969-12-31T23:59:59Z", -1},
        {"2024-12-31T23:59:59Z", 1735689599},
    };
    for (const auto& r : readable) EXPECT_EQ(read_utc_time(r.text), r.seconds) << r.text;
    for (const char* text : {"2023-02-29T00:00:00Z", "2024-04-31T00:00:00Z", "2024-13-01T00:00:00Z", "2024-05-01T24:00:00Z",
                             "2024-05-01T07:60:00Z", "2024-05-01T07:00:60Z", "2024-05-01 07:00:00Z", "2024-05-01T07:00:00.Z",
                             "2024-05-01T07:00:00+14:01", "2024-05-01T07:00:00+02:60", "2024-05-01T07:00:00+0200",
                             "2024-05-01T07:00:00ZZ", "2024-05-01T07:00", "24-05-01T07:00:00Z", ""})
        EXPECT_FALSE(read_utc_time(text)) << text;
}

TEST(UtcTime, WritesUtcRoundedToItsDecimals) {
    EXPECT_EQ(utc_time_text(1714546800.0, 3), "2024-05-01T07:00:00.000Z");
    EXPECT_EQ(utc_time_text(1714546799.99951, 3), "2024-05-01T07:00:00.000Z");
    EXPECT_EQ(utc_time_text(1714546799.99949, 3), "2024-05-01T06:59:59.999Z");
    EXPECT_EQ(utc_time_text(-0.5, 0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(utc_time_text(-1.5, 1), "1969-12-31T23:59:58.5Z");
    EXPECT_EQ(utc_time_text(NAN, 3), "-");
    EXPECT_EQ(utc_time_text(1e12, 0), "1000000000000 s");
}

TEST(ReadRun, FindsTheFormatFromTheContent) {
    const Bytes fit = fit_file(ONE_RECORD);
    EXPECT_EQ(read_run(fit, nullptr).run->format, RunFormat::Fit);
    RunLimits limits;
    limits.max_bytes = fit.size();
    EXPECT_TRUE(read_run(fit, nullptr, limits).run);
    limits.max_bytes = fit.size() - 1;
    EXPECT_EQ(read_run(fit, nullptr, limits).refusal.message(),
              "the file is larger than " + std::to_string(fit.size() - 1) + " bytes, the most a run is read from");
    const std::string xml_without_parser = "the file is XML (GPX or TCX), and this program has no XML parser to read it";
    const struct {
        Bytes bytes;
        std::string message;
    } refusals[] = {
        {"", "the file is empty"},
        {"GPX please", "the file is neither FIT (no \".FIT\" at its bytes 8 to 11) nor XML such as GPX or TCX"},
        {" \r\n\t<gpx/>", xml_without_parser},
        {"\xEF\xBB\xBF<gpx/>", xml_without_parser},
        {"\xFF\xFE<\0", xml_without_parser},
        {"\xFE\xFF\0<", xml_without_parser},
        {Bytes("<\0g\0", 4), xml_without_parser},
        {Bytes("\0<\0g", 4), xml_without_parser},
    };
    for (const auto& r : refusals) {
        EXPECT_EQ(read_run(r.bytes, nullptr).refusal.message(), r.message);
        // What a parser is given: the XML documents, each just within the limit and not beside it.
        EXPECT_EQ(read_as_xml(r.bytes), r.message == xml_without_parser) << r.message;
        limits.max_bytes = r.bytes.size();
        EXPECT_EQ(read_as_xml(r.bytes, limits), r.message == xml_without_parser) << r.message;
        limits.max_bytes = r.bytes.size() - 1;
        EXPECT_FALSE(read_as_xml(r.bytes, limits)) << r.message;
    }
    EXPECT_FALSE(read_as_xml(fit));
    // ".FIT" at bytes 8 to 11 makes a FIT file, even one that starts as XML does.
    EXPECT_FALSE(read_as_xml("<gpx/>  .FIT<gpx/>"));
    EXPECT_TRUE(read_as_xml("<gpx/>  ,FIT<gpx/>"));
}

TEST(RunXmlReader, TakesEventsAsAPageWalkingADomTreeGivesThem) {
    // No parser: the events as a driver gives them, texts whole or in pieces, no lines.
    const std::string_view gpx = "http://www.topografix.com/GPX/1/1";
    RunXmlReader reader;
    const XmlAttribute position[] = {{"", "lat", "51.5"}, {"", "lon", "-0.1"}};
    for (const std::string_view element : {"gpx", "trk", "trkseg"}) EXPECT_TRUE(reader.start_element(gpx, element, {}));
    EXPECT_TRUE(reader.start_element(gpx, "trkpt", position));
    EXPECT_TRUE(reader.start_element(gpx, "time", {}));
    EXPECT_TRUE(reader.text("2024-05-01T07:0") && reader.text("0:00Z"));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(reader.end_element());
    const RunReading reading = reader.finish(std::nullopt);
    ASSERT_TRUE(reading.run);
    EXPECT_EQ(run_text(*reading.run), "format GPX 1.1\nparts starting at 0\n1 point: time latitude longitude altitude "
                                      "distance heart_rate cadence power speed\n"
                                      "2024-05-01T07:00:00.000000Z 51.5000000 -0.1000000 - - - - - -\n");
    RunXmlReader stray;
    EXPECT_FALSE(stray.end_element());
    EXPECT_EQ(stray.finish(std::nullopt).refusal.message(), "an element ends that never started");
}

// A parser that counts its parses and reads every document as one point at the minute
// its last byte names, so that a reading tells which bytes it came from.
class CountingParser final : public XmlParser {
public:
    std::optional<XmlStop> parse(std::string_view document, XmlHandler& handler) override {
        ++parses;
        const std::string_view gpx = "http://www.topografix.com/GPX/1/1";
        for (const std::string_view element : {"gpx", "trk", "trkseg", "trkpt", "time"}) handler.start_element(gpx, element, {});
        handler.text("2024-05-01T07:0" + std::string(1, document.back()) + ":00Z");
        for (int i = 0; i < 5; ++i) handler.end_element();
        return std::nullopt;
    }
    int parses = 0;
};

TEST(LastReading, ReadsAFileOnceWhileItsBytesAndParserStayTheSame) {
    CountingParser one, other;
    LastReading last;
    const struct {
        std::string bytes;
        XmlParser* xml;
        int parses;  // of one and other, from the start
        int minute;
    } asked[] = {
        {"<gpx/>1", &one, 1, 1},   {"<gpx/>1", &one, 1, 1},   {"<gpx/>2", &one, 2, 2},  // a byte beside
        {"<gpx/>1", &one, 3, 1},   {"<gpx/>1", &other, 4, 1}, {"<gpx/>1", &other, 4, 1},
        {"<gpx/>11", &other, 5, 1}, {"<gpx/1", &other, 6, 1},                             // longer, shorter
    };
    for (const auto& a : asked) {
        const RunReading& reading = last.read(std::make_shared<const std::string>(a.bytes), a.xml);
        EXPECT_EQ(one.parses + other.parses, a.parses) << a.bytes;
        ASSERT_TRUE(reading.run) << a.bytes;
        const std::string text = run_text(*reading.run);
        EXPECT_EQ(text.substr(text.find("T07:"), 7), "T07:0" + std::to_string(a.minute) + ":") << a.bytes;
    }
    // The very bytes kept, handed again, are the same file; after another file, read again.
    const FileBytes kept = std::make_shared<const std::string>("<gpx/>3");
    last.keep(kept, &one, last.read(std::make_shared<const std::string>("<gpx/>3"), &other));
    EXPECT_EQ(last.read(kept, &one).run->points.size(), 1u);
    EXPECT_EQ(last.read(std::make_shared<const std::string>("<gpx/>3"), &one).run->points.size(), 1u);
    EXPECT_EQ(one.parses + other.parses, 7);
    last.read(std::make_shared<const std::string>("<gpx/>1"), &one);
    last.read(kept, &one);
    EXPECT_EQ(one.parses + other.parses, 9);
    // A file that cannot be read is kept as such, and a readable one after it is read.
    const auto bytes = [](std::string_view text) { return std::make_shared<const std::string>(text); };
    const Bytes fit = fit_file(ONE_RECORD);
    EXPECT_EQ(last.read(bytes("GPX please"), nullptr).refusal.what.substr(0, 30), "the file is neither FIT (no \".");
    EXPECT_TRUE(last.read(bytes(fit), nullptr).run);
    EXPECT_FALSE(last.read(bytes("GPX please"), nullptr).run);
}

TEST(RunText, ShowsEveryFieldAndSaysWhereARefusalIs) {
    quorran::Run run;
    run.format = RunFormat::Gpx10;
    run.part_starts = {0};
    run.timer_stops = {{1714546801.25, NAN}};
    run.reading_notes = {"a note"};
    RunPoint p = at(1714546800.1234561, 51.12345675, -0.5);
    p.altitude = -2.0005, p.distance = 1, p.heart_rate = 150, p.cadence = 170.5, p.power = 300, p.speed = 3.0005;
    run.points = {p, at(NAN)};
    EXPECT_EQ(run_text(run), "format GPX 1.0\nparts starting at 0\n"
                             "timer stopped 2024-05-01T07:00:01.250000Z started -\nnote: a note\n"
                             "2 points: time latitude longitude altitude distance heart_rate cadence power speed\n"
                             "2024-05-01T07:00:00.123456Z 51.1234568 -0.5000000 -2.001 1.000 150.00 170.50 300.00 3.001\n"
                             "- - - - - - - - -\n");
    RunReading refused;
    refused.refusal = {"what", 3, std::nullopt, "expat's words"};
    EXPECT_EQ(refused.refusal.message(), "line 3: what (expat's words)");
    EXPECT_EQ(reading_text(refused), "refused: line 3: what\n");
    refused.refusal = {"what", std::nullopt, 0, ""};
    EXPECT_EQ(reading_text(refused), "refused: byte 0: what\n");
}

}  // namespace
}  // namespace quorran
