"""The frame round a level: the carved bar along the bottom, the stone panel down the left with its two idle
figures, the half-sun over the top with its eyes, the score marker, the five spell medallions and the life flask.

The game stretches most of these unevenly over their places on the screen, so the stretched ones are painted in
the proportions they are seen in and squeezed into their textures afterwards.

Every picture keeps, about the middle of where it is seen, a flat patch of one colour (KEY_COLOURS), so that a
drawn screen can be searched for it. Those colours are ones that block compression stores exactly (five, six and
five bits), so a patch comes through the DDS files unchanged.
"""
import math
import os
import sys

import numpy as np
from PIL import Image

import art
from objects_art import BONE, SKIN, WHITE, WOOD, Layer, edge, ellipse, outlined, part, stroke
from world_art import single


def exact(hex_colour):
    """The colour nearest to hex_colour that five, six and five bits hold."""
    r, g, b = (int(hex_colour[i:i + 2], 16) for i in (1, 3, 5))
    r5, g6, b5 = round(r * 31 / 255), round(g * 63 / 255), round(b * 31 / 255)
    return (r5 << 3) | (r5 >> 2), (g6 << 2) | (g6 >> 4), (b5 << 3) | (b5 >> 2)


KEY_COLOURS = {
    "BOTTOMBAR": exact("#4a2e24"),       # the bar's dark wood
    "LEFTBAR": exact("#33224f"),         # the panel's violet stone
    "BOLVANLU": exact("#f0d8a8"),        # the owlet's pale breast
    "BOLVANLD": exact("#8c3a70"),        # the gnome's plum coat
    "SCORESMALL": exact("#f8d060"),      # the star's gold
    "SUN": exact("#ffaa48"),             # the sun's face
    "SUNEYEL": exact("#eef2fc"),         # the white of the eye
    "SPELLWALL": exact("#124c5c"),       # each medallion's inner fill, tinted apart
    "SPELLBRIDGE": exact("#105a38"),
    "SPELLWINDRIGHT": exact("#10386c"),
    "SPELLWINDLEFT": exact("#38306a"),
    "SPELLTELEPORT": exact("#007070"),
    "LIFEPOT": exact("#d82848"),         # the potion
}


def key(name):
    return np.array(KEY_COLOURS[name], dtype=np.float32) / 255.0


# Where the frame's texts are written: the plates drawn for them, (left, top, right, bottom) in pixels of the
# 1024 by 768 screen. The panel down the left is shown 0.132 of the screen wide, the bar along the bottom from
# x 0.11 and y 0.953125 to the screen's corner.
FRAME_PLATES = {
    "time": (12.0, 8.0, 120.0, 62.0),
    "level name": (12.0, 90.0, 120.0, 128.0),
    "lives": (2.0, 152.0, 120.0, 188.0),        # the pots from the panel's very edge, or a count of them
    "score": (770.0, 736.0, 966.0, 766.0),
}
PANEL_SHOWN = (0.132 * 1024, 768)
BAR_SHOWN = (0.11 * 1024, 0.953125 * 768, 0.89 * 1024, 0.046875 * 768)      # left, top, width, height


# --- Helpers ---------------------------------------------------------------------------------------------

def draw(mask, points, radius, end_radius=None):
    """stroke() into the mask in place, worked out only over the points' box: the big pictures have many."""
    height, width = mask.shape
    pad = max(radius, radius if end_radius is None else end_radius) + 2
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    left, top = max(int(min(xs) - pad), 0), max(int(min(ys) - pad), 0)
    right, bottom = min(int(max(xs) + pad) + 1, width), min(int(max(ys) + pad) + 1, height)
    if right <= left or bottom <= top:
        return mask
    local = stroke(right - left, bottom - top, [(px - left, py - top) for px, py in points], radius, end_radius)
    mask[top:bottom, left:right] = np.maximum(mask[top:bottom, left:right], local)
    return mask


def rounded_box(x, y, left, top, right, bottom, radius):
    cx = np.clip(x, left + radius, right - radius)
    cy = np.clip(y, top + radius, bottom - radius)
    return np.clip(radius + 0.5 - np.hypot(x - cx, y - cy), 0, 1)


def spiral(centre, radius, start, turns=1.2, sense=1, steps=18):
    """A curl from its outer end, at the angle start, winding in towards the centre."""
    points = []
    for t in np.linspace(0, 1, steps):
        r = radius * (1 - 0.78 * t)
        a = start + sense * 2 * math.pi * turns * t
        points.append((centre[0] + r * math.cos(a), centre[1] + r * math.sin(a)))
    return points


def squeeze(colour, alpha, size):
    """Colour and coverage resized together (premultiplied, so clear texels lend no dark fringe)."""
    def resized(channel):
        return np.asarray(Image.fromarray(np.ascontiguousarray(channel, dtype=np.float32), "F")
                          .resize(size, Image.BOX), dtype=np.float32)
    a = resized(alpha)
    rgb = np.stack([resized(colour[..., k] * alpha) for k in range(3)], axis=-1) / np.maximum(a, 1e-6)[..., None]
    return np.clip(rgb, 0, 1), np.clip(a, 0, 1)


def gild(picture, mask):
    """Gold inlay on an opaque picture, lit from the upper right like everything else."""
    art.over(picture, art.INK, art.grow(mask, 1) * 0.85)
    art.over(picture, art.GOLD, mask)
    art.over(picture, art.GOLD_LIGHT, edge(mask, -1, 1) * mask * 0.9)
    art.over(picture, art.GOLD_DEEP, edge(mask, 1, -1) * mask * 0.8)


