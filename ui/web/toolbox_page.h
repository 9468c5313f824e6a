#pragma once

namespace quorran {

// The toolbox of the page: its commands over a WebToolPanelView, opened on the tool the
// page's address names, and the entries through which the page hands over each user
// action (quorran_tool_chosen, quorran_entry_changed, quorran_shortcut, quorran_copy).
void open_toolbox_page();

}  // namespace quorran
