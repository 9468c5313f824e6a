#pragma once

#include <span>
#include <string>
#include <vector>
#include <string_view>

#include "core/drawing/drawing.h"

// What a front end implements to show a drawing with its toolkit: SVG here (svg.h),
// QPainter in Qt, GDI in Win32. paint() hands it every item in millimetres of the page,
// axis units already mapped and clipped, so a painter only scales: from mm to its
// device's units (pixels at the screen's resolution, dots of a printer, 0.01 mm of an
// enhanced metafile), y downwards as on the page.
//
// A painter paints each call over the ones before, in the order given; it draws nothing
// outside the page, and keeps nothing between drawings but what begin() sets.
namespace quorran {

class Painter {
public:
    virtual ~Painter() = default;
    // First, once: the page of drawing.width by drawing.height mm, filled with
    // drawing.background. Its text_alternative is what an assistive technology reads for
    // the picture (a window's accessible description, an SVG's title).
    virtual void begin(const Drawing& drawing) = 0;
    // An open line through two or more points, in style.stroke at style.stroke_width
    // (never filled). Joins and ends as the toolkit draws them by default.
    virtual void lines(std::span<const Point> points, const Style& style, std::string_view name) = 0;
    // A closed shape through three or more points, filled and then outlined as style says
    // (either may be absent).
    virtual void polygon(std::span<const Point> points, const Style& style, std::string_view name) = 0;
    // A rectangle of positive size, filled and then outlined as style says.
    virtual void rect(const Box& box, const Style& style, std::string_view name) = 0;
    // A line of text, its baseline through `at`, placed by its anchor: a painter that
    // draws texts from their start moves it left by its advance width (End) or half of it
    // (Middle), measured in the face it paints with.
    virtual void text(std::string_view text, Point at, const TextStyle& style, std::string_view name) = 0;
    // The items between belong together; painters without groups may ignore both.
    virtual void begin_group(std::string_view name) { (void)name; }
    virtual void end_group() {}
    // Last, once.
    virtual void end() {}
};

// What a painter drew, as it tells it in mm of the page, turned back from its device's
// units: so that one suite can hold every toolkit's painter to the same drawing. A
// painter records one mark a call when it is given a list to record to.
struct Mark {
    ItemKind kind = ItemKind::Lines;
    std::string name{};
    // Lines and Polygon: their points; Rect: its top left and bottom right corners; Text:
    // where the toolkit drew the text's start on the baseline.
    std::vector<Point> points{};
    std::string text{};
    double advance = 0;  // Text: its width as the toolkit measured it, mm
    bool filled = false;
    bool stroked = false;
    Anchor anchor = Anchor::Start;  // Text: how it was asked to stand at its point (the start drawn)
};

// Paints the drawing on the painter, in mm. Items in axis units are mapped to mm, and
// their shapes cut at the edges of their axis area (a text in axis units is placed, not
// cut). A point that is not a number breaks a line there; it drops a polygon, a
// rectangle or a text. Shapes with nothing left (a line of fewer than two points, a
// polygon of fewer than three, a rectangle of no area) are not painted.
void paint(const Drawing& drawing, Painter& painter);

}  // namespace quorran
