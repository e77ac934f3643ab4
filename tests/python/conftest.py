"""Shared pieces of the Python module's tests: the console program to compare
with, generated sections in two layouts, and the corpus."""

import math
import os
import pathlib
import subprocess
import sys

import pytest

REPO = pathlib.Path(__file__).resolve().parents[2]
SAMPLE = REPO / "resources" / "samples" / "naca2412.dat"

# Run by hand (python3 -m pytest tests/python), the dev build's module serves.
try:
    import tarvex  # noqa: F401  (only whether it imports)
except ImportError:
    sys.path.insert(0, str(REPO / "build" / "dev" / "python"))


def pytest_configure(config):
    config.addinivalue_line("markers", "corpus: needs the airfoil files of TARVEX_CORPUS")


def pytest_terminal_summary(terminalreporter):
    # ctest counts a run whose every test skipped as skipped by this line, and
    # ./dev test prints the reason on the line after it.
    stats = terminalreporter.stats
    ran = ("passed", "failed", "error", "xfailed", "xpassed")
    skipped = stats.get("skipped", [])
    if not skipped or any(stats.get(outcome) for outcome in ran):
        return
    reasons = sorted({str(report.longrepr[2]).removeprefix("Skipped: ") for report in skipped})
    terminalreporter.write_line("tarvex-python: Skipped")
    terminalreporter.write_line("; ".join(reasons))


def cli_path():
    folder = os.environ.get("TARVEX_BIN_DIR", str(REPO / "build" / "dev" / "bin"))
    return pathlib.Path(folder) / "tarvex"


@pytest.fixture(scope="session")
def cli():
    """Runs the console program; returns its standard output as bytes."""
    program = cli_path()
    if not program.exists():
        pytest.skip(f"the console program {program} is not built")

    def run(*arguments, check=True):
        done = subprocess.run([str(program), *map(str, arguments)], capture_output=True)
        if check and done.returncode != 0:
            raise AssertionError(done.stderr.decode("latin-1"))
        return done

    return run


def naca4(digits, points=40):
    """Upper and lower surface of a NACA 4-digit section, each from the
    leading edge to the trailing edge, on cosine-spaced x."""
    m, p, t = int(digits[0]) / 100, int(digits[1]) / 10, int(digits[2:]) / 100
    upper, lower = [], []
    for i in range(points + 1):
        x = 0.5 * (1 - math.cos(math.pi * i / points))
        thickness = 5 * t * (0.2969 * math.sqrt(x) - 0.1260 * x - 0.3516 * x**2
                             + 0.2843 * x**3 - 0.1036 * x**4)
        if m == 0:
            camber, slope = 0.0, 0.0
        elif x < p:
            camber, slope = m / p**2 * (2 * p * x - x**2), 2 * m / p**2 * (p - x)
        else:
            camber = m / (1 - p) ** 2 * (1 - 2 * p + 2 * p * x - x**2)
            slope = 2 * m / (1 - p) ** 2 * (p - x)
        angle = math.atan(slope)
        upper.append((x - thickness * math.sin(angle), camber + thickness * math.cos(angle)))
        lower.append((x + thickness * math.sin(angle), camber - thickness * math.cos(angle)))
    return upper, lower


def selig_text(name, upper, lower):
    """Two columns from the trailing edge over the upper surface and back."""
    rows = list(reversed(upper)) + lower[1:]
    return name + "\n" + "".join(f"{x:10.6f} {y:10.6f}\n" for x, y in rows)


def lednicer_text(name, upper, lower):
    """Counted two columns: the surface counts, then both from the leading edge."""
    surface = lambda rows: "".join(f"{x:10.6f} {y:10.6f}\n" for x, y in rows)
    return (f"{name}\n{len(upper):8d}. {len(lower):8d}.\n\n"
            + surface(upper) + "\n" + surface(lower))


def corpus_files():
    folder = os.environ.get("TARVEX_CORPUS")
    if not folder or not os.path.isdir(folder):
        return []
    return sorted(p for p in pathlib.Path(folder).iterdir() if p.is_file())
