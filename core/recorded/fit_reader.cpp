// A FIT file is a header, data messages each described by a definition message that came
// before it, and a CRC; several such files may follow one another (chained). The reader
// walks the messages once, taking from them what a run holds:
//   file_id  (0)   whether the file is an activity (type 4);
//   sport   (12), session (18), lap (19)   the sport, for what cadence counts;
//   record  (20)   the points (a record of nothing but its time is none);
//   event   (21)   the timer's stops and starts.
// Every other message, and every developer field, is skipped by its defined size.
#include "core/recorded/fit_reader.h"

#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/recorded/run_builder.h"

namespace quorran {
namespace {

// 1989-12-31T00:00:00Z, where FIT's times count from, in seconds since 1970.
constexpr double FIT_EPOCH = 631065600.0;
constexpr double DEGREES_PER_SEMICIRCLE = 180.0 / 2147483648.0;
constexpr std::size_t SHORT_HEADER = 12;  // the smallest header: no header CRC
constexpr std::size_t LONG_HEADER = 14;   // with a header CRC (0 when not computed)
constexpr int NEWEST_PROTOCOL = 2;        // protocol versions 1.x and 2.x
// Times below this count seconds from when the device was switched on, not from FIT_EPOCH.
constexpr std::uint32_t SYSTEM_TIME_END = 0x10000000;
// A watch's record of a run takes about this many bytes or more: a header, its time, and
// a position or a few values (heart rate, cadence, distance). Room is made at once for as
// many points as a file of records this size would hold; a file of smaller records (a
// compressed time and a heart rate take 2 bytes) grows the run as it is read.
constexpr std::size_t FEW_RECORD_BYTES = 12;

enum Message : std::uint16_t { FILE_ID = 0, SPORT = 12, SESSION = 18, LAP = 19, RECORD = 20, EVENT = 21 };
constexpr double ACTIVITY_FILE = 4;
constexpr std::uint8_t TIMESTAMP = 253;  // in every message that has a time
// Sports whose cadence counts strides, a step of each foot: running, walking, hiking.
constexpr double RUNNING = 1, WALKING = 11, HIKING = 17;
constexpr double TIMER_EVENT = 0;  // an event of the timer
// The timer events' types: start, and the four kinds of stop.
constexpr double START = 0, STOP = 1, STOP_ALL = 4, STOP_DISABLE = 8, STOP_DISABLE_ALL = 9;

// The base types' sizes and invalid values, by the base type's low five bits.
enum class Kind : std::uint8_t { Unsigned, Signed, Float, Other };
struct BaseType {
    std::uint8_t size;
    Kind kind;
    std::uint64_t invalid;
};
constexpr std::array<BaseType, 17> BASE_TYPES{{
    {1, Kind::Unsigned, 0xFF},                   // enum
    {1, Kind::Signed, 0x7F},                     // sint8
    {1, Kind::Unsigned, 0xFF},                   // uint8
    {2, Kind::Signed, 0x7FFF},                   // sint16
    {2, Kind::Unsigned, 0xFFFF},                 // uint16
    {4, Kind::Signed, 0x7FFFFFFF},               // sint32
    {4, Kind::Unsigned, 0xFFFFFFFF},             // uint32
    {1, Kind::Other, 0},                         // string
    {4, Kind::Float, 0xFFFFFFFF},                // float32
    {8, Kind::Float, 0xFFFFFFFFFFFFFFFF},        // float64
    {1, Kind::Unsigned, 0x00},                   // uint8z
    {2, Kind::Unsigned, 0x0000},                 // uint16z
    {4, Kind::Unsigned, 0x00000000},             // uint32z
    {1, Kind::Other, 0},                         // byte
    {8, Kind::Signed, 0x7FFFFFFFFFFFFFFF},       // sint64
    {8, Kind::Unsigned, 0xFFFFFFFFFFFFFFFF},     // uint64
    {8, Kind::Unsigned, 0x0000000000000000},     // uint64z
}};

constexpr std::array<std::uint16_t, 256> CRC_TABLE = [] {
    std::array<std::uint16_t, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        std::uint16_t crc = static_cast<std::uint16_t>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = static_cast<std::uint16_t>((crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1);
        table[byte] = crc;
    }
    return table;
}();

struct Field {
    std::uint8_t number;
    std::uint8_t size;
    std::uint8_t base_type;
};

struct Definition {
    bool defined = false;
    bool big_endian = false;
    std::uint16_t message = 0;
    std::vector<Field> fields;
    std::size_t size = 0;  // of a data message's content, developer fields included
};

// The first element of a field, scaled and offset, or nothing when the field holds its
// base type's invalid value or is not a number.
std::optional<double> value_of(const unsigned char* at, const Field& field, bool big_endian, double scale = 1.0,
                               double offset = 0.0) {
    const std::size_t index = field.base_type & 0x1F;
    if (index >= BASE_TYPES.size()) return std::nullopt;
    const BaseType& type = BASE_TYPES[index];
    if (type.kind == Kind::Other || field.size < type.size) return std::nullopt;
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < type.size; ++i) {
        const std::size_t from = big_endian ? i : type.size - 1 - i;
        bits = bits << 8 | at[from];
    }
    if (bits == type.invalid) return std::nullopt;
    double value = 0.0;
    switch (type.kind) {
    case Kind::Unsigned: value = static_cast<double>(bits); break;
    case Kind::Signed: {
        const unsigned shift = 64 - 8 * type.size;
        value = static_cast<double>(static_cast<std::int64_t>(bits << shift) >> shift);
        break;
    }
    case Kind::Float:
        if (type.size == 4) {
            float f;
            const auto b32 = static_cast<std::uint32_t>(bits);
            std::memcpy(&f, &b32, sizeof f);
            value = f;
        } else {
            std::memcpy(&value, &bits, sizeof value);
        }
        if (!std::isfinite(value)) return std::nullopt;
        break;
    case Kind::Other: break;
    }
    return value / scale - offset;
}

// A whole number from 0 to max, as times, sports and event types are; nothing otherwise
// (a field written with another base type than its own may hold anything).
std::optional<double> whole(std::optional<double> value, double max) {
    if (!value || !(*value >= 0 && *value <= max) || *value != std::floor(*value)) return std::nullopt;
    return value;
}

unsigned little16(const unsigned char* at) { return at[0] | at[1] << 8u; }
std::uint32_t little32(const unsigned char* at) {
    return at[0] | at[1] << 8u | at[2] << 16u | static_cast<std::uint32_t>(at[3]) << 24u;
}

bool on_foot(double sport) { return sport == RUNNING || sport == WALKING || sport == HIKING; }

// A stretch of the activity in one sport, from its session (or lap) message.
struct SportSpan {
    double start, end, sport;
};

class FitReader {
public:
    FitReader(std::string_view bytes, const RunLimits& limits)
        : bytes_(reinterpret_cast<const unsigned char*>(bytes.data())), size_(bytes.size()),
          builder_(RunFormat::Fit, limits.max_points, bytes.size() / FEW_RECORD_BYTES) {}

