#include "core/recorded/run_chart.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/drawing/text.h"
#include "core/numbers/number_text.h"
#include "core/running/clock_time.h"

namespace quorran {
namespace {

constexpr double WIDTH = 100;
constexpr double LEFT = 14;  // room for a pace's label, "10:30"
constexpr double RIGHT = WIDTH - 3;
constexpr double FONT = 3.5;
constexpr double HEADING = 4;
constexpr double PANEL_GAP = 9;
constexpr double PACE_HEIGHT = 42;
constexpr double PROFILE_HEIGHT = 20;
constexpr double ROUTE_HEIGHT = 60;
// A long run's profile and outline keep at most this many points: more than a printer's
// dots across 100 mm would draw nothing more.
constexpr std::size_t MAX_POINTS = 500;
constexpr Rgb GRID = 0xBBBBBB;
constexpr Rgb PROFILE = 0x9E9E9E;

bool finite(double v) { return std::isfinite(v); }

// The smallest of the steps that puts at most `most` steps over the range.
double step_for(double range, std::span<const double> steps, double most) {
    for (double s : steps)
        if (range / s <= most) return s;
    return std::ceil(range / most / steps.back()) * steps.back();
}

// Every k-th of the points, and the last, so there are at most MAX_POINTS.
template <typename Keep>
std::vector<TrackPoint> thinned(const std::vector<TrackPoint>& track, Keep keep) {
    std::vector<TrackPoint> kept;
    kept.reserve(track.size());  // a day's run is a hundred thousand points: grown, copied many times
    for (const TrackPoint& p : track)
        if (keep(p)) kept.push_back(p);
    if (kept.size() <= MAX_POINTS) return kept;
    const std::size_t every = (kept.size() + MAX_POINTS - 2) / (MAX_POINTS - 1);
    std::vector<TrackPoint> out;
    for (std::size_t i = 0; i < kept.size(); i += every) out.push_back(kept[i]);
    if (out.back().metres != kept.back().metres) out.push_back(kept.back());
    return out;
}

struct Chart {
    Drawing d;
    bool km;
    double y = 0;  // the top of the next panel, mm

    double unit() const { return km ? METRES_PER_KM : METRES_PER_MILE; }

    void heading(const std::string& text) {
        d.text({LEFT, y + HEADING}, text, {.size = HEADING, .bold = true}, "heading");
        y += HEADING + 2;
    }
    void label(Point at, std::string text, Anchor anchor, std::string_view name, Space space = PAGE) {
        d.text(at, std::move(text), {.size = FONT, .anchor = anchor}, name, space);
    }
    // The distance along the foot of an axis area, in km or miles.
    void distance_ticks(const Axes& axes, double distance) {
        static constexpr double STEPS[] = {1, 2, 5, 10, 20, 50};
        const double step = step_for(distance / unit(), STEPS, 6) * unit();
        const double below = axes.area.y + axes.area.height + FONT + 0.8;
        for (double at = 0; at <= distance + 1e-6; at += step) {
            const bool last = at + step > distance + 1e-6;
            // The last ends at the area's right edge when it would run past it.
            const Anchor anchor = at == 0 ? Anchor::Start : last && axes.x_mm(at) > RIGHT - 6 ? Anchor::End : Anchor::Middle;
            label({anchor == Anchor::End ? RIGHT : axes.x_mm(at), below},
                  decimal_text(std::round(at / unit())) + (last ? (km ? " km" : " mi") : ""), anchor, "distance");
        }
    }

    // Where a label beside a point goes: to its right, or to its left near the page's right
    // edge; and the box its letters take.
    struct Placed {
        Point at;
        Anchor anchor;
        Box box;
    };
    static Placed beside(Point p, double down, std::string_view text) {
        const bool left = p.x > RIGHT - 8;
        const Point at{left ? p.x - 1.3 : p.x + 1.3, p.y + down};
        const double width = text_width(text, FONT);
        return {at, left ? Anchor::End : Anchor::Start, {left ? at.x - width : at.x, at.y - FONT * 0.8, width, FONT}};
    }
    static bool overlap(const Box& a, const Box& b) {
        return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
    }

