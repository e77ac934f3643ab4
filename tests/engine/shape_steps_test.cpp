// The shaping steps on NACA 0012 and 2412: the figures they set, what they
// must leave alone, and XFOIL's GDES commands on the same sections.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>

#include "cli_fixture.h"
#include "tarvex_shape.hpp"
#include "test_support.h"

namespace tarvex::test {
namespace {

Section naca(const char* designation, int points = 161) {
  auto section = tarvex::nacaSection(designation, {.points = points});
  EXPECT_TRUE(section) << section.error().message;
  return *section;
}

// The points ahead of x are the input's, in the same order.
void expectSameAhead(const Section& before, const Section& after, double x) {
  std::vector<std::pair<float, float>> a, b;
  for (int i = 0; i < before.size(); ++i)
    if (before.x[std::size_t(i)] < x)
      a.emplace_back(before.x[std::size_t(i)], before.y[std::size_t(i)]);
  for (int i = 0; i < after.size(); ++i)
    if (after.x[std::size_t(i)] < x)
      b.emplace_back(after.x[std::size_t(i)], after.y[std::size_t(i)]);
  EXPECT_EQ(a, b);
}

double distanceToOutline(const Section& s, double px, double py) {
  double nearest = 1e9;
  for (std::size_t i = 0; i + 1 < s.x.size(); ++i) {
    const double ax = s.x[i], ay = s.y[i], dx = s.x[i + 1] - ax, dy = s.y[i + 1] - ay;
    const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    nearest = std::min(nearest, std::hypot(px - ax - t * dx, py - ay - t * dy));
  }
  return nearest;
}

// Whether two segments of the closed outline that share no point cross.
bool crossesItself(const Section& s) {
  const std::size_t n = s.x.size();
  auto side = [&](std::size_t a, std::size_t b, std::size_t c) {
    return (double(s.x[b]) - s.x[a]) * (double(s.y[c]) - s.y[a]) -
           (double(s.y[b]) - s.y[a]) * (double(s.x[c]) - s.x[a]);
  };
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i + 2; j < n; ++j) {
      const std::size_t i2 = i + 1, j2 = (j + 1) % n;
      if (j2 == i) continue;
      if (side(i, i2, j) * side(i, i2, j2) < 0 && side(j, j2, i) * side(j, j2, i2) < 0) return true;
    }
  return false;
}

TEST(ShapeSteps, TrailingEdgeGapIsSetAndBlended) {
  for (const char* designation : {"0012", "2412"})
    for (double gap : {0.0, 0.005, 0.02}) {
      const Section before = naca(designation);
      auto after = setTrailingEdgeGap(before, {.gap = gap, .blend = 0.8});
      ASSERT_TRUE(after) << after.error().message;
      EXPECT_NEAR(figuresOf(*after)->trailingEdgeThickness, gap, 1e-6) << designation;
      EXPECT_EQ(after->size(), before.size());
      expectSameAhead(before, *after, 0.19);
    }
  EXPECT_EQ(setTrailingEdgeGap(naca("0012"), {.gap = -0.1}).error().status, Status::badOptions);
  EXPECT_FALSE(setTrailingEdgeGap(naca("0012"), {.gap = 0.01, .blend = 0}));
}

TEST(ShapeSteps, ThicknessAndCamberAreSetAndMoved) {
  const Section before = naca("2412", 401);
  auto after = setThicknessCamber(
      before, {.thickness = 0.10, .thicknessX = 0.4, .camber = 0.03, .camberX = 0.3});
  ASSERT_TRUE(after) << after.error().message;
  EXPECT_EQ(after->size(), before.size());
  const auto s = *surfacesOf(*after);
  std::size_t thick = 0, bent = 0;
  for (std::size_t i = 0; i < s.x.size(); ++i) {
    if (s.upper[i] - s.lower[i] > s.upper[thick] - s.lower[thick]) thick = i;
    if (s.upper[i] + s.lower[i] > s.upper[bent] + s.lower[bent]) bent = i;
  }
  const double spacing = s.x[thick + 1] - s.x[thick - 1];
  EXPECT_NEAR(s.upper[thick] - s.lower[thick], 0.10, 1e-6);
  EXPECT_NEAR((s.upper[bent] + s.lower[bent]) / 2, 0.03, 1e-6);
  EXPECT_NEAR(s.x[thick], 0.4, spacing);
  EXPECT_NEAR(s.x[bent], 0.3, spacing);
  // No camber: the symmetric section of the same thickness.
  auto symmetric =
      setThicknessCamber(before, {.thickness = {}, .thicknessX = {}, .camber = 0.0, .camberX = {}});
  ASSERT_TRUE(symmetric);
  const auto f = *figuresOf(*symmetric);
  EXPECT_NEAR(f.maxThickness, 0.12, 2e-4);
  EXPECT_NEAR(f.maxCamber, 0.0, 1e-7);
  for (auto bad : {ThicknessCamber{0.0, {}, {}, {}}, ThicknessCamber{{}, 1.0, {}, {}},
                   ThicknessCamber{{}, {}, {}, 0.0}})
    EXPECT_EQ(setThicknessCamber(before, bad).error().status, Status::badOptions);
  auto flat = setThicknessCamber(naca("0012"), {{}, {}, 0.02, {}});
  ASSERT_FALSE(flat);
  EXPECT_NE(flat.error().message.find("no camber"), std::string::npos);
}

TEST(ShapeSteps, LeadingEdgeRadiusIsScaled) {
  for (const char* designation : {"0012", "2412"})
    for (double factor : {0.5, 2.0}) {
      const Section before = naca(designation, 2001);
      auto after = scaleLeadingEdgeRadius(before, {.factor = factor, .blend = 0.2});
      ASSERT_TRUE(after) << after.error().message;
      // The figure's parabola at the point of smallest x fits the round nose
      // of the symmetric section only; the cambered one's nose lies aslant.
      if (designation[0] == '0') {
        const double r0 = figuresOf(before)->leadingEdgeRadius;
        EXPECT_NEAR(r0, 1.1019 * 0.0144, 0.01 * r0);
        EXPECT_NEAR(figuresOf(*after)->leadingEdgeRadius / r0, factor, 0.01 * factor);
      }
      // Behind the blending distance nothing moves.
      for (int i = 0; i < before.size(); ++i)
        if (before.x[std::size_t(i)] > 0.2) {
          EXPECT_EQ(after->y[std::size_t(i)], before.y[std::size_t(i)]);
        }
    }
}

TEST(ShapeSteps, FlapTurnsAboutItsHingeWithoutLoops) {
  for (const char* designation : {"0012", "2412"})
    for (double degrees : {-15.0, 5.0, 20.0}) {
      const Section before = naca(designation);
      auto after = deflectFlap(before, {.hingeX = 0.7, .degrees = degrees, .hingeYFraction = 0.3});
      ASSERT_TRUE(after) << after.error().message;
      // The hinge between the outline's crossings of x = 0.7.
      double top = -1, bottom = 1;
      for (std::size_t i = 0; i + 1 < before.x.size(); ++i) {
        const double x0 = before.x[i], x1 = before.x[i + 1];
        if ((x0 - 0.7) * (x1 - 0.7) > 0 || x0 == x1) continue;
        const double y = before.y[i] + (0.7 - x0) / (x1 - x0) * (before.y[i + 1] - before.y[i]);
        top = std::max(top, y), bottom = std::min(bottom, y);
      }
      const double hy = bottom + 0.3 * (top - bottom);
      const double a = -degrees * std::numbers::pi / 180;
      for (std::size_t end : {std::size_t(0), before.x.size() - 1}) {
        const double dx = before.x[end] - 0.7, dy = before.y[end] - hy;
        const std::size_t mine = end == 0 ? 0 : after->x.size() - 1;
        EXPECT_NEAR(after->x[mine], 0.7 + std::cos(a) * dx - std::sin(a) * dy, 1e-6);
        EXPECT_NEAR(after->y[mine], hy + std::sin(a) * dx + std::cos(a) * dy, 1e-6);
      }
      expectSameAhead(before, *after, 0.6);
      EXPECT_FALSE(crossesItself(*after)) << designation << " " << degrees;
    }
  // Repanelled, the outline keeps the corner of the cut: no loop there.
  const auto cut = deflectFlap(naca("0012", 41), {.hingeX = 0.75, .degrees = 10});
  const auto repanelled = repanel(*cut, {.points = 160});
  ASSERT_TRUE(repanelled);
  EXPECT_FALSE(crossesItself(*repanelled));
  EXPECT_EQ(deflectFlap(naca("0012"), {.hingeX = 1.0, .degrees = 5}).error().status,
            Status::badOptions);
}

// XFOIL's TGAP, TSET, HIGH and FLAP in GDES, INTE and PANE on the Selig
// output of NACA 2412.
TEST(ShapeSteps, XfoilAgreesOnTheShapedOutlines) {
  if (!findProgram("xfoil")) GTEST_SKIP() << "xfoil not installed";
  if (!findProgram("timeout")) GTEST_SKIP() << "timeout not installed";
  // GDES draws as it goes: without a display it stops, so on a virtual one.
  if (!findProgram("xvfb-run")) GTEST_SKIP() << "xvfb-run not installed (GDES needs a display)";
  const Section section = naca("2412");
  struct Case {
    const char* commands;
    Result<Section> ours;
    double bound;
  } cases[] = {
      {"GDES\\nTGAP 0.005 0.8\\nEXEC\\n", setTrailingEdgeGap(section, {.gap = 0.005, .blend = 0.8}),
       1e-3},
      {"GDES\\nTSET 0.10 0.03\\nEXEC\\n", setThicknessCamber(section, {0.10, {}, 0.03, {}}), 5e-3},
      {"GDES\\nHIGH\\n\\n0.45\\nEXEC\\n", setThicknessCamber(section, {{}, {}, {}, 0.45}), 1e-3},
      {"GDES\\nFLAP\\n0.7\\n999\\n0.5\\n10\\nEXEC\\n",
       deflectFlap(section, {.hingeX = 0.7, .degrees = 10, .hingeYFraction = 0.5}), 3e-3},
      {"INTE\\nF\\nours.dat\\nF\\nnaca0012.dat\\n0.5\\nmean\\nPCOP\\n",
       blendSections(section, naca("0012"), 0.5), 3e-4},
      {"PANE\\n", repanel(section, {.points = 160}), 1e-4},
  };
  WriteOptions options;
  options.format = 21;
  for (const auto& c : cases) {
    ASSERT_TRUE(c.ours) << c.ours.error().message;
    TempDir dir;
    { std::ofstream(dir.file("ours.dat")) << *writeText(section, options); }
    { std::ofstream(dir.file("naca0012.dat")) << *writeText(naca("0012"), options); }
    std::string output;
    runCommand("cd " + shellQuoted(dir.path()) + " && printf 'LOAD ours.dat\\n" + c.commands +
                   "\\nSAVE xfoil.dat\\nQUIT\\n' | timeout 20 xvfb-run -a xfoil "
                   "2>&1",
               &output);
    if (output.find("X Error") != std::string::npos)
      GTEST_SKIP() << "XFOIL cannot draw on the virtual display (xfonts-base missing?)";
    std::ifstream theirs(dir.file("xfoil.dat"));
    std::string name;
    std::getline(theirs, name);
    double px = 0, py = 0, worst = 0;
    int count = 0;
    while (theirs >> px >> py) worst = std::max(worst, distanceToOutline(*c.ours, px, py)), ++count;
    EXPECT_GT(count, 100) << output;
    std::cout << "XFOIL's " << c.commands << ": " << count << " points within " << worst
              << " chord of ours\n";
    EXPECT_LT(worst, c.bound);
  }
}

// The steps as options of naca, convert and info: in their fixed order (the
// gap after the thickness holds as asked), refusals with their reasons.
using ShapeCommand = CliTest;
TEST_F(ShapeCommand, OptionsOfNacaConvertAndInfo) {
  const CliRun shaped =
      tarvexPiped("naca 0012 --thickness 0.15 --te-gap 0.01 --repanel 120", "info -");
  EXPECT_NE(shaped.out.find("points        120"), std::string::npos) << shaped.out;
  EXPECT_NE(shaped.out.find("max thickness 0.150"), std::string::npos) << shaped.out;
  EXPECT_NE(shaped.out.find("TE thickness  0.0100"), std::string::npos) << shaped.out;
  const CliRun info = tarvex("info naca2412.dat --camber 0 --flap 0.7:10");
  EXPECT_EQ(info.status, 0) << info.err;
  const CliRun blended = tarvex("convert naca2412.dat --blend naca0012.dat:1 -f xy -o b.txt");
  EXPECT_EQ(blended.status, 0) << blended.err;
  for (const auto& [arguments, reason] :
       {std::pair{"convert naca2412.dat --flap 0.7 -f xy", "is not X:DEGREES"},
        std::pair{"convert naca2412.dat --blend none.dat:0.5 -f xy -o n.txt",
                  "the section to blend with: none.dat"},
        std::pair{"convert naca2412.dat --flap 1.5:10 -f xy -o n.txt", "flap: the hinge"}}) {
    const CliRun refused = tarvex(arguments);
    EXPECT_NE(refused.status, 0) << arguments;
    EXPECT_NE(refused.err.find(reason), std::string::npos) << refused.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.file("n.txt")));
}

}  // namespace
}  // namespace tarvex::test
