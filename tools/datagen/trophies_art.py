"""The trophies screen's pictures: the hall with its thirty niches and two tall alcoves, the thirty trophies small
and enlarged, the two big set trophies, the WOW sign, the dark plate behind an enlarged trophy; and the trophies'
descriptions, which the screen shows under the pointer.

Every texture is shown one texel to a screen pixel at 1024 by 768:
- TROPHIES is 1024 square, its top 768 rows the whole screen.
- TROPHIESSET is 1024 square: six columns by five rows of 127 by 117 texels, trophy i at column i mod 6, row
  i div 6, each cell drawn on the 127 by 117 pixels of its niche. Set 1 (trophies 0 to 14) is gold and amber,
  set 2 (15 to 29) silver and teal.
- TROPHIESETBIG1 and TROPHIESETBIG2 are 1024 square: four columns of 256 by 237 texels, trophy k of the set at
  column k mod 4, row k div 4; the same drawings as the small ones at twice the size.
- TROPHIEBIG1 and TROPHIEBIG2 are 256 by 512, showing 194 by 321 texels in the alcoves on the right.
- WOW and TROPHIEBIGBACKGROUND are 512 square, showing 352 by 333 texels over the middle of the grid.

Each keeps a flat patch of one colour (KEY_COLOURS, five-six-five bits so that block compression stores it
exactly) where a look at the drawn screen can find it; each colour is far enough from every other picture's for a
check within twelve levels to tell them apart.
"""
import functools
import math
import os
import sys
from dataclasses import dataclass
from xml.sax.saxutils import escape

import numpy as np

import art
import dds
import font
import loading
import preview
from hud_art import frame_grid, rounded_box, star_points
from menu_art import (PALE_LETTERS, SCREEN, build_sources, file_name, letters, panel, require_fit, still_texture,
                      stored, sunk_panel)
from objects_art import WHITE, Layer, edge, ellipse, stroke
from world_art import single

# Each one's flat patch is in KEY_PATCHES, near the end.
KEY_COLOURS = {
    "TROPHIES": stored("#081018"),              # the description plaque's field, left of the text
    "TROPHIESSET": stored("#6a1408"),           # the enamel plaque on every trophy's plinth
    "TROPHIESETBIG1": stored("#943800"),        # the same plaque, enlarged: set 1
    "TROPHIESETBIG2": stored("#94005a"),        # and set 2
    "TROPHIEBIG1": stored("#7b3c20"),           # the plaque on the tall plinth in the upper alcove
    "TROPHIEBIG2": stored("#4a0818"),           # and in the lower one
    "WOW": stored("#b42052"),                   # the sign's field, left of the W
    "TROPHIEBIGBACKGROUND": stored("#003018"),  # the plate's field, left of the enlarged trophy
}


def key(name):
    return np.array(KEY_COLOURS[name], dtype=np.float32) / 255.0


# --- Where the screen draws them ------------------------------------------------------------------------

TROPHY_COUNT, SET_SIZE, COLUMNS = 30, 15, 6
CELL = (127, 117)                   # a trophy's texels in TROPHIESSET and its pixels on the screen
BIG_CELL = (256, 237)               # an enlarged trophy's, in TROPHIESETBIG1 and 2
BIG_COLUMNS = 4
SET_TROPHY = (194, 321)             # TROPHIEBIG1 and 2: texture rectangle right 0.7578125, bottom 0.6269531
SET_TEXTURE = (256, 512)
SET_TROPHY_TOPS = (0, 325)          # their first rows on the screen, in the column from x 829
SET_TROPHY_LEFT = 829
OVERLAY = (352, 333)                # WOW and the plate: right 0.6875, bottom 0.6503906 of 512
OVERLAY_CORNER = (237, 158)         # their top-left pixel
ENLARGED_CORNER = (285, 206)        # the enlarged trophy's
OK_BOX = (880, 685, 975, 730)       # the menu's OK button, as the screen places it
DESCRIPTION = {"x": 0.2, "y": 0.912, "char_width": 0.01821675, "char_height": 0.05, "spacing": 1.12,
               "colour": (115, 150, 84, 255), "length": 58}


def texel_centre(value, size):
    """The pixel that shows a sprite's first texel when the game snaps its place half a pixel back, as it does
    for the grid: each texel then falls on one pixel."""
    return math.floor(value * size)


def cell_corner(index):
    """Trophy index's top-left pixel on the screen."""
    row, column = divmod(index, COLUMNS)
    return (texel_centre(column * 0.129 + 0.0229, SCREEN[0]), texel_centre(row * 0.158 + 0.03, SCREEN[1]))


# --- Drawing in the trophies' own units ------------------------------------------------------------------

class Sketch:
    """A layer drawn in design units: an enlarged trophy's cell of 256 by 237, scaled and moved into the layer.
    The same drawing then makes the small trophy, the enlarged one and, moved, the big set trophies."""

    def __init__(self, width, height, scale=1.0, origin=(0.0, 0.0)):
        self.layer = Layer(width, height)
        self.scale, self.origin = scale, origin
        x, y = art.grid(width, height)
        self.x, self.y = (x - origin[0]) / scale, (y - origin[1]) / scale
        self.rim = max(1, round(2 * scale))       # an ink outline's texels

    def at(self, points):
        return [(self.origin[0] + x * self.scale, self.origin[1] + y * self.scale) for x, y in points]

    def polygon(self, points):
        return art.polygon_mask(self.layer.width, self.layer.height, self.at(points))

    def ellipse(self, centre, radii, turn=0.0):
        (cx, cy), = self.at([centre])
        return ellipse(self.layer.width, self.layer.height, (cx, cy), (radii[0] * self.scale, radii[1] * self.scale),
                       turn)

    def stroke(self, points, radius, end_radius=None):
        end = None if end_radius is None else end_radius * self.scale
        return stroke(self.layer.width, self.layer.height, self.at(points), radius * self.scale, end)

    def box(self, left, top, right, bottom, radius):
        (x0, y0), (x1, y1) = self.at([(left, top), (right, bottom)])
        x, y = art.grid(self.layer.width, self.layer.height)
        # Half a texel at least: a box any sharper would not cover its own inside fully.
        return rounded_box(x, y, x0, y0, x1, y1, max(0.5, radius * self.scale))

    def text(self, text, size, centre):
        (cx, cy), = self.at([centre])
        return art.text_mask(self.layer.width, self.layer.height, text, art.SANS_BOLD, max(8, round(size * self.scale)),
                             (cx, cy))

    def outlined(self, colour, mask):
        self.layer.paint(art.INK, art.grow(mask, self.rim))
        self.layer.paint(colour, mask)


