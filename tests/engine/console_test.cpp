// The console dialogue as a user meets it: the program run with its answers
// through a pipe and through a pseudo-terminal.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace tarvex::test {
namespace {

namespace fs = std::filesystem;

#if defined(_WIN32)
const fs::path kProgram = fs::path(TARVEX_BIN_DIR) / "tarvex.exe";
#else
const fs::path kProgram = fs::path(TARVEX_BIN_DIR) / "tarvex";
#endif

const std::string kLanguagePrompt = " Deutsch [1]  or English [2] ?  > ";
const std::string kEnglishMenuEnd = " (17) PMARC/CMARC Format\n\n (0)  Exit\n";
const std::string kGermanMenuEnd = " (17) PMARC/CMARC Format\n\n (0) Ende\n";

#if !defined(_WIN32)
std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }
#endif

int countOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

std::string sectionText(int points) {
  std::vector<Point> section = nacaSection(12, (points + 1) / 2);
  section.resize(static_cast<std::size_t>(points), section.back());
  return twoColumnText(section, "NACA 0012");
}

// A folder with an input file, in which the program is run.
class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kProgram)) GTEST_SKIP() << "no console program at " << kProgram;
    dir_.write("in.dat", sectionText(61));
  }

  // The program's terminal output for the answers given on its input.
  std::string runWithAnswers(const std::string& answers, int* exitStatus = nullptr) {
    const auto answerFile = dir_.write("answers.txt", answers);
#if defined(_WIN32)
    auto run = runProgram(kProgram, {}, dir_.path(), answerFile, true);
    // The console's text ends its lines in CR LF on Windows.
    std::erase(run.out, '\r');
    if (exitStatus != nullptr) *exitStatus = run.status;
    return run.out;
#else
    std::string output;
    const int status = runCommand("cd " + quoted(dir_.path()) + " && " + quoted(kProgram) + " < " +
                                      quoted(answerFile) + " 2>&1",
                                  &output);
    if (exitStatus != nullptr) *exitStatus = status;
    return output;
#endif
  }

  std::string outputFile() const { return readFile(dir_.file("out.txt")); }

  // What the engine writes for the formats in turn, the later ones appended.
  std::string expectedOutput(std::initializer_list<int> formats) const {
    const auto target = dir_.file("expected.txt");
    std::vector<float> x(1000), y(1000);
    bool append = false;
    for (const int format : formats) {
      const auto result = INORM(dir_.file("in.dat").string(), target.string(), x, y,
                                {.format = format, .append = append});
      EXPECT_EQ(result.status, kDone) << format;
      append = true;
    }
    return readFile(target);
  }

  TempDir dir_;
};