    void paces(const RunAnalysis& a, std::span<const PlanMarker> plan) {
        const auto shown = [this](double per_km) { return per_km * unit() / METRES_PER_KM; };
        double fast = INFINITY, slow = -INFINITY;
        for (const Split& s : a.splits)
            for (double v : {s.pace, s.gap})
                if (finite(v)) fast = std::min(fast, shown(v)), slow = std::max(slow, shown(v));
        if (!finite(fast)) return;
        static constexpr double STEPS[] = {5, 10, 15, 30, 60, 120, 300, 600};
        const double step = step_for(std::max(slow - fast, 1.0) * 1.2, STEPS, 5);
        const double top = std::max(0.0, std::floor((fast - step / 4) / step) * step);
        const double bottom = std::ceil((slow + step / 4) / step) * step;

        heading(km ? "Pace per km" : "Pace per mile");
        const bool beside_plan = !plan.empty();
        // The legend on the heading's line, from the right: the line, and the bars' colours.
        double x = RIGHT;
        const auto key = [&](std::string text, const Style& style, bool line) {
            const double w = text_width(text, FONT);
            label({x, y - 2}, text, Anchor::End, "legend");
            x -= w + 5;
            if (line) d.lines({{x, y - 3.2}, {x + 4, y - 3.2}}, style, "legend");
            else d.rect({x + 1, y - 5.2, 3, 3}, style, "legend");
            x -= 2;
        };
        key("grade-adjusted", {.stroke = BLACK, .stroke_width = 0.6}, true);
        if (beside_plan) {
            key("behind", {.fill = BEHIND}, false);
            key("ahead", {.fill = AHEAD}, false);
        }
        y += 2;

        const Axes axes{{LEFT, y, RIGHT - LEFT, PACE_HEIGHT}, 0, a.distance, bottom, top};
        const Space space = d.add_axes(axes);
        for (double p = top; p <= bottom + 1e-6; p += step) {
            d.lines({{0, p}, {a.distance, p}}, {.stroke = GRID, .stroke_width = 0.2}, "grid", space);
            label({LEFT - 1.2, axes.y_mm(p) + 1.2}, clock_text(p, 0), Anchor::End, "pace");
        }
        double from = 0;
        std::vector<Point> adjusted;
        for (std::size_t i = 0; i < a.splits.size(); ++i) {
            const Split& s = a.splits[i];
            const double margin = (s.at - from) * 0.08;
            if (finite(s.pace)) {
                const Rgb fill = !beside_plan || i >= plan.size() ? BAR : plan[i].behind > 0 ? BEHIND : AHEAD;
                d.rect({from + margin, shown(s.pace), s.at - from - 2 * margin, bottom - shown(s.pace)}, {.fill = fill}, "bar",
                       space);
            }
            adjusted.push_back({from, shown(s.gap)});
            adjusted.push_back({s.at, shown(s.gap)});
            from = s.at;
        }
        d.lines(std::move(adjusted), {.stroke = BLACK, .stroke_width = 0.6}, "grade-adjusted", space);
        d.lines({{0, bottom}, {a.distance, bottom}}, {.stroke = BLACK, .stroke_width = 0.3}, "axis", space);
        distance_ticks(axes, a.distance);
        y += PACE_HEIGHT + FONT + PANEL_GAP;
    }

    void profile(const RunAnalysis& a) {
        const auto high = [](const TrackPoint& p) { return finite(p.altitude); };
        const std::vector<TrackPoint> points = thinned(a.track, high);
        if (points.size() < 2 || !(points.back().metres > points.front().metres)) return;
        double low = INFINITY, top = -INFINITY;
        for (const TrackPoint& p : points) low = std::min(low, p.altitude), top = std::max(top, p.altitude);
        // A flat run keeps 20 m of height, so a metre's wobble stays a wobble.
        const double floor = std::floor(std::min(low, (low + top) / 2 - 10));
        const double ceiling = std::ceil(std::max(top, floor + 20));

        heading("Elevation");
        const double distance = finite(a.distance) ? a.distance : points.back().metres;
        const Axes axes{{LEFT, y, RIGHT - LEFT, PROFILE_HEIGHT}, 0, distance, floor, ceiling};
        const Space space = d.add_axes(axes);
        std::vector<Point> shape{{points.front().metres, floor}};
        for (const TrackPoint& p : points) shape.push_back({p.metres, p.altitude});
        shape.push_back({points.back().metres, floor});
        d.polygon(std::move(shape), {.fill = PROFILE}, "profile", space);
        for (double v : {low, top}) {
            d.lines({{0, v}, {distance, v}}, {.stroke = GRID, .stroke_width = 0.2}, "grid", space);
            label({LEFT - 1.2, axes.y_mm(v) + 1.2}, format_text("%.0f m", {v}), Anchor::End, "altitude");
        }
        distance_ticks(axes, distance);
        y += PROFILE_HEIGHT + FONT + PANEL_GAP;
    }

