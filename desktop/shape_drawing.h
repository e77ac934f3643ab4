// The two drawings of a converted section: true to scale in millimetres for the preview,
// and stretched to the whole surface for the zoom window.
#pragma once

#include <optional>
#include <span>

#include "drawing_surface.h"

inline constexpr double kPreviewMarginMm = 2.0;
inline constexpr double kPreviewMarkerMm = 0.5;

// Millimetres per chord unit of the preview: the largest x reaches widthMm - 2 mm.
// Nothing when it is undefined (no points, largest x not above 0, no room).
std::optional<double> previewScale(std::span<const float> x, double widthMm);

// Clears the surface, sets it to millimetres and draws the section with x = 0 at the left
// margin and the chord on the vertical middle, a small white circle on every point.
void drawPreview(DrawingSurface& surface, std::span<const float> x, std::span<const float> y,
                 double widthMm, double heightMm);

// The zoom window's coordinate range: the extremes widened by 5 %, each second side by
// 5 % of the range already widened.
struct ZoomExtents {
  double xmin, xmax, ymin, ymax;
};
// Nothing when the range is undefined (no points, all x or all y equal, not finite).
std::optional<ZoomExtents> zoomExtents(std::span<const float> x, std::span<const float> y);

// Radius in pixels of the zoom window's point markers on a surface of this size: a few
// pixels, growing a little with the surface.
double zoomMarkerPixels(QSizeF pixels);

// Draws the section stretched to the surface, y upwards; circles on every point but the
// first. Draws nothing when the extents are undefined.
void drawStretched(DrawingSurface& surface, std::span<const float> x, std::span<const float> y);
