// The drawing and mesh formats as their real readers see them: rsvg-convert
// and xmllint for SVG, gmsh for its geometry, ezdxf for DXF R2000. Each test
// skips with the reason when its client is missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "corpus_manifest.h"
#include "tarvex.hpp"
#include "test_support.h"

namespace tarvex::test {
namespace {

std::string shellWord(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

Section naca(int digits, float bluntEdge = 0.0f) {
  auto section = readText(twoColumnText(nacaSection(digits, 61), "NACA"));
  EXPECT_TRUE(section) << section.error().message;
  if (!section) return {};
  section->y.back() -= bluntEdge;
  return *section;
}

Result<std::string> write(const Section& section, int format, const DrawingOptions& drawing,
                          bool comments = false) {
  WriteOptions options;
  options.format = format;
  options.comments = comments;
  options.drawing = drawing;
  return writeText(section, options);
}

std::string written(const Section& section, int format, const DrawingOptions& drawing,
                    bool comments = false) {
  auto text = write(section, format, drawing, comments);
  EXPECT_TRUE(text) << text.error().message;
  return text ? *text : std::string();
}

// The points of the path of an SVG text in its user units (y down), and their box.
std::vector<Point> pathPoints(const std::string& svg) {
  std::vector<Point> points;
  std::istringstream lines(svg.substr(svg.find(" d=\"")));
  for (std::string line; std::getline(lines, line) && line != "Z\"/>";) {
    Point p{};
    if (std::sscanf(line.c_str(), "%*1[ML] %f %f", &p.x, &p.y) == 2) points.push_back(p);
  }
  return points;
}
struct Box {
  float left, top, right, bottom;
};
Box extent(const std::vector<Point>& points) {
  Box box{points.at(0).x, points[0].y, points[0].x, points[0].y};
  for (const Point& p : points) {
    box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
           std::max(box.bottom, p.y)};
  }
  return box;
}

std::string attribute(const std::string& text, const std::string& name) {
  std::smatch match;
  if (!std::regex_search(text, match, std::regex(" " + name + "=\"([^\"]*)\""))) return {};
  return match[1];
}

TEST(SvgFormat, TrueSizeOnThePageAndInRsvgConvert) {
  DrawingOptions drawing;
  drawing.chordMm = 250;
  const std::string svg = written(naca(2412), 18, drawing);
  const auto points = pathPoints(svg);
  ASSERT_EQ(points.size(), 120u);  // the repeated trailing edge is the path's Z
  const Box box = extent(points);
  EXPECT_NEAR(box.right - box.left, 250.0, 0.05);
  const std::string height = attribute(svg, "height");
  EXPECT_NEAR(std::stof(height) - (box.bottom - box.top), 10.0, 1e-3);  // 5 mm margins
  EXPECT_EQ(attribute(svg, "width"), "260.0000mm");
  EXPECT_EQ(attribute(svg, "viewBox"), "0 0 260.0000 " + height.substr(0, height.size() - 2));
  EXPECT_EQ(attribute(svg, "fill") + attribute(svg, "stroke-width"), "none0.1000");
  EXPECT_LT(points[30].y, points[90].y - 20.0f);  // y up: the upper surface on top

  if (!findProgram("rsvg-convert")) GTEST_SKIP() << "rsvg-convert not installed (librsvg2-bin)";
  TempDir dir;
  const auto png = dir.file("naca.png");
  std::string output;
  ASSERT_EQ(
      runCommand("rsvg-convert --dpi-x 96 --dpi-y 96 -o " + shellWord(png) + " " +
                     shellWord(dir.write("naca.svg", svg)) + " && /usr/bin/python3 " +
                     TARVEX_SOURCE_DIR "/tests/tools/png_ink_extent.py " + shellWord(png) + " 2>&1",
                 &output),
      0)
      << output;
  int width = 0, rows = 0, left = 0, top = 0, right = 0;
  ASSERT_EQ(std::sscanf(output.c_str(), "%d %d %d %d %d", &width, &rows, &left, &top, &right), 5);
  EXPECT_EQ(width, 983);                  // 260 mm at 96 dpi
  EXPECT_NEAR(right - left + 1, 945, 2);  // 250 mm
  EXPECT_NEAR(left, 19, 2);               // 5 mm
}

TEST(SvgFormat, SkinLeavesARibThatEndsWhereTheSkinsMeet) {
  const Section section = naca(2412);
  DrawingOptions drawing;
  drawing.chordMm = 250;
  const auto outline = pathPoints(written(section, 18, drawing));
  drawing.skinMm = 1.5f;
  const auto rib = pathPoints(written(section, 18, drawing));
  ASSERT_GT(rib.size(), 50u);
  // Every rib point keeps the skin's distance from the outline.
  for (const Point& p : rib) {
    double nearest = 1e9;
    for (std::size_t i = 0; i < outline.size(); ++i) {
      const Point a = outline[i], b = outline[(i + 1) % outline.size()];
      const double dx = b.x - a.x, dy = b.y - a.y;
      const double t =
          std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
      nearest = std::min(nearest, std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y));
    }
    EXPECT_GT(nearest, 1.5 - 1e-3);
  }
  // The skins meet about 1.5 mm / sin(half the wedge angle) ahead of the edge.
  const Box ribBox = extent(rib), box = extent(outline);
  EXPECT_NEAR(ribBox.left - box.left, 1.5, 0.01);
  EXPECT_GT(box.right - ribBox.right, 5.0);
  EXPECT_LT(box.right - ribBox.right, 20.0);

