"""The world's own pictures (the off-screen pointers, the rising soul, the bones left behind) and the level backdrops.

The small sheets are clear around their figures and keep inside the part of the texture the game shows.
A backdrop is stretched behind a whole level, two to three screens wide and one high, so its detail runs broad
and flat, and its lower quarter, where the ground blocks stand, stays dark and quiet.
"""
import math
import os
import sys

import numpy as np
from PIL import Image, ImageDraw

import art
from objects_art import BONE, WHITE, Layer, edge, ellipse, part, sheet, stroke

# The backdrop's width is stretched about two and a half times and its height one and a half: round things are
# painted this much narrower so that they look round in the level.
ROUND = 0.62


def fade_beyond(layer, right=None, bottom=None):
    """Clears the coverage past the shown part of the texture, softly over the last three texels."""
    x, y = art.grid(layer.width, layer.height)
    keep = np.ones_like(x)
    if right is not None:
        keep *= np.clip((right - x) / 3.0, 0, 1)
    if bottom is not None:
        keep *= np.clip((bottom - y) / 3.0, 0, 1)
    layer.alpha *= keep


def single(layer):
    return art.to_image(layer.colour, layer.alpha)


# --- Pointers -------------------------------------------------------------------------------------------

def pointer():
    """A gold arrow pointing right, on an ink rim in a teal haze; the game turns it towards the character."""
    size = 64
    layer = Layer(size, size)
    arrow = art.polygon_mask(size, size, [(11, 26), (33, 26), (33, 13), (53, 32), (33, 51), (33, 38), (11, 38)])
    layer.glow(art.TEAL, art.blur(art.grow(arrow, 2), 4) * 0.75)
    layer.paint(art.INK, art.grow(arrow, 2))
    t = np.clip((np.arange(size, dtype=np.float32)[:, None] - 14) / 36.0, 0, 1)[..., None]
    fill = art.GOLD_LIGHT * (1 - t) * 0.4 + art.GOLD * (1 - t) * 0.6 + art.GOLD_DEEP * 1.25 * t
    layer.paint(np.broadcast_to(fill, (size, size, 3)), arrow)
    layer.paint(art.GOLD_LIGHT, edge(arrow, 1, 2) * arrow * 0.9)
    layer.paint(art.GOLD_DEEP, edge(arrow, 0, -2) * arrow * 0.8)
    layer.shine(art.TEAL_LIGHT, art.sparkle(size, size, (47, 30), 5) * arrow * 0.6)
    return single(layer)


def portal_pointer():
    """A small glowing arch, the way out, in the left 39 texels: the game shows no more of the width."""
    size, shown = 64, 39
    layer = Layer(size, size)
    x, y = art.grid(size, size)
    cx, spring = 20, 25

    def arch(half, bottom):
        points = [(cx - half, bottom), (cx + half, bottom)]
        points += [(cx + half * math.cos(a), spring - half * math.sin(a)) for a in np.linspace(0, math.pi, 32)]
        return art.polygon_mask(size, size, points)

    outer, opening = arch(14, 55), arch(9, 52)
    layer.glow(art.AMBER, art.blur(outer, 3) * 0.6)
    heart = (cx, 38)
    radius = np.hypot((x - heart[0]) / 9.0, (y - heart[1]) / 15.0)
    heat = np.clip(1.0 - radius * 0.8, 0, 1)
    stops = np.array([0.0, 0.3, 0.55, 0.8, 1.0], dtype=np.float32)
    colours = np.array([art.PLUM, art.ROSE, art.AMBER, art.GOLD, art.DAWN], dtype=np.float32)
    light = np.stack([np.interp(heat, stops, colours[:, k]) for k in range(3)], axis=-1)
    layer.paint(light, opening)
    layer.shine(WHITE, np.exp(-radius ** 2 / 0.08) * opening)
    stones = np.clip(outer - opening, 0, 1)
    part(layer, stones, art.VIOLET * 1.25, shadow=art.INDIGO, light=art.VIOLET * 1.7 + art.ROSE * 0.25, depth=2)
    keystone = art.polygon_mask(size, size, [(cx - 2.5, 14), (cx + 2.5, 14), (cx + 3.2, 10), (cx - 3.2, 10)])
    part(layer, keystone, art.GOLD, light=art.GOLD_LIGHT, depth=1)
    layer.shine(art.DAWN, art.sparkle(size, size, (cx + 4, 33), 5) * 0.9)
    fade_beyond(layer, right=shown - 1)
    return single(layer)


