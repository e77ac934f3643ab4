// Counted two columns of any size, and count lines that disagree with the
// data: the same outline as the two-column file of the same points, or a
// failure that says why, never a crossed outline.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tarvex.hpp"
#include "test_support.h"

namespace tarvex {
namespace {

using test::Point;

std::string rows(const std::vector<Point>& points, std::size_t from, std::size_t to, int step) {
  std::string text;
  char line[64];
  for (std::size_t i = from; i != to; i += static_cast<std::size_t>(step)) {
    std::snprintf(line, sizeof line, " %10.7f %10.7f\n", points[i].x, points[i].y);
    text += line;
  }
  return text;
}

// NACA 2412 with n points per surface, both surfaces from the leading edge.
std::string countedText(int n, const std::string& counts, const std::string& parting) {
  const auto points = test::nacaSection(2412, n);
  const auto le = static_cast<std::size_t>(n - 1);
  return "NACA 2412\n" + counts + "\n" + parting + rows(points, le, std::size_t(-1), -1) + parting +
         rows(points, le, points.size(), 1);
}

void expectOutlineOfTwoColumns(const std::string& counted, int n) {
  const auto twoColumns = readText(test::twoColumnText(test::nacaSection(2412, n)));
  const auto section = readText(counted);
  ASSERT_TRUE(twoColumns && section) << (section ? "" : section.error().message);
  EXPECT_EQ(section->layout, Layout::counted);
  EXPECT_EQ(section->x, twoColumns->x);
  EXPECT_EQ(section->y, twoColumns->y);
}

TEST(CountedLayout, AnySizeReadsAsTheTwoColumnOutline) {
  for (const int n : {61, 121, 250}) {
    SCOPED_TRACE(n);
    const std::string counts = std::to_string(n) + ". " + std::to_string(n) + ".";
    expectOutlineOfTwoColumns(countedText(n, counts, "\n"), n);
    expectOutlineOfTwoColumns(countedText(n, counts, ""), n);
  }
  const auto tooMany = readText(countedText(600, "600. 600.", "\n"));
  ASSERT_FALSE(tooMany);
  EXPECT_NE(tooMany.error().message.find("more than 1000 points"), std::string::npos);
  // Whole numbers that the data does not bear out start a plain file, here
  // one in millimetres with a blank line after the leading edge.
  auto mm = test::nacaSection(2412, 31);
  for (auto& point : mm) point = {200 * point.x, 200 * point.y};
  mm.front() = {200, 3};
  std::string text = test::twoColumnText(mm);
  std::size_t leadingEdgeEnd = 0;
  for (int line = 0; line < 32; ++line) leadingEdgeEnd = text.find('\n', leadingEdgeEnd) + 1;
  const auto plain = readText(text.insert(leadingEdgeEnd, "\n"));
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->layout, Layout::twoColumns);
  EXPECT_EQ(plain->size(), 61);
}

TEST(CountedLayout, ABlankLineOutweighsWrongCounts) {
  const std::string text = countedText(61, "51 71", "\n");
  expectOutlineOfTwoColumns(text, 61);
  const auto section = readText(text);
  ASSERT_TRUE(section);
  EXPECT_EQ(section->comments.back(),
            "line 2 \"51 71\" counts 51 upper and 71 lower points; read as the 61 and 61 that a "
            "blank line parts");
}

TEST(CountedLayout, WrongCountsWithoutABlankLineFailWithTheReason) {
  const std::pair<std::string, std::string> cases[] = {
      {countedText(61, "51 71", ""), "point 52 of the 122 that follow"},
      {countedText(61, "71 51", ""), "point 72 of the 122 that follow"},
      {countedText(121, "120 121", ""), "but 242 points follow"},
      {countedText(61, "61 61", "").substr(0, 300), "but only "},
  };
  for (const auto& [text, why] : cases) {
    const auto section = readText(text);
    ASSERT_FALSE(section) << why;
    EXPECT_EQ(section.error().status, Status::readFailed);
    EXPECT_NE(section.error().message.find(why), std::string::npos) << section.error().message;
    EXPECT_NE(section.error().message.find("; correct the counts or put a blank line between"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace tarvex