def frame_grid(frames, size, cell, top=0.0, columns=4):
    """Frames laid left to right, then down, from row top; a cell's rows may fall between texels, so each frame
    goes to the nearest whole row, which is well inside its clear margin."""
    texture = np.zeros((size[1], size[0], 4), dtype=np.float32)
    for k, frame in enumerate(frames):
        row, column = divmod(k, columns)
        x0, y0 = column * cell[0], int(top + row * cell[1] + 0.5)
        h, w = frame.shape[:2]
        texture[y0:y0 + h, x0:x0 + w] = frame
    return art.to_image(texture[..., :3], texture[..., 3])


# --- The bar along the bottom ---------------------------------------------------------------------------

def bottom_bar():
    """A beam of dark carved wood under a gold trim, studded at its joints, a plain plaque in its middle.
    Seen at 911 by 36 pixels: squashed more up and down than across, so its studs are drawn tall."""
    width, height = 1024, 64
    rng = np.random.default_rng(6401)
    wood = key("BOTTOMBAR")
    x, y = art.grid(width, height)
    picture = art.canvas(width, height, wood)
    left, top, right, bottom = bar_texels(FRAME_PLATES["score"], width, height)
    plaque = rounded_box(x, y, left, top, right, bottom, 6)
    # Wood grain: sparse wandering streaks, cartoon fashion, with a knot or two.
    grain = np.zeros((height, width), dtype=np.float32)
    for _ in range(34):
        row, left, length = rng.uniform(17, 53), rng.uniform(-120, width), rng.uniform(90, 320)
        wave, phase = rng.uniform(0.5, 1.6), rng.uniform(0, 2 * math.pi)
        draw(grain, [(left + length * s, row + wave * math.sin(phase + 5 * s)) for s in np.linspace(0, 1, 9)], 0.45)
    for cx in (170, 560, 700):
        cy = rng.uniform(26, 44)
        for r in (5, 9):
            draw(grain, [(cx + r * 1.4 * math.cos(a), cy + r * 0.8 * math.sin(a)) for a in np.linspace(0, 6.3, 17)],
                 0.45)
    grain *= 1 - art.grow(plaque, 3)
    art.over(picture, wood * 0.62, grain * 0.9)
    art.over(picture, wood * 1.25, art.blur(edge(grain, 0, -1), 0.5) * 0.4 * (1 - art.grow(plaque, 3)))
    # Joints between the timbers, each held by a pair of gold studs.
    joints = np.zeros((height, width), dtype=np.float32)
    studs = np.zeros((height, width), dtype=np.float32)
    for jx in (28, 214, 382, 600, 996):
        draw(joints, [(jx, 15), (jx + rng.uniform(-1, 1), 55)], 0.6)
        for side in (-7, 7):
            for sy in (24, 46):
                studs = np.maximum(studs, ellipse(width, height, (jx + side, sy), (2.4, 3.8)))
    art.over(picture, art.INK, joints)
    art.over(picture, wood * 1.4, shifted_right(joints, 1) * 0.6)
    part_opaque(picture, studs, art.GOLD, art.GOLD_DEEP, art.GOLD_LIGHT)
    # The plaque: set into the beam, ringed with a carved groove and a gold wire.
    ring = np.clip(rounded_box(x, y, left - 4, top - 4, right + 4, bottom + 4, 9) - plaque, 0, 1)
    art.over(picture, wood * 0.55, ring)
    gild(picture, np.clip(rounded_box(x, y, left - 2, top - 2, right + 2, bottom + 2, 8)
                          - rounded_box(x, y, left - 0.5, top - 0.5, right + 0.5, bottom + 0.5, 6.5), 0, 1))
    art.over(picture, art.INK, edge(plaque, 0, 2) * plaque * 0.5)
    # Long carved grooves, top and bottom, and the shading of the beam's round edges.
    for row in (13.5, 56.5):
        groove = np.clip(0.9 - np.abs(y - row), 0, 1) * (1 - ring) * (1 - plaque)
        art.over(picture, art.INK * 0.6 + wood * 0.4, groove)
        art.over(picture, wood * 1.45, np.clip(0.8 - np.abs(y - row - 1.4), 0, 1) * (1 - plaque) * 0.7)
    art.over(picture, art.INK, np.clip((y - 57) / 7.0, 0, 1) ** 0.8 * 0.85 * (1 - art.grow(plaque, 2)))
    art.over(picture, art.INK, np.clip((12 - y) / 4.0, 0, 1) * 0.45)
    # The gold trim along the top, notched like a braid, on an ink line.
    trim = np.clip(np.minimum(y - 0.5, 8.0 - y), 0, 1)
    shine = art.vertical_gradient(height, [(0.0, art.GOLD_LIGHT), (0.05, art.GOLD), (0.13, art.GOLD_DEEP),
                                           (1.0, art.GOLD_DEEP)])[:, None, :]
    art.over(picture, np.broadcast_to(shine, picture.shape), trim)
    notches = trim * (np.abs(((x + 2 * y) % 12) - 6) < 0.7) * (y > 2)
    art.over(picture, art.GOLD_DEEP * 0.6, notches * 0.8)
    art.over(picture, art.INK, np.clip(1.0 - np.abs(y - 8.6), 0, 1) + np.clip(1.0 - y, 0, 1))
    # The left end, where the bar meets the side panel, rounds away into shadow.
    art.over(picture, art.INK, np.clip((10 - x) / 10.0, 0, 1) ** 1.5 * 0.9)
    return art.to_image(picture)


def bar_texels(box, width, height):
    """A box in screen pixels as texels of the bar's texture, which the bar stretches over its place."""
    left, top, shown_width, shown_height = BAR_SHOWN
    sx, sy = width / shown_width, height / shown_height
    return (box[0] - left) * sx, (box[1] - top) * sy, (box[2] - left) * sx, (box[3] - top) * sy


def shifted_right(mask, pixels):
    out = np.zeros_like(mask)
    out[:, pixels:] = mask[:, :-pixels]
    return out


