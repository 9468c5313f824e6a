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

namespace {

// Reads every entry by the params and runs the function on them. A refusal keeps the
// entries read before it.
Outcome run_with(std::span<const Param> params, Outcome (*run)(const Inputs&), const Entries& entries) {
    std::vector<Value> values;
    const auto refused = [&](Refusal refusal) { return Outcome{.params = params, .read = values, .refusal = std::move(refusal)}; };
    for (const Param& p : params) {
        const std::string* text = given_text(entries, p.name);
        if (text == nullptr && p.fallback.empty()) {
            if (p.required) return refused(Refusal{&p, params, "", "is missing"});
            values.push_back(Value{.param = &p});
            continue;
        }
        Reading r = read_value(p, params, text ? std::string_view(*text) : p.fallback, bare_in_km(p, entries));
        if (r.refusal) return refused(std::move(*r.refusal));
        r.value.given = text != nullptr;
        values.push_back(std::move(r.value));
    }
    Outcome outcome = run(Inputs(values, params));
    outcome.params = params;
    if (outcome.read.empty()) outcome.read = std::move(values);
    return outcome;
}

}  // namespace

Outcome run_tool(const Tool& tool, const Entries& entries) { return run_with(tool.params, tool.run, entries); }

Outcome run_dialog_fields(const Tool& tool, const Entries& fields) {
    return run_with(tool.dialog->params, tool.dialog->run, fields);
}

}  // namespace quorran
