#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/recorded/read_run.h"
#include "core/recorded/run_builder.h"
#include "core/recorded/xml_events.h"

// What GPX and TCX elements mean, read from any parser's XML events.
//
// GPX 1.0 and 1.1: each trk/trkseg/trkpt is a point, with lat and lon, ele, time, GPX 1.0's
// speed, and Garmin's TrackPointExtension (v1 or v2, found by its namespace address under
// any prefix) hr, cad and v2's speed. Each trkseg is a part of the run.
// TCX v2: each Activities/Activity/Lap/Track/Trackpoint is a point, with Time,
// Position/LatitudeDegrees and LongitudeDegrees, AltitudeMeters, DistanceMeters,
// HeartRateBpm/Value, Cadence, and the ActivityExtension's TPX Speed, RunCadence and Watts.
// Each Lap, and each Track inside one, is a part.
//
// Cadence: TrackPointExtension's cad counts revolutions a minute; TCX gives Cadence and
// RunCadence as a CadenceValue_t, a number up to 254 with no unit, which watches fill as
// FIT's cadence, with revolutions. For a runner a revolution is a stride, a step of each
// foot, so the run holds them doubled, as steps a minute. A TCX Activity whose Sport is
// Biking counts pedal turns: its Cadence is left out, with a note.
//
// Anything else (waypoints, routes, courses, laps' totals, other extensions) is not read.
namespace quorran {

// A point of GPX or TCX with a time takes about this many bytes at least:
// <trkpt lat="0" lon="0"><time>2024-05-01T07:00:00Z</time></trkpt>. Room is made at once
// for n / FEWEST_POINT_BYTES points of a document of n bytes (a watch's file holds a
// quarter of that); points without times, shorter, grow the run as they are read.
inline constexpr std::size_t FEWEST_POINT_BYTES = 64;

class RunXmlReader final : public XmlHandler {
public:
    // document_bytes: the document's size when known, to make room for its points.
    explicit RunXmlReader(const RunLimits& limits = {}, std::size_t document_bytes = 0);

    bool document_type() override;
    bool start_element(std::string_view ns, std::string_view local, std::span<const XmlAttribute> attributes) override;
    bool text(std::string_view text) override;
    bool end_element() override;

    // The run the events gave, or why there is none, given how the parse ended (nothing
    // when the document was read to its end).
    RunReading finish(const std::optional<XmlStop>& stop);

    enum class Tag : unsigned char;

private:
    RunLimits limits_;
    std::size_t document_bytes_;
    std::vector<Tag> open_;       // the elements open, the innermost last
    std::optional<RunBuilder> builder_;
    std::string_view ns_;         // the root's namespace address
    std::optional<std::string> refusal_;
    RunPoint point_;
    bool in_point_ = false;
    double strides_ = NOT_RECORDED;      // cad or RunCadence
    double revolutions_ = NOT_RECORDED;  // TCX's Cadence
    bool on_foot_ = true;                // the TCX Activity's Sport is not Biking
    bool cadence_left_out_ = false;
    std::string value_;                  // the text of the value element open
    std::string value_name_;

    bool refuse(std::string what);
    bool end_value(Tag tag);
};

}  // namespace quorran