def part_opaque(picture, mask, base, shadow, light):
    """part() for an opaque picture."""
    art.over(picture, art.INK, art.grow(mask, 1))
    art.over(picture, base, mask)
    art.over(picture, shadow, art.blur(edge(mask, 2, -1), 0.6) * mask)
    art.over(picture, light, edge(mask, -1, 1) * mask * 0.8)


# --- The panel down the left ----------------------------------------------------------------------------

PANEL_SCALE = 1456 / 768            # painted this much taller than shown: its width is squashed about as much


def left_bar():
    """A tall panel of violet stone inlaid with gold, its right edge carved ragged, three dark recesses at the top
    where the time, the level's name and the lives are written, and rune stones further down."""
    width, height = 256, 1456
    rng = np.random.default_rng(2561)
    stone = key("LEFTBAR")
    recess = stone * 0.45 + art.INK * 0.3
    x, y = art.grid(width, height)

    def row(fraction):
        return fraction * height

    picture = art.canvas(width, height, stone)
    # Borders: a weathered strip down the left, a carved edge down the right, ragged where it meets the level.
    weather = art.fractal_noise(width, height, 24, rng, octaves=3)
    left_strip = np.clip(13.5 - x, 0, 1)
    art.over(picture, stone * (0.55 + 0.35 * weather[..., None]), left_strip)
    ragged = 251 + 2 * np.sin(y / 37.0) + 1.5 * np.sin(y / 11.0 + 1.0) - 5 * np.clip(np.cos(y / 22.0), 0, 1) ** 8
    outside = np.clip(x - 240, 0, 1)
    art.over(picture, stone * (0.62 + 0.3 * weather[..., None]), outside)
    alpha = np.clip(ragged - x + 0.5, 0, 1)
    rim = np.clip(alpha - np.clip(ragged - 3.5 - x, 0, 1), 0, 1)
    art.over(picture, art.INK, rim * 0.9)
    art.over(picture, stone * 1.35, np.clip(1.0 - np.abs(x - (ragged - 5)), 0, 1) * 0.6)
    # The recesses for the writing: dark, plain, set in under gold wire, where the frame's texts are written.
    recesses = np.zeros((height, width), dtype=np.float32)
    sx, sy = width / PANEL_SHOWN[0], height / PANEL_SHOWN[1]
    for left, top, right, bottom in (FRAME_PLATES[name] for name in ("time", "level name", "lives")):
        recesses = np.maximum(recesses, rounded_box(x, y, left * sx, top * sy, right * sx, bottom * sy, 10))
    clear_of_recesses = 1 - art.grow(recesses, 5)
    gold = np.zeros((height, width), dtype=np.float32)
    gold = np.maximum(gold, np.clip(1.6 - np.abs(x - 15.5), 0, 1) * clear_of_recesses)
    gold = np.maximum(gold, np.clip(2.6 - np.abs(x - 237.5), 0, 1))
    wire = np.clip(art.grow(recesses, 4) - art.grow(recesses, 2), 0, 1)
    art.over(picture, art.INK, wire * 0.7)
    art.over(picture, recess, recesses)
    art.over(picture, art.INK, art.blur(edge(recesses, 0, 4), 1.0) * recesses * 0.6)
    art.over(picture, stone * 0.8, edge(recesses, 0, -2) * recesses * 0.6)
    gold = np.maximum(gold, np.clip(art.grow(recesses, 3) - art.grow(recesses, 1), 0, 1))

    # Small gold knots between the recesses, and curls hanging off the lowest.
    for fraction in (0.099, 0.182):
        cy = row(fraction)
        draw(gold, [(112 - 26, cy), (112 - 8, cy - 9), (112, cy), (112 + 8, cy - 9), (112 + 26, cy)], 1.6)
        draw(gold, [(112 - 8, cy + 9), (112, cy), (112 + 8, cy + 9)], 1.6)
        for sense in (-1, 1):
            draw(gold, spiral((112 + sense * 44, cy - 2), 10, math.pi if sense > 0 else 0.0, sense=-sense), 1.4)
            draw(gold, [(112 + sense * 26, cy), (112 + sense * 34, cy + 8)], 1.4)

    # Gold vines down both sides of the lower panel, curling inwards now and then.
    for side_x, sense in ((40, 1), (182, -1)):
        path = [(side_x + 5 * math.sin(vy / 55.0 + side_x), vy) for vy in np.arange(row(0.315), row(0.985), 14)]
        draw(gold, path, 1.8, 1.2)
        for k, (vx, vy) in enumerate(path[3::9]):
            up = -1 if k % 2 else 1
            draw(gold, spiral((vx + sense * 13, vy + up * 3), 13, math.pi if sense > 0 else 0.0,
                              sense=-sense * up), 1.5, 0.9)
            leaf = [(vx, vy), (vx - sense * 9, vy - up * 14), (vx - sense * 6, vy - up * 20)]
            draw(gold, leaf, 1.3, 0.6)

    # Joints in the stone and a few cracks, none through the middle where the panel is plain.
    carved = np.zeros((height, width), dtype=np.float32)
    for fraction in (0.33, 0.745, 0.965):
        jy = row(fraction)
        draw(carved, [(17, jy), (208, jy + rng.uniform(-2, 2))], 0.7)
    for start in ((60, row(0.345)), (150, row(0.77)), (70, row(0.90))):
        crack = [start]
        for _ in range(6):
            crack.append((crack[-1][0] + rng.uniform(-7, 7), crack[-1][1] + rng.uniform(6, 14)))
        draw(carved, crack, 0.6, 0.3)
    art.over(picture, art.INK * 0.7 + stone * 0.3, carved)
    art.over(picture, stone * 1.45, shifted_down(carved, 2) * (1 - carved) * 0.5)

    # Rune stones: round recesses ringed in gold, their runes alight.
    runes = np.zeros((height, width), dtype=np.float32)
    wells = np.zeros((height, width), dtype=np.float32)
    for fraction, glyph in ((0.56, RUNES[0]), (0.69, RUNES[1]), (0.82, RUNES[2])):
        centre = (111, row(fraction))
        wells = np.maximum(wells, ellipse(width, height, centre, (40, 40)))
        gold = np.maximum(gold, np.clip(ellipse(width, height, centre, (46, 46))
                                        - ellipse(width, height, centre, (42, 42)), 0, 1))
        for s in glyph:
            draw(runes, [(centre[0] + px * 26, centre[1] + py * 26) for px, py in s], 2.4)
    art.over(picture, recess, wells)
    art.over(picture, art.INK, art.blur(edge(wells, -3, 5), 1.5) * wells * 0.7)
    art.over(picture, art.INK, runes * 0.8)
    glow = art.blur(runes, 6) * wells
    art.add_light(picture, art.TEAL, glow * 1.2)
    art.over(picture, art.TEAL, runes)
    art.over(picture, art.TEAL_LIGHT, np.clip(runes * 1.6 - 0.9, 0, 1))

    gild(picture, np.clip(gold, 0, 1))
    colour, coverage = squeeze(picture, alpha, (256, 768))
    texture = np.zeros((1024, 256, 4), dtype=np.float32)
    texture[:768] = np.dstack([colour, coverage])
    texture[768:] = texture[767:768]                 # unseen; carried on so that filtering at the foot finds stone
    return art.to_image(texture[..., :3], texture[..., 3])


