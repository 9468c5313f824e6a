#pragma once

#include <QWidget>

#include <vector>

#include "core/drawing/painter.h"

class QPainter;

// Drawings with QPainter: on a window's report, a printer's page or an image.
namespace quorran {

// Paints at `scale` device pixels a mm from the painter's origin; records each call as a
// Mark when given a list.
class QtPainter final : public Painter {
public:
    QtPainter(QPainter& painter, double scale, std::vector<Mark>* record = nullptr)
        : painter_(painter), scale_(scale), record_(record) {}
    void begin(const Drawing& drawing) override;
    void lines(std::span<const Point> points, const Style& style, std::string_view name) override;
    void polygon(std::span<const Point> points, const Style& style, std::string_view name) override;
    void rect(const Box& box, const Style& style, std::string_view name) override;
    void text(std::string_view text, Point at, const TextStyle& style, std::string_view name) override;

private:
    void use(const Style& style);
    void keep(ItemKind kind, std::string_view name, std::vector<Point> points, const Style& style);
    QPainter& painter_;
    double scale_;
    std::vector<Mark>* record_;
};

// A report's drawing in the window: as wide as the room it is given, up to twice its
// true size, its height following its width. A screen reader meets it as a picture named
// by its title and described by its text alternative.
class DrawingView final : public QWidget {
    Q_OBJECT

public:
    DrawingView(Drawing drawing, QWidget* parent = nullptr);
    const Drawing& drawing() const { return drawing_; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Drawing drawing_;
};

}  // namespace quorran
