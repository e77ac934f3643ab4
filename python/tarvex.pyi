"""Airfoil coordinate files: read a section in any layout, look at its
properties, redistribute it, and write it in any of the output formats.

Coordinates are the engine's single-precision values. The engine runs
without the interpreter lock, so threads convert in parallel.
"""

import datetime
import os
from typing import Iterable, Literal, NamedTuple, Protocol, Sequence, SupportsFloat, Union, overload

import numpy
import numpy.typing

__version__: str

_Path = Union[str, bytes, os.PathLike[str], os.PathLike[bytes]]
# A number, a short name ("xy", "dxf"; any case) or a row of formats().
_Format = Union[int, str, "Format"]
_Date = Union[str, datetime.date, None]
# Numbers as numpy takes them: a sequence, an array or anything with __array__.
_Numbers = numpy.typing.ArrayLike
_Array = numpy.typing.NDArray[numpy.float64]

class _Readable(Protocol):
    def read(self) -> Union[str, bytes]: ...

class Error(Exception):
    """Base class of the failures tarvex reports (file-system errors are OSError)."""

    reason: str  # the engine's sentence saying why
    filename: Union[str, None]

class ReadError(Error, ValueError):
    """The input holds no airfoil section (no coordinates in a known layout,
    or points that enclose no area)."""

class WriteError(Error, ValueError):
    """The section cannot be written in the chosen format with these options."""

class FieldOverflowError(WriteError):
    """A number does not fit its fixed-width field; nothing was written."""

class RedistributionError(Error, ValueError):
    """The section cannot be redistributed onto the stations asked for."""

class DesignationError(Error, ValueError):
    """The NACA designation names no section naca() can make."""

class SameFileError(Error, OSError):
    """The output file is one of the inputs; it is left as it was."""

class Properties(NamedTuple):
    """Section properties in chord units c of the section as read."""

    area: float  # [c^2]
    xs: float  # area centroid [c]
    ys: float
    ixs: float  # second moments of area about the centroid [c^4]
    iys: float
    circumference: float  # length of the contour line [c]
    x0: float  # centroid of the contour line [c]
    y0: float
    ix0: float  # second moments about the contour centroid [c^4]
    iy0: float

class Figures(NamedTuple):
    """What people look for first, in chord units c, from both surfaces on
    common x-stations (as format 16 lists them)."""

    max_thickness: float
    max_thickness_x: float
    max_camber: float  # farthest from zero, with its sign
    max_camber_x: float
    trailing_edge_thickness: float  # gap between the first and last point
    leading_edge_radius: float  # fitted over the nose points; nan if none

_Length = Union[SupportsFloat, str]  # millimetres, or '250mm', '10in', '0.3m'

class Format(NamedTuple):
    """One output format of the engine's format table."""

    number: int
    name: str
    extension: str
    title: str
    pairs_surfaces: bool
    per_cent: bool
    comments_break_it: bool

class ConvertResult(NamedTuple):
    """The outcome of one input of convert()."""

    input: _Path
    output: Union[str, None]
    ok: bool
    error: Union[BaseException, None]
    text: Union[str, None]  # the converted text when no output was named

