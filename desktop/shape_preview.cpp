#include "shape_preview.h"

#include <QMouseEvent>
#include <QPainter>

#include "shape_drawing.h"

namespace {

constexpr double kMmPerInch = 25.4;

}  // namespace

ShapePreview::ShapePreview(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setAutoFillBackground(false);
}

void ShapePreview::showShape(std::vector<float> x, std::vector<float> y) {
  x_ = std::move(x);
  y_ = std::move(y);
  update();
}

QSizeF ShapePreview::sizeMm() const {
  const QRect inner = contentsRect();
  return {inner.width() * kMmPerInch / logicalDpiX(), inner.height() * kMmPerInch / logicalDpiY()};
}

void ShapePreview::paintShape(DrawingSurface& surface) const {
  const QSizeF mm = sizeMm();
  drawPreview(surface, x_, y_, mm.width(), mm.height());
}

void ShapePreview::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect inner = contentsRect();
  painter.setClipRect(inner);
  painter.translate(inner.topLeft());
  PainterSurface surface(painter, inner.size(), Qt::white);
  paintShape(surface);
}

void ShapePreview::mouseReleaseEvent(QMouseEvent* event) {
  if (rect().contains(event->position().toPoint())) emit clicked();
  QFrame::mouseReleaseEvent(event);
}