    RunReading read();

private:
    const unsigned char* bytes_;
    std::size_t size_;
    RunBuilder builder_;
    std::optional<RunRefusal> refusal_;
    std::array<Definition, 16> definitions_;
    std::optional<std::uint32_t> last_time_;  // for compressed timestamps
    bool activity_ = true;
    std::uint32_t distance_16ths_ = 0, last_distance_bits_ = 0;  // the compressed distance's sum
    std::vector<SportSpan> sports_;
    std::optional<double> sport_;  // the first sport the file names
    std::size_t end_of_reading_ = 0;
    bool system_time_ = false;

    bool refuse(std::size_t byte, std::string what) {
        refusal_ = RunRefusal{std::move(what), std::nullopt, byte, {}};
        return false;
    }
    bool read_file(std::size_t start, bool& cut_short);
    bool read_messages(std::size_t begin, std::size_t end, bool complete, bool& cut_short);
    bool read_definition(std::size_t at, std::size_t end, std::size_t& length);
    bool read_data(const Definition& definition, const unsigned char* content, std::optional<std::uint32_t> time);
    void apply_sports(Run& run);
};

RunReading FitReader::read() {
    bool cut_short = false;
    for (std::size_t start = 0; start < size_ && !cut_short; start = end_of_reading_)
        if (!read_file(start, cut_short)) return {std::nullopt, *refusal_};
    if (builder_.size() == 0) {
        if (cut_short) return {std::nullopt, RunRefusal{"the file ends early, before any record (a point of the run)", std::nullopt, size_, {}}};
        return {std::nullopt, RunRefusal{"the file holds no records (points of a run)", std::nullopt, std::nullopt, {}}};
    }
    if (system_time_)
        builder_.add_note("the times count from when the device was switched on, not from a date: "
                          "the run's date and time of day are unknown");
    if (cut_short)
        builder_.add_note("the file ends early: the points up to byte " + std::to_string(end_of_reading_) + " are read");
    Run run = builder_.finish();
    apply_sports(run);
    return {std::move(run), {}};
}

// One file of the chain, from its header at start to its CRC; end_of_reading_ is then
// where the next one starts, or where a file cut short stops being readable.
bool FitReader::read_file(std::size_t start, bool& cut_short) {
    const unsigned char* header = bytes_ + start;
    const std::size_t left = size_ - start;
    if (left < SHORT_HEADER) {
        if (start == 0) return refuse(0, "the file is too short for a FIT header");
        cut_short = true;  // part of a chained file's header
        end_of_reading_ = start;
        return true;
    }
    if (std::memcmp(header + 8, ".FIT", 4) != 0)
        return refuse(start, "the FIT header has no \".FIT\" at its bytes 8 to 11: the header is damaged");
    if (header[0] < SHORT_HEADER)
        return refuse(start, "the FIT header gives its size as " + std::to_string(header[0]) +
                                 " bytes, less than 12: the header is damaged");
    if (header[1] >> 4 > NEWEST_PROTOCOL)
        return refuse(start + 1, "the file uses FIT protocol " + std::to_string(header[1] >> 4) + "." +
                                     std::to_string(header[1] & 0xF) + ", newer than this reader knows (2.x)");
    if (left < header[0]) {
        cut_short = true;
        end_of_reading_ = start;
        return true;
    }
    if (header[0] >= LONG_HEADER && little16(header + 12) != 0 &&
        fit_crc({reinterpret_cast<const char*>(header), LONG_HEADER}) != 0)
        return refuse(start + 12, "the FIT header's CRC does not match its bytes: the header is damaged");

    const std::size_t begin = start + header[0];
    const std::uint64_t end = begin + std::uint64_t{little32(header + 4)};
    const bool complete = end + 2 <= size_;
    if (complete && fit_crc({reinterpret_cast<const char*>(header), static_cast<std::size_t>(end + 2 - start)}) != 0)
        return refuse(static_cast<std::size_t>(end), "the FIT file's CRC does not match its content: the file is damaged");
    definitions_ = {};
    last_time_.reset();
    activity_ = true;
    distance_16ths_ = last_distance_bits_ = 0;
    if (!read_messages(begin, complete ? static_cast<std::size_t>(end) : size_, complete, cut_short)) return false;
    if (complete) end_of_reading_ = static_cast<std::size_t>(end) + 2;
    return true;
}

// The messages from begin to end. In a file cut short (not complete) they stop at the
// first message cut off, and end_of_reading_ is where it starts.
bool FitReader::read_messages(std::size_t begin, std::size_t end, bool complete, bool& cut_short) {
    cut_short = !complete;
    std::size_t at = begin;
    const auto cut_off = [&] {
        end_of_reading_ = at;
        return complete ? refuse(at, "a message runs past the end of the file's data") : true;
    };
    while (at < end) {
        const unsigned char header = bytes_[at];
        if ((header & 0xC0) == 0x40) {  // a definition
            std::size_t length = 0;
            if (!read_definition(at, end, length)) return refusal_ ? false : cut_off();
            at += length;
            continue;
        }
        const bool compressed = header & 0x80;
        const std::size_t local = compressed ? (header >> 5) & 0x3 : header & 0xF;
        const Definition& definition = definitions_[local];
        if (!definition.defined)
            return refuse(at, "a data message of local type " + std::to_string(local) + " comes before its definition");
        if (at + 1 + definition.size > end) return cut_off();
        std::optional<std::uint32_t> time;
        if (compressed) {
            if (!last_time_) return refuse(at, "a message with a time offset comes before any full time");
            const std::uint32_t offset = header & 0x1F;
            std::uint32_t t = (*last_time_ & ~0x1Fu) + offset;
            if (offset < (*last_time_ & 0x1Fu)) t += 0x20;
            time = last_time_ = t;
        }
        if (!read_data(definition, bytes_ + at + 1, time)) return false;
        at += 1 + definition.size;
    }
    end_of_reading_ = at;
    return true;
}

// False with no refusal when the definition runs past end.
bool FitReader::read_definition(std::size_t at, std::size_t end, std::size_t& length) {
    const unsigned char* d = bytes_ + at;
    if (at + 6 > end) return false;
    if (d[2] > 1) return refuse(at + 2, "a definition message gives its byte order as " + std::to_string(d[2]) +
                                            ", neither 0 (little-endian) nor 1 (big-endian)");
    const bool developer = d[0] & 0x20;
    const std::size_t fields = d[5];
    length = 6 + 3 * fields;
    if (at + length + (developer ? 1 : 0) > end) return false;
    const std::size_t developer_fields = developer ? d[length] : 0;
    if (developer) length += 1 + 3 * developer_fields;
    if (at + length > end) return false;

    Definition& definition = definitions_[d[0] & 0xF];
    definition.defined = true;
    definition.big_endian = d[2] == 1;
    definition.message = static_cast<std::uint16_t>(definition.big_endian ? d[3] << 8 | d[4] : d[4] << 8 | d[3]);
    definition.fields.clear();
    definition.size = 0;
    for (std::size_t i = 0; i < fields; ++i) {
        const unsigned char* f = d + 6 + 3 * i;
        definition.fields.push_back({f[0], f[1], f[2]});
        definition.size += f[1];
    }
    for (std::size_t i = 0; i < developer_fields; ++i) definition.size += d[6 + 3 * fields + 1 + 3 * i + 1];
    return true;
}

bool FitReader::read_data(const Definition& definition, const unsigned char* content, std::optional<std::uint32_t> time) {
    RunPoint point;
    std::optional<double> altitude, enhanced_altitude, speed, enhanced_speed, cadence, fractional_cadence, latitude,
        longitude, kind, event_type, start, elapsed, sport, distance;
    std::optional<std::uint32_t> compressed;
    const bool big = definition.big_endian;
    const unsigned char* at = content;
    for (const Field& field : definition.fields) {
        if (field.number == TIMESTAMP) {
            if (const auto t = whole(value_of(at, field, big), UINT32_MAX)) time = last_time_ = static_cast<std::uint32_t>(*t);
        } else {
            switch (definition.message) {
            case RECORD:
                switch (field.number) {
                case 0: latitude = value_of(at, field, big); break;
                case 1: longitude = value_of(at, field, big); break;
                case 2: altitude = value_of(at, field, big, 5.0, 500.0); break;
                case 3: if (auto v = value_of(at, field, big)) point.heart_rate = *v; break;
                case 4: cadence = value_of(at, field, big); break;
                case 5: distance = value_of(at, field, big, 100.0); break;
                case 6: speed = value_of(at, field, big, 1000.0); break;
                case 7: if (auto v = value_of(at, field, big)) point.power = *v; break;
                case 8:  // speed (12 bits, 1/100 m/s) and distance (12 bits, 1/16 m, to be summed)
                    if (field.size >= 3 && !(at[0] == 0xFF && at[1] == 0xFF && at[2] == 0xFF))
                        compressed = at[0] | at[1] << 8u | at[2] << 16u;
                    break;
                case 53: fractional_cadence = value_of(at, field, big, 128.0); break;
                case 73: enhanced_speed = value_of(at, field, big, 1000.0); break;
                case 78: enhanced_altitude = value_of(at, field, big, 5.0, 500.0); break;
                }
                break;
            case EVENT:
                if (field.number == 0) kind = value_of(at, field, big);
                if (field.number == 1) event_type = value_of(at, field, big);
                break;
            case FILE_ID:
                if (field.number == 0) kind = value_of(at, field, big);
                break;
            case SPORT:
                if (field.number == 0) sport = whole(value_of(at, field, big), UINT8_MAX);
                break;
            case SESSION:
            case LAP:
                if (field.number == 2) start = value_of(at, field, big);
                if (field.number == 7) elapsed = value_of(at, field, big, 1000.0);
                if (field.number == (definition.message == SESSION ? 5 : 25)) sport = whole(value_of(at, field, big), UINT8_MAX);
                break;
            }
        }
        at += field.size;
    }
    const double seconds = time ? FIT_EPOCH + *time : NOT_RECORDED;
    switch (definition.message) {
    case FILE_ID:
        activity_ = !kind || *kind == ACTIVITY_FILE;
        return true;
    case SPORT:
    case SESSION:
    case LAP:
        if (sport && !sport_) sport_ = sport;
        if (sport && start && elapsed && definition.message == SESSION)
            sports_.push_back({FIT_EPOCH + *start, FIT_EPOCH + *start + *elapsed, *sport});
        return true;
    case EVENT:
        if (!activity_ || !time || !kind || *kind != TIMER_EVENT || !event_type) return true;
        if (*event_type == START) {
            if (!builder_.timer_stops().empty() && std::isnan(builder_.timer_stops().back().started))
                builder_.timer_stops().back().started = seconds;
        } else if (*event_type == STOP || *event_type == STOP_ALL || *event_type == STOP_DISABLE ||
                   *event_type == STOP_DISABLE_ALL) {
            if (builder_.timer_stops().empty() || !std::isnan(builder_.timer_stops().back().started))
                builder_.timer_stops().push_back({seconds, NOT_RECORDED});
        }
        return true;
    case RECORD: break;
    default: return true;
    }
    if (!activity_) return true;
    point.time = seconds;
    if (latitude) point.latitude = *latitude * DEGREES_PER_SEMICIRCLE;
    if (longitude) point.longitude = *longitude * DEGREES_PER_SEMICIRCLE;
    point.altitude = enhanced_altitude ? *enhanced_altitude : altitude ? *altitude : NOT_RECORDED;
    point.speed = enhanced_speed ? *enhanced_speed : speed ? *speed : NOT_RECORDED;
    if (cadence) point.cadence = *cadence + (fractional_cadence ? *fractional_cadence : 0.0);
    if (distance) point.distance = *distance;
    if (compressed) {
        const std::uint32_t bits = *compressed >> 12;
        distance_16ths_ += (bits - last_distance_bits_) & 0xFFF;
        last_distance_bits_ = bits;
        if (!distance) point.distance = distance_16ths_ / 16.0;
        if (!speed && !enhanced_speed) point.speed = (*compressed & 0xFFF) / 100.0;
    }
    if (std::isnan(point.latitude) && std::isnan(point.longitude) && std::isnan(point.altitude) &&
        std::isnan(point.distance) && std::isnan(point.heart_rate) && std::isnan(point.cadence) &&
        std::isnan(point.power) && std::isnan(point.speed))
        return true;  // a record of nothing but its time
    if (time && *time < SYSTEM_TIME_END) system_time_ = true;
    if (!builder_.add(point))
        return refuse(static_cast<std::size_t>(content - bytes_) - 1, too_many_points(builder_.size()));
    return true;
}

// A record's cadence counts strides: doubled, it is steps, in an activity on foot or one
// whose sport the file does not say. Any other sport's cadence (pedal turns, strokes) is
// not steps, and is left out.
void FitReader::apply_sports(Run& run) {
    bool left_out = false;
    double other_sport = 0;
    for (RunPoint& point : run.points) {
        if (std::isnan(point.cadence)) continue;
        std::optional<double> sport = sport_;
        for (const SportSpan& span : sports_)
            if (point.time >= span.start && point.time <= span.end) {
                sport = span.sport;
                break;
            }
        if (!sport || on_foot(*sport)) {
            point.cadence *= 2.0;
        } else {
            point.cadence = NOT_RECORDED;
            left_out = true;
            other_sport = *sport;
        }
    }
    if (left_out) run.reading_notes.push_back(cadence_left_out("FIT sport " + std::to_string(static_cast<int>(other_sport))));
}

}  // namespace

std::uint16_t fit_crc(std::string_view bytes, std::uint16_t crc) {
    for (const char c : bytes) crc = static_cast<std::uint16_t>(crc >> 8 ^ CRC_TABLE[(crc ^ static_cast<unsigned char>(c)) & 0xFF]);
    return crc;
}

bool looks_like_fit(std::string_view bytes) { return bytes.size() >= SHORT_HEADER && bytes.substr(8, 4) == ".FIT"; }

RunReading read_fit(std::string_view bytes, const RunLimits& limits) { return FitReader(bytes, limits).read(); }

}  // namespace quorran
