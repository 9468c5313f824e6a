// Reading a tool's entries by its params: forms, ranges and refusals, for every tool.
#include <algorithm>
#include <cmath>

#include "core/numbers/number_text.h"
#include "core/toolbox/clock_time.h"
#include "core/toolbox/race_distances.h"
#include "core/toolbox/strict_entry.h"
#include "core/toolbox/tool_table.h"

namespace quorran {
namespace {

constexpr std::string_view KM_FLAG = "km";
constexpr std::string_view PER_KM_FLAG = "per-km";

// Seconds with as many decimals as they have, up to three: 20:00, 59.5, 1:05:30.25.
std::string time_text(double seconds) {
    int decimals = 0;
    while (decimals < 3 && std::fabs(seconds * std::pow(10.0, decimals) - std::round(seconds * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;
    return clock_text(seconds, decimals);
}

// A bound of a param's range as a runner reads it.
std::string bound_text(const Param& p, double bound) {
    switch (p.kind) {
        case ParamKind::Distance:
            return bound >= METRES_PER_KM ? decimal_text(bound / METRES_PER_KM) + " km" : decimal_text(bound) + " m";
        case ParamKind::Time: return bound == 0 ? "zero" : time_text(bound);
        case ParamKind::Pace: return time_text(bound) + " /km";
        default: return decimal_text(bound);
    }
}

// What is wrong with a value outside the param's range; empty when it is inside.
std::string range_problem(const Param& p, double v) {
    const bool low_ok = p.open ? v > p.low : v >= p.low;
    const bool high_ok = p.open ? v < p.high : v <= p.high;
    const bool whole_ok = !p.whole || v == std::floor(v);
    if (low_ok && high_ok && whole_ok) return {};
    if (p.kind == ParamKind::Number) {
        const std::string range = bound_text(p, p.low) + (p.open ? " and " : " to ") + bound_text(p, p.high);
        return std::string("must be ") + (p.whole ? "a whole number " : "") + (p.open ? "between " : "from ") + range;
    }
    if (!low_ok) return std::string("must be ") + (p.open ? "above " : "at least ") + bound_text(p, p.low);
    return std::string("must be ") + (p.open ? "below " : "at most ") + bound_text(p, p.high);
}

std::string kind_word(ParamKind kind) {
    switch (kind) {
        case ParamKind::Distance: return "a distance";
        case ParamKind::Time: return "a time";
        case ParamKind::Pace: return "a pace";
        case ParamKind::Number: return "a number";
        default: return "one of them";
    }
}

// Reads the text by the param's kind into value; false when it is no such value.
bool read_form(const Param& p, std::string_view text, bool bare_km, Value& value) {
    switch (p.kind) {
        case ParamKind::Distance: {
            const auto d = read_distance(text, bare_km);
            if (d) value.number = d->metres, value.in_km = d->in_km;
            return d.has_value();
        }
        case ParamKind::Time: {
            const auto t = read_time(text);
            if (t) value.number = *t;
            return t.has_value();
        }
        case ParamKind::Pace: {
            const auto pace = read_pace(text, bare_km);
            if (pace) value.number = pace->seconds_per_km, value.in_km = pace->per_km;
            return pace.has_value();
        }
        case ParamKind::Number: {
            // A sign is allowed here: --negative -2 runs the second half slower.
            const bool minus = text.starts_with('-');
            const auto n = read_decimal(minus ? text.substr(1) : text);
            if (n) value.number = minus ? -*n : *n;
            return n.has_value();
        }
        case ParamKind::Choice:
            for (const Choice& c : p.choices)
                if (same_letters(c.value, text)) value.choice = c.value;
            return !value.choice.empty();
        case ParamKind::Flag: value.on = true; return true;
        case ParamKind::Text:
        case ParamKind::Field: return true;
    }
    return false;
}

std::string form_problem(const Param& p) {
    if (p.kind == ParamKind::Choice) {
        std::string values;
        for (const Choice& c : p.choices) values.append(values.empty() ? "" : ", ").append(c.value);
        return "is not one of " + values;
    }
    return "is not " + kind_word(p.kind) + ": give " + std::string(p.forms);
}

}  // namespace

std::string Refusal::line() const {
    return argument + (text.empty() && reason.starts_with("is missing") ? "" : " '" + text + "'") + " " + reason;
}

std::string argument_name(const Param& param) {
    return param.positional ? std::string(param.metavar) : "--" + std::string(param.name);
}

const Value& Inputs::operator[](std::string_view name) const {
    const auto it = std::find_if(values_.begin(), values_.end(), [name](const Value& v) { return v.param->name == name; });
    return *it;
}

Reading read_value(const Param& param, std::string_view text, bool bare_km) {
    Reading r;
    r.value.param = &param;
    r.value.text = std::string(text);
    r.value.present = true;
    const auto refuse = [&](std::string reason) {
        r.refusal = Refusal{param.name, argument_name(param), std::string(text), std::move(reason)};
        return r;
    };
    if (!read_form(param, text, bare_km, r.value)) return refuse(form_problem(param));
    const bool ranged = param.kind == ParamKind::Distance || param.kind == ParamKind::Time ||
                        param.kind == ParamKind::Pace || param.kind == ParamKind::Number;
    if (ranged) {
        if (std::string problem = range_problem(param, r.value.number); !problem.empty()) return refuse(problem);
    }
    return r;
}

const Tool* find_tool(std::string_view name) {
    for (const Tool& tool : tools())
        if (tool.name == name) return &tool;
    return nullptr;
}

const Param* find_param(const Tool& tool, std::string_view name) {
    for (const Param& p : tool.params)
        if (p.name == name) return &p;
    return nullptr;
}

Outcome run_tool(const Tool& tool, const Entries& entries) {
    const auto given = [&entries](std::string_view name) -> const std::string* {
        for (const auto& [n, text] : entries)
            if (n == name) return &text;
        return nullptr;
    };
    const bool km = given(KM_FLAG) != nullptr, per_km = given(PER_KM_FLAG) != nullptr;
    std::vector<Value> values;
    for (const Param& p : tool.params) {
        const std::string* text = given(p.name);
        if (text == nullptr && p.fallback.empty()) {
            if (p.required) return {.refusal = Refusal{p.name, argument_name(p), "", "is missing"}};
            values.push_back(Value{.param = &p});
            continue;
        }
        Reading r = read_value(p, text ? std::string_view(*text) : p.fallback,
                               p.kind == ParamKind::Pace ? per_km : km);
        if (r.refusal) return {.refusal = r.refusal};
        r.value.given = text != nullptr;
        values.push_back(std::move(r.value));
    }
    Outcome outcome = tool.run(Inputs(values));
    if (!outcome.refusal) outcome.read = std::move(values);
    return outcome;
}

std::string describe(const Value& v) {
    if (!v.present) return {};
    switch (v.param->kind) {
        case ParamKind::Distance:
            if (v.number == MARATHON_METRES || v.number == HALF_MARATHON_METRES)
                return v.number == MARATHON_METRES ? "marathon" : "half marathon";
            if (!v.in_km) return decimal_text(v.number / METRES_PER_MILE, 3) + " mi";
            return v.number < METRES_PER_KM ? decimal_text(v.number, 2) + " m"
                                             : decimal_text(v.number / METRES_PER_KM, 4) + " km";
        case ParamKind::Time: return time_text(v.number);
        case ParamKind::Pace:
            return v.in_km ? time_text(v.number) + " /km" : time_text(v.number * (METRES_PER_MILE / METRES_PER_KM)) + " /mi";
        case ParamKind::Number: return decimal_text(v.number);
        case ParamKind::Choice: return std::string(v.choice);
        case ParamKind::Flag: return v.on ? "on" : "off";
        case ParamKind::Text:
        case ParamKind::Field: return v.text;
    }
    return v.text;
}

}  // namespace quorran
