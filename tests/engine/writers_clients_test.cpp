// The written formats as their real readers see them: xmllint, ezdxf, the
// FORTRAN, C and Java compilers, and XFOIL. Each test skips when its tool
// is missing.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "writers_test_support.h"

namespace tarvex::test {
namespace {

// Cambered, 61 points on stations shared by both surfaces.
std::vector<Point> section() {
  auto points = nacaSection(12, 31);
  for (auto& p : points) p.y += 0.08f * p.x * (1.0f - p.x);
  return points;
}

std::string shellQuoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// Writes one format into a file of the folder, without comments.
std::filesystem::path writeFormatFile(const TempDir& dir, std::string_view fileName, int format,
                                      const std::vector<Point>& points, std::string_view name) {
  const auto written = writeFormat(format, points, name);
  EXPECT_EQ(written.status, kWriteOk);
  std::string text;
  for (const auto& line : written.lines) text += line + "\n";
  return dir.write(fileName, text);
}

// The numbers of every line after the first `skip` lines of a program's output.
std::vector<std::vector<double>> numberRows(const std::string& output, std::size_t skip) {
  std::vector<std::vector<double>> rows;
  const auto lines = splitLines(output);
  for (std::size_t i = skip; i < lines.size(); ++i) {
    std::istringstream stream(lines[i]);
    std::vector<double> row;
    for (double value; stream >> value;) row.push_back(value);
    rows.push_back(row);
  }
  return rows;
}

void expectSamePoints(const std::vector<std::vector<double>>& rows,
                      const std::vector<Point>& points, double scale, double tolerance) {
  ASSERT_EQ(rows.size(), points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    ASSERT_EQ(rows[i].size(), 2u) << "row " << i;
    EXPECT_NEAR(rows[i][0], scale * points[i].x, tolerance) << "row " << i;
    EXPECT_NEAR(rows[i][1], scale * points[i].y, tolerance) << "row " << i;
  }
}

// The source fragment without its first (TODO) line.
std::string fragment(const std::filesystem::path& file) {
  const std::string text = readFile(file);
  return text.substr(text.find('\n') + 1);
}

// Points as the compiled programs print them: name line, then "x y" lines.
constexpr std::string_view kSourceName = R"(NACA "0012" \ mod)";

TEST(WritersClients, XmllintAcceptsTheDocument) {
  if (!findProgram("xmllint")) GTEST_SKIP() << "xmllint not installed";
  TempDir dir;
  for (const std::string_view name : {"NACA 0012", "R&D <wing> & tail"}) {
    SCOPED_TRACE(name);
    const auto file = writeFormatFile(dir, "section.xml", 13, section(), name);
    std::string output;
    EXPECT_EQ(runCommand("xmllint --noout " + shellQuoted(file) + " 2>&1", &output), 0) << output;
    // The name comes back unescaped through an XML parser.
    output.clear();
    ASSERT_EQ(
        runCommand("xmllint --xpath 'string(//*[local-name()=\"name\"])' " + shellQuoted(file),
                   &output),
        0);
    while (!output.empty() && output.back() == '\n') output.pop_back();
    EXPECT_EQ(output, name);
  }
}

TEST(WritersClients, EzdxfReadsOnePolylineInPerCent) {
  const std::filesystem::path python = "/usr/bin/python3";
  if (!std::filesystem::exists(python) ||
      runCommand(python.string() + " -c 'import ezdxf' 2>/dev/null") != 0) {
    GTEST_SKIP() << "/usr/bin/python3 with ezdxf not installed";
  }
  TempDir dir;
  const auto points = section();
  const auto file = writeFormatFile(dir, "section.dxf", 11, points, "NACA 0012");
  std::string output;
  const std::string script = std::string(TARVEX_SOURCE_DIR) + "/tests/tools/read_dxf_polyline.py";
  ASSERT_EQ(
      runCommand(python.string() + " " + shellQuoted(script) + " " + shellQuoted(file), &output), 0)
      << output;
  const auto lines = splitLines(output);
  ASSERT_GE(lines.size(), 2u) << output;
  EXPECT_EQ(lines[0], "1");
  EXPECT_EQ(lines[1], std::to_string(points.size()));
  expectSamePoints(numberRows(output, 2), points, 100.0, 1.5e-6);
}

// Builds a program around a written fragment with the compile command, runs
// it with the run command and expects it to print the name and the points.
void expectProgramPrintsSection(const std::string& compile, const std::string& run,
                                const std::string& program, const std::vector<Point>& points,
                                std::string_view name = kSourceName) {
  std::string output;
  ASSERT_EQ(runCommand(compile + " 2>&1", &output), 0) << output << program;
  output.clear();
  ASSERT_EQ(runCommand(run, &output), 0);
  EXPECT_EQ(splitLines(output).at(0), name);
  expectSamePoints(numberRows(output, 1), points, 1.0, 1.5e-7);
}

TEST(WritersClients, GfortranCompilesTheFortranFragment) {
  if (!findProgram("gfortran")) GTEST_SKIP() << "gfortran not installed";
  TempDir dir;
  const auto points = section();
  const auto file = writeFormatFile(dir, "fragment.for", 14, points, kSourceName);
  const std::string program =
      "program airfoil\n"
      "  implicit none\n"
      "  character(len=100) :: NAME\n"
      "  integer :: NPTS, I\n"
      "  real :: X(100), Y(100)\n" +
      fragment(file) +
      "  print '(A)', trim(NAME)\n"
      "  do I = 1, NPTS\n"
      "    print '(F10.7,1X,F10.7)', X(I), Y(I)\n"
      "  end do\n"
      "end program airfoil\n";
  const auto source = dir.write("airfoil.f90", program);
  const auto binary = dir.file("airfoil_f");
  expectProgramPrintsSection(
      "gfortran -ffree-form " + shellQuoted(source) + " -o " + shellQuoted(binary),
      shellQuoted(binary), program, points);
}

// A carriage return in the name would end the string literal for the
// compiler, and the rest of the name would be code: it becomes a blank.
TEST(WritersClients, GccCompilesTheCFragmentWhateverTheName) {
  if (!findProgram("gcc")) GTEST_SKIP() << "gcc not installed";
  for (const auto& [name, printed] : {std::pair{kSourceName, kSourceName},
                                      std::pair{std::string_view("N\r\"; NPTS = 0; //\v\x7f."),
                                                std::string_view("N \"; NPTS = 0; //  .")}}) {
    SCOPED_TRACE(printed);
    TempDir dir;
    const auto points = section();
    const auto file = writeFormatFile(dir, "fragment.c", 15, points, name);
    const std::string program =
        "#include <stdio.h>\n"
        "int main(void) {\n"
        "  const char *NAME;\n"
        "  int NPTS, i;\n"
        "  double X[100], Y[100];\n" +
        fragment(file) +
        "  printf(\"%s\\n\", NAME);\n"
        "  for (i = 0; i < NPTS; ++i) printf(\"%.7f %.7f\\n\", X[i], Y[i]);\n"
        "  return 0;\n"
        "}\n";
    const auto source = dir.write("airfoil.c", program);
    const auto binary = dir.file("airfoil_c");
    expectProgramPrintsSection(
        "gcc -std=c99 -Wall -Werror " + shellQuoted(source) + " -o " + shellQuoted(binary),
        shellQuoted(binary), program, points, printed);
  }
}

TEST(WritersClients, JavacCompilesTheJavaFragment) {
  if (!findProgram("javac")) GTEST_SKIP() << "javac not installed";
  TempDir dir;
  const auto points = section();
  const auto file = writeFormatFile(dir, "fragment.java", 15, points, kSourceName);
  const std::string program =
      "public class Airfoil {\n"
      "  public static void main(String[] args) {\n"
      "    String NAME;\n"
      "    int NPTS;\n"
      "    double[] X = new double[100], Y = new double[100];\n" +
      fragment(file) +
      "    System.out.println(NAME);\n"
      "    for (int i = 0; i < NPTS; ++i)\n"
      "      System.out.printf(java.util.Locale.ROOT, \"%.7f %.7f%n\", X[i], Y[i]);\n"
      "  }\n"
      "}\n";
  const auto source = dir.write("Airfoil.java", program);
  const std::string compile =
      "javac -encoding ISO-8859-1 -d " + shellQuoted(dir.path()) + " " + shellQuoted(source);
  if (!findProgram("java")) {
    std::string output;
    ASSERT_EQ(runCommand(compile + " 2>&1", &output), 0) << output << program;
    GTEST_SKIP() << "java not installed: compiled only";
  }
  expectProgramPrintsSection(compile, "java -cp " + shellQuoted(dir.path()) + " Airfoil", program,
                             points);
}

// XFOIL loads both two-column formats and counts every point. Graphics are
// switched off and the display unset, so it runs without a window.
TEST(WritersClients, XfoilLoadsTheTwoColumnFormats) {
  if (!findProgram("xfoil")) GTEST_SKIP() << "xfoil not installed";
  if (!findProgram("timeout")) GTEST_SKIP() << "timeout not installed";
  TempDir dir;
  const auto points = section();
  for (const int format : {1, 2}) {
    SCOPED_TRACE(format);
    writeFormatFile(dir, "section.dat", format, points, "NACA 0012");
    std::string output;
    const int status = runCommand("cd " + shellQuoted(dir.path()) +
                                      " && printf 'PLOP\\nG F\\n\\nLOAD section.dat\\n\\nQUIT\\n' |"
                                      " timeout 60 env -u DISPLAY xfoil 2>&1",
                                  &output);
    ASSERT_EQ(status, 0) << output;
    const auto at = output.find("Number of input coordinate points:");
    ASSERT_NE(at, std::string::npos) << output;
    std::istringstream count(output.substr(at + 34));
    int n = 0;
    count >> n;
    EXPECT_EQ(n, static_cast<int>(points.size()));
  }
}

}  // namespace
}  // namespace tarvex::test
