#include "ui/web/web_tool_panel_view.h"

#include <emscripten.h>

#include "core/toolbox/json_writer.h"
#include "core/drawing/svg.h"
#include "core/toolbox/report_json.h"

namespace quorran {

namespace {

// Texts cross to the page as a pointer and a length in bytes of UTF-8.
EM_JS(void, panel_show_tools, (const char* json, int length), { Module.panel.showTools(UTF8ToString(json, length)); });
EM_JS(void, panel_show_tool, (int index, const char* json, int length), {
    Module.panel.showTool(index, UTF8ToString(json, length));
});
EM_JS(void, panel_show_units, (int km), { Module.panel.showUnits(km !== 0); });
EM_JS(void, panel_highlight_tool, (int index), { Module.panel.highlightTool(index); });
// The entry's text: its length in bytes, then the text itself, terminated, into buffer.
EM_JS(int, panel_entry_length, (int entry), { return lengthBytesUTF8(Module.panel.entryText(entry)); });
EM_JS(void, panel_entry_text, (int entry, char* buffer, int size), {
    stringToUTF8(Module.panel.entryText(entry), buffer, size);
});
EM_JS(void, panel_set_entry_text, (int entry, const char* text, int length), {
    Module.panel.setEntryText(entry, UTF8ToString(text, length));
});
EM_JS(void, panel_mark_entry, (int entry, const char* text, int length), {
    Module.panel.markEntry(entry, UTF8ToString(text, length));
});
EM_JS(void, panel_show_report, (const char* json, int length, const char* drawings, int drawings_length), {
    Module.panel.showReport(UTF8ToString(json, length), UTF8ToString(drawings, drawings_length));
});
EM_JS(void, panel_set_report_current, (int current), { Module.panel.setReportCurrent(current !== 0); });
EM_JS(void, panel_copy, (const char* text, int length), { Module.panel.copy(UTF8ToString(text, length)); });

int length_of(std::string_view text) { return static_cast<int>(text.size()); }

void choices(JsonWriter& j, std::string_view key, const std::vector<EntryChoice>& all) {
    j.key(key).begin_array();
    for (const EntryChoice& c : all) j.begin_object().field("value", c.value).field("label", c.label).end_object();
    j.end_array();
}

std::string entries_json(const Tool& tool, std::span<const EntryField> entries) {
    JsonWriter j;
    j.begin_object().field("name", tool.name).field("title", tool.title).field("purpose", tool.purpose);
    j.key("entries").begin_array();
    for (const EntryField& f : entries) {
        j.begin_object().field("name", f.name).field("label", without_mnemonic(f.label));
        j.field("kind", entry_kind_word(f.kind)).field("placeholder", f.placeholder);
        j.field("unit", f.unit).field("input_hint", f.input_hint).field("text", f.text);
        choices(j, "choices", f.choices);
        choices(j, "shortcuts", f.shortcuts);
        j.end_object();
    }
    return j.end_array().end_object().text();
}

}  // namespace

// The tools with their titles and the names the page's address gives them (#predict),
// and the labels of the unit setting and of Clear.
void WebToolPanelView::show_tools(std::span<const std::string> titles) {
    JsonWriter j;
    j.begin_object().key("tools").begin_array();
    for (std::size_t i = 0; i < titles.size(); ++i)
        j.begin_object().field("name", tools()[i].name).field("title", titles[i])
            .field("takes_file", takes_file(tools()[i]))
            .end_object();
    j.end_array().key("labels").begin_object();
    for (const auto& [key, label] : {std::pair{"units", PANEL_UNITS_LABEL}, std::pair{"km", PANEL_KM_LABEL},
                                     std::pair{"miles", PANEL_MILES_LABEL}, std::pair{"clear", PANEL_CLEAR_LABEL}})
        j.field(key, without_mnemonic(label));
    const std::string json = j.end_object().end_object().text();
    panel_show_tools(json.data(), length_of(json));
}

void WebToolPanelView::show_tool(int index, std::span<const EntryField> entries) {
    const std::string json = entries_json(tools()[static_cast<std::size_t>(index)], entries);
    panel_show_tool(index, json.data(), length_of(json));
}

void WebToolPanelView::show_units(Units units) { panel_show_units(units == Units::Km ? 1 : 0); }

void WebToolPanelView::highlight_tool(int index) { panel_highlight_tool(index); }

std::string WebToolPanelView::entry_text(int entry) const {
    std::string text(static_cast<std::size_t>(panel_entry_length(entry)) + 1, '\0');
    panel_entry_text(entry, text.data(), length_of(text));
    text.pop_back();
    return text;
}

void WebToolPanelView::set_entry_text(int entry, std::string_view text) {
    panel_set_entry_text(entry, text.data(), length_of(text));
}

void WebToolPanelView::mark_entry(int entry, std::string_view problem) {
    panel_mark_entry(entry, problem.data(), length_of(problem));
}

// The report, and its drawings apart as the page shows them: each an SVG picture with
// its heading and the words that say what it shows.
void WebToolPanelView::show_report(const Report& report) {
    const std::string json = report_json(report);
    JsonWriter drawings;
    drawings.begin_array();
    for (const Drawing& d : report.drawings)
        drawings.begin_object().field("key", d.key).field("title", d.title).field("text_alternative", d.text_alternative)
            .field("svg", svg_document(d)).end_object();
    const std::string& pictures = drawings.end_array().text();
    panel_show_report(json.data(), length_of(json), pictures.data(), length_of(pictures));
}

void WebToolPanelView::set_report_current(bool current) { panel_set_report_current(current ? 1 : 0); }

void WebToolPanelView::copy_to_clipboard(std::string_view text) { panel_copy(text.data(), length_of(text)); }

}  // namespace quorran
