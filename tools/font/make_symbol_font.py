#!/usr/bin/python3
"""Builds the symbol font "KYR Sans Serif" from DejaVu Sans.

KYRS.TTF is the regular face (from DejaVu Sans), KYRSS.TTF the bold face (from DejaVu Sans
Bold). The wheel window asks for bold, and a face of its own keeps Qt from smearing the regular
one into a bold.

Letters, digits and punctuation stay DejaVu's. The program's symbol codes carry the astrological
glyphs, each once at its Latin-1 code point and once at U+F000 + code: Qt does not draw U+00AD
(the quincunx's code, a soft hyphen), so the program hands out the private-use copies. The
glyphs also sit at their own Unicode code points where there is one.

Every symbol is scaled into one box, centred on the middle of the capitals, and brought to one
stroke weight, so that planets, signs and aspects look alike beside each other at small sizes.

Runs with Debian's /usr/bin/python3, the only interpreter the FontForge module installs into:
    make_symbol_font.py --dejavu /usr/share/fonts/truetype/dejavu --output DIR
"""

import argparse
import contextlib
import math
import os
import statistics
import sys


@contextlib.contextmanager
def quiet():
    """Keeps FontForge's notes (its start-up banner, its remarks on DejaVu's tables) out of the
    build log; they go to the C library's standard error, out of Python's reach."""
    sys.stderr.flush()
    saved = os.dup(2)
    try:
        with open(os.devnull, "w") as null:
            os.dup2(null.fileno(), 2)
            yield
    finally:
        os.dup2(saved, 2)
        os.close(saved)


# The fonts' creation and change dates (2025-01-01), so that the same sources give the same
# bytes. FontForge reads this when it is loaded.
os.environ["SOURCE_DATE_EPOCH"] = "1735689600"

with quiet():
    import fontforge
    import psMat

EM = 2048
CAP_HEIGHT = 1493
# Symbols are centred here, so they line up with capitals and centre in a line box.
MIDDLE = CAP_HEIGHT / 2
# The box every symbol is scaled into (before any per-glyph factor).
BOX_HEIGHT = 1493
BOX_WIDTH = 1700
SIDE_BEARING = 120
# The angles' letter pairs: capital height and the gap between the two letters (in the letters'
# own units, before they are scaled).
LETTER_HEIGHT = 1100
LETTER_GAP = 80
# The drawn aspects.
SEXTILE_RADIUS = 680
HALF_SEXTILE_HEIGHT = 1150
HALF_SEXTILE_SPREAD = 470
HALF_SEXTILE_LINE = 600
SESQUI_SQUARE = 900
SESQUI_REACH = 0.55

# The faces. "stem" is the symbols' stroke width in font units: DejaVu's own planet symbols have
# 150. Lighter than its capital stems, 200 (regular) and 370 (bold), because a symbol packs more
# strokes into the same box; at the bold capitals' weight the counters of the busier symbols
# close. The angles' letters come from the condensed bold face in both fonts: small bold capitals
# thinned to the symbols' weight keep open counters, where thickened regular ones clog.
STYLES = {
    "regular": dict(file="KYRS.TTF", source="DejaVuSans.ttf",
                    letters="DejaVuSansCondensed-Bold.ttf", style="Regular", weight=400, stem=160),
    "bold": dict(file="KYRSS.TTF", source="DejaVuSans-Bold.ttf",
                 letters="DejaVuSansCondensed-Bold.ttf", style="Bold", weight=700, stem=244),
}

FAMILY = "KYR Sans Serif"
VERSION = "1.000"

