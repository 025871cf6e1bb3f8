"""The score-counting screen's pictures: the three counters' bars, the staff that fills towards the next bonus
life with the gold fittings drawn over it, the Next button, the divider under the last bar and the plate for a
level lost. The screen's backdrop is the high-score table's (menu_art's SCOREBKG), so everything here sits on its
navy field in the same gold and violet.

How the engine draws a bar decides how its two pictures are made. The progress bar shows its fill over its frame
in the same place, and crops the fill rather than stretching it: across, the fill's texture rectangle and its width
on the screen shrink together from the right; upright, both give up their tops. So the fill is the frame's own
channel painted full, clear everywhere else, and the two line up at every fill.

Texture sizes (screen 1024 by 768):
- PROGBAR2 and PROGBAR1, the counters' frame and fill, are shown whole over 648 by 38 pixels. They are painted at
  twice that and shrunk into 1024 by 64, so the game's bilinear filter only ever shrinks a smooth picture; 512 by
  32 would have to be stretched and blur the rims.
- SCORESTAFFPAS and SCORESTAFFACT show 82 by 431 texels of 128 by 512 on 82 by 431 pixels.
- SCORELIFESTAFF is 32 by 512, drawn whole on its 32 by 512 pixels. It lies 15 pixels right of the staff's left
  edge and starts 81 pixels above it, so that its head stands clear of the staff and its bands and foot fall on it.
- SCORENEXTPAS and SCORENEXTACT show 128 by 79 texels of 128 square on 128 by 78 pixels.
- SCOREYOUDONT is 1024 by 512 over 694 by 505 pixels, painted at twice its screen size and shrunk.
- SCORELINE shows 428 by 1 texels of 512 by 4, stretched over 512 by 1 pixels; its four rows are alike, so the
  one-pixel line reads the same whichever row the filter lands on.

Every texture keeps a flat patch of one colour (KEY_COLOURS, five-six-five bits so that block compression stores
it exactly) where a look at the drawn screen can find it.
"""
import functools
import math
import os
import sys

import numpy as np
from PIL import Image

import art
import dds
import loading
import menu_art
from hud_art import rounded_box, squeeze, star_points
from menu_art import PALE_LETTERS, file_name, letters, panel, require_fit, stored
from objects_art import WHITE, Layer, edge, ellipse, stroke
from world_art import single

SCREEN = (1024, 768)

KEY_COLOURS = {
    # Where each patch shows on the screen, in pixels (x, then y).
    "PROGBAR2": stored("#10aebd"),        # the gem's table at each bar's left end: 286-297, 163-176 on bar 0,
                                          # 355-368 on bar 1, 546-559 on bar 2
    "PROGBAR1": stored("#52dede"),        # the middle rows of the fill: from 311 to the fill's front, 166-172 on
                                          # bar 0, 358-364 on bar 1, 549-555 on bar 2
    "SCORESTAFFPAS": stored("#083841"),   # the empty glass: 147-159, from 128 down to the fill's surface
    "SCORESTAFFACT": stored("#ff795a"),   # the middle of the fill: 150-155, from its surface down to 532
    "SCORELIFESTAFF": stored("#c5b2ff"),  # the orb in the crescent at the staff's head: 150-160, 66-75
    "SCORENEXTPAS": stored("#4138b4"),    # the button's plate round its caption: 776-895, 633-695
    "SCORENEXTACT": stored("#7b71ee"),
    "SCOREYOUDONT": stored("#390452"),    # the plate's field round the lines (the game never shows the plate)
    "SCORELINE": stored("#e6c683"),       # the middle of the divider: 478-705 on row 588 or 589
}


def key(name):
    return np.array(KEY_COLOURS[name], dtype=np.float32) / 255.0


# --- The counters' bars ------------------------------------------------------------------------------------

