// The few drawing operations the preview and the zoom need, so the same drawing code can
// paint a window or be recorded by a test.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QSizeF>

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  virtual void clear() = 0;
  // Width and height in pixels.
  virtual QSizeF pixelSize() const = 0;
  // User coordinates by the corners: (left, top) maps to the top-left pixel and
  // (right, bottom) to the bottom-right one. Returns false, and keeps the old system,
  // when either extent is zero or not finite.
  virtual bool setScale(double left, double top, double right, double bottom) = 0;
  virtual void moveTo(QPointF point) = 0;
  // A line in the foreground colour from the current point, which then becomes `point`.
  virtual void lineTo(QPointF point) = 0;
  virtual void setFillColor(QColor color) = 0;
  // A circle of radius `radius` in x units, outlined in the foreground colour and filled
  // with the fill colour.
  virtual void circle(QPointF centre, double radius) = 0;
};

// A surface over a painter on a device of the given pixel size.
class PainterSurface final : public DrawingSurface {
 public:
  PainterSurface(QPainter& painter, QSizeF pixelSize, QColor background);
  void clear() override;
  QSizeF pixelSize() const override { return size_; }
  bool setScale(double left, double top, double right, double bottom) override;
  void moveTo(QPointF point) override;
  void lineTo(QPointF point) override;
  void setFillColor(QColor color) override;
  void circle(QPointF centre, double radius) override;

 private:
  QPointF toPixels(QPointF point) const;

  QPainter& painter_;
  QSizeF size_;
  QColor background_;
  QColor fill_ = Qt::white;
  double left_ = 0, top_ = 0, scaleX_ = 1, scaleY_ = 1;
  QPointF current_;
};
