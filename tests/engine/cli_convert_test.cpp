// The batch command line: `tarvex convert` with its options, several inputs,
// the standard streams and failed files among good ones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli_fixture.h"
#include "tarvex_formats.hpp"

namespace tarvex::test {
namespace {

namespace fs = std::filesystem;

using CliConvert = CliTest;

TEST_F(CliConvert, FormatsByNumberAndByShortNameGiveTheSameFile) {
  for (const FormatRow& format : kFormats) {
    const std::string byNumber = "n" + std::to_string(format.number) + ".out";
    const std::string byName = "s" + std::to_string(format.number) + ".out";
    ASSERT_EQ(tarvex("convert naca2412.dat --no-comments -f " + std::to_string(format.number) +
                     " -o " + byNumber)
                  .status,
              0);
    ASSERT_EQ(tarvex("convert naca2412.dat --no-comments -f " + std::string(format.shortName) +
                     " -o " + byName)
                  .status,
              0);
    EXPECT_FALSE(file(byNumber).empty()) << format.shortName;
    EXPECT_EQ(file(byNumber), file(byName)) << format.shortName;
  }
  // Case does not matter in a name; 0, a number past the table and unknown
  // names are usage errors.
  EXPECT_EQ(tarvex("convert naca2412.dat -f DXF -o upper.dxf").status, 0);
  for (const std::string& bad :
       std::vector<std::string>{"0", std::to_string(kFormats.size() + 1), "-1", "dxff", "1.0"}) {
    const auto run = tarvex("convert naca2412.dat -f " + bad + " -o bad.out");
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_NE(run.err.find("unknown format"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir_.file("bad.out")));
  }
}

TEST_F(CliConvert, DrawingOptionsTakeLengthsWithUnits) {
  for (const auto& [chord, width] :
       {std::pair{"10in", "264.0000mm"}, std::pair{"0.3m", "310.0000mm"},
        std::pair{"25cm", "260.0000mm"}, std::pair{"80", "90.0000mm"}}) {
    ASSERT_EQ(
        tarvex(std::string("convert naca2412.dat -f svg --label --chord ") + chord + " -o naca.svg")
            .status,
        0);
    EXPECT_NE(file("naca.svg").find(std::string("width=\"") + width + "\""), std::string::npos)
        << chord;
  }
  ASSERT_EQ(tarvex("convert naca2412.dat -f gmsh --farfield 15 --mesh-size 0.05 --spline -o n.geo")
                .status,
            0);
  EXPECT_NE(file("n.geo").find("h = 0.05000000;"), std::string::npos);
  EXPECT_NE(file("n.geo").find("Physical Curve(\"farfield\")"), std::string::npos);
  // Usage errors name the option and what it takes; nothing is written.
  for (const std::string bad : {"--chord 25furlongs", "--chord -3mm", "--skin mm", "--stroke 0",
                                "--farfield 0.5", "--mesh-size 2", "--keep-size --chord 10in"}) {
    const auto run = tarvex("convert naca2412.dat -f svg -o bad.svg " + bad);
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_NE(run.err.find(bad.substr(0, bad.find(' '))), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir_.file("bad.svg")));
  }
  // A skin the section cannot hold fails that file with the reason.
  const auto thick = tarvex("convert naca2412.dat -f svg --skin 8mm -o thick.svg");
  EXPECT_EQ(thick.status, 1);
  EXPECT_NE(thick.err.find("no rib inside a skin of 8 mm"), std::string::npos) << thick.err;
}

TEST_F(CliConvert, SeveralInputsGoIntoTheFolderUnderTheirOwnNames) {
  const auto run = tarvex("convert naca2412.dat naca0012.dat -f cef -d out/cef");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "2 converted, 0 failed\n");
  EXPECT_EQ(run.out, "");
  const std::string first = file("out/cef/naca2412.cef");
  EXPECT_NE(first.find("Points=  61"), std::string::npos);
  EXPECT_NE(file("out/cef/naca0012.cef").find("Points=  81"), std::string::npos);
  // The same as one conversion on its own.
  ASSERT_EQ(tarvex("convert naca2412.dat -f 6 -o single.cef").status, 0);
  EXPECT_EQ(dataLines(first), dataLines(file("single.cef")));
}

