// The panel-behaviour suite on the page: the app, with its own module, in a frame of a
// page that this module runs in. The probe drives the app's controls through DOM events
// as a user would and reads back what the app shows; a restart reloads the frame, and the
// suite waits (Asyncify) until the app is usable again. The browser test (app_test.mjs)
// serves the page and reads window.panelChecks.
#include <emscripten.h>

#include <memory>
#include <string>

#include "core/recorded/run_files.h"
#include "tests/embedded_files.h"
#include "tests/panel_behaviour.h"

namespace {

// A text from the page: its length in bytes, then the text, terminated, into buffer.
// Scripts name the app's window "app".
EM_JS(int, page_text_length, (const char* script), {
    const app = document.getElementById("app").contentWindow;
    return lengthBytesUTF8(String(eval(UTF8ToString(script))));
});
EM_JS(void, page_text, (const char* script, char* buffer, int size), {
    const app = document.getElementById("app").contentWindow;
    stringToUTF8(String(eval(UTF8ToString(script))), buffer, size);
});

// A file the user hands the app: its bytes, as a File of the app's, onto window.handed.
EM_JS(void, hand_file, (const char* name, const char* bytes, int length), {
    const app = document.getElementById("app").contentWindow;
    (window.handed = window.handed || []).push(new app.File([HEAPU8.slice(bytes, bytes + length)], UTF8ToString(name)));
});

// Runs a script on the page and gives back what it makes of its value, as text.
std::string page(const std::string& script) {
    std::string text(static_cast<std::size_t>(page_text_length(script.c_str())) + 1, '\0');
    page_text(script.c_str(), text.data(), static_cast<int>(text.size()));
    text.pop_back();
    return text;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        all.push_back(text.substr(start, end - start));
    }
    return all;
}

// Until the app in the frame is usable: its module started, in a document that the
// page has not marked as the one before a reload.
void wait_for_app() {
    while (page("!app.before && app.performance.getEntriesByName('quorran-usable').length > 0") != "true")
        emscripten_sleep(20);
}

// The script's names for the entry's box and the tool links.
std::string entry(int index) { return "app.document.querySelectorAll('#entries .entry')[" + std::to_string(index) + "]"; }
const std::string TOOL_LINKS = "[...app.document.querySelectorAll('#tool-list a')].filter(a => a.hash !== '#classic')";

// An element's own text, what the page adds in elements of its own left out.
std::string own_text(const std::string& element) {
    return "[..." + element + ".childNodes].filter(n => n.nodeType === Node.TEXT_NODE).map(n => n.data).join('')";
}

std::string quoted(std::string_view text) {
    std::string js = "'";
    for (const char c : text) js += c == '\'' || c == '\\' ? std::string{'\\', c} : std::string{c};
    return js + "'";
}

// A sample of tests/runs by the name of its file, as the page names a file handed to it.
std::string_view sample_bytes(std::string_view name) {
    for (const quorran::testing::EmbeddedFile& file : quorran::testing::embedded_files())
        if (file.name.ends_with("/" + std::string(name))) return file.bytes;
    return {};
}

// The suite's own answers read the samples the page is handed.
class SampleRuns final : public quorran::RunFiles {
public:
    quorran::FileBytes read(std::string_view name, std::string& why_not) override {
        const std::string_view bytes = sample_bytes(name);
        if (bytes.empty()) return why_not = "cannot be found", nullptr;
        return std::make_shared<const std::string>(bytes);
    }
    quorran::XmlParser* xml() override { return nullptr; }
};

// The runs the app has opened so far.
const std::string RUNS_OPENED = "app.performance.getEntriesByName('quorran-run-opened').length";

