#include "frmZoom.h"

#include <QMouseEvent>
#include <QPainter>

#include "drawing_surface.h"

frmZoom::frmZoom(std::function<void(DrawingSurface&)> drawShape)
    : QWidget(nullptr), drawShape_(std::move(drawShape)) {
  setObjectName(QStringLiteral("frmZoom"));
  setWindowTitle(QStringLiteral("Zoom"));
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void frmZoom::Form_Paint(DrawingSurface& surface) const {
  surface.clear();
  if (drawShape_) drawShape_(surface);
}

void frmZoom::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PainterSurface surface(painter, size(), Qt::white);
  Form_Paint(surface);
}

void frmZoom::mouseReleaseEvent(QMouseEvent* /*event*/) { close(); }