BAR_TEXTURE = (1024, 64)
BAR_PIXELS = (0.633 * SCREEN[0], 0.05 * SCREEN[1])    # 648.2 by 38.4
BAR_SCALE = 2                                         # painted at twice the screen size
TRACK = (12, 6, 644, 32.5)                            # the gold-rimmed track, in screen pixels of the bar
TRACK_RIM = 3
GEM_CENTRE, GEM_RADIUS, GEM_TABLE = (19, 19.2), 17, 8


def bar_canvas():
    return Layer(round(BAR_PIXELS[0] * BAR_SCALE), round(BAR_PIXELS[1] * BAR_SCALE))


def scaled(values):
    return tuple(value * BAR_SCALE for value in values)


def bar_texture(layer):
    return art.to_image(*squeeze(layer.colour, layer.alpha, BAR_TEXTURE))


def channel(layer):
    """The track's inside, where the fill runs: inside the rim and its ink wire."""
    x, y = art.grid(layer.width, layer.height)
    left, top, right, bottom = scaled(TRACK)
    inset = (TRACK_RIM + 1) * BAR_SCALE
    return rounded_box(x, y, left + inset, top + inset, right - inset, bottom - inset, (bottom - top) / 2 - inset)


def gem_outline(layer):
    return ellipse(layer.width, layer.height, scaled(GEM_CENTRE), scaled((GEM_RADIUS, GEM_RADIUS)))


def ramp(at, stops):
    """Colours along a line of positions, through (position, colour) stops."""
    return np.stack([np.interp(at, [p for p, _ in stops], [c[k] for _, c in stops]) for k in range(3)], -1)


def bar_frame():
    """The empty track: a gold rim round a dark channel marked every tenth, a teal gem at its left end."""
    layer = bar_canvas()
    left, top, right, bottom = scaled(TRACK)
    floor = art.INK * 0.55 + art.NIGHT * 0.45
    panel(layer, (left, top, right, bottom), floor, radius=(bottom - top) / 2, rim=TRACK_RIM * BAR_SCALE)
    inside = channel(layer)
    layer.paint(art.TEAL * 0.25 + art.INDIGO * 0.4, edge(inside, 0, -2 * BAR_SCALE) * inside * 0.7)
    layer.paint(art.GOLD * 0.8, tenth_marks(layer) * inside * 0.45)
    facet = ellipse(layer.width, layer.height, scaled(GEM_CENTRE), scaled((GEM_TABLE, GEM_TABLE)))
    menu_art.gem(layer, gem_outline(layer), facet, key("PROGBAR2"), setting=3 * BAR_SCALE)
    return bar_texture(layer)


def tenth_marks(layer):
    """Short ticks rising from the channel's floor where the fill stands at each tenth, longer at the half."""
    _, _, _, bottom = scaled(TRACK)
    marks = np.zeros((layer.height, layer.width), dtype=np.float32)
    for tenth in range(1, 10):
        x = layer.width * tenth / 10
        length = (9 if tenth == 5 else 5) * BAR_SCALE
        marks = np.maximum(marks, stroke(layer.width, layer.height, [(x, bottom - 5 * BAR_SCALE),
                                                                     (x, bottom - 5 * BAR_SCALE - length)], 0.9))
    return marks


