// Running the console program's batch commands in a fresh folder and
// collecting what they print.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"

namespace tarvex::test {

#if defined(_WIN32)
inline const std::filesystem::path kTarvexProgram =
    std::filesystem::path(TARVEX_BIN_DIR) / "tarvex.exe";
#else
inline const std::filesystem::path kTarvexProgram =
    std::filesystem::path(TARVEX_BIN_DIR) / "tarvex";
#endif

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
  CliRun tarvex(const std::string& arguments, const std::filesystem::path& input = {}) {
#if defined(_WIN32)
    // Without a shell. The messages end their lines in CR LF and name files
    // with the system's \; they are compared here as the same texts with LF
    // and / everywhere.
    const auto words = shellWords(arguments);
    if (!words) {
      ADD_FAILURE() << "needs a shell: " << arguments;
      return {};
    }
    const auto run = runProgram(kTarvexProgram, *words, dir_.path(), input);
    std::string err = run.err;
    std::erase(err, '\r');
    std::replace(err.begin(), err.end(), '\\', '/');
    return {run.status, run.out, err};
#else
    const std::string command = "cd " + shellQuoted(dir_.path()) + " && " +
                                shellQuoted(kTarvexProgram) + " " + arguments + " <" +
                                (input.empty() ? std::string("/dev/null") : shellQuoted(input)) +
                                " 2>" + shellQuoted(dir_.file("stderr.txt"));
    CliRun run;
    run.status = runCommand(command, &run.out);
    run.err = readFile(dir_.file("stderr.txt"));
    return run;
#endif
  }

  // tarvex with the first arguments, its standard output read by tarvex
  // with the second ones.
  CliRun tarvexPiped(const std::string& first, const std::string& second) {
#if defined(_WIN32)
    const CliRun written = tarvex(first);
    TempDir pipe;
    return tarvex(second, pipe.write("pipe", written.out));
#else
    // The fixture's redirections go to the trailing "true".
    return tarvex(first + " | " + shellQuoted(kTarvexProgram) + " " + second + "; true");
#endif
  }

  // Runs of tarvex with each of the argument lines, all started at once,
  // each run's standard error in err.
  std::vector<CliRun> tarvexTogether(const std::vector<std::string>& lines) {
    std::vector<CliRun> runs(lines.size());
#if defined(_WIN32)
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      threads.emplace_back([&, i] { runs[i] = tarvex(lines[i]); });
    }
    for (auto& thread : threads) thread.join();
#else
    TempDir results;
    std::string command = "cd " + shellQuoted(dir_.path()) + " && { ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto result = results.file(std::to_string(i));
      command += "{ " + shellQuoted(kTarvexProgram) + " " + lines[i] + " 2>" + shellQuoted(result) +
                 ".err; echo $? >" + shellQuoted(result) + "; } & ";
    }
    command += "wait; }";
    runCommand(command);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto result = results.file(std::to_string(i));
      const std::string status = readFile(result);
      runs[i].status = status.empty() ? -1 : std::stoi(status);
      runs[i].err = readFile(result.string() + ".err");
    }
#endif
    return runs;
  }

  std::string file(const std::string& name) const { return readFile(dir_.file(name)); }

  TempDir dir_;
};

}  // namespace tarvex::test
