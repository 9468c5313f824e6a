#include "core/toolbox/entry_reading.h"

#include <cmath>

#include "core/toolbox/param_kinds.h"

namespace quorran {
namespace {

// What is wrong with a value outside the param's range; empty when it is inside. A
// Number says its whole range, in its unit; other kinds the bound it crossed.
std::string range_problem(const Param& p, double v) {
    const KindDescription& kind = kind_description(p.kind);
    const bool low_ok = p.open ? v > p.low : v >= p.low;
    const bool high_ok = p.open ? v < p.high : v <= p.high;
    const bool whole_ok = !p.whole || v == std::floor(v);
    if (low_ok && high_ok && whole_ok) return {};
    if (kind.says_whole_range) {
        const std::string_view unit = unit_name(p.unit);
        const std::string range = kind.bound(p, p.low) + (p.open ? " and " : " to ") + kind.bound(p, p.high) +
                                  (unit.empty() ? "" : " " + std::string(unit));
        return std::string("must be ") + (p.whole ? "a whole number " : "") + (p.open ? "between " : "from ") + range;
    }
    if (!low_ok) return std::string("must be ") + (p.open ? "above " : "at least ") + kind.bound(p, p.low);
    return std::string("must be ") + (p.open ? "below " : "at most ") + kind.bound(p, p.high);
}

}  // namespace

std::string Refusal::line() const {
    return argument + (text.empty() && reason.starts_with("is missing") ? "" : " '" + text + "'") + " " + reason;
}

std::string argument_name(const Param& param) {
    return param.positional ? std::string(param.metavar) : "--" + std::string(param.name);
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
    const KindDescription& kind = kind_description(param.kind);
    if (!kind.read(param, text, bare_km, r.value)) return refuse(kind.not_read(param));
    if (kind.bound) {
        if (std::string problem = range_problem(param, r.value.number); !problem.empty()) return refuse(problem);
    }
    return r;
}

std::string describe(const Value& v) { return v.present ? kind_description(v.param->kind).read_back(v) : std::string(); }

}  // namespace quorran
