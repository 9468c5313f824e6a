#include "core/toolbox/report_scroll.h"

#include <algorithm>

namespace quorran {

namespace {

constexpr int WHEEL_NOTCH = 120;

}  // namespace

ReportRows report_rows(std::span<const ReportPiece> pieces) {
    ReportRows out;
    for (const ReportPiece& p : pieces) {
        if (out.rows.empty() || (!p.joins_previous && p.height > 0)) {
            out.rows.push_back({p.top, p.top + p.height});
        } else if (p.height > 0) {
            ReportRow& row = out.rows.back();
            row.top = std::min(row.top, p.top);
            row.bottom = std::max(row.bottom, p.top + p.height);
        }
        out.row_of.push_back(out.rows.size() - 1);
    }
    return out;
}

std::size_t last_position(std::span<const ReportRow> rows, int room) {
    if (rows.empty()) return 0;
    std::size_t position = 0;
    while (position + 1 < rows.size() && rows.back().bottom - rows[position].top > room) ++position;
    return position;
}

bool row_shown(std::span<const ReportRow> rows, int room, std::size_t position, std::size_t row) {
    return row == position || (row > position && row < rows.size() && rows[row].bottom - rows[position].top <= room);
}

std::size_t scrolled(std::span<const ReportRow> rows, int room, std::size_t position, ScrollStep step, std::size_t to) {
    std::size_t next = position;
    switch (step) {
        case ScrollStep::RowUp:
            next = position > 0 ? position - 1 : 0;
            break;
        case ScrollStep::RowDown:
            next = position + 1;
            break;
        case ScrollStep::PageDown:
            next = position + 1;
            while (next < rows.size() && row_shown(rows, room, position, next)) ++next;
            break;
        case ScrollStep::PageUp:
            while (next > 0 && position > 0 && rows[position - 1].bottom - rows[next - 1].top <= room) --next;
            if (next == position && position > 0) --next;
            break;
        case ScrollStep::Top:
            next = 0;
            break;
        case ScrollStep::Bottom:
            next = last_position(rows, room);
            break;
        case ScrollStep::To:
            next = to;
            break;
    }
    return std::min(next, last_position(rows, room));
}

int wheel_rows(int& pending, int delta) {
    pending += delta;
    const int notches = pending / WHEEL_NOTCH;
    pending -= notches * WHEEL_NOTCH;
    return -notches;
}

}  // namespace quorran