def shifted_down(mask, pixels):
    out = np.zeros_like(mask)
    out[pixels:] = mask[:-pixels]
    return out


# Three runes in unit coordinates, each a list of strokes.
RUNES = [
    [[(0.0, -0.9), (0.0, 0.9)], [(0.0, -0.3), (0.6, -0.8)], [(0.0, 0.1), (0.6, -0.4)]],
    [[(-0.6, 0.8), (0.0, -0.8), (0.6, 0.8)], [(-0.35, 0.15), (0.35, 0.15)], [(0.0, 0.15), (0.0, 0.8)]],
    [[(-0.5, -0.8), (-0.5, 0.8)], [(0.5, -0.8), (0.5, 0.8)], [(-0.5, -0.6), (0.5, 0.2)], [(0.5, -0.6), (-0.5, 0.2)]],
]


# --- The idle figures on the panel ------------------------------------------------------------------------

IDLE_FRAMES = 16
OWL = art.AMBER * 0.45 + art.GOLD_DEEP * 0.45 + art.PLUM * 0.1
OWL_SHADE = art.GOLD_DEEP * 0.5 + art.PLUM * 0.4
OWL_LIGHT = art.AMBER * 0.7 + art.DAWN * 0.35
OWL_FACE = art.DAWN * 0.9 + BONE * 0.1


def owlet_frame(frame):
    """A round little owl on a twig, bobbing gently, blinking twice and once stretching its wings."""
    width, height = 64, 94
    layer = Layer(width, height)
    phase = 2 * math.pi * frame / IDLE_FRAMES
    b = 1.5 * math.sin(phase)                           # the bob
    tilt = 1.6 * math.sin(phase + 0.8)                  # the head leans a little as it bobs
    stretch = {9: 0.5, 10: 1.0, 11: 0.5}.get(frame, 0.0)
    open_eye = {4: 0.45, 5: 0.05, 6: 0.5, 13: 0.05}.get(frame, 1.0)
    twig = stroke(width, height, [(6, 86), (30, 84.5), (58, 86.5)], 2.2, 1.6)
    part(layer, twig, WOOD, shadow=WOOD * 0.6, light=art.GOLD_DEEP, depth=2)
    layer.paint(WOOD, stroke(width, height, [(48, 86), (55, 80), (57, 76)], 1.1, 0.6), art.INK)
    for side in (-1, 1):
        wing_turn = side * (0.25 + 0.3 * stretch)
        wing = ellipse(width, height, (32 + side * (16 + 1.5 * stretch), 60 + b - 3 * stretch), (7, 17), wing_turn)
        part(layer, wing, OWL * 0.9, shadow=OWL_SHADE, light=OWL_LIGHT, depth=3)
    body = ellipse(width, height, (32, 61 + b), (18, 21))
    part(layer, body, OWL, shadow=OWL_SHADE, light=OWL_LIGHT, depth=4)
    breast = ellipse(width, height, (32, 63 + b), (12, 15))
    layer.paint(key("BOLVANLU"), breast)
    layer.paint(OWL_LIGHT, edge(breast, 0, 2) * breast * 0.7)
    for k, (cx, cy) in enumerate(((21, 52), (43, 52), (19, 66), (45, 66), (24, 77), (40, 77))):
        layer.paint(OWL_SHADE, stroke(width, height, [(cx - 2, cy - 1.2 + b), (cx, cy + b), (cx + 2, cy - 1.2 + b)],
                                      0.5) * body * (1 - breast))
    for side in (-1, 1):                                # toes over the twig
        for toe in (-2.5, 0, 2.5):
            fx = 32 + side * 7 + toe
            layer.paint(art.GOLD_DEEP, stroke(width, height, [(fx, 80 + b), (fx, 85.5)], 1.0), art.INK)
    hx, hy = 32 + tilt, 35 + b
    tufts = art.polygons_mask(width, height, [[(hx - 15, hy - 6), (hx - 14, hy - 19), (hx - 7, hy - 11)],
                                              [(hx + 15, hy - 6), (hx + 14, hy - 19), (hx + 7, hy - 11)]])
    part(layer, tufts, OWL, shadow=OWL_SHADE, light=OWL_LIGHT, depth=2)
    head = ellipse(width, height, (hx, hy), (17, 14))
    part(layer, head, OWL, shadow=OWL_SHADE, light=OWL_LIGHT, depth=3)
    for side in (-1, 1):
        centre = (hx + side * 7, hy + 0.5)
        disc = ellipse(width, height, centre, (7.5, 7.5))
        layer.paint(OWL_FACE, disc, OWL_SHADE)
        eye = ellipse(width, height, centre, (5.0, 5.0))
        layer.paint(art.GOLD, eye, art.INK)
        layer.paint(art.INK, ellipse(width, height, (centre[0] + 0.6, centre[1]), (2.6, 2.8)))
        layer.paint(WHITE, ellipse(width, height, (centre[0] + 1.6, centre[1] - 1.4), (0.9, 0.9)))
        _, y = art.grid(width, height)
        lid_line = centre[1] - 5.5 + 11 * (1 - open_eye)
        lid = eye * np.clip(lid_line - y + 0.5, 0, 1)
        layer.paint(OWL * 1.05, art.grow(lid, 1) * art.grow(eye, 1))
        if open_eye < 1:
            layer.paint(art.INK, stroke(width, height, [(centre[0] - 5, lid_line), (centre[0] + 5, lid_line)], 0.55)
                        * art.grow(eye, 1))
    beak = art.polygon_mask(width, height, [(hx - 2.5, hy + 3), (hx + 2.5, hy + 3), (hx, hy + 8.5)])
    layer.paint(art.GOLD_DEEP * 0.8 + art.AMBER * 0.3, beak, art.INK)
    return outlined(layer).rgba()


