#include "core/recorded/xml_run_reader.h"

#include <cmath>
#include <utility>

#include "core/numbers/number_text.h"
#include "core/recorded/utc_time.h"

namespace quorran {
namespace {

constexpr std::string_view GPX_10 = "http://www.topografix.com/GPX/1/0";
constexpr std::string_view GPX_11 = "http://www.topografix.com/GPX/1/1";
constexpr std::string_view TRACK_POINT_EXTENSION_1 = "http://www.garmin.com/xmlschemas/TrackPointExtension/v1";
constexpr std::string_view TRACK_POINT_EXTENSION_2 = "http://www.garmin.com/xmlschemas/TrackPointExtension/v2";
constexpr std::string_view TCX = "http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2";
constexpr std::string_view ACTIVITY_EXTENSION = "http://www.garmin.com/xmlschemas/ActivityExtension/v2";
// A stride, a step of each foot.
constexpr double STEPS_PER_STRIDE = 2.0;

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

// A decimal number as XML writes one (an exponent with e or E allowed), finite, and the
// whole text but the blanks around it.
std::optional<double> read_number(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text.find_first_of("dD") != std::string_view::npos) return std::nullopt;
    std::size_t length = 0;
    const double value = scan_number(text, length);
    if (length != text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string quoted(std::string_view text) { return "\"" + std::string(trimmed(text)) + "\""; }

}  // namespace

enum class RunXmlReader::Tag : unsigned char {
    Other,  // not read, nor anything inside it
    Gpx, GpxTrack, GpxSegment, GpxPoint,
    Tcx, TcxActivities, TcxActivity, TcxLap, TcxTrack, TcxPoint, TcxPosition, TcxHeartRate,
    // The values, whose text is read.
    Time, Latitude, Longitude, Altitude, Distance, HeartRate, Strides, Revolutions, Speed, Power,
};

RunXmlReader::RunXmlReader(const RunLimits& limits, std::size_t document_bytes)
    : limits_(limits), document_bytes_(document_bytes) {}

bool RunXmlReader::refuse(std::string what) {
    if (!refusal_) refusal_ = std::move(what);
    return false;
}

bool RunXmlReader::document_type() {
    return refuse("the document declares a DTD (<!DOCTYPE ...>), which GPX and TCX never need: it is refused unread, "
                  "so no entity it declares is expanded");
}

bool RunXmlReader::start_element(std::string_view ns, std::string_view local, std::span<const XmlAttribute> attributes) {
    if (open_.size() == limits_.max_depth)
        return refuse("the elements are nested more than " + std::to_string(limits_.max_depth) + " deep");
    Tag tag = Tag::Other;
    if (open_.empty()) {
        if ((ns == GPX_10 || ns == GPX_11) && local == "gpx") {
            tag = Tag::Gpx;
            builder_.emplace(ns == GPX_10 ? RunFormat::Gpx10 : RunFormat::Gpx11, limits_.max_points,
                             document_bytes_ / FEWEST_POINT_BYTES);
        } else if (ns == TCX && local == "TrainingCenterDatabase") {
            tag = Tag::Tcx;
            builder_.emplace(RunFormat::Tcx, limits_.max_points, document_bytes_ / FEWEST_POINT_BYTES);
        } else if (ns.empty() && local == "gpx") {
            return refuse("the gpx element has no GPX namespace (xmlns=\"" + std::string(GPX_11) +
                          "\" for GPX 1.1): it is not a GPX document");
        } else {
            return refuse("the document is neither GPX nor TCX: its root element is " + std::string(local) +
                          (ns.empty() ? std::string(" in no namespace") : " in namespace " + std::string(ns)));
        }
        ns_ = ns == GPX_10 ? GPX_10 : ns == GPX_11 ? GPX_11 : TCX;
    } else if (ns == ns_) {
        switch (open_.back()) {
        case Tag::Gpx: if (local == "trk") tag = Tag::GpxTrack; break;
        case Tag::GpxTrack: if (local == "trkseg") tag = Tag::GpxSegment; break;
        case Tag::GpxSegment: if (local == "trkpt") tag = Tag::GpxPoint; break;
        case Tag::GpxPoint:
            if (local == "ele") tag = Tag::Altitude;
            else if (local == "time") tag = Tag::Time;
            else if (local == "speed" && ns_ == GPX_10) tag = Tag::Speed;
            break;
        case Tag::Tcx: if (local == "Activities") tag = Tag::TcxActivities; break;
        case Tag::TcxActivities: if (local == "Activity") tag = Tag::TcxActivity; break;
        case Tag::TcxActivity: if (local == "Lap") tag = Tag::TcxLap; break;
        case Tag::TcxLap: if (local == "Track") tag = Tag::TcxTrack; break;
        case Tag::TcxTrack: if (local == "Trackpoint") tag = Tag::TcxPoint; break;
        case Tag::TcxPoint:
            if (local == "Time") tag = Tag::Time;
            else if (local == "Position") tag = Tag::TcxPosition;
            else if (local == "AltitudeMeters") tag = Tag::Altitude;
            else if (local == "DistanceMeters") tag = Tag::Distance;
            else if (local == "HeartRateBpm") tag = Tag::TcxHeartRate;
            else if (local == "Cadence") tag = Tag::Revolutions;
            break;
        case Tag::TcxPosition:
            if (local == "LatitudeDegrees") tag = Tag::Latitude;
            else if (local == "LongitudeDegrees") tag = Tag::Longitude;
            break;
        case Tag::TcxHeartRate: if (local == "Value") tag = Tag::HeartRate; break;
        default: break;
        }
    } else if (in_point_ && (ns == TRACK_POINT_EXTENSION_1 || ns == TRACK_POINT_EXTENSION_2) && ns_ != TCX) {
        if (local == "hr") tag = Tag::HeartRate;
        else if (local == "cad") tag = Tag::Strides;
        else if (local == "speed" && ns == TRACK_POINT_EXTENSION_2) tag = Tag::Speed;
    } else if (in_point_ && ns == ACTIVITY_EXTENSION && ns_ == TCX) {
        if (local == "Speed") tag = Tag::Speed;
        else if (local == "RunCadence") tag = Tag::Strides;
        else if (local == "Watts") tag = Tag::Power;
    }

    switch (tag) {
    case Tag::GpxSegment:
    case Tag::TcxLap:
    case Tag::TcxTrack: builder_->start_part(); break;
    case Tag::TcxActivity:
        on_foot_ = true;
        for (const XmlAttribute& a : attributes)
            if (a.ns.empty() && a.local == "Sport") on_foot_ = trimmed(a.value) != "Biking";
        break;
    case Tag::GpxPoint:
        point_ = RunPoint{};
        for (const XmlAttribute& a : attributes) {
            if (!a.ns.empty() || (a.local != "lat" && a.local != "lon")) continue;
            const auto degrees = read_number(a.value);
            if (!degrees) return refuse("trkpt's " + std::string(a.local) + " " + quoted(a.value) + " is not a number");
            (a.local == "lat" ? point_.latitude : point_.longitude) = *degrees;
        }
        [[fallthrough]];
    case Tag::TcxPoint:
        if (tag == Tag::TcxPoint) point_ = RunPoint{};
        in_point_ = true;
        strides_ = revolutions_ = NOT_RECORDED;
        break;
    case Tag::Time: case Tag::Latitude: case Tag::Longitude: case Tag::Altitude: case Tag::Distance:
    case Tag::HeartRate: case Tag::Strides: case Tag::Revolutions: case Tag::Speed: case Tag::Power:
        value_.clear();
        value_name_ = local;
        break;
    default: break;
    }
    open_.push_back(tag);
    return true;
}

bool RunXmlReader::text(std::string_view text) {
    if (open_.empty() || open_.back() < Tag::Time) return true;
    if (value_.size() + text.size() > limits_.max_value)
        return refuse(value_name_ + " holds more than " + std::to_string(limits_.max_value) + " characters");
    value_ += text;
    return true;
}

bool RunXmlReader::end_value(Tag tag) {
    if (tag == Tag::Time) {
        const auto time = read_utc_time(value_);
        if (!time)
            return refuse(value_name_ + " holds " + quoted(value_) +
                          ", which is not a date and time such as 2024-05-01T07:30:00Z");
        point_.time = *time;
        return true;
    }
    const auto number = read_number(value_);
    if (!number) return refuse(value_name_ + " holds " + quoted(value_) + ", which is not a number");
    switch (tag) {
    case Tag::Latitude: point_.latitude = *number; break;
    case Tag::Longitude: point_.longitude = *number; break;
    case Tag::Altitude: point_.altitude = *number; break;
    case Tag::Distance: point_.distance = *number; break;
    case Tag::HeartRate: point_.heart_rate = *number; break;
    case Tag::Strides: strides_ = *number; break;
    case Tag::Revolutions: revolutions_ = *number; break;
    case Tag::Speed: point_.speed = *number; break;
    case Tag::Power: point_.power = *number; break;
    default: break;
    }
    return true;
}

bool RunXmlReader::end_element() {
    if (open_.empty()) return refuse("an element ends that never started");
    const Tag tag = open_.back();
    open_.pop_back();
    if (tag >= Tag::Time) return end_value(tag);
    if (tag != Tag::GpxPoint && tag != Tag::TcxPoint) return true;
    in_point_ = false;
    if (!std::isnan(strides_)) {
        point_.cadence = strides_ * STEPS_PER_STRIDE;
    } else if (!std::isnan(revolutions_)) {
        if (on_foot_) point_.cadence = revolutions_ * STEPS_PER_STRIDE;
        else cadence_left_out_ = true;
    }
    if (!builder_->add(point_)) return refuse(too_many_points(limits_.max_points));
    return true;
}

RunReading RunXmlReader::finish(const std::optional<XmlStop>& stop) {
    RunReading reading;
    if (stop && stop->line > 0) reading.refusal.line = stop->line;
    if (refusal_) {
        reading.refusal.what = *refusal_;
        return reading;
    }
    if (stop) {
        reading.refusal.what = "the document is not well-formed XML";
        reading.refusal.detail = stop->detail;
        return reading;
    }
    if (!builder_) {
        reading.refusal.what = "the document has no root element";
        return reading;
    }
    if (cadence_left_out_) builder_->add_note(cadence_left_out("TCX sport Biking"));
    Run run = builder_->finish();
    if (run.points.empty()) {
        reading.refusal.what = run.format == RunFormat::Tcx ? "the file holds no Trackpoint in an Activity"
                                                            : "the file holds no track point (trkpt)";
        return reading;
    }
    reading.run = std::move(run);
    return reading;
}

}  // namespace quorran
