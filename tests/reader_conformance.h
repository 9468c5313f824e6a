#pragma once

#include <string>
#include <vector>

#include "core/recorded/xml_events.h"

namespace quorran::testing {

// What every XML adapter must do: report the events of the core's interface as it says,
// give every XML sample of tests/runs/xml the run (or the refusal) written in
// tests/runs/expected, refuse an entity bomb within 10 ms, and stop at the limits exactly.
// Returns the checks that failed (none when all passed).
std::vector<std::string> check_reader_conformance(XmlParser& parser);

}  // namespace quorran::testing