def owlet():
    return frame_grid([owlet_frame(k) for k in range(IDLE_FRAMES)], (256, 512), (64, 94.75), top=5.12)


GNOME_HAT = art.ROSE * 0.85 + art.PLUM * 0.15


def gnome_frame(frame):
    """A small bearded gnome in a plum coat and a red cap, swinging a lit lantern on a hook."""
    width, height = 64, 110
    layer = Layer(width, height)
    phase = 2 * math.pi * frame / IDLE_FRAMES
    swing = 0.42 * math.sin(phase)
    b = 0.7 * math.sin(2 * phase)                       # he rocks on his heels with each swing
    coat = key("BOLVANLD")
    coat_shade = coat * 0.6 + art.INDIGO * 0.25
    coat_light = coat * 0.85 + art.ROSE * 0.3
    pivot = (46.5, 64 + b)
    lamp = (pivot[0] + 17 * math.sin(swing), pivot[1] + 17 * math.cos(swing))
    _, y = art.grid(width, height)
    for bx in (24, 40):                                  # boots
        boot = ellipse(width, height, (bx + 1.5, 101), (7, 4))
        part(layer, boot, art.INK * 0.6 + WOOD * 0.4, light=WOOD, depth=2)
    body = art.polygon_mask(width, height, [(23, 50 + b), (41, 50 + b), (46, 62 + b), (50, 97), (14, 97),
                                            (18, 62 + b)])
    part(layer, body, coat, shadow=coat_shade, light=coat_light, depth=4)
    belt = body * np.clip(2.6 - np.abs(y - (86 + b)), 0, 1)
    layer.paint(art.INK * 0.7 + WOOD * 0.3, belt)
    layer.paint(art.GOLD, ellipse(width, height, (32, 86 + b), (3.2, 3.0)), art.INK)
    layer.paint(art.GOLD_DEEP, ellipse(width, height, (32, 86 + b), (1.4, 1.2)))
    layer.paint(coat_shade, stroke(width, height, [(32, 89 + b), (32, 96)], 0.6) * body)
    far_hand = (16, 78 + b)
    part(layer, stroke(width, height, [(21, 56 + b), (16, 68 + b), far_hand], 3.4, 3.0), coat * 0.8,
         shadow=coat_shade, depth=2)
    part(layer, ellipse(width, height, far_hand, (3, 3)), SKIN, shadow=SKIN * 0.8, depth=1)
    # The beard is short, so the coat shows plainly below it.
    beard = art.polygon_mask(width, height, [(24, 45 + b), (40, 45 + b), (39, 53 + b), (35, 59 + b), (32, 62 + b),
                                             (29, 59 + b), (25, 53 + b)])
    part(layer, beard, BONE, shadow=BONE * 0.72 + art.VIOLET * 0.2, light=WHITE, depth=2)
    face = ellipse(width, height, (32, 43 + b), (8.5, 7))
    part(layer, face, SKIN, shadow=SKIN * 0.8, depth=2)
    for side in (-1, 1):
        blink = 0.35 if frame in (7, 8) else 1.0
        layer.paint(art.INK, ellipse(width, height, (32 + side * 4, 44 + b), (1.1, 1.4 * blink)))
        layer.paint(BONE, stroke(width, height, [(32 + side * 2, 50 + b), (32 + side * 9, 51.5 + b)], 1.6, 0.8))
    nose = ellipse(width, height, (33, 47.5 + b), (3.2, 2.6))
    part(layer, nose, art.ROSE * 0.6 + SKIN * 0.5, shadow=art.ROSE * 0.6, light=art.DAWN, depth=1)
    tip_sway = 1.5 * math.sin(phase - 0.6)
    hat = art.polygon_mask(width, height, [(20, 40 + b), (44, 40 + b), (41, 28 + b), (36, 16 + b),
                                           (31 + tip_sway, 6 + b), (27, 16 + b), (23, 28 + b)])
    part(layer, hat, GNOME_HAT, shadow=art.PLUM * 0.85, light=art.ROSE * 0.7 + art.DAWN * 0.4, depth=3)
    brim = ellipse(width, height, (32, 39.5 + b), (13, 3))
    part(layer, brim, GNOME_HAT * 0.85, shadow=art.PLUM * 0.7, depth=1)
    # The near arm holds out the hook; the lantern hangs from it and swings.
    near_hand = (44, 63 + b)
    part(layer, stroke(width, height, [(40, 55 + b), (43, 61 + b), near_hand], 3.4, 3.0), coat,
         shadow=coat_shade, light=coat_light, depth=2)
    hook = stroke(width, height, [(near_hand[0] - 1, near_hand[1]), (pivot[0], pivot[1] - 2), pivot], 0.8)
    chain = stroke(width, height, [pivot, (lamp[0] - 6 * math.sin(swing), lamp[1] - 6 * math.cos(swing))], 0.55)
    layer.paint(art.GOLD_DEEP, np.maximum(hook, chain), art.INK)
    part(layer, ellipse(width, height, near_hand, (3, 3)), SKIN, shadow=SKIN * 0.8, depth=1)
    c, s = math.cos(swing), math.sin(swing)

    def turned(points):
        return [(lamp[0] + px * c + py * s, lamp[1] - px * s + py * c) for px, py in points]

    cage = art.polygon_mask(width, height, turned([(-4, -4), (4, -4), (5, 4), (-5, 4)]))
    layer.paint(art.GOLD_LIGHT * 0.5 + art.AMBER * 0.5, cage, art.INK)
    layer.shine(WHITE, art.radial(width, height, lamp, 3.5, 1.2) * 0.9)
    layer.paint(art.GOLD_DEEP, stroke(width, height, turned([(0, -4), (0, 4)]), 0.5) * cage)
    roof = art.polygon_mask(width, height, turned([(-5.5, -4), (5.5, -4), (2, -7), (-2, -7)]))
    layer.paint(art.GOLD, roof, art.INK)
    base = art.polygon_mask(width, height, turned([(-5.5, 4), (5.5, 4), (4.5, 6), (-4.5, 6)]))
    layer.paint(art.GOLD_DEEP, base, art.INK)
    # The lantern's light goes on behind the rimmed figure, so that the rim does not darken it.
    figure = outlined(layer)
    lit = Layer(width, height)
    x, _ = art.grid(width, height)
    margin = np.clip((np.minimum(x, width - x) - 1) / 5.0, 0, 1)    # the light fades before the cell's edge
    lit.glow(art.AMBER, art.radial(width, height, lamp, 18, 1.6) * 0.7 * margin)
    lit._over(figure.colour, figure.alpha)
    lit.shine(art.AMBER, art.radial(width, height, lamp, 12, 2.0) * figure.alpha * 0.35)
    return lit.rgba()


