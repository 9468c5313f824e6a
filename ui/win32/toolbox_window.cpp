#include "ui/win32/toolbox_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <utility>
#include <vector>

#include "core/toolbox/tool_panel.h"
#include "ui/dialog_strings.h"
#include "ui/win32/registry_memory.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_tool_panel.h"

namespace quorran {

namespace {

constexpr wchar_t WINDOW_CLASS[] = L"QuorranToolbox";
constexpr DWORD WINDOW_STYLE = WS_OVERLAPPEDWINDOW;
constexpr UINT DEFAULT_DPI = 96;

// What the window is made with: the tool to show, where its entries are kept, and a file
// to open (none when empty).
struct Opening {
    std::string_view tool;
    EntryMemory& memory;
    std::string_view file;
};

// What one open toolbox owns, from WM_CREATE until WM_NCDESTROY.
struct ToolboxState {
    ToolboxState(HWND window, EntryMemory& memory) : panel(window), commands(panel, memory) {}
    Win32ToolPanel panel;
    ToolboxCommands commands;
    HWND last_focus = nullptr;  // given back when the window is active again
};

HWND the_toolbox = nullptr;
HHOOK message_filter = nullptr;
bool in_dialog_message = false;  // IsDialogMessage calls the filter too

ToolboxState* state_of(HWND window) { return reinterpret_cast<ToolboxState*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

// Windows 10's calls for a monitor's scale, looked up so that the program still starts on
// Windows 7, where every monitor has the system's.
UINT dpi_of(HWND window) {
    using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
    const auto call = reinterpret_cast<GetDpiForWindowCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (call) return call(window);
    const HDC screen = GetDC(nullptr);
    const UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    return dpi ? dpi : DEFAULT_DPI;
}

SIZE window_size(HWND window, SIZE client) {
    using AdjustCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto adjust = reinterpret_cast<AdjustCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT r{0, 0, client.cx, client.cy};
    adjust ? adjust(&r, WINDOW_STYLE, FALSE, 0, dpi_of(window)) : AdjustWindowRectEx(&r, WINDOW_STYLE, FALSE, 0);
    return {r.right - r.left, r.bottom - r.top};
}

// The stopwatch of the pace dialog, at the sizes Windows asks for.
void show_window_icon(HWND window) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    for (const auto& [kind, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        const HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(QUORRAN_WINDOW_ICON), IMAGE_ICON, size, size, LR_SHARED);
        SendMessageW(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    }
}

bool has_selection(HWND control) {
    wchar_t window_class[16] = {};
    GetClassNameW(control, window_class, 16);
    DWORD start = 0, end = 0;
    return lstrcmpiW(window_class, L"Edit") == 0 &&
           (SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)), start != end);
}

// Saves a document as it is, where the user says, with its own name offered.
void save_document(HWND window, const Document& document) {
    const std::wstring name = wide(document.file_name);
    const std::wstring extension = name.substr(name.rfind(L'.') == std::wstring::npos ? name.size() : name.rfind(L'.') + 1);
    const std::wstring filter = name + L'\0' + L"*." + extension + L'\0' + L"All files" + L'\0' + L"*.*" + L'\0';
    wchar_t path[MAX_PATH] = {};
    name.copy(path, MAX_PATH - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog)) return;
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool saved = file != INVALID_HANDLE_VALUE &&
                       WriteFile(file, document.text.data(), static_cast<DWORD>(document.text.size()), &written, nullptr) &&
                       written == document.text.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!saved)
        MessageBoxW(window, (L"Quorran could not save " + std::wstring(path) + L".").c_str(), wide(TOOLBOX_CAPTION).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
}

