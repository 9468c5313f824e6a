#include "core/toolbox/table_json.h"

#include "core/toolbox/json_writer.h"
#include "core/toolbox/param_kinds.h"

namespace quorran {
namespace {

void write_param(JsonWriter& j, const Param& p) {
    const KindDescription& kind = kind_description(p.kind);
    const auto text_or_null = [&j](std::string_view key, std::string_view text) {
        j.key(key);
        if (text.empty()) j.null();
        else j.value(text);
    };
    j.begin_object().field("name", p.name).field("label", p.label);
    text_or_null("metavar", p.metavar);
    j.field("kind", kind.name).field("positional", p.positional).field("required", p.required);
    text_or_null("default", p.fallback);
    text_or_null("example", p.example);
    j.field("forms", p.forms);
    text_or_null("unit", unit_name(value_unit(p)));
    j.key("range");
    if (kind.bound) j.begin_object().field("low", p.low).field("high", p.high).field("open", p.open).field("whole", p.whole).end_object();
    else j.null();
    j.key("choices").begin_array();
    for (const Choice& c : p.choices) j.begin_object().field("value", c.value).field("label", c.label).end_object();
    j.end_array();
    text_or_null("bare_km_flag", p.bare_km_flag);
    j.field("command_line_only", p.command_line_only).field("chooses_document", p.chooses_document).end_object();
}

}  // namespace

std::string table_json(std::span<const Tool> tools, const Tool* only) {
    JsonWriter j;
    j.begin_object().key("tool");
    if (only) j.value(only->name);
    else j.null();
    j.field("status", "help").key("tools").begin_array();
    for (const Tool& tool : tools) {
        if (only && only != &tool) continue;
        j.begin_object().field("name", tool.name).field("title", tool.title).field("purpose", tool.purpose);
        j.field("details", tool.details).key("params").begin_array();
        for (const Param& p : tool.params) write_param(j, p);
        j.end_array().key("examples").begin_array();
        for (const std::string_view example : tool.examples) j.value(example);
        j.end_array().end_object();
    }
    return j.end_array().end_object().text();
}

}  // namespace quorran
