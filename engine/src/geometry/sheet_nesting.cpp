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

// What is taken of a sheet from its top down, over a stretch of its width;
// depths from the top margin, the gap included in every part.
struct Segment {
  double x = 0.0, width = 0.0, depth = 0.0;
};
using Skyline = std::vector<Segment>;

// The depth a box w wide reaches from segment i (nothing when it sticks out
// at the right).
std::optional<double> depthAt(const Skyline& line, std::size_t i, double w, double room) {
  const double x = line[i].x;
  if (x + w > room + 1e-9) return std::nullopt;
  double depth = 0.0;
  for (std::size_t j = i; j < line.size() && line[j].x < x + w - 1e-9; ++j) {
    depth = std::max(depth, line[j].depth);
  }
  return depth;
}

void take(Skyline& line, double x, double w, double depth) {
  Skyline next;
  for (const Segment& s : line) {
    const double end = s.x + s.width;
    if (end <= x + 1e-9 || s.x >= x + w - 1e-9) {
      next.push_back(s);
      continue;
    }
    if (s.x < x) next.push_back({s.x, x - s.x, s.depth});
    if (next.empty() || next.back().x + next.back().width <= x + 1e-9)
      next.push_back({x, w, depth});
    if (end > x + w) next.push_back({x + w, end - (x + w), s.depth});
  }
  std::sort(next.begin(), next.end(), [](const Segment& a, const Segment& b) { return a.x < b.x; });
  line.clear();
  for (const Segment& s : next) {
    if (!line.empty() && std::fabs(line.back().depth - s.depth) < 1e-9) {
      line.back().width += s.width;
    } else {
      line.push_back(s);
    }
  }
}

}  // namespace

std::optional<Layout> nest(std::span<const Ring> parts, const Sheet& sheet, std::size_t& tooLarge) {
  // Every part takes the gap on its right and below it; so may the last.
  const double roomX = sheet.width - 2.0 * sheet.margin + sheet.gap;
  const double roomY = sheet.height - 2.0 * sheet.margin + sheet.gap;
  struct Item {
    std::size_t part;
    double turns[2];  // flat, and a quarter turn more
    Box boxes[2];
  };
  std::vector<Item> items;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    Item item{i, {flatTurn(parts[i]), 0.0}, {}};
    item.turns[1] = item.turns[0] + 0.5 * std::numbers::pi;
    bool fits = false;
    for (int k = 0; k < 2; ++k) {
      item.boxes[k] = boxOf(turned(parts[i], {0.0, 0.0}, item.turns[k]));
      fits = fits || (item.boxes[k].xmax - item.boxes[k].xmin + sheet.gap <= roomX &&
                      item.boxes[k].ymax - item.boxes[k].ymin + sheet.gap <= roomY);
    }
    if (!fits) {
      tooLarge = i;
      return std::nullopt;
    }
    items.push_back(item);
  }
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
    return a.boxes[0].ymax - a.boxes[0].ymin > b.boxes[0].ymax - b.boxes[0].ymin;
  });

  Layout layout;
  layout.placements.resize(parts.size());
  std::vector<Skyline> sheets;
  for (const Item& item : items) {
    // The first sheet it fits on, there the place where it reaches least
    // deep (then the leftmost), flat before turned.
    struct Choice {
      std::size_t segment = 0;
      int turn = 0;
      double top = 0.0, bottom = HUGE_VAL;
    };
    std::optional<Choice> best;
    std::size_t s = 0;
    for (; s <= sheets.size() && !best; ++s) {
      if (s == sheets.size()) sheets.push_back({{0.0, roomX, 0.0}});
      const Skyline& line = sheets[s];
      for (int k = 0; k < 2; ++k) {
        const double w = item.boxes[k].xmax - item.boxes[k].xmin + sheet.gap;
        const double h = item.boxes[k].ymax - item.boxes[k].ymin + sheet.gap;
        for (std::size_t i = 0; i < line.size(); ++i) {
          const auto top = depthAt(line, i, w, roomX);
          if (!top || *top + h > roomY + 1e-9) continue;
          if (!best || *top + h < best->bottom - 1e-9 ||
              (std::fabs(*top + h - best->bottom) <= 1e-9 && line[i].x < line[best->segment].x)) {
            best = Choice{i, k, *top, *top + h};
          }
        }
      }
    }
    --s;
    const Box& box = item.boxes[best->turn];
    const double x = sheets[s][best->segment].x;
    take(sheets[s], x, box.xmax - box.xmin + sheet.gap, best->bottom);
    Placement& place = layout.placements[item.part];
    place.sheet = static_cast<int>(s);
    place.radians = item.turns[best->turn];
    place.offset = {sheet.margin + x - box.xmin,
                    sheet.height - sheet.margin - best->top - (box.ymax - box.ymin) - box.ymin};
  }
  layout.sheets = static_cast<int>(sheets.size());
  return layout;
}

}  // namespace tarvex::nesting