@dataclass(frozen=True)
class Tone:
    light: np.ndarray
    base: np.ndarray
    deep: np.ndarray


@dataclass(frozen=True)
class Family:
    metal: Tone
    crystal: Tone
    enamels: tuple                  # one colour for each run of five trophies
    glow: np.ndarray


GOLD = Tone(art.GOLD_LIGHT, art.GOLD, art.GOLD_DEEP)
SILVER = Tone(art.rgb("#f4f9ff"), art.rgb("#afc0d6"), art.rgb("#4c5a78"))
FAMILIES = (
    Family(GOLD, Tone(art.DAWN, art.AMBER, art.rgb("#a8462a")),
           (art.rgb("#b02a48"), art.rgb("#7040a8"), art.rgb("#2c5aa8")), art.AMBER),
    Family(SILVER, Tone(art.TEAL_LIGHT, art.TEAL, art.rgb("#1f7088")),
           (art.rgb("#17808a"), art.rgb("#3050b8"), art.rgb("#a8386a")), art.TEAL),
)
STONE = art.VIOLET * 0.55 + art.INDIGO * 0.45
DARK_NUMERAL = Tone(art.VIOLET * 0.7, art.INK, art.INK)      # for numbers on light crystal


def metal(sketch, mask, tone, centre_x, half_width):
    """Polished metal round an upright axis, lit from the upper left: a bright band left of the middle, shade
    towards the right, all on an ink outline."""
    t = (sketch.x - centre_x) / half_width
    light = np.exp(-((t + 0.38) / 0.28) ** 2)[..., None]
    dark = np.clip((t - 0.05) / 0.95, 0, 1)[..., None]
    colour = (tone.base * (1 - dark) + tone.deep * dark) * (1 - light * 0.7) + tone.light * light * 0.7
    sketch.outlined(colour, mask)
    sketch.layer.paint(tone.light, edge(mask, 0, sketch.rim) * mask * 0.6)


def enamel(sketch, mask, colour):
    """A coloured inlay, deeper at its foot, with a bright line under its top edge."""
    shade = np.clip((sketch.y - sketch.y[mask > 0.5].min()) / 80.0, 0, 1)[..., None] if mask.max() > 0.5 else 0
    sketch.outlined(colour * (1 - 0.35 * shade) + art.INK * 0.35 * shade, mask)
    sketch.layer.paint(np.clip(colour * 1.5 + 0.1, 0, 1), edge(mask, 0, sketch.rim) * mask * 0.7)


def numeral(sketch, text, centre, size, tone, glow=None):
    """The trophy's number in metal letters over an ink rim, so that the trophies tell apart at a glance."""
    if not text:
        return
    mask = sketch.text(text, size, centre)
    if glow is not None:
        sketch.layer.glow(glow, art.blur(art.grow(mask, sketch.rim), 3 * sketch.scale + 1) * 0.8)
    sketch.layer.paint(art.INK, art.grow(mask, sketch.rim))
    rows = np.nonzero(mask.max(axis=1) > 0.1)[0]
    t = np.clip((np.arange(sketch.layer.height)[:, None] - rows[0]) / max(1, rows[-1] - rows[0]), 0, 1)[..., None]
    sketch.layer.paint(tone.light * (1 - t) + tone.base * t, mask)


def glint(sketch, centre, size):
    (cx, cy), = sketch.at([centre])
    sketch.layer.shine(WHITE, art.sparkle(sketch.layer.width, sketch.layer.height, (cx, cy), size * sketch.scale)
                       * sketch.layer.alpha * 0.9)


# --- The trophies ----------------------------------------------------------------------------------------

AXIS = 128                          # every trophy stands on the cell's middle
PLAQUE_FIELD = (88, 178, 168, 204)      # the enamel on a trophy's plinth, in design units


def plinth(sketch, tone, plaque_colour):
    """Violet stone steps under a metal cap, an enamel plaque on the front: the flat key patch, painted last."""
    slab = sketch.box(68, 206, 188, 220, 3)
    block = sketch.box(82, 172, 174, 210, 2)
    cap = sketch.box(76, 164, 180, 174, 3)
    sketch.layer.paint(art.INK, art.blur(sketch.ellipse((AXIS, 220), (70, 6)), 2) * 0.6)
    sketch.outlined(STONE, slab)
    sketch.layer.paint(STONE * 1.7, edge(slab, 0, sketch.rim) * slab)
    sketch.outlined(STONE * 0.8, block)
    metal(sketch, cap, tone, AXIS, 52)
    trim = sketch.box(84, 174, 172, 208, 2)
    metal(sketch, trim, tone, AXIS, 44)
    sketch.layer.paint(plaque_colour, sketch.box(*PLAQUE_FIELD, 0))


def badge(sketch, centre, radius, colour, label, tone):
    """An enamel disc with the trophy's number across it."""
    enamel(sketch, sketch.ellipse(centre, (radius, radius)), colour)
    numeral(sketch, label, centre, radius * (1.5 if len(label) < 2 else 1.22), tone)


def cup(sketch, family, enamel_colour, label):
    tone = family.metal
    handles = np.maximum(sketch.stroke([(76, 42), (46, 46), (40, 70), (56, 92), (86, 100)], 6),
                         sketch.stroke([(180, 42), (210, 46), (216, 70), (200, 92), (170, 100)], 6))
    metal(sketch, handles, tone, AXIS, 96)
    foot = sketch.polygon([(116, 132), (140, 132), (164, 160), (168, 170), (88, 170), (92, 160)])
    metal(sketch, foot, tone, AXIS, 40)
    stem = np.maximum(sketch.box(118, 104, 138, 136, 3), sketch.ellipse((AXIS, 122), (16, 7)))
    metal(sketch, stem, tone, AXIS, 16)
    bowl = np.maximum(sketch.polygon([(68, 26), (188, 26), (176, 70), (150, 102), (106, 102), (80, 70)]),
                      sketch.ellipse((AXIS, 78), (54, 32)) * (sketch.y > 60))
    metal(sketch, bowl, tone, AXIS, 60)
    sketch.outlined(tone.deep * 0.6 + art.INK * 0.4, sketch.ellipse((AXIS, 26), (60, 9)))
    sketch.layer.paint(tone.light, np.clip(sketch.ellipse((AXIS, 26), (60, 9)) - sketch.ellipse((AXIS, 28), (54, 6)),
                                           0, 1))
    badge(sketch, (AXIS, 66), 29, enamel_colour, label, tone)
    glint(sketch, (88, 44), 16)