class Section:
    """One airfoil section, points from the trailing edge over the upper
    surface to the leading edge and back over the lower surface. Read by
    read(), it is normalised to unit chord; naca() and Section(x, y) make one.
    Never changes."""

    def __init__(self, x: _Numbers, y: _Numbers, name: str = "", *, normalise: bool = True) -> None:
        """Points from the trailing edge over one surface and back (either way
        round). normalise=False keeps them as given. TypeError for what are not
        numbers, ValueError for other shapes, ReadError for points that make no
        section (not finite, too few, no chord or area)."""
    @staticmethod
    def from_coordinates(points: _Numbers, name: str = "", *, normalise: bool = True) -> "Section":
        """An N×2 array-like, one row (x, y) per point."""

    @property
    def name(self) -> str: ...
    @property
    def x(self) -> numpy.typing.NDArray[numpy.float64]:
        """Read-only copy of the engine's single-precision x values."""
    @property
    def y(self) -> numpy.typing.NDArray[numpy.float64]: ...
    @property
    def coordinates(self) -> _Array:
        """N×2, a row (x, y) per point, read-only."""
    @property
    def upper(self) -> _Array:
        """K×2, the upper surface's points from the leading edge (the first
        point of smallest x) to the trailing edge."""
    @property
    def lower(self) -> _Array:
        """K×2, the lower surface's points from the leading edge, which both hold."""
    @overload
    def thickness(self, x: SupportsFloat) -> float: ...
    @overload
    def thickness(self, x: _Numbers) -> _Array:
        """upper - lower at x, in chord units, linear between the common
        stations the figures use. x from 0 (leading edge) to 1 (trailing
        edge); outside, or nan: ValueError."""
    @overload
    def camber(self, x: SupportsFloat) -> float: ...
    @overload
    def camber(self, x: _Numbers) -> _Array:
        """(upper + lower) / 2 at x, as thickness()."""
    @property
    def layout(self) -> str:
        """'two columns', 'three columns', 'counted two columns', 'four columns',
        'CEF', 'DXF', 'XML', or 'points' for a section made from points or by naca()."""
    @property
    def comments(self) -> tuple[str, ...]: ...
    @property
    def notices(self) -> tuple[str, ...]: ...
    @property
    def properties(self) -> Properties: ...
    @property
    def figures(self) -> Figures: ...
    @property
    def points_read(self) -> int: ...
    @property
    def x_range(self) -> tuple[float, float]:
        """The input's x-range before normalising."""
    def __len__(self) -> int: ...
    def write(
        self,
        target: Union[_Path, None] = None,
        format: _Format = 1,
        *,
        comments: bool = False,
        keep_size: bool = False,
        scale: tuple[SupportsFloat, SupportsFloat] = (1.0, 1.0),
        append: bool = False,
        date: _Date = None,
        chord: Union[_Length, None] = None,
        skin: Union[_Length, None] = None,
        stroke: Union[_Length, None] = None,
        label: bool = False,
        chord_line: bool = False,
        farfield: Union[SupportsFloat, None] = None,
        mesh_size: Union[SupportsFloat, None] = None,
        spline: bool = False,
    ) -> Union[str, None]:
        """Writes to target (a path) and returns None, or returns the output as
        a str decoded as ISO 8859-1 when target is None."""
    def redistribute(
        self,
        stations: Union[Iterable[SupportsFloat], None] = None,
        *,
        count: Union[int, None] = None,
    ) -> "Section":
        """A new section on the standard stations, the given ones, or count
        cosine-spaced points (3 to 1999; the nose takes a point, so an even
        count gives one more)."""
    # The shaping steps, each giving a new section (lengths in chords).
    def te_gap(self, gap: float, blend: float = 0.8) -> "Section":
        """The trailing-edge gap set to gap (0 closes it), blended over blend."""
    def with_thickness_camber(
        self,
        *,
        thickness: Union[float, None] = None,
        thickness_x: Union[float, None] = None,
        camber: Union[float, None] = None,
        camber_x: Union[float, None] = None,
    ) -> "Section":
        """Maximum thickness and camber set, their positions moved; None keeps."""
    def scale_le_radius(self, factor: float, blend: float = 0.2) -> "Section":
        """The leading-edge radius times factor, blended over blend."""
    def flap(self, hinge_x: float, degrees: float, hinge_y: float = 0.5) -> "Section":
        """A trailing-edge flap deflected by degrees (positive down)."""
    def blend(self, other: "Section", fraction: float) -> "Section":
        """The weighted mean with other: 0 gives this section, 1 gives other."""
    def repanel(
        self, points: int = 160, *, bunching: float = 1.0, te_ratio: float = 0.15
    ) -> "Section":
        """Exactly points points clustered by curvature."""

def read(source: Union[_Path, str, bytes, bytearray, memoryview, _Readable]) -> Section:
    """A path (os.PathLike, or a str without a line end), coordinate text (a str
    holding a line end, or bytes), or an open file. Points (a list or an array)
    are a TypeError: Section(x, y) takes them."""

def naca(
    designation: str,
    *,
    points: int = 161,
    closed_te: bool = False,
    spacing: Literal["cosine", "uniform"] = "cosine",
) -> Section:
    """A NACA section: '2412', '0012-64', '23012', '16-212', '63-206',
    '63(2)-615', '64A210', ... with points for the whole section (5 to 100001;
    an even count gives one more, the nose takes a point). DesignationError
    with the reason for a designation that names none."""

def read_text(text: Union[str, bytes, bytearray, memoryview]) -> Section: ...
def formats() -> list[Format]: ...
def convert(
    inputs: Union[_Path, Iterable[_Path]],
    output: Union[_Path, None] = None,
    *,
    output_dir: Union[_Path, None] = None,
    format: _Format = 1,
    comments: bool = False,
    redistribute: bool = False,
    stations: Union[Sequence[SupportsFloat], None] = None,
    keep_size: bool = False,
    scale: tuple[SupportsFloat, SupportsFloat] = (1.0, 1.0),
    append: bool = False,
    no_clobber: bool = False,
    date: _Date = None,
    chord: Union[_Length, None] = None,
    skin: Union[_Length, None] = None,
    stroke: Union[_Length, None] = None,
    label: bool = False,
    chord_line: bool = False,
    farfield: Union[SupportsFloat, None] = None,
    mesh_size: Union[SupportsFloat, None] = None,
    spline: bool = False,
    points: Union[int, None] = None,
) -> list[ConvertResult]:
    """points: onto this many cosine-spaced points instead of stations (3 to
    1999; an even count gives one more, the nose takes a point)."""