# --- The rising soul ------------------------------------------------------------------------------------

FRAMES = 4
SHOWN_ROWS = 48                       # the game shows the top three quarters of each 64-texel frame

# One wing (the right), from the shoulder outwards, its feathers scalloped along the trailing edge.
WING = [(0, 0), (4, -5), (10, -8), (16, -8), (19, -6), (17, -3), (15, -1), (13, -2), (11, 1), (9, 0), (7, 3),
        (5, 2), (2, 3)]


def angel_frame(frame):
    """A small translucent spirit with a gold halo, beating its wings as it rises."""
    size = 64
    layer = Layer(size, size)
    x, y = art.grid(size, size)
    beat = math.cos(2 * math.pi * frame / FRAMES)          # 1 with the wings up, -1 with them down
    lift = 3 + round(-1.5 * beat)                          # the body sinks a touch as the wings rise
    cx = 32
    sway = 2.0 * math.sin(2 * math.pi * frame / FRAMES)
    body = art.polygon_mask(size, size, [
        (cx - 5, 19 + lift), (cx + 5, 19 + lift), (cx + 8, 27 + lift), (cx + 6, 35 + lift),
        (cx + 2 + sway * 0.5, 41 + lift), (cx + sway, 45), (cx - 3 + sway * 0.5, 40 + lift),
        (cx - 7, 33 + lift), (cx - 8, 26 + lift)])
    head = ellipse(size, size, (cx, 14 + lift), (5.5, 5.5))
    wings = np.zeros((size, size), dtype=np.float32)
    turn = math.radians(-24 * beat - 6)
    for side in (-1, 1):
        shoulder = (cx + side * 3, 23 + lift)
        points = [(shoulder[0] + side * (px * math.cos(turn) - py * math.sin(turn)),
                   shoulder[1] + px * math.sin(turn) + py * math.cos(turn)) for px, py in WING]
        wings = np.maximum(wings, art.polygon_mask(size, size, points))
    soul = np.maximum(np.maximum(body, head), wings)
    # Translucent: the haze and the figure let the level show through, the tail most of all.
    layer.glow(art.TEAL, art.blur(art.grow(soul, 1), 3) * 0.45)
    fading = np.clip((47 - y) / 14.0, 0.25, 1.0)
    layer.paint(art.TEAL_LIGHT, (art.grow(soul, 1) - soul) * 0.8)
    layer.paint(art.TEAL_LIGHT * 0.55 + WHITE * 0.45, wings * 0.7)
    feathers = edge(wings, 0, -2) * wings
    layer.paint(art.TEAL * 0.8 + art.VIOLET * 0.2, feathers * 0.5)
    ghost = np.maximum(body, head)
    layer.paint(art.TEAL_LIGHT * 0.4 + WHITE * 0.6, ghost * 0.75 * fading)
    layer.paint(art.TEAL * 0.7 + art.TEAL_LIGHT * 0.3, edge(ghost, -2, 0) * ghost * 0.4)
    for eye_x in (cx - 2, cx + 2):
        layer.paint(art.INDIGO * 0.7 + art.INK * 0.3, ellipse(size, size, (eye_x, 14.5 + lift), (0.9, 1.3)))
    halo = np.clip(ellipse(size, size, (cx, 6 + lift), (7, 2.4)) - ellipse(size, size, (cx, 6 + lift), (4.6, 1.1)),
                   0, 1)
    layer.glow(art.AMBER, art.blur(halo, 2) * 0.8)
    layer.paint(art.GOLD, halo, outline=art.GOLD_DEEP)
    layer.shine(art.GOLD_LIGHT, halo * (y < 6 + lift))
    fade_beyond(layer, bottom=SHOWN_ROWS - 1)
    return layer.rgba()


