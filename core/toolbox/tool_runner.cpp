#include "core/toolbox/tool_runner.h"

#include <algorithm>
#include <stdexcept>

#include "core/toolbox/entry_reading.h"

namespace quorran {
namespace {

const std::string* given_text(const Entries& entries, std::string_view name) {
    for (const auto& [n, text] : entries)
        if (n == name) return &text;
    return nullptr;
}

}  // namespace

const Value& Inputs::operator[](Entry entry) const {
    const Value& v = values_.at(entry.index);
    if (v.param->name != entry.name) throw std::out_of_range("the entry '" + std::string(entry.name) + "' is another tool's");
    return v;
}

const Value& Inputs::named(std::string_view name) const {
    const auto at = std::find_if(values_.begin(), values_.end(), [name](const Value& v) { return v.param->name == name; });
    if (at == values_.end()) throw std::out_of_range("no entry named '" + std::string(name) + "'");
    return *at;
}

bool bare_in_km(const Param& param, const Entries& entries) {
    return !param.bare_km_flag.empty() && given_text(entries, param.bare_km_flag) != nullptr;
}

Outcome run_tool(const Tool& tool, const Entries& entries) {
    std::vector<Value> values;
    for (const Param& p : tool.params) {
        const std::string* text = given_text(entries, p.name);
        if (text == nullptr && p.fallback.empty()) {
            if (p.required) return {.refusal = Refusal{p.name, argument_name(p), "", "is missing"}};
            values.push_back(Value{.param = &p});
            continue;
        }
        Reading r = read_value(p, text ? std::string_view(*text) : p.fallback, bare_in_km(p, entries));
        if (r.refusal) return {.refusal = r.refusal};
        r.value.given = text != nullptr;
        values.push_back(std::move(r.value));
    }
    Outcome outcome = tool.run(Inputs(values));
    if (!outcome.refusal) outcome.read = std::move(values);
    return outcome;
}

}  // namespace quorran
