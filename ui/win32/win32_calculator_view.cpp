#include "ui/win32/win32_calculator_view.h"

#include "core/dialog/messages.h"

namespace quorran {

namespace {

// The buffer every entry is read into: TEXT_LIMIT characters and the terminator.
constexpr int TEXT_BUFFER_SIZE = TEXT_LIMIT + 1;

// user32 wants terminated strings; a string_view need not be one.
std::string terminated(std::string_view text) { return std::string(text); }

// Pixels an open list's line takes besides its text: its margins and the list's border.
constexpr LONG LIST_MARGINS = 8;

LPARAM text_param(const std::string& text) { return reinterpret_cast<LPARAM>(text.c_str()); }

}  // namespace

bool Win32CalculatorView::is_checked(int control) const { return IsDlgButtonChecked(dialog_, control) != 0; }

void Win32CalculatorView::check_radio(int first, int last, int checked) {
    CheckRadioButton(dialog_, first, last, checked);
}

std::string Win32CalculatorView::get_text(int control) const {
    char buffer[TEXT_BUFFER_SIZE] = {};
    GetDlgItemTextA(dialog_, control, buffer, TEXT_BUFFER_SIZE);
    return buffer;
}

void Win32CalculatorView::set_text(int control, std::string_view text) {
    SetDlgItemTextA(dialog_, control, terminated(text).c_str());
}

void Win32CalculatorView::list_clear(int control) {
    SendDlgItemMessageA(dialog_, control, CB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(dialog_, control, CB_SETDROPPEDWIDTH, 0, 0);  // back to the list's own width
}

// The open list widens to show each line whole; the closed list keeps its size.
void Win32CalculatorView::list_add(int control, std::string_view text) {
    const std::string item = terminated(text);
    SendDlgItemMessageA(dialog_, control, CB_ADDSTRING, 0, text_param(item));
    const HWND list = GetDlgItem(dialog_, control);
    const HDC dc = GetDC(list);
    const HGDIOBJ old_font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, item.c_str(), static_cast<int>(item.size()), &extent);
    SelectObject(dc, old_font);
    ReleaseDC(list, dc);
    const LONG width = extent.cx + LIST_MARGINS + GetSystemMetrics(SM_CXVSCROLL);
    if (width > SendMessageA(list, CB_GETDROPPEDWIDTH, 0, 0)) SendMessageA(list, CB_SETDROPPEDWIDTH, width, 0);
}

void Win32CalculatorView::list_select_prefix(int control, int after_index, std::string_view prefix) {
    const std::string start = terminated(prefix);
    // The index travels sign-extended, so -1 (search the whole list) survives.
    SendDlgItemMessageA(dialog_, control, CB_SELECTSTRING, static_cast<WPARAM>(after_index), text_param(start));
}

// The dialog manager's own way to move the focus: unlike SetFocus, it also moves the
// default button's border back to Close, which Enter presses.
void Win32CalculatorView::set_focus(int control) {
    SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, control)), TRUE);
}

void Win32CalculatorView::warn(std::string_view text) { message_box(text, MB_ICONEXCLAMATION); }

void Win32CalculatorView::inform(std::string_view text) { message_box(text, MB_ICONINFORMATION); }

// Ownerless on purpose: the dialog stays enabled while the box is up.
void Win32CalculatorView::message_box(std::string_view text, UINT icon) {
    const std::string caption = terminated(MESSAGE_CAPTION);
    MessageBoxA(nullptr, terminated(text).c_str(), caption.c_str(), MB_OK | icon);
}

void Win32CalculatorView::close(int result) { EndDialog(dialog_, result); }

}  // namespace quorran
