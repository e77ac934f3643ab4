#include "conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;
using test::convertText;
using test::readFile;
using test::splitLines;
using test::TempDir;

const std::string kSection = test::twoColumnText(test::nacaSection(2412, 31), "NACA 2412");

ConversionOptions withFormat(int format) {
  ConversionOptions options;
  options.format = format;
  return options;
}

std::vector<std::string> dataLines(const std::string& output) {
  std::vector<std::string> data;
  for (auto& line : splitLines(output)) {
    if (!line.starts_with(";")) data.push_back(line);
  }
  return data;
}

TEST(Conversion, TwoColumnsWithCommentHeader) {
  const auto converted = convertText(kSection, withFormat(1));
  ASSERT_EQ(converted.result.status, kDone);
  EXPECT_EQ(converted.result.count, 61);
  const auto lines = splitLines(converted.output);
  // Echoed name (in full, then trimmed), 42 header lines, column header, 61 points.
  ASSERT_EQ(lines.size(), 2u + 42u + 1u + 61u);
  EXPECT_EQ(lines[0], "; NACA 2412" + std::string(71, ' '));
  EXPECT_EQ(lines[1], "; NACA 2412");
  EXPECT_EQ(lines[44], ";            X         Y");
  EXPECT_EQ(lines[45], "           1.00000000          0.00000000");
  EXPECT_EQ(lines[45].size(), 41u);
}

TEST(Conversion, CommentHeaderLayout) {
  const auto converted = convertText(kSection, withFormat(1));
  const auto lines = splitLines(converted.output);
  ASSERT_GE(lines.size(), 44u);
  const std::vector<std::string> header(lines.begin() + 2, lines.begin() + 44);
  EXPECT_EQ(header[0], ";");
  EXPECT_EQ(header[1], "; Creator:  INORM");
  EXPECT_EQ(header[2], "; Author:   Tolmark");
  EXPECT_EQ(header[3], ";");
  EXPECT_EQ(header[4], "; Number of points:          61");
  EXPECT_EQ(header[5], "; x-Range:      0.00000...     1.00000");
  EXPECT_EQ(header[6], "; *** Area Properties:");
  EXPECT_TRUE(
      header[7].starts_with("; Area:           "
                            "    0.08"))
      << header[7];
  EXPECT_TRUE(header[7].ends_with(" [c^2]"));
  EXPECT_EQ(header[21], ";             IY0:" + header[21].substr(18));
  EXPECT_EQ(header[22], ";");
  EXPECT_EQ(header[23], "; Koordinatenzahl:           61");
  EXPECT_EQ(header[24], "; x-Bereich:      0.00000...     1.00000");
  EXPECT_EQ(header[25],
            "; *** Fl\xE4"
            "cheneigenschaften:");
  EXPECT_EQ(header[26].substr(18), header[7].substr(18));  // the same values in both blocks
  EXPECT_EQ(header[41], ";");
}

TEST(Conversion, FormatNumbersOutsideTheTableWriteNoData) {
  for (const int format : {0, 18}) {
    const auto converted = convertText(kSection, withFormat(format));
    EXPECT_EQ(converted.result.status, kDone);
    EXPECT_EQ(converted.result.count, 61);
    EXPECT_TRUE(dataLines(converted.output).empty()) << format;
  }
  const auto quiet = convertText(kSection, withFormat(-1));
  EXPECT_EQ(quiet.result.status, kDone);
  EXPECT_EQ(splitLines(quiet.output).size(), 62u);  // no comment lines at all
  EXPECT_EQ(splitLines(quiet.output)[0], ";            X         Y");
}

TEST(Conversion, ClockwiseSectionIsReversed) {
  auto points = test::nacaSection(2412, 21);
  std::reverse(points.begin(), points.end());  // over the lower surface first
  const auto converted = convertText(test::twoColumnText(points), withFormat(1));
  ASSERT_EQ(converted.result.status, kDone);
  EXPECT_GT(converted.y[5], 0.0f);  // the upper surface comes first
  const auto lines = splitLines(converted.output);
  EXPECT_TRUE(
      lines[9].starts_with("; Area:           "
                           "    0.0"))
      << lines[9];
}

TEST(Conversion, TwoColumnsLowerSurfaceFirst) {
  const auto upper = convertText(kSection, withFormat(-1));
  const auto lower = convertText(kSection, withFormat(-2));
  auto reversed = dataLines(upper.output);
  std::reverse(reversed.begin(), reversed.end());
  EXPECT_EQ(dataLines(lower.output), reversed);
}

TEST(Conversion, KeepSizeRestoresTheInputRange) {
  const std::string big = "120 3\n70 13\n20 3\n70 -7\n120 3\n";
  ConversionOptions options = withFormat(-1);
  options.keepSize = true;
  const auto converted = convertText(big, options);
  ASSERT_EQ(converted.result.status, kDone);
  EXPECT_FLOAT_EQ(converted.x[0], 120.0f);
  EXPECT_FLOAT_EQ(converted.x[2], 20.0f);
  EXPECT_FLOAT_EQ(converted.y[0], 0.0f);  // y stays measured from the trailing-edge mean
  EXPECT_FLOAT_EQ(converted.y[1], 10.0f);
  EXPECT_FLOAT_EQ(converted.y[3], -10.0f);
}