def angel():
    return sheet([angel_frame(k) for k in range(FRAMES)])


# --- The bones left behind --------------------------------------------------------------------------------

BONE_SHADE = BONE * 0.68 + art.PLUM * 0.18
BONE_LIGHT = BONE * 0.5 + WHITE * 0.5


def long_bone(size, a, b, radius):
    """A shaft with a pair of knuckles at each end."""
    mask = stroke(size, size, [a, b], radius)
    length = math.hypot(b[0] - a[0], b[1] - a[1])
    nx, ny = -(b[1] - a[1]) / length, (b[0] - a[0]) / length
    for end in (a, b):
        for side in (-1, 1):
            mask = np.maximum(mask, ellipse(size, size, (end[0] + side * nx * radius * 0.9,
                                                         end[1] + side * ny * radius * 0.9), (radius * 1.15,) * 2))
    return mask


def skeleton():
    """A little heap of bones with the skull on top, resting on the bottom of the shown 100 by 100 texels."""
    size, shown = 128, 100
    layer = Layer(size, size)
    x, y = art.grid(size, size)
    shadow = np.exp(-((x - 53) / 22.0) ** 2 - ((y - 96.5) / 2.4) ** 2)
    layer.paint(art.INK, shadow * 0.45)
    # Back to front: the long bones at the bottom of the heap first.
    for a, b, r in (((18, 92), (62, 86), 2.6), ((44, 94), (84, 90), 2.4), ((30, 83), (70, 93), 2.2)):
        part(layer, long_bone(size, a, b, r), BONE, shadow=BONE_SHADE, light=BONE_LIGHT, depth=2)
    # The rib cage fallen on its side: a spine along the top, each rib an arc bowing out towards the front.
    spine = np.zeros((size, size), dtype=np.float32)
    for k in range(7):
        spine = np.maximum(spine, ellipse(size, size, (58 + k * 4.2, 77 - k * 0.5), (2.3, 2.0)))
    for k in range(4):
        top = (60 + k * 5.5, 77 - k * 0.4)
        depth_y, bow = 15 - k * 1.5, 7 - k * 0.8
        arc = [(top[0] + bow * math.sin(math.pi * s) - 2.5 * s, top[1] + depth_y * s)
               for s in np.linspace(0, 1, 10)]
        rib = stroke(size, size, arc, 1.3, 0.8)
        part(layer, rib, BONE * (0.8 + 0.05 * k), shadow=BONE_SHADE, light=BONE_LIGHT, depth=1)
    part(layer, spine, BONE, shadow=BONE_SHADE, depth=1)
    part(layer, long_bone(size, (64, 95), (88, 83), 2.0), BONE, shadow=BONE_SHADE, light=BONE_LIGHT, depth=2)
    # The skull, tipped a little towards the viewer's left.
    cx, cy = 40, 71
    cranium = ellipse(size, size, (cx, cy), (12, 10.5), turn=-0.15)
    jaw = ellipse(size, size, (cx + 1.5, cy + 9), (8, 4.5), turn=-0.15)
    skull = np.maximum(cranium, jaw)
    part(layer, skull, BONE, shadow=BONE_SHADE, light=BONE_LIGHT, depth=3)
    for eye_x, eye_y in ((cx - 5, cy + 1.5), (cx + 5, cy + 0.5)):
        layer.paint(art.INK, ellipse(size, size, (eye_x, eye_y), (3.2, 3.6), turn=0.2))
    layer.paint(art.INK, art.polygon_mask(size, size, [(cx - 0.5, cy + 4.5), (cx + 2, cy + 4.3), (cx + 0.9, cy + 7)]))
    teeth = art.polygon_mask(size, size, [(cx - 5, cy + 9.5), (cx + 6, cy + 8), (cx + 6.2, cy + 9.2),
                                          (cx - 4.8, cy + 10.7)])
    layer.paint(art.INK, teeth * 0.9)
    for k in range(5):
        tooth_x = cx - 3 + k * 2.2
        layer.paint(art.INK, stroke(size, size, [(tooth_x, cy + 7.6 - k * 0.2), (tooth_x, cy + 11.5 - k * 0.2)], 0.3)
                    * jaw * 0.8)
    fade_beyond(layer, right=shown - 1, bottom=shown - 1)
    return single(layer)


