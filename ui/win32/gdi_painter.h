#pragma once

#include <windows.h>

#include <vector>

#include "core/drawing/painter.h"

// Drawings with GDI: on a window, a printer's page or a bitmap.
namespace quorran {

// Paints at `scale` device pixels a mm from `origin`, GDI's whole pixels rounded to
// the nearest; records each call as a Mark, in mm, when given a list.
class GdiPainter final : public Painter {
public:
    GdiPainter(HDC dc, double scale, POINT origin = {0, 0}, std::vector<Mark>* record = nullptr)
        : dc_(dc), scale_(scale), origin_(origin), record_(record) {}
    GdiPainter(const GdiPainter&) = delete;
    GdiPainter& operator=(const GdiPainter&) = delete;
    void begin(const Drawing& drawing) override;
    void lines(std::span<const Point> points, const Style& style, std::string_view name) override;
    void polygon(std::span<const Point> points, const Style& style, std::string_view name) override;
    void rect(const Box& box, const Style& style, std::string_view name) override;
    void text(std::string_view text, Point at, const TextStyle& style, std::string_view name) override;
    void end() override;

private:
    POINT device(Point p) const;
    Point back(POINT p) const;
    // Selects the style's pen and brush into the device context for the next shape.
    void use(const Style& style, bool fill);
    void keep(ItemKind kind, std::string_view name, const std::vector<POINT>& points, const Style& style, bool fill);
    HDC dc_;
    double scale_;
    POINT origin_;
    std::vector<Mark>* record_;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;
    int saved_ = 0;
};

}  // namespace quorran
