// The drawing: axes mapped to mm, shapes cut at their axis area, the SVG painter held to
// the drawing suite by reading its SVG back, and the run's chart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/drawing/svg.h"
#include "core/drawing/text.h"
#include "core/recorded/run_chart.h"
#include "tests/drawing_behaviour.h"

namespace quorran {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(Axes, MapValuesToTheirArea) {
    const Axes up{{10, 20, 80, 40}, 0, 1000, 0, 100};
    const Axes pace{{10, 20, 80, 40}, 0, 1000, 360, 240};  // slower at the foot
    const Axes flat{{10, 20, 80, 40}, 5, 5, 7, 7};
    const struct {
        const Axes& axes;
        Point value, mm;
    } cases[] = {
        {up, {0, 0}, {10, 60}},        {up, {1000, 100}, {90, 20}},  {up, {500, 25}, {50, 50}},
        {up, {-250, 150}, {-10, 0}},   {pace, {0, 360}, {10, 60}},   {pace, {0, 240}, {10, 20}},
        {pace, {0, 300}, {10, 40}},    {flat, {5, 7}, {50, 40}},     {flat, {6, 8}, {50, 40}},
    };
    for (const auto& c : cases) {
        const Point p = c.axes.to_mm(c.value);
        EXPECT_DOUBLE_EQ(p.x, c.mm.x) << c.value.x;
        EXPECT_DOUBLE_EQ(p.y, c.mm.y) << c.value.y;
    }
}

// What paint() hands a painter for one item in an area of 0..10 both ways at 1 mm a unit,
// y downwards as on the page: the shapes cut at its edges.
std::vector<Mark> painted(void (*add)(Drawing&, Space)) {
    Drawing d{.width = 20, .height = 20};
    add(d, d.add_axes({{0, 0, 10, 10}, 0, 10, 10, 0}));
    return testing::marks_asked(d);
}

TEST(Paint, CutsShapesAtTheirArea) {
    using P = std::vector<Point>;
    const struct {
        const char* what;
        void (*add)(Drawing&, Space);
        std::vector<P> pieces;
    } cases[] = {
        {"a line inside", [](Drawing& d, Space s) { d.lines({{1, 1}, {9, 9}}, {}, "", s); }, {{{1, 1}, {9, 9}}}},
        {"a line on the edge", [](Drawing& d, Space s) { d.lines({{0, 10}, {10, 10}}, {}, "", s); }, {{{0, 10}, {10, 10}}}},
        {"a line out and back", [](Drawing& d, Space s) { d.lines({{5, 5}, {15, 5}, {5, 6}}, {}, "", s); },
         {{{5, 5}, {10, 5}}, {{10, 5.5}, {5, 6}}}},
        {"a line just outside", [](Drawing& d, Space s) { d.lines({{10.001, 0}, {10.001, 10}}, {}, "", s); }, {}},
        {"a line broken by NaN", [](Drawing& d, Space s) { d.lines({{1, 1}, {2, 2}, {3, NaN}, {4, 4}, {5, 5}}, {}, "", s); },
         {{{1, 1}, {2, 2}}, {{4, 4}, {5, 5}}}},
        {"one point", [](Drawing& d, Space s) { d.lines({{1, 1}}, {}, "", s); }, {}},
        {"a line touching a corner", [](Drawing& d, Space s) { d.lines({{12, 8}, {8, 12}}, {}, "", s); }, {}},
        {"a polygon of two points", [](Drawing& d, Space s) { d.polygon({{1, 1}, {5, 5}}, {}, "", s); }, {}},
        {"a polygon over an edge", [](Drawing& d, Space s) { d.polygon({{5, 5}, {15, 5}, {15, 8}, {5, 8}}, {}, "", s); },
         {{{5, 5}, {10, 5}, {10, 8}, {5, 8}}}},
        {"a polygon with NaN", [](Drawing& d, Space s) { d.polygon({{5, 5}, {9, NaN}, {5, 8}}, {}, "", s); }, {}},
        {"a polygon outside", [](Drawing& d, Space s) { d.polygon({{11, 5}, {15, 5}, {15, 8}}, {}, "", s); }, {}},
        {"a bar over the foot", [](Drawing& d, Space s) { d.rect({2, 8, 2, 5}, {}, "", s); }, {{{2, 8}, {4, 10}}}},
        {"a bar of no height", [](Drawing& d, Space s) { d.rect({2, 8, 2, 0}, {}, "", s); }, {}},
        {"a bar of no width", [](Drawing& d, Space s) { d.rect({2, 8, 0, 1}, {}, "", s); }, {}},
        {"a bar outside", [](Drawing& d, Space s) { d.rect({12, 8, 2, 1}, {}, "", s); }, {}},
        {"a text outside, placed", [](Drawing& d, Space s) { d.text({12, 1}, "x", {}, "", s); }, {{{12, 1}}}},
        {"a text at NaN", [](Drawing& d, Space s) { d.text({NaN, 1}, "x", {}, "", s); }, {}},
    };
    for (const auto& c : cases) {
        const std::vector<Mark> marks = painted(c.add);
        ASSERT_EQ(marks.size(), c.pieces.size()) << c.what;
        for (std::size_t i = 0; i < marks.size(); ++i) {
            ASSERT_EQ(marks[i].points.size(), c.pieces[i].size()) << c.what;
            for (std::size_t k = 0; k < c.pieces[i].size(); ++k) {
                EXPECT_NEAR(marks[i].points[k].x, c.pieces[i][k].x, 1e-9) << c.what;
                EXPECT_NEAR(marks[i].points[k].y, c.pieces[i][k].y, 1e-9) << c.what;
            }
        }
    }
}

TEST(Svg, WritesLengthsColoursAndTexts) {
    Drawing d{.text_alternative = "A & B", .width = 12.345, .height = 7};
    d.rect({0.004, -0.004, 1.005, 2.1}, {.fill = 0x4A78B5, .stroke = 0x112233, .stroke_width = 0.25}, "bar");
    d.lines({{1, 2}, {3, 4}, {5, 6}}, {.stroke = BLACK, .stroke_width = 0.6});
    d.lines({{0, 1}, {2, 1}}, {.stroke = BLACK, .stroke_width = 0.1}, "rule");  // two points: a <line>, as the band's rules
    d.polygon({{1, 1}, {2, 2}, {1, 2}}, {.fill = 0x112234}, "almost");  // one digit off the short form
    d.text({1, 2}, "<3 'n' \"b\"", {.size = 3.5, .anchor = Anchor::Middle, .bold = true, .colour = 0xC62828}, "t");
    const std::string svg = svg_document(d);
    for (const char* part : {
             "width=\"12.35mm\" height=\"7mm\" viewBox=\"0 0 12.35 7\"",
             "<title>A &amp; B</title>\n<rect width=\"12.35\" height=\"7\" fill=\"#fff\"/>",
             "<rect class=\"bar\" x=\"0\" y=\"0\" width=\"1\" height=\"2.1\" fill=\"#4a78b5\" stroke=\"#123\" stroke-width=\"0.25\"/>",
             "<polyline points=\"1,2 3,4 5,6\" fill=\"none\" stroke=\"#000\" stroke-width=\"0.6\"/>",
             "<line class=\"rule\" x1=\"0\" y1=\"1\" x2=\"2\" y2=\"1\" stroke=\"#000\" stroke-width=\"0.1\"/>",
             "<polygon class=\"almost\" points=\"1,1 2,2 1,2\" fill=\"#112234\"/>",
             "<text class=\"t\" x=\"1\" y=\"2\" font-size=\"3.5\" text-anchor=\"middle\" font-weight=\"bold\" fill=\"#c62828\">"
             "&lt;3 &#39;n&#39; &quot;b&quot;</text>\n</svg>\n",
         })
        EXPECT_NE(svg.find(part), std::string::npos) << part << "\nin\n" << svg;
}

// A text is laid out by its estimated width, which must never fall short of the face it
// is drawn in: Liberation Sans's advances (Arial's metrics), in em.
TEST(TextWidth, NeverShortOfTheFace) {
    const struct {
        const char* text;
        double em;
    } faces[] = {{"W", 0.944}, {"@", 1.015}, {"%", 0.889}, {"m", 0.833}, {"M", 0.833}, {"w", 0.722},
                 {"0", 0.556}, {"A", 0.667}, {"i", 0.222}, {"\xC3\xA9", 0.556}};
    for (const auto& f : faces) EXPECT_GE(text_width(f.text, 10), f.em * 10) << f.text;
}

// ---- The SVG painter against the drawing suite, its SVG read back -----------------------

std::string attribute(std::string_view element, std::string_view name) {
    const std::string key = " " + std::string(name) + "=\"";
    const std::size_t at = element.find(key);
    if (at == std::string_view::npos) return {};
    const std::size_t from = at + key.size();
    return std::string(element.substr(from, element.find('"', from) - from));
}

double number(std::string_view element, std::string_view name) { return std::stod(attribute(element, name)); }

std::string unescaped(std::string text) {
    for (const auto& [from, to] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}})
        for (std::size_t at; (at = text.find(from)) != std::string::npos;) text.replace(at, std::string_view(from).size(), to);
    return text;
}