    void route(const RunAnalysis& a) {
        const auto placed = [](const TrackPoint& p) { return finite(p.latitude) && finite(p.longitude); };
        std::vector<TrackPoint> all;
        for (const TrackPoint& p : a.track)
            if (placed(p)) all.push_back(p);
        if (all.size() < 2) return;
        const std::vector<TrackPoint> points = thinned(all, placed);
        // North up, east right: degrees of longitude shrunk by the cosine of the latitude.
        double south = INFINITY, north = -INFINITY, west = INFINITY, east = -INFINITY;
        for (const TrackPoint& p : points) {
            south = std::min(south, p.latitude), north = std::max(north, p.latitude);
            west = std::min(west, p.longitude), east = std::max(east, p.longitude);
        }
        const double shrink = std::cos((south + north) / 2 * 3.14159265358979323846 / 180);
        const double across = (east - west) * shrink, along = north - south;
        const double width = RIGHT - LEFT, mm_per_degree = std::min(across > 0 ? width / across : INFINITY,
                                                                      along > 0 ? ROUTE_HEIGHT / along : INFINITY);
        const double scale = finite(mm_per_degree) ? mm_per_degree : 0;
        heading(km ? "Route, with its km" : "Route, with its miles");
        const double left = LEFT + (width - across * scale) / 2, top = y + (ROUTE_HEIGHT - along * scale) / 2;
        const auto place = [&](double latitude, double longitude) {
            return Point{left + (longitude - west) * shrink * scale, top + (north - latitude) * scale};
        };
        std::vector<Point> outline;
        for (const TrackPoint& p : points) outline.push_back(place(p.latitude, p.longitude));
        d.lines(std::move(outline), {.stroke = BAR, .stroke_width = 0.6}, "route");
        // The markers, where the run passed each split's distance; at most 12 numbered. A
        // number goes up past the start's label and the numbers before it: on a loop the
        // last marker comes back beside the start.
        const Placed start = beside(place(all.front().latitude, all.front().longitude), FONT + 0.3, "start");
        std::vector<Box> taken{start.box};
        const std::size_t markers = a.splits.empty() ? 0 : a.splits.size() - 1;
        const std::size_t every = markers / 12 + 1;
        std::size_t k = 1;
        for (std::size_t i = 0; i < markers; ++i) {
            const double at = a.splits[i].at;
            while (k + 1 < all.size() && all[k].metres < at) ++k;
            const TrackPoint &p = all[k - 1], &q = all[k];
            const double t = q.metres > p.metres ? std::clamp((at - p.metres) / (q.metres - p.metres), 0.0, 1.0) : 1.0;
            const Point m = place(p.latitude + t * (q.latitude - p.latitude), p.longitude + t * (q.longitude - p.longitude));
            d.rect({m.x - 0.8, m.y - 0.8, 1.6, 1.6}, {.fill = BLACK}, "marker");
            if ((i + 1) % every == 0) {
                const std::string number = decimal_text(std::round(at / unit() * 100) / 100);
                Placed n = beside(m, -1.1, number);
                const auto covers = [&taken](const Box& box) {
                    return std::any_of(taken.begin(), taken.end(), [&box](const Box& b) { return overlap(box, b); });
                };
                for (int tries = 0; tries < 4 && covers(n.box); ++tries) n.at.y -= FONT, n.box.y -= FONT;
                label(n.at, number, n.anchor, "marker number");
                taken.push_back(n.box);
            }
        }
        label(start.at, "start", start.anchor, "start");
        y += ROUTE_HEIGHT + 3;
    }

};

}  // namespace

std::optional<Drawing> run_chart(const RunAnalysis& a, bool km, std::span<const PlanMarker> plan) {
    Chart c{.d = {.key = "chart", .title = "Chart", .width = WIDTH}, .km = km, .y = 3};
    c.paces(a, plan);
    c.profile(a);
    c.route(a);
    if (c.d.items.empty()) return std::nullopt;
    c.d.height = c.y;

    std::string words = "Chart of the run: ";
    std::vector<std::string> parts;
    if (!a.splits.empty())
        parts.push_back(std::string("pace of ") + decimal_text(static_cast<double>(a.splits.size())) +
                        (a.splits.size() == 1 ? " split" : " splits") + (km ? " per km" : " per mile") +
                        " as bars, grade-adjusted pace as a line" +
                        (plan.empty() ? "" : ", each bar marked ahead of the plan or behind it"));
    for (const Item& item : c.d.items)
        if (item.name == "profile") parts.push_back("the elevation along the run");
    for (const Item& item : c.d.items)
        if (item.name == "route") {
            parts.push_back(std::string("the route's outline with its ") + (km ? "km" : "mile") + " markers");
            break;
        }
    for (std::size_t i = 0; i < parts.size(); ++i) words += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    c.d.text_alternative = words + ". Its numbers are the splits table's.";
    return std::move(c.d);
}

}  // namespace quorran
