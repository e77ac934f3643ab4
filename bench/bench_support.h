// Sections made for the benchmarks.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarvex::bench {

struct Section {
  std::vector<float> x, y;
};

// A NACA four-digit section with n points in trailing-edge-first order, its
// upper and lower surface at different x-stations unless paired is set.
Section nacaSection(int digits, int n, bool paired = true);
// The same as the text of a two-column file with a name line.
std::string seligText(const Section& section, const std::string& name);

// A fresh folder in memory (/dev/shm where there is one): the figures are the
// engine's own cost with real file calls, not the disk's write-back policy.
std::filesystem::path benchFolder(const std::string& name);

}  // namespace tarvex::bench