SHEETS = [
    ("PTR", "ptr.dds", pointer),
    ("PORTALPTR", "portalptr.dds", portal_pointer),
    ("ANGEL", "angel.dds", angel),
    ("SKELETON", "skeleton.dds", skeleton),
]


# --- Backdrops --------------------------------------------------------------------------------------------

WIDTH, HEIGHT = 1024, 512
GROUND = int(HEIGHT * 0.75)           # below this row the level's ground blocks stand


def sky(stops):
    return np.broadcast_to(art.vertical_gradient(HEIGHT, stops)[:, None, :], (HEIGHT, WIDTH, 3)).copy()


def rim(mask, pixels=2):
    """The top edge of a shape, where light from behind the hills catches it."""
    return np.clip(mask - np.roll(mask, pixels, axis=0), 0, 1)


def sheared_noise(cell, rng, stretch, slant, octaves=4):
    """Fractal noise whose features lean: each row is taken slant texels further along than the one above."""
    extra = int(abs(slant) * HEIGHT) + 1
    wide = art.fractal_noise(WIDTH + extra, HEIGHT, cell, rng, stretch=stretch, octaves=octaves)
    rows = np.arange(HEIGHT)[:, None]
    columns = np.arange(WIDTH)[None, :] + (rows * slant if slant > 0 else (HEIGHT - rows) * -slant).astype(int)
    return wide[rows, columns]


def ground_shade(picture, rng, colour):
    """The quiet strip under the ground blocks: dark, with only a faint heather mottle."""
    rows = np.arange(HEIGHT, dtype=np.float32)[:, None]
    mottle = art.fractal_noise(WIDTH, HEIGHT, 16, rng, stretch=6, octaves=2)
    depth = np.clip((rows - GROUND + 30) / 90.0, 0, 1)
    shade = colour * (0.85 + 0.2 * mottle[..., None]) * (1.0 - 0.35 * depth[..., None])
    art.over(picture, shade, depth * 0.9)


def finish(picture):
    """A grain of two levels either way keeps the long gradients from banding in block-compressed colour."""
    grain = (np.random.default_rng(0).random(picture.shape[:2], dtype=np.float32) - 0.5) * (4.0 / 255.0)
    return art.to_image(picture + grain[..., None])


