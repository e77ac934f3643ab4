"""Sections made from points and by NACA designation, and their shape."""

import pytest

from conftest import SAMPLE

tarvex = pytest.importorskip("tarvex", reason="the module tarvex is not built")
numpy = pytest.importorskip("numpy")

# Formats tarvex.read() takes back as the same points; how closely their digits keep them.
READ_BACK = {1: 1e-7, 2: 1e-7, 3: 1e-7, 4: 1e-7, 5: 2e-5, 6: 1e-6, 7: 1e-5, 10: 1e-5, 11: 1e-7,
             13: 1e-7, 20: 1e-7, 21: 1e-6, 22: 1e-6}
NAMED = {6, 13, 21, 22}  # the formats that keep the name


def shared_stations(count=41):
    """A cambered section whose surfaces share their x-stations, so that
    formats pairing them write the points as they are."""
    xc = 0.5 * (1 - numpy.cos(numpy.pi * numpy.arange(count) / (count - 1)))
    half = 0.6 * (0.2969 * numpy.sqrt(xc) - 0.126 * xc - 0.3516 * xc**2 + 0.2843 * xc**3
                  - 0.1036 * xc**4)
    mean = 0.04 * xc * (1 - xc)
    return (numpy.concatenate([xc[::-1], xc[1:]]),
            numpy.concatenate([(mean + half)[::-1], (mean - half)[1:]]))


@pytest.mark.parametrize("number", sorted(READ_BACK))
def test_points_come_back_from_every_format_that_reads_back(number):
    section = tarvex.Section(*shared_stations(), name="test section")
    back = tarvex.read_text(section.write(format=number))
    assert len(back) == len(section)
    assert numpy.abs(back.coordinates - section.coordinates).max() < READ_BACK[number]
    assert number not in NAMED or back.name == "test section"


def test_points_are_taken_as_given_in_either_direction():
    x, y = shared_stations(21)
    section = tarvex.Section(x, y)
    assert repr(section) == "<tarvex.Section '': 41 points, 12.0 % thick>"
    assert section.layout == "points" and section.coordinates.shape == (41, 2)
    turned = tarvex.Section.from_coordinates(numpy.column_stack([x, y])[::-1].tolist())
    assert numpy.array_equal(turned.coordinates, section.coordinates)
    kept = tarvex.Section(2 * x + 1, 2 * y, normalise=False)
    assert numpy.allclose(kept.x, 2 * x + 1)
    assert kept.thickness(0.3) == pytest.approx(section.thickness(0.3), abs=1e-8)
    assert numpy.allclose(tarvex.Section(2 * x + 1, 2 * y).coordinates, section.coordinates)
    assert numpy.array_equal(section.upper[0], section.lower[0])  # the nose in both
    assert numpy.array_equal(section.upper[::-1], section.coordinates[:21])


def test_wrong_points_say_why():
    x, y = shared_stations(11)
    cases = [((x, y[:-1]), ValueError, "21 x but 20 y"),
             ((x, numpy.where(x > 0.5, numpy.nan, y)), tarvex.ReadError, "not a finite"),
             (([0, 1], [0, 0]), tarvex.ReadError, "enclose no area"),
             (([1, 1], [0, 0]), tarvex.ReadError, "fewer than two distinct"),
             ((x, [str(v) for v in y]), TypeError, "not str"),
             ((x, list(y[:-1]) + [None]), TypeError, "NoneType"),
             ((5, 6), TypeError, "sequence of numbers"),
             (([x], [y]), ValueError, r"shape \(1, 21\)"),
             (([[0, 1], [1]], y), ValueError, "one length")]
    for arguments, error, reason in cases:
        with pytest.raises(error, match=reason):
            tarvex.Section(*arguments)
    with pytest.raises(ValueError, match=r"N×2.*use Section\(x, y\)"):
        tarvex.Section.from_coordinates([x, y])
    with pytest.raises(ValueError, match="one line"):
        tarvex.Section(x, y, name="two\nlines")
    for points in (numpy.column_stack([x, y]), [[0.0, 0.0], [1.0, 0.1]]):
        with pytest.raises(TypeError, match=r"tarvex\.Section\(x, y\)"):
            tarvex.read(points)
    with pytest.raises(TypeError, match=r"tarvex\.Section\(x, y\)"):
        tarvex.read_text(numpy.zeros(8))


def naca2412(xc, side):
    """A point of the upper (side 1) or lower (-1) surface at the chord station xc."""
    m, p, t = 0.02, 0.4, 0.12
    half = 5 * t * (0.2969 * numpy.sqrt(xc) - 0.1260 * xc - 0.3516 * xc**2 + 0.2843 * xc**3
                    - 0.1015 * xc**4)
    ahead = xc < p
    mean = numpy.where(ahead, m / p**2 * (2 * p * xc - xc**2),
                       m / (1 - p)**2 * (1 - 2 * p + 2 * p * xc - xc**2))
    angle = numpy.arctan(numpy.where(ahead, 2 * m / p**2, 2 * m / (1 - p)**2) * (p - xc))
    return xc - side * half * numpy.sin(angle), mean + side * half * numpy.cos(angle)


