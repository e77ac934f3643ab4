"""Rib sets as their real readers see them: a tapered panel made by `tarvex
ribs`, every rib's outline measured from the SVG and from the DXF (ezdxf)
against the blended section at its chord, the spar notches on straight lines
through the wing, the parts on each sheet apart (shapely), the sheets at
their true size in rsvg-convert; and the hot-wire core's matched outlines."""

import json
import math
import os
import pathlib
import re
import shutil
import subprocess
import xml.etree.ElementTree as ElementTree

import numpy as np
import pytest

tarvex = pytest.importorskip("tarvex", reason="the module tarvex is not built")

SPAN, ROOT_CHORD, TIP_CHORD, WASHOUT, AXIS = 600.0, 250.0, 150.0, 2.0, 0.25
SKIN, SHEETED_TO, SPAR_AT, SPAR_WIDTH, SPAR_DEPTH = 1.5, 0.25, 0.3, 6.0, 6.0
EXAMPLE = ["--root-chord", "250mm", "--tip-chord", "150mm", "--span", "600mm", "--ribs", "8",
           "--washout", "2", "--sheeting", "1.5mm:25%", "--spar", "30%:6:6:both"]
SVG = "{http://www.w3.org/2000/svg}"


def root_file():
    """Clark Y from the corpus when there is one, else NACA 2412."""
    corpus = os.environ.get("TARVEX_CORPUS")
    clark = pathlib.Path(corpus or "/nonexistent") / "clarkysm.dat"
    return str(clark) if clark.exists() else "2412"


def section_of(name):
    return tarvex.read(name) if os.path.exists(name) else tarvex.naca(name)


def blended(root, tip, station, chord, twist):
    """The section at the station scaled to its chord, its nose turned down
    by twist degrees about AXIS of the chord: the rib without features."""
    s = root.blend(tip, station / SPAN * TIP_CHORD / chord)  # on the lines from root to tip
    points = np.column_stack([s.x, s.y]) * chord
    pivot = points[:, 0].min() + AXIS * chord
    turn = math.radians(twist)
    rotation = np.array([[math.cos(turn), -math.sin(turn)], [math.sin(turn), math.cos(turn)]])
    return (points - [pivot, 0.0]) @ rotation.T + [pivot, 0.0]


def distances(points, polyline):
    """Each point's distance to the closed polyline."""
    a, b = polyline, np.roll(polyline, -1, axis=0)
    ab = b - a
    t = np.clip(((points[:, None, :] - a) * ab).sum(-1) / (ab * ab).sum(-1).clip(1e-30), 0, 1)
    nearest = a + t[..., None] * ab
    return np.linalg.norm(points[:, None, :] - nearest, axis=-1).min(axis=1)


def to_rib(points, rib):
    """Sheet points back in the rib's own coordinates (its placement undone)."""
    turn = math.radians(rib["rotation"])
    rotation = np.array([[math.cos(turn), math.sin(turn)], [-math.sin(turn), math.cos(turn)]])
    return (np.asarray(points) - [rib["x"], rib["y"]]) @ rotation.T


def notch_x(root, tip, station):
    """Where the spar's middle crosses the rib: on the straight line from its
    place in the root rib to its place in the tip rib (both from their noses,
    the tip's turned by the washout)."""
    root_front = min(root.blend(tip, 0).x) * ROOT_CHORD
    tip_front = min(root.blend(tip, 1).x) * TIP_CHORD
    tip_pivot = tip_front + AXIS * TIP_CHORD
    tip_x = tip_pivot + (tip_front + SPAR_AT * TIP_CHORD - tip_pivot) * math.cos(
        math.radians(WASHOUT))
    root_x = root_front + SPAR_AT * ROOT_CHORD
    return root_x + (tip_x - root_x) * station / SPAN


def clear_of_features(points, chord, notch, margin=0.5):
    """The outline's points away from the sheeting's step and the notches."""
    x = points[:, 0]
    return points[(x > SHEETED_TO * chord + margin) & (np.abs(x - notch) > SPAR_WIDTH / 2 + margin)]


def notches(points, near):
    """The top and the bottom notch near x: (middle x, floor, width) from
    their sides, the upright edges over 2 mm long."""
    walls = []
    for a, b in zip(points, np.roll(points, -1, axis=0)):
        if abs(a[0] - b[0]) < 1e-3 and abs(a[1] - b[1]) > 2.0 and abs(a[0] - near) < SPAR_WIDTH:
            walls.append((a[0], a[1], b[1]))
    found = []
    for top in (True, False):
        side = sorted((w for w in walls if (min(w[1], w[2]) > 0) == top), key=lambda w: w[0])
        assert len(side) >= 2, walls
        floor = min(side[0][1:]) if top else max(side[0][1:])
        found.append(((side[0][0] + side[1][0]) / 2, floor, side[1][0] - side[0][0]))
    return found