def moor_backdrop():
    """Rolling moor hills at dusk under a rose and amber sky, the first stars out above."""
    rng = np.random.default_rng(5101)
    horizon = 0.62 * HEIGHT
    picture = sky([(0.0, art.NIGHT), (0.22, art.INDIGO), (0.38, art.VIOLET), (0.49, art.PLUM), (0.56, art.ROSE),
                   (0.62, art.AMBER), (1.0, art.AMBER)])
    sun_x = 640
    art.add_light(picture, art.DAWN, art.radial(WIDTH, HEIGHT, (sun_x, horizon), 150, 1.6, aspect=2.4) * 0.9)
    art.add_light(picture, art.AMBER, art.radial(WIDTH, HEIGHT, (sun_x, horizon), 300, 2.0, aspect=2.8) * 0.5)
    art.add_light(picture, art.rgb("#f4ecff"), art.stars(WIDTH, HEIGHT, 260, rng, fade_to=0.34 * HEIGHT))
    # Long, thin clouds: most in a band above the glow, a few wisps higher up.
    shape = art.fractal_noise(WIDTH, HEIGHT, 20, rng, stretch=10, octaves=4)
    rows = np.arange(HEIGHT, dtype=np.float32)[:, None] / HEIGHT
    band = np.exp(-((rows - 0.46) / 0.07) ** 2) + 0.5 * np.exp(-((rows - 0.27) / 0.04) ** 2)
    cover = np.clip((shape - 0.52) * 4.0, 0, 1) * band
    lit = art.radial(WIDTH, HEIGHT, (sun_x, horizon), 560, 1.2, aspect=2.2)
    art.over(picture, art.PLUM * (1 - lit[..., None]) * 0.85 + art.ROSE * lit[..., None], cover * 0.7)
    art.add_light(picture, art.AMBER, np.clip(cover - np.roll(cover, 2, axis=0), 0, 1) * lit * 1.5)
    # Four ridges, each nearer and darker; the last one dips under the ground strip.
    ridges = [(horizon - 8, 12, art.MOOR[0] * 1.1), (horizon + 14, 16, art.MOOR[1]),
              (horizon + 44, 14, art.MOOR[2]), (GROUND - 4, 8, art.MOOR[3])]
    for depth, (base, amplitude, colour) in enumerate(ridges):
        line = art.ridge(WIDTH, base, amplitude, rng, waves=4)
        mask = art.below(line, HEIGHT)
        if depth == 1:  # a few standing stones on the second ridge, dark against the glow
            stones = []
            for stone_x in (210, 224, 238, 780):
                top = float(line[stone_x]) - rng.uniform(7, 11)
                lean = rng.uniform(-1, 1)
                stones.append([(stone_x - 2.5, line[stone_x] + 3), (stone_x + 2.5, line[stone_x] + 3),
                               (stone_x + 2 + lean, top), (stone_x - 1.5 + lean, top - 1)])
            art.over(picture, colour * 0.85, art.polygons_mask(WIDTH, HEIGHT, stones))
        haze = art.fractal_noise(WIDTH, HEIGHT, 24, rng, stretch=6) * 0.16
        art.over(picture, colour * (0.9 + haze[..., None]), mask)
        art.add_light(picture, art.ROSE * 0.9, rim(mask) * lit * (0.8 - 0.25 * depth))
        if depth < 3:  # mist in the hollow in front of each ridge
            mist = art.fractal_noise(WIDTH, HEIGHT, 32, rng, stretch=10) * np.exp(
                -((np.arange(HEIGHT)[:, None] - (base + amplitude + 14)) / 10.0) ** 2)
            art.add_light(picture, art.rgb("#b58ab8"), mist * 0.3)
    ground_shade(picture, rng, art.MOOR[3])
    return finish(art.vignette(picture, strength=0.35))


def cliff_line(rng, base, rise, steps, jag):
    """The skyline of a row of flat-topped crags: level tops joined by steep drops, broken along its length."""
    x = np.arange(WIDTH, dtype=np.float32)
    edges = np.sort(rng.uniform(0, WIDTH, steps))
    heights = rng.uniform(0.25, 1.0, steps + 1) * rise
    line = base - heights[np.searchsorted(edges, x)]
    # Steep, not sheer: a short ramp at each drop.
    kernel = np.ones(9, dtype=np.float32) / 9
    line = np.convolve(np.pad(line, 4, mode="edge"), kernel, mode="valid")
    broken = art.smooth_noise(WIDTH, 1, 24, rng)[0] * 0.85 + art.smooth_noise(WIDTH, 1, 5, rng)[0] * 0.15
    return line + jag * (broken - 0.5)


