#pragma once

// The main dialog on the Windows dialog services: its procedure and the program's
// run of it. The template is IDD_MAIN in quorran.rc.

#include <windows.h>

namespace quorran {

// Sets the dialog up on WM_INITDIALOG and hands every WM_COMMAND to
// CalculatorCommands; leaves every other message to the dialog manager.
INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Shows the dialog modally, without an owner, and waits until it ends.
// Returns the value the dialog ended with.
INT_PTR run_main_dialog(HINSTANCE instance);

}  // namespace quorran
