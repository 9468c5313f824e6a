#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/recorded/run.h"

// Reading a recorded run from a file's bytes, whatever its format: the format comes from
// the content, never from the file's name.
namespace quorran {

class XmlParser;

// What a reader takes on at most. Beyond these a file is refused, so that no file can
// hold the program's memory or time hostage.
struct RunLimits {
    // A day's run written as GPX at one point a second is about 20 MB.
    std::size_t max_bytes = std::size_t{256} << 20;
    // 23 days at one point a second; 144 MB of points.
    std::size_t max_points = 2'000'000;
    // Nested XML elements; TCX's deepest value is nine down.
    std::size_t max_depth = 64;
    // Characters of one value's text (a number, a time), blanks around it included.
    std::size_t max_value = 256;
};

// Why a file cannot be read, and where.
struct RunRefusal {
    std::string what;                 // in words: "the document declares a DTD, ..."
    std::optional<std::size_t> line;  // in an XML document, from 1
    std::optional<std::size_t> byte;  // in a FIT file, from 0
    std::string detail;               // the XML parser's own words, when the fault is its finding

    // "line 3: what (detail)", "byte 771: what", or what alone when the place is unknown.
    std::string message() const;
};

// A run, or why there is none.
struct RunReading {
    std::optional<Run> run;
    RunRefusal refusal;  // when there is no run
};

// Reads a FIT file (".FIT" at bytes 8 to 11) or an XML document whose root element is
// GPX's gpx (1.0 or 1.1) or TCX's TrainingCenterDatabase (v2), through xml. Without an
// XML parser (xml null) a GPX or TCX file is refused.
RunReading read_run(std::string_view bytes, XmlParser* xml, const RunLimits& limits = {});

// Whether read_run() gives these bytes to the XML parser: XML within the limits, not FIT.
bool read_as_xml(std::string_view bytes, const RunLimits& limits = {});

}  // namespace quorran