# Code, glyph name, how it is made, and its own Unicode code point (or None).
#   ("dejavu", U)          DejaVu's glyph U, scaled and brought to the common weight
#   ("letters", "AC")      two condensed capitals, for the angles
#   ("drawn", name)        drawn below from DejaVu's parts
# Options: "size" scales the box for glyphs that look too large when they fill it; "weight" the
# stroke, for shapes whose strokes taper and for the angles' letters, whose straight upright
# stems look darker; "bold" holds options for the bold face only, for busy shapes whose counters
# would close.
SYMBOLS = [
    # Bodies, body index 1..12.
    (0xB8, "sun", ("dejavu", 0x2609), 0x2609, {}),
    (0x9B, "moon", ("dejavu", 0x263D), 0x263D, {"weight": 0.8}),
    (0xBE, "mercury", ("dejavu", 0x263F), 0x263F, {"bold": {"weight": 0.85}}),
    (0xB1, "venus", ("dejavu", 0x2640), 0x2640, {}),
    (0xA1, "mars", ("dejavu", 0x2642), 0x2642, {}),
    (0xA5, "jupiter", ("dejavu", 0x2643), 0x2643, {}),
    (0x97, "saturn", ("dejavu", 0x2644), 0x2644, {}),
    (0x86, "uranus", ("dejavu", 0x2645), 0x2645, {"bold": {"weight": 0.85}}),
    (0x87, "neptune", ("dejavu", 0x2646), 0x2646, {"bold": {"weight": 0.8}}),
    (0x88, "pluto", ("dejavu", 0x2647), 0x2647, {}),
    (0xA8, "northnode", ("dejavu", 0x260A), 0x260A, {}),
    (0x82, "southnode", ("dejavu", 0x260B), 0x260B, {}),
    # Signs, Aries to Pisces.
    (0xF7, "aries", ("dejavu", 0x2648), 0x2648, {}),
    (0x9A, "taurus", ("dejavu", 0x2649), 0x2649, {}),
    (0xD0, "gemini", ("dejavu", 0x264A), 0x264A, {}),
    (0x98, "cancer", ("dejavu", 0x264B), 0x264B, {}),
    (0xAC, "leo", ("dejavu", 0x264C), 0x264C, {}),
    (0xAA, "virgo", ("dejavu", 0x264D), 0x264D, {"bold": {"weight": 0.85}}),
    (0xAB, "libra", ("dejavu", 0x264E), 0x264E, {}),
    (0x85, "scorpio", ("dejavu", 0x264F), 0x264F, {}),
    (0x7D, "sagittarius", ("dejavu", 0x2650), 0x2650, {}),
    (0x83, "capricorn", ("dejavu", 0x2651), 0x2651, {}),
    (0x8B, "aquarius", ("dejavu", 0x2652), 0x2652, {}),
    (0x8A, "pisces", ("dejavu", 0x2653), 0x2653, {}),
    # Aspects 0, 30, 45, 60, 90, 120, 135, 150 and 180 degrees.
    (0xB4, "conjunction", ("dejavu", 0x260C), 0x260C, {}),
    (0xDE, "semisextile", ("drawn", "semisextile"), 0x26BA, {}),
    (0xBC, "semisquare", ("dejavu", 0x2220), 0x2220, {}),
    (0xB5, "sextile", ("drawn", "sextile"), 0x26B9, {}),
    (0xB9, "square", ("dejavu", 0x25A1), 0x25A1, {"size": 0.88}),
    (0xBA, "trine", ("dejavu", 0x25B3), 0x25B3, {}),
    (0xA4, "sesquiquadrate", ("drawn", "sesquiquadrate"), 0x26BC, {}),
    (0xAD, "quincunx", ("drawn", "quincunx"), 0x26BB, {}),
    (0xAF, "opposition", ("dejavu", 0x260D), 0x260D, {}),
    # Angles: Ascendant, lower meridian, Descendant, Midheaven; and the retrograde mark.
    (0x7C, "ascendant", ("letters", "AC"), None, {"weight": 0.9}),
    (0x5D, "imumcoeli", ("letters", "IC"), None, {"weight": 0.9}),
    (0xFE, "descendant", ("letters", "DC"), None, {"weight": 0.9}),
    (0x5B, "mediumcoeli", ("letters", "MC"), None, {"weight": 0.9}),
    (0xB6, "retrograde", ("dejavu", 0x211E), 0x211E, {}),
]

PRIVATE_USE_BASE = 0xF000

# What stays of DejaVu Sans besides the symbols: the text a symbol table or a wheel writes, and
# the Latin letters of person and place names.
KEPT_RANGES = [(0x20, 0x7E), (0xA0, 0x17F), (0x2010, 0x2044), (0x20AC, 0x20AC), (0x2122, 0x2122),
               (0x2212, 0x2212)]