TEST_F(CliConvert, AFailedFileIsReportedAndTheOthersAreStillConverted) {
  const auto run = tarvex("convert naca2412.dat flat.dat missing.dat naca0012.dat -f 1 -d out");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "tarvex: flat.dat: the points enclose no area\n"
            "tarvex: missing.dat: No such file or directory\n"
            "2 converted, 2 failed\n");
  EXPECT_TRUE(fs::exists(dir_.file("out/naca2412.geo")));
  EXPECT_TRUE(fs::exists(dir_.file("out/naca0012.geo")));
  EXPECT_FALSE(fs::exists(dir_.file("out/flat.geo")));

  // The engine's reasons; an output's failure names the output. One input
  // gets no summary line.
  dir_.write("many.dat", twoColumnText(nacaSection(12, 600)));
  const auto tooMany = tarvex("convert many.dat -f 1 -o many.geo");
  EXPECT_EQ(tooMany.err,
            "tarvex: many.dat: more than 999 points, the most that can be read in this layout\n");
  const auto unwritable = tarvex("convert naca2412.dat -f 1 -o no/such/folder/x.geo");
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "tarvex: no/such/folder/x.geo: No such file or directory\n");
}

TEST_F(CliConvert, StandardInputToStandardOutput) {
  const auto piped = tarvex("convert - -f xyy --no-comments", dir_.file("naca2412.dat").string());
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.err, "");
  ASSERT_EQ(tarvex("convert naca2412.dat -f xyy --no-comments -o named.txt").status, 0);
  EXPECT_EQ(piped.out, file("named.txt"));
  // -o - is the same; the standard input named twice is read once.
  const auto twice =
      tarvex("convert - - -f 1 --no-comments -o -", dir_.file("naca2412.dat").string());
  EXPECT_EQ(twice.err, "2 converted, 0 failed\n");
  EXPECT_EQ(dataLines(twice.out).size(), 2u * 61);
  // Into a folder it is named after the stream.
  EXPECT_EQ(tarvex("convert - -f xml -d out", dir_.file("naca0012.dat").string()).status, 0);
  EXPECT_TRUE(fs::exists(dir_.file("out/stdin.xml")));
}

TEST_F(CliConvert, SeveralInputsIntoOneFileReplaceItOnceThenAppend) {
  dir_.write("all.geo", "OLD CONTENT\n");
  ASSERT_EQ(tarvex("convert naca2412.dat naca0012.dat -f 1 --no-comments -o all.geo").status, 0);
  const std::string both = file("all.geo");
  EXPECT_EQ(both.find("OLD CONTENT"), std::string::npos);
  EXPECT_EQ(dataLines(both).size(), 61u + 81);
  // A failed first file does not make the next one append to the old content.
  dir_.write("all.geo", "OLD CONTENT\n");
  EXPECT_EQ(tarvex("convert flat.dat naca2412.dat -f 1 --no-comments -o all.geo").status, 1);
  EXPECT_EQ(file("all.geo").find("OLD CONTENT"), std::string::npos);
  // --append keeps what was there.
  dir_.write("all.geo", "OLD CONTENT\n");
  ASSERT_EQ(tarvex("convert naca2412.dat -f 1 --no-comments --append -o all.geo").status, 0);
  EXPECT_EQ(file("all.geo").rfind("OLD CONTENT\n", 0), 0u);
  EXPECT_EQ(dataLines(file("all.geo")).size(), 1u + 61);
}