class SvgProbe final : public testing::PainterProbe {
public:
    std::vector<Mark> paint(const Drawing& drawing) override {
        const std::string svg = svg_document(drawing);
        std::vector<Mark> marks;
        for (std::size_t at = svg.find("<title>"); (at = svg.find('<', at + 1)) != std::string::npos;) {
            const std::string_view rest = std::string_view(svg).substr(at + 1);
            const std::string_view tag = rest.substr(0, rest.find_first_of(" >"));
            const std::string_view element = rest.substr(0, rest.find('>'));
            const std::string fill = attribute(element, "fill");
            Mark m{.name = attribute(element, "class"), .filled = !fill.empty() && fill != "none",
                   .stroked = !attribute(element, "stroke").empty()};
            if (tag == "line") {
                m.points = {{number(element, "x1"), number(element, "y1")}, {number(element, "x2"), number(element, "y2")}};
            } else if (tag == "polyline" || tag == "polygon") {
                m.kind = tag == "polyline" ? ItemKind::Lines : ItemKind::Polygon;
                const std::string list = attribute(element, "points");
                for (std::size_t p = 0; p < list.size();) {
                    const std::size_t comma = list.find(',', p), end = std::min(list.find(' ', p), list.size());
                    m.points.push_back({std::stod(list.substr(p, comma - p)), std::stod(list.substr(comma + 1, end - comma - 1))});
                    p = end + 1;
                }
            } else if (tag == "rect") {
                if (m.name.empty() && attribute(element, "x").empty()) continue;  // the page
                m.kind = ItemKind::Rect;
                const double x = number(element, "x"), y = number(element, "y");
                m.points = {{x, y}, {x + number(element, "width"), y + number(element, "height")}};
            } else if (tag == "text") {
                m.kind = ItemKind::Text;
                const std::size_t open = rest.find('>') + 1;
                m.text = unescaped(std::string(rest.substr(open, rest.find("</text>") - open)));
                // SVG places a text by its anchor itself: its start is where the anchor it
                // says puts it, at the width the layout estimates.
                const std::string anchor = attribute(element, "text-anchor");
                m.advance = text_width(m.text, number(element, "font-size"));
                const double part = anchor == "middle" ? 0.5 : anchor == "end" ? 1 : 0;
                m.points = {{number(element, "x") - m.advance * part, number(element, "y")}};
                m.filled = true;
            } else {
                continue;  // groups, the ends of elements
            }
            marks.push_back(std::move(m));
        }
        return marks;
    }
    double tolerance() const override { return 0.0072; }  // lengths to the hundredth, both ways
};

