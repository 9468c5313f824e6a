#pragma once

namespace quorran {

// The toolbox of the page: its commands over a WebToolPanelView and the page's
// localStorage, opened on the tool the page's address names (for a first visit in the
// units of the browser's language), and the entries through which the page hands over
// each user action (quorran_tool_chosen, quorran_entry_changed, quorran_shortcut,
// quorran_copy, quorran_units_chosen, quorran_clear).
void open_toolbox_page();

}  // namespace quorran
