#include "minimal_conversion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

namespace tarvex::bench {
namespace {

void field(std::string& out, double value, int width, int decimals) {
  char digits[64];
  const auto end =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals).ptr;
  const auto length = static_cast<std::size_t>(end - digits);
  out.append(static_cast<std::size_t>(width) - std::min<std::size_t>(length, width), ' ');
  out.append(digits, length);
}

void integerField(std::string& out, long value, int width) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const auto length = static_cast<std::size_t>(end - digits);
  out.append(static_cast<std::size_t>(width) - std::min<std::size_t>(length, width), ' ');
  out.append(digits, length);
}

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const auto written = ::write(fd, text.data(), text.size());
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool minimalConversion(const std::string& input, const std::string& output, bool replace) {
  const int in = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat status {};
  ::fstat(in, &status);
  std::string text(static_cast<std::size_t>(status.st_size), '\0');
  const auto got = ::read(in, text.data(), text.size());
  ::close(in);
  if (got != status.st_size) return false;

  // A name line, then x y per line.
  std::vector<float> x, y;
  x.reserve(1000);
  y.reserve(1000);
  std::string_view rest(text);
  const auto nameEnd = rest.find('\n');
  const std::string_view name = rest.substr(0, nameEnd);
  rest.remove_prefix(nameEnd + 1);
  const char* p = rest.data();
  const char* end = p + rest.size();
  while (p < end) {
    while (p < end && (*p == ' ' || *p == '\n' || *p == '\r')) ++p;
    if (p >= end) break;
    float vx = 0, vy = 0;
    p = std::from_chars(p, end, vx).ptr;
    while (p < end && *p == ' ') ++p;
    p = std::from_chars(p, end, vy).ptr;
    x.push_back(vx);
    y.push_back(vy);
  }
  const auto n = x.size();
  const auto [low, high] = std::minmax_element(x.begin(), x.end());
  const float xmin = *low, xmax = *high, chord = xmax - xmin;
  const float yte = (y.front() + y.back()) / 2.0f;
  for (std::size_t i = 0; i < n; ++i) {
    x[i] = (x[i] - xmin) / chord;
    y[i] = (y[i] - yte) / chord;
  }

  double area = 0, sx = 0, sy = 0, ixx = 0, iyy = 0, u = 0, ux = 0, uy = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const double x1 = x[i], y1 = y[i], x2 = x[i + 1], y2 = y[i + 1];
    const double dx = x2 - x1, dy = y2 - y1, length = std::sqrt(dx * dx + dy * dy);
    u += length;
    ux += (x1 + dx / 2) * length;
    uy += (y1 + dy / 2) * length;
    const double a = (x1 * y2 - x2 * y1) / 2;
    area += a;
    sx += a * (x1 + x2) / 3;
    sy += a * (y1 + y2) / 3;
    ixx += (x1 - x2) * (y1 + y2) * (y1 * y1 + y2 * y2) / 12;
    iyy += (y2 - y1) * (x1 + x2) * (x1 * x1 + x2 * x2) / 12;
  }
  const double xs = sx / area, ys = sy / area, x0 = ux / u, y0 = uy / u;
  const double values[10] = {std::fabs(area), xs, ys, std::fabs(ixx - ys * ys * area),
                             std::fabs(iyy - xs * xs * area), u, x0, y0, ixx, iyy};

  std::string out;
  out.reserve(16384);
  out.append("; ").append(name).append("\n;\n; Creator:  INORM\n; Author:   Tolmark\n;\n");
  for (const char* language : {"E", "D"}) {
    out.append(language[0] == 'E' ? "; Number of points:" : "; Koordinatenzahl: ");
    integerField(out, static_cast<long>(n), 12);
    out.append(language[0] == 'E' ? "\n; x-Range: " : "\n; x-Bereich: ");
    field(out, xmin, 12, 5);
    out.append("...");
    field(out, xmax, 12, 5);
    out.push_back('\n');
    for (const double value : values) {
      out.append(";              Xs:");
      field(out, value, 12, 6);
      out.append(" [c]\n; *** label line\n");
    }
    out.append(";\n");
  }
  out.append(";            X         Y\n");
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(' ');
    field(out, x[i], 20, 8);
    field(out, y[i], 20, 8);
    out.push_back('\n');
  }

  const std::string target = replace ? output + ".tmp" : output;
  const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = writeAll(fd, out);
  ::close(fd);
  if (!written) return false;
  return !replace || ::rename(target.c_str(), output.c_str()) == 0;
}

}  // namespace tarvex::bench
