"""The module against the console program and against its own promises."""

import concurrent.futures
import errno
import io
import json
import pathlib

import pytest

from conftest import SAMPLE, lednicer_text, naca4, selig_text

tarvex = pytest.importorskip("tarvex", reason="the module tarvex is not built")
numpy = pytest.importorskip("numpy")

OPTION_SETS = [
    {},
    {"comments": True},
    {"keep_size": True, "scale": (2.0, 0.5)},
    {"chord": "10in", "label": True, "farfield": 12, "mesh_size": 0.05, "spline": True},
]


def cli_options(options):
    flags = ["--comments"] if options.get("comments") else []
    flags += ["--keep-size"] if options.get("keep_size") else []
    if "scale" in options:
        flags += ["--scale-x", options["scale"][0], "--scale-y", options["scale"][1]]
    for name in ("chord", "farfield", "mesh_size"):
        if name in options:
            flags += ["--" + name.replace("_", "-"), options[name]]
    flags += [f"--{name}" for name in ("label", "spline") if options.get(name)]
    return flags


@pytest.fixture
def lednicer(tmp_path):
    path = tmp_path / "naca4415.dat"
    path.write_text(lednicer_text("NACA 4415", *naca4("4415")))
    return path


def test_every_kind_of_source_gives_the_same_section(tmp_path):
    text = SAMPLE.read_text("latin-1")
    reference = tarvex.read(str(SAMPLE))
    with open(SAMPLE, "rb") as binary, open(SAMPLE, encoding="latin-1") as plain:
        sources = [SAMPLE, text, text.encode("latin-1"), bytearray(text, "latin-1"), binary, plain]
        for section in [tarvex.read(source) for source in sources] + [tarvex.read_text(text)]:
            assert section.name == reference.name == "NACA 2412"
            assert numpy.array_equal(section.x, reference.x)
            assert numpy.array_equal(section.y, reference.y)


def test_section_matches_the_console_program(cli):
    section = tarvex.read(SAMPLE)
    info = json.loads(cli("info", "--json", SAMPLE).stdout)[0]
    assert section.properties._asdict() == info["properties"]
    assert (section.layout, section.points_read) == (info["layout"], info["points"])
    assert section.x_range == (info["xmin"], info["xmax"])
    # Trailing edge first, leading edge in between, both as float64 copies
    # that cannot be changed behind the engine's back.
    assert section.x[0] == 1.0 and section.x.min() == 0.0 and len(section) == len(section.y)
    assert section.x.dtype == numpy.float64 and not section.x.flags.writeable
    with pytest.raises(ValueError):
        section.x[0] = 0.5


def test_counted_layout_reads_as_the_same_points(lednicer):
    counted = tarvex.read(lednicer)
    columns = tarvex.read(selig_text("NACA 4415", *naca4("4415")))
    assert (counted.layout, columns.layout) == ("counted two columns", "two columns")
    assert numpy.array_equal(counted.x, columns.x) and numpy.array_equal(counted.y, columns.y)
    assert counted.properties == columns.properties


@pytest.mark.parametrize("source", [SAMPLE, "lednicer"])
@pytest.mark.parametrize("options", OPTION_SETS)
def test_written_text_is_what_the_console_program_writes(cli, source, options, lednicer):
    path = lednicer if source == "lednicer" else source
    section = tarvex.read(path)
    for row in tarvex.formats():
        done = cli("convert", path, "-f", row.name, *cli_options(options), check=False)
        try:
            text = section.write(format=row, **options)
        except tarvex.WriteError as error:
            assert done.returncode != 0 and error.reason in done.stderr.decode("latin-1")
            continue
        assert text.encode("latin-1") == done.stdout, row


def test_figures_of_the_four_digit_sections():
    for digits, thickness, camber in (("0012", 0.12, 0.0), ("2412", 0.12, 0.02)):
        figures = tarvex.read_text(selig_text("NACA " + digits, *naca4(digits))).figures
        assert abs(figures.max_thickness - thickness) < 0.001
        assert abs(figures.max_camber - camber) < 0.001


def test_formats_are_the_console_program_table(cli):
    listed = cli("formats").stdout.decode().splitlines()[1:]
    rows = [(row.number, row.name, row.extension) for row in tarvex.formats()]
    assert rows == [(int(n), name, ext) for n, name, ext, *_ in map(str.split, listed)]
    section = tarvex.read(SAMPLE)
    assert section.write(format="DXF") == section.write(format=11) == section.write(format="11")


def test_bad_input_and_arguments_say_why(tmp_path):
    with pytest.raises(tarvex.ReadError, match="no line of coordinates") as caught:
        tarvex.read("just words\nand more words\n")
    assert isinstance(caught.value, ValueError) and caught.value.filename is None
    flat = tmp_path / "flat.dat"
    flat.write_text("0 0\n0.5 0\n1 0\n")
    with pytest.raises(tarvex.ReadError, match="enclose no area") as caught:
        tarvex.read(flat)
    assert caught.value.filename == str(flat) and str(flat) in str(caught.value)
    with pytest.raises(FileNotFoundError) as caught:
        tarvex.read(tmp_path / "missing.dat")
    missing = str(tmp_path / "missing.dat")
    assert (caught.value.errno, caught.value.filename) == (errno.ENOENT, missing)
    with pytest.raises(IsADirectoryError):
        tarvex.read(tmp_path)
    with pytest.raises(TypeError):
        tarvex.read(3.5)
    section = tarvex.read(SAMPLE)
    for bad in [{"format": 99}, {"format": "xyz"}, {"format": True}, {"scale": (1, float("inf"))},
                {"scale": (1,)}, {"date": 5}, {"format": "svg", "chord": 1e300}]:
        with pytest.raises((ValueError, TypeError)):
            section.write(**bad)
    with pytest.raises(ValueError, match="do not increase"):
        section.redistribute([0, 0.5, 0.3])
    with pytest.raises(ValueError):
        section.redistribute(count=10**12)