def bar_fill():
    """Teal light filling the channel right of the gem: a gloss along the top, the flat key through the middle,
    a deeper tide along the bottom with a few sparks in it, all even from end to end so that a crop anywhere
    looks the same."""
    layer = bar_canvas()
    liquid = channel(layer) * (1.0 - art.grow(gem_outline(layer), BAR_SCALE))
    rows = np.nonzero(channel(layer).max(axis=1) > 0.5)[0]
    depth = np.clip((np.arange(layer.height, dtype=np.float32) + 0.5 - rows[0]) / (rows[-1] + 1 - rows[0]), 0, 1)
    core = key("PROGBAR1")
    deep = art.TEAL * 0.4 + art.INDIGO * 0.5
    stops = [(0.0, art.TEAL_LIGHT), (0.26, core), (0.64, core), (0.8, core * 0.75 + deep * 0.25), (1.0, deep)]
    layer.paint(np.broadcast_to(ramp(depth, stops)[:, None, :], (layer.height, layer.width, 3)), liquid)
    x, y = art.grid(layer.width, layer.height)
    beyond_core = ((depth < 0.22) | (depth > 0.68))[:, None] * liquid
    shimmer = np.clip(1.0 - np.abs((x + y * 0.8) % (26 * BAR_SCALE) - 4 * BAR_SCALE) / (3 * BAR_SCALE), 0, 1)
    layer.shine(art.TEAL_LIGHT, shimmer * beyond_core * 0.3)
    tide = art.fractal_noise(layer.width, layer.height, 6 * BAR_SCALE, np.random.default_rng(61), stretch=8)
    low = (depth > 0.74)[:, None] * liquid
    layer.paint(art.TEAL_LIGHT, np.clip(tide - 0.55, 0, 1) * 2.0 * low * 0.5)
    gloss = np.exp(-((depth - 0.1) / 0.06) ** 2)[:, None] * liquid
    layer.shine(WHITE, gloss * 0.7)
    for x, y, size in sparks(layer):
        layer.shine(WHITE, art.sparkle(layer.width, layer.height, (x, y), size) * low * 0.8)
    return bar_texture(layer)


def sparks(layer):
    rng = np.random.default_rng(62)
    _, _, _, bottom = scaled(TRACK)
    start = (GEM_CENTRE[0] + GEM_RADIUS + 6) * BAR_SCALE
    return [(x, bottom - rng.uniform(6.0, 7.5) * BAR_SCALE, rng.uniform(2.5, 4.0) * BAR_SCALE)
            for x in np.linspace(start, layer.width - 16 * BAR_SCALE, 14) + rng.uniform(-12, 12, 14) * BAR_SCALE]


# --- The staff ---------------------------------------------------------------------------------------------

STAFF_TEXTURE = (128, 512)
STAFF_SHOWN = menu_art.shown(STAFF_TEXTURE, 0.640625, 0.841796875)      # 82 by 431
TUBE_X, TUBE_HALF, TUBE_TOP, TUBE_BOTTOM = 31, 12, 4, 427               # the glass, in the staff's texels
GLASS_WALL = 2
# The fittings' texture in the staff's texels: its left edge and top, from where the game puts both.
FITTINGS_CORNER = (15, -81)


def tube(layer, inset=0):
    x, y = art.grid(layer.width, layer.height)
    half = TUBE_HALF - inset
    return rounded_box(x, y, TUBE_X - half, TUBE_TOP + inset, TUBE_X + half, TUBE_BOTTOM - inset, half)


def staff_frame():
    """Empty glass, dark and clear, with a glint down its left side; ticks on its right at every tenth of the way
    to the next life, and a small heart at its top left under the count of lives that the game writes there."""
    layer = Layer(*STAFF_TEXTURE)
    glass, inside = tube(layer), tube(layer, GLASS_WALL)
    layer.paint(art.INK, art.grow(glass, 1) * 0.9)
    layer.paint(art.TEAL_LIGHT * 0.55 + art.VIOLET * 0.45, glass)
    layer.paint(key("SCORESTAFFPAS"), inside)
    x, _ = art.grid(*STAFF_TEXTURE)
    glint = np.clip(1.2 - np.abs(x - (TUBE_X - TUBE_HALF + 4.5)), 0, 1) * inside
    layer.shine(art.TEAL_LIGHT, glint * 0.35)
    layer.shine(WHITE, np.clip(1.0 - np.abs(x - (TUBE_X + TUBE_HALF - 4)), 0, 1) * inside * 0.12)
    for tenth in range(1, 10):
        y = STAFF_SHOWN[1] * (1 - tenth / 10)
        length = 10 if tenth == 5 else 6
        tick = stroke(*STAFF_TEXTURE, [(TUBE_X + TUBE_HALF + 1, y), (TUBE_X + TUBE_HALF + 1 + length, y)], 1.0,
                      0.6)
        layer.paint(art.GOLD, tick, art.INK)
    heart(layer, (10, 27))
    return single(layer)


