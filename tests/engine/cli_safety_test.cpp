// What a run leaves behind when things go wrong: outputs that are not
// regular files, failures on the way, concurrent runs, a folder swapped
// under a run, signals, endless inputs and the output of every command on a
// full disk.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "cli_fixture.h"

namespace tarvex::test {
namespace {

namespace fs = std::filesystem;

using CliSafety = CliTest;

std::string temporaryFiles(const fs::path& folder) {
  std::string names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const auto name = entry.path().filename().string();
    if (name.starts_with(".tarvex-")) names += name + " ";
  }
  return names;
}

TEST_F(CliSafety, TheStandardStreamsAreWrittenThroughNotReplaced) {
  TARVEX_SKIP_ON_WINDOWS("/dev/stdout and a shell's redirections");
  dir_.write("log", "KEEP\n");
  ASSERT_EQ(tarvex("convert naca2412.dat -f 1 -o /dev/stdout >> log").status, 0);
  const std::string log = file("log");
  EXPECT_TRUE(log.starts_with("KEEP\n")) << log.substr(0, 40);
  EXPECT_EQ(dataLines(log).size(), 1u + 61);
  ASSERT_EQ(tarvex("convert naca2412.dat -f 1 -o /proc/self/fd/1 >> log").status, 0);
  EXPECT_EQ(dataLines(file("log")).size(), 1u + 2 * 61);
  runCommand("cd " + shellQuoted(dir_.path()) + " && { echo A; " + shellQuoted(kTarvexProgram) +
             " convert naca2412.dat -f 1 -o /dev/stdout; echo B; } > out");
  const std::string out = file("out");
  EXPECT_TRUE(out.starts_with("A\n") && out.ends_with("\nB\n")) << out.size();
}

TEST_F(CliSafety, AFailureLeavesTheOldFileAndCreatesNothing) {
  dir_.write("bad.dat", "not coordinates\n");
  dir_.write("old.geo", "OLD\n");
  EXPECT_EQ(tarvex("convert bad.dat -f 1 -o old.geo").status, 1);
  EXPECT_EQ(file("old.geo"), "OLD\n");
  EXPECT_EQ(tarvex("convert bad.dat -f 1 -o new.geo").status, 1);
  EXPECT_FALSE(fs::exists(dir_.file("new.geo")));
  EXPECT_EQ(temporaryFiles(dir_.path()), "");
}

TEST_F(CliSafety, LinksFileSizeLimitsAndLongNames) {
  TARVEX_SKIP_ON_WINDOWS("symbolic links, ulimit, and names beyond MAX_PATH");
  dir_.write("bad.dat", "not coordinates\n");
  // A link to a missing file: nothing may exist afterwards that did not before.
  fs::create_symlink("missing.geo", dir_.file("link.geo"));
  EXPECT_EQ(tarvex("convert bad.dat -f 1 -o link.geo").status, 1);
  EXPECT_FALSE(fs::exists(dir_.file("missing.geo")));
  ASSERT_EQ(tarvex("convert naca2412.dat -f 1 -o link.geo").status, 0);
  EXPECT_TRUE(fs::is_symlink(dir_.file("link.geo")));
  EXPECT_EQ(dataLines(file("missing.geo")).size(), 61u);
  // A file-size limit stops the write: the old content stays as it was.
  const std::string big = file("naca2412.dat") + std::string(8000, ';') + "\n";
  dir_.write("old.geo", big);
  std::string err;
  EXPECT_EQ(runCommand("cd " + shellQuoted(dir_.path()) + " && (ulimit -f 1; " +
                           shellQuoted(kTarvexProgram) +
                           " convert naca0012.dat --comments -f 1 -o old.geo) 2>&1",
                       &err),
            1);
  EXPECT_NE(err.find("old.geo: File too large"), std::string::npos) << err;
  EXPECT_EQ(file("old.geo"), big);
  EXPECT_EQ(temporaryFiles(dir_.path()), "");
  // A name so long that no name can be built on it still has a temporary file.
  const std::string longName(250, 'n');
  dir_.write(longName, "OLD\n");
  ASSERT_EQ(tarvex("convert naca2412.dat -f 1 -o " + longName).status, 0);
  EXPECT_EQ(dataLines(file(longName)).size(), 61u);
}

TEST_F(CliSafety, ReplacedFilesKeepTheirMode) {
  TARVEX_SKIP_ON_WINDOWS("POSIX permission bits");
  dir_.write("kept.geo", "OLD\n");
  fs::permissions(dir_.file("kept.geo"), fs::perms(0640));
  ASSERT_EQ(tarvex("convert naca2412.dat -f 1 -o kept.geo").status, 0);
  EXPECT_EQ(fs::status(dir_.file("kept.geo")).permissions(), fs::perms(0640));
}

TEST_F(CliSafety, RunsIntoOneFileFollowEachOther) {
  // Two runs appending many sections at once: each run's block stays whole.
  std::string many2412, many0012;
  for (int i = 0; i < 300; ++i) many2412 += " naca2412.dat", many0012 += " naca0012.dat";
  dir_.write("both.geo", "OLD\n");
  const std::string append = " -f 1 --comments --append -q -o both.geo";
  for (const CliRun& run :
       tarvexTogether({"convert" + many2412 + append, "convert" + many0012 + append})) {
    EXPECT_EQ(run.status, 0) << run.err;
  }
  const std::string both = file("both.geo");
  EXPECT_TRUE(both.starts_with("OLD\n"));
  EXPECT_EQ(countOf(both, "; NACA 2412\n"), 300);
  EXPECT_EQ(countOf(both, "; NACA 0012\n"), 300);
  std::string order;
  for (const auto& line : splitLines(both)) {
    if (line == "; NACA 2412" || line == "; NACA 0012") {
      if (order.empty() || order.back() != line[7]) order += line[7];
    }
  }
  EXPECT_TRUE(order == "20" || order == "02") << order;
  // Eight runs each appending one section, as a script's loop started in
  // the background would: none is lost.
  dir_.write("eight.geo", "OLD\n");
  const std::vector<std::string> eight(
      8, "convert naca2412.dat -f 1 --comments --append -o eight.geo");
  for (const CliRun& run : tarvexTogether(eight)) EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(countOf(file("eight.geo"), "; NACA 2412\n"), 8);
  EXPECT_EQ(temporaryFiles(dir_.path()), "");
}

TEST_F(CliSafety, AFolderLinkFlippedDuringTheRunsLeavesEachOutputWholeInOneFolder) {
  TARVEX_SKIP_ON_WINDOWS("symbolic links");
  fs::create_directory(dir_.file("a"));
  fs::create_directory(dir_.file("b"));
  dir_.write("a/out.txt", "; OLD\n");
  fs::create_directory_symlink("a", dir_.file("L"));
  // L always names one of the folders: a new link is renamed over it.
  std::atomic<bool> stop{false};
  std::thread flipper([&] {
    std::error_code ignored;
    for (int i = 0; !stop; ++i) {
      fs::create_directory_symlink(i % 2 ? "a" : "b", dir_.file("L.next"), ignored);
      fs::rename(dir_.file("L.next"), dir_.file("L"), ignored);
      std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
  });
  std::string failures;
  for (int run = 0; run < 30; ++run) {
    const auto result = tarvex(std::string("convert naca2412.dat -f 1 -o L/out.txt") +
                               (run % 3 == 2 ? " --append" : ""));
    if (result.status != 0) failures += result.err;
  }
  stop = true;
  flipper.join();
  EXPECT_EQ(failures, "");
  for (const std::string folder : {"a", "b"}) {
    EXPECT_EQ(temporaryFiles(dir_.file(folder)), "") << folder;
    if (!fs::exists(dir_.file(folder + "/out.txt"))) continue;
    const auto lines = dataLines(file(folder + "/out.txt"));
    EXPECT_TRUE(!lines.empty() && lines.size() % 61 == 0) << folder << ": " << lines.size();
  }
  EXPECT_EQ(temporaryFiles(dir_.path()), "");
}

TEST_F(CliSafety, ASignalEndsTheRunWithoutLeavingTemporaryFiles) {
  TARVEX_SKIP_ON_WINDOWS("SIGTERM sent by kill");
  // A section under 40000 comment lines takes a while, four hundred of them
  // longer than the signal waits.
  std::string comments;
  for (int i = 0; i < 40000; ++i) comments += "remark " + std::to_string(i) + "\n";
  dir_.write("slow.dat", comments + file("naca2412.dat"));
  std::string many;
  for (int i = 0; i < 400; ++i) many += " slow.dat";
  dir_.write("out.geo", "OLD\n");
  std::string status;
  runCommand("cd " + shellQuoted(dir_.path()) + " && { " + shellQuoted(kTarvexProgram) +
                 " convert" + many +
                 " -f 1 --comments -q -o out.geo & sleep 0.2; kill -TERM $!; "
                 "wait $!; echo $?; }",
             &status);
  EXPECT_EQ(status, "143\n");
  EXPECT_EQ(file("out.geo"), "OLD\n");
  EXPECT_EQ(temporaryFiles(dir_.path()), "");
}

TEST_F(CliSafety, EndlessInputsEndWithAMessage) {
  if (!fs::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero";
  const auto file = tarvex("convert /dev/zero -f 1 -o zero.geo");
  EXPECT_EQ(file.status, 1);
  EXPECT_NE(file.err.find("without a line end"), std::string::npos) << file.err;
  const auto stream = tarvex("convert - -f 1 -o zero.geo", "/dev/zero");
  EXPECT_NE(stream.err.find("<stdin>: more than 1 MiB without a line end"), std::string::npos)
      << stream.err;
  EXPECT_FALSE(fs::exists(dir_.file("zero.geo")));
  // The dialogue fed zeros ends as well.
  EXPECT_EQ(tarvex("", "/dev/zero").status, 0);
}

TEST_F(CliSafety, EveryCommandReportsAFullOrClosedOutput) {
  TARVEX_SKIP_ON_WINDOWS("a shell's redirections to /dev/full and of a closed stream");
  for (const std::string command :
       {"info naca2412.dat", "formats", "--help", "convert --help", "convert naca2412.dat -f 1"}) {
    for (const std::string redirect : {" > /dev/full", " >&-"}) {
      const auto run = tarvex(command + redirect);
      EXPECT_NE(run.status, 0) << command << redirect;
      EXPECT_NE(run.err.find("<stdout>"), std::string::npos) << command << redirect << run.err;
    }
  }
}

TEST_F(CliSafety, UnreadableInputsSayWhy) {
  dir_.write("empty.dat", "");
  dir_.write("utf16.dat", std::string("\xFF\xFE"
                                      "1\0 \0"
                                      "0\0\n\0",
                                      10));
  dir_.write("mac.dat", "NAME\r1 0\r0 0\r1 0.1\r");
  dir_.write("overflow.dat", "NAME\n0.5 50000000000000000000000000000000000000000\n");
  const auto run = tarvex("convert empty.dat utf16.dat mac.dat overflow.dat -f 1 -o x.geo");
  EXPECT_NE(run.err.find("empty.dat: the input is empty"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("utf16.dat: no line of coordinates found (it holds NUL bytes"),
            std::string::npos);
  EXPECT_NE(run.err.find("mac.dat: no line of coordinates found (its lines end in a carriage "
                         "return only"),
            std::string::npos);
  // A number beyond the float range is not taken for 0: the line is no point.
  EXPECT_NE(run.err.find("overflow.dat: line 2 \"0.5 5000"), std::string::npos);
}

// A line end or an escape sequence in a file name must not reach the
// terminal or forge a message line, whoever composes the message.
TEST_F(CliSafety, NamesWithControlCharactersAreQuotedInMessages) {
  TARVEX_SKIP_ON_WINDOWS("file names cannot hold control characters there");
  dir_.write("a\nb.dat", file("naca2412.dat"));
  dir_.write("\033[31mred.dat", file("flat.dat"));
  fs::create_directory(dir_.file("d\001ir"));
  const auto run = tarvex("convert a?b.dat *red.dat d?ir naca0012.dat -f 1 -v -d out");
  EXPECT_EQ(run.err,
            "tarvex: 'a\\nb.dat' -> 'out/a\\nb.geo'\n"
            "tarvex: '\\033[31mred.dat': the points enclose no area\n"
            "tarvex: 'd\\001ir': Is a directory\n"
            "tarvex: naca0012.dat -> out/naca0012.geo\n"
            "2 converted, 2 failed\n");
  EXPECT_TRUE(tarvex("info *red.dat").out.starts_with("'\\033[31mred.dat'\n"));
}

}  // namespace
}  // namespace tarvex::test
