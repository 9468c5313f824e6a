#pragma once

// The main dialog on the Windows dialog services: its procedure and the program's
// run of it. The template is IDD_MAIN in quorran.rc.

#include <windows.h>

namespace quorran {

class EntryMemory;

// Sets the dialog up on WM_INITDIALOG and hands every WM_COMMAND to
// CalculatorCommands; leaves every other message to the dialog manager. The dialog's
// parameter (DialogBoxParam's last) is the EntryMemory of the toolbox that its Alt+Space
// menu opens; with none, Alt+Space shows no menu.
INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Shows the dialog modally, without an owner, and waits until it ends.
// Returns the value the dialog ended with.
INT_PTR run_main_dialog(HINSTANCE instance, EntryMemory& toolbox_memory);

}  // namespace quorran
