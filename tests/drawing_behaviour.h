#pragma once

#include <string>
#include <vector>

#include "core/drawing/painter.h"

namespace quorran::testing {

// A front end's painter as the drawing suite drives it: it paints a drawing with its
// toolkit, at a size of its own choosing, and tells what it drew (Mark).
class PainterProbe {
public:
    virtual ~PainterProbe() = default;
    virtual std::vector<Mark> paint(const Drawing& drawing) = 0;
    // How far off (mm) a point may be: the toolkit's rounding to its device's units.
    virtual double tolerance() const = 0;
};

// The drawings of every panel that has one: the plan's pace band (one strip and three),
// and a run's chart in km and in miles, alone and beside a plan.
std::vector<Drawing> panel_drawings();

// What paint() asks every painter to draw, a mark a call (groups left out).
std::vector<Mark> marks_asked(const Drawing& drawing);

// The same shapes and the same texts at the same places as asked, for every panel's
// drawing. Returns the checks that failed.
std::vector<std::string> check_painter(PainterProbe& probe);

}  // namespace quorran::testing