def cliffs_backdrop():
    """Violet cliffs under an indigo sky, a big pale moon, and a waterfall catching its light."""
    rng = np.random.default_rng(5202)
    picture = sky([(0.0, art.NIGHT), (0.35, art.INDIGO), (0.6, art.VIOLET * 0.85), (0.75, art.PLUM * 0.6),
                   (1.0, art.INDIGO)])
    art.add_light(picture, art.rgb("#f4ecff"), art.stars(WIDTH, HEIGHT, 320, rng, fade_to=0.5 * HEIGHT))
    moon_centre, moon_radius = (300, 100), 54
    pale = art.rgb("#f1ebff") * 0.8 + art.DAWN * 0.2
    art.add_light(picture, art.VIOLET * 1.6, art.radial(WIDTH, HEIGHT, moon_centre, 260, 1.8, aspect=ROUND * 1.6))
    art.add_light(picture, pale, art.radial(WIDTH, HEIGHT, moon_centre, 110, 2.4, aspect=ROUND) * 0.55)
    x, y = art.grid(WIDTH, HEIGHT)
    moon_distance = np.hypot((x - moon_centre[0]) / ROUND, y - moon_centre[1])
    disc = np.clip(moon_radius + 0.5 - moon_distance, 0, 1)
    seas = art.fractal_noise(WIDTH, HEIGHT, 14, rng, octaves=3)
    face = pale * (0.92 - 0.18 * np.clip((seas - 0.45) * 3, 0, 1))[..., None]
    face = face * (1.0 - 0.12 * (moon_distance / moon_radius) ** 3)[..., None]
    art.over(picture, face, disc)
    wisp = np.clip((art.fractal_noise(WIDTH, HEIGHT, 10, rng, stretch=12) - 0.5) * 4, 0, 1)
    art.over(picture, art.VIOLET * 0.7, wisp * np.exp(-((y - 138) / 9.0) ** 2) * 0.6)
    toward_moon = np.clip(1.0 - np.abs(x - moon_centre[0]) / 800.0, 0.2, 1)
    # Far crags, faded into the night haze.
    far = art.below(cliff_line(rng, 240, 90, 7, 12), HEIGHT)
    art.over(picture, art.VIOLET * 0.72 + art.PLUM * 0.18, far)
    art.add_light(picture, pale * 0.45, rim(far) * toward_moon)
    mist = np.exp(-((y - 250) / 26.0) ** 2) * art.fractal_noise(WIDTH, HEIGHT, 30, rng, stretch=8)
    art.add_light(picture, art.rgb("#8a78c0"), mist * 0.4)
    # The great wall: moonlit along its top, darkening down its face, cut by ledges and fissures.
    fall_x = 600
    line = cliff_line(rng, 300, 130, 6, 22)
    # A level lip round the fall, with the notch the water has worn into it.
    columns = np.arange(WIDTH, dtype=np.float32)
    level = np.exp(-((columns - fall_x) / 36.0) ** 4)
    line = line * (1 - level) + float(line[fall_x - 36:fall_x + 36].mean()) * level
    line += 7 * np.exp(-((columns - fall_x) / 8.0) ** 2)
    wall = art.below(line, HEIGHT)
    below_top = np.clip((y - line[None, :]) / 220.0, 0, 1)
    strata = art.fractal_noise(WIDTH, HEIGHT, 8, rng, stretch=14, octaves=2)
    ledges = 1.0 - 0.12 * (np.sin(y / 6.5 + strata * 5.0) > 0.75)
    fissures = art.fractal_noise(HEIGHT, WIDTH, 10, rng, stretch=6, octaves=2).T
    cracks = 1.0 - 0.18 * np.clip((0.4 - fissures) * 5, 0, 1)
    shade = (1.0 - 0.55 * below_top) * ledges * cracks * (0.85 + 0.15 * toward_moon)
    art.over(picture, (art.VIOLET * 0.62 + art.INDIGO * 0.3) * shade[..., None], wall)
    art.add_light(picture, pale * 0.7, rim(wall, 2) * toward_moon)
    art.add_light(picture, art.VIOLET * 0.5, art.blur(rim(wall, 3), 3) * wall * toward_moon)
    # The waterfall pouring over the lip, its threads catching the moon, spray rising where it lands.
    lip = float(line[fall_x]) + 1
    landing = GROUND + 6
    fall_along = np.clip((y - lip) / (landing - lip), 0, 1)
    width = 5 + 5 * fall_along
    water = np.clip(width - np.abs(x - fall_x - 3 * fall_along), 0, 1) * (y > lip) * (y < landing)
    threads = art.fractal_noise(HEIGHT, WIDTH, 8, rng, stretch=12, octaves=2).T
    art.over(picture, art.TEAL * 0.4 + art.VIOLET * 0.4, water * 0.9)
    art.add_light(picture, art.TEAL_LIGHT, water * np.clip((threads - 0.42) * 3, 0, 1) * 0.9)
    art.add_light(picture, art.TEAL, art.blur(water, 10) * 0.3)
    spray = art.radial(WIDTH, HEIGHT, (fall_x + 3, landing), 80, 1.3, aspect=2.6)
    art.add_light(picture, art.rgb("#b8a8e0"), spray * 0.45)
    for size, (dx, row) in ((7, (0, lip + 4)), (5, (1, lip + 60)), (9, (3, landing - 16))):
        art.add_light(picture, WHITE, art.sparkle(WIDTH, HEIGHT, (fall_x + dx, row), size) * 0.9)
    # The near ledge the level stands on, in front of the pool.
    near = art.below(cliff_line(rng, GROUND + 6, 22, 9, 8), HEIGHT)
    art.over(picture, art.INDIGO * 0.5, near)
    art.add_light(picture, art.VIOLET * 0.8, rim(near) * (0.3 + spray))
    ground_shade(picture, rng, art.MOOR[3])
    return finish(art.vignette(picture, strength=0.35))


