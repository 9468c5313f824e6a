#pragma once

#include <QFont>
#include <QRect>

namespace quorran {

// A dialog's base units in pixels, as Windows derives them from the dialog font:
// x is the font's average character width (four horizontal dialog units),
// y its character height (eight vertical dialog units).
struct BaseUnits {
    int x;
    int y;
};

BaseUnits base_units(const QFont& font);

// A rectangle given in dialog units, in pixels: x and width scale by x / 4,
// y and height by y / 8, each rounded to the nearest pixel as MulDiv rounds.
QRect to_pixels(BaseUnits units, int x, int y, int width, int height);

}  // namespace quorran
