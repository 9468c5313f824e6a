#include "ui/win32/gdi_painter.h"

#include <cmath>

#include "ui/win32/wide_text.h"

namespace quorran {
namespace {

COLORREF colour(Rgb rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

}  // namespace

POINT GdiPainter::device(Point p) const {
    return {origin_.x + static_cast<LONG>(std::lround(p.x * scale_)), origin_.y + static_cast<LONG>(std::lround(p.y * scale_))};
}

Point GdiPainter::back(POINT p) const {
    return {static_cast<double>(p.x - origin_.x) / scale_, static_cast<double>(p.y - origin_.y) / scale_};
}

void GdiPainter::begin(const Drawing& drawing) {
    saved_ = SaveDC(dc_);
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    const POINT from = device({0, 0}), to = device({drawing.width, drawing.height});
    const RECT page{from.x, from.y, to.x, to.y};
    const HBRUSH background = CreateSolidBrush(colour(drawing.background));
    FillRect(dc_, &page, background);
    DeleteObject(background);
    IntersectClipRect(dc_, page.left, page.top, page.right, page.bottom);
}

// SVG's own pen: butt ends, mitred joins, centred on the outline.
void GdiPainter::use(const Style& style, bool fill) {
    RestoreDC(dc_, -1);
    SaveDC(dc_);
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
    pen_ = nullptr, brush_ = nullptr;
    if (style.stroke && style.stroke_width > 0) {
        const LOGBRUSH solid{BS_SOLID, colour(*style.stroke), 0};
        const auto width = static_cast<DWORD>(std::max(1L, std::lround(style.stroke_width * scale_)));
        pen_ = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, width, &solid, 0, nullptr);
    }
    if (fill && style.fill) brush_ = CreateSolidBrush(colour(*style.fill));
    SelectObject(dc_, pen_ ? static_cast<HGDIOBJ>(pen_) : GetStockObject(NULL_PEN));
    SelectObject(dc_, brush_ ? static_cast<HGDIOBJ>(brush_) : GetStockObject(NULL_BRUSH));
}

void GdiPainter::keep(ItemKind kind, std::string_view name, const std::vector<POINT>& points, const Style& style, bool fill) {
    if (!record_) return;
    Mark m{kind, std::string(name), {}, {}, 0, fill && style.fill.has_value(), pen_ != nullptr};
    for (const POINT& p : points) m.points.push_back(back(p));
    record_->push_back(std::move(m));
}

void GdiPainter::lines(std::span<const Point> points, const Style& style, std::string_view name) {
    use(style, false);
    std::vector<POINT> drawn;
    for (const Point& p : points) drawn.push_back(device(p));
    Polyline(dc_, drawn.data(), static_cast<int>(drawn.size()));
    keep(ItemKind::Lines, name, drawn, style, false);
}

void GdiPainter::polygon(std::span<const Point> points, const Style& style, std::string_view name) {
    use(style, true);
    std::vector<POINT> drawn;
    for (const Point& p : points) drawn.push_back(device(p));
    SetPolyFillMode(dc_, WINDING);
    Polygon(dc_, drawn.data(), static_cast<int>(drawn.size()));
    keep(ItemKind::Polygon, name, drawn, style, true);
}

// As a polygon: GDI's Rectangle leaves out its right and bottom edges when it has no pen.
void GdiPainter::rect(const Box& b, const Style& style, std::string_view name) {
    use(style, true);
    const POINT from = device({b.x, b.y}), to = device({b.x + b.width, b.y + b.height});
    const POINT corners[4] = {from, {to.x, from.y}, to, {from.x, to.y}};
    Polygon(dc_, corners, 4);
    keep(ItemKind::Rect, name, {from, to}, style, true);
}

void GdiPainter::text(std::string_view text, Point at, const TextStyle& style, std::string_view name) {
    use({}, false);
    // A negative height is the em, as SVG's font-size.
    const HFONT font = CreateFontW(-static_cast<int>(std::lround(style.size * scale_)), 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL,
                                   FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial");
    SelectObject(dc_, font);
    SetTextColor(dc_, colour(style.colour));
    const std::wstring shown = wide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, shown.c_str(), static_cast<int>(shown.size()), &size);
    const double part = style.anchor == Anchor::Start ? 0 : style.anchor == Anchor::Middle ? 0.5 : 1;
    const POINT anchor = device(at);
    const POINT start{anchor.x - static_cast<LONG>(std::lround(size.cx * part)), anchor.y};
    TextOutW(dc_, start.x, start.y, shown.c_str(), static_cast<int>(shown.size()));
    RestoreDC(dc_, -1);
    SaveDC(dc_);
    DeleteObject(font);
    if (record_)
        record_->push_back({ItemKind::Text, std::string(name), {back(start)}, narrow(shown), size.cx / scale_, true, false});
}

void GdiPainter::end() {
    RestoreDC(dc_, saved_);
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
    pen_ = nullptr, brush_ = nullptr;
}

}  // namespace quorran
