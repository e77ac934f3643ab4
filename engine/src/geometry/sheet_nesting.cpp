#include "geometry/sheet_nesting.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarvex::nesting {
namespace {

using namespace outline;

// The convex hull, counter-clockwise (Andrew's monotone chain).
Ring hullOf(Ring points) {
  std::sort(points.begin(), points.end(),
            [](const Vec2& a, const Vec2& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  if (points.size() < 3) return points;
  Ring hull(2 * points.size());
  std::size_t k = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    while (k >= 2 && cross(hull[k - 1] - hull[k - 2], points[i] - hull[k - 2]) <= 0.0) --k;
    hull[k++] = points[i];
  }
  for (std::size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
    while (k >= lower && cross(hull[k - 1] - hull[k - 2], points[i] - hull[k - 2]) <= 0.0) --k;
    hull[k++] = points[i];
  }
  hull.resize(k - 1);
  return hull;
}

// The turn that gives the part its smallest height: one with an edge of its
// hull lying flat, kept within a quarter turn of upright so that its text
// reads the right way up.
double flatTurn(const Ring& part) {
  const Ring hull = hullOf(part);
  double best = 0.0, bestHeight = boxOf(part).ymax - boxOf(part).ymin;
  for (std::size_t i = 0; i < hull.size(); ++i) {
    const Vec2 edge = hull[(i + 1) % hull.size()] - hull[i];
    double turn = -std::atan2(edge.y, edge.x);
    while (turn > 0.5 * std::numbers::pi) turn -= std::numbers::pi;
    while (turn <= -0.5 * std::numbers::pi) turn += std::numbers::pi;
    const Box box = boxOf(turned(hull, {0.0, 0.0}, turn));
    if (box.ymax - box.ymin < bestHeight - 1e-9) {
      bestHeight = box.ymax - box.ymin;
      best = turn;
    }
  }
  return best;
}

struct Shelf {
  int sheet = 0;
  double top = 0.0, height = 0.0, next = 0.0;
};

}  // namespace

std::optional<Layout> nest(std::span<const Ring> parts, const Sheet& sheet, std::size_t& tooLarge) {
  const double left = sheet.margin, right = sheet.width - sheet.margin;
  const double bottom = sheet.margin, top = sheet.height - sheet.margin;
  struct Item {
    std::size_t part;
    double turn;
    Box box;
  };
  std::vector<Item> items;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    double turn = flatTurn(parts[i]);
    Box box = boxOf(turned(parts[i], {0.0, 0.0}, turn));
    const auto fits = [&](const Box& b) {
      return b.xmax - b.xmin <= right - left && b.ymax - b.ymin <= top - bottom;
    };
    if (!fits(box)) {
      turn += 0.5 * std::numbers::pi;
      box = boxOf(turned(parts[i], {0.0, 0.0}, turn));
      if (!fits(box)) {
        tooLarge = i;
        return std::nullopt;
      }
    }
    items.push_back({i, turn, box});
  }
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
    return a.box.ymax - a.box.ymin > b.box.ymax - b.box.ymin;
  });

  Layout layout;
  layout.placements.resize(parts.size());
  std::vector<Shelf> shelves;
  for (const Item& item : items) {
    const double w = item.box.xmax - item.box.xmin, h = item.box.ymax - item.box.ymin;
    Shelf* chosen = nullptr;
    for (Shelf& shelf : shelves) {
      if (h <= shelf.height && shelf.next + w <= right) {
        chosen = &shelf;
        break;
      }
    }
    if (chosen == nullptr) {
      // A new row below the last one of the first sheet with room for it.
      for (int s = 0; s <= layout.sheets && chosen == nullptr; ++s) {
        double below = top;
        for (const Shelf& shelf : shelves) {
          if (shelf.sheet == s) below = shelf.top - shelf.height - sheet.gap;
        }
        if (s == layout.sheets) {
          below = top;
          ++layout.sheets;
        }
        if (below - h >= bottom) {
          shelves.push_back({s, below, h, left});
          chosen = &shelves.back();
        }
      }
    }
    Placement& place = layout.placements[item.part];
    place.sheet = chosen->sheet;
    place.radians = item.turn;
    place.offset = {chosen->next - item.box.xmin, chosen->top - h - item.box.ymin};
    chosen->next += w + sheet.gap;
  }
  return layout;
}

}  // namespace tarvex::nesting