def shield(sketch, family, enamel_colour, label):
    tone = family.metal
    outline = [(52, 14), (AXIS, 22), (204, 14), (200, 92), (184, 128), (AXIS, 166), (72, 128), (56, 92)]
    body = sketch.polygon(outline)
    metal(sketch, body, tone, AXIS, 80)
    field = sketch.polygon([(64, 26), (AXIS, 33), (192, 26), (189, 90), (175, 122), (AXIS, 154), (81, 122),
                            (67, 90)])
    enamel(sketch, field, enamel_colour)
    band = sketch.polygon([(66, 74), (190, 74), (190, 86), (66, 86)]) * field
    metal(sketch, band, tone, AXIS, 70)
    badge(sketch, (AXIS, 82), 33, enamel_colour * 0.7 + art.INK * 0.3, label, tone)
    glint(sketch, (80, 30), 18)


def medal(sketch, family, enamel_colour, label):
    tone = family.metal
    frame = np.maximum.reduce([sketch.stroke([(70, 170), (70, 18)], 4), sketch.stroke([(186, 170), (186, 18)], 4),
                               sketch.stroke([(62, 16), (194, 16)], 5)])
    metal(sketch, frame, tone, AXIS, 80)
    for side in (-1, 1):
        ribbon = sketch.polygon([(AXIS + side * 44, 18), (AXIS + side * 20, 18), (AXIS + side * 2, 80),
                                 (AXIS + side * 24, 80)])
        enamel(sketch, ribbon, enamel_colour)
        stripe = sketch.polygon([(AXIS + side * 35, 18), (AXIS + side * 29, 18), (AXIS + side * 11, 80),
                                 (AXIS + side * 17, 80)])
        sketch.layer.paint(family.crystal.light, stripe * 0.9)
    rim = sketch.polygon(star_points((AXIS, 112), 52, 45, 16))
    metal(sketch, rim, tone, AXIS, 52)
    disc = sketch.ellipse((AXIS, 112), (38, 38))
    metal(sketch, disc, Tone(tone.base, tone.deep * 0.6 + tone.base * 0.4, tone.deep * 0.7), AXIS, 40)
    numeral(sketch, label, (AXIS, 112), 52 if len(label) < 2 else 42, tone)
    glint(sketch, (100, 80), 18)


def turned(origin, angle, points):
    """Points given from origin, turned by angle (radians, clockwise on the screen)."""
    cos, sin = math.cos(angle), math.sin(angle)
    return [(origin[0] + x * cos - y * sin, origin[1] + x * sin + y * cos) for x, y in points]


def crystal_shard(sketch, stone, base, height, half, lean=0.0):
    """A six-sided crystal standing on base, leaning by lean (radians), its left faces catching the light."""
    top, shoulder, inner = -height, -height * 0.72, half * 0.3

    def shape(points):
        return sketch.polygon(turned(base, lean, points))

    body = shape([(-half, 0), (-half, shoulder), (0, top), (half, shoulder), (half, 0), (0, height * 0.1)])
    sketch.outlined(stone.base, body)
    for points, colour in (([(-half, 0), (-half, shoulder), (-inner, shoulder * 0.92), (-inner, 0)],
                            stone.light * 0.6 + stone.base * 0.4),
                           ([(half, 0), (half, shoulder), (inner, shoulder * 0.92), (inner, 0)], stone.deep),
                           ([(-half, shoulder), (0, top), (-inner, shoulder * 0.92)], stone.light),
                           ([(half, shoulder), (0, top), (inner, shoulder * 0.92)], stone.base * 0.8)):
        sketch.layer.paint(colour, shape(points) * body)


def crystal(sketch, family, enamel_colour, label):
    tone, stone = family.metal, family.crystal
    sketch.layer.glow(stone.base, art.blur(sketch.ellipse((AXIS, 88), (48, 62)), 8 * sketch.scale + 1) * 0.55)
    for lean, height in ((-0.42, 78), (0.42, 66)):
        crystal_shard(sketch, stone, (AXIS + 30 * math.copysign(1, lean), 146), height, 14, lean)
    crystal_shard(sketch, stone, (AXIS, 140), 134, 34)
    numeral(sketch, label, (AXIS, 92), 44 if len(label) < 2 else 36, DARK_NUMERAL, glow=stone.light)
    mount = np.maximum(sketch.polygon([(96, 132), (160, 132), (150, 150), (144, 170), (112, 170), (106, 150)]),
                       np.maximum(sketch.stroke([(100, 134), (90, 112)], 4, 2), sketch.stroke([(156, 134),
                                                                                           (166, 112)], 4, 2)))
    metal(sketch, mount, tone, AXIS, 36)
    enamel(sketch, sketch.ellipse((AXIS, 150), (9, 9)), enamel_colour)
    glint(sketch, (108, 30), 22)


def star(sketch, family, enamel_colour, label):
    tone = family.metal
    post = np.maximum(sketch.box(120, 128, 136, 170, 3), sketch.ellipse((AXIS, 160), (22, 6)))
    metal(sketch, post, tone, AXIS, 22)
    body = sketch.polygon(star_points((AXIS, 86), 80, 36, 5))
    metal(sketch, body, tone, AXIS, 78)
    ridges = np.maximum.reduce([sketch.stroke([(AXIS, 86), point], 1.2) for point in
                                star_points((AXIS, 86), 76, 34, 5)[::2]])
    sketch.layer.paint(tone.deep, ridges * body * 0.6)
    badge(sketch, (AXIS, 90), 30, enamel_colour, label, tone)
    glint(sketch, (104, 40), 18)


def leaf(base, angle, length, width):
    """A pointed leaf or feather from base along angle: a kite with its widest part a third of the way."""
    return turned(base, angle, [(0, 0), (length * 0.35, -width), (length, 0), (length * 0.35, width)])


