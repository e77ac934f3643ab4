#include "bench_support.h"

#include <cmath>
#include <cstdio>

namespace tarvex::bench {

Section nacaSection(int digits, int n, bool paired) {
  const double m = (digits / 1000) / 100.0, p = ((digits / 100) % 10) / 10.0;
  const double t = (digits % 100) / 100.0, pi = std::acos(-1.0);
  auto point = [&](double x, double sign, Section& s) {
    const double yt = 5 * t *
                      (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                       0.1036 * x * x * x * x);
    double yc = 0;
    if (m > 0)
      yc = x < p ? m / (p * p) * (2 * p * x - x * x)
                 : m / ((1 - p) * (1 - p)) * ((1 - 2 * p) + 2 * p * x - x * x);
    s.x.push_back(static_cast<float>(x));
    s.y.push_back(static_cast<float>(yc + sign * yt));
  };
  Section s;
  const int upper = n / 2 + 1;
  const int lower = n - upper + 1;
  for (int i = 0; i < upper; ++i) point(0.5 * (1 + std::cos(pi * i / (upper - 1))), 1, s);
  for (int i = lower - 2; i >= 0; --i) {
    const double shift = paired ? 0.0 : 0.37;
    const double x = 0.5 * (1 + std::cos(pi * (i + (i > 0 ? shift : 0.0)) / (lower - 1)));
    point(x, -1, s);
  }
  return s;
}

std::string seligText(const Section& section, const std::string& name) {
  std::string text = name + "\n";
  char line[64];
  for (std::size_t i = 0; i < section.x.size(); ++i) {
    std::snprintf(line, sizeof line, " %10.7f %10.7f\n", section.x[i], section.y[i]);
    text += line;
  }
  return text;
}

std::filesystem::path benchFolder(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path shm = "/dev/shm";
  std::error_code error;
  const fs::path dir = (fs::is_directory(shm, error) ? shm : fs::temp_directory_path()) / name;
  fs::create_directories(dir);
  return dir;
}

}  // namespace tarvex::bench
