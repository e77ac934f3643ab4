// The C++ interface as a program uses it: text in memory, reasons on
// failure, several sections in one output file, and threads.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tarvex.hpp"
#include "test_support.h"

namespace tarvex {
namespace {

const std::string k2412 = test::twoColumnText(test::nacaSection(2412, 61), "NACA 2412");
const std::string k0012 = test::twoColumnText(test::nacaSection(12, 41), "NACA 0012");

TEST(Interface, TextInTextOutAndTheSameAsAFile) {
  auto section = readText(k2412);
  ASSERT_TRUE(section) << section.error().message;
  EXPECT_EQ(section->name, "NACA 2412");
  EXPECT_EQ(section->layout, Layout::twoColumns);
  EXPECT_GT(section->properties.area, 0.08f);
  WriteOptions options;
  options.format = 6;
  options.comments = true;
  const auto text = writeText(*section, options);
  ASSERT_TRUE(text);
  test::TempDir dir;
  ASSERT_FALSE(writeFile(*section, dir.file("out.cef"), options));
  EXPECT_EQ(test::readFile(dir.file("out.cef")), *text);
  // A redistributed section keeps the properties of the section as read.
  const auto fewer = redistribute(*section, defaultStations());
  ASSERT_TRUE(fewer);
  EXPECT_EQ(fewer->size(), 35);
  EXPECT_EQ(fewer->properties.area, section->properties.area);

  EXPECT_EQ(readText("only words\n").error().status, Status::readFailed);
  EXPECT_EQ(readText("only words\n").error().message, "no line of coordinates found");
  const auto missing = readFile(dir.file("missing.dat"));
  EXPECT_EQ(missing.error().systemError, ENOENT);
  EXPECT_EQ(missing.error().file, dir.file("missing.dat").string());
  options.format = 99;
  EXPECT_EQ(writeText(*section, options).error().status, Status::badOptions);

  // A null byte would cut the name short for the system: refused, nothing made.
  dir.write("x.dat", k0012);
  using namespace std::string_literals;
  EXPECT_EQ(readFile(dir.file("x.dat").string() + "\0junk"s).error().systemError, EINVAL);
  options.format = 1;
  EXPECT_EQ(writeFile(*section, dir.file("victim").string() + "\0.svg"s, options).systemError,
            EINVAL);
  EXPECT_FALSE(std::filesystem::exists(dir.file("victim")));
}

TEST(Interface, AnOutputFileIsPutInPlaceOnlyByItsCommit) {
  test::TempDir dir;
  const auto path = dir.write("both.geo", "OLD\n");
  WriteOptions options;
  {
    auto file = OutputFile::open(path);
    ASSERT_TRUE(file);
    ASSERT_FALSE(file->write(*readText(k2412), options));
    ASSERT_FALSE(file->write(*readText(k0012), options));
    EXPECT_EQ(test::readFile(path), "OLD\n");
    ASSERT_FALSE(file->commit());
  }
  EXPECT_EQ(test::splitLines(test::readFile(path)).size(), 2u + 121 + 81);
  {
    auto abandoned = OutputFile::open(path, true);
    ASSERT_TRUE(abandoned);
    ASSERT_FALSE(abandoned->write(*readText(k0012), options));
  }
  EXPECT_EQ(test::splitLines(test::readFile(path)).size(), 2u + 121 + 81);
}

// Conversions in two threads give what they give one after the other.
TEST(Interface, ThreadsGiveTheSameResultsAsOneAfterTheOther) {
  const std::vector<std::string> inputs{k2412, k0012};
  const auto convert = [](const std::string& input, int format) {
    auto section = readText(input);
    WriteOptions options;
    options.format = format;
    options.comments = true;
    auto redistributed = redistributeCosine(*section, 101);
    return *writeText(*section, options) + *writeText(*redistributed, options);
  };
  std::vector<std::string> alone;
  for (int format = 1; format <= 17; ++format) {
    for (const auto& input : inputs) alone.push_back(convert(input, format));
  }
  std::vector<std::string> together(alone.size());
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < inputs.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 20; ++round) {
        for (int format = 1; format <= 17; ++format) {
          const std::size_t k = static_cast<std::size_t>(format - 1) * inputs.size() + t;
          together[k] = convert(inputs[t], format);
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(together, alone);
}

}  // namespace
}  // namespace tarvex
