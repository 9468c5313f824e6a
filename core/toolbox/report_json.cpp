#include "core/toolbox/report_json.h"

#include <cmath>

#include "core/toolbox/json_writer.h"
#include "core/toolbox/param_kinds.h"

namespace quorran {
namespace {

JsonWriter& number_or_null(JsonWriter& j, double value) { return std::isnan(value) ? j.null() : j.value(value); }

JsonWriter& text_or_null(JsonWriter& j, std::string_view text) { return text.empty() ? j.null() : j.value(text); }

JsonWriter& unit(JsonWriter& j, Unit u) { return text_or_null(j.key("unit"), unit_name(u)); }

void write_input(JsonWriter& j, const Value& v) {
    const KindDescription& kind = kind_description(v.param->kind);
    j.key(v.param->name).begin_object();
    // A flag has no text; any other entry its text as typed, or its default.
    const bool has_text = v.present && kind.shape != ValueShape::OnOff;
    text_or_null(j.key("text"), has_text ? std::string_view(v.text) : "");
    j.key("given").value(v.given);
    j.key("value");
    switch (kind.shape) {
        case ValueShape::Number: number_or_null(j, v.number); break;
        case ValueShape::Choice: text_or_null(j, v.choice); break;
        case ValueShape::OnOff: j.value(v.on); break;
        case ValueShape::Text:
        case ValueShape::File: text_or_null(j, has_text ? std::string_view(v.text) : ""); break;
    }
    unit(j, value_unit(*v.param));
    if (kind.entered_in) {
        j.key("entered_in");
        if (!v.present) j.null();
        else j.value(kind.entered_in(v));
    }
    j.end_object();
}

void write_cell(JsonWriter& j, const Cell& c) {
    j.begin_object().field("text", c.text);
    number_or_null(j.key("value"), c.value);
    text_or_null(j.key("flag"), c.flag);
    j.end_object();
}

void write_report(JsonWriter& j, const Report& r) {
    j.key("headlines").begin_array();
    for (const Headline& h : r.headlines) {
        j.begin_object().field("key", h.key).field("label", h.label);
        unit(j, h.unit).field("text", h.cell.text);
        number_or_null(j.key("value"), h.cell.value);
        text_or_null(j.key("flag"), h.cell.flag);
        j.field("self_described", h.self_described).field("main", h.main).end_object();
    }
    j.end_array().key("tables").begin_array();
    for (const Table& t : r.tables) {
        j.begin_object().field("key", t.key).field("title", t.title).key("columns").begin_array();
        for (const Column& c : t.columns)
            unit(j.begin_object().field("key", c.key).field("label", c.label), c.unit).field("names", c.names).end_object();
        j.end_array().key("rows").begin_array();
        for (const auto& row : t.rows) {
            j.begin_array();
            for (const Cell& c : row) write_cell(j, c);
            j.end_array();
        }
        j.end_array().key("lines").begin_array();
        for (const auto& line : t.lines) j.value(line);
        j.end_array().end_object();
    }
    j.end_array().key("notes").begin_array();
    static constexpr std::string_view KINDS[] = {"flag", "credit", "reading"};
    for (const Note& n : r.notes) {
        j.begin_object().field("key", n.key).field("kind", KINDS[static_cast<int>(n.kind)]).field("text", n.text);
        text_or_null(j.key("mark"), n.mark).end_object();
    }
    j.end_array().key("documents").begin_array();
    for (const Document& d : r.documents) {
        j.begin_object().field("key", d.key).field("file_name", d.file_name).field("media_type", d.media_type);
        j.field("printable", d.printable).field("text", d.text).end_object();
    }
    j.end_array();
}

JsonWriter& write_error(JsonWriter& j, std::string_view argument, std::string_view text, std::string_view reason,
                        std::string_view message) {
    j.key("error").begin_object();
    text_or_null(j.key("argument"), argument);
    j.field("text", text).field("reason", reason).field("message", message);
    return j.end_object();
}

}  // namespace

std::string outcome_json(const Tool& tool, const Outcome& o) {
    JsonWriter j;
    j.begin_object().field("tool", tool.name);
    j.field("status", o.refusal ? "refused" : o.warning ? "warning" : "ok");
    // A refusal gives the entries as far as they were read.
    j.key("input").begin_object();
    for (const Value& v : o.read) write_input(j, v);
    j.end_object();
    if (o.refusal) {
        write_error(j, o.refusal->argument(), o.refusal->text, o.refusal->reason_in(), o.refusal->line());
        return j.end_object().text();
    }
    if (o.warning) j.field("warning", *o.warning);
    write_report(j, said_to(o.report, o.params, Audience::CommandLine));
    return j.end_object().text();
}

std::string report_json(const Report& report) {
    JsonWriter j;
    j.begin_object();
    write_report(j, report);
    return j.end_object().text();
}

std::string usage_error_json(std::string_view tool, std::string_view message) {
    JsonWriter j;
    j.begin_object();
    text_or_null(j.key("tool"), tool);
    j.field("status", "usage");
    write_error(j, "", "", message, message);
    return j.end_object().text();
}

}  // namespace quorran