TEST(DrawingSuite, Svg) {
    SvgProbe probe;
    for (const std::string& failure : testing::check_painter(probe)) ADD_FAILURE() << failure;
}

// ---- The run's chart ---------------------------------------------------------------------

RunAnalysis two_splits(double first_pace, double second_pace) {
    RunAnalysis a;
    a.distance = 2000;
    a.split_every = 1000;
    a.splits = {{.at = 1000, .time = first_pace, .cumulative = first_pace, .pace = first_pace, .gap = first_pace - 10},
                {.at = 2000, .time = second_pace, .cumulative = first_pace + second_pace, .pace = second_pace,
                 .gap = second_pace}};
    return a;
}

std::vector<Mark> named(const Drawing& d, std::string_view name) {
    std::vector<Mark> out;
    for (Mark& m : testing::marks_asked(d))
        if (m.name == name) out.push_back(std::move(m));
    return out;
}

// Faster is higher: a bar's top is at its pace on the pace axis, whose labels name it.
TEST(RunChart, BarsStandAtTheirPace) {
    const Drawing d = *run_chart(two_splits(300, 240), true);
    const std::vector<Mark> bars = named(d, "bar"), labels = named(d, "pace");
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_LT(bars[1].points[0].y, bars[0].points[0].y);
    EXPECT_DOUBLE_EQ(bars[0].points[1].y, bars[1].points[1].y);  // on the same foot
    EXPECT_LT(bars[0].points[1].x, bars[1].points[0].x);         // side by side, apart
    std::vector<std::string> texts;
    for (const Mark& m : labels) texts.push_back(m.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"3:45", "4:00", "4:15", "4:30", "4:45", "5:00", "5:15"}));
    for (const auto& [pace, bar] : {std::pair{300.0, bars[0]}, {240.0, bars[1]}}) {
        const std::string text = pace == 300 ? "5:00" : "4:00";
        const auto label = std::find_if(labels.begin(), labels.end(), [&](const Mark& m) { return m.text == text; });
        ASSERT_NE(label, labels.end());
        EXPECT_NEAR(label->points[0].y - 1.2, bar.points[0].y, 1e-9) << text;
    }
    // Per mile the same run is slower per unit.
    EXPECT_EQ(named(*run_chart(two_splits(300, 240), false), "pace").back().text, "8:30");
}