// Each user action to the commands: a tool chosen, the units chosen, Clear, an entry typed
// in, chosen or ticked (the panel's own changes aside), a shortcut pressed; Escape closes.
void on_command(HWND window, ToolboxState& state, int id, int code) {
    if (id == IDCANCEL) {
        DestroyWindow(window);
    } else if (id == IDC_TOOLBOX_TOOLS && code == LBN_SELCHANGE) {
        state.commands.on_tool_chosen(state.panel.selected_tool());
    } else if (id == IDC_TOOLBOX_UNITS && code == CBN_SELCHANGE && !state.panel.setting()) {
        state.commands.on_units_chosen(state.panel.chosen_units());
    } else if (id == IDC_TOOLBOX_CLEAR && code == BN_CLICKED) {
        state.commands.on_clear();
    } else if (id >= IDC_TOOLBOX_ENTRY && id < IDC_TOOLBOX_REPORT) {
        const int entry = (id - IDC_TOOLBOX_ENTRY) / IDS_PER_ENTRY, part = (id - IDC_TOOLBOX_ENTRY) % IDS_PER_ENTRY;
        if (part == ENTRY_FIELD && (code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED) && !state.panel.setting())
            state.commands.on_entry_changed(entry);
        else if (part == ENTRY_OPEN && code == BN_CLICKED)
            state.commands.on_open(entry);
        else if (part >= ENTRY_SHORTCUT && code == BN_CLICKED)
            state.commands.on_shortcut(entry, part - ENTRY_SHORTCUT);
    } else if (id >= IDC_TOOLBOX_SAVE && code == BN_CLICKED) {
        if (const Document* document = state.panel.document(id - IDC_TOOLBOX_SAVE)) save_document(window, *document);
    }
}

// Files dropped from Explorer: the commands open one; several are refused, with the
// system's warning sound.
void on_drop(ToolboxState& state, HDROP drop) {
    std::vector<std::string> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
        names.push_back(narrow(name));
    }
    DragFinish(drop);
    if (!state.commands.on_files_dropped(names)) MessageBeep(MB_ICONWARNING);
}

