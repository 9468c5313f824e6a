#include "ui/web/web_calculator_view.h"

#include <emscripten.h>

#include "core/dialog/messages.h"

namespace quorran {

namespace {

// Texts cross to the page as a pointer and a length in bytes of UTF-8.
EM_JS(int, page_is_checked, (int id), { return Module.page.isChecked(id); });
// A radio button of a group on the page clears the others when it is checked.
EM_JS(void, page_check, (int id), { Module.page.check(id); });
// Writes the control's text into buffer as UTF-8, whole characters only, terminated.
EM_JS(void, page_get_text, (int id, char* buffer, int size), {
    stringToUTF8(Module.page.getText(id), buffer, size);
});
EM_JS(void, page_set_text, (int id, const char* text, int length), {
    Module.page.setText(id, UTF8ToString(text, length));
});
EM_JS(void, page_list_clear, (int id), { Module.page.listClear(id); });
EM_JS(void, page_list_add, (int id, const char* text, int length), {
    Module.page.listAdd(id, UTF8ToString(text, length));
});
EM_JS(void, page_list_select_prefix, (int id, int after_index, const char* prefix, int length), {
    Module.page.listSelectPrefix(id, after_index, UTF8ToString(prefix, length));
});
EM_JS(void, page_set_focus, (int id), { Module.page.setFocus(id); });
EM_JS(void, page_show_box, (const char* kind, const char* caption, int caption_length, const char* text,
                            int text_length), {
    Module.page.showBox(UTF8ToString(kind), UTF8ToString(caption, caption_length), UTF8ToString(text, text_length));
});

int length_of(std::string_view text) { return static_cast<int>(text.size()); }

void show_box(const char* kind, std::string_view text) {
    page_show_box(kind, MESSAGE_CAPTION.data(), length_of(MESSAGE_CAPTION), text.data(), length_of(text));
}

}  // namespace

bool WebCalculatorView::is_checked(int control) const { return page_is_checked(control) != 0; }

void WebCalculatorView::check_radio(int, int, int checked) { page_check(checked); }

std::string WebCalculatorView::get_text(int control) const {
    char buffer[TEXT_LIMIT + 1];
    page_get_text(control, buffer, static_cast<int>(sizeof buffer));
    return buffer;
}

void WebCalculatorView::set_text(int control, std::string_view text) {
    page_set_text(control, text.data(), length_of(text));
}

void WebCalculatorView::list_clear(int control) { page_list_clear(control); }

void WebCalculatorView::list_add(int control, std::string_view text) {
    page_list_add(control, text.data(), length_of(text));
}

void WebCalculatorView::list_select_prefix(int control, int after_index, std::string_view prefix) {
    page_list_select_prefix(control, after_index, prefix.data(), length_of(prefix));
}

void WebCalculatorView::set_focus(int control) { page_set_focus(control); }

void WebCalculatorView::warn(std::string_view text) { show_box("warning", text); }

void WebCalculatorView::inform(std::string_view text) { show_box("information", text); }

void WebCalculatorView::close(int) {}

}  // namespace quorran