TEST_F(ConsoleTest, EnglishRunCollectsTwoFormatsInOneFile) {
  int status = -1;
  const auto terminal = runWithAnswers("2\nin.dat\nout.txt\n1\n6\n0\n", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(terminal.rfind(kLanguagePrompt + " Input file name with coordinates ?\n"
                                             " output file name with coordinates ?\n"
                                             " Select output format:\n"
                                             " (1)  two columns, TE -> upper surface -> LE"
                                             " -> lower surface -> TE\n",
                           0),
            0u)
      << terminal;
  EXPECT_EQ(countOf(terminal, " Select output format:\n"), 3);
  EXPECT_NE(terminal.find(" (11) AutoCad DXF format\n\n (12) Rhinoceros"), std::string::npos);
  EXPECT_TRUE(terminal.ends_with(kEnglishMenuEnd)) << terminal;  // no message after 0

  const auto written = outputFile();
  EXPECT_EQ(written, expectedOutput({1, 6}));
  const auto cef = written.find("\n[Airfoil]\n");
  ASSERT_NE(cef, std::string::npos);
  EXPECT_NE(written.rfind("           1.00000000", cef), std::string::npos);  // format 1 first
}

TEST_F(ConsoleTest, GermanRunShowsTheGermanTextsInUtf8) {
  const auto terminal = runWithAnswers("1\nin.dat\nout.txt\n-1\n0\n");
  EXPECT_NE(terminal.find(" Name der Eingabedatei mit den Koordinaten ?\n"
                          " Name der Ausgabedatei f\xC3\xBCr die Koordinaten ?\n"
                          " Welches Ausgabeformat ?\n"
                          " (1)  zweispaltig, Endkante -> Oberseite  -> Nase"
                          " -> Unterseite -> Endkante\n"),
            std::string::npos)
      << terminal;
  // The German menu has no empty line after entry 11.
  EXPECT_NE(terminal.find(" (11) AutoCad DXF Format\n (12) Rhinoceros"), std::string::npos);
  EXPECT_TRUE(terminal.ends_with(kGermanMenuEnd));
  // A negative number is the format without comments.
  EXPECT_EQ(outputFile(), expectedOutput({-1}));
}

TEST_F(ConsoleTest, OnlyTheAnswerOneSelectsGerman) {
  for (const std::string answer : {"2", "0", "9", "deutsch", "", "  1.5", "-1"}) {
    const auto terminal = runWithAnswers(answer + "\nin.dat\nout.txt\n0\n");
    EXPECT_NE(terminal.find(" Input file name with coordinates ?"), std::string::npos) << answer;
  }
  for (const std::string answer : {"1", "  +1", "1,2", "01 x"}) {
    const auto terminal = runWithAnswers(answer + "\nin.dat\nout.txt\n0\n");
    EXPECT_NE(terminal.find(" Name der Eingabedatei"), std::string::npos) << answer;
  }
}

TEST_F(ConsoleTest, AFormatAnswerThatIsNoNumberShowsTheMenuAgain) {
  const auto terminal = runWithAnswers("2\nin.dat\nout.txt\nsix\n1x\n   6\n0\n");
  EXPECT_EQ(countOf(terminal, " Select output format:\n"), 4);
  EXPECT_NE(outputFile().find("[Airfoil]"), std::string::npos);
  // The field is ten columns wide, blanks do not count, a blank field is 0.
  runWithAnswers("2\nin.dat\nout.txt\n 1 3\n\n");
  EXPECT_NE(outputFile().find("<?xml"), std::string::npos);
  fs::remove(dir_.file("out.txt"));
  EXPECT_EQ(countOf(runWithAnswers("2\nin.dat\nout.txt\n          5\n"), " Select output format:"),
            1);
  EXPECT_FALSE(fs::exists(dir_.file("out.txt")));
}

TEST_F(ConsoleTest, ExitAtTheFirstMenuTouchesNoFile) {
  EXPECT_TRUE(runWithAnswers("2\nin.dat\nout.txt\n0\n").ends_with(kEnglishMenuEnd));
  EXPECT_FALSE(fs::exists(dir_.file("out.txt")));
  // Without any answer the prompt's line is ended and nothing more shown.
  EXPECT_EQ(runWithAnswers(""), kLanguagePrompt + "\n");
}

TEST_F(ConsoleTest, AMissingInputFileIsNamedBetweenTheQuoteLines) {
  const auto terminal = runWithAnswers("2\nno such file.dat   \nout.txt\n1\n");
  EXPECT_TRUE(terminal.ends_with(kEnglishMenuEnd + " *** Cannot open file\n"
                                                   " \"no such file.dat\n"
                                                   " \"\n"
                                                   " .\n"))
      << terminal;
  EXPECT_FALSE(fs::exists(dir_.file("out.txt")));

  const auto german = runWithAnswers("1\nfehlt.dat\nout.txt\n1\n");
  EXPECT_TRUE(german.ends_with(kGermanMenuEnd + " *** Die Datei\n"
                                                " \"fehlt.dat\n"
                                                " \"\n"
                                                " kann nicht ge\xC3\xB6"
                                                "ffnet werden.\n"))
      << german;
}

// A name is shown quoted when it holds a control character, and a zero byte
// does not cut it short to the name of another file.
TEST_F(ConsoleTest, NamesWithControlCharactersAreQuotedAndNeverCut) {
  EXPECT_TRUE(runWithAnswers("2\nno\033[2Jfile.dat\nout.txt\n1\n")
                  .ends_with(" *** Cannot open file\n \"'no\\033[2Jfile.dat'\n \"\n .\n"));
  EXPECT_TRUE(runWithAnswers(std::string("2\nin.dat\0junk\nout.txt\n1\n", 24))
                  .ends_with(" *** Cannot open file\n \"'in.dat\\000junk'\n \"\n .\n"));
  EXPECT_FALSE(fs::exists(dir_.file("out.txt")));
}

TEST_F(ConsoleTest, AnOutputThatCannotBeWrittenIsNamedToo) {
  const auto terminal = runWithAnswers("2\nin.dat\nno/such/folder/out.txt\n1\n");
  EXPECT_TRUE(terminal.ends_with(" *** Cannot open file\n \"no/such/folder/out.txt\n \"\n .\n"))
      << terminal;
}

TEST_F(ConsoleTest, TooManyPointsNamesTheCapacity) {
  dir_.write("big.dat", sectionText(1000));
  const auto terminal = runWithAnswers("2\nbig.dat\nout.txt\n1\n");
  EXPECT_TRUE(
      terminal.ends_with(" Too many coordinates in input file,\n"
                         " the maximum is1000 points.\n"))
      << terminal;
  const auto german = runWithAnswers("1\nbig.dat\nout.txt\n1\n");
  EXPECT_TRUE(
      german.ends_with(" Zu viele Koordinaten in der Eingabedatei,\n"
                       " maximal sind1000 Punkte m\xC3\xB6glich.\n"))
      << german;
  // One point fewer still fits.
  dir_.write("fits.dat", sectionText(999));
  EXPECT_TRUE(runWithAnswers("2\nfits.dat\nout.txt\n1\n0\n").ends_with(kEnglishMenuEnd));
}

TEST_F(ConsoleTest, AFlatSectionEndsWithTheNoAreaMessage) {
  dir_.write("flat.dat", "1 0\n0.5 0\n0 0\n0.5 0\n1 0\n");
  EXPECT_TRUE(runWithAnswers("2\nflat.dat\nout.txt\n1\n")
                  .ends_with(" The coordinates make no closed area.\n"));
  EXPECT_TRUE(runWithAnswers("1\nflat.dat\nout.txt\n1\n")
                  .ends_with(" Koordinaten schlie\xC3\x9F"
                             "en *keine* Fl\xC3\xA4"
                             "che ein.\n"));
}

TEST_F(ConsoleTest, TheInputIsNeverTheOutput) {
  dir_.write("self.dat", sectionText(41));
  const std::string before = readFile(dir_.file("self.dat"));
  EXPECT_TRUE(runWithAnswers("2\nself.dat\n./self.dat\n1\n")
                  .ends_with(" *** The input and the output file are the same file.\n"));
  EXPECT_TRUE(runWithAnswers("1\nself.dat\nself.dat\n1\n")
                  .ends_with(" *** Eingabe- und Ausgabedatei sind dieselbe Datei.\n"));
  EXPECT_EQ(readFile(dir_.file("self.dat")), before);
}

TEST_F(ConsoleTest, AFailedLaterConversionEndsTheRunAndKeepsTheEarlierOnes) {
  // The contour starts at its leading edge: the same-x preparation of the
  // three-column formats cannot split it.
  dir_.write("odd.dat", "0 0\n0.5 -0.05\n1 0\n0.5 0.05\n");
  runWithAnswers("2\nodd.dat\nout.txt\n-1\n0\n");
  const auto first = outputFile();
  ASSERT_FALSE(first.empty());
  const auto terminal = runWithAnswers("2\nodd.dat\nout.txt\n-1\n3\n6\n");
  EXPECT_TRUE(terminal.ends_with(kEnglishMenuEnd + " Three column output not possible, because"
                                                   " X-upper and X-lower are not identical.\n"))
      << terminal;
  EXPECT_EQ(countOf(terminal, " Select output format:"), 2);  // 6 is never asked for
  EXPECT_EQ(outputFile(), first);
  EXPECT_TRUE(runWithAnswers("1\nodd.dat\nout.txt\n4\n")
                  .ends_with(" Ausgabe im dreispaltigem Format nicht m\xC3\xB6glich,"
                             " X-Oben und X-Unten stimmen nicht \xC3\xBC"
                             "berein.\n"));
  // A format number outside the table writes no points and is no failure.
  EXPECT_EQ(countOf(runWithAnswers("2\nin.dat\nout.txt\n-99\n0\n"), " Select output format:"), 2);
}

TEST_F(ConsoleTest, AWriteFailureHasItsMessage) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to fill";
  EXPECT_TRUE(runWithAnswers("2\nin.dat\n/dev/full\n1\n")
                  .ends_with(kEnglishMenuEnd + " Error while writing output file.\n"));
  EXPECT_TRUE(runWithAnswers("1\nin.dat\n/dev/full\n1\n")
                  .ends_with(kGermanMenuEnd + " Fehler beim Schreiben der Ausgabedatei.\n"));
}

