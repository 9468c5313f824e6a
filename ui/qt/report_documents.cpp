#include "ui/qt/report_documents.h"

#include <QFile>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSizeF>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <utility>

#include "ui/qt/qt_calculator_view.h"

namespace quorran {

namespace {

constexpr double MM_PER_INCH = 25.4;
constexpr double PDF_MARGIN_MM = 10;

// A length of an SVG's root element in millimetres: a number and a unit of absolute
// length (a CSS pixel is 1/96 in); nothing for a bare number, a percentage or zero.
std::optional<double> length_mm(QStringView text) {
    static constexpr std::pair<const char16_t*, double> UNITS[] = {
        {u"mm", 1.0}, {u"cm", 10.0}, {u"in", MM_PER_INCH}, {u"pt", MM_PER_INCH / 72}, {u"pc", MM_PER_INCH / 6},
        {u"px", MM_PER_INCH / 96}};
    for (const auto& [unit, mm] : UNITS) {
        if (!text.endsWith(QStringView(unit))) continue;
        bool ok = false;
        const double value = text.chopped(2).trimmed().toDouble(&ok);
        return ok && value > 0 ? std::optional(value * mm) : std::nullopt;
    }
    return std::nullopt;
}

QByteArray bytes_of(const Document& document) { return QByteArray::fromStdString(document.text); }

}  // namespace

std::optional<QSizeF> paper_size_mm(const Document& document) {
    QXmlStreamReader svg(bytes_of(document));
    if (!svg.readNextStartElement() || svg.name() != u"svg") return std::nullopt;
    const auto width = length_mm(svg.attributes().value(QStringLiteral("width")));
    const auto height = length_mm(svg.attributes().value(QStringLiteral("height")));
    if (!width || !height) return std::nullopt;
    return QSizeF(*width, *height);
}

bool prints(const Document& document) {
    return document.printable && document.media_type == "image/svg+xml" && paper_size_mm(document);
}

void draw_true_size(QPainter& painter, const Document& document, const QSizeF& fit) {
    const auto mm = paper_size_mm(document);
    if (!mm) return;
    const QPaintDevice& device = *painter.device();
    QSizeF size(mm->width() * device.logicalDpiX() / MM_PER_INCH, mm->height() * device.logicalDpiY() / MM_PER_INCH);
    if (size.width() > fit.width() || size.height() > fit.height()) size.scale(fit, Qt::KeepAspectRatio);
    QSvgRenderer(bytes_of(document)).render(&painter, QRectF(QPointF(0, 0), size));
}

bool print_documents(QPagedPaintDevice& device, std::span<const Document> documents) {
    QPainter painter;
    bool any = false;
    for (const Document& document : documents) {
        if (!prints(document)) continue;
        if (any ? !device.newPage() : !painter.begin(&device)) return false;
        any = true;
        draw_true_size(painter, document, device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    }
    return any;
}

bool write_pdf(const QString& path, std::span<const Document> documents) {
    QPdfWriter pdf(path);
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    pdf.setPageSize(QPageSize(letter ? QPageSize::Letter : QPageSize::A4));
    pdf.setPageMargins(QMarginsF(PDF_MARGIN_MM, PDF_MARGIN_MM, PDF_MARGIN_MM, PDF_MARGIN_MM), QPageLayout::Millimeter);
    pdf.setCreator(QStringLiteral("Quorran"));
    return print_documents(pdf, documents);
}

bool write_document(const QString& path, const Document& document) {
    QFile file(path);
    const QByteArray bytes = bytes_of(document);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace quorran
