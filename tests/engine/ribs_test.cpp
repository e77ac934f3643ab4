// Rib sets: what is refused (before anything is written), and the rules the
// features keep: one building board under every jig tab, lightening holes
// with their web, engraving inside the rib. The measurements of the
// outlines against the blended sections, the straight spars, the nesting and
// the hot-wire core are in tests/python/test_ribs.py with their clients.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "cli_fixture.h"
#include "geometry/outline_ops.h"
#include "tarvex_ribs.hpp"

namespace tarvex::test {
namespace {

class RibsCli : public CliTest {};

TEST_F(RibsCli, RefusesWithTheReasonAndWritesNothing) {
  const std::string panel = "ribs naca2412.dat 0012 --root-chord 250mm --span 600mm --ribs 8 ";
  const std::string outputs = " --svg out/ribs.svg --dxf out/ribs.dxf --report out/report.txt";
  std::filesystem::create_directory(dir_.file("out"));
  for (const auto& [options, reason] : std::initializer_list<std::pair<std::string, std::string>>{
           {"--tip-chord 0", "a tip chord of 0 mm"},
           {"--spar 30%:6:30:both", "deeper than the rib"},
           {"--holes 50% --hole-size 0.95", "less than the web"},
           {"--sheet 150x100", "does not fit on the sheet"},
           {"--label R\xC3\xA9", "cannot be engraved"},
           {"--tabs 30% --spar 30%:6:6:bottom", "meets a bottom spar notch"},
           {"--te-stock 40", "nowhere 40 mm thick"}}) {
    SCOPED_TRACE(options);
    const CliRun run = tarvex(panel + options + outputs);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir_.file("out")));
  }
  // An output that cannot be written keeps the others from being written.
  const CliRun run = tarvex(panel + outputs + " --gcode missing/core.nc");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("missing/core.nc"), std::string::npos) << run.err;
  EXPECT_TRUE(std::filesystem::is_empty(dir_.file("out")));
  // Made as asked, they all appear.
  EXPECT_EQ(tarvex(panel + outputs + " --gcode out/core.nc -q").status, 0);
  for (const char* name : {"ribs-1.svg", "ribs-2.svg", "ribs.dxf", "report.txt", "core.nc"}) {
    EXPECT_TRUE(std::filesystem::exists(dir_.file("out") / name)) << name;
  }
}

TEST(RibSet, TabsHolesAndTextKeepTheirRules) {
  WingPanel panel;
  panel.root = *tarvex::nacaSection("2412");
  panel.tip = *tarvex::nacaSection("0012");
  panel.rootChordMm = 220;
  panel.tipChordMm = 140;
  panel.spanMm = 500;
  panel.ribCount = 6;
  panel.sweepMm = 30;
  panel.washoutDegrees = 3;
  RibFeatures features;
  features.sheeting = {1.5, 0.3, 0.3};
  Spar spar;
  spar.position.value = 0.3;
  spar.widthMm = spar.depthMm = 5;
  spar.bottom = true;
  features.spars.push_back(spar);
  features.holes = {0.5, 0.68};
  features.tabs = {0.12, 0.85};
  features.trailingEdgeStockMm = 2;
  features.leadingEdgeStock = LeadingEdgeStock{4, 6};
  SheetLayout layout = *sheetSize("A3");
  layout.kerfMm = 0.2;
  const auto set = makeRibSet(panel, features, layout);
  ASSERT_TRUE(set) << set.error().message;
  std::optional<double> board;
  for (const Rib& rib : set->ribs) {
    SCOPED_TRACE(rib.number);
    outline::Ring ring;
    for (const PointMm& p : rib.part.outline) ring.push_back({p.x, p.y});
    ASSERT_GT(outline::signedArea(ring), 0.0);
    // Every tab ends on the same board, the kerf's half below it.
    const double lowest = outline::boxOf(ring).ymin;
    if (!board) board = lowest;
    EXPECT_NEAR(lowest, *board, 1e-9);
    EXPECT_EQ(std::count_if(ring.begin(), ring.end(),
                            [&](const Vec2& p) { return std::fabs(p.y - lowest) < 1e-6; }),
              4);
    for (const CircleMm& hole : rib.part.holes) {
      const Vec2 centre{hole.centre.x, hole.centre.y};
      EXPECT_TRUE(outline::inside(centre, ring));
      // The web, and the kerf's half on each side of it.
      EXPECT_GE(outline::distanceToRing(centre, ring) - hole.radius, features.webMm + 0.2 - 1e-9);
    }
    ASSERT_FALSE(rib.part.engraving.empty());
    for (const auto& stroke : rib.part.engraving) {
      for (const PointMm& p : stroke) {
        EXPECT_TRUE(outline::inside({p.x, p.y}, ring));
        for (const CircleMm& hole : rib.part.holes) {
          EXPECT_GT(std::hypot(p.x - hole.centre.x, p.y - hole.centre.y), hole.radius);
        }
      }
    }
  }
}

}  // namespace
}  // namespace tarvex::test