def open_dejavu(dejavu_dir, name):
    path = os.path.join(dejavu_dir, name)
    if not os.path.isfile(path):
        sys.exit("make_symbol_font: %s is missing (Debian package fonts-dejavu-core)" % path)
    with quiet():
        return fontforge.open(path)


def flatten(contour, steps=16):
    """The contour as a closed polyline."""
    c = contour.dup()
    c.is_quadratic = False
    n = len(c)
    on = [i for i in range(n) if c[i].on_curve]
    points = []
    for k, i in enumerate(on):
        j = on[(k + 1) % len(on)]
        seg = [c[m % n] for m in range(i, (j if j > i else j + n) + 1)]
        if len(seg) == 2:
            points.append((seg[0].x, seg[0].y))
            continue
        p0, p1, p2, p3 = seg[:4]
        for s in range(steps):
            t = s / steps
            w0, w1, w2, w3 = (1 - t) ** 3, 3 * (1 - t) ** 2 * t, 3 * (1 - t) * t * t, t ** 3
            points.append((w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x,
                           w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y))
    return points


def raster(layer, unit):
    """The outline filled (non-zero winding) on a grid of unit-sized cells, as rows of flags."""
    polygons = [flatten(c) for c in layer]
    xs = [p[0] for q in polygons for p in q]
    ys = [p[1] for q in polygons for p in q]
    x0, y0 = min(xs) - unit, min(ys) - unit
    width = int((max(xs) - x0) / unit) + 2
    height = int((max(ys) - y0) / unit) + 2
    edges = [(ax, ay, bx, by) for q in polygons
             for (ax, ay), (bx, by) in zip(q, q[1:] + q[:1]) if ay != by]
    grid = [[False] * width for _ in range(height)]
    for j in range(height):
        y = y0 + (j + 0.5) * unit
        crossings = sorted((ax + (y - ay) * (bx - ax) / (by - ay), 1 if by > ay else -1)
                           for ax, ay, bx, by in edges if min(ay, by) <= y < max(ay, by))
        winding = 0
        for (xa, d), (xb, _) in zip(crossings, crossings[1:]):
            winding += d
            if winding:
                first = max(int(math.ceil((xa - x0) / unit - 0.5)), 0)
                last = min(int(math.floor((xb - x0) / unit - 0.5)), width - 1)
                for i in range(first, last + 1):
                    grid[j][i] = True
    return grid


def stroke_weight(layer, unit=8.0):
    """The typical stroke width of an outline: through every inked cell the shortest run of
    ink across the four grid directions, and the median of those over the glyph. Stroke ends
    and joints hardly move the median, unlike an area-by-perimeter estimate."""
    grid = raster(layer, unit)
    height, width = len(grid), len(grid[0])
    shortest = [[math.inf] * width for _ in range(height)]
    for di, dj, step in ((1, 0, 1.0), (0, 1, 1.0), (1, 1, math.sqrt(2)), (1, -1, math.sqrt(2))):
        for j in range(height):
            for i in range(width):
                # Start only at the first cell of each run.
                pi, pj = i - di, j - dj
                if not grid[j][i] or (0 <= pi < width and 0 <= pj < height and grid[pj][pi]):
                    continue
                run = []
                a, b = i, j
                while 0 <= a < width and 0 <= b < height and grid[b][a]:
                    run.append((a, b))
                    a, b = a + di, b + dj
                length = len(run) * step * unit
                for a, b in run:
                    shortest[b][a] = min(shortest[b][a], length)
    return statistics.median(v for row in shortest for v in row if v != math.inf)


def bar(g, x0, y0, x1, y1, width):
    """Adds a straight stroke with square ends, as DejaVu draws its lines, to glyph g."""
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    c = fontforge.contour()
    c.moveTo(x0 + nx, y0 + ny)
    c.lineTo(x0 - nx, y0 - ny)
    c.lineTo(x1 - nx, y1 - ny)
    c.lineTo(x1 + nx, y1 + ny)
    c.closed = True
    # Every stroke is an outer contour; fixing directions after overlapping them would take
    # a stroke inside another for a hole.
    if not c.isClockwise():
        c.reverseDirection()
    layer = g.foreground
    layer += c
    g.foreground = layer