def gnome():
    return frame_grid([gnome_frame(k) for k in range(IDLE_FRAMES)], (256, 512), (64, 110))


# --- The score marker -------------------------------------------------------------------------------------

def star_points(centre, outer, inner, points=5, turn=-math.pi / 2):
    corners = []
    for k in range(points * 2):
        r = outer if k % 2 == 0 else inner
        a = turn + math.pi * k / points
        corners.append((centre[0] + r * math.cos(a), centre[1] + r * math.sin(a)))
    return corners


def score_small():
    """A plump gold star between two little stacks of coins."""
    width, height = 64, 32
    layer = Layer(width, height)
    coin = art.GOLD * 0.8 + art.GOLD_DEEP * 0.3
    for cx, count in ((11, 3), (53, 2)):
        for k in range(count):
            cy = 26 - k * 3.6
            rim = ellipse(width, height, (cx, cy + 1.2), (7, 2.8))
            part(layer, rim, art.GOLD_DEEP, outline=art.INK, depth=1)
            face = ellipse(width, height, (cx, cy), (7, 2.8))
            part(layer, face, coin, light=art.GOLD_LIGHT, outline=None, depth=1)
            layer.paint(art.GOLD_DEEP, np.clip(face - ellipse(width, height, (cx, cy), (4.5, 1.6)), 0, 1) * 0.35)
    layer.glow(art.GOLD, art.radial(width, height, (32, 16), 19, 1.8) * 0.5)
    star = art.polygon_mask(width, height, star_points((32, 17), 14, 8.0))
    part(layer, star, key("SCORESMALL"), shadow=art.AMBER * 0.8 + art.GOLD_DEEP * 0.3, light=art.GOLD_LIGHT,
         depth=2)
    layer.glow(WHITE, art.sparkle(width, height, (41, 7), 5) * 0.9)
    layer.glow(art.GOLD_LIGHT, art.sparkle(width, height, (19, 11), 3.5) * 0.8)
    return single(outlined(layer))


# --- The sun ---------------------------------------------------------------------------------------------

SUN_FACE = key("SUN")


# The eyes the game lays on the sun, (left, right) edges and their bottom in pixels of the sun's box on the screen
# (the sun is shown at x 0.125, 0.29296875 wide and 0.1119791567 high; the eyes at 0.138 and 0.233, 0.068 and 0.069
# wide, 0.025 and 0.029 high, all from the top).
SUN_EYES = ((13.3, 83.0), (110.6, 181.2))
SUN_EYES_BOTTOM = 22.3


