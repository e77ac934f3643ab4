// Running the console program's batch commands in a fresh folder and
// collecting what they print.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace tarvex::test {

inline const std::filesystem::path kTarvexProgram =
    std::filesystem::path(TARVEX_BIN_DIR) / "tarvex";

struct CliRun {
  int status = -1;
  std::string out, err;
};

inline std::string shellQuoted(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

inline int countOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The data lines of an output: every line that is not a comment.
inline std::vector<std::string> dataLines(const std::string& text) {
  std::vector<std::string> lines;
  for (auto& line : splitLines(text)) {
    if (!line.empty() && line[0] != ';') lines.push_back(line);
  }
  return lines;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kTarvexProgram)) {
      GTEST_SKIP() << "no console program at " << kTarvexProgram;
    }
    dir_.write("naca2412.dat", twoColumnText(nacaSection(2412, 31), "NACA 2412"));
    dir_.write("naca0012.dat", twoColumnText(nacaSection(12, 41), "NACA 0012"));
    dir_.write("flat.dat", "FLAT\n1.0 0.0\n0.5 0.0\n0.0 0.0\n0.5 0.0\n1.0 0.0\n");
  }

  // tarvex with the arguments (shell words), run in the test folder; input
  // names a file there for the standard input.
  CliRun tarvex(const std::string& arguments, const std::string& input = "") {
    const std::string command = "cd " + shellQuoted(dir_.path()) + " && " +
                                shellQuoted(kTarvexProgram) + " " + arguments + " <" +
                                (input.empty() ? std::string("/dev/null") : shellQuoted(input)) +
                                " 2>" + shellQuoted(dir_.file("stderr.txt"));
    CliRun run;
    run.status = runCommand(command, &run.out);
    run.err = readFile(dir_.file("stderr.txt"));
    return run;
  }

  std::string file(const std::string& name) const { return readFile(dir_.file(name)); }

  TempDir dir_;
};

}  // namespace tarvex::test