def bent_tree(wood, leaves, foot, height, lean, rng, scale):
    """A wind-bent tree drawn into two supersampled masks: trunk and boughs swept downwind (to the right),
    and the clumps of its crown strung along them, all streaming off the same way."""
    def dab(draw, cx, cy, rx, ry):
        draw.ellipse([(cx - rx) * scale, (cy - ry) * scale, (cx + rx) * scale, (cy + ry) * scale], fill=255)

    def limb(start, length, angle, width, bend, level):
        points = [start]
        px, py, a = start[0], start[1], angle
        pieces = 8
        for k in range(pieces):
            a += bend / pieces
            px += math.cos(a) * length / pieces
            py -= math.sin(a) * length / pieces
            points.append((px, py))
        for k, (a_, b_) in enumerate(zip(points, points[1:])):
            w = width * (1.0 - 0.65 * k / pieces)
            wood.line([(a_[0] * scale, a_[1] * scale), (b_[0] * scale, b_[1] * scale)], fill=255,
                      width=max(1, int(w * scale)))
            dab(wood, b_[0], b_[1], w / 2, w / 2)
        if level < 2:
            for k in range(4 - level):
                at = points[rng.integers(3, pieces)]
                limb(at, length * rng.uniform(0.35, 0.6), rng.uniform(-0.1, 0.7), width * 0.45,
                     -rng.uniform(0.4, 1.0), level + 1)
        for px, py in points[pieces // 2 + level:]:
            r = height * rng.uniform(0.05, 0.09) * (1.2 - 0.25 * level)
            dab(leaves, px + r * 0.8, py - r * 0.1, r * 2.2, r)

    # The trunk starts upright and is bent over towards the right, the way the gales have trained it.
    limb(foot, height, math.pi / 2 - 0.1, height * 0.1, -lean, 0)


def storm_backdrop():
    """The moor at night in a gale: teal-edged clouds streaming across the sky, trees bent by the wind."""
    rng = np.random.default_rng(5303)
    picture = sky([(0.0, art.NIGHT), (0.3, art.INDIGO * 0.9), (0.6, art.INDIGO * 0.7 + art.TEAL * 0.12),
                   (0.7, art.VIOLET * 0.5 + art.TEAL * 0.1), (1.0, art.NIGHT)])
    x, y = art.grid(WIDTH, HEIGHT)
    moon = (760, 96)
    art.add_light(picture, art.TEAL * 0.8, art.radial(WIDTH, HEIGHT, moon, 330, 1.8, aspect=ROUND * 2.2) * 0.5)
    art.add_light(picture, art.TEAL_LIGHT, art.radial(WIDTH, HEIGHT, moon, 60, 2.0, aspect=ROUND) * 0.7)
    art.add_light(picture, art.rgb("#f4ecff"), art.stars(WIDTH, HEIGHT, 140, rng, fade_to=0.4 * HEIGHT) * 0.8)
    # Streaming clouds, sheared so they seem to race right, lit teal on their upper edges near the moon.
    rows = np.arange(HEIGHT, dtype=np.float32)[:, None] / HEIGHT
    glow = art.radial(WIDTH, HEIGHT, moon, 520, 1.2, aspect=2.0)
    for cell, stretch, centre, spread, strength in ((40, 6, 0.2, 0.16, 0.85), (28, 8, 0.46, 0.1, 0.8)):
        shape = sheared_noise(cell, rng, stretch, 0.6, octaves=3)
        band = np.exp(-((rows - centre) / spread) ** 2)
        cover = np.clip((shape - 0.47) * 3.5, 0, 1) * band
        body = art.INDIGO * 0.8 + art.VIOLET * 0.25 + art.TEAL * 0.08
        art.over(picture, body * (0.8 + 0.4 * glow[..., None]), cover * strength)
        art.add_light(picture, art.TEAL, art.blur(rim(cover, 3), 1.5) * (0.35 + glow) * 0.9)
    streaks = sheared_noise(10, rng, 30, 0.25, octaves=1)
    streaks = np.clip((streaks - 0.72) * 6, 0, 1) * np.exp(-((rows - 0.38) / 0.2) ** 2)
    art.add_light(picture, art.TEAL_LIGHT * 0.6, streaks * 0.25)
    # The moor: three dark ridges.
    horizon = 0.66 * HEIGHT
    lines = []
    for depth, (base, amplitude, colour) in enumerate(((horizon, 12, art.MOOR[2] * 1.15 + art.TEAL * 0.03),
                                                       (horizon + 30, 14, art.MOOR[2] * 0.9),
                                                       (GROUND - 2, 8, art.MOOR[3]))):
        line = art.ridge(WIDTH, base, amplitude, rng, waves=4)
        lines.append(line)
        mask = art.below(line, HEIGHT)
        art.over(picture, colour, mask)
        art.add_light(picture, art.TEAL * 0.6, rim(mask) * glow * (0.6 - 0.2 * depth))
    # Bent trees standing on the ridges, the far ones a shade lighter in the haze.
    scale = 3
    for ridge, tree_x, height, lean, tone in ((0, 150, 58, 1.5, 1.2), (1, 410, 96, 1.7, 0.8),
                                              (0, 655, 44, 1.4, 1.2), (1, 860, 80, 1.6, 0.8)):
        foot = (tree_x, float(lines[ridge][tree_x]) + 4)
        wood = Image.new("L", (WIDTH * scale, HEIGHT * scale), 0)
        leaves = Image.new("L", (WIDTH * scale, HEIGHT * scale), 0)
        bent_tree(ImageDraw.Draw(wood), ImageDraw.Draw(leaves), foot, height, lean, rng, scale)
        wood = np.asarray(wood.resize((WIDTH, HEIGHT), Image.BOX), dtype=np.float32) / 255.0
        crown = np.asarray(leaves.resize((WIDTH, HEIGHT), Image.BOX), dtype=np.float32) / 255.0
        ragged = art.fractal_noise(WIDTH, HEIGHT, 4, rng, stretch=3, octaves=2)
        crown = np.clip((art.blur(crown, 1.5) * (1.0 + 1.2 * (ragged - 0.5)) - 0.35) * 6, 0, 1)
        tree = np.maximum(wood, crown)
        art.over(picture, art.NIGHT * 0.7 + art.MOOR[3] * tone * 0.6, tree)
        art.add_light(picture, art.TEAL * 0.5, rim(tree, 1) * glow * 0.7)
    # Fine rain driven almost flat by the wind.
    rain = sheared_noise(3, rng, 30, -0.35, octaves=1)
    rain = np.clip((rain - 0.7) * 8, 0, 1) * (y < GROUND)
    art.add_light(picture, art.TEAL_LIGHT * 0.5, rain * 0.12)
    ground_shade(picture, rng, art.MOOR[3] * 0.9)
    return finish(art.vignette(picture, strength=0.4))


BACKDROPS = [
    ("BACKDROP_MOOR", "backdrop_moor.dds", moor_backdrop),
    ("BACKDROP_CLIFFS", "backdrop_cliffs.dds", cliffs_backdrop),
    ("BACKDROP_STORM", "backdrop_storm.dds", storm_backdrop),
]


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: world_art.py PREVIEW_FOLDER")
    os.makedirs(sys.argv[1], exist_ok=True)
    for _, file, paint in SHEETS + BACKDROPS:
        paint().save(os.path.join(sys.argv[1], file.replace(".dds", ".png")))