class Builder:
    def __init__(self, dejavu_dir, style):
        self.stem = style["stem"]
        self.bold = style["weight"] >= 700
        self.source = open_dejavu(dejavu_dir, style["source"])
        self.letters = open_dejavu(dejavu_dir, style["letters"])
        # Shapes are built in a cubic scratch font, where weight changes behave.
        self.work = fontforge.font()
        self.work.em = EM
        self.work.is_quadratic = False
        self.count = 0

    def scratch(self, layer=None):
        self.count += 1
        g = self.work.createChar(-1, "work%d" % self.count)
        if layer is not None:
            g.foreground = layer
        return g

    def normalised(self, layer, size=1.0, weight=1.0, height=BOX_HEIGHT, width=BOX_WIDTH):
        """An outline at the common stroke weight (times weight), scaled into the box (times
        size) and centred on the middle line."""
        g = self.scratch(layer)
        g.removeOverlap()
        target = self.stem * weight
        for _ in range(2):
            x0, y0, x1, y1 = g.boundingBox()
            scale = size * min(height / (y1 - y0), width / (x1 - x0))
            delta = target / scale - stroke_weight(g.foreground)
            if abs(delta) > 2:
                g.changeWeight(delta)
                g.removeOverlap()
        x0, y0, x1, y1 = g.boundingBox()
        scale = size * min(height / (y1 - y0), width / (x1 - x0))
        centre(g, scale)
        return g

    def dejavu(self, code_point, size=1.0, weight=1.0):
        return self.normalised(self.source[code_point].foreground, size, weight)

    def angle_letters(self, text, size=1.0, weight=1.0):
        """Two condensed capitals at three quarters of a symbol's height, so that the pair is
        no wider than the opposition and still legible at small sizes."""
        g = self.scratch()
        x = 0
        for ch in text:
            src = self.letters[ord(ch)]
            x0, _, x1, _ = src.boundingBox()
            part = self.scratch(src.foreground)
            part.transform(psMat.translate(x - x0, 0))
            g.foreground += part.foreground
            x += x1 - x0 + LETTER_GAP
        return self.normalised(g.foreground, weight=weight, height=LETTER_HEIGHT * size,
                               width=2 * BOX_WIDTH)

    # The aspects DejaVu lacks, drawn from its parts: straight strokes at the common weight and
    # its square. Coordinates are final font units around the middle line.

    def sextile(self, size=1.0, weight=1.0):
        # Three strokes through one centre, one upright: six rays 60 degrees apart.
        g = self.scratch()
        r = SEXTILE_RADIUS * size
        for degrees in (90, 30, 150):
            # Rounded so that the upright stroke is exactly upright.
            dx = round(r * math.cos(math.radians(degrees)), 6)
            dy = round(r * math.sin(math.radians(degrees)), 6)
            bar(g, -dx, MIDDLE - dy, dx, MIDDLE + dy, self.stem * weight)
        return tidy(g)

    def semisextile(self, size=1.0, weight=1.0):
        # The upper half of the sextile: two rays rising from the middle of a horizon line.
        g = self.scratch()
        w = self.stem * weight
        h = HALF_SEXTILE_HEIGHT * size
        base = MIDDLE - h / 2 + w / 2
        top = MIDDLE + h / 2
        spread = HALF_SEXTILE_SPREAD * size
        bar(g, -HALF_SEXTILE_LINE * size, base, HALF_SEXTILE_LINE * size, base, w)
        for side in (-1, 1):
            # Each ray reaches a little past the line's middle, inside the line, so that the
            # two cross instead of meeting in one point.
            back = 0.3 * w / math.hypot(spread, top - base)
            bar(g, -side * spread * back, base - (top - base) * back, side * spread, top, w)
        return tidy(g)

    def quincunx(self, size=1.0, weight=1.0):
        g = self.semisextile(size, weight)
        g.transform(psMat.compose(psMat.translate(0, -MIDDLE),
                                  psMat.compose(psMat.scale(1, -1), psMat.translate(0, MIDDLE))))
        g.correctDirection()
        return g

    def sesquiquadrate(self, size=1.0, weight=1.0):
        # A square and a half: DejaVu's square with the semisquare's stroke leaving its upper
        # right corner.
        g = self.normalised(self.source[0x25A1].foreground, weight=weight,
                            height=SESQUI_SQUARE * size)
        x0, y0, x1, y1 = g.boundingBox()
        w = self.stem * weight
        reach = (x1 - x0) * SESQUI_REACH
        # From just outside the inner corner, so that the stroke's square end lies inside the
        # corner's strokes without touching the corner point.
        bar(g, x1 - 0.8 * w, y1 - 0.8 * w, x1 + reach, y1 + reach, w)
        return tidy(g)

    def build(self, how, options):
        kind, what = how
        options = dict(options)
        for key, value in options.pop("bold", {}).items():
            if self.bold:
                options[key] = value
        if kind == "dejavu":
            g = self.dejavu(what, **options)
        elif kind == "letters":
            g = self.angle_letters(what, **options)
        else:
            g = getattr(self, what)(**options)
        # Stroke ends reach past the drawn shapes' nominal corners: centre on the actual box.
        x0, y0, x1, y1 = g.boundingBox()
        g.transform(psMat.translate(0, MIDDLE - (y0 + y1) / 2))
        # Clean outlines: one direction for outer contours, points at the extremes (where
        # rasterisers and hinters look for them), no overlaps left by the weight changes.
        g.removeOverlap()
        g.addExtrema()
        g.correctDirection()
        return g


