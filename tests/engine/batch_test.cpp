// The batch into formats of one section per file: several inputs, or an
// appending to a file with content, are refused before anything is written;
// what is written is one document.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tarvex.hpp"
#include "test_support.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

struct OneSectionBatch : ::testing::Test {
  test::TempDir dir;
  fs::path a = dir.write("a.dat", test::twoColumnText(test::nacaSection(2412, 31)));
  fs::path b = dir.write("b.dat", test::twoColumnText(test::nacaSection(12, 31)));

  Batch batch(int format, const fs::path& output, std::vector<fs::path> inputs,
              bool append = false) {
    BatchSettings settings;
    settings.outputFile = output;
    settings.options.format = format;
    settings.append = append;
    return Batch(settings, inputs);
  }
};

TEST_F(OneSectionBatch, SeveralInputsOrAnAppendingAreRefusedBeforeAnythingIsWritten) {
  for (const auto& [format, name] : {std::pair{18, "SVG"}, {19, "Gmsh"}, {20, "DXF R2000"}}) {
    const fs::path output = dir.file("out" + std::to_string(format));
    const Error several = batch(format, output, {a, b}).start();
    EXPECT_EQ(several.status, Status::badOptions);
    EXPECT_EQ(several.message, std::string(name) +
                                   " output takes one section per file: 2 inputs cannot go into "
                                   "one file; convert them into a folder, one file each");
    EXPECT_FALSE(fs::exists(output));

    test::writeFile(output, "old\n");
    const Error appended = batch(format, output, {a}, true).start();
    EXPECT_NE(appended.message.find("cannot be appended to a file that holds anything"),
              std::string::npos);
    WriteOptions options;
    options.format = format;
    EXPECT_FALSE(tarvex::writeFile(*readFile(a), output, options, true).message.empty());
    ConvertOptions convert;
    convert.format = format;
    convert.append = true;
    EXPECT_FALSE(convertFile(a, output, convert));
    EXPECT_EQ(test::readFile(output), "old\n");
  }
}

TEST_F(OneSectionBatch, ASecondSectionFromElsewhereFailsAndTheFirstStaysOneDocument) {
  const fs::path output = dir.file("out.svg");
  test::writeFile(output, "");  // an empty file takes one by appending
  Batch one = batch(18, output, {a}, true);
  ASSERT_FALSE(one.start());
  EXPECT_EQ(one.convertFile(a).kind, BatchOutcome::Kind::converted);
  const BatchOutcome second = one.convertText(test::readFile(b), "stdin");
  EXPECT_EQ(second.kind, BatchOutcome::Kind::failed);
  EXPECT_NE(second.error.message.find("a second section cannot follow"), std::string::npos);
  ASSERT_FALSE(one.finish());
  if (!test::findProgram("xmllint")) GTEST_SKIP() << "xmllint not installed";
  EXPECT_EQ(test::runCommand("xmllint --noout " + output.string()), 0);
}

}  // namespace
}  // namespace tarvex