void set_up(HWND window, ToolboxState& state, std::string_view tool, std::string_view file) {
    show_window_icon(window);
    state.panel.set_dpi(dpi_of(window));
    DragAcceptFiles(window, TRUE);
    state.commands.open(tool, units_of_user_locale());
    if (!file.empty()) state.commands.on_file_opened(file);
    const SIZE size = window_size(window, state.panel.preferred_size());
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK toolbox_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ToolboxState* state = state_of(window);
    switch (message) {
        case WM_CREATE: {
            const auto* opening = static_cast<const Opening*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
            state = new ToolboxState(window, opening->memory);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
            set_up(window, *state, opening->tool, opening->file);
            return 0;
        }
        case WM_COMMAND:
            if (state) on_command(window, *state, LOWORD(wparam), HIWORD(wparam));
            return 0;
        case WM_DROPFILES:
            if (state) on_drop(*state, reinterpret_cast<HDROP>(wparam));
            return 0;
        case WM_SIZE:
            if (state) state->panel.layout();
            return 0;
        // The report's scroll bar, and the wheel anywhere over the window that nothing under
        // it takes (a list of its own lines does).
        case WM_VSCROLL:
            if (state && GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) == IDC_TOOLBOX_REPORT_SCROLL)
                state->panel.on_scroll(LOWORD(wparam), HIWORD(wparam));
            return 0;
        case WM_MOUSEWHEEL:
            if (state && state->panel.on_wheel(GET_WHEEL_DELTA_WPARAM(wparam))) return 0;
            return DefWindowProcW(window, message, wparam, lparam);
        case WM_GETMINMAXINFO:
            if (state) {
                const SIZE least = window_size(window, state->panel.minimum_size());
                reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = {least.cx, least.cy};
            }
            return 0;
        // Another monitor's scale: the font and every place follow, in the size Windows suggests.
        case WM_DPICHANGED: {
            if (!state) return 0;
            state->panel.set_dpi(LOWORD(wparam));
            const RECT* r = reinterpret_cast<const RECT*>(lparam);
            SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            state->panel.layout();
            return 0;
        }
        // Tab and Alt+letter, through IsDialogMessage: the focus moves as in a dialog, a
        // field's text selected whole.
        case WM_NEXTDLGCTL: {
            const HWND from = IsChild(window, GetFocus()) ? GetFocus() : nullptr;
            const HWND to = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam) : GetNextDlgTabItem(window, from, wparam != 0);
            if (!to) return 0;
            SetFocus(to);
            if (SendMessageW(to, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(to, EM_SETSEL, 0, -1);
            return 0;
        }
        // The focus goes back to the control that had it, as in a dialog.
        case WM_ACTIVATE:
            if (!state) return 0;
            if (LOWORD(wparam) == WA_INACTIVE) {
                if (IsChild(window, GetFocus())) state->last_focus = GetFocus();
            } else {
                const bool kept = IsWindow(state->last_focus) && IsChild(window, state->last_focus);
                SetFocus(kept ? state->last_focus : GetNextDlgTabItem(window, nullptr, FALSE));
            }
            return 0;
        case WM_DESTROY:
            if (window == the_toolbox) the_toolbox = nullptr;
            if (!the_toolbox && message_filter) UnhookWindowsHookEx(message_filter), message_filter = nullptr;
            return 0;
        case WM_NCDESTROY:
            delete state;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

// A dialog's own loop (the pace dialog's, a message box's) hands each message to this filter
// before it does anything else with it: the toolbox's keys work there too.
LRESULT CALLBACK filter_messages(int code, WPARAM wparam, LPARAM lparam) {
    if (code == MSGF_DIALOGBOX && !in_dialog_message && toolbox_message(*reinterpret_cast<MSG*>(lparam))) return TRUE;
    return CallNextHookEx(message_filter, code, wparam, lparam);
}

}  // namespace

HWND open_toolbox(HINSTANCE instance, EntryMemory& memory, std::string_view tool, std::string_view file) {
    if (the_toolbox) {
        ShowWindow(the_toolbox, SW_SHOWNORMAL);
        SetForegroundWindow(the_toolbox);
        return the_toolbox;
    }
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    if (!GetClassInfoExW(instance, WINDOW_CLASS, &window_class)) {
        window_class.lpfnWndProc = toolbox_proc;
        window_class.hInstance = instance;
        window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
        window_class.lpszClassName = WINDOW_CLASS;
        RegisterClassExW(&window_class);
    }
    Opening opening{tool, memory, file};
    the_toolbox = CreateWindowExW(0, WINDOW_CLASS, wide(TOOLBOX_CAPTION).c_str(), WINDOW_STYLE, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, &opening);
    if (!the_toolbox) return nullptr;
    if (!message_filter) message_filter = SetWindowsHookExW(WH_MSGFILTER, filter_messages, nullptr, GetCurrentThreadId());
    ShowWindow(the_toolbox, SW_SHOWNORMAL);
    SetForegroundWindow(the_toolbox);
    return the_toolbox;
}

HWND toolbox_window() { return the_toolbox; }

bool toolbox_message(MSG& message) {
    const HWND window = the_toolbox;
    if (!window || (message.hwnd != window && !IsChild(window, message.hwnd))) return false;
    if (message.message == WM_KEYDOWN && message.wParam == 'C' && GetKeyState(VK_CONTROL) < 0 && !has_selection(GetFocus())) {
        state_of(window)->commands.on_copy();
        return true;
    }
    in_dialog_message = true;
    const bool handled = IsDialogMessageW(window, &message);
    in_dialog_message = false;
    return handled;
}

void run_toolbox() {
    MSG message;
    while (the_toolbox && GetMessageW(&message, nullptr, 0, 0) > 0)
        if (!toolbox_message(message)) TranslateMessage(&message), DispatchMessageW(&message);
}

ToolPanelView* toolbox_panel(HWND toolbox) {
    ToolboxState* state = state_of(toolbox);
    return state ? &state->panel : nullptr;
}

}  // namespace quorran