def laurel(sketch, family):
    """Two sprigs of metal leaves rising from the plinth round the trophy."""
    tone = family.metal
    for side in (-1, 1):
        stem = [(AXIS + side * 60, 168), (AXIS + side * 90, 132), (AXIS + side * 100, 90), (AXIS + side * 94, 48)]
        mask = sketch.stroke(stem, 2.5, 1.5)
        for k in range(7):
            segment, along = divmod(k * 3 / 7, 1)
            (x0, y0), (x1, y1) = stem[int(segment)], stem[int(segment) + 1]
            point = (x0 + (x1 - x0) * along, y0 + (y1 - y0) * along)
            rising = math.atan2(y1 - y0, x1 - x0)
            for out in (-0.75, 0.75):
                mask = np.maximum(mask, sketch.polygon(leaf(point, rising + out, 22 - k, 5)))
        metal(sketch, mask, tone, AXIS + side * 90, 24)


def rays(sketch, family):
    """A soft fan of the family's light behind the trophy."""
    # Flattened so that it fades out before the cell's top.
    angle = np.arctan2(sketch.y - 84, sketch.x - AXIS)
    reach = np.hypot((sketch.x - AXIS) / 112, (sketch.y - 84) / 80)
    fan = (0.5 + 0.5 * np.cos(angle * 12)) ** 3 * np.clip(1 - reach, 0, 1)
    sketch.layer.glow(family.glow, fan * 0.6)


SHAPES = (cup, shield, medal, crystal, star)
ORNAMENTS = (None, laurel, rays)


