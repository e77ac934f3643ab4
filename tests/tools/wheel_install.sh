#!/usr/bin/env bash
# The Python module as pip users get it: a wheel built from the source tree
# with Debian's setuptools and pybind11 (python3 -m build --no-isolation),
# installed into a fresh virtual environment that sees the system's numpy,
# imported there and compared with the console program.
#   wheel_install.sh SOURCE_DIR WORK_DIR TARVEX
set -euo pipefail
source_dir="$1" work="$2" tarvex="$3"
python=/usr/bin/python3
if ! "$python" -c "import build, pybind11, setuptools, venv, numpy" 2>/dev/null; then
  printf 'tarvex-wheel: Skipped\n%s\n' \
    "python3-build, python3-pybind11, python3-venv or python3-numpy missing for $python"
  exit 0
fi
rm -rf "$work"
mkdir -p "$work"
# Compilations are kept by ccache across runs and clones, as the CMake build's are.
if command -v ccache >/dev/null; then export CC="ccache ${CC:-gcc}" CXX="ccache ${CXX:-g++}"; fi
if ! (cd "$source_dir" && "$python" -m build --wheel --no-isolation --outdir "$work/dist" .) \
  >"$work/build.log" 2>&1; then
  tail -n 40 "$work/build.log"
  exit 1
fi
"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/pip" install --quiet --no-index --no-deps "$work"/dist/tarvex-*.whl
cd "$work"
"$tarvex" naca 2412 -f selig >expected.dat
"$work/venv/bin/python" - <<'PYTHON'
import pathlib, sys, tarvex
venv = pathlib.Path(sys.prefix)
assert pathlib.Path(tarvex.__file__).is_relative_to(venv), tarvex.__file__
assert (pathlib.Path(tarvex.__file__).parent / "tarvex.pyi").is_file(), "no tarvex.pyi beside the module"
written = tarvex.naca("2412").write(format="selig")
assert written == pathlib.Path("expected.dat").read_text(), "the wheel's module writes otherwise"
print("tarvex-wheel:", tarvex.__version__, "imported from", tarvex.__file__)
PYTHON