  drawing.skinMm = 16;  // more than half the section's thickness
  const auto refused = write(section, 18, drawing);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().status, Status::badOptions);
  EXPECT_NE(refused.error().message.find("no rib inside a skin of 16 mm"), std::string::npos);
}

TEST(SvgFormat, CommentsLabelAndChordLineKeepTheDocumentValid) {
  if (!findProgram("xmllint")) GTEST_SKIP() << "xmllint not installed";
  std::string text = twoColumnText(nacaSection(12, 31), "R&D <wing> \xE4--x");
  text.insert(text.find('\n') + 1, "note -- with dashes-\n");
  const auto section = readText(text);
  ASSERT_TRUE(section) << section.error().message;
  DrawingOptions drawing;
  drawing.label = drawing.chordLine = true;
  const std::string svg = written(*section, 18, drawing, true);
  EXPECT_NE(svg.find(">R&amp;D &lt;wing&gt; \xC3\xA4--x</text>"), std::string::npos);
  EXPECT_NE(svg.find("<line "), std::string::npos);
  EXPECT_EQ(extent(pathPoints(svg)).right - extent(pathPoints(svg)).left, 100.0f);  // default
  TempDir dir;
  std::string output;
  EXPECT_EQ(runCommand("xmllint --noout " + shellWord(dir.write("m.svg", svg)) + " 2>&1", &output),
            0)
      << output << svg;
}

// --- Gmsh ------------------------------------------------------------------

struct Meshed {
  int status = -1;
  long elements = 0;  // as gmsh reports them
  std::string log, physicalNames;
};

// gmsh -2 on one thread, with what it says and the physical names of its mesh.
Meshed mesh(const std::filesystem::path& geo) {
  Meshed meshed;
  const auto msh = std::filesystem::path(geo).replace_extension(".msh");
  meshed.status = runCommand("gmsh -2 -nt 1 " + shellWord(geo) + " -o " + shellWord(msh) + " 2>&1",
                             &meshed.log);
  std::smatch match;
  if (std::regex_search(meshed.log, match, std::regex(R"((\d+) nodes (\d+) elements)"))) {
    meshed.elements = std::stol(match[2]);
  }
  const std::string text = readFile(msh);
  const auto begin = text.find("$PhysicalNames"), end = text.find("$EndPhysicalNames");
  if (end != std::string::npos) meshed.physicalNames = text.substr(begin, end - begin);
  std::filesystem::remove(msh);
  return meshed;
}

bool meshedWell(const Meshed& meshed, bool farfield) {
  return meshed.status == 0 && meshed.elements > 0 &&
         meshed.physicalNames.find("\"airfoil\"") != std::string::npos &&
         (meshed.physicalNames.find("\"farfield\"") != std::string::npos) == farfield;
}

