// The XML reader: the name element, the x and y elements of every
// coordinate block, and what it does with incomplete points.
#include <gtest/gtest.h>

#include <string>

#include "readers_fixture.h"
#include "tarvex.hpp"

namespace tarvex::test {
namespace {

ReaderRun readXml(std::string text, int capacity = 1000, std::string_view nameBefore = "alvane") {
  return runReader(READXML, std::move(text), capacity, nameBefore);
}

std::string point(std::string_view x, std::string_view y) {
  return "      <point><x>" + std::string(x) + "</x><y>" + std::string(y) +
         "</y><z>0.0000000</z></point>\n";
}

const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<airfoil>\n<name>Two Blocks</name>\n"
    "<elements>\n<element>\n<transformation>\n   <scaling>\n"
    "      <point><x>9.0</x><y>9.0</y><z>1.0</z></point>\n   </scaling>\n</transformation>\n";

TEST(XmlReader, CollectsThePointsOfEveryBlockInFileOrder) {
  const auto run = readXml(kHead + "   <coordinates>\n" + point("1.0000000", "0.0000000") +
                           point("0.5000000", "0.0600000") + "   </coordinates>\n" +
                           "<coordinates>\n" + point("0.0000000", "0.0000000") +
                           point("1.0000000", "-0.0100000") + "</coordinates>\n</airfoil>\n");
  ASSERT_EQ(run.n, 4);
  EXPECT_EQ(run.x[0], 1.0f);  // the transformation point is not a coordinate
  EXPECT_FLOAT_EQ(run.y[1], 0.06f);
  EXPECT_EQ(run.x[2], 0.0f);
  EXPECT_FLOAT_EQ(run.y[3], -0.01f);
  EXPECT_EQ(run.name, "Two Blocks");
}

TEST(XmlReader, XAndYMayStandOnLinesOfTheirOwn) {
  const auto run = readXml(
      "<?xml?>\n<name>n</name>\n<coordinates>\n<point>\n  <x> 0.25 </x>\n  <y>\t-.125</y>\n"
      "</point>\n</coordinates>\n");
  ASSERT_EQ(run.n, 1);
  EXPECT_EQ(run.x[0], 0.25f);
  EXPECT_EQ(run.y[0], -0.125f);
}

TEST(XmlReader, IncompletePointsAreNotCounted) {
  const auto run = readXml(
      "<name>n</name>\n<coordinates>\n"
      "<y>5.0</y>\n"  // before any x: belongs to no point
      "<x>0.1</x>\n"  // x without y, followed by another x
      "<x>0.2</x><y>0.3</y>\n"
      "<x>0.4</x><y>junk</y>\n"  // a y without a number
      "<x></x><y>0.9</y>\n"      // x without a number: the line is ignored
      "<x>0.6</x>\n"             // the last x has no y
      "</coordinates>\n");
  // Only the point with both values counts; the x-only ones are replaced
  // by the x after them and the count ends at the last y.
  ASSERT_EQ(run.n, 1);
  EXPECT_FLOAT_EQ(run.x[0], 0.2f);
  EXPECT_FLOAT_EQ(run.y[0], 0.3f);
}

TEST(XmlReader, TheNameIsTakenFromOneLineAndUnescaped) {
  EXPECT_EQ(readXml("<name>A &amp; B &lt;C&gt; &quot;D&quot; &apos;E&apos; &copy;</name>\n").name,
            "A & B <C> \"D\" 'E' &copy;");
  EXPECT_EQ(readXml("<name>Spread\nover two</name>\n").name, "");
  EXPECT_EQ(readXml("<name></name>\n").name, "");
  EXPECT_EQ(readXml("<name/>\n").name, "");
  // The name element must come before the first coordinate block: the
  // block before it is passed over in the search.
  const auto late = readXml("<coordinates>\n<x>1</x><y>2</y>\n</coordinates>\n<name>late</name>\n");
  EXPECT_EQ(late.n, 0);
  EXPECT_EQ(late.name, "late");
}

TEST(XmlReader, AFileWithoutNameStillGivesItsPoints) {
  const auto run =
      readXml("<?xml?>\n<coordinates>\n<x>1</x><y>2</y>\n</coordinates>\n", 1000, "kept");
  EXPECT_EQ(run.n, 1);
  EXPECT_EQ(run.name, "kept");
}

TEST(XmlReader, PointsBeyondTheCapacityOrTheThousandthAreDropped) {
  std::string text = "<name>many</name>\n<coordinates>\n";
  for (int i = 0; i < 20; ++i) text += point(std::to_string(i), "0.5");
  text += "</coordinates>\n<coordinates>\n" + point("77", "0.5") + "<y>3</y>\n</coordinates>\n";
  const auto run = readXml(text, 6);
  EXPECT_EQ(run.n, 6);
  EXPECT_TRUE(run.guardsIntact);
  EXPECT_EQ(run.x[5], 5.0f);
  EXPECT_EQ(run.y[5], 0.5f);

  std::string big = "<name>big</name>\n<coordinates>\n";
  for (int i = 0; i < 998; ++i) big += point("0.5", "0.5");
  big += "</coordinates>\n<coordinates>\n";
  for (int i = 0; i < 5; ++i) big += point("0.25", "0.25");
  big += "</coordinates>\n";
  const auto thousand = readXml(big, 1004);
  EXPECT_EQ(thousand.n, 1000);
  EXPECT_TRUE(thousand.guardsIntact);
  EXPECT_EQ(thousand.x[999], 0.25f);
  EXPECT_EQ(thousand.x[1000], kUntouched);
}

TEST(XmlReader, ThroughTheConversionTheNameReplacesTheFirstLine) {
  const auto converted = convertText(
      kHead + "<coordinates>\n" + point("1.0", "0.0") + point("0.5", "0.05") + point("0.0", "0.0") +
          point("0.5", "-0.05") + point("1.0", "0.0") + "</coordinates>\n",
      ConversionOptions{.format = -1});
  ASSERT_EQ(converted.result.status, kDone) << converted.output;
  EXPECT_EQ(converted.result.count, 5);
  EXPECT_EQ(converted.result.name, "Two Blocks");
}

}  // namespace
}  // namespace tarvex::test
