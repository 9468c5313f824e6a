#include "core/toolbox/entry_reading.h"

#include <cmath>

#include "core/toolbox/entry_forms.h"
#include "core/toolbox/param_kinds.h"

namespace quorran {
namespace {

// What is wrong with a value outside the param's range; empty when it is inside. A
// Number says its whole range, in its unit; other kinds the bound it crossed.
std::string range_problem(const Param& p, double v, bool in_km) {
    const KindDescription& kind = kind_description(p.kind);
    const bool low_ok = p.open ? v > p.low : v >= p.low;
    const bool high_ok = p.open ? v < p.high : v <= p.high;
    const bool whole_ok = !p.whole || v == std::floor(v);
    if (low_ok && high_ok && whole_ok) return {};
    if (kind.says_whole_range) {
        const std::string_view unit = unit_name(p.unit);
        const std::string range = kind.bound(p, p.low, in_km) + (p.open ? " and " : " to ") + kind.bound(p, p.high, in_km) +
                                  (unit.empty() ? "" : " " + std::string(unit));
        return std::string("must be ") + (p.whole ? "a whole number " : "") + (p.open ? "between " : "from ") + range;
    }
    if (!low_ok) return std::string("must be ") + (p.open ? "above " : "at least ") + kind.bound(p, p.low, in_km);
    return std::string("must be ") + (p.open ? "below " : "at most ") + kind.bound(p, p.high, in_km);
}

}  // namespace

std::string Refusal::argument(Audience audience) const { return entry_name(*param, audience); }

std::string Refusal::reason_in(Audience audience, bool km_setting) const {
    return in_words(reason, params, audience) + (then_forms ? forms_text(*param, params, audience, km_setting) : "");
}

std::string Refusal::line(Audience audience) const {
    return argument(audience) + (text.empty() && reason.starts_with("is missing") ? "" : " '" + text + "'") + " " +
           reason_in(audience);
}

Refusal refusal_of(const Value& value, std::span<const Param> params, std::string reason) {
    return Refusal{value.param, params, value.text, std::move(reason)};
}

Reading read_value(const Param& param, std::span<const Param> params, std::string_view text, bool bare_km) {
    Reading r;
    r.value.param = &param;
    r.value.text = std::string(text);
    r.value.present = true;
    const auto refuse = [&](std::string reason, bool then_forms = false) {
        r.refusal = Refusal{&param, params, std::string(text), std::move(reason), then_forms};
        return r;
    };
    const KindDescription& kind = kind_description(param.kind);
    std::string why_not;
    if (!kind.read(param, trimmed(text), bare_km, r.value, why_not))
        return why_not.empty() ? refuse(kind.not_read(param), kind.not_read_gives_forms) : refuse(escaped(why_not));
    if (kind.bound) {
        if (std::string problem = range_problem(param, r.value.number, r.value.in_km); !problem.empty()) {
            // "must be at least 100 m: '26.2 m' is metres; for miles type 26.2mi"
            const std::string hint = kind.reading_hint(r.value);
            return refuse(hint.empty() ? problem : problem + ": '" + escaped(trimmed(text)) + "' " + hint);
        }
    }
    return r;
}

std::string describe(const Value& v) { return v.present ? kind_description(v.param->kind).read_back(v) : std::string(); }

}  // namespace quorran