TEST(GmshFormat, MeshesTheSectionAloneAndInAFarField) {
  if (!findProgram("gmsh")) GTEST_SKIP() << "gmsh not installed";
  TempDir dir;
  for (const bool spline : {false, true}) {
    for (const float farfield : {0.0f, 20.0f}) {
      for (const float blunt : {0.0f, 0.003f}) {
        SCOPED_TRACE(std::to_string(spline) + " " + std::to_string(farfield) + " " +
                     std::to_string(blunt));
        DrawingOptions drawing;
        drawing.spline = spline;
        drawing.farfieldChords = farfield;
        const std::string geo = written(naca(4415, blunt), 19, drawing, true);
        EXPECT_EQ(geo.rfind("// NACA\n", 0), 0u);
        EXPECT_NE(geo.find("\n// Creator:  INORM\n"), std::string::npos);
        // A sharp edge is one point, a blunt one two joined by a line (a spline
        // of its own when splines are asked for); a far field adds five points.
        std::size_t points = 0;
        for (const auto& line : splitLines(geo)) points += line.starts_with("Point(") ? 1 : 0;
        EXPECT_EQ(points, (blunt > 0 ? 121u : 120u) + (farfield > 0 ? 5u : 0u));
        if (spline) {
          EXPECT_NE(geo.find(blunt > 0 ? "Line(2) = {121, 1};" : ":120, 1};"), std::string::npos);
        }
        const Meshed meshed = mesh(dir.write("section.geo", geo));
        EXPECT_TRUE(meshedWell(meshed, farfield > 0)) << meshed.log << geo;
      }
    }
  }
  DrawingOptions tight;
  tight.farfieldChords = 1.0f;
  Section tall = naca(12);
  for (float& y : tall.y) y *= 20.0f;
  const auto refused = write(tall, 19, tight);
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().message.find("does not clear the section"), std::string::npos);
}

// The smallest quality 2 r / R (inradius over circumradius) of the triangles
// gmsh makes within 0.05 chord of the trailing edge, and whether it made
// quadrangles; nothing when meshing fails.
struct TrailingEdgeMesh {
  double worstQuality = 0;
  bool quadrangles = false;
};
std::optional<TrailingEdgeMesh> meshNearTrailingEdge(const std::filesystem::path& geo) {
  const auto msh = std::filesystem::path(geo).replace_extension(".msh");
  std::string log;
  if (runCommand("gmsh -2 -nt 1 -format msh2 " + shellWord(geo) + " -o " + shellWord(msh) + " 2>&1",
                 &log) != 0 ||
      log.find("Error") != std::string::npos) {
    return std::nullopt;
  }
  std::istringstream in(readFile(msh));
  std::string word;
  std::vector<std::pair<double, double>> nodes;
  TrailingEdgeMesh found{1.0, false};
  while (in >> word) {
    if (word == "$Nodes") {
      std::size_t n = 0;
      in >> n;
      nodes.resize(n + 1);
      for (std::size_t k = 0, tag = 0; k < n; ++k) {
        double z = 0;
        in >> tag;
        in >> nodes[tag].first >> nodes[tag].second >> z;
      }
    } else if (word == "$Elements") {
      std::size_t n = 0;
      in >> n;
      std::string line;
      std::getline(in, line);
      for (std::size_t k = 0; k < n && std::getline(in, line); ++k) {
        std::istringstream row(line);
        int tag = 0, type = 0, tags = 0;
        row >> tag >> type >> tags;
        for (int t = 0; t < tags; ++t) row >> tag;
        found.quadrangles = found.quadrangles || type == 3;
        if (type != 2) continue;
        std::size_t a = 0, b = 0, c = 0;
        row >> a >> b >> c;
        const auto [ax, ay] = nodes[a];
        const auto [bx, by] = nodes[b];
        const auto [cx, cy] = nodes[c];
        if (std::hypot((ax + bx + cx) / 3 - 1.0, (ay + by + cy) / 3) > 0.05) continue;
        const double ab = std::hypot(bx - ax, by - ay), bc = std::hypot(cx - bx, cy - by),
                     ca = std::hypot(ax - cx, ay - cy);
        const double area = std::fabs((bx - ax) * (cy - ay) - (cx - ax) * (by - ay)) / 2;
        const double quality = 2 * (2 * area / (ab + bc + ca)) / (ab * bc * ca / (4 * area));
        found.worstQuality = std::min(found.worstQuality, quality);
      }
    }
  }
  std::filesystem::remove(msh);
  return found;
}