using Dialogue = std::vector<std::pair<std::string, std::string>>;  // question, answer

#if defined(_WIN32)
int converse(const fs::path&, const Dialogue&, bool, std::string&) { return -1; }
#else
// A session on a pseudo-terminal: answers are typed only once the question
// has been shown, as a user would.
class TerminalSession {
 public:
  explicit TerminalSession(const fs::path& dir) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    const std::string slaveName = ptsname(master_);
    const int slave = open(slaveName.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0) return;
    termios modes{};
    tcgetattr(slave, &modes);
    modes.c_lflag &= ~static_cast<tcflag_t>(ECHO);  // the answers are not the program's output
    tcsetattr(slave, TCSANOW, &modes);
    child_ = fork();
    if (child_ == 0) {
      setsid();
      const int terminal = open(slaveName.c_str(), O_RDWR);
      dup2(terminal, 0);
      dup2(terminal, 1);
      dup2(terminal, 2);
      close(master_);
      if (chdir(dir.c_str()) == 0) execl(kProgram.c_str(), kProgram.c_str(), nullptr);
      _exit(127);
    }
    close(slave);
  }

  ~TerminalSession() {
    if (child_ > 0) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }

  bool started() const { return child_ > 0; }

  // Waits until the text has appeared after what was waited for before.
  bool waitFor(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
      const auto at = output_.find(text, seen_);
      if (at != std::string::npos) {
        seen_ = at + text.size();
        return true;
      }
      if (!readMore(deadline)) return false;
    }
  }

  void type(const std::string& text) {
    if (write(master_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
      ADD_FAILURE() << "could not type " << text;
    }
  }
  void endInput() { type("\x04"); }  // Ctrl-D at the start of a line

  // Everything the program showed, line ends as "\n", and its exit status.
  int finish(std::string& shown) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (readMore(deadline)) {
    }
    int status = -1;
    if (waitpid(child_, &status, 0) == child_) child_ = -1;
    std::erase(output_, '\r');
    shown = output_;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  // False at the program's end (the terminal closes) or at the deadline.
  bool readMore(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd wanted{master_, POLLIN, 0};
    if (poll(&wanted, 1, static_cast<int>(left.count())) <= 0) return false;
    char buffer[4096];
    const auto got = read(master_, buffer, sizeof buffer);
    if (got <= 0) return false;
    output_.append(buffer, static_cast<std::size_t>(got));
    return true;
  }

  int master_ = -1;
  pid_t child_ = -1;
  std::string output_;
  std::size_t seen_ = 0;
};