@pytest.fixture(scope="module")
def example(cli, tmp_path_factory):
    folder = tmp_path_factory.mktemp("ribs")
    cli("ribs", root_file(), "0012", *EXAMPLE, "--sheet", "A4", "--svg", folder / "ribs.svg",
        "--dxf", folder / "ribs.dxf", "--report", folder / "ribs.json", "--json")
    report = json.loads((folder / "ribs.json").read_text())
    root, tip = section_of(root_file()), tarvex.naca("0012")
    return folder, report, root, tip


def svg_parts(path):
    """Per rib number: its outline and its holes' circles, in sheet millimetres (y up)."""
    tree = ElementTree.parse(path)
    height = float(tree.getroot().get("viewBox").split()[3])
    parts = {}
    for group in tree.getroot().iter(SVG + "g"):
        number = int(group.get("id").removeprefix("rib-"))
        for path_element in group.iter(SVG + "path"):
            if path_element.get("stroke") != "#ff0000":
                continue
            values = [float(v) for v in re.findall(r"-?[\d.]+", path_element.get("d"))]
            points = np.array(values).reshape(-1, 2)
            parts[number] = points * [1, -1] + [0, height]
    return parts


def test_every_outline_in_the_svg_and_the_dxf_is_the_blended_section(example):
    folder, report, root, tip = example
    ezdxf = pytest.importorskip("ezdxf", reason="ezdxf for /usr/bin/python3 (python3-ezdxf)")
    sheets = [svg_parts(folder / sheet["file"]) for sheet in report["sheets"]]
    drawing = ezdxf.readfile(folder / "ribs.dxf")
    dxf_outlines = [np.array(e.get_points("xy")) for e in drawing.modelspace()
                    if e.dxftype() == "LWPOLYLINE" and e.dxf.layer == "CUT"]
    stride = 297.0 + 20.0
    worst_svg = worst_dxf = worst_skin = 0.0
    for rib in report["ribs"]:
        chord, twist = rib["chord"], rib["twist"]
        profile = blended(root, tip, rib["station"], chord, twist)
        notch = notch_x(root, tip, rib["station"])
        drawn = to_rib(sheets[rib["sheet"] - 1][rib["number"]], rib)
        worst_svg = max(worst_svg, distances(clear_of_features(drawn, chord, notch), profile).max())
        # Ahead of the sheeting's step the rib keeps the skin's distance.
        ahead = drawn[drawn[:, 0] < SHEETED_TO * chord - 0.5]
        worst_skin = max(worst_skin, np.abs(distances(ahead, profile) - SKIN).max())
        # The DXF's outline of this rib: on its sheet, where the SVG has it.
        shift = (rib["sheet"] - 1) * stride
        sheet_points = sheets[rib["sheet"] - 1][rib["number"]]
        matches = [o for o in dxf_outlines if len(o) == len(sheet_points)
                   and np.abs(o - [shift, 0] - sheet_points).max() < 1e-3]
        assert len(matches) == 1, rib["number"]
        drawn = to_rib(matches[0] - [shift, 0], rib)
        worst_dxf = max(worst_dxf, distances(clear_of_features(drawn, chord, notch), profile).max())
    assert worst_svg < 0.05 and worst_dxf < 0.05 and worst_skin < 0.05, (worst_svg, worst_dxf,
                                                                         worst_skin)


def test_the_notches_lie_on_straight_lines_through_the_wing(example):
    folder, report, root, tip = example
    sheets = [svg_parts(folder / sheet["file"]) for sheet in report["sheets"]]
    top, bottom = [], []
    for rib in report["ribs"]:
        drawn = to_rib(sheets[rib["sheet"] - 1][rib["number"]], rib)
        expected = notch_x(root, tip, rib["station"])
        (tx, tz, tw), (bx, bz, bw) = notches(drawn, expected)
        assert abs(tw - SPAR_WIDTH) < 1e-3 and abs(bw - SPAR_WIDTH) < 1e-3
        assert abs(tx - expected) < 1e-3 and abs(bx - expected) < 1e-3
        y = rib["station"]
        top.append((y, rib["leadingEdge"] + tx, tz))
        bottom.append((y, rib["leadingEdge"] + bx, bz))
    for line in (np.array(top), np.array(bottom)):
        for column in (1, 2):
            fit = np.polyfit(line[:, 0], line[:, column], 1)
            assert np.abs(np.polyval(fit, line[:, 0]) - line[:, column]).max() < 1e-3
    # Flush with the surface at the root and the tip.
    assert report["ribs"][0]["notchDepths"] == pytest.approx([SPAR_DEPTH, SPAR_DEPTH], abs=1e-6)
    assert report["ribs"][-1]["notchDepths"] == pytest.approx([SPAR_DEPTH, SPAR_DEPTH], abs=1e-6)


