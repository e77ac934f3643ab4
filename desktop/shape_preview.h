// The preview picture of the main window: keeps the last drawn section and paints it true
// to scale, so a repaint shows the same drawing until the next successful conversion.
#pragma once

#include <QFrame>
#include <QSizeF>
#include <vector>

#include "drawing_surface.h"

class ShapePreview : public QFrame {
  Q_OBJECT

 public:
  explicit ShapePreview(QWidget* parent = nullptr);

  // Replaces the drawing by these points (empty clears it).
  void showShape(std::vector<float> x, std::vector<float> y);

  // Inner width and height in millimetres, from the screen's logical resolution.
  QSizeF sizeMm() const;
  // The drawing as it is painted, on any surface.
  void paintShape(DrawingSurface& surface) const;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::vector<float> x_, y_;
};
