// The zoom window: the kept section stretched to the whole window, redrawn at every
// resize and closed by releasing a mouse button in it.
#pragma once

#include <QWidget>
#include <functional>

class DrawingSurface;

class frmZoom : public QWidget {
  Q_OBJECT

 public:
  // drawShape draws the kept section on a surface (the main window's DrawShape).
  explicit frmZoom(std::function<void(DrawingSurface&)> drawShape);

  // Clears the surface and draws the shape on it.
  void Form_Paint(DrawingSurface& surface) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void(DrawingSurface&)> drawShape_;
};
