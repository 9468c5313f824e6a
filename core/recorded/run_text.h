#pragma once

#include <string>

#include "core/recorded/read_run.h"
#include "core/recorded/run.h"

// A run as text, every field of it, so that two runs compare as texts and a test that
// fails shows what differs: the format, the parts, the timer's stops, the reading notes,
// then a table of the points, each number with fixed decimals (degrees to 1e-7, metres to
// the millimetre), times in UTC to the microsecond, "-" for what the file does not hold.
namespace quorran {

std::string run_text(const Run& run);

// The run's text, or "refused: " and the refusal's place and words (without the XML
// parser's own words, which differ from parser to parser).
std::string reading_text(const RunReading& reading);

}  // namespace quorran