TEST_F(CliConvert, AnOutputNeverReplacesAnInput) {
  const std::string before = file("naca2412.dat");
  const auto same = tarvex("convert naca0012.dat ./naca2412.dat -f 1 -o naca2412.dat");
  EXPECT_EQ(same.status, 1);
  EXPECT_EQ(same.err, "tarvex: naca2412.dat: is the input file\n");
  EXPECT_EQ(file("naca2412.dat"), before);
  // Into a folder: refused however the input is named.
  fs::create_hard_link(dir_.file("naca2412.dat"), dir_.file("alias.geo"));
  const auto alias = tarvex("convert alias.geo -f 1 -d . --append");
  EXPECT_EQ(alias.err, "tarvex: ./alias.geo: is the input file\n");
  EXPECT_EQ(file("naca2412.dat"), before);
  // Two inputs of the same name into one folder: the second is refused.
  fs::create_directories(dir_.file("other"));
  fs::copy_file(dir_.file("naca0012.dat"), dir_.file("other/naca2412.dat"));
  const auto clash = tarvex("convert naca2412.dat other/naca2412.dat -f 1 -d out");
  EXPECT_EQ(clash.status, 1);
  EXPECT_NE(clash.err.find("tarvex: other/naca2412.dat: out/naca2412.geo was already written"),
            std::string::npos);
  EXPECT_EQ(dataLines(file("out/naca2412.geo")).size(), 61u);
}

TEST_F(CliConvert, CommentsOnlyWhenAsked) {
  ASSERT_EQ(tarvex("convert naca2412.dat -f 5 --comments -o with.epp").status, 0);
  ASSERT_EQ(tarvex("convert naca2412.dat -f 5 -o without.epp").status, 0);
  EXPECT_NE(file("with.epp").find("; NACA 2412"), std::string::npos);
  EXPECT_EQ(file("without.epp").find(';'), std::string::npos);
  EXPECT_EQ(dataLines(file("with.epp")), dataLines(file("without.epp")));
}

TEST_F(CliConvert, StationsAndRedistribution) {
  const auto redistributed =
      tarvex("convert naca2412.dat -f 1 --no-comments --redistribute --stations 0/0.25,0.5/0.75/1");
  EXPECT_EQ(redistributed.status, 0) << redistributed.err;
  EXPECT_EQ(dataLines(redistributed.out).size(), 9u);  // 5 stations on each surface
  // The stations imply the redistribution; a list in per cent means the same.
  EXPECT_EQ(tarvex("convert naca2412.dat -f 1 --stations 0,25,50,75,100").out, redistributed.out);
  for (const std::string bad : {"0/x", "0//1", "''", "0/nan", "1/0.5/0", "0/0/0", "0.5"}) {
    const auto run = tarvex("convert naca2412.dat -f 1 --stations " + bad + " -o bad.geo");
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_FALSE(fs::exists(dir_.file("bad.geo")));
  }
  std::string many = "0";
  for (int i = 1; i <= 1000; ++i) many += "/" + std::to_string(i / 1000.0);
  EXPECT_EQ(tarvex("convert naca2412.dat -f 1 --stations " + many).status, 2);
}

TEST_F(CliConvert, KeepSizeAndScaleFactors) {
  dir_.write("big.dat", "BIG\n120 3\n70 9\n20 3\n70 -3\n120 3\n");
  const auto kept = dataLines(tarvex("convert big.dat -f 1 --no-comments --keep-size").out);
  ASSERT_EQ(kept.size(), 5u);
  EXPECT_EQ(kept[0], "         120.00000000          0.00000000");
  EXPECT_EQ(kept[1], "          70.00000000          6.00000000");  // y from the mean end y
  EXPECT_EQ(kept[2], "          20.00000000          0.00000000");
  const auto scaled =
      dataLines(tarvex("convert big.dat -f 1 --no-comments --scale-x 2 --scale-y=-0.5").out);
  ASSERT_EQ(scaled.size(), 5u);
  EXPECT_EQ(scaled[0], "           2.00000000          0.00000000");
  EXPECT_EQ(scaled[1], "           1.00000000         -0.03000000");
  EXPECT_EQ(tarvex("convert big.dat -f 1 --scale-x abc").status, 2);
  EXPECT_EQ(tarvex("convert big.dat -f 1 --scale-y inf").status, 2);
}