// Sizes from the points' spacing carry the clustering into the mesh and
// give better elements at the trailing edge; a boundary layer gives
// quadrangles. Both on NACA 2412 with 161 cosine points in a far field.
TEST(GmshFormat, SizesFromTheSpacingAndABoundaryLayer) {
  if (!findProgram("gmsh")) GTEST_SKIP() << "gmsh not installed";
  TempDir dir;
  const auto section = tarvex::nacaSection("2412");
  DrawingOptions fixed;
  fixed.farfieldChords = 20.0f;
  DrawingOptions spacing = fixed;
  spacing.meshSizeFromSpacing = true;
  DrawingOptions layers = fixed;
  layers.spline = true;
  layers.boundaryLayerFirst = 0.0005f;
  layers.boundaryLayerThickness = 0.02f;
  const auto before = meshNearTrailingEdge(dir.write("fixed.geo", written(*section, 19, fixed)));
  const auto after = meshNearTrailingEdge(dir.write("spacing.geo", written(*section, 19, spacing)));
  const auto layered = meshNearTrailingEdge(dir.write("layers.geo", written(*section, 19, layers)));
  ASSERT_TRUE(before && after && layered);
  std::cout << "least triangle quality within 0.05 chord of the trailing edge: mesh size 0.02 "
            << before->worstQuality << ", sizes from the spacing " << after->worstQuality << '\n';
  EXPECT_GT(after->worstQuality, before->worstQuality);
  EXPECT_TRUE(layered->quadrangles);
  for (auto [drawing, reason] : {std::pair{layers, "needs the section drawn as splines"},
                                 std::pair{spacing, "not splines"}}) {
    drawing.spline = !drawing.spline;
    const auto refused = write(*section, 19, drawing);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().message.find(reason), std::string::npos) << refused.error().message;
  }
}

// A NUL ends a "//" comment for gmsh: in a name or a comment line it must
// not let the rest of the line run as commands when the file is meshed.
TEST(GmshFormat, NamesAndCommentLinesNeverRunAsCommands) {
  if (!findProgram("gmsh")) GTEST_SKIP() << "gmsh not installed";
  TempDir dir;
  const std::string touch = "SystemCall \"touch " + dir.file("ran").string() + "\";";
  std::string text = twoColumnText(nacaSection(12, 31), std::string("N\0", 2) + touch);
  text.insert(text.find('\n') + 1, std::string("c\0", 2) + touch + "\n");
  const auto section = readText(text);
  ASSERT_TRUE(section) << section.error().message;
  const std::string geo = written(*section, 19, {}, true);
  const Meshed meshed = mesh(dir.write("s.geo", geo));
  EXPECT_TRUE(meshedWell(meshed, false)) << meshed.log;
  EXPECT_FALSE(std::filesystem::exists(dir.file("ran"))) << geo;
}

// Gmsh cannot recover a boundary that crosses or touches itself ("Unable to
// recover the edge"): such outlines are refused with the place.
TEST(GmshFormat, RefusesOutlinesThatCrossOrTouchThemselves) {
  const auto reason = [](const std::vector<Point>& points, const DrawingOptions& drawing = {}) {
    Section section;
    for (const Point& p : points) {
      section.x.push_back(p.x);
      section.y.push_back(p.y);
    }
    const auto text = write(section, 19, drawing);
    return text ? std::string("written") : text.error().message;
  };
  const std::vector<Point> spike{{1, 0},         {0.75f, 0.05f},  {0.5f, -0.2f},
                                 {0.25f, 0.05f}, {0, 0},          {0.25f, -0.04f},
                                 {0.5f, -0.05f}, {0.75f, -0.03f}, {1, 0}};
  EXPECT_EQ(reason(spike),
            "the outline crosses itself near x/c = 0.34375, y/c = -0.04375; "
            "Gmsh cannot mesh a curve loop that does");
  auto loop = spike;  // the trailing edge's ends exchanged
  loop[2].y = 0.07f;
  loop.front().y = -0.01f;
  loop.back().y = 0.01f;
  EXPECT_NE(reason(loop).find("crosses itself near x/c = 0.95"), std::string::npos);
  auto thin = nacaSection(12, 61);
  for (Point& p : thin) p.y *= 1e-7f;  // 1.2e-8 chords thick
  EXPECT_NE(reason(thin).find("touches itself"), std::string::npos);
  EXPECT_EQ(reason(nacaSection(12, 61)), "written");

  // Small mesh sizes keep their digits; one finer than the coordinates is refused.
  DrawingOptions fine;
  fine.meshSizeChords = 2e-6f;
  EXPECT_NE(written(naca(12), 19, fine).find("\nh = 0.00000200000;"), std::string::npos);
  fine.meshSizeChords = 1e-9f;
  EXPECT_EQ(reason(nacaSection(12, 61), fine),
            "a mesh size of 1e-09 chords is finer than the coordinates resolve; make it 1e-08 "
            "chords or more");
}

