"""Builds the extension module tarvex from the engine's sources and the
module's bindings, with the settings the CMake build gives them; the type
stubs tarvex.pyi go beside it, as the CMake installation puts them."""

import os
import re
import shutil
import tempfile
from pathlib import Path

from pybind11.setup_helpers import ParallelCompile, Pybind11Extension, build_ext
from setuptools import setup

ROOT = Path(__file__).resolve().parent


def project_version():
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(Tarvex VERSION ([0-9.]+)", text).group(1)


def sources():
    engine = sorted(str(p.relative_to(ROOT)) for p in (ROOT / "engine/src").rglob("*.cpp"))
    module = sorted(str(p.relative_to(ROOT)) for p in (ROOT / "python/src").glob("*.cpp"))
    # exports.cpp holds the shared library's C entries, which the module does not offer.
    return [s for s in engine if not s.endswith("exports.cpp")] + module


class BuildWithChecks(build_ext):
    """The configure check of the CMake build: the library's floating
    from_chars and to_chars where they work, fast_float where not; and
    tarvex.pyi beside the module, where type checkers look for it."""

    def run(self):
        super().run()
        shutil.copy(ROOT / "python" / "tarvex.pyi", os.path.join(self.build_lib, "tarvex.pyi"))

    def build_extensions(self):
        if self.has_float_charconv():
            for extension in self.extensions:
                extension.define_macros.append(("TARVEX_HAVE_FLOAT_CHARCONV", None))
        super().build_extensions()

    def has_float_charconv(self):
        probe = (
            "#include <charconv>\n"
            "int main() { char t[32] = \"1.5\"; double d = 0; float f = 0;\n"
            "  std::from_chars(t, t + 3, d); std::from_chars(t, t + 3, f);\n"
            "  std::to_chars(t, t + sizeof t, d);\n"
            "  return std::to_chars(t, t + sizeof t, f).ptr == t; }\n"
        )
        with tempfile.TemporaryDirectory() as folder:
            source = os.path.join(folder, "probe.cpp")
            with open(source, "w", encoding="ascii") as file:
                file.write(probe)
            try:
                self.compiler.compile([source], output_dir=folder, extra_postargs=["-std=c++20"])
            except Exception:  # noqa: BLE001 - any failure means the library lacks them
                return False
        return True


ParallelCompile("TARVEX_BUILD_JOBS", default=0).install()

setup(
    version=project_version(),
    ext_modules=[
        Pybind11Extension(
            "tarvex",
            sources(),
            include_dirs=["engine/include", "engine/src"],
            define_macros=[("TARVEX_BUILDING", None), ("TARVEX_VERSION", f'"{project_version()}"')],
            cxx_std=20,
        )
    ],
    # The module alone: none of the folders here is a Python package.
    packages=[],
    py_modules=[],
    cmdclass={"build_ext": BuildWithChecks},
    zip_safe=False,
)