def heart(layer, centre):
    cx, cy = centre
    lobes = np.maximum(ellipse(layer.width, layer.height, (cx - 3.3, cy - 2), (3.8, 3.8)),
                       ellipse(layer.width, layer.height, (cx + 3.3, cy - 2), (3.8, 3.8)))
    point = art.polygon_mask(layer.width, layer.height, [(cx - 7, cy - 1), (cx + 7, cy - 1), (cx, cy + 7)])
    shape = np.maximum(lobes, point)
    layer.paint(art.ROSE, shape, art.INK)
    layer.paint(art.DAWN, edge(shape, 1, 2) * shape * 0.7)


STAFF_CORE = 2.5          # texels either side of the glass's middle that keep the fill's key


def staff_fill():
    """The glass full of dawn light, round like the glass: pale on the left, the flat key down the middle, rose
    deepening to plum on the right, with a few bubbles rising either side of the middle."""
    layer = Layer(*STAFF_TEXTURE)
    inside = tube(layer, GLASS_WALL)
    x, _ = art.grid(*STAFF_TEXTURE)
    offset = x[0] - TUBE_X
    core = key("SCORESTAFFACT")
    stops = [(-TUBE_HALF, art.GOLD_LIGHT), (-TUBE_HALF + 5, art.DAWN * 0.5 + core * 0.5), (-STAFF_CORE, core),
             (STAFF_CORE, core), (TUBE_HALF - 5, art.ROSE), (TUBE_HALF, art.PLUM)]
    layer.paint(np.broadcast_to(ramp(offset, stops)[None], (STAFF_TEXTURE[1], STAFF_TEXTURE[0], 3)), inside)
    rng = np.random.default_rng(71)
    for _ in range(16):
        side = rng.choice([-1, 1])
        centre = (TUBE_X + side * rng.uniform(5.8, 6.8), rng.uniform(TUBE_TOP + 30, TUBE_BOTTOM - 20))
        radius = rng.uniform(1.0, 1.8)
        bubble = ellipse(*STAFF_TEXTURE, centre, (radius, radius))
        layer.paint(art.GOLD_LIGHT, (bubble - ellipse(*STAFF_TEXTURE, centre, (radius - 0.8,) * 2)) * 0.8)
    return single(layer)


FITTINGS_SIZE = (32, 512)


def in_fittings(x, y):
    """A point of the staff's texels in the fittings' texels."""
    return x - FITTINGS_CORNER[0], y - FITTINGS_CORNER[1]


def staff_fittings():
    """Gold over the staff: a crescent holding a lilac orb under a star at its head, bands where the staff is a
    quarter, a half and three quarters full, and a pointed foot."""
    width, height = FITTINGS_SIZE
    layer = Layer(width, height)
    middle, top = in_fittings(TUBE_X, TUBE_TOP)
    _, bottom = in_fittings(TUBE_X, TUBE_BOTTOM)
    staff_head(layer, middle, top)
    bands = [top + 1] + [in_fittings(0, STAFF_SHOWN[1] * (1 - quarter / 4))[1] for quarter in (1, 2, 3)] + [bottom - 9]
    for y in bands:
        gilded(layer, rounded_box(*art.grid(width, height), middle - 13, y - 3, middle + 13, y + 3, 2.5))
    foot = art.polygon_mask(width, height, [(middle - 9, bottom - 6), (middle + 9, bottom - 6), (middle, height - 1)])
    gilded(layer, foot)
    return single(layer)