def naca2412_at(x, side):
    """The surface's y at x: the station whose point lies at x, by bisection."""
    low, high = numpy.zeros_like(x), numpy.ones_like(x)
    for _ in range(60):
        middle = (low + high) / 2
        short = naca2412(middle, side)[0] < x
        low, high = numpy.where(short, middle, low), numpy.where(short, high, middle)
    return naca2412((low + high) / 2, side)[1]


def test_naca_2412_follows_its_equations():
    section = tarvex.naca("2412", points=161)
    assert repr(section) == "<tarvex.Section 'NACA 2412': 161 points, 12.0 % thick>"
    xc = 0.5 * (1 - numpy.cos(numpy.pi * numpy.arange(81) / 80))
    for surface, side in ((section.upper, 1), (section.lower, -1)):
        assert surface.shape == (81, 2)
        assert numpy.abs(surface - numpy.column_stack(naca2412(xc, side))).max() < 1e-7
    # Between the surfaces at one x; near the nose linear between the stations.
    x = numpy.linspace(0.01, 1, 400)
    upper, lower = naca2412_at(x, 1), naca2412_at(x, -1)
    assert numpy.abs(section.thickness(x) - (upper - lower)).max() < 4e-4
    assert numpy.abs(section.camber(x) - (upper + lower) / 2).max() < 3e-5
    assert isinstance(section.thickness(0.3), float) and section.camber([[0.4]]).shape == (1, 1)
    figures = section.figures
    assert section.thickness(figures.max_thickness_x) == pytest.approx(figures.max_thickness)
    for outside in (-0.01, 1.01, numpy.nan):
        with pytest.raises(ValueError, match="outside the chord"):
            section.thickness([0.5, outside])


def test_thickness_and_camber_are_those_of_format_16():
    section = tarvex.read(SAMPLE)
    rows = numpy.loadtxt(section.write(format=16).splitlines()[2:])
    assert numpy.abs(section.thickness(rows[:, 0]) - rows[:, 1]).max() < 1e-8
    assert numpy.abs(section.camber(rows[:, 0]) - rows[:, 2]).max() < 1e-8


def test_naca_options_and_designations():
    assert len(tarvex.naca("0012", points=60)) == 61  # the nose takes a point
    open_end, closed = (tarvex.naca("2412", closed_te=c).figures for c in (False, True))
    assert closed.trailing_edge_thickness < 1e-6 < open_end.trailing_edge_thickness
    uniform = tarvex.naca("0012", points=11, spacing="uniform")
    assert numpy.allclose(uniform.upper[:, 0], numpy.linspace(0, 1, 6))
    for designation, reason in (("2412x", "no NACA designation"), ("0000", "thickness of 0")):
        with pytest.raises(tarvex.DesignationError, match=reason) as caught:
            tarvex.naca(designation)
        assert isinstance(caught.value, ValueError) and caught.value.reason in str(caught.value)
    for bad, error in (({"points": 4}, ValueError), ({"points": 2.5}, TypeError),
                       ({"spacing": "log"}, ValueError)):
        with pytest.raises(error):
            tarvex.naca("2412", **bad)


def test_convert_onto_cosine_points_is_the_console_program(cli):
    result, = tarvex.convert(SAMPLE, format="selig", points=40)
    assert result.text.encode("latin-1") == cli("convert", SAMPLE, "-f", "selig", "--points",
                                                 40).stdout
    assert len(tarvex.read_text(result.text)) == 41
    assert len(tarvex.read(SAMPLE).redistribute(count=40)) == 41
    with pytest.raises(ValueError, match="not both"):
        tarvex.convert(SAMPLE, points=40, redistribute=True)


def test_shaping_steps_give_new_sections_and_refuse_with_reasons():
    base = tarvex.naca("2412")
    thicker = base.with_thickness_camber(thickness=0.15, camber=0)
    assert thicker is not base and len(base) == 161
    assert thicker.figures.max_thickness == pytest.approx(0.15, abs=1e-6)
    assert thicker.figures.max_camber == pytest.approx(0, abs=1e-6)
    gapped = base.te_gap(0.01)
    assert gapped.figures.trailing_edge_thickness == pytest.approx(0.01, abs=1e-6)
    assert len(base.repanel(120)) == 120
    same = base.blend(tarvex.naca("0012"), 1.0)
    assert same.figures.max_camber == pytest.approx(0, abs=1e-5)
    flapped = base.flap(0.75, 10)
    assert flapped.coordinates[0, 1] < base.coordinates[0, 1] - 0.03
    assert base.scale_le_radius(2.0).figures.leading_edge_radius > base.figures.leading_edge_radius
    with pytest.raises(ValueError, match="flap: the hinge"):
        base.flap(1.5, 10)
    with pytest.raises(ValueError, match="finite"):
        base.te_gap(float("nan"))
    with pytest.raises(TypeError):
        base.repanel("many")
