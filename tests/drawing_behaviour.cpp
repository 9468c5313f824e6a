#include "tests/drawing_behaviour.h"

#include <cmath>
#include <tuple>

#include "core/numbers/number_text.h"
#include "core/recorded/run_chart.h"
#include "core/running/pace_band.h"
#include "core/running/split_plan.h"

namespace quorran::testing {
namespace {

class Asked final : public Painter {
public:
    std::vector<Mark> marks;
    void begin(const Drawing&) override {}
    void lines(std::span<const Point> points, const Style& style, std::string_view name) override {
        marks.push_back({ItemKind::Lines, std::string(name), {points.begin(), points.end()}, {}, 0, false, style.stroke.has_value()});
    }
    void polygon(std::span<const Point> points, const Style& style, std::string_view name) override {
        marks.push_back({ItemKind::Polygon, std::string(name), {points.begin(), points.end()}, {}, 0, style.fill.has_value(),
                         style.stroke.has_value()});
    }
    void rect(const Box& b, const Style& style, std::string_view name) override {
        marks.push_back({ItemKind::Rect, std::string(name), {{b.x, b.y}, {b.x + b.width, b.y + b.height}}, {}, 0,
                         style.fill.has_value(), style.stroke.has_value()});
    }
    void text(std::string_view text, Point at, const TextStyle& style, std::string_view name) override {
        marks.push_back({ItemKind::Text, std::string(name), {at}, std::string(text), 0, true, false, style.anchor});
    }
};

// A loop of 12 km or so, over a hill and back, its pace changing: a run with every part
// of the chart.
Run hilly_loop() {
    Run run{.format = RunFormat::Gpx11, .points = {}, .part_starts = {0}, .timer_stops = {}, .reading_notes = {}};
    constexpr int N = 1200;
    constexpr double PI = 3.14159265358979323846;
    double t = 1.7e9;
    for (int i = 0; i <= N; ++i) {
        const double a = 2 * PI * i / N;
        t += 3.0 + std::sin(3 * a);
        run.points.push_back({.time = t, .latitude = 51.5 + 0.015 * std::sin(a), .longitude = -0.12 + 0.03 * std::cos(a),
                              .altitude = 40 + 25 * std::sin(2 * a)});
    }
    return run;
}

}  // namespace

std::vector<Drawing> panel_drawings() {
    std::vector<Drawing> out;
    for (const auto& [metres, seconds, every] : {std::tuple{5000.0, 1500.0, 1000.0}, std::tuple{MARATHON_METRES, 12600.0, 1000.0}}) {
        const auto plan = split_plan(metres, seconds, every, 2);
        const PaceBand band{"Race & <home>", seconds, 2, true,
                            band_rows(plan, metres, planned_seconds_at(metres, seconds, 2, metres / 2), METRES_PER_KM)};
        out.push_back(band_drawing(band));
    }
    const RunAnalysis km = analyse_run(hilly_loop(), METRES_PER_KM), miles = analyse_run(hilly_loop(), METRES_PER_MILE);
    out.push_back(*run_chart(km, true));
    out.push_back(*run_chart(miles, false, compare_with_plan(miles, miles.moving)));
    return out;
}

std::vector<Mark> marks_asked(const Drawing& drawing) {
    Asked asked;
    paint(drawing, asked);
    return std::move(asked.marks);
}

std::vector<std::string> check_painter(PainterProbe& probe) {
    std::vector<std::string> failed;
    const auto where = [](const Drawing& d, std::size_t i, const Mark& m) {
        return std::string(d.key) + " mark " + decimal_text(static_cast<double>(i)) + " (" + m.name + " " + m.text + "): ";
    };
    for (const Drawing& d : panel_drawings()) {
        const std::vector<Mark> asked = marks_asked(d), drawn = probe.paint(d);
        if (drawn.size() != asked.size()) {
            failed.push_back(std::string(d.key) + ": " + decimal_text(static_cast<double>(drawn.size())) + " marks drawn, " +
                             decimal_text(static_cast<double>(asked.size())) + " asked");
            continue;
        }
        for (std::size_t i = 0; i < asked.size(); ++i) {
            const Mark &a = asked[i], &m = drawn[i];
            if (m.kind != a.kind || m.name != a.name || m.text != a.text || m.filled != a.filled || m.stroked != a.stroked ||
                m.points.size() != a.points.size() || (a.kind == ItemKind::Text && !(m.advance > 0) && !m.text.empty())) {
                failed.push_back(where(d, i, a) + "drawn as " + m.name + " " + m.text);
                continue;
            }
            for (std::size_t k = 0; k < a.points.size(); ++k) {
                // A text's anchor: from its start drawn, the part of its width the anchor asked says.
                const double part = a.anchor == Anchor::Start ? 0 : a.anchor == Anchor::Middle ? 0.5 : 1;
                const double off = std::hypot(m.points[k].x + m.advance * part - a.points[k].x, m.points[k].y - a.points[k].y);
                if (!(off <= probe.tolerance()))
                    failed.push_back(where(d, i, a) + "point " + decimal_text(static_cast<double>(k)) + " is " +
                                     decimal_text(off, 3) + " mm off");
            }
        }
    }
    return failed;
}

}  // namespace quorran::testing
