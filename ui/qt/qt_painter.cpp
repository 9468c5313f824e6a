#include "ui/qt/qt_painter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace quorran {
namespace {

QColor colour(Rgb rgb) { return QColor(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF), static_cast<int>(rgb & 0xFF)); }

}  // namespace

void QtPainter::begin(const Drawing& drawing) {
    painter_.setRenderHint(QPainter::Antialiasing);
    const QRectF page(0, 0, drawing.width * scale_, drawing.height * scale_);
    painter_.fillRect(page, colour(drawing.background));
    painter_.setClipRect(page);
}

// SVG's own pen: butt ends, mitred joins.
void QtPainter::use(const Style& style) {
    if (style.stroke && style.stroke_width > 0) {
        painter_.setPen(QPen(QBrush(colour(*style.stroke)), style.stroke_width * scale_, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    } else {
        painter_.setPen(Qt::NoPen);
    }
    painter_.setBrush(style.fill ? QBrush(colour(*style.fill)) : QBrush(Qt::NoBrush));
}

void QtPainter::keep(ItemKind kind, std::string_view name, std::vector<Point> points, const Style& style) {
    if (!record_) return;
    for (Point& p : points) p = {p.x / scale_, p.y / scale_};
    record_->push_back({kind, std::string(name), std::move(points), {}, 0, kind != ItemKind::Lines && style.fill.has_value(),
                        painter_.pen().style() != Qt::NoPen});
}

void QtPainter::lines(std::span<const Point> points, const Style& style, std::string_view name) {
    use({.stroke = style.stroke, .stroke_width = style.stroke_width});
    QPolygonF line;
    for (const Point& p : points) line << QPointF(p.x * scale_, p.y * scale_);
    painter_.drawPolyline(line);
    std::vector<Point> drawn;
    for (const QPointF& p : line) drawn.push_back({p.x(), p.y()});
    keep(ItemKind::Lines, name, std::move(drawn), style);
}

void QtPainter::polygon(std::span<const Point> points, const Style& style, std::string_view name) {
    use(style);
    QPolygonF shape;
    for (const Point& p : points) shape << QPointF(p.x * scale_, p.y * scale_);
    painter_.drawPolygon(shape);
    std::vector<Point> drawn;
    for (const QPointF& p : shape) drawn.push_back({p.x(), p.y()});
    keep(ItemKind::Polygon, name, std::move(drawn), style);
}

void QtPainter::rect(const Box& b, const Style& style, std::string_view name) {
    use(style);
    const QRectF r(b.x * scale_, b.y * scale_, b.width * scale_, b.height * scale_);
    painter_.drawRect(r);
    keep(ItemKind::Rect, name, {{r.left(), r.top()}, {r.right(), r.bottom()}}, style);
}

void QtPainter::text(std::string_view text, Point at, const TextStyle& style, std::string_view name) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    // The em in device pixels, as a point size on this device.
    font.setPointSizeF(style.size * scale_ * 72.0 / painter_.device()->logicalDpiY());
    font.setBold(style.bold);
    painter_.setFont(font);
    painter_.setPen(colour(style.colour));
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const double advance = QFontMetricsF(font, painter_.device()).horizontalAdvance(shown);
    const double part = style.anchor == Anchor::Start ? 0 : style.anchor == Anchor::Middle ? 0.5 : 1;
    const QPointF start(at.x * scale_ - advance * part, at.y * scale_);
    painter_.drawText(start, shown);
    if (record_)
        record_->push_back({ItemKind::Text, std::string(name), {{start.x() / scale_, start.y() / scale_}}, shown.toStdString(),
                            advance / scale_, true, false});
}

DrawingView::DrawingView(Drawing drawing, QWidget* parent) : QWidget(parent), drawing_(std::move(drawing)) {
    setAccessibleName(QString::fromStdString(drawing_.title));
    setAccessibleDescription(QString::fromStdString(drawing_.text_alternative));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setMaximumWidth(sizeHint().width() * 2);
}

int DrawingView::heightForWidth(int width) const {
    return drawing_.width > 0 ? static_cast<int>(std::ceil(width * drawing_.height / drawing_.width)) : 0;
}

// At its true size on the screen.
QSize DrawingView::sizeHint() const {
    const int width = static_cast<int>(std::ceil(drawing_.width * logicalDpiX() / 25.4));
    return {width, heightForWidth(width)};
}

QSize DrawingView::minimumSizeHint() const { return {160, heightForWidth(160)}; }

void DrawingView::paintEvent(QPaintEvent*) {
    if (!(drawing_.width > 0)) return;
    QPainter painter(this);
    QtPainter qt(painter, width() / drawing_.width);
    paint(drawing_, qt);
}

}  // namespace quorran
