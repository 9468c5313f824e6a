// Fuzzes the FIT reader on arbitrary bytes: every outcome is a run that keeps the run's
// promises, or a refusal that says why. Inputs whose last byte is odd get their CRCs
// mended first, header by header along the chain, so that the fuzzer gets past them to
// the messages.
#include <cstdint>
#include <string>

#include "core/recorded/fit_reader.h"
#include "fuzz/run_invariants.h"

namespace {

void put16(std::string& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void mend_crcs(std::string& bytes) {
    for (std::size_t start = 0; bytes.size() - start >= 12;) {
        const auto byte = [&](std::size_t at) { return static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at])); };
        const std::size_t header = byte(start);
        if (header < 12 || bytes.size() - start < header) return;
        if (header >= 14) put16(bytes, start + 12, quorran::fit_crc(std::string_view(bytes).substr(start, 12)));
        const std::uint64_t end = start + header + (byte(start + 4) | byte(start + 5) << 8 | byte(start + 6) << 16 | byte(start + 7) << 24);
        if (end + 2 > bytes.size()) return;
        put16(bytes, end, quorran::fit_crc(std::string_view(bytes).substr(start, end - start)));
        start = end + 2;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (size > 0 && (bytes.back() & 1)) mend_crcs(bytes);
    quorran::fuzz::check_reading(bytes, quorran::read_fit(bytes));
    return 0;
}