def centre(g, scale):
    """Scales g about its box and puts the box's middle on the middle line."""
    x0, y0, x1, y1 = g.boundingBox()
    g.transform(psMat.compose(psMat.translate(-x0, -(y0 + y1) / 2),
                              psMat.compose(psMat.scale(scale), psMat.translate(0, MIDDLE))))


def tidy(g):
    """Joins the straight strokes of a drawn shape into one clean outline; rounding first, so
    that crossings land on whole units without leaving one-unit jogs behind."""
    g.round()
    g.removeOverlap()
    g.round()
    g.simplify(1.0, ("mergelines",))
    g.correctDirection()
    return g


def kept_glyphs(font, symbol_codes):
    """Names of the glyphs that stay: the kept ranges minus the symbol codes, with every glyph
    they are composed of."""
    keep = {".notdef", ".null", "nonmarkingreturn"}
    for lo, hi in KEPT_RANGES:
        for u in range(lo, hi + 1):
            if u in symbol_codes or u not in font:
                continue
            keep.add(font[u].glyphname)
    todo = list(keep)
    while todo:
        name = todo.pop()
        if name not in font:
            continue
        for ref in font[name].references:
            if ref[0] not in keep:
                keep.add(ref[0])
                todo.append(ref[0])
    return keep


COPYRIGHT = (
    "Copyright (c) 2003 by Bitstream, Inc. All Rights Reserved. Bitstream Vera is a trademark of "
    "Bitstream, Inc.\n"
    "Copyright (c) 2006 by Tavmjong Bah. All Rights Reserved.\n"
    "DejaVu changes are in public domain.\n"
    "KYR Sans Serif is a modified version of the DejaVu Sans fonts (Bitstream Vera and Arev "
    "derivatives): astrological symbols were added and rescaled and the fonts renamed, as the "
    "Bitstream Vera Fonts licence and the Arev Fonts licence (see the License record) permit.")


def bits(*numbers):
    return sum(1 << n for n in numbers)


def to_int32(value):
    """FontForge takes the OS/2 bit fields as signed 32-bit numbers."""
    return value - (1 << 32) if value >= 1 << 31 else value


