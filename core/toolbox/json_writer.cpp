#include "core/toolbox/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <version>

namespace quorran {

namespace {

// The length of the UTF-8 character text begins with, or 0 when it begins none: a lead
// byte and its continuation bytes, no overlong form, no surrogate, nothing past U+10FFFF.
std::size_t utf8_length(std::string_view text) {
    const auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = at(0);
    const std::size_t length = lead >= 0xc2 && lead <= 0xdf ? 2 : lead >= 0xe0 && lead <= 0xef ? 3
                             : lead >= 0xf0 && lead <= 0xf4 ? 4 : 0;
    if (length == 0 || text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((at(i) & 0xc0) != 0x80) return 0;
    // The second byte's range after the leads that would allow overlong forms, surrogates
    // or code points beyond U+10FFFF.
    const unsigned char second = at(1);
    if ((lead == 0xe0 && second < 0xa0) || (lead == 0xed && second > 0x9f) || (lead == 0xf0 && second < 0x90) ||
        (lead == 0xf4 && second > 0x8f))
        return 0;
    return length;
}

}  // namespace

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
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (byte < 0x20) {
            static constexpr char HEX[] = "0123456789abcdef";
            text_ += "\\u00";
            text_ += HEX[byte >> 4];
            text_ += HEX[byte & 0xf];
        } else if (byte >= 0x80) {
            // JSON is UTF-8: a byte that begins no whole character stands as U+FFFD.
            const std::size_t length = utf8_length(s.substr(i));
            if (length == 0) text_ += "\\ufffd", ++i;
            else text_.append(s.substr(i, length)), i += length;
            continue;
        } else {
            text_ += c;
        }
        ++i;
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