// Beside a plan a bar is green while the run is ahead or level at the split's end, and
// red when it is behind by any time at all.
TEST(RunChart, BarsSayAheadOrBehind) {
    const struct {
        double behind;
        Rgb colour;
    } cases[] = {{-30, AHEAD}, {0, AHEAD}, {0.001, BEHIND}, {30, BEHIND}};
    for (const auto& c : cases) {
        const RunAnalysis a = two_splits(300, 300);
        const PlanMarker plan[] = {{.behind = c.behind}, {.behind = c.behind}};
        const Drawing d = *run_chart(a, true, plan);
        for (const Item& item : d.items) {
            if (item.name == "bar") {
                EXPECT_EQ(item.style.fill, c.colour) << c.behind;
            }
        }
        EXPECT_NE(d.text_alternative.find("ahead of the plan or behind"), std::string::npos);
    }
    const Drawing alone = *run_chart(two_splits(300, 300), true);
    for (const Item& item : alone.items) {
        if (item.name == "bar") {
            EXPECT_EQ(item.style.fill, BAR);
        }
    }
}

// Each part only where the run gives it; no chart when it gives none.
TEST(RunChart, LeavesOutWhatTheFileLacks) {
    RunAnalysis a = two_splits(300, 280);
    EXPECT_TRUE(named(*run_chart(a, true), "profile").empty());
    EXPECT_TRUE(named(*run_chart(a, true), "route").empty());
    a.track = {{0, 51.5, -0.1, 10}, {1000, 51.505, -0.1, NaN}, {2000, 51.51, -0.1, 30}};
    const Drawing d = *run_chart(a, false);
    EXPECT_EQ(named(d, "profile").size(), 1u);
    const std::vector<Mark> route = named(d, "route"), markers = named(d, "marker");
    ASSERT_EQ(route.size(), 1u);
    // North up: the run goes up the page.
    EXPECT_GT(route[0].points.front().y, route[0].points.back().y);
    ASSERT_EQ(markers.size(), 1u);  // split per km: one marker between, at 1000 m, halfway up
    EXPECT_NEAR((markers[0].points[0].y + markers[0].points[1].y) / 2,
                (route[0].points.front().y + route[0].points.back().y) / 2, 0.01);
    EXPECT_EQ(named(d, "marker number")[0].text, "0.62");
    EXPECT_EQ(d.text_alternative,
              "Chart of the run: pace of 2 splits per mile as bars, grade-adjusted pace as a line, the elevation "
              "along the run and the route's outline with its mile markers. Its numbers are the splits table's.");
    RunAnalysis nothing;
    EXPECT_FALSE(run_chart(nothing, true));
    nothing.track = {{0, NaN, NaN, 5}};
    EXPECT_FALSE(run_chart(nothing, true));
}

