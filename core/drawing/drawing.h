#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A picture free of any toolkit: lines, filled shapes and texts on a page measured in
// millimetres, y downwards from the top left corner. A shape may also be given in the
// units of an axis area (metres along a run, seconds per km), which maps them to the
// millimetres of a rectangle of the page. A report carries drawings; every front end
// paints them through a Painter of its toolkit (painter.h), and svg.h makes a file of one.
namespace quorran {

// An sRGB colour, 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb BLACK = 0x000000;
inline constexpr Rgb WHITE = 0xFFFFFF;

struct Point {
    double x = 0;
    double y = 0;
};

// A rectangle: its top left corner and its size, in mm.
struct Box {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// How a shape is painted: filled, outlined, both (an open line is never filled).
struct Style {
    std::optional<Rgb> fill{};    // none: not filled
    std::optional<Rgb> stroke{};  // none: no outline
    double stroke_width = 0;      // mm, centred on the outline
};

// Which part of a text stands at its point: its start, its middle or its end. The point is
// on the baseline. Texts run left to right.
enum class Anchor { Start, Middle, End };

// How a text is painted. A front end takes a sans-serif face (the SVG asks for Liberation
// Sans, Arial or Helvetica).
struct TextStyle {
    double size = 0;  // the font's em, mm (SVG's font-size); digits are about 0.72 of it high
    Anchor anchor = Anchor::Start;
    bool bold = false;
    Rgb colour = BLACK;
};

// An axis area: a rectangle of the page (mm) and the values at its edges. x_from is at
// the left edge and x_to at the right, y_from at the bottom and y_to at the top; either
// pair may run backwards (a pace axis, faster upwards, has y_from > y_to). A value outside
// maps outside the rectangle, on the same line.
struct Axes {
    Box area{};
    double x_from = 0, x_to = 1;
    double y_from = 0, y_to = 1;

    // The page's mm of a value; a range of no length maps every value to the middle.
    double x_mm(double x) const;
    double y_mm(double y) const;
    Point to_mm(Point value) const { return {x_mm(value.x), y_mm(value.y)}; }
};

// Where an item's coordinates are: the page's mm, or the units of a drawing's axes
// (the number add_axes gave them).
using Space = std::size_t;
inline constexpr Space PAGE = 0;

enum class ItemKind {
    Lines,       // an open line through points
    Polygon,     // a closed shape through points
    Rect,        // a rectangle (box)
    Text,        // a line of text (text) at a point (at)
    BeginGroup,  // the items up to the next EndGroup belong together (a strip of a band)
    EndGroup,
};

struct Item {
    ItemKind kind = ItemKind::Lines;
    // What it is ("strip", "bar"): the class of its SVG element, and for tests. A
    // literal, never a runner's text.
    std::string_view name{};
    Space space = PAGE;
    std::vector<Point> points{};  // Lines and Polygon
    Box box{};                    // Rect: in axis units too, x and y its least values
    Style style{};
    std::string text{};           // Text: UTF-8, as typed (a painter escapes what it must)
    Point at{};
    TextStyle text_style{};
};

struct Drawing {
    std::string_view key{};          // how a report and its JSON name it: "band", "chart"
    std::string title{};             // a short heading: "Pace band"
    std::string text_alternative{};  // what it shows, in words, for whoever cannot see it
    double width = 0;                // the page, mm
    double height = 0;
    Rgb background = WHITE;
    std::vector<Axes> axes{};
    std::vector<Item> items{};  // in the order they are painted, each over the ones before

    // The space of a new axis area, for the items given in its units.
    Space add_axes(const Axes& a);
    void lines(std::vector<Point> points, const Style& style, std::string_view name = {}, Space space = PAGE);
    void polygon(std::vector<Point> points, const Style& style, std::string_view name = {}, Space space = PAGE);
    void rect(const Box& box, const Style& style, std::string_view name = {}, Space space = PAGE);
    void text(Point at, std::string text, const TextStyle& style, std::string_view name = {}, Space space = PAGE);
    void begin_group(std::string_view name);
    void end_group();
};

}  // namespace quorran
