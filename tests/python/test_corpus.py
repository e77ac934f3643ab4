"""Every real airfoil file of TARVEX_CORPUS through the module and through the
console program: the same points, the same bytes, the same refusals."""

import pathlib

import pytest

from conftest import corpus_files

pytestmark = pytest.mark.corpus
tarvex = pytest.importorskip("tarvex", reason="the module tarvex is not built")

FILES = corpus_files()
if not FILES:
    pytest.skip("TARVEX_CORPUS is not set", allow_module_level=True)


def fixed(value):
    # The console program writes no sign for a value that rounds to zero.
    text = f"{value:.8f}"
    return text[1:] if text == "-0.00000000" else text


def read_or_error(path):
    try:
        return tarvex.read(path)
    except (tarvex.ReadError, OSError) as error:
        return error


def manifest():
    """tests/corpus_manifest.tsv: name -> (status, layout, points)."""
    path = pathlib.Path(__file__).parent.parent / "corpus_manifest.tsv"
    rows = (line.split("\t") for line in path.read_text().splitlines() if line[:1] not in "#")
    return {name: (int(status), layout, int(points)) for name, status, layout, points in rows}


def test_every_file_reads_as_the_manifest_says():
    expected = manifest()
    found = {}
    for path in FILES:
        section = read_or_error(path)
        found[path.name] = ((4, "unknown", 0) if isinstance(section, Exception)
                            else (0, section.layout, len(section.x)))
    assert {name: row for name, row in found.items() if expected.get(name) != row} == {}
    assert sorted(expected) == sorted(found)


def test_points_are_those_of_format_1_to_the_last_digit(cli):
    mismatches = []
    for path in FILES:
        section = read_or_error(path)
        done = cli("convert", path, "-f", "1", check=False)
        if isinstance(section, Exception):
            if done.returncode == 0 or section.reason not in done.stderr.decode("latin-1"):
                mismatches.append((path.name, str(section)))
            continue
        lines = done.stdout.decode("latin-1").splitlines()
        printed = [line.split() for line in lines if line.strip() and not line.startswith(";")]
        mine = [[fixed(x), fixed(y)] for x, y in zip(section.x, section.y)]
        if printed != mine:
            rows = zip(printed, mine)
            first = next((i for i, (p, m) in enumerate(rows) if p != m), len(mine))
            mismatches.append((path.name, "row", first))
    assert mismatches == []


# Every fifth file in one run of the console program per format and options:
# its outputs follow one another, and a file it refuses is left out.
OPTION_SETS = [
    ({}, []),
    ({"comments": True, "keep_size": True}, ["--comments", "--keep-size"]),
    ({"redistribute": True, "scale": (2.0, 0.5)},
     ["--redistribute", "--scale-x", "2", "--scale-y", "0.5"]),
]


@pytest.mark.parametrize("options,flags", OPTION_SETS)
def test_written_text_is_what_the_console_program_writes(cli, options, flags):
    sample = FILES[::5]
    sections = [read_or_error(path) for path in sample]
    options = dict(options)
    redistribute = options.pop("redistribute", False)
    for row in tarvex.formats():
        done = cli("convert", *sample, "-f", row.number, "-q", *flags, check=False)
        texts, refused = [], 0
        for section in sections:
            try:
                if isinstance(section, Exception):
                    raise section
                if redistribute:
                    section = section.redistribute()
                texts.append(section.write(format=row.number, **options))
            except (tarvex.Error, OSError):
                refused += 1
        failures = done.stderr.decode("latin-1").splitlines()
        assert sum(line.startswith("tarvex: ") for line in failures) == refused, row
        assert "".join(texts).encode("latin-1") == done.stdout, row
