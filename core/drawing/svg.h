#pragma once

#include <string>

#include "core/drawing/drawing.h"

// The SVG painter: a drawing as an SVG document sized in mm, to save, print at its true
// size, or show in a page. One element an item, in order: <line> (a line of two points),
// <polyline>, <polygon>, <rect>, <text> and <g> for a group, each with the item's name
// as its class; its <title> is the drawing's text alternative. Lengths are written to
// the hundredth of a mm, without the zeros at their end.
namespace quorran {

std::string svg_document(const Drawing& drawing);

}  // namespace quorran