def staff_head(layer, middle, top):
    """The part above the glass, standing clear of the panel's rim: star, crescent and orb on a knotted neck."""
    width, height = layer.width, layer.height
    gilded(layer, stroke(width, height, [(middle, 50), (middle, top + 2)], 2.6))
    gilded(layer, ellipse(width, height, (middle, 64), (5.5, 3.2)))
    moon = ellipse(width, height, (middle, 38), (14.5, 14.5)) - ellipse(width, height, (middle, 31), (13, 13))
    gilded(layer, np.clip(moon, 0, 1))
    orb = ellipse(width, height, (middle, 31), (7.5, 7.5))
    layer.glow(key("SCORELIFESTAFF"), art.blur(art.grow(orb, 2), 3) * 0.6)
    layer.paint(key("SCORELIFESTAFF"), orb, art.INK)
    layer.paint(WHITE * 0.6 + key("SCORELIFESTAFF") * 0.4, edge(orb, 2, 2) * orb * 0.8)
    layer.glow(WHITE, art.sparkle(width, height, (middle - 3, 28), 3) * 0.7)
    star = art.polygon_mask(width, height, star_points((middle, 9), 8, 3.2, points=4))
    gilded(layer, star)
    layer.glow(art.GOLD_LIGHT, art.blur(star, 2) * 0.5)


def gilded(layer, mask):
    layer.paint(art.GOLD, mask, art.INK)
    layer.paint(art.GOLD_LIGHT, edge(mask, 1, 2) * mask * 0.9)
    layer.paint(art.GOLD_DEEP, edge(mask, -1, -2) * mask * 0.8)


# --- The button, the divider and the plate ----------------------------------------------------------------------

NEXT_TEXTURE = (128, 128)
NEXT_FACE = menu_art.shown(NEXT_TEXTURE, 0.999, 0.6171875)             # 128 by 79
NEXT_CAPTION = 28


def next_button(name, lit):
    face = menu_art.button("Next", NEXT_CAPTION, NEXT_FACE, key(name), lit)
    return menu_art.stacked([face], NEXT_TEXTURE, NEXT_FACE[1])


LINE_TEXTURE = (512, 4)
LINE_SHOWN = menu_art.shown(LINE_TEXTURE, 0.8359375, 0.25)[0]         # 428 texels
LINE_FADE = 120                                                        # texels from each end to full strength


def line():
    """A gold rule, the key through its middle, deepening and fading out towards both ends."""
    x = np.arange(LINE_TEXTURE[0], dtype=np.float32) + 0.5
    strength = np.clip(np.minimum(x, LINE_SHOWN - x) / LINE_FADE, 0, 1)
    colour = art.GOLD_DEEP + (key("SCORELINE") - art.GOLD_DEEP) * strength[:, None]
    rows = (LINE_TEXTURE[1], 1)
    return art.to_image(np.tile(colour[None], rows + (1,)), np.tile(strength[None], rows))


PLATE_TEXTURE = (1024, 512)
PLATE_PIXELS = (0.677734375 * SCREEN[0], 0.6575521231 * SCREEN[1])     # 694 by 505
PLATE_SCALE = 2
PLATE_LINES = ("Not everyone made it home.", "Try the level again!")


def plate():
    """A form like the menu's in a soft shadow: "Too bad!" over a gold rule and two calm lines."""
    width, height = round(PLATE_PIXELS[0] * PLATE_SCALE), round(PLATE_PIXELS[1] * PLATE_SCALE)
    s = PLATE_SCALE
    layer = Layer(width, height)
    x, y = art.grid(width, height)
    box = (24 * s, 24 * s, width - 24 * s, height - 24 * s)
    layer.paint(art.NIGHT, art.blur(rounded_box(x, y, *box, 28 * s), 10 * s) * 0.7)
    panel(layer, box, key("SCOREYOUDONT"), radius=28 * s, rim=5 * s, band=11 * s, seed=31)
    loading.title(layer.colour, "Too bad!", (width / 2, 170 * s), 64 * s)
    loading.flourish(layer.colour, width / 2, 235 * s, 200 * s)
    for text, row in zip(PLATE_LINES, (310, 365)):
        require_fit(text, 30 * s, box[2] - box[0] - 80 * s, 60 * s)
        letters(layer.colour, text, 30 * s, (width / 2, row * s), look=PALE_LETTERS)
    return art.to_image(*squeeze(layer.colour, layer.alpha, PLATE_TEXTURE))


