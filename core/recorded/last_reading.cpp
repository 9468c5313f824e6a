#include "core/recorded/last_reading.h"

namespace quorran {

const RunReading& LastReading::read(FileBytes bytes, XmlParser* xml) {
    if (!reading_ || xml != xml_ || (bytes != bytes_ && *bytes != *bytes_)) {
        // Forgotten first, so that a reading cut short (out of memory) is never kept for these bytes.
        reading_.reset();
        reading_ = read_run(*bytes, xml);
        bytes_ = std::move(bytes);
        xml_ = xml;
    }
    return *reading_;
}

void LastReading::keep(FileBytes bytes, XmlParser* xml, RunReading reading) {
    reading_ = std::move(reading);
    bytes_ = std::move(bytes);
    xml_ = xml;
}

LastReading& last_reading() {
    static LastReading last;
    return last;
}

}  // namespace quorran