# Rib sets and foam cores: lengths in mm (a number, or a str with its unit,
# '250mm', '10in'), fractions of the chord as numbers or per cents ('25%').
_Fraction = Union[SupportsFloat, str]
_Place = Union[_Fraction, str]  # 0.3, '30%', or a length from the leading edge, '75mm'
_SectionSource = Union[Section, _Path, str]  # a Section, a coordinate file or a NACA designation
_Spar = Union[
    tuple[Union[_Place, tuple[_Place, _Place]], _Length, _Length],
    tuple[Union[_Place, tuple[_Place, _Place]], _Length, _Length, Literal["top", "bottom", "both"]],
    dict[str, object],  # position, tip_position, width, depth, side
]

class RibPart(NamedTuple):
    """One rib as cut, in its own coordinates: mm, x aft from its leading edge
    before the washout, y up from the chord plane."""

    number: int  # from 1 at the root
    station: float  # from the root
    chord: float
    twist: float  # degrees, nose down
    leading_edge: float  # its x in the wing (the sweep)
    notch_depths: tuple[float, ...]  # each spar notch, top before bottom
    sheet: int  # an index into RibSet.sheets
    # On the sheet: turned rotation degrees about the origin, then moved by
    # (x, y) from the sheet's lower left corner.
    x: float
    y: float
    rotation: float
    outline: _Array  # N x 2, closed, counter-clockwise, the kerf allowed for
    holes: _Array  # K x 3: x, y, radius
    engraving: tuple[_Array, ...]  # the scored strokes, each M x 2
    text: str  # what they spell

class RibSet(NamedTuple):
    sheets: tuple[str, ...]  # one SVG document per sheet, at true size in mm
    dxf: str  # every sheet side by side in one DXF R2000 drawing
    report: str  # the table of stations, chords, twist, sheets, notch depths
    json: str  # the same as JSON
    ribs: tuple[Section, ...]  # each the blend at its station, at its chord in mm, washout turned in
    parts: tuple[RibPart, ...]

class HotWire(NamedTuple):
    root: Section  # mm, Selig order, the same number of points as tip
    tip: Section  # with its sweep and washout
    matched: tuple[int, ...]  # trailing edge, leading edge and spars' sides, the same in both
    gcode: str  # four-axis: X Y root, U V tip

def ribs(
    root: _SectionSource,
    tip: Union[_SectionSource, None] = None,
    *,
    root_chord: _Length,
    tip_chord: Union[_Length, None] = None,
    span: _Length,
    ribs: Union[int, None] = None,
    stations: Union[Iterable[_Length], None] = None,
    sweep: Union[_Length, str] = 0.0,  # a length, or an angle such as '5deg'
    washout: SupportsFloat = 0.0,
    twist_axis: _Fraction = 0.25,
    ruled: bool = True,
    name: str = "",
    sheeting: Union[_Length, tuple[_Length, _Fraction], tuple[_Length, _Fraction, _Fraction], None] = None,
    spars: Iterable[_Spar] = (),
    le_stock: Union[tuple[_Length, _Length], None] = None,  # (depth, height)
    te_stock: _Length = 0.0,
    holes: Iterable[_Fraction] = (),
    hole_size: SupportsFloat = 0.6,
    web: _Length = 2.0,
    tabs: Iterable[_Fraction] = (),
    tab_width: _Length = 6.0,
    tab_length: _Length = 10.0,
    engrave: bool = True,
    label: str = "R",
    sheet: Union[str, tuple[_Length, _Length]] = "A4",  # 'A4', 'A3' (across), 'WxH'
    gap: _Length = 3.0,
    margin: _Length = 5.0,
    kerf: _Length = 0.0,
    stroke: _Length = 0.1,
) -> RibSet:
    """The ribs of a wing panel nested on sheets, as `tarvex ribs` makes them.
    ValueError with the reason for anything that cannot be made."""

def hot_wire(
    root: _SectionSource,
    tip: Union[_SectionSource, None] = None,
    *,
    root_chord: _Length,
    tip_chord: Union[_Length, None] = None,
    span: _Length,
    sweep: Union[_Length, str] = 0.0,
    washout: SupportsFloat = 0.0,
    twist_axis: _Fraction = 0.25,
    ruled: bool = True,
    name: str = "",
    sheeting: Union[_Length, tuple[_Length, _Fraction], tuple[_Length, _Fraction, _Fraction], None] = None,
    spars: Iterable[_Spar] = (),
    points: int = 201,
    kerf: Union[_Length, tuple[_Length, _Length]] = 0.0,  # the wire's cut, or (root, tip)
    feed: SupportsFloat = 300.0,  # mm/min
    lead_in: _Length = 10.0,
    towers: Union[tuple[_Length, _Length], None] = None,  # (spacing, root face from X Y)
) -> HotWire:
    """The panel's foam core: root and tip outlines matched point for point, and G-code."""
