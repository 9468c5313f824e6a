// The forms runners type, read one way: each form, the words around it, the comma that
// may mean a thousand, the letters that mean one thing only, and a sign kept for the
// range to refuse.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/numbers/units.h"
#include "core/toolbox/entry_forms.h"

namespace quorran {
namespace {

constexpr double NONE = -999999;  // no value read
constexpr double MILE = METRES_PER_MILE;

// What a reader made of a text, as one comparable line: "value in_km" or "why: ...".
template <typename T, typename Get>
std::string shown(const Read<T>& r, Get get) {
    if (!r.value) return r.why_not.empty() ? "refused" : "why: " + r.why_not;
    const auto [value, km] = get(*r.value);
    char text[64];
    std::snprintf(text, sizeof text, "%.6f %s", value, km ? "km" : "mi");
    return text;
}

std::string expected(double value, bool km) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f %s", value, km ? "km" : "mi");
    return text;
}

TEST(EntryForms, Distances) {
    const auto read = [](const char* text, bool km) {
        return shown(read_distance(text, km), [](const DistanceEntry& d) { return std::pair{d.metres, d.in_km}; });
    };
    const struct { const char* text; bool km; double metres; bool in_km; } cases[] = {
        {"10km", false, 10000, true},        {"10 km", false, 10000, true},      {"10   KM", false, 10000, true},
        {"10k", false, 10000, true},         {"5K", false, 5000, true},          {"10 kilometres", false, 10000, true},
        {"1 Kilometer", false, 1000, true},  {"10kms", false, 10000, true},      {"3mi", true, 3 * MILE, false},
        {"5 mi", true, 5 * MILE, false},     {"1 Mile", true, MILE, false},      {"2 miles", false, 2 * MILE, false},
        {"400m", false, 400, true},          {"26.2 m", false, 26.2, true},      {"400 metres", false, 400, true},
        {"marathon", false, 42195, false},   {"Marathon", true, 42195, true},    {"half", true, 21097.5, true},
        {"half marathon", false, 21097.5, false}, {"Half-Marathon", false, 21097.5, false},
        {"10", false, 10 * MILE, false},     {"10", true, 10000, true},          {".5mi", false, MILE / 2, false},
        {"3,1", false, 3.1 * MILE, false},   {"1,5km", false, 1500, true},       {"10,50", false, 10.5 * MILE, false},
        {"1,2345km", false, 1234.5, true},   {"-10km", false, -10000, true},     {"0km", false, 0, true},
        {"kmh", false, NONE, false},         {"10 ", false, 10 * MILE, false},
        {"10kmh", false, NONE, false},       {"10 marathon", false, NONE, false}, {"--10km", false, NONE, false},
        {"1.2.3km", false, NONE, false},     {"", false, NONE, false},           {"abc", false, NONE, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.text, c.km), c.metres == NONE ? "refused" : expected(c.metres, c.in_km)) << c.text;
    // What cannot be read one way is refused, saying why and what to type.
    EXPECT_EQ(read("10,000m", false), "why: has a comma before three digits, which may be a thousands comma or a "
                                      "decimal point: type 10000m or 10.000m");
    EXPECT_EQ(read("4,500 km", false), "why: has a comma before three digits, which may be a thousands comma or a "
                                       "decimal point: type 4500 km or 4.500 km");
    EXPECT_EQ(read("10M", false), "why: uses M, which may be miles or metres: type 10mi or 10m");
    EXPECT_EQ(read("m", false), "why: is metres with no number: for the marathon type marathon");
    EXPECT_EQ(read("KM", false), "why: is a unit with no number: type one before it, as 10KM");
}

TEST(EntryForms, Times) {
    const auto read = [](const char* text) {
        return shown(read_time(text), [](const ClockEntry& t) { return std::pair{t.seconds, false}; });
    };
    const struct { const char* text; double seconds; } cases[] = {
        {"45", 45},           {"45:00", 2700},     {"3:30:00", 12600},   {"59.5", 59.5},       {"1:05:30.5", 3930.5},
        {"90:00", 5400},      {"4:30,5", 270.5},   {"1:59.5", 119.5},    {"1h30", 5400},       {"1h 30min", 5400},
        {"1 h 30 min", 5400}, {"20min", 1200},     {"90 min", 5400},     {"45 s", 45},         {"2h", 7200},
        {"1h30m", NONE},      {"1.5 hours", 5400}, {"1 hour 5 minutes 3 seconds", 3903},     {"-45:00", -2700},
        {"1:60", NONE},       {"1:2:3:4", NONE},   {":30", NONE},        {"1:", NONE},         {"1e3", NONE},
        {"1:-30", NONE},      {"1.2.3", NONE},     {"30min 1h", NONE},   {"1h60", NONE},       {"", NONE},
        {"h", NONE},
    };
    for (const auto& c : cases) {
        if (c.seconds == NONE) EXPECT_FALSE(read_time(c.text).value) << c.text;
        else EXPECT_EQ(read(c.text), expected(c.seconds, false)) << c.text;
    }
    EXPECT_EQ(read("45m"), "why: uses m, which is metres: for minutes type 45min or 45:00");
    EXPECT_EQ(read("1:00,500"), "why: has a comma before three digits, which may be a thousands comma or a decimal "
                                "point: type 00500 or 00.500");
    // The parts as typed, for the dialog's own sum.
    const ClockEntry parts = *read_time("1:34:23").value;
    EXPECT_EQ(std::make_tuple(parts.hours, parts.minutes, parts.rest), std::make_tuple(1.0, 34.0, 23.0));
    const ClockEntry bare = *read_time("2700").value;
    EXPECT_EQ(std::make_tuple(bare.hours, bare.minutes, bare.rest), std::make_tuple(0.0, 0.0, 2700.0));
}

TEST(EntryForms, PacesAndSpeeds) {
    const auto pace = [](const char* text, bool per_km) {
        return shown(read_pace(text, per_km), [](const PaceEntry& p) { return std::pair{p.seconds_per_km, p.per_km}; });
    };
    const double per_mile = METRES_PER_KM / METRES_PER_MILE;
    const struct { const char* text; bool per_km; double seconds_per_km; bool in_km; } paces[] = {
        {"4:30/km", false, 270, true},         {"4:30", true, 270, true},               {"8:00", false, 480 * per_mile, false},
        {"7:30 per mile", true, 450 * per_mile, false}, {"7:30min/mi", true, 450 * per_mile, false},
        {"7:30/miles", true, 450 * per_mile, false},    {"7:30 min/mile", true, 450 * per_mile, false},
        {"4:30 /KM", false, 270, true},        {"4:30/k", false, 270, true},            {"4.5/km", false, 270, true},
        {"4:15 per km", false, 255, true},     {"-4:30/km", false, -270, true},         {"4:60", false, NONE, false},
        {"430", false, NONE, false},           {"4.5", false, NONE, false},             {"1:04:30/km", false, NONE, false},
        {"4:30/km/km", false, NONE, false},    {"4:30 km", false, NONE, false},         {"4:30/h", false, NONE, false},
    };
    for (const auto& c : paces) EXPECT_EQ(pace(c.text, c.per_km), c.seconds_per_km == NONE ? "refused" : expected(c.seconds_per_km, c.in_km)) << c.text;
    EXPECT_EQ(pace("4:30/m", false), "why: is per m, which is metres: a pace is per km or per mile, as 4:30/km");

    const auto speed = [](const char* text, bool kmh) {
        return shown(read_speed(text, kmh), [](const SpeedEntry& s) { return std::pair{s.kmh, s.in_kmh}; });
    };
    const struct { const char* text; bool kmh; double value; bool in_kmh; } speeds[] = {
        {"12km/h", false, 12, true}, {"12 KPH", false, 12, true}, {"7.5mph", true, 7.5 * KM_PER_MILE, false},
        {"7.5 mi/h", true, 7.5 * KM_PER_MILE, false}, {"10", true, 10, true}, {"10", false, 10 * KM_PER_MILE, false},
        {"12km", false, NONE, false}, {"km/h", false, NONE, false}, {"12 km / h", false, NONE, false},
    };
    for (const auto& c : speeds) EXPECT_EQ(speed(c.text, c.kmh), c.value == NONE ? "refused" : expected(c.value, c.in_kmh)) << c.text;
}

TEST(EntryForms, Numbers) {
    const auto number = [](const char* text, bool percent) {
        return shown(read_number(text, percent), [](double n) { return std::pair{n, false}; });
    };
    const struct { const char* text; bool percent; double value; } cases[] = {
        {"2", false, 2},   {"2%", true, 2},     {"70 %", true, 70},  {"2%", false, NONE}, {"-2", true, -2},
        {"1,08", false, 1.08}, {"1.", false, 1}, {".5", false, 0.5}, {"%", true, NONE},   {"2%%", true, NONE},
        {"+2", false, NONE}, {"2e1", false, NONE},
    };
    for (const auto& c : cases) EXPECT_EQ(number(c.text, c.percent), c.value == NONE ? "refused" : expected(c.value, false)) << c.text;
    EXPECT_EQ(number("10,000", false), "why: has a comma before three digits, which may be a thousands comma or a decimal "
                                       "point: type 10000 or 10.000");
    EXPECT_EQ(trimmed("  10 km \t"), "10 km");
    EXPECT_EQ(trimmed(" \t "), "");
}

}  // namespace
}  // namespace quorran