class PageProbe final : public quorran::testing::PanelProbe {
public:
    std::vector<std::string> tools() override { return lines(page(TOOL_LINKS + ".map(a => a.textContent).join('\\n')")); }
    int chosen_tool() override { return std::stoi(page(TOOL_LINKS + ".findIndex(a => a.ariaCurrent === 'page')")); }
    // A link's click names the tool in the address at once; the browser's hashchange
    // comes later, so the probe sends one now.
    void choose_tool(int index) override {
        page(TOOL_LINKS + "[" + std::to_string(index) + "].click(); app.dispatchEvent(new app.HashChangeEvent('hashchange'))");
    }
    // An address that names no tool.
    void choose_no_tool() override {
        page("app.location.hash = 'no-such-tool'; app.dispatchEvent(new app.HashChangeEvent('hashchange'))");
    }
    std::vector<std::string> labels() override {
        return lines(page("[...app.document.querySelectorAll('#entries .entry')]"
                          ".map(e => e.querySelector('label, legend').textContent).join('\\n')"));
    }
    void enter(int index, std::string_view text) override {
        page("{ const box = " + entry(index) + ", text = " + quoted(text) + ", field = box.querySelector('input');"
             "if (field.type === 'text') { field.value = text; field.dispatchEvent(new app.Event('input')); }"
             "else { const chosen = field.type === 'checkbox' ? field : box.querySelector(`[value='${text}']`);"
             "chosen.checked = field.type !== 'checkbox' || text === 'on'; chosen.dispatchEvent(new app.Event('change')); } }");
    }
    // A file's entry shows the name of the file opened.
    std::string entry_shown(int index) override {
        return page("{ const box = " + entry(index) + ", field = box.querySelector('input[type=text], input:checked');"
                    "box.querySelector('.file-name')?.textContent ?? (!field ? '' : field.type === 'checkbox' ? 'on' : field.value) }");
    }
    void press_shortcut(int index, int shortcut) override {
        page(entry(index) + ".querySelectorAll('.shortcuts button')[" + std::to_string(shortcut) + "].click()");
    }
    // The problem as the core gave it, without the label the page may say it after
    // ("Time must be above zero").
    std::string mark(int index) override { return page(own_text(entry(index) + ".querySelector('.mark')")); }
    // The texts as shown, a flagged value's mark kept apart by a space that does not break.
    std::vector<std::string> report() override {
        const std::string all = page("[...app.document.querySelectorAll('#report :is(li, dt, dd, caption, th, td, p.note)')]"
                                     ".map(e => e.textContent.replaceAll('\\u00a0', ' ')).join('\\n')");
        return all.empty() ? std::vector<std::string>{} : lines(all);
    }
    bool report_current() override { return page("app.document.querySelector('#results').classList.contains('stale')") == "false"; }
    void copy() override { page("app.document.querySelector('#copy').click()"); }
    // The browser test stands in for the clipboard: it keeps what the page writes.
    std::string clipboard() override { return page("app.copied ?? ''"); }
    // The answer at the top of the result, its flag's mark left out.
    std::string main_answer() override {
        return page("{ const answer = app.document.querySelector('#report .answer strong');"
                    "answer ? " + own_text("answer") + ".trim() : '' }");
    }
    quorran::Units units() override {
        return page("app.document.querySelector('#units-km').checked") == "true" ? quorran::Units::Km : quorran::Units::Miles;
    }
    void choose_units(quorran::Units units) override {
        page(std::string("app.document.querySelector('#units-") + (units == quorran::Units::Km ? "km" : "miles") + "').click()");
    }
    std::string unit_beside(int index) override { return page(entry(index) + ".querySelector('.unit')?.textContent ?? ''"); }
    void clear() override { page("app.document.querySelector('#clear').click()"); }
    bool opens_files_by_name() override { return false; }
    // The sample's file name: a file handed to the page has no folder.
    std::string sample_run(std::string_view name) override { return std::string(name.substr(name.rfind('/') + 1)); }
    // The picker answered with the file, as the system's file chooser does; cancelled, it
    // tells the page nothing.
    void open_file(int index, std::string_view name) override {
        if (name.empty()) return;
        hand({std::string(name)}, "{ const picker = " + entry(index) + ".querySelector('input[type=file]');"
                                  "picker.files = files; picker.dispatchEvent(new app.Event('change')); }");
    }
    void drop_files(const std::vector<std::string>& names) override {
        hand(names, "app.document.body.dispatchEvent(new app.DragEvent('drop', "
                    "{ dataTransfer: transfer, bubbles: true, cancelable: true }))");
    }
    // The page reloaded at the tool's address.
    void restart(int tool) override {
        page("app.history.replaceState(null, '', '#" + std::string(quorran::tools()[static_cast<std::size_t>(tool)].name) +
             "'); app.before = true; app.location.reload()");
        wait_for_app();
    }

private:
    // The files handed to the app by the script (which names them files, in a DataTransfer
    // named transfer); for one file, until the app has opened it, as a user waits.
    static void hand(const std::vector<std::string>& names, const std::string& script) {
        for (const std::string& name : names) {
            const std::string_view bytes = sample_bytes(name);
            hand_file(name.c_str(), bytes.data(), static_cast<int>(bytes.size()));
        }
        const std::string before = page(RUNS_OPENED);
        page("{ const transfer = new app.DataTransfer(); window.handed.forEach(f => transfer.items.add(f));"
             "window.handed = []; const files = transfer.files; " + script + " }");
        if (names.size() == 1)
            while (page(RUNS_OPENED) == before) emscripten_sleep(20);
    }
};

}  // namespace

// Once the app in the frame is usable, the suite runs.
int main() {
    wait_for_app();
    static SampleRuns samples;
    quorran::use_run_files(&samples);
    PageProbe probe;
    std::string failures = "[";
    for (const std::string& failure : quorran::testing::check_panel_behaviour(probe))
        failures += (failures.size() > 1 ? "," : "") + quoted(failure);
    page("window.panelChecks = " + failures + "]");
}