def make_font(dejavu_dir, output_dir, style):
    builder = Builder(dejavu_dir, style)
    font = open_dejavu(dejavu_dir, style["source"])
    licence = next((text for language, key, text in font.sfnt_names
                    if language == "English (US)" and key == "License"), "")

    symbol_codes = {code for code, *_ in SYMBOLS}
    symbol_unicodes = {u for *_, u, _ in SYMBOLS if u is not None}
    keep = kept_glyphs(font, symbol_codes)

    # Shapes first, while DejaVu's symbols are still there to copy.
    shapes = {}
    for code, name, how, _, options in SYMBOLS:
        shapes[name] = builder.build(how, options).foreground

    for lookup in font.gsub_lookups:
        font.removeLookup(lookup)
    for lookup in font.gpos_lookups:
        if font.getLookupInfo(lookup)[0] != "gpos_pair":
            font.removeLookup(lookup)
    for g in list(font.glyphs()):
        if g.glyphname not in keep:
            font.removeGlyph(g)
    # DejaVu's characters at the symbol codes stay as unencoded components of accented letters.
    for g in font.glyphs():
        if g.unicode in symbol_codes or g.unicode in symbol_unicodes:
            g.unicode = -1
        g.altuni = None

    for code, name, how, unicode, options in SYMBOLS:
        g = font.createChar(-1, "kyr_" + name)
        g.foreground = shapes[name]
        # Again after the change to quadratic curves and to whole units.
        g.addExtrema()
        g.round()
        g.removeOverlap()
        g.correctDirection()
        x0, _, x1, _ = g.boundingBox()
        g.transform(psMat.translate(SIDE_BEARING - x0, 0))
        g.width = int(round(x1 - x0)) + 2 * SIDE_BEARING
        g.unicode = code
        alternates = [(PRIVATE_USE_BASE + code, -1, 0)]
        if unicode is not None:
            alternates.append((unicode, -1, 0))
        g.altuni = tuple(alternates)

    font.familyname = FAMILY
    font.fontname = "KYRSansSerif-" + style["style"]
    font.fullname = FAMILY + ("" if style["style"] == "Regular" else " " + style["style"])
    font.weight = style["style"]
    font.os2_weight = style["weight"]
    font.version = VERSION
    font.copyright = COPYRIGHT
    font.sfnt_names = ()
    for key, value in (("Copyright", COPYRIGHT), ("Family", FAMILY), ("SubFamily", style["style"]),
                       ("UniqueID", font.fullname + " " + VERSION), ("Fullname", font.fullname),
                       ("Version", "Version " + VERSION), ("PostScriptName", font.fontname),
                       ("License", licence),
                       ("License URL", "https://dejavu-fonts.github.io/License.html")):
        font.appendSFNTName("English (US)", key, value)

    # Declare Latin text and the blocks of the symbols, not DejaVu's scripts, which are gone; and
    # no symbol code page, which would make Qt take the font for a symbol font, not a Latin one.
    font.os2_codepages = (0x00000001, 0)
    # Basic Latin, Latin-1, Latin Extended-A, spacing modifiers, general punctuation; currency,
    # letterlike symbols, mathematical operators, geometric shapes, miscellaneous symbols and the
    # private use area, counted from bit 32.
    font.os2_unicoderanges = (to_int32(bits(0, 1, 2, 5, 31)),
                              to_int32(bits(1, 3, 6, 13, 14, 28)), 0, 0)
    font.encoding = "UnicodeBmp"
    # Written beside and then renamed, so that a failed run leaves no half font behind. Without
    # DejaVu's hinting instructions: the symbols have none, and letters and symbols rasterised
    # alike keep one weight at small sizes.
    path = os.path.join(output_dir, style["file"])
    partial = path + ".part.ttf"
    with quiet():
        font.generate(partial, flags=("opentype", "no-FFTM-table", "omit-instructions"))
    os.replace(partial, path)
    return path


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dejavu", default="/usr/share/fonts/truetype/dejavu",
                        help="directory of the DejaVu fonts")
    parser.add_argument("--output", required=True,
                        help="directory to write KYRS.TTF and KYRSS.TTF to")
    parser.add_argument("--style", choices=sorted(STYLES), action="append",
                        help="build only this face (may be repeated)")
    args = parser.parse_args()
    os.makedirs(args.output, exist_ok=True)
    for key in args.style or list(STYLES):
        make_font(args.dejavu, args.output, STYLES[key])
    return 0


if __name__ == "__main__":
    sys.exit(main())
