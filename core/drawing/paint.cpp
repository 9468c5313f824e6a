#include <algorithm>
#include <cmath>

#include "core/drawing/painter.h"

namespace quorran {
namespace {

bool finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The point a fraction t of the way from p to q; p and q themselves at 0 and 1, exactly.
Point between(Point p, Point q, double t) {
    if (t == 0) return p;
    if (t == 1) return q;
    return {p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
}

// The part of the segment from p to q inside the box, as fractions of its way
// (Liang and Barsky); false when none is.
bool inside_part(Point p, Point q, const Box& b, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double towards[4] = {-dx, dx, -dy, dy};
    const double room[4] = {p.x - b.x, b.x + b.width - p.x, p.y - b.y, b.y + b.height - p.y};
    for (int i = 0; i < 4; ++i) {
        if (towards[i] == 0) {
            if (room[i] < 0) return false;
            continue;
        }
        const double t = room[i] / towards[i];
        if (towards[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
    }
    return t0 < t1;  // a segment that only touches the box leaves nothing to draw
}

// A polygon cut to the box, one edge after the other (Sutherland and Hodgman).
std::vector<Point> cut_polygon(std::vector<Point> shape, const Box& b) {
    const struct { bool vertical; double at; bool keep_above; } edges[4] = {
        {true, b.x, true}, {true, b.x + b.width, false}, {false, b.y, true}, {false, b.y + b.height, false}};
    for (const auto& e : edges) {
        const auto along = [&e](Point p) { return e.vertical ? p.x : p.y; };
        const auto in = [&](Point p) { return e.keep_above ? along(p) >= e.at : along(p) <= e.at; };
        const auto crossing = [&](Point p, Point q) {
            Point c = between(p, q, (e.at - along(p)) / (along(q) - along(p)));
            (e.vertical ? c.x : c.y) = e.at;
            return c;
        };
        std::vector<Point> kept;
        for (std::size_t i = 0; i < shape.size(); ++i) {
            const Point prev = shape[(i + shape.size() - 1) % shape.size()], cur = shape[i];
            if (in(cur) != in(prev)) kept.push_back(crossing(prev, cur));
            if (in(cur)) kept.push_back(cur);
        }
        shape = std::move(kept);
    }
    return shape;
}

// An open line cut where a point is not a number and, in an axis area, at its edges:
// the pieces left, each of two points or more.
std::vector<std::vector<Point>> line_pieces(const std::vector<Point>& points, const Box* area) {
    std::vector<std::vector<Point>> pieces;
    std::vector<Point> piece;
    const auto end_piece = [&] {
        if (piece.size() >= 2) pieces.push_back(piece);
        piece.clear();
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Point p = points[i - 1], q = points[i];
        double t0 = 0, t1 = 1;
        if (!finite(p) || !finite(q) || (area && !inside_part(p, q, *area, t0, t1))) {
            end_piece();
            continue;
        }
        if (piece.empty() || t0 > 0) {
            end_piece();
            piece.push_back(between(p, q, t0));
        }
        piece.push_back(between(p, q, t1));  // left at t1 < 1: the next segment starts a new piece
    }
    end_piece();
    return pieces;
}

}  // namespace

void paint(const Drawing& drawing, Painter& painter) {
    painter.begin(drawing);
    for (const Item& item : drawing.items) {
        const Axes* axes = item.space == PAGE || item.space > drawing.axes.size() ? nullptr : &drawing.axes[item.space - 1];
        std::vector<Point> points = item.points;
        if (axes)
            for (Point& p : points) p = axes->to_mm(p);
        switch (item.kind) {
            case ItemKind::Lines:
                for (const auto& piece : line_pieces(points, axes ? &axes->area : nullptr))
                    painter.lines(piece, item.style, item.name);
                break;
            case ItemKind::Polygon:
                if (!std::all_of(points.begin(), points.end(), finite)) break;
                if (axes) points = cut_polygon(std::move(points), axes->area);
                if (points.size() >= 3) painter.polygon(points, item.style, item.name);
                break;
            case ItemKind::Rect: {
                Box b = item.box;
                if (axes) {
                    const Point p = axes->to_mm({b.x, b.y}), q = axes->to_mm({b.x + b.width, b.y + b.height});
                    if (!finite(p) || !finite(q)) break;
                    const Box& a = axes->area;
                    const double left = std::max(std::min(p.x, q.x), a.x), right = std::min(std::max(p.x, q.x), a.x + a.width);
                    const double top = std::max(std::min(p.y, q.y), a.y), bottom = std::min(std::max(p.y, q.y), a.y + a.height);
                    b = {left, top, right - left, bottom - top};
                }
                if (finite({b.x, b.y}) && finite({b.width, b.height}) && b.width > 0 && b.height > 0)
                    painter.rect(b, item.style, item.name);
                break;
            }
            case ItemKind::Text: {
                const Point at = axes ? axes->to_mm(item.at) : item.at;
                if (finite(at)) painter.text(item.text, at, item.text_style, item.name);
                break;
            }
            case ItemKind::BeginGroup: painter.begin_group(item.name); break;
            case ItemKind::EndGroup: painter.end_group(); break;
        }
    }
    painter.end();
}

}  // namespace quorran
