#include "ui/win32/main_dialog.h"

#include <string>
#include <string_view>
#include <tuple>

#include "core/dialog/calculator_commands.h"
#include "core/dialog/control_ids.h"
#include "core/dialog/messages.h"
#include "ui/dialog_strings.h"
#include "ui/win32/control_setup.h"
#include "ui/win32/toolbox_window.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_calculator_view.h"

namespace quorran {

namespace {

// What one open dialog owns: the view on its window and the commands on that
// view. Lives from WM_INITDIALOG until the window is gone. A command can still
// be running inside a message box when Close is pressed, but EndDialog only
// marks the dialog as ended; the window, and so this, goes once that command
// has returned to the dialog loop.
struct DialogState {
    DialogState(HWND dialog, EntryMemory* memory) : view(dialog), commands(view), names(dialog), toolbox_memory(memory) {}
    Win32CalculatorView view;
    CalculatorCommands commands;
    AccessibleNames names;
    EntryMemory* toolbox_memory;  // the toolbox's, which Alt+Space opens
};

DialogState* state_of(HWND dialog) { return reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

// The stopwatch in the title bar and on the taskbar, each at the size Windows asks for.
void show_window_icon(HWND dialog) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    for (const auto& [kind, width, height] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                              std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
        const HANDLE icon = LoadImageA(instance, MAKEINTRESOURCEA(QUORRAN_WINDOW_ICON), IMAGE_ICON,
                                       GetSystemMetrics(width), GetSystemMetrics(height), LR_SHARED);
        SendMessageA(dialog, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    }
}

// The fields' limits and the window's icon, then what every front end's dialog does as
// it opens.
void set_up(HWND dialog, DialogState& state) {
    limit_entry_fields(dialog);
    show_window_icon(dialog);
    state.commands.open();
}

constexpr UINT_PTR OPEN_TOOLBOX = 1;

// Alt+Space. The dialog has no system menu: its template leaves WS_SYSMENU out, so that it
// has no close box. This small menu, at the window's top left where the system menu would
// open, takes its place; its one item opens the toolbox beside the dialog. The item is
// chosen at once, as a system menu opened from the keyboard chooses its first.
void show_window_menu(HWND dialog, EntryMemory& toolbox_memory) {
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, OPEN_TOOLBOX, wide(TOOLBOX_MENU_ITEM).c_str());
    POINT corner{0, 0};
    ClientToScreen(dialog, &corner);
    PostMessageW(dialog, WM_KEYDOWN, VK_DOWN, 0);
    constexpr UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN;
    const auto chosen = static_cast<UINT_PTR>(TrackPopupMenu(menu, flags, corner.x, corner.y, 0, dialog, nullptr));
    DestroyMenu(menu);
    if (chosen == OPEN_TOOLBOX)
        open_toolbox(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), toolbox_memory);
}

}  // namespace

INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(new DialogState(dialog, reinterpret_cast<EntryMemory*>(lparam))));
            set_up(dialog, *state_of(dialog));
            return FALSE;  // the focus set up above stands
        case WM_COMMAND:
            if (DialogState* state = state_of(dialog)) state->commands.on_command(LOWORD(wparam));
            return 0;
        case WM_SYSCOMMAND:
            if ((wparam & 0xFFF0) != SC_KEYMENU || lparam != ' ' || !state_of(dialog) || !state_of(dialog)->toolbox_memory) return 0;
            show_window_menu(dialog, *state_of(dialog)->toolbox_memory);
            return TRUE;
        case WM_NCDESTROY:
            delete state_of(dialog);
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            return 0;
        default:
            return 0;
    }
}

INT_PTR run_main_dialog(HINSTANCE instance, EntryMemory& toolbox_memory) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(QUORRAN_IDD_MAIN), nullptr, main_dialog_proc,
                           reinterpret_cast<LPARAM>(&toolbox_memory));
}

}  // namespace quorran