def sun():
    """A smiling sun hanging from the top of the level, amber rays fanned below it, its face wide enough to hold
    the eyes the game lays over its brow. Only 300 by 172 texels are shown, squashed to half their height, so it is
    painted twice as wide as it is shown and halved across."""
    width, height = 600, 172                             # two painted texels to each shown pixel either way
    layer = Layer(width, height)
    eyes_middle = 2 * (SUN_EYES[0][0] + SUN_EYES[1][1]) / 2
    cx, cy, rx, ry = eyes_middle, 8.0, 172.0, 118.0
    layer.glow(art.AMBER, art.radial(width, height, (cx, cy), rx + 40, 1.5) * 0.55)
    rays = []
    count = 15
    for k in range(count):
        a = math.pi * (k + 0.5) / count
        reach = 1.0 + (0.3 if k % 2 == 0 else 0.18)
        half = 0.075 if k % 2 == 0 else 0.06

        def at(angle, scale):
            return cx + rx * scale * math.cos(angle), cy + ry * scale * math.sin(angle)

        rays.append([at(a - half * 1.6, 0.95), at(a, reach), at(a + half * 1.6, 0.95)])
    ray_mask = art.polygons_mask(width, height, rays)
    x, y = art.grid(width, height)
    distance = np.hypot((x - cx) / rx, (y - cy) / ry)
    along = np.clip((distance - 1.0) / 0.3, 0, 1)[..., None]
    ray_colour = art.AMBER * (1 - along) + art.GOLD_LIGHT * along
    layer.paint(art.GOLD_DEEP, art.grow(ray_mask, 2))
    layer.paint(ray_colour, ray_mask)
    layer.paint(art.DAWN, edge(ray_mask, -2, 2) * ray_mask * 0.7)
    face = ellipse(width, height, (cx, cy), (rx, ry))
    layer.paint(art.INK, art.grow(face, 3))
    layer.paint(SUN_FACE, face)
    layer.paint(art.AMBER * 0.75 + art.ROSE * 0.3, art.blur(edge(face, 8, -6), 2.5) * face)
    layer.paint(art.GOLD_LIGHT, art.blur(edge(face, -5, 5), 2.0) * face * 0.8)
    # Cheeks under the eyes, and a wide smile with a rose tongue; the eyes are laid on by the game.
    brow = 2 * SUN_EYES_BOTTOM
    for side in (-1, 1):
        layer.paint(art.ROSE, art.blur(ellipse(width, height, (cx + side * 100, brow + 18), (20, 9)), 3) * 0.55)
    smile_top = brow + 22
    smile = art.polygon_mask(width, height, [(cx - 40 + 80 * s, smile_top + 24 * math.sin(math.pi * s) ** 0.8)
                                             for s in np.linspace(0, 1, 24)])
    layer.paint(art.INK * 0.8 + art.PLUM * 0.2, smile, art.INK)
    layer.paint(art.ROSE, ellipse(width, height, (cx + 2, smile_top + 18), (16, 5)) * smile)
    layer.paint(art.INK, np.maximum(stroke(width, height, [(cx - 46, smile_top - 3), (cx - 39, smile_top + 0.5)],
                                           2.2, 1.4),
                                    stroke(width, height, [(cx + 46, smile_top - 3), (cx + 39, smile_top + 0.5)],
                                           2.2, 1.4)))
    layer.glow(WHITE, art.sparkle(width, height, (cx + 120, 70), 14) * 0.7)
    colour, alpha = squeeze(layer.colour, layer.alpha, (300, 172))
    texture = np.zeros((256, 512, 4), dtype=np.float32)
    texture[:172, :300] = np.dstack([colour, alpha])
    return art.to_image(texture[..., :3], texture[..., 3])


# The eye's sixteen frames: where the pupil looks (across, down) and how far the lids are open.
GAZE = [(0.45, 0.0, 1.0), (0.6, 0.1, 1.0), (0.6, -0.2, 1.0), (0.3, -0.3, 1.0), (0.0, -0.2, 1.0), (-0.4, 0.0, 1.0),
        (-0.65, 0.15, 1.0), (-0.65, 0.15, 1.0), (-0.4, 0.2, 1.0), (0.0, 0.1, 1.0), (0.2, 0.0, 0.5), (0.2, 0.0, 0.0),
        (0.2, 0.0, 0.5), (0.35, 0.0, 1.0), (0.45, -0.1, 1.0), (0.45, 0.0, 1.0)]


def eye_frame(frame):
    """A wide almond eye on the sun's face: white, a dark pupil looking about, amber lids that blink."""
    width, height = 70, 19
    look_x, look_y, opened = GAZE[frame]
    layer = Layer(width, height)
    cx, cy, half = 35.0, 9.5, 29.0
    top = [(cx - half + 2 * half * s, cy + 0.5 - 7.5 * math.sin(math.pi * s)) for s in np.linspace(0, 1, 20)]
    bottom = [(cx + half - 2 * half * s, cy + 0.5 + 7.0 * math.sin(math.pi * s)) for s in np.linspace(0, 1, 20)]
    eye = art.polygon_mask(width, height, top + bottom[1:-1])
    layer.paint(key("SUNEYEL"), eye)
    pupil_x, pupil_y = cx + look_x * 16, cy + 0.5 + look_y * 3
    layer.paint(art.INDIGO * 0.6 + art.INK * 0.4, ellipse(width, height, (pupil_x, pupil_y), (6.2, 6.2)) * eye)
    layer.paint(art.INK, ellipse(width, height, (pupil_x, pupil_y), (3.4, 3.4)) * eye)
    layer.paint(WHITE, ellipse(width, height, (pupil_x + 2, pupil_y - 2.2), (1.4, 1.4)) * eye)
    layer.paint(art.VIOLET * 0.3 + key("SUNEYEL") * 0.7, edge(eye, 0, 2) * eye * 0.8)
    if opened < 1:
        _, y = art.grid(width, height)
        line = cy + 0.5 - 7.5 + 15 * (1 - opened)
        lid = eye * np.clip(line - y + 0.5, 0, 1)
        layer.paint(SUN_FACE * 0.92, lid)
        lash = bottom if opened == 0 else [(cx - half + 4, line), (cx + half - 4, line)]
        layer.paint(art.INK, stroke(width, height, lash, 0.7) * eye)
    return outlined(layer).rgba()


def sun_eye():
    return frame_grid([eye_frame(k) for k in range(IDLE_FRAMES)], (256, 256), (70, 19), columns=2)


# --- The spells ------------------------------------------------------------------------------------------

def spell_symbol(name):
    """Each spell's mark as strokes on the 64-texel medallion."""
    if name == "SPELLWALL":
        return [[(32, 17), (32, 47)]]
    if name == "SPELLBRIDGE":
        arch = [(32 + 12 * math.cos(a), 33 - 12 * math.sin(a)) for a in np.linspace(0, math.pi, 20)]
        return [[(44, 45)] + arch + [(20, 45)]]
    if name == "SPELLWINDRIGHT":
        return [[(25, 18), (40, 32), (25, 46)]]
    if name == "SPELLWINDLEFT":
        return [[(39, 18), (24, 32), (39, 46)]]
    return [[(32 + 11.5 * math.cos(a), 32 + 11.5 * math.sin(a)) for a in np.linspace(0, 2 * math.pi, 33)]]


