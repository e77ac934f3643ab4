#include "drawing_surface.h"

#include <cmath>

PainterSurface::PainterSurface(QPainter& painter, QSizeF pixelSize, QColor background)
    : painter_(painter), size_(pixelSize), background_(background) {
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setPen(QPen(Qt::black, 1.0));
}

void PainterSurface::clear() { painter_.fillRect(QRectF(QPointF(0, 0), size_), background_); }

bool PainterSurface::setScale(double left, double top, double right, double bottom) {
  const double width = right - left;
  const double height = bottom - top;
  if (!std::isfinite(width) || !std::isfinite(height) || width == 0 || height == 0) return false;
  left_ = left;
  top_ = top;
  scaleX_ = size_.width() / width;
  scaleY_ = size_.height() / height;
  return true;
}

QPointF PainterSurface::toPixels(QPointF point) const {
  return {(point.x() - left_) * scaleX_, (point.y() - top_) * scaleY_};
}

void PainterSurface::moveTo(QPointF point) { current_ = point; }

void PainterSurface::lineTo(QPointF point) {
  painter_.drawLine(toPixels(current_), toPixels(point));
  current_ = point;
}

void PainterSurface::setFillColor(QColor color) { fill_ = color; }

void PainterSurface::circle(QPointF centre, double radius) {
  const double pixels = std::fabs(radius * scaleX_);
  painter_.save();
  painter_.setBrush(fill_);
  painter_.drawEllipse(toPixels(centre), pixels, pixels);
  painter_.restore();
}
