#pragma once

#include <cstddef>
#include <span>
#include <vector>

// How a window scrolls a report that is taller than its room above the Save buttons: by
// whole rows, a row being what reads as one (a headline's label and value, a table under
// its title, a note, a drawing). The main answer stays above the room and never scrolls.
// Every length is in one unit of the window's own, down from the room's top.
namespace quorran {

// A control of the report as laid out unscrolled. One that joins the previous one shares
// its row (a headline's value its label, a table its title).
struct ReportPiece {
    int top = 0;
    int height = 0;
    bool joins_previous = false;
};

struct ReportRow {
    int top = 0;
    int bottom = 0;
};

struct ReportRows {
    std::vector<ReportRow> rows;
    std::vector<std::size_t> row_of;  // each piece's row
};

// The rows of the pieces, in order. A piece of no height (a drawing given no room) is
// no row of its own: a scroll never stops at nothing to see.
ReportRows report_rows(std::span<const ReportPiece> pieces);

// The last row a scroll can bring to the room's top: the first from which every row to the
// end fits the room. 0 when the whole report fits, and then no scroll bar is shown.
std::size_t last_position(std::span<const ReportRow> rows, int room);

// Whether a row is shown with the report scrolled to that position: the row at the
// position (cut at the room's bottom when it alone is taller than the room) and those after
// it that wholly fit; rows scrolled above the top are hidden.
bool row_shown(std::span<const ReportRow> rows, int room, std::size_t position, std::size_t row);

// What the user asks of the scroll bar, the wheel or the keys.
enum class ScrollStep { RowUp, RowDown, PageUp, PageDown, Top, Bottom, To };

// The position after a step, kept between the top and last_position: a page down brings
// the first row not wholly shown to the top, a page up brings back as many rows before
// the top as fit the room; To goes to the position given.
std::size_t scrolled(std::span<const ReportRow> rows, int room, std::size_t position, ScrollStep step,
                     std::size_t to = 0);

// The mouse wheel's turn in rows, one a notch (of 120, as Windows and Qt count it), down
// positive; a part of a notch (a fine wheel's, a touchpad's) waits in pending for the rest.
int wheel_rows(int& pending, int delta);

}  // namespace quorran
