#include "ui/qt/dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace quorran {

namespace {

// a * b / c rounded half away from zero, as the Windows MulDiv rounds (all positive here).
int mul_div(int a, int b, int c) { return (a * b + c / 2) / c; }

}  // namespace

BaseUnits base_units(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters_width =
        metrics.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    // The width of the 52 letters / 52, rounded to the nearest pixel the way Windows writes it.
    return {(letters_width / 26 + 1) / 2, metrics.height()};
}

QRect to_pixels(BaseUnits units, int x, int y, int width, int height) {
    return {mul_div(x, units.x, 4), mul_div(y, units.y, 8), mul_div(width, units.x, 4),
            mul_div(height, units.y, 8)};
}

}  // namespace quorran
