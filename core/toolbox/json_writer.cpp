#include "core/toolbox/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <version>

namespace quorran {

void JsonWriter::separate() {
    if (after_value_) text_ += ',';
    after_value_ = false;
}

JsonWriter& JsonWriter::open(char bracket) {
    separate();
    text_ += bracket;
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    text_ += bracket;
    after_value_ = true;
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    value(name);
    text_ += ':';
    after_value_ = false;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view s) {
    separate();
    text_ += '"';
    for (const char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (byte < 0x20) {
            static constexpr char HEX[] = "0123456789abcdef";
            text_ += "\\u00";
            text_ += HEX[byte >> 4];
            text_ += HEX[byte & 0xf];
        } else {
            text_ += c;
        }
    }
    text_ += '"';
    after_value_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    separate();
    if (std::isfinite(number)) {
        char buffer[32];
#if defined(__cpp_lib_to_chars)
        // The shortest digits that read back as the same double.
        text_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, number).ptr);
#else
        // Without to_chars for double (Emscripten's library), 17 significant digits read
        // back as the same double too; the program never sets a locale.
        text_.append(buffer, static_cast<std::size_t>(std::snprintf(buffer, sizeof buffer, "%.17g", number)));
#endif
    } else {
        text_ += "null";
    }
    after_value_ = true;
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    text_ += "null";
    after_value_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    separate();
    text_ += flag ? "true" : "false";
    after_value_ = true;
    return *this;
}

}  // namespace quorran
