// Running one writer through OUTKOO on a section built in the test, with a
// fixed date, and looking at its lines.
#pragma once

#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "tarvex.hpp"
#include "test_support.h"
#include "writers/output_writer.h"

namespace tarvex::test {

inline constexpr std::string_view kTestDate = "03/07/03";  // 7 March 2003

struct Written {
  int status = 0;
  int n = 0;  // the point count after the writer (changed by the same-x preparation)
  std::vector<std::string> lines;
  std::vector<float> x, y;  // the points left in the work arrays
};

inline Written writeFormat(int format, const std::vector<Point>& points,
                           std::string_view name = "TEST SECTION", int capacity = 1000) {
  Written written;
  written.x.assign(static_cast<std::size_t>(capacity), 0.0f);
  written.y.assign(written.x.size(), 0.0f);
  for (std::size_t i = 0; i < points.size(); ++i) {
    written.x[i] = points[i].x;
    written.y[i] = points[i].y;
  }
  written.n = static_cast<int>(points.size());
  TextOutput output;
  written.status = OUTKOO(output.out(), written.x, written.y, written.n,
                          formatByNumber(format)->writerCode, name, kTestDate);
  written.lines = output.lines();
  written.x.resize(static_cast<std::size_t>(written.n));
  written.y.resize(static_cast<std::size_t>(written.n));
  return written;
}

// A section whose upper and lower surfaces do not share x: the upper surface
// of a symmetric NACA section on pointsPerSurface stations, the lower one on
// stations shifted by half a step, 2 * pointsPerSurface points in all.
inline std::vector<Point> unpairedSection(int pointsPerSurface) {
  const auto upper = nacaSection(12, pointsPerSurface);
  const auto fine = nacaSection(12, 2 * pointsPerSurface - 1);
  std::vector<Point> points(upper.begin(), upper.begin() + pointsPerSurface);
  // Odd stations of the finer section lie between those of the coarse one.
  const int finePerSurface = 2 * pointsPerSurface - 1;
  for (int i = finePerSurface; i < 2 * finePerSurface - 1; i += 2) points.push_back(fine[i]);
  points.push_back(fine.back());
  return points;
}

// A stream buffer that takes a limited number of characters and then fails,
// as a full disk does.
class LimitedBuffer : public std::streambuf {
 public:
  explicit LimitedBuffer(std::size_t limit) : left_(limit) {}
  std::string text;

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    if (left_ == 0) return traits_type::eof();
    --left_;
    text += traits_type::to_char_type(c);
    return c;
  }

 private:
  std::size_t left_;
};

}  // namespace tarvex::test