TEST(Conversion, DistortionFactors) {
  ConversionOptions options = withFormat(-1);
  options.xFactor = 2.0f;
  options.yFactor = 0.5f;
  const auto plain = convertText(kSection, withFormat(-1));
  const auto distorted = convertText(kSection, options);
  ASSERT_EQ(distorted.result.count, plain.result.count);
  for (std::size_t i = 0; i < plain.x.size(); ++i) {
    EXPECT_FLOAT_EQ(distorted.x[i], 2.0f * plain.x[i]);
    EXPECT_FLOAT_EQ(distorted.y[i], 0.5f * plain.y[i]);
  }
}

TEST(ConversionStatus, FailuresAndTheirCodes) {
  EXPECT_EQ(convertText("NAME ONLY\n", withFormat(1)).result.status, kReadFailed);
  EXPECT_EQ(convertText("0 0\n0.5 0\n1 0\n", withFormat(1)).result.status, kNoArea);
  EXPECT_EQ(convertText("", withFormat(1)).result.status, kReadFailed);
  std::string tooMany;
  for (int i = 0; i < 1000; ++i) tooMany += std::to_string(1.0 - i / 999.0) + " 0.01\n";
  EXPECT_EQ(convertText(tooMany, withFormat(1)).result.status, kReadFailed);
  std::vector<float> x(10), y(10);
  EXPECT_EQ(INORM("", "out", x, y, {}).status, kInputNotFound);
  EXPECT_EQ(INORM("in", "", x, y, {}).status, kOutputNotWritable);
}

// A number too wide for its field fails the conversion instead of writing
// asterisks: coordinates kept at a size in millimetres, and a header whose
// x-range does not fit.
TEST(ConversionStatus, FieldsThatDoNotFitFailTheConversion) {
  std::string millimetres = "RIB\n";
  for (const auto& p : test::nacaSection(2412, 31)) {
    millimetres += std::to_string(1000.0f * p.x) + " " + std::to_string(1000.0f * p.y) + "\n";
  }
  ConversionOptions keep = withFormat(-1);
  keep.keepSize = true;
  EXPECT_EQ(convertText(millimetres, keep).result.status, kDone);  // F20.8 has the room
  for (const int format : {5, 6, 9, 12, 13, 14, 15}) {
    keep.format = -format;
    const auto converted = convertText(millimetres, keep);
    EXPECT_EQ(converted.result.status, kFieldOverflow) << format;
    EXPECT_EQ(converted.output, "") << format;
    EXPECT_NE(converted.result.reason.find("format " + std::to_string(format)), std::string::npos);
  }
  std::string wide = "WIDE\n";
  for (const auto& p : test::nacaSection(12, 21)) {
    wide += std::to_string(1.0e7f * p.x) + " " + std::to_string(1.0e7f * p.y) + "\n";
  }
  const auto header = convertText(wide, withFormat(1));
  EXPECT_EQ(header.result.status, kFieldOverflow);
  EXPECT_NE(header.result.reason.find("comment header"), std::string::npos);
}

// Redistribution onto more stations than the output can hold is reported,
// not skipped.
TEST(ConversionStatus, ARedistributionThatCannotBeDoneFails) {
  std::vector<float> stations(600);
  for (std::size_t i = 0; i < stations.size(); ++i) {
    stations[i] = static_cast<float>(i) / 599.0f;
  }
  ConversionSettings settings;
  settings.redistribute = true;
  settings.stations = stations;
  LineOutput out;
  const auto outcome = tarvex::convertText(kSection, settings, out);
  EXPECT_EQ(outcome.error.status, Status::redistributionFailed);
  EXPECT_NE(outcome.error.message.find("1199 points, more than the 1000"), std::string::npos)
      << outcome.error.message;
}

TEST(ConversionStatus, MissingInputOrUnwritableOutputTouchesNothing) {
  TempDir dir;
  std::vector<float> x(100), y(100);
  const auto existing = dir.write("existing.txt", "keep me\n");
  EXPECT_EQ(INORM((dir.path() / "missing.dat").string(), existing.string(), x, y, {}).status,
            kInputNotFound);
  EXPECT_EQ(readFile(existing), "keep me\n");
  EXPECT_EQ(INORM(dir.path().string(), existing.string(), x, y, {}).status, kInputNotFound);

  const auto input = dir.write("in.dat", kSection);
  EXPECT_EQ(
      INORM(input.string(), (dir.path() / "no/such/folder/out.txt").string(), x, y, {}).status,
      kOutputNotWritable);
  EXPECT_EQ(INORM(input.string(), dir.path().string(), x, y, {}).status, kOutputNotWritable);
}