def test_names_with_a_null_byte_are_refused_and_control_characters_quoted(tmp_path):
    # The system would take the name up to the null byte, as open() refuses to.
    (tmp_path / "x.dat").write_bytes(SAMPLE.read_bytes())
    section = tarvex.read(SAMPLE)
    for call in [lambda: tarvex.read(str(tmp_path / "x.dat") + "\0junk"),
                 lambda: tarvex.read(pathlib.Path(str(tmp_path / "x.dat") + "\0")),
                 lambda: section.write(str(tmp_path / "victim") + "\0.svg", "svg"),
                 lambda: tarvex.convert([SAMPLE], str(tmp_path / "victim") + "\0.txt")]:
        with pytest.raises(ValueError, match="embedded null byte"):
            call()
    assert not (tmp_path / "victim").exists()
    flat = tmp_path / "a\nflat.dat"
    flat.write_text("0 0\n0.5 0\n1 0\n")
    with pytest.raises(tarvex.ReadError) as caught:
        tarvex.read(flat)
    assert str(caught.value) == f"'{tmp_path}/a\\nflat.dat': the points enclose no area"


def test_failed_write_leaves_the_file_alone(tmp_path):
    section = tarvex.read(SAMPLE)
    target = tmp_path / "out.txt"
    target.write_text("before\n")
    with pytest.raises(tarvex.FieldOverflowError, match="does not fit"):
        section.write(target, "xy", scale=(1e12, 1e12))
    assert target.read_text() == "before\n"
    section.write(target, "xy", append=True)
    section.write(str(target), "xy", append=True)
    assert target.read_text("latin-1") == "before\n" + 2 * section.write(format="xy")
    with pytest.raises(IsADirectoryError):
        section.write(tmp_path)


def test_redistribution_matches_the_console_program(cli, lednicer):
    section = tarvex.read(lednicer)
    standard = section.redistribute()
    assert len(standard) == 35 and standard.properties == section.properties
    done = cli("convert", lednicer, "-f", "xyy", "--redistribute")
    assert standard.write(format="xyy").encode("latin-1") == done.stdout
    stations = [0, 10, 30, 60, 100]  # per cent, as the command line takes them
    done = cli("convert", lednicer, "-f", "xy", "--stations", "/".join(map(str, stations)))
    assert section.redistribute(stations).write().encode("latin-1") == done.stdout
    cosine = section.redistribute(count=41)
    assert len(cosine) == 41 and cosine.x.min() == 0.0


def test_convert_runs_like_the_console_program(cli, tmp_path, lednicer):
    missing = tmp_path / "missing.dat"
    inputs = [SAMPLE, lednicer, missing]
    results = tarvex.convert(inputs, output_dir=tmp_path / "out", format="xyy")
    assert [r.ok for r in results] == [True, True, False]
    assert isinstance(results[2].error, FileNotFoundError)
    cli("convert", SAMPLE, lednicer, "-f", "xyy", "-d", tmp_path / "cli")
    for result in results[:2]:
        produced = pathlib.Path(result.output)
        assert produced.read_bytes() == (tmp_path / "cli" / produced.name).read_bytes()

    # One file for all, put in place at the end; the same input twice and
    # an input as the output are refused, and no_clobber leaves files alone.
    both = tmp_path / "both.cef"
    results = tarvex.convert([SAMPLE, lednicer], both, format=6)
    assert both.read_bytes() == cli("convert", SAMPLE, lednicer, "-f", "6").stdout
    (tmp_path / "x").mkdir()
    twin = tmp_path / "x" / SAMPLE.name
    twin.write_bytes(SAMPLE.read_bytes())
    again = tarvex.convert([SAMPLE, twin], output_dir=tmp_path / "d")
    assert isinstance(again[1].error, FileExistsError)
    copy = tmp_path / "copy.dat"
    copy.write_bytes(SAMPLE.read_bytes())
    with pytest.raises(tarvex.SameFileError):
        tarvex.convert(copy, copy)
    assert copy.read_bytes() == SAMPLE.read_bytes()
    results = tarvex.convert([SAMPLE, lednicer], both, no_clobber=True)
    assert all(isinstance(r.error, FileExistsError) for r in results)
    result, = tarvex.convert(str(SAMPLE), format="xy", stations=[0, 0.5, 1])
    assert result.text == tarvex.read(SAMPLE).redistribute([0, 0.5, 1]).write()


def test_threads_give_the_same_bytes_as_one_after_the_other(tmp_path):
    texts = [selig_text(f"NACA {d}", *naca4(d, 30 + i)) for i, d in
             enumerate(["0012", "2412", "4415", "6409", "2218", "0006", "4424", "1408"] * 4)]
    names = [row.name for row in tarvex.formats()]

    def convert(text):
        section = tarvex.read(io.StringIO(text))
        outputs = []
        for name in names:
            try:
                outputs.append(section.redistribute().write(format=name, comments=True))
            except tarvex.WriteError as error:
                outputs.append(repr(error))
        return outputs

    expected = [convert(text) for text in texts]
    with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
        assert list(pool.map(convert, texts)) == expected
