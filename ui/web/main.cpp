// The calculator's web app: the toolbox, whose tool the page's address names, and the
// pace dialog as the Classic screen. It hands the dialog template to the page script,
// which draws it when that screen is first shown, sets the dialog up as every front end
// does, and routes each control's notifications to the commands; the toolbox's user
// actions go to its commands the same way.
#include <emscripten.h>

#include <string_view>
#include <utility>

#include "core/dialog/calculator_commands.h"
#include "core/dialog/control_ids.h"
#include "core/dialog/messages.h"
#include "ui/dialog_strings.h"
#include "ui/dialog_template.h"
#include "ui/web/web_calculator_view.h"
#include "ui/web/toolbox_page.h"
#ifdef QUORRAN_WEB_RUNS
#include "ui/web/page_runs.h"
#endif

namespace {

using namespace quorran;
using namespace window_style;

EM_JS(void, page_open, (int width, int height, int text_limit), { Module.page.open(width, height, text_limit); });
EM_JS(void, page_add_control, (int id, const char* kind, int starts_group, int x, int y, int width, int height,
                               const char* text, int text_length), {
    Module.page.addControl(id, UTF8ToString(kind), starts_group !== 0, x, y, width, height,
                           UTF8ToString(text, text_length));
});
EM_JS(void, page_name_list, (int id, const char* name, int length), {
    Module.page.nameList(id, UTF8ToString(name, length));
});

// What the page draws for a row of the template.
const char* kind_of(const ControlTemplate& row) {
    if (row.window_class == "Button") {
        switch (row.style & BS_TYPEMASK) {
            case BS_GROUPBOX: return "group";
            case BS_AUTORADIOBUTTON: return "radio";
            default: return "button";
        }
    }
    if (row.window_class == "Edit") return "edit";
    if (row.window_class == "ComboBox") return "list";
    switch (row.style & SS_TYPEMASK) {
        case SS_ICON: return "icon";
        case SS_RIGHT: return "right";
        case SS_CENTER: return "center";
        default: return "left";
    }
}

WebCalculatorView view;
CalculatorCommands commands(view);

// Every control but Close, which a page does without: the browser closes its tab.
void create_controls() {
    page_open(QUORRAN_DIALOG_WIDTH, QUORRAN_DIALOG_HEIGHT, static_cast<int>(TEXT_LIMIT));
    for (const ControlTemplate& row : dialog_controls()) {
        if (row.id == IDC_CLOSE) continue;
        page_add_control(row.id, kind_of(row), (row.style & WS_GROUP) != 0, row.x, row.y, row.width, row.height,
                         row.text.data(), static_cast<int>(row.text.size()));
    }
}

// Each list is named after its placeholder, which stays its name once results fill it;
// then the dialog opens as every front end's does.
void set_up() {
    for (const auto& [id, placeholder] :
         {std::pair{IDC_SPLITS, SPLITS_PLACEHOLDER}, std::pair{IDC_OTHER_FORMATS, OTHER_FORMATS_PLACEHOLDER}})
        page_name_list(id, placeholder.data(), static_cast<int>(placeholder.size()));
    commands.open();
}

}  // namespace

// Called by the page for every notification of a control.
extern "C" EMSCRIPTEN_KEEPALIVE void quorran_command(int control) { commands.on_command(control); }

// Called by the page when the Classic screen is first shown.
extern "C" EMSCRIPTEN_KEEPALIVE void quorran_open_classic() {
    create_controls();
    set_up();
}

int main() {
#ifdef QUORRAN_WEB_RUNS
    // The run module: the same app, with the files the runner opens on the page and the
    // browser's XML parser; the first module leaves them out, and is smaller for it.
    static PageRunFiles files;
    use_run_files(&files);
#endif
    open_toolbox_page();
}
