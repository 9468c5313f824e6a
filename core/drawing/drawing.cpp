#include "core/drawing/drawing.h"

#include <utility>

namespace quorran {

// Measured from the edge where the range starts, so both edges map exactly.
double Axes::x_mm(double x) const {
    if (x_to == x_from) return area.x + area.width / 2;
    return area.x + (x - x_from) / (x_to - x_from) * area.width;
}

double Axes::y_mm(double y) const {
    if (y_to == y_from) return area.y + area.height / 2;
    return area.y + (y_to - y) / (y_to - y_from) * area.height;
}

Space Drawing::add_axes(const Axes& a) {
    axes.push_back(a);
    return axes.size();
}

void Drawing::lines(std::vector<Point> points, const Style& style, std::string_view name, Space space) {
    items.push_back({.kind = ItemKind::Lines, .name = name, .space = space, .points = std::move(points), .style = style});
}

void Drawing::polygon(std::vector<Point> points, const Style& style, std::string_view name, Space space) {
    items.push_back({.kind = ItemKind::Polygon, .name = name, .space = space, .points = std::move(points), .style = style});
}

void Drawing::rect(const Box& box, const Style& style, std::string_view name, Space space) {
    items.push_back({.kind = ItemKind::Rect, .name = name, .space = space, .box = box, .style = style});
}

void Drawing::text(Point at, std::string text, const TextStyle& style, std::string_view name, Space space) {
    items.push_back(
        {.kind = ItemKind::Text, .name = name, .space = space, .text = std::move(text), .at = at, .text_style = style});
}

void Drawing::begin_group(std::string_view name) { items.push_back({.kind = ItemKind::BeginGroup, .name = name}); }

void Drawing::end_group() { items.push_back({.kind = ItemKind::EndGroup}); }

}  // namespace quorran