# --- The list ---------------------------------------------------------------------------------------------

PAINTERS = [
    ("PROGBAR2", bar_frame),
    ("PROGBAR1", bar_fill),
    ("SCORESTAFFPAS", staff_frame),
    ("SCORESTAFFACT", staff_fill),
    ("SCORELIFESTAFF", staff_fittings),
    ("SCORENEXTPAS", functools.partial(next_button, "SCORENEXTPAS", False)),
    ("SCORENEXTACT", functools.partial(next_button, "SCORENEXTACT", True)),
    ("SCOREYOUDONT", plate),
    ("SCORELINE", line),
]
# Each texture's file is its name in small letters, in the score screen's own folder under Res.
SHEETS = [(name, f"score\\{name.lower()}.dds", paint) for name, paint in PAINTERS]


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for _, file, paint in SHEETS:
        dds.write(os.path.join(folder, file_name(file)), paint(), "dxt5")


# What the build asks for before it makes anything, as CMake lists.
LISTINGS = {"--outputs": lambda: [file_name(file) for _, file, _ in SHEETS], "--sources": menu_art.build_sources}


# --- Previews: the screen as the game lays it out, from the written files (for looking at the art only) -----

def snapped(value, pixels):
    """The game's TexelCentre, in pixels."""
    return math.floor(value * pixels) - 0.5


COUNTER_ROWS = (0.196, 0.447, 0.695)
CHARACTERS = (("tovemmar", 0.076), ("gribbanoddle", 0.293), ("weskaroon", 0.541))
CHARACTER_FRAME, CHARACTER_SIZE = (64, 128), (0.05 * SCREEN[0], 0.1 * SCREEN[1])
SCORE_GLYPH, CAPTION_GLYPH, SMALL_GLYPH = (0.0302734375, 0.029947916), (0.0234375, 0.0364583321), \
    (0.0205078125, 0.016927084)
# What the game writes: text, place in screen fractions, glyph size, colour.
WRITING = [
    ("42000", (0.09814453125, 0.8444010615), SCORE_GLYPH, (255, 255, 255, 255)),
    ("3", (0.12158203125, 0.150390625), SCORE_GLYPH, (248, 195, 1, 255)),
    ("Score", (0.09814453125, 0.818359375), SMALL_GLYPH, (253, 247, 135, 255)),
    ("Time", (snapped(0.267, SCREEN[0]) / SCREEN[0], snapped(0.746, SCREEN[1]) / SCREEN[1]), CAPTION_GLYPH,
     (38, 190, 229, 255)),
    ("Score", (snapped(0.838, SCREEN[0]) / SCREEN[0], snapped(0.746, SCREEN[1]) / SCREEN[1]), CAPTION_GLYPH,
     (229, 190, 44, 255)),
]


def texture_file(folder, name):
    with open(os.path.join(folder, name.replace("\\", os.sep)), "rb") as stream:
        return Image.fromarray(dds.decode(stream.read()), "RGBA")


def place(screen, texture, shown, corner, size):
    """A sprite as the game draws it: texels (0, 0) to shown, filtered onto the box from corner, size in pixels."""
    width, height = max(1, round(size[0])), max(1, round(size[1]))
    screen.alpha_composite(texture.resize((width, height), Image.BILINEAR, box=(0, 0) + tuple(shown)),
                           (round(corner[0]), round(corner[1])))


def bar(screen, frame, fill, corner, size, shown, progress, upright=False):
    """SProgressBar's drawing: the frame whole, the fill cropped from the right or, upright, from the top."""
    place(screen, frame, shown, corner, size)
    if upright:
        rest = 1.0 - progress
        cropped = fill.crop((0, math.floor(rest * shown[1]), math.ceil(shown[0]), math.ceil(shown[1])))
        place(screen, cropped, (shown[0], progress * shown[1]), (corner[0], corner[1] + rest * size[1]),
              (size[0], progress * size[1]))
    elif progress > 0:
        place(screen, fill, (shown[0] * progress, shown[1]), corner, (size[0] * progress, size[1]))


