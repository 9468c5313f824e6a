#pragma once

#include <cstdint>
#include <string_view>

#include "core/recorded/read_run.h"

// FIT, the binary format of Garmin's and many other watches, read from the protocol's
// published description.
namespace quorran {

// Reads a FIT file, chained files included. A file cut short gives what it holds with a
// note; a damaged header, a CRC that does not match or a message that cannot be read is
// refused, saying at which byte. Of the limits, only the number of points counts here:
// read_run checks the file's size.
RunReading read_fit(std::string_view bytes, const RunLimits& limits = {});

// The CRC that FIT files carry (CRC-16 with the reflected polynomial 0xA001, from 0): over
// a header or a file with its own CRC after it, it gives 0.
std::uint16_t fit_crc(std::string_view bytes, std::uint16_t crc = 0);

// True when the bytes start as a FIT file does: a header size of 12 or more and ".FIT" at
// bytes 8 to 11.
bool looks_like_fit(std::string_view bytes);

}  // namespace quorran
