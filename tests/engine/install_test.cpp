// `cmake --install` of this build into a temporary prefix: every file in its
// standard place, and the installed programs running from there without any
// help from the environment to find their library.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace tarvex::test {
namespace {

namespace fs = std::filesystem;

std::string shellQuoted(const fs::path& path) { return "'" + path.string() + "'"; }

// The folder under the prefix that holds the named file, searched because
// the library folder depends on the platform (lib, lib64, lib/<triplet>).
std::optional<fs::path> findUnder(const fs::path& root, const std::string& name) {
  std::error_code error;
  for (fs::recursive_directory_iterator it(root, error), end; it != end; it.increment(error)) {
    if (error) break;
    if (it->path().filename() == name) return it->path();
  }
  return std::nullopt;
}

class Install : public ::testing::Test {
 protected:
  void SetUp() override {
    build_ = fs::path(TARVEX_BIN_DIR).parent_path();
    if (!fs::exists(build_ / "cmake_install.cmake")) GTEST_SKIP() << "no build folder " << build_;
    if (!findProgram("cmake")) GTEST_SKIP() << "cmake is not on PATH";
    std::string log;
    ASSERT_EQ(runCommand("cmake --install " + shellQuoted(build_) + " --prefix " +
                             shellQuoted(prefix_.path()) + " 2>&1",
                         &log),
              0)
        << log;
  }

  // A command run in a folder of its own, with a clean library path.
  int run(const std::string& command, std::string* output = nullptr) {
    return runCommand("cd " + shellQuoted(work_.path()) + " && env -u LD_LIBRARY_PATH HOME=" +
                          shellQuoted(work_.path()) + " " + command + " 2>&1",
                      output);
  }

  fs::path build_;
  TempDir prefix_, work_;
};

TEST_F(Install, PutsEveryFileInItsStandardPlace) {
  const fs::path& root = prefix_.path();
  EXPECT_TRUE(fs::exists(root / "bin/tarvex"));
  EXPECT_TRUE(fs::exists(root / "include/tarvex.h"));
  EXPECT_TRUE(fs::exists(root / "share/applications/alvane.desktop"));
  EXPECT_TRUE(fs::exists(root / "share/icons/hicolor/scalable/apps/alvane.svg"));
  EXPECT_TRUE(fs::exists(root / "share/doc/tarvex/help/en/index.html"));
  EXPECT_TRUE(fs::exists(root / "share/doc/tarvex/help/de/index.html"));
  // The library under its SONAME, which leads to the versioned file, and
  // the plain name the desktop program asks for.
  const auto soname = findUnder(root, "libtarvex.so.1");
  ASSERT_TRUE(soname) << "no libtarvex.so.1 under " << root;
  EXPECT_TRUE(fs::is_symlink(*soname));
  EXPECT_TRUE(fs::exists(soname->parent_path() / "libtarvex.so.1.2.38"));
  EXPECT_TRUE(fs::exists(soname->parent_path() / "libtarvex.so"));
  if (findProgram("readelf")) {
    std::string dynamic;
    ASSERT_EQ(runCommand("readelf -d " + shellQuoted(*soname), &dynamic), 0);
    EXPECT_NE(dynamic.find("Library soname: [libtarvex.so.1]"), std::string::npos) << dynamic;
  }
  const std::string entry = readFile(root / "share/applications/alvane.desktop");
  EXPECT_NE(entry.find("\nExec=alvane"), std::string::npos);
  EXPECT_NE(entry.find("\nIcon=alvane\n"), std::string::npos);
}

TEST_F(Install, TheInstalledConsoleProgramConverts) {
  const fs::path program = prefix_.path() / "bin/tarvex";
  std::string formats;
  ASSERT_EQ(run(shellQuoted(program) + " formats", &formats), 0) << formats;
  EXPECT_NE(formats.find(" 17   pmarc"), std::string::npos) << formats;

  work_.write("section.dat", twoColumnText(nacaSection(2412, 21), "NACA 2412"));
  std::string log;
  ASSERT_EQ(run(shellQuoted(program) + " convert section.dat -f dxf -o section.dxf", &log), 0)
      << log;
  EXPECT_NE(readFile(work_.file("section.dxf")).find("POLYLINE"), std::string::npos);
  // The dialogue goes through the installed library.
  work_.write("answers.txt", "2\nsection.dat\nsection.cef\n6\n0\n");
  ASSERT_EQ(run(shellQuoted(program) + " < answers.txt", &log), 0) << log;
  EXPECT_NE(readFile(work_.file("section.cef")).find("Points=  41"), std::string::npos);
}

TEST_F(Install, TheInstalledDesktopProgramFindsItsLibrary) {
  const fs::path program = prefix_.path() / "bin/alvane";
  if (!fs::exists(program)) GTEST_SKIP() << "this build has no desktop program";
  if (!findProgram("timeout")) GTEST_SKIP() << "timeout is not on PATH";
  // It stops at once with a message when it cannot bind the library; still
  // running after two seconds means it did.
  std::string log;
  const int status = run("QT_QPA_PLATFORM=offscreen timeout 2 " + shellQuoted(program), &log);
  EXPECT_EQ(status, 124) << log;
}

}  // namespace
}  // namespace tarvex::test