def draw_bars(screen, textures, fills):
    for row, fill in zip(COUNTER_ROWS, fills):
        bar(screen, textures["PROGBAR2"], textures["PROGBAR1"], (0.267 * SCREEN[0], row * SCREEN[1]), BAR_PIXELS,
            BAR_TEXTURE, fill)
    staff_corner = (snapped(0.121, SCREEN[0]), snapped(0.156, SCREEN[1]))
    bar(screen, textures["SCORESTAFFPAS"], textures["SCORESTAFFACT"], staff_corner, STAFF_SHOWN, STAFF_SHOWN, 0.5,
        upright=True)
    fittings_corner = (snapped(0.135, SCREEN[0]), snapped(0.0505, SCREEN[1]))
    place(screen, textures["SCORELIFESTAFF"], FITTINGS_SIZE, fittings_corner, FITTINGS_SIZE)


def draw_characters(screen, data, fills):
    """Each character's first frame where the game walks it: its left edge at its bar's fill."""
    for (name, top), fill in zip(CHARACTERS, fills):
        sheet = texture_file(data, "gameobjects\\%s.dds" % name)
        place(screen, sheet, CHARACTER_FRAME, ((0.267 + 0.633 * fill) * SCREEN[0], top * SCREEN[1]), CHARACTER_SIZE)


def draw_writing(screen, data):
    import preview          # only for looking: the build's sources stay the painting modules
    font, table = texture_file(data, "Res\\font.dds"), preview.read_table(os.path.join(data, "Res", "font.xml"))
    for text, (x, y), glyph, colour in WRITING:
        preview.draw_text(screen, font, table, text, x, y, *glyph, colour)


def score_screen(textures, data, fills, lit=False):
    """The count under way over the backdrop, font and characters in the data folder, as the game draws it."""
    screen = texture_file(data, "Res\\menu\\scorebkg.dds").resize(SCREEN, Image.BILINEAR)
    draw_bars(screen, textures, fills)
    draw_characters(screen, data, fills)
    draw_writing(screen, data)
    line_corner = (snapped(0.33, SCREEN[0]), snapped(0.768, SCREEN[1]))
    place(screen, textures["SCORELINE"], (LINE_SHOWN, 1), line_corner, (0.5 * SCREEN[0], 1))
    button_corner = (0.75341796875 * SCREEN[0], 0.8131510615 * SCREEN[1])
    place(screen, textures["SCORENEXTACT" if lit else "SCORENEXTPAS"], (0.999 * NEXT_TEXTURE[0], NEXT_FACE[1]),
          button_corner, (0.125 * SCREEN[0], 0.1015625 * SCREEN[1]))
    return screen


FIELD = (24, 28, 82, 255)      # the table's field, which everything here is seen on


def write_previews(score_folder, data, folder):
    """Each sheet on the table's field, and the screen early in a count and near its end with Next lit."""
    os.makedirs(folder, exist_ok=True)
    textures = {name: texture_file(score_folder, file_name(file)) for name, file, _ in SHEETS}
    for name, texture in textures.items():
        backdrop = Image.new("RGBA", texture.size, FIELD)
        backdrop.alpha_composite(texture)
        backdrop.save(os.path.join(folder, name + ".png"))
    score_screen(textures, data, (0.3, 0.65, 1.0)).save(os.path.join(folder, "screen.png"))
    score_screen(textures, data, (0.08, 0.5, 0.92), lit=True).save(os.path.join(folder, "screen_lit.png"))


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "--preview":
        write_previews(*sys.argv[2:])
    elif len(sys.argv) != 2:
        sys.exit("usage: score_art.py FOLDER (data/Res/score) | --outputs | --sources\n"
                 "       score_art.py --preview SCORE_FOLDER DATA_FOLDER PREVIEW_FOLDER")
    elif sys.argv[1] in LISTINGS:
        print(";".join(LISTINGS[sys.argv[1]]()))
    else:
        main(sys.argv[1])
