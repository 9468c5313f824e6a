#pragma once

// The runner's toolbox: a window of its own beside the pace dialog, every tool of the
// table drawn by one Win32ToolPanel and driven by ToolboxCommands.

#include <windows.h>

#include <string_view>

namespace quorran {

class EntryMemory;
class ToolPanelView;

// The item of the pace dialog's Alt+Space menu that opens the toolbox.
inline constexpr std::string_view TOOLBOX_MENU_ITEM = "Runner's &toolbox\u2026";

// Opens the toolbox on the tool of that name (the first when there is none such), with
// the entries and the unit setting kept in the memory (which outlives the window), or
// for a first run the user's locale's units; or brings the one open to the front. It is
// modeless: whatever loop runs the thread's messages, a dialog's included, hands it its
// keys (see toolbox_message). A file named is opened as if dropped on the window.
HWND open_toolbox(HINSTANCE instance, EntryMemory& memory, std::string_view tool = {}, std::string_view file = {});

// The toolbox open on this thread, or null.
HWND toolbox_window();

// What the window's keyboard does before a message is dispatched: Tab and Shift+Tab,
// Alt+letter, Escape (closes it), Ctrl+C (copies the report, unless a field has text
// selected). True when the message was meant for the toolbox and is handled.
bool toolbox_message(MSG& message);

// Runs the thread's messages until the toolbox is closed (at once when none is open).
void run_toolbox();

// The panel a toolbox window draws, to show it a report directly.
ToolPanelView* toolbox_panel(HWND toolbox);

}  // namespace quorran