def test_no_two_parts_come_closer_than_the_gap(example):
    geometry = pytest.importorskip("shapely.geometry", reason="shapely (python3-shapely)")
    folder, report, _, _ = example
    for sheet in report["sheets"]:
        parts = [geometry.Polygon(p) for p in svg_parts(folder / sheet["file"]).values()]
        assert all(p.is_valid for p in parts)
        usable = geometry.box(5, 5, 297 - 5, 210 - 5)
        assert all(usable.buffer(1e-6).contains(p) for p in parts)
        for i, a in enumerate(parts):
            for b in parts[i + 1:]:
                assert not a.intersects(b) and a.distance(b) >= 3.0 - 1e-3


def test_rsvg_convert_renders_each_sheet_at_its_true_size(example):
    if shutil.which("rsvg-convert") is None:
        pytest.skip("rsvg-convert not installed (librsvg2-bin)")
    folder, report, _, _ = example
    tool = pathlib.Path(__file__).parent.parent / "tools" / "png_ink_extent.py"
    for sheet in report["sheets"]:
        png = folder / (sheet["file"] + ".png")
        # At 25.4 dots per inch a pixel is a millimetre.
        subprocess.run(["rsvg-convert", "--dpi-x", "25.4", "--dpi-y", "25.4", "-o", png,
                        folder / sheet["file"]], check=True)
        extent = subprocess.run(["/usr/bin/python3", tool, png], capture_output=True, text=True,
                                check=True).stdout.split()
        width, height, left, top, right, bottom = map(int, extent)
        assert (width, height) == (297, 210)
        assert min(left, top, width - 1 - right, height - 1 - bottom) >= 5 - 1


def test_the_kerf_moves_outlines_out_and_notches_in():
    root, tip = section_of(root_file()), tarvex.naca("0012")
    made = tarvex.ribs(root, tip, root_chord=ROOT_CHORD, tip_chord=TIP_CHORD, span=SPAN, ribs=3,
                       washout=WASHOUT, sheeting=(SKIN, SHEETED_TO), spars=[("30%", 6, 6, "both")],
                       kerf="0.2mm", sheet="A3")
    for part, section in zip(made.parts, made.ribs):
        profile = np.column_stack([section.x, section.y])
        notch = notch_x(root, tip, part.station)
        away = clear_of_features(part.outline, part.chord, notch, margin=0.6)
        # At the pointed trailing edge the cut turns a corner (a mitre).
        away = away[away[:, 0] < 0.98 * part.chord]
        assert np.abs(distances(away, profile) - 0.1).max() < 0.005
        widths = [width for _, _, width in notches(part.outline, notch)]
        assert widths == pytest.approx([5.8, 5.8], abs=1e-3)


def test_the_hot_wire_outlines_are_matched_point_for_point():
    root, tip = section_of(root_file()), tarvex.naca("0012")
    core = tarvex.hot_wire(root, tip, root_chord=ROOT_CHORD, tip_chord=TIP_CHORD, span=SPAN,
                           washout=WASHOUT, sweep=40, spars=[("30%", 6, 6)], points=121,
                           kerf=(1.0, 1.4))
    assert len(core.root) == len(core.tip) == 121
    assert len(core.matched) == 7  # both trailing-edge points, the nose, two sides on each surface
    nose = 60
    assert core.root.x[nose] == min(core.root.x) and core.tip.x[nose] == pytest.approx(
        min(core.tip.x), abs=0.2)
    sides = [i for i in core.matched if i not in (0, nose, 120)]
    assert core.root.x[sides] == pytest.approx([78, 72, 72, 78], abs=0.1)
    # The tip's, its washout and sweep undone: the spar's sides at 45 mm +- 3.
    turn, pivot = math.radians(-WASHOUT), 40 + AXIS * TIP_CHORD
    x, y = core.tip.x[sides] - pivot, core.tip.y[sides]
    assert x * math.cos(turn) - y * math.sin(turn) + pivot - 40 == pytest.approx(
        [48, 42, 42, 48], abs=0.1)
    moves = [line for line in core.gcode.splitlines() if line.startswith("G1 ")]
    assert len(moves) == 121 + 2 and moves[0] == moves[-1]
