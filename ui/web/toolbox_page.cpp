#include "ui/web/toolbox_page.h"

#include <emscripten.h>

#include <set>
#include <string>

#include "core/toolbox/tool_panel.h"
#include "ui/web/web_tool_panel_view.h"

namespace {

// The tool the page's address names ("predict" for #predict), into buffer.
EM_JS(void, panel_asked_tool, (char* buffer, int size), { stringToUTF8(Module.panel.askedTool(), buffer, size); });
// The language of the browser's user ("en-US"), into buffer.
EM_JS(void, page_language, (char* buffer, int size), { stringToUTF8(navigator.language || "", buffer, size); });

// The page's localStorage under "quorran." keys. A browser may keep nothing (storage
// turned off, or full): reading then gives nothing and writing fails, quietly.
EM_JS(int, stored_length, (const char* key, int length), {
    try {
        return lengthBytesUTF8(localStorage.getItem('quorran.' + UTF8ToString(key, length)) || "");
    } catch (e) {
        return 0;
    }
});
EM_JS(void, stored_text, (const char* key, int length, char* buffer, int size), {
    try {
        stringToUTF8(localStorage.getItem('quorran.' + UTF8ToString(key, length)) || "", buffer, size);
    } catch (e) {
        stringToUTF8("", buffer, size);
    }
});
EM_JS(void, store, (const char* key, int key_length, const char* text, int length), {
    const name = 'quorran.' + UTF8ToString(key, key_length);
    try {
        if (length) localStorage.setItem(name, UTF8ToString(text, length));
        else localStorage.removeItem(name);
    } catch (e) {
        try { localStorage.removeItem(name); } catch (e) {}
    }
});

// What the runner typed and the unit setting, kept in the page's localStorage from one
// visit to the next. What this visit changed is also kept in memory (the core's
// KeptInMemory), which answers for it: a browser that keeps nothing, or no more, still
// carries the race from tool to tool until the page closes, and never recalls an older text.
class PageMemory final : public quorran::EntryMemory {
public:
    std::string recall(std::string_view key) const override {
        if (changed_.contains(key)) return kept_.recall(key);
        std::string text(static_cast<std::size_t>(stored_length(key.data(), size(key))) + 1, '\0');
        stored_text(key.data(), size(key), text.data(), size(text));
        text.pop_back();
        return text;
    }
    void remember(std::string_view key, std::string_view text) override {
        changed_.emplace(key);
        kept_.remember(key, text);
        store(key.data(), size(key), text.data(), size(text));
    }

private:
    static int size(std::string_view text) { return static_cast<int>(text.size()); }

    quorran::KeptInMemory kept_;
    std::set<std::string, std::less<>> changed_;
};

PageMemory memory;
quorran::WebToolPanelView panel;
quorran::ToolboxCommands toolbox(panel, memory);

}  // namespace

void quorran::open_toolbox_page() {
    char asked[64], language[64];
    panel_asked_tool(asked, sizeof asked);
    page_language(language, sizeof language);
    toolbox.open(asked, units_for_locale(language));
}

extern "C" EMSCRIPTEN_KEEPALIVE void quorran_tool_chosen(int index) { toolbox.on_tool_chosen(index); }
extern "C" EMSCRIPTEN_KEEPALIVE void quorran_entry_changed(int entry) { toolbox.on_entry_changed(entry); }
extern "C" EMSCRIPTEN_KEEPALIVE void quorran_shortcut(int entry, int shortcut) { toolbox.on_shortcut(entry, shortcut); }
extern "C" EMSCRIPTEN_KEEPALIVE void quorran_copy() { toolbox.on_copy(); }
extern "C" EMSCRIPTEN_KEEPALIVE void quorran_units_chosen(int km) {
    toolbox.on_units_chosen(km ? quorran::Units::Km : quorran::Units::Miles);
}
extern "C" EMSCRIPTEN_KEEPALIVE void quorran_clear() { toolbox.on_clear(); }