def paint_trophy(sketch, index, plaque_colour):
    """Trophy index in its family's metal: the shape by its place in a run of five, the enamel and the ornament
    by the run."""
    family = FAMILIES[index // SET_SIZE]
    run, place = divmod(index % SET_SIZE, len(SHAPES))
    if ORNAMENTS[run]:
        ORNAMENTS[run](sketch, family)
    SHAPES[place](sketch, family, family.enamels[run], str(index + 1))
    plinth(sketch, family.metal, plaque_colour)


def clear_border(layer, margin, shown=None):
    """Nothing within margin texels of the shown part's sides, so that the filter never lends a neighbour's
    colour nor the part beyond."""
    width, height = shown or (layer.width, layer.height)
    x, y = art.grid(layer.width, layer.height)
    keep = np.clip(np.minimum.reduce([x, y, width - x, height - y]) - margin, 0, 1)
    layer.alpha *= keep


def trophy_cell(index, size, plaque_colour):
    sketch = Sketch(*size, scale=size[0] / BIG_CELL[0])
    paint_trophy(sketch, index, plaque_colour)
    clear_border(sketch.layer, 1)
    return sketch.layer.rgba()


def trophy_set():
    cells = [trophy_cell(index, CELL, key("TROPHIESSET")) for index in range(TROPHY_COUNT)]
    return frame_grid(cells, (1024, 1024), CELL, columns=COLUMNS)


def enlarged_set(number):
    name = f"TROPHIESETBIG{number}"
    first = (number - 1) * SET_SIZE
    cells = [trophy_cell(index, BIG_CELL, key(name)) for index in range(first, first + SET_SIZE)]
    return frame_grid(cells, (1024, 1024), BIG_CELL, columns=BIG_COLUMNS)


# --- The big set trophies ----------------------------------------------------------------------------------

SET_SCALE = 0.74
SET_ORIGIN = (SET_TROPHY[0] / 2 - AXIS * SET_SCALE, 78)
TALL_PLAQUE_FIELD = (84, 234, 172, 270)


def tall_plinth(sketch, tone, plaque_colour):
    """Three steps of stone under the cup's foot, the middle one with a broad plaque: the key patch."""
    steps = [(86, 170, 170, 186), (60, 184, 196, 290), (44, 288, 212, 316)]
    for left, top, right, bottom in steps:
        block = sketch.box(left, top, right, bottom, 4)
        sketch.outlined(STONE, block)
        sketch.layer.paint(STONE * 1.7, edge(block, 0, sketch.rim) * block)
    for row in (184, 288):
        metal(sketch, sketch.box(56, row - 4, 200, row + 6, 3), tone, AXIS, 100)
    emblem = sketch.polygon(star_points((AXIS, 208), 16, 7, 5))
    metal(sketch, emblem, tone, AXIS, 16)
    metal(sketch, sketch.box(78, 228, 178, 276, 4), tone, AXIS, 56)
    sketch.layer.paint(plaque_colour, sketch.box(*TALL_PLAQUE_FIELD, 0))


def wings(sketch, tone):
    """Feathers fanned out and up behind the cup's handles, the longest at the back."""
    for side in (-1, 1):
        for k in range(6):
            angle = -0.15 - k * 0.2
            base = (AXIS + side * 62, 64 - k * 4)
            feather = sketch.polygon(leaf(base, math.pi - angle if side < 0 else angle, 96 - k * 9, 11))
            metal(sketch, feather, tone, AXIS + side * 110, 50)


def set_trophy(number):
    """The set's big trophy: set 1 a winged gold cup under a star, set 2 a silver chalice crowned with a teal
    crystal; both on a tall plinth with the set's numeral."""
    family = FAMILIES[number - 1]
    sketch = Sketch(*SET_TEXTURE, scale=SET_SCALE, origin=SET_ORIGIN)
    sketch.layer.glow(family.glow, art.blur(sketch.ellipse((AXIS, 40), (110, 120)), 12) * 0.45)
    if number == 1:
        wings(sketch, family.metal)
        cup(sketch, family, family.enamels[0], "I")
        lid(sketch, family)
    else:
        crown_crystal(sketch, family)
        cup(sketch, family, family.enamels[0], "II")
    tall_plinth(sketch, family.metal, key(f"TROPHIEBIG{number}"))
    clear_border(sketch.layer, 1, SET_TROPHY)
    return single(sketch.layer)


def lid(sketch, family):
    tone = family.metal
    dome = sketch.ellipse((AXIS, 24), (56, 34)) * (sketch.y < 24)
    metal(sketch, dome, tone, AXIS, 56)
    knob = sketch.stroke([(AXIS, -8), (AXIS, -26)], 6)
    metal(sketch, knob, tone, AXIS, 8)
    top = sketch.polygon(star_points((AXIS, -52), 30, 13, 5))
    metal(sketch, top, tone, AXIS, 30)
    sketch.layer.glow(family.glow, art.blur(top, 6) * 0.7)


def crown_crystal(sketch, family):
    stone = family.crystal
    sketch.layer.glow(stone.base, art.blur(sketch.ellipse((AXIS, -20), (60, 80)), 10) * 0.8)
    for lean in (-0.5, 0.5):
        crystal_shard(sketch, stone, (AXIS + 40 * math.copysign(1, lean), 34), 70, 14, lean)
    crystal_shard(sketch, stone, (AXIS, 36), 126, 32)
    glint(sketch, (112, -50), 30)


# --- The overlays ------------------------------------------------------------------------------------------

OVERLAY_TEXTURE = (512, 512)
OVERLAY_MIDDLE = (OVERLAY[0] / 2, OVERLAY[1] / 2)
WOW_PLATE = (14, 100, 338, 224)
WOW_TEXT, WOW_SIZE = "WOW!", 72
WOW_RIBBON = "New trophy!"


def starburst(layer, centre, radius, count, colours):
    """Rays of alternating colours from the centre, fading out towards the radius."""
    x, y = art.grid(layer.width, layer.height)
    angle = np.arctan2(y - centre[1], x - centre[0])
    fade = np.clip(1 - np.hypot(x - centre[0], (y - centre[1]) * 1.1) / radius, 0, 1) ** 0.45
    for k, colour in enumerate(colours):
        ray = np.clip(np.cos(angle * count / 2 + k * 2 * math.pi / len(colours)) * 3 - 1.6, 0, 1)
        layer.paint(colour, ray * fade)
        layer.shine(art.DAWN, ray * fade * 0.5)


def ribbon(layer, box, text):
    """A teal banner with folded ends under the sign, its caption in pale letters."""
    left, top, right, bottom = box
    middle = (top + bottom) / 2
    ends = [[(left - 26, top + 8), (left + 10, top + 8), (left + 10, bottom + 8), (left - 26, bottom + 8),
             (left - 14, middle + 8)],
            [(right + 26, top + 8), (right - 10, top + 8), (right - 10, bottom + 8), (right + 26, bottom + 8),
             (right + 14, middle + 8)]]
    for points in ends:
        end = art.polygon_mask(layer.width, layer.height, points)
        layer.paint(art.TEAL * 0.45 + art.INDIGO * 0.35, end, art.INK)
    band = art.polygon_mask(layer.width, layer.height, [(left, top), (right, top), (right, bottom), (left, bottom)])
    layer.paint(art.TEAL * 0.7 + art.INDIGO * 0.2, band, art.INK)
    layer.paint(art.TEAL_LIGHT, edge(band, 0, 2) * band * 0.8)
    require_fit(text, 22, right - left, bottom - top, room=2)
    letters(layer.colour, text, 22, ((left + right) / 2, middle), look=PALE_LETTERS)


def wow():
    """The sign that greets a trophy just won: a rose plate in gold under a fan of light, WOW! across it and a
    banner saying why."""
    layer = Layer(*OVERLAY_TEXTURE)
    x, y = art.grid(*OVERLAY_TEXTURE)
    # A dusk cloud under the rays keeps them bright over whatever trophies sit behind the sign.
    layer.paint(art.NIGHT, art.radial(*OVERLAY_TEXTURE, OVERLAY_MIDDLE, 150, 0.6, aspect=1.12) * 0.75)
    starburst(layer, OVERLAY_MIDDLE, 166, 16, (art.GOLD_LIGHT * 0.4 + art.GOLD * 0.6, art.AMBER * 0.8 + art.ROSE * 0.2))
    left, top, right, bottom = WOW_PLATE
    layer.paint(art.INK, art.blur(rounded_box(x, y, left, top + 4, right, bottom + 6, 20), 5) * 0.7)
    panel(layer, WOW_PLATE, key("WOW"), radius=20, rim=5, band=8, seed=31)
    require_fit(WOW_TEXT, WOW_SIZE, right - left - 2 * 13, bottom - top - 2 * 13, room=22)
    mask = art.text_mask(*OVERLAY_TEXTURE, WOW_TEXT, art.SANS_BOLD, WOW_SIZE, ((left + right) / 2, (top + bottom) / 2))
    rows = np.nonzero(mask.max(axis=1))[0]
    # The letters' glow keeps off the field left of the W, where the key lies flat.
    layer.glow(art.AMBER, art.blur(art.grow(mask, 3), 6) * 0.6 * (1 - rounded_box(x, y, left + 13, top + 13,
                                                                                    left + 60, bottom - 13, 4)))
    art.caption(layer.colour, mask, rows[0], rows[-1], art.GOLD_LIGHT, art.GOLD, outline_width=3, shadow=4)
    layer.alpha = np.maximum(layer.alpha, art.grow(mask, 3))
    ribbon(layer, (92, 240, 260, 276), WOW_RIBBON)
    for centre, size in (((48, 80), 22), ((312, 92), 26), ((300, 240), 18), ((60, 236), 16)):
        layer.glow(art.GOLD_LIGHT, art.sparkle(*OVERLAY_TEXTURE, centre, size))
    clear_border(layer, 1, OVERLAY)
    return single(layer)


def trophy_plate():
    """The dark plate behind an enlarged trophy: a deep field in gold, light welling up from behind the trophy.
    The trophy covers its middle (56 to 296 across, 48 to 270 down); the field stays flat round it."""
    layer = Layer(*OVERLAY_TEXTURE)
    width, height = OVERLAY
    x, y = art.grid(*OVERLAY_TEXTURE)
    box = (8, 8, width - 8, height - 8)
    layer.glow(art.TEAL * 0.6, art.blur(rounded_box(x, y, *box, 28), 6) * 0.8)
    panel(layer, box, key("TROPHIEBIGBACKGROUND"), radius=28, rim=5, band=10, seed=41)
    middle = (width / 2, 150)
    # Taller than wide, so that the light keeps off the flat field left of the trophy.
    for colour, radius, strength in ((art.TEAL * 0.8, 160, 1.0), (art.GOLD * 0.8, 96, 0.8), (art.DAWN, 44, 0.6)):
        art.add_light(layer.colour, colour, art.radial(*OVERLAY_TEXTURE, middle, radius, 1.4, aspect=0.82) * strength)
    floor = ellipse(*OVERLAY_TEXTURE, (width / 2, 274), (110, 14))
    layer.paint(art.TEAL * 0.35 + art.INDIGO * 0.3, art.blur(floor, 3) * 0.9)
    layer.shine(art.TEAL_LIGHT, art.blur(edge(floor, 0, 2), 1) * 0.5)
    clear_border(layer, 1, OVERLAY)
    return single(layer)


# --- The hall -------------------------------------------------------------------------------------------

CABINET = (8, 8, 819, 638)
ALCOVE_LEFT, ALCOVE_RIGHT = 832, 1020
PLAQUE = (20, 674, 866, 758)
OK_STAND = (866, 672, 988, 742)
HALL_TITLE = "Hall of Trophies"


def masonry(width, height, rng):
    """Violet stone blocks in courses, each block a little lighter or darker than its neighbours."""
    x, y = art.grid(width, height)
    course = 48
    row = np.floor(y / course)
    shift = (row % 2) * 48
    column = np.floor((x + shift) / 96)
    tone = rng.random((int(row.max()) + 2, int(column.max()) + 2)).astype(np.float32)[row.astype(int),
                                                                                      column.astype(int)]
    grain = art.fractal_noise(width, height, 16, rng, stretch=2, octaves=3)
    picture = (STONE * 0.55)[None, None, :] * (0.8 + 0.3 * tone[..., None] + 0.25 * (grain[..., None] - 0.5))
    joints = np.maximum(np.clip(1.5 - np.abs((y % course) - 0.5), 0, 1),
                        np.clip(1.5 - np.abs(((x + shift) % 96) - 0.5), 0, 1))
    art.over(picture, art.INK, joints * 0.8)
    return picture.astype(np.float32)


def crop(picture, box):
    """A view of part of the picture, to paint the small things in without working over the whole screen."""
    left, top, right, bottom = (int(v) for v in box)
    return picture[top:bottom, left:right]


def arch_opening(width, height, top, bottom, inset):
    """An opening with a flattened round top, width by height texels, inset from the sides."""
    x, y = art.grid(width, height)
    crown = top + (width / 2 - inset) * 0.3
    body = np.clip(np.minimum(x - inset, width - inset - x) + 0.5, 0, 1) * np.clip(np.minimum(y - crown, bottom - y)
                                                                                   + 0.5, 0, 1)
    dome = ellipse(width, height, (width / 2, crown), (width / 2 - inset, crown - top))
    return np.maximum(body, dome * (y <= crown + 1))


def recess(part, opening, floor_row, light):
    """The inside of a niche: dark at the back, a lamp's glow from the top, a lit floor and a gold frame."""
    height, width = part.shape[:2]
    x, y = art.grid(width, height)
    depth = art.vertical_gradient(height, [(0.0, art.INK), (0.7, STONE * 0.45), (1.0, STONE * 0.6)])
    inside = np.broadcast_to(depth[:, None, :], part.shape).copy()
    art.add_light(inside, light, art.radial(width, height, (width / 2, 0), height * 0.75, 1.4, aspect=0.9) * 0.55)
    inside *= (0.65 + 0.35 * np.clip(1 - np.abs(x - width / 2) / (width / 2), 0, 1) ** 0.5)[..., None]
    floor = np.clip(y - floor_row + 0.5, 0, 1) * opening
    near = np.clip((y - floor_row) / max(1, height - floor_row), 0, 1)[..., None]
    art.over(inside, STONE * (0.6 + 0.5 * near) + light * 0.1, floor)
    art.add_light(inside, light * 0.5, art.radial(width, height, (width / 2, floor_row + 4), width * 0.4, 1.5,
                                                  aspect=3.0) * floor)
    art.over(part, art.INK, art.grow(opening, 3) * 0.9)
    art.over(part, art.GOLD_DEEP, art.grow(opening, 2))
    art.over(part, art.GOLD, edge(art.grow(opening, 2), 0, 2) * 0.9)
    art.over(part, inside, opening)
    art.over(part, art.INK, edge(opening, 0, -4) * opening * 0.7)


def ledge(part, top, bottom, radius):
    """A stone sill across the front of a niche, gold along its top, for the trophy to stand on."""
    height, width = part.shape[:2]
    sill = rounded_box(*art.grid(width, height), 1, top, width - 1, bottom, radius)
    art.over(part, art.INK, art.grow(sill, 1) * 0.9)
    art.over(part, STONE * 1.25, sill)
    art.over(part, art.GOLD * 0.9, edge(sill, 0, 2) * sill)


def niche(picture, index, light):
    """A trophy's niche, on its cell: the plinth's foot (row 109 of the cell) stands on the sill."""
    left, top = cell_corner(index)
    part = crop(picture, (left, top, left + CELL[0], top + CELL[1] + 3))
    height, width = part.shape[:2]
    recess(part, arch_opening(width, height, 2, 109, 5), 98, light)
    ledge(part, 106, 116, 2)


def alcove(picture, top, bottom, light):
    part = crop(picture, (ALCOVE_LEFT - 6, top, ALCOVE_RIGHT + 4, bottom))
    height, width = part.shape[:2]
    recess(part, arch_opening(width, height, 6, height - 12, 6), height - 46, light)
    ledge(part, height - 16, height - 2, 3)


def cabinet(picture):
    """The case round the grid: a gold-rimmed violet panel whose niches line up with the trophies' cells."""
    height, width = picture.shape[:2]
    x, y = art.grid(width, height)
    sunk_panel(picture, CABINET, STONE * 0.9, radius=14, rim=5, band=0, seed=51)
    grain = art.fractal_noise(width, height, 10, np.random.default_rng(52), stretch=3, octaves=2) - 0.5
    inside = rounded_box(x, y, CABINET[0] + 6, CABINET[1] + 6, CABINET[2] - 6, CABINET[3] - 6, 8)
    art.over(picture, np.clip(STONE * 0.9 * (1 + 0.35 * grain[..., None]), 0, 1), inside)
    for index in range(TROPHY_COUNT):
        niche(picture, index, FAMILIES[index // SET_SIZE].glow)


def right_column(picture):
    """The two tall alcoves for the set trophies, each under its own arch of stone."""
    sunk_panel(picture, (ALCOVE_LEFT - 10, -20, SCREEN[0] + 20, 650), STONE * 0.9, radius=14, rim=5, band=0,
               seed=53)
    for (top, bottom), family in zip(((0, 322), (325, 647)), FAMILIES):
        alcove(picture, top, bottom, family.glow)


def description_plaque(picture):
    """A long dark plaque for the line of text under the grid (rows 700 to 738, from x 205), and a stand for the
    OK button at its right; a cup engraved at the plaque's left end."""
    sunk_panel(picture, PLAQUE, key("TROPHIES"), radius=16, rim=4, band=7, seed=61)
    sunk_panel(picture, OK_STAND, STONE * 0.5, radius=14, rim=4, band=0, seed=62)
    sketch = Sketch(64, 56, scale=0.22, origin=(32 - AXIS * 0.22, 4))
    cup(sketch, FAMILIES[0], FAMILIES[0].enamels[0], "")
    part = crop(picture, (30, 686, 94, 742))
    art.over(part, sketch.layer.colour, sketch.layer.alpha)


def hall():
    """The trophy hall: stone walls, the cabinet of thirty niches, the two alcoves and the plaque below."""
    width, height = SCREEN
    picture = masonry(width, height, np.random.default_rng(71))
    art.add_light(picture, art.PLUM * 0.5, art.radial(width, height, (width / 2, height), 700, 1.5, aspect=1.6))
    art.vignette(picture, strength=0.35)
    cabinet(picture)
    right_column(picture)
    description_plaque(picture)
    # The hall's name in the band between the cabinet and the plaque, where the game draws nothing.
    middle = (CABINET[0] + CABINET[2]) / 2
    require_fit(HALL_TITLE, 22, 360, PLAQUE[1] - CABINET[3], room=4)
    letters(picture, HALL_TITLE, 22, (middle, (CABINET[3] + PLAQUE[1]) / 2 + 1))
    for side in (-1, 1):
        loading.flourish(picture, middle + side * 170, (CABINET[3] + PLAQUE[1]) / 2 + 1, 60)
    return still_texture(picture, (1024, 1024), key("TROPHIES"))


# --- The descriptions ------------------------------------------------------------------------------------

DESCRIPTIONS = [
    "1-1: one wall spell turns all three friends home",
    "1-2: all three friends home in time over the bridge",
    "1-3: the winds carry all three friends home in time",
    "1-4: through the veil, all three home in time",
    "1-5: a wall and a bridge bring all three home",
    "1-6: all three home in time, not one on the spikes",
    "1-7: the east wind blows all three home in time",
    "1-8: all three across both gaps and home in time",
    "1-9: one teleport sends all three home in time",
    "1-10: all three home before the keep's bell tolls",
    "2-1: all three home in time through the fog",
    "2-2: past the sleeping monster, all three home",
    "2-3: all three home off the crumbling ledge",
    "2-4: winds both ways, all three home in time",
    "2-5: all three home in time: the first set done!",
    "2-6: all three home in time over the frozen tarn",
    "2-7: three bridges, three friends home in time",
    "2-8: all three home as the first stars come out",
    "2-9: through the veil twice, all three home",
    "2-10: all three home past the sleeping bats",
    "3-1: walls hold the monster, all three home",
    "3-2: all three home in time down the long stairs",
    "3-3: every spell cast, all three home in time",
    "3-4: all three home in time through the storm",
    "3-5: over the spikes on the wind, all three home",
    "3-6: all three home across the broken keep",
    "3-7: not a moment to spare, all three home",
    "3-8: all three home in time under the blood moon",
    "3-9: all three home in time at the moor's edge",
    "3-10: the last gate! All three home by dawn",
]
TEXT_ROOM = 8           # pixels kept clear between the longest description and the OK button


@functools.lru_cache(maxsize=None)
def glyph_renderer():
    return font.GlyphRenderer()


@functools.lru_cache(maxsize=None)
def glyph_width(character):
    """A character's width in character widths, as the font texture's glyph table gives it."""
    return glyph_renderer().cell(character)[1] / font.CELL


def line_right_edge(text):
    """The pixel where the screen's description line ends: the label's pen moves on by each glyph's width in
    character widths, plus the spacing's extra between characters."""
    cells = sum(glyph_width(character) for character in text) + (DESCRIPTION["spacing"] - 1) * (len(text) - 1)
    return (DESCRIPTION["x"] + cells * DESCRIPTION["char_width"]) * SCREEN[0]


def description_faults(descriptions):
    """Why a description would not show as written: too many for the screen, too long for its label, a letter the
    code page lacks, or a line that runs into the OK button."""
    faults = [] if len(descriptions) == TROPHY_COUNT else [f"{len(descriptions)} descriptions for {TROPHY_COUNT}"]
    for text in descriptions:
        if len(text) > DESCRIPTION["length"]:
            faults.append(f'"{text}": {len(text)} characters, more than {DESCRIPTION["length"]}')
        try:
            text.encode("cp1251")
        except UnicodeEncodeError:
            faults.append(f'"{text}": not all in windows-1251')
            continue
        if line_right_edge(text) > OK_BOX[0] - TEXT_ROOM:
            faults.append(f'"{text}": ends at x {line_right_edge(text):.0f}, into the OK button at {OK_BOX[0]}')
    return faults


def descriptions_xml(descriptions):
    faults = description_faults(descriptions)
    if faults:
        raise ValueError("; ".join(faults))
    entries = "".join(f'  <Trophy Name="{escape(text, {chr(34): "&quot;"})}"></Trophy>\n' for text in descriptions)
    return f'<?xml version="1.0" encoding="windows-1251"?>\n<Trophies>\n{entries}</Trophies>\n'.encode("cp1251")


def write_descriptions(data_folder):
    """Res/trophies.xml: one Trophy a level, in the grid's order."""
    with open(os.path.join(data_folder, "Res", "trophies.xml"), "wb") as file:
        file.write(descriptions_xml(DESCRIPTIONS))


# --- Where the keys are -------------------------------------------------------------------------------

def inner_texels(scale, origin, rect, inset=3):
    """The whole texels inside a rectangle given in design units, three more in: every block of four by four that
    block compression packs a patch texel in then lies inside the flat colour, and keeps it exactly."""
    left, top, right, bottom = rect
    return (math.ceil(origin[0] + left * scale) + inset, math.ceil(origin[1] + top * scale) + inset,
            math.floor(origin[0] + right * scale) - inset, math.floor(origin[1] + bottom * scale) - inset)


# Each key's flat patch: left, top, right and bottom texels from the corner of the face that shows it (for the
# trophy sheets, from the corner of every cell). Faces are drawn a texel to a pixel, so these are also pixels
# from the sprite's corner on the screen.
KEY_PATCHES = {
    "TROPHIES": (100, 694, 190, 742),
    "TROPHIESSET": inner_texels(CELL[0] / BIG_CELL[0], (0, 0), PLAQUE_FIELD),
    "TROPHIESETBIG1": inner_texels(1, (0, 0), PLAQUE_FIELD),
    "TROPHIESETBIG2": inner_texels(1, (0, 0), PLAQUE_FIELD),
    "TROPHIEBIG1": inner_texels(SET_SCALE, SET_ORIGIN, TALL_PLAQUE_FIELD),
    "TROPHIEBIG2": inner_texels(SET_SCALE, SET_ORIGIN, TALL_PLAQUE_FIELD),
    "WOW": (30, 124, 46, 200),
    "TROPHIEBIGBACKGROUND": (26, 60, 40, 270),
}


# --- The list ---------------------------------------------------------------------------------------------

PAINTERS = [
    ("TROPHIES", hall),
    ("TROPHIESSET", trophy_set),
    ("TROPHIESETBIG1", lambda: enlarged_set(1)),
    ("TROPHIESETBIG2", lambda: enlarged_set(2)),
    ("TROPHIEBIG1", lambda: set_trophy(1)),
    ("TROPHIEBIG2", lambda: set_trophy(2)),
    ("WOW", wow),
    ("TROPHIEBIGBACKGROUND", trophy_plate),
]
# Each texture's file is its name in small letters, in the trophies' own folder under Res.
SHEETS = [(name, f"trophies\\{name.lower()}.dds", paint) for name, paint in PAINTERS]
OPAQUE = {"TROPHIES"}


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, file, paint in SHEETS:
        dds.write(os.path.join(folder, file_name(file)), paint(), "dxt1" if name in OPAQUE else "dxt5")


LISTINGS = {"--outputs": lambda: [file_name(file) for _, file, _ in SHEETS], "--sources": build_sources}


# --- Previews -------------------------------------------------------------------------------------------

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data")
SHOWN = {"TROPHIES": (1024, 768), "TROPHIEBIG1": SET_TROPHY, "TROPHIEBIG2": SET_TROPHY, "WOW": OVERLAY,
         "TROPHIEBIGBACKGROUND": OVERLAY}


def texture(folder, name):
    return preview._texture(os.path.join(folder, name.lower() + ".dds"))


def grid_screen(folder, hovered):
    """The screen with every trophy won, both sets complete and the pointer over trophy hovered."""
    screen = preview.Image.new("RGBA", SCREEN, (0, 0, 0, 255))
    preview._draw(screen, texture(folder, "TROPHIES"), (0, 0) + SCREEN, (0, 0), SCREEN)
    ok = os.path.join(DATA, "Res", "menu", "okbtnpas.dds")
    if os.path.exists(ok):
        preview._draw(screen, preview._texture(ok), (0, 0, 95, 45), OK_BOX[:2], (95, 45))
    trophies = texture(folder, "TROPHIESSET")
    for index in range(TROPHY_COUNT):
        row, column = divmod(index, COLUMNS)
        cell = (column * CELL[0], row * CELL[1], (column + 1) * CELL[0], (row + 1) * CELL[1])
        preview._draw(screen, trophies, cell, cell_corner(index), CELL)
    for number, top in enumerate(SET_TROPHY_TOPS, 1):
        preview._draw(screen, texture(folder, f"TROPHIEBIG{number}"), (0, 0) + SET_TROPHY, (SET_TROPHY_LEFT, top),
                      SET_TROPHY)
    font_texture = os.path.join(DATA, "Res", "font.dds")
    if os.path.exists(font_texture):
        preview.draw_text(screen, preview._texture(font_texture), preview.read_table(os.path.join(DATA, "Res",
                          "font.xml")), DESCRIPTIONS[hovered], DESCRIPTION["x"], DESCRIPTION["y"],
                          DESCRIPTION["char_width"], DESCRIPTION["char_height"], DESCRIPTION["colour"])
    return screen


def enlarged_screen(folder, index):
    screen = grid_screen(folder, index)
    preview._draw(screen, texture(folder, "TROPHIEBIGBACKGROUND"), (0, 0) + OVERLAY, OVERLAY_CORNER, OVERLAY)
    k = index % SET_SIZE
    column, row = k % BIG_COLUMNS, k // BIG_COLUMNS
    cell = (column * BIG_CELL[0], row * BIG_CELL[1], (column + 1) * BIG_CELL[0], (row + 1) * BIG_CELL[1])
    preview._draw(screen, texture(folder, f"TROPHIESETBIG{index // SET_SIZE + 1}"), cell, ENLARGED_CORNER, BIG_CELL)
    return screen


def wow_screen(folder, index):
    screen = grid_screen(folder, index)
    preview._draw(screen, texture(folder, "WOW"), (0, 0) + OVERLAY, OVERLAY_CORNER, OVERLAY)
    return screen


def write_previews(folder, preview_folder):
    """PNG pictures of the sheets and of the screen as the game composes it, from the DDS files in folder."""
    os.makedirs(preview_folder, exist_ok=True)
    for name, file, _ in SHEETS:
        sheet = preview.sheet_on(os.path.join(folder, file_name(file)), (40, 28, 64, 255))
        sheet.crop((0, 0) + SHOWN.get(name, sheet.size)).save(os.path.join(preview_folder, name.lower() + ".png"))
    for picture, name in ((grid_screen(folder, 7), "screen"), (enlarged_screen(folder, 16), "screen-enlarged"),
                          (wow_screen(folder, 3), "screen-wow")):
        picture.save(os.path.join(preview_folder, name + ".png"))


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: trophies_art.py FOLDER (data/Res/trophies) [PREVIEW_FOLDER] | --outputs | --sources")
    if sys.argv[1] in LISTINGS:
        print(";".join(LISTINGS[sys.argv[1]]()))
    else:
        main(sys.argv[1])
        if len(sys.argv) == 3:
            write_previews(sys.argv[1], sys.argv[2])
