"""Measures the Python module on a Release build:

  1. reading a sample of a corpus (every 4th file, sorted) with tarvex.read
     against numpy.loadtxt(skiprows=1) on the same files, and how many files
     numpy cannot read at all;
  2. the module's cost per call: Section.write() returning text against
     tarvex::writeText in C++ (write_text_timing), for a 200-point section.

  cmake --preset release && cmake --build --preset release -j2 \\
      --target tarvex_python tarvex_python_timing
  PYTHONPATH=build/release/python /usr/bin/python3 python/benchmarks/compare.py \\
      /work/shared/airfoils build/release/bin/tarvex_python_timing
"""

import pathlib
import subprocess
import sys
import time
import timeit
import warnings

import numpy
import tarvex


def best_of(rounds, work):
    times = []
    for _ in range(rounds):
        start = time.perf_counter()
        work()
        times.append(time.perf_counter() - start)
    return min(times)


def reading(folder):
    files = sorted(p for p in pathlib.Path(folder).iterdir() if p.is_file())[::4]
    numpy_failures = []

    def with_tarvex():
        for path in files:
            try:
                tarvex.read(path)
            except (tarvex.Error, OSError):
                pass

    def with_numpy():
        numpy_failures.clear()
        for path in files:
            try:
                with warnings.catch_warnings():
                    warnings.simplefilter("ignore")
                    numpy.loadtxt(path, skiprows=1)
            except (ValueError, OSError, UnicodeDecodeError):
                numpy_failures.append(path.name)

    ours, theirs = best_of(5, with_tarvex), best_of(5, with_numpy)
    print(f"reading {len(files)} files: tarvex.read {ours * 1e3:.1f} ms, "
          f"numpy.loadtxt {theirs * 1e3:.1f} ms ({theirs / ours:.1f}x); "
          f"numpy cannot read {len(numpy_failures)} of them")


def call_overhead(folder, timing_program):
    path = sorted(p for p in pathlib.Path(folder).iterdir() if p.is_file())[0]
    points, calls = 200, 20000
    section = tarvex.read(path).redistribute(count=points)
    python = min(timeit.repeat(section.write, number=calls, repeat=7)) / calls * 1e6
    line = subprocess.run([timing_program, str(path), str(points), str(calls)],
                          capture_output=True, text=True, check=True).stdout
    cpp = float(line.split(", ")[1].split()[0])
    print(f"{len(section)} points written to text: Section.write() {python:.3f} us, "
          f"tarvex::writeText {cpp:.3f} us per call ({python / cpp:.2f}x)")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    reading(sys.argv[1])
    call_overhead(sys.argv[1], sys.argv[2])
