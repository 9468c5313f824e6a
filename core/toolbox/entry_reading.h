#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/toolbox/tool.h"

// Reading one entry of a tool by its param: its kind's form, then its range, or a
// refusal that says what is wrong in words.
namespace quorran {

struct Reading {
    Value value{};
    std::optional<Refusal> refusal{};
};

// Reads the text of one param of a tool of these params; bare_km reads a bare value in
// km (a distance, a speed) or per km (a pace), as the param's bare_km_flag does. A refusal
// when the text is no such value or the value lies outside the param's range.
Reading read_value(const Param& param, std::span<const Param> params, std::string_view text, bool bare_km);

// A refusal of an entry read, for what a tool cannot take.
Refusal refusal_of(const Value& value, std::span<const Param> params, std::string reason);

// How an entry reads back, canonically: "5 km", "20:00", "4:30 /km", "riegel"; empty
// when it is absent.
std::string describe(const Value& value);

}  // namespace quorran
