#pragma once

#include <QString>

#include <optional>
#include <span>

#include "core/toolbox/report.h"

class QPagedPaintDevice;
class QPainter;
class QSizeF;

namespace quorran {

// A document that can go on paper: an SVG marked printable whose width and height
// carry their units (mm, cm, in, pt, pc or px).
bool prints(const Document& document);

// The size of a printable SVG on paper, in millimetres; nothing when its root element
// gives no width and height in units.
std::optional<QSizeF> paper_size_mm(const Document& document);

// Draws a printable SVG from the top left of the painter's device at its true size, or
// smaller to fit within `fit` (device pixels) when it is larger.
void draw_true_size(QPainter& painter, const Document& document, const QSizeF& fit);

// Each printable document on a page of its own; false when there was none.
bool print_documents(QPagedPaintDevice& device, std::span<const Document> documents);

// Writes the printable documents as a PDF on the paper of the user's locale (Letter in
// the United States, A4 elsewhere); false when the file cannot be written.
bool write_pdf(const QString& path, std::span<const Document> documents);

// Writes a document's text as it is; false when the file cannot be written.
bool write_document(const QString& path, const Document& document);

}  // namespace quorran