TEST(ConversionStatus, FailedConversionLeavesTheOutputAsItWas) {
  TempDir dir;
  std::vector<float> x(1000), y(1000);
  const auto bad = dir.write("bad.dat", "NACA 0012\nno numbers here\n");
  const auto existing = dir.write("existing.txt", "old content\n");
  for (const bool append : {false, true}) {
    ConversionOptions options = withFormat(1);
    options.append = append;
    EXPECT_EQ(INORM(bad.string(), existing.string(), x, y, options).status, kReadFailed);
    EXPECT_EQ(readFile(existing), "old content\n");
    EXPECT_EQ(INORM(bad.string(), (dir.path() / "new.txt").string(), x, y, options).status,
              kReadFailed);
    EXPECT_FALSE(fs::exists(dir.path() / "new.txt"));
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 2);
}

TEST(ConversionOutput, AppendAndReplace) {
  TempDir dir;
  std::vector<float> x(1000), y(1000);
  const auto input = dir.write("in.dat", kSection);
  const auto output = dir.write("out.txt", "first line\n");
  ConversionOptions options = withFormat(-1);
  options.append = true;
  ASSERT_EQ(INORM(input.string(), output.string(), x, y, options).status, kDone);
  ASSERT_EQ(INORM(input.string(), output.string(), x, y, options).status, kDone);
  const auto lines = splitLines(readFile(output));
  ASSERT_EQ(lines.size(), 1u + 2 * 62u);
  EXPECT_EQ(lines[0], "first line");
  EXPECT_EQ(lines[1], lines[63]);
  options.append = false;
  ASSERT_EQ(INORM(input.string(), output.string(), x, y, options).status, kDone);
  EXPECT_EQ(splitLines(readFile(output)).size(), 62u);
}

TEST(ConversionOutput, ReplacingKeepsPermissionsAndFollowsLinks) {
  TARVEX_SKIP_ON_WINDOWS("POSIX permission bits and symbolic links");
  TempDir dir;
  std::vector<float> x(1000), y(1000);
  const auto input = dir.write("in.dat", kSection);
  const auto target = dir.write("target.txt", "old\n");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(target, dir.path() / "link.txt");
  ASSERT_EQ(INORM(input.string(), (dir.path() / "link.txt").string(), x, y, withFormat(-1)).status,
            kDone);
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.txt"));
  EXPECT_EQ(splitLines(readFile(target)).size(), 62u);
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(ConversionOutput, AppendKeepsAnOldLastLineWithoutLineEnd) {
  TempDir dir;
  std::vector<float> x(1000), y(1000);
  const auto input = dir.write("in.dat", kSection);
  const auto output = dir.write("out.txt", "old last line");
  ConversionOptions options = withFormat(-1);
  options.append = true;
  ASSERT_EQ(INORM(input.string(), output.string(), x, y, options).status, kDone);
  const auto lines = splitLines(readFile(output));
  ASSERT_EQ(lines.size(), 63u);
  EXPECT_EQ(lines[0], "old last line");
  EXPECT_EQ(lines[1], ";            X         Y");
}

TEST(ConversionOutput, AFullDeviceFailsWithoutTouchingFiles) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TempDir dir;
  std::vector<float> x(1000), y(1000);
  const auto input = dir.write("in.dat", kSection);
  EXPECT_EQ(INORM(input.string(), "/dev/full", x, y, withFormat(1)).status, kWriteError);
}

TEST(ConversionOutput, SameFileInAndOut) {
  TempDir dir;
  std::vector<float> x(1000), y(1000);
  const auto file = dir.write("section.dat", kSection);
  fs::create_hard_link(file, dir.file("alias.dat"));
  for (const auto& output : {file, dir.file("alias.dat")}) {
    for (const bool append : {false, true}) {
      ConversionOptions options = withFormat(-1);
      options.append = append;
      const auto result = INORM(file.string(), output.string(), x, y, options);
      EXPECT_EQ(result.status, kOutputNotWritable);
      EXPECT_NE(result.reason.find("is the input file"), std::string::npos) << result.reason;
    }
  }
  EXPECT_EQ(readFile(file), kSection);
}

TEST(ConversionInput, SectionsBeyondTheFloatRangeFail) {
  // A chord tiny against the y values, and y values whose area overflows.
  EXPECT_EQ(
      convertText("1e-45 0\n0.5e-45 1\n0 0\n0.5e-45 -1\n1e-45 0\n", withFormat(1)).result.status,
      kReadFailed);
  EXPECT_EQ(convertText("1 0\n0.5 1e38\n0 0\n0.5 -1e38\n1 0\n", withFormat(1)).result.status,
            kNoArea);
}

TEST(ConversionInput, WindowsLineEndsAndExponents) {
  std::string text = "E387 windows\r\n";
  for (const auto& p : test::nacaSection(12, 21)) {
    char line[64];
    std::snprintf(line, sizeof line, "%14.6E %14.6E\r\n", p.x, p.y);
    text += line;
  }
  const auto converted = convertText(text, withFormat(-1));
  ASSERT_EQ(converted.result.status, kDone);
  EXPECT_EQ(converted.result.count, 41);
}

}  // namespace
}  // namespace tarvex
