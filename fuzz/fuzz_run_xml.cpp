// Fuzzes GPX and TCX reading through expat, the XML parser of Linux builds, on arbitrary
// bytes: every outcome is a run that keeps the run's promises, or a refusal that says why.
#include <cstdint>

#include "adapters/xml/expat_parser.h"
#include "core/recorded/read_run.h"
#include "fuzz/run_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    quorran::ExpatParser parser;
    quorran::fuzz::check_reading(bytes, quorran::read_run(bytes, &parser));
    return 0;
}
