#pragma once

#include <string>
#include <string_view>

namespace quorran {

// Writes one JSON value, compactly. Numbers print in the shortest form that reads back
// as the same double; a number that is not finite prints as null.
class JsonWriter {
public:
    JsonWriter& begin_object() { return open('{'); }
    JsonWriter& end_object() { return close('}'); }
    JsonWriter& begin_array() { return open('['); }
    JsonWriter& end_array() { return close(']'); }
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(double number);
    JsonWriter& value(bool flag);
    JsonWriter& null();
    JsonWriter& value(int number) { return value(static_cast<double>(number)); }
    // A key and its value.
    template <typename T>
    JsonWriter& field(std::string_view name, T v) {
        return key(name).value(v);
    }
    const std::string& text() const { return text_; }

private:
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);
    void separate();

    std::string text_;
    bool after_value_ = false;
};

}  // namespace quorran