TEST_F(CliConvert, QuietVerboseAndNoClobber) {
  const auto verbose = tarvex("convert naca2412.dat -f 1 -d out -v");
  EXPECT_EQ(verbose.err, "tarvex: naca2412.dat -> out/naca2412.geo\n1 converted, 0 failed\n");
  EXPECT_EQ(tarvex("convert naca2412.dat flat.dat -f 1 -d out -q").err,
            "tarvex: flat.dat: the points enclose no area\n");
  // Existing outputs are left alone, and that is reported.
  dir_.write("out/naca0012.geo", "MINE\n");
  const auto kept = tarvex("convert naca2412.dat naca0012.dat -f 1 -d out -n");
  EXPECT_EQ(kept.status, 1);
  EXPECT_NE(kept.err.find("out/naca0012.geo: exists, left alone"), std::string::npos) << kept.err;
  EXPECT_EQ(file("out/naca0012.geo"), "MINE\n");
  EXPECT_NE(kept.err.find("0 converted, 0 failed, 2 left alone"), std::string::npos);
  EXPECT_EQ(tarvex("convert naca2412.dat -f 1 -o out/naca0012.geo --no-clobber").status, 1);
  EXPECT_EQ(file("out/naca0012.geo"), "MINE\n");
}

TEST_F(CliConvert, AMissingCommandIsNamed) {
  const auto file = tarvex("naca2412.dat naca0012.dat");
  EXPECT_EQ(file.status, 2);
  EXPECT_NE(file.err.find("tarvex convert naca2412.dat ... -f FORMAT"), std::string::npos)
      << file.err;
  const auto unknown = tarvex("cnvert naca2412.dat");
  EXPECT_NE(unknown.err.find("the commands are convert, naca, info, formats and ribs"),
            std::string::npos);
  EXPECT_NE(tarvex("--json").err.find("tarvex"), std::string::npos);
}

TEST_F(CliConvert, ATerminalShowsLatin1AsUtf8) {
  if (!findProgram("script")) GTEST_SKIP() << "no script program for a terminal";
  dir_.write("umlaut.dat", twoColumnText(nacaSection(12, 21),
                                         "Fl\xE4"
                                         "che"));
  std::string shown;
  runCommand("cd " + shellQuoted(dir_.path()) + " && script -qec \"" + kTarvexProgram.string() +
                 " info umlaut.dat\" /dev/null",
             &shown);
  EXPECT_NE(shown.find("Fl\xC3\xA4"
                       "che"),
            std::string::npos)
      << shown;
  EXPECT_NE(tarvex("info umlaut.dat")
                .out.find("Fl\xE4"
                          "che"),
            std::string::npos);
}

// Names as users type them: letters beyond ASCII are kept (on Windows
// through the system's UTF-16 names), and a path from the root (the source
// folder's, here and under Wine) is a file, not an option (Windows programs
// often take /x for one).
TEST_F(CliConvert, NamesBeyondAsciiAndFromTheRoot) {
  dir_.write("\xC3\xA9t\xC3\xA9.dat", file("naca2412.dat"));  // "été.dat" in UTF-8
  const auto run = tarvex("convert \xC3\xA9t\xC3\xA9.dat -f 1 -o \xC3\xBC.geo");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(dataLines(file("\xC3\xBC.geo")).size(), 61u);
  const auto folder = tarvex("convert \xC3\xA9t\xC3\xA9.dat -f xml -d \xC3\xB6rter -v");
  EXPECT_EQ(folder.err,
            "tarvex: \xC3\xA9t\xC3\xA9.dat -> \xC3\xB6rter/\xC3\xA9t\xC3\xA9.xml\n"
            "1 converted, 0 failed\n");
  EXPECT_TRUE(fs::exists(dir_.file("\xC3\xB6rter/\xC3\xA9t\xC3\xA9.xml")));
  const auto fromRoot =
      tarvex("convert '" TARVEX_SOURCE_DIR "/resources/samples/naca2412.dat' -f 1 -o rooted.geo");
  EXPECT_EQ(fromRoot.status, 0) << fromRoot.err;
  EXPECT_FALSE(dataLines(file("rooted.geo")).empty());
}

TEST_F(CliConvert, UsageErrors) {
  EXPECT_EQ(tarvex("convert naca2412.dat -f 1 -o a.geo -d out").status, 2);
  EXPECT_EQ(tarvex("convert naca2412.dat").status, 2);  // no format
  EXPECT_EQ(tarvex("convert -f 1").status, 2);          // no input
  EXPECT_EQ(tarvex("transmogrify naca2412.dat").status, 2);
  EXPECT_FALSE(fs::exists(dir_.file("a.geo")));
}

}  // namespace
}  // namespace tarvex::test