# Each medallion's rim leans towards its own hue, so that the five tell apart at a glance.
SPELL_RIMS = {
    "SPELLWALL": art.GOLD,
    "SPELLBRIDGE": art.GOLD * 0.6 + art.rgb("#7ee0a0") * 0.4,
    "SPELLWINDRIGHT": art.GOLD * 0.55 + art.rgb("#8ec0ff") * 0.45,
    "SPELLWINDLEFT": art.GOLD * 0.55 + art.rgb("#c0a0ff") * 0.45,
    "SPELLTELEPORT": art.GOLD * 0.5 + art.TEAL_LIGHT * 0.5,
}


def spell(name):
    size = 64
    layer = Layer(size, size)
    fill = key(name)
    rim_colour = SPELL_RIMS[name]
    centre = (32, 32)
    outer = ellipse(size, size, centre, (30, 30))
    inner = ellipse(size, size, centre, (23.5, 23.5))
    layer.glow(art.TEAL, art.radial(size, size, centre, 32, 2.0) * 0.35)
    part(layer, outer, rim_colour, shadow=rim_colour * 0.55 + art.INK * 0.2, light=WHITE * 0.5 + rim_colour * 0.5,
         depth=3)
    for k in range(8):                                   # rivets round the rim
        a = math.pi * k / 4 + math.pi / 8
        rivet = ellipse(size, size, (32 + 27 * math.cos(a), 32 + 27 * math.sin(a)), (1.3, 1.3))
        layer.paint(rim_colour * 0.5, rivet)
    layer.paint(art.INK, art.grow(inner, 1))
    layer.paint(fill, inner)
    layer.paint(fill * 0.45 + art.INK * 0.3, art.blur(edge(inner, -3, 3), 0.8) * inner)
    symbol = np.zeros((size, size), dtype=np.float32)
    for points in spell_symbol(name):
        draw(symbol, points, 2.4)
    # The glow is cut off short, so that the fill beside the mark stays plain.
    halo = np.clip(art.blur(symbol, 2.6) * 2.2 - 0.15, 0, 1) * inner
    layer.shine(art.AMBER, halo)
    layer.shine(art.GOLD, halo * halo)
    layer.paint(art.GOLD, symbol, art.INK * 0.5 + fill * 0.5)
    layer.paint(art.GOLD_LIGHT, np.clip(symbol * 2.0 - 1.2, 0, 1))
    layer.glow(WHITE, art.sparkle(size, size, (45, 14), 5) * 0.8)
    return single(layer)


def spell_painter(name):
    return lambda: spell(name)


# --- A life --------------------------------------------------------------------------------------------------

def life_pot():
    """A tiny round flask of rose-red potion, corked, with a glint on its glass. Only 26 by 26 texels are
    shown, at half size, so its potion is kept broad and plain."""
    size, shown = 32, 26
    layer = Layer(size, size)
    glass = art.TEAL_LIGHT * 0.55 + WHITE * 0.25
    potion = key("LIFEPOT")
    neck = art.polygon_mask(size, size, [(10, 2), (16, 2), (16, 6), (10, 6)])
    layer.paint(glass, neck, art.INK)
    cork = art.polygon_mask(size, size, [(9.5, 0.6), (16.5, 0.6), (16, 3), (10, 3)])
    layer.paint(WOOD, cork, art.INK)
    centre = (13, 14.6)
    layer.paint(glass, ellipse(size, size, centre, (11.8, 10.0)), art.INK)
    _, y = art.grid(size, size)
    liquid = ellipse(size, size, centre, (11.0, 9.2)) * np.clip(y - 6.5, 0, 1)
    layer.paint(potion, liquid)
    layer.paint(potion * 0.6 + art.PLUM * 0.3, edge(liquid, 1, -1) * liquid * 0.8)
    glint = [(centre[0] + 10.2 * math.cos(a), centre[1] + 8.6 * math.sin(a)) for a in np.linspace(3.5, 4.4, 5)]
    layer.shine(WHITE, stroke(size, size, glint, 0.7) * 0.9)
    layer.shine(WHITE, ellipse(size, size, (21, 8.5), (0.9, 0.9)) * 0.7)
    layer = outlined(layer)
    layer.alpha[shown:, :] = 0.0                    # only a rim's last sliver reaches past the shown part
    layer.alpha[:, shown:] = 0.0
    return single(layer)


SHEETS = [
    ("BOTTOMBAR", "bottombar.dds", bottom_bar),
    ("LEFTBAR", "leftbar.dds", left_bar),
    ("BOLVANLU", "bolvanlu.dds", owlet),
    ("BOLVANLD", "bolvanld.dds", gnome),
    ("SCORESMALL", "scoresmall.dds", score_small),
    ("SUN", "sun.dds", sun),
    ("SUNEYEL", "suneyel.dds", sun_eye),
    ("SPELLWALL", "spellwall.dds", spell_painter("SPELLWALL")),
    ("SPELLBRIDGE", "spellbridge.dds", spell_painter("SPELLBRIDGE")),
    ("SPELLWINDRIGHT", "spellwindright.dds", spell_painter("SPELLWINDRIGHT")),
    ("SPELLWINDLEFT", "spellwindleft.dds", spell_painter("SPELLWINDLEFT")),
    ("SPELLTELEPORT", "spellteleport.dds", spell_painter("SPELLTELEPORT")),
    ("LIFEPOT", "lifepot.dds", life_pot),
]


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: hud_art.py PREVIEW_FOLDER")
    os.makedirs(sys.argv[1], exist_ok=True)
    for _, file, paint in SHEETS:
        paint().save(os.path.join(sys.argv[1], file.replace(".dds", ".png")))
