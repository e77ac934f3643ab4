#include "shape_drawing.h"

#include <algorithm>
#include <cmath>

namespace {

std::size_t pointCount(std::span<const float> x, std::span<const float> y) {
  return std::min(x.size(), y.size());
}

bool allFinite(std::span<const float> values) {
  return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

}  // namespace

std::optional<double> previewScale(std::span<const float> x, double widthMm) {
  if (x.empty() || !allFinite(x)) return std::nullopt;
  const double largest = *std::max_element(x.begin(), x.end());
  const double room = widthMm - 2 * kPreviewMarginMm;
  if (!(largest > 0) || !(room > 0)) return std::nullopt;
  return room / largest;
}

void drawPreview(DrawingSurface& surface, std::span<const float> x, std::span<const float> y,
                 double widthMm, double heightMm) {
  surface.clear();
  const std::size_t n = pointCount(x, y);
  const auto scale = previewScale(x.first(n), widthMm);
  if (!scale || !allFinite(y.first(n)) || !surface.setScale(0, 0, widthMm, heightMm)) return;

  auto screen = [&](std::size_t i) {
    return QPointF(kPreviewMarginMm + *scale * x[i], heightMm / 2 - *scale * y[i]);
  };
  surface.moveTo(screen(0));
  for (std::size_t i = 0; i < n; ++i) surface.lineTo(screen(i));
  surface.setFillColor(Qt::white);
  for (std::size_t i = 0; i < n; ++i) surface.circle(screen(i), kPreviewMarkerMm);
}

std::optional<ZoomExtents> zoomExtents(std::span<const float> x, std::span<const float> y) {
  const std::size_t n = pointCount(x, y);
  if (n == 0 || !allFinite(x.first(n)) || !allFinite(y.first(n))) return std::nullopt;
  const auto [xLow, xHigh] = std::minmax_element(x.begin(), x.begin() + n);
  const auto [yLow, yHigh] = std::minmax_element(y.begin(), y.begin() + n);
  ZoomExtents e{*xLow, *xHigh, *yLow, *yHigh};
  if (e.xmax == e.xmin || e.ymax == e.ymin) return std::nullopt;
  e.xmin -= 0.05 * (e.xmax - e.xmin);
  e.xmax += 0.05 * (e.xmax - e.xmin);
  e.ymin -= 0.05 * (e.ymax - e.ymin);
  e.ymax += 0.05 * (e.ymax - e.ymin);
  return e;
}

double zoomMarkerPixels(QSizeF pixels) {
  // Markers a hundredth of the width across hid the outline between dense points.
  return std::clamp(std::min(pixels.width(), pixels.height()) / 150.0, 1.5, 4.0);
}

void drawStretched(DrawingSurface& surface, std::span<const float> x, std::span<const float> y) {
  const auto extents = zoomExtents(x, y);
  if (!extents || !surface.setScale(extents->xmin, extents->ymax, extents->xmax, extents->ymin)) {
    return;
  }
  const std::size_t n = pointCount(x, y);
  surface.moveTo({x[0], y[0]});
  for (std::size_t i = 1; i < n; ++i) surface.lineTo({x[i], y[i]});
  const QSizeF pixels = surface.pixelSize();
  if (!(pixels.width() > 0)) return;
  const double radius = zoomMarkerPixels(pixels) * (extents->xmax - extents->xmin) / pixels.width();
  surface.setFillColor(Qt::white);
  for (std::size_t i = 1; i < n; ++i) surface.circle({x[i], y[i]}, radius);
}
