// The batch command line's reports: `tarvex info` (table and JSON),
// `tarvex formats`, --version and --help.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_fixture.h"
#include "tarvex_formats.hpp"

namespace tarvex::test {
namespace {

namespace fs = std::filesystem;

const fs::path kSystemPython = "/usr/bin/python3";

using CliInfo = CliTest;

TEST_F(CliInfo, NamesTheLayoutOfEachKindOfFile) {
  dir_.write("three.dat", "THREE\n0.0 0.0 0.0\n0.5 0.06 -0.04\n1.0 0.0 0.0\n");
  dir_.write("four.dat", "FOUR\n1 0.0 0.0 0.0\n2 0.5 0.06 -0.04\n3 1.0 0.0 0.0\n");
  dir_.write("counted.dat",
             "COUNTED\n6. 6.\n\n0 0\n.1 .05\n.3 .07\n.5 .06\n.8 .03\n1 0\n\n"
             "0 0\n.1 -.03\n.3 -.04\n.5 -.03\n.8 -.01\n1 0\n");
  ASSERT_EQ(tarvex("convert naca2412.dat -f cef -o section.cef").status, 0);
  const auto run = tarvex("info naca2412.dat three.dat four.dat counted.dat section.cef");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(countOf(run.out, "  layout        two columns\n"), 1);
  EXPECT_EQ(countOf(run.out, "  layout        three columns\n"), 1);
  EXPECT_EQ(countOf(run.out, "  layout        four columns\n"), 1);
  EXPECT_EQ(countOf(run.out, "  layout        counted two columns\n"), 1);
  EXPECT_EQ(countOf(run.out, "  layout        CEF\n"), 1);
  EXPECT_NE(run.out.find("naca2412.dat\n  section       NACA 2412\n"), std::string::npos);
  EXPECT_NE(run.out.find("  points        61\n"), std::string::npos);
  EXPECT_EQ(countOf(run.out, "  Circumference "), 5);
  EXPECT_EQ(countOf(run.out, " [c^4]\n"), 5 * 4);
  EXPECT_EQ(countOf(run.out, "  max thickness "), 5);
  EXPECT_EQ(countOf(run.out, "  LE radius     "), 5);
  EXPECT_NE(run.out.find("  max camber    0.0199"), std::string::npos) << run.out;
}

TEST_F(CliInfo, AFileThatCannotBeReadShowsItsMessageAndFailsTheRun) {
  const auto run = tarvex("info flat.dat naca0012.dat");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("flat.dat\n  error         the points enclose no area\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("  section       NACA 0012\n"), std::string::npos);
}

TEST_F(CliInfo, JsonIsAnArrayWithOneObjectPerFile) {
  if (runCommand(shellQuoted(kSystemPython) + " -c ''") != 0) {
    GTEST_SKIP() << "cannot run " << kSystemPython;
  }
  // A name that needs escaping and bytes that are not UTF-8.
  dir_.write("odd.dat", twoColumnText(nacaSection(12, 21), "Say \"hi\"\\ \xE4\t"));
  const auto run =
      tarvex("info --json naca2412.dat flat.dat odd.dat - ", dir_.file("naca0012.dat"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "tarvex: flat.dat: the points enclose no area\n");
  dir_.write("info.json", run.out);
  const std::string check =
      "import json,sys\n"
      "d=json.load(open(sys.argv[1],encoding='utf-8'))\n"
      "print(len(d))\n"
      "for o in d:\n"
      "  if 'error' in o: print('%s|%d|%s' % (o['file'], o['status'], o['error']))\n"
      "  else: print('%s|%s|%s|%d|%d|%.3f|%.3f|%d|%.3f|%.3f' % (o['file'], o['section'],\n"
      "              o['layout'], o['layoutKind'], o['points'], o['xmin'], o['xmax'],\n"
      "              len(o['properties']), o['properties']['area'],\n"
      "              o['figures']['maxThickness']))\n";
  dir_.write("check.py", check);
  std::string parsed;
  ASSERT_EQ(runCommand(shellQuoted(kSystemPython) + " " + shellQuoted(dir_.file("check.py")) + " " +
                           shellQuoted(dir_.file("info.json")),
                       &parsed),
            0)
      << run.out;
  EXPECT_EQ(parsed,
            "4\n"
            "naca2412.dat|NACA 2412|two columns|1|61|0.000|1.000|10|0.082|0.120\n"
            "flat.dat|5|the points enclose no area\n"
            "odd.dat|Say \"hi\"\\ \xC3\xA4\t|two columns|1|41|0.000|1.000|10|0.081|0.120\n"
            "-|NACA 0012|two columns|1|81|0.000|1.000|10|0.082|0.120\n");
}

TEST_F(CliInfo, FormatsListsTheTable) {
  const auto run = tarvex("formats");
  EXPECT_EQ(run.status, 0);
  const auto lines = splitLines(run.out);
  ASSERT_EQ(lines.size(), 1u + kFormats.size());
  for (const FormatRow& format : kFormats) {
    const std::string& line = lines[static_cast<std::size_t>(format.number)];
    EXPECT_EQ(line.find(std::to_string(format.number)), line.find_first_not_of(' ')) << line;
    EXPECT_NE(line.find(" " + std::string(format.shortName) + " "), std::string::npos) << line;
    EXPECT_NE(line.find(" " + std::string(format.extension) + " "), std::string::npos) << line;
    EXPECT_TRUE(line.ends_with(format.title)) << line;
  }
}

TEST_F(CliInfo, VersionAndHelp) {
  const auto version = tarvex("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "tarvex 1.2.38\n");
  const auto help = tarvex("--help");
  EXPECT_EQ(help.status, 0);
  for (const char* command : {"convert", "info", "formats"}) {
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
  }
  const auto convertHelp = tarvex("convert --help");
  EXPECT_EQ(convertHelp.status, 0);
  for (const char* option :
       {"--format", "--output", "--output-dir", "--no-comments", "--append", "--redistribute",
        "--stations", "--keep-size", "--scale-x", "--scale-y"}) {
    EXPECT_NE(convertHelp.out.find(option), std::string::npos) << option;
  }
  for (const FormatRow& format : kFormats) {
    EXPECT_NE(convertHelp.out.find(std::string(format.shortName)), std::string::npos);
  }
  EXPECT_NE(tarvex("info --help").out.find("--json"), std::string::npos);
  EXPECT_EQ(tarvex("formats --help").status, 0);
}

}  // namespace
}  // namespace tarvex::test