// On a loop the last marker comes back beside the start, and out and back each marker
// beside one of the way out: no label of the route covers another, and a number with
// room keeps its place just above its marker.
TEST(RunChart, RouteLabelsNeverCoverEachOther) {
    constexpr double PI = 3.14159265358979323846, METRES_PER_DEGREE = 111'250;
    const struct {
        const char* shape;
        double past_last;  // metres from the last marker to the finish
    } runs[] = {{"loop", 50}, {"loop", 400}, {"loop", 999}, {"out and back", 50}};
    for (const auto& run : runs) {
        const std::string shape = run.shape;
        RunAnalysis a;
        a.distance = 10'000 + run.past_last;
        a.split_every = 1000;
        for (double at = 1000; at < a.distance; at += 1000) a.splits.push_back({.at = at, .time = 300, .pace = 300, .gap = 300});
        a.splits.push_back({.at = a.distance, .time = 100, .pace = 300, .gap = 300});
        for (int i = 0; i <= 400; ++i) {
            const double metres = a.distance * i / 400;
            if (shape == "loop") {
                const double radius = a.distance / (2 * PI) / METRES_PER_DEGREE, turn = 2 * PI * i / 400;
                a.track.push_back({metres, 51.5 + radius * std::sin(turn), -0.1 + radius * std::cos(turn) / 0.6225, NaN});
            } else {  // north, then back south 20 m to the east
                const double out = std::min(metres, a.distance - metres);
                a.track.push_back({metres, 51.5 + out / METRES_PER_DEGREE, -0.1 + (metres > a.distance / 2 ? 0.0003 : 0), NaN});
            }
        }
        const Drawing d = *run_chart(a, true);
        std::vector<std::pair<std::string, Box>> boxes;
        for (const Item& item : d.items) {
            if (item.name != "marker number" && item.name != "start") continue;
            const double width = text_width(item.text, item.text_style.size);
            const double left = item.text_style.anchor == Anchor::End ? item.at.x - width : item.at.x;
            boxes.push_back({item.text, {left, item.at.y - item.text_style.size * 0.8, width, item.text_style.size}});
        }
        ASSERT_EQ(boxes.size(), 11u) << shape;
        for (std::size_t i = 0; i < boxes.size(); ++i)
            for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                const Box &p = boxes[i].second, &q = boxes[j].second;
                EXPECT_FALSE(p.x < q.x + q.width && q.x < p.x + p.width && p.y < q.y + q.height && q.y < p.y + p.height)
                    << boxes[i].first << " covers " << boxes[j].first << ", " << shape << " with " << run.past_last << " m to go";
            }
        const std::vector<Mark> markers = named(d, "marker"), numbers = named(d, "marker number");
        EXPECT_NEAR(numbers[1].points[0].y, (markers[1].points[0].y + markers[1].points[1].y) / 2 - 1.1, 1e-9) << shape;
    }
}

}  // namespace
}  // namespace quorran