// Every corpus file, alone and in a far field of 10 chords, meshed coarsely
// by as many gmsh processes at a time as there are processors. Starting gmsh
// takes most of the time (it binds some ninety libraries), not the meshing.
TEST(GmshCorpus, EveryFileMeshesAloneAndInAFarField) {
  const auto files = corpusFiles();
  if (files.empty()) GTEST_SKIP() << "TARVEX_CORPUS is not set";
  if (!findProgram("gmsh")) GTEST_SKIP() << "gmsh not installed";
  const auto start = std::chrono::steady_clock::now();
  TempDir dir;
  std::vector<std::filesystem::path> jobs;
  const auto manifest = corpusManifest();
  ASSERT_FALSE(manifest.empty()) << "tests/corpus_manifest.tsv is missing";
  for (const auto& file : files) {
    const auto section = tarvex::readFile(file);
    // Only the files the manifest gives no section may fail to read.
    EXPECT_EQ(section.ok(), expectedOf(manifest, file.filename().string()).status == 0) << file;
    if (!section) continue;
    for (const float farfield : {0.0f, 10.0f}) {
      WriteOptions options;
      options.format = 19;
      options.drawing.meshSizeChords = 0.05f;
      options.drawing.farfieldChords = farfield;
      const auto geo = dir.file(file.stem().string() + (farfield > 0 ? "-farfield" : "") + ".geo");
      ASSERT_FALSE(tarvex::writeFile(*section, geo, options)) << file;
      jobs.push_back(geo);
    }
  }
  std::atomic<std::size_t> next = 0;
  std::mutex failures;
  std::vector<std::string> failed;
  const auto work = [&] {
    for (std::size_t i; (i = next++) < jobs.size();) {
      const Meshed meshed = mesh(jobs[i]);
      if (meshedWell(meshed, jobs[i].stem().string().ends_with("-farfield"))) continue;
      const std::lock_guard lock(failures);
      failed.push_back(jobs[i].filename().string() + ": " + meshed.log);
    }
  };
  std::vector<std::thread> workers;
  for (unsigned k = 1; k < std::max(2u, std::thread::hardware_concurrency()); ++k) {
    workers.emplace_back(work);
  }
  work();
  for (auto& worker : workers) worker.join();
  for (const auto& failure : failed) ADD_FAILURE() << failure;
  std::printf("%zu geometries meshed in %.1f s\n", jobs.size(),
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

// --- DXF R2000 ---------------------------------------------------------------

// What ezdxf finds in the text: its head lines (version, units, messages,
// audit errors and fixes), then per entity its type and points.
struct DxfSeen {
  std::vector<std::string> head, entities;
  std::vector<std::vector<Point>> points;
  std::string closed;
};

std::optional<DxfSeen> ezdxfReads(const std::string& dxf) {
  if (runCommand("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0) return std::nullopt;
  TempDir dir;
  std::string output;
  EXPECT_EQ(runCommand("/usr/bin/python3 " TARVEX_SOURCE_DIR "/tests/tools/check_dxf.py " +
                           shellWord(dir.write("s.dxf", dxf)) + " 2>&1",
                       &output),
            0)
      << output;
  DxfSeen seen;
  const auto lines = splitLines(output);
  std::size_t i = 0;
  for (; i < 5 && i < lines.size(); ++i) seen.head.push_back(lines[i]);
  while (i < lines.size()) {
    seen.entities.push_back(lines[i++]);
    if (seen.entities.back() == "LWPOLYLINE") seen.closed = lines.at(i++);
    seen.points.emplace_back(std::stoul(lines.at(i++)));
    for (Point& p : seen.points.back()) std::sscanf(lines.at(i++).c_str(), "%f %f", &p.x, &p.y);
  }
  return seen;
}

const std::vector<std::string> kNoFault{"AC1015", "4", "0", "0", "0"};

TEST(Dxf2000Format, TheEngineReadsItBackAndEzdxfFindsAClosedPolylineInMillimetres) {
  const Section section = naca(2412);
  DrawingOptions drawing;
  drawing.chordMm = 250;
  auto back = readText(written(section, 20, drawing));
  ASSERT_TRUE(back) << back.error().message;
  EXPECT_EQ(back->layout, Layout::dxf);
  EXPECT_FLOAT_EQ(back->xmax - back->xmin, 250.0f);
  ASSERT_EQ(back->x.size(), section.x.size());
  for (std::size_t i = 0; i < back->x.size(); ++i) {
    EXPECT_NEAR(back->x[i], section.x[i], 1e-6);
    EXPECT_NEAR(back->y[i], section.y[i], 1e-6);
  }

  const std::string dxf = written(section, 20, drawing, true);
  EXPECT_EQ(dxf.rfind("999\n", 0), 0u);  // the comment lines come first
  const auto seen = ezdxfReads(dxf);
  if (!seen) GTEST_SKIP() << "/usr/bin/python3 with ezdxf not installed";
  EXPECT_EQ(seen->head, kNoFault);
  ASSERT_EQ(seen->entities, std::vector<std::string>{"LWPOLYLINE"});
  EXPECT_EQ(seen->closed, "closed");
  // The sharp trailing edge is one vertex; the closing segment joins there.
  ASSERT_EQ(seen->points[0].size(), section.x.size() - 1);
  for (std::size_t i = 0; i < seen->points[0].size(); ++i) {
    EXPECT_NEAR(seen->points[0][i].x, 250.0 * section.x[i], 2e-4) << i;
    EXPECT_NEAR(seen->points[0][i].y, 250.0 * section.y[i], 2e-4) << i;
  }
}

TEST(Dxf2000Format, SplineThroughEveryPointAndALineAcrossABluntEdge) {
  const Section blunt = naca(4415, 0.003f);
  DrawingOptions drawing;
  drawing.spline = true;
  const auto seen = ezdxfReads(written(blunt, 20, drawing));
  if (!seen) GTEST_SKIP() << "/usr/bin/python3 with ezdxf not installed";
  EXPECT_EQ(seen->head, kNoFault);
  ASSERT_EQ(seen->entities, (std::vector<std::string>{"SPLINE", "LINE"}));
  ASSERT_EQ(seen->points[0].size(), blunt.x.size());
  EXPECT_NEAR(seen->points[0].back().y, 100.0 * blunt.y.back(), 1e-4);  // 100 mm by default
  EXPECT_NEAR(seen->points[1][0].y, seen->points[0].back().y, 1e-6);
  EXPECT_NEAR(seen->points[1][1].y, seen->points[0].front().y, 1e-6);
}

// A lone carriage return is a line end to ezdxf: inside a 999 comment it
// would turn the rest of the line into groups of the drawing.
TEST(Dxf2000Format, CarriageReturnsInCommentLinesStayInTheirGroup) {
  std::string text = twoColumnText(nacaSection(12, 31), "NACA");
  text.insert(text.find('\n') + 1,
              "x\r  0\rSECTION\r  2\rENTITIES\r  0\rLINE\r  8\r0\r 10\r0\r 20\r0\r 11\r9\r 21\r9\n"
              "x\r  0\rENDSEC\r  0\rEOF\n");
  const auto section = readText(text);
  ASSERT_TRUE(section) << section.error().message;
  const auto seen = ezdxfReads(written(*section, 20, {}, true));
  if (!seen) GTEST_SKIP() << "/usr/bin/python3 with ezdxf not installed";
  EXPECT_EQ(seen->head, kNoFault);
  EXPECT_EQ(seen->entities, std::vector<std::string>{"LWPOLYLINE"});
}

TEST(Dxf2000Format, SkinDrawsTheRibAsInSvg) {
  const Section section = naca(2412);
  DrawingOptions drawing;
  drawing.chordMm = 250;
  drawing.skinMm = 1.5f;
  const auto svgRib = pathPoints(written(section, 18, drawing));
  for (const bool spline : {false, true}) {
    SCOPED_TRACE(spline);
    drawing.spline = spline;
    const auto seen = ezdxfReads(written(section, 20, drawing));
    if (!seen) GTEST_SKIP() << "/usr/bin/python3 with ezdxf not installed";
    EXPECT_EQ(seen->head, kNoFault);
    ASSERT_EQ(seen->entities, std::vector<std::string>{spline ? "SPLINE" : "LWPOLYLINE"});
    const auto& rib = seen->points[0];
    // The SVG rib's points, in its page's millimetres (y down), span the same.
    const Box box = extent(rib), svgBox = extent(svgRib);
    EXPECT_NEAR(box.right - box.left, svgBox.right - svgBox.left, 1e-3);
    EXPECT_NEAR(box.bottom - box.top, svgBox.bottom - svgBox.top, 1e-3);
    EXPECT_NEAR(box.left, 1.5, 0.01);
    // The spline starts and ends at the point the rib ends in behind.
    if (spline) {
      EXPECT_EQ(rib.front().x, box.right);
    }
  }
  drawing.skinMm = 1e-9f;
  const auto refused = write(section, 20, drawing);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().message,
            "no rib inside a skin of 1e-09 mm: it is thinner than the 1e-06 mm the drawing "
            "resolves; give 0 for the outline itself");
}

}  // namespace
}  // namespace tarvex::test