// Types each answer once its question has been shown, then, when asked,
// ends the input (Ctrl-D); returns the exit status and what was shown.
int converse(const fs::path& dir, const Dialogue& dialogue, bool endInput, std::string& shown) {
  TerminalSession session(dir);
  if (!session.started()) return -1;
  for (const auto& [question, answer] : dialogue) {
    if (!session.waitFor(question)) return -1;
    session.type(answer);
  }
  if (endInput) session.endInput();
  return session.finish(shown);
}
#endif

const Dialogue kEnglishSession = {{kLanguagePrompt, "2\n"},
                                  {" Input file name with coordinates ?", "in.dat\n"},
                                  {" output file name with coordinates ?", "out.txt\n"},
                                  {" (0)  Exit", "1\n"},
                                  {" (0)  Exit", "6\n"},
                                  {" (0)  Exit", "0\n"}};

TEST_F(ConsoleTest, AnInteractiveSessionAsksBeforeEachAnswer) {
  TARVEX_SKIP_ON_WINDOWS("a pseudo-terminal to type into");
  // The language question is shown before its answer although it does not
  // end its line.
  std::string shown;
  EXPECT_EQ(converse(dir_.path(), kEnglishSession, false, shown), 0);
  EXPECT_EQ(countOf(shown, " Select output format:\n"), 3);
  EXPECT_EQ(outputFile(), expectedOutput({1, 6}));
}

TEST_F(ConsoleTest, AGermanSessionShowsUmlautsOnTheTerminal) {
  TARVEX_SKIP_ON_WINDOWS("a pseudo-terminal to type into");
  std::string shown;
  EXPECT_EQ(converse(dir_.path(),
                     {{kLanguagePrompt, "1\n"},
                      {" Name der Eingabedatei mit den Koordinaten ?", "fehlt.dat\n"},
                      {" Name der Ausgabedatei f\xC3\xBCr die Koordinaten ?", "out.txt\n"},
                      {" (0) Ende", "1\n"}},
                     false, shown),
            1);  // the last conversion failed
  EXPECT_TRUE(
      shown.ends_with(" kann nicht ge\xC3\xB6"
                      "ffnet werden.\n"))
      << shown;
}

TEST_F(ConsoleTest, EndOfInputOnTheTerminalEndsTheRunAtEveryQuestion) {
  TARVEX_SKIP_ON_WINDOWS("a pseudo-terminal to type into");
  for (std::size_t asked = 1; asked <= 5; ++asked) {
    fs::remove(dir_.file("out.txt"));
    // Answer all questions before the one that gets the end of input.
    Dialogue dialogue(kEnglishSession.begin(), kEnglishSession.begin() + asked);
    dialogue.back().second.clear();
    std::string shown;
    EXPECT_EQ(converse(dir_.path(), dialogue, true, shown), 0) << asked;
    EXPECT_EQ(shown.find("***"), std::string::npos) << asked;
    EXPECT_EQ(fs::exists(dir_.file("out.txt")), asked == 5) << asked;
  }
}

}  // namespace
}  // namespace tarvex::test
