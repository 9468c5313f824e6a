#include "ui/web/toolbox_page.h"

#include <emscripten.h>

#include "core/toolbox/tool_panel.h"
#include "ui/web/web_tool_panel_view.h"

namespace {

// The tool the page's address names ("predict" for #predict), into buffer.
EM_JS(void, panel_asked_tool, (char* buffer, int size), { stringToUTF8(Module.panel.askedTool(), buffer, size); });

quorran::WebToolPanelView panel;
quorran::ToolboxCommands toolbox(panel);

}  // namespace

void quorran::open_toolbox_page() {
    char asked[64];
    panel_asked_tool(asked, sizeof asked);
    toolbox.open(asked);
}

extern "C" EMSCRIPTEN_KEEPALIVE void quorran_tool_chosen(int index) { toolbox.on_tool_chosen(index); }
extern "C" EMSCRIPTEN_KEEPALIVE void quorran_entry_changed(int entry) { toolbox.on_entry_changed(entry); }
extern "C" EMSCRIPTEN_KEEPALIVE void quorran_shortcut(int entry, int shortcut) { toolbox.on_shortcut(entry, shortcut); }
extern "C" EMSCRIPTEN_KEEPALIVE void quorran_copy() { toolbox.on_copy(); }
