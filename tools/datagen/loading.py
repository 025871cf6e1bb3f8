"""The loading screen's pictures: background, the 4 by 4 sheet of the spinning rune, the bar's fill and back.

Where they are drawn (1024 by 768 screen): the background over the whole screen; the bar at 282, 359, 473 by
60 pixels, showing the top-left 477 by 59 texels of its 512 by 64 textures; the rune at 573, 472, 128 by 128
pixels, one quarter of its 512 by 512 sheet across and down. The sheet is played backwards, 20 cells a second.
"""
import math

import numpy as np

import art
import scene

SCREEN = (1024, 768)
BAR_POSITION = (0.27587890625, 0.4680989683)
BAR_SIZE = (0.4619140625, 0.078125)
BAR_TEXTURE = (512, 64)
BAR_USED = (477, 59)                 # right 0.931640625, bottom 0.921875 of the bar textures
RUNE_POSITION = (0.56005859375, 0.615234375)
RUNE_SIZE = (0.125, 0.1666666716)
FRAME = 128
FRAMES = 16


def screen_box(position, size):
    return (position[0] * SCREEN[0], position[1] * SCREEN[1], size[0] * SCREEN[0], size[1] * SCREEN[1])


# --- Background ------------------------------------------------------------------------------------

def title(picture, text, centre, size):
    height, width = picture.shape[:2]
    mask = art.text_mask(width, height, text, art.SANS_BOLD, size, centre)
    rows = np.nonzero(mask.max(axis=1))[0]
    art.caption(picture, mask, rows[0], rows[-1], art.GOLD_LIGHT, art.GOLD, outline_width=3,
                glow=art.AMBER, glow_radius=14, glow_strength=0.55, shadow=4)


def flourish(picture, centre_x, y, half_width):
    """A gold rule with a diamond in the middle, fading towards its ends."""
    height, width = picture.shape[:2]
    x, rows = art.grid(width, height)
    along = np.clip(1.0 - np.abs(x - centre_x) / half_width, 0, 1)
    line = np.clip(1.2 - np.abs(rows - y), 0, 1) * along ** 0.7
    diamond = art.polygon_mask(width, height, [(centre_x - 10, y), (centre_x, y - 7), (centre_x + 10, y),
                                               (centre_x, y + 7)])
    art.over(picture, art.INK, art.blur(np.maximum(line, diamond), 1.5) * 0.8)
    art.over(picture, art.GOLD, np.maximum(line, diamond))
    art.add_light(picture, art.AMBER, art.blur(diamond, 5) * 0.8)


def bar_bed(picture):
    """A soft shadow under the bar, so that it stands clear of the sky."""
    height, width = picture.shape[:2]
    x, y, w, h = screen_box(BAR_POSITION, BAR_SIZE)
    bed = art.polygon_mask(width, height, [(x + 10, y + 8), (x + w - 10, y + 8), (x + w - 10, y + h - 8),
                                           (x + 10, y + h - 8)])
    art.over(picture, art.NIGHT, art.blur(bed, 16) * 0.6)


def loading_caption(picture):
    height, width = picture.shape[:2]
    x, y, w, h = screen_box(RUNE_POSITION, RUNE_SIZE)
    mask = art.text_mask(width, height, "Loading\u2026", art.SANS_BOLD, 30, (x - 8, y + h / 2), anchor="rm")
    rows = np.nonzero(mask.max(axis=1))[0]
    art.caption(picture, mask, rows[0], rows[-1], art.GOLD_LIGHT, art.GOLD, outline_width=2, shadow=2)


def background():
    picture = scene.paint(SCREEN[0], SCREEN[1], seed=1701, dawn_x=640, keep_x=150, brightness=0.9)
    bar_bed(picture)
    title(picture, "Glintmoor Dawnkeel", (512, 150), 74)
    flourish(picture, 512, 212, 230)
    loading_caption(picture)
    art.vignette(picture, strength=0.5)
    return picture


# --- The rune -------------------------------------------------------------------------------------

SIGN = 11                            # texels across one sign of the ring
RUNE_STROKES = [  # small angular signs, in a unit box, drawn on the ring
    [((0.5, 0.0), (0.5, 1.0)), ((0.5, 0.3), (0.9, 0.0)), ((0.5, 0.55), (0.9, 0.25))],
    [((0.2, 0.0), (0.2, 1.0)), ((0.2, 0.0), (0.8, 0.5)), ((0.8, 0.5), (0.2, 1.0))],
]


def _segment(x, y, a, b, width, pixels):
    """Coverage of a stroke of that width; x, y and the ends in one unit, pixels texels to the unit."""
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = np.clip(((x - ax) * dx + (y - ay) * dy) / max(1e-6, dx * dx + dy * dy), 0, 1)
    distance = np.hypot(x - ax - t * dx, y - ay - t * dy)
    return np.clip((width / 2 - distance) * pixels + 0.5, 0, 1)


def rune_frame(phase, supersample=4):
    """One frame (RGBA array) of the rune: a dark medallion whose ring of gold signs turns clockwise around
    a pulsing teal orb, with three motes circling the other way."""
    size = FRAME * supersample
    x, y = art.grid(size, size)
    x, y = x / supersample - FRAME / 2, y / supersample - FRAME / 2
    radius = np.hypot(x, y)
    angle = np.arctan2(y, x)
    pulse = 0.5 + 0.5 * math.cos(2 * math.pi * phase)
    # Two signs take turns round the ring, so a quarter turn per loop brings the ring back to its first look.
    turn = 2 * math.pi / 4 * phase
    edge = 1.0 / supersample

    def ring(at, width):
        return np.clip((width / 2 - np.abs(radius - at)) / edge + 0.5, 0, 1)

    colour = np.broadcast_to(art.TEAL, (size, size, 3)).astype(np.float32).copy()
    halo = np.exp(-np.maximum(radius - 52, 0) ** 2 / 40.0) * (0.45 + 0.25 * pulse)
    disc = np.clip((57 - radius) / edge + 0.5, 0, 1)
    alpha = np.maximum(halo, disc * 0.96)
    art.over(colour, art.INDIGO * 0.7, disc)
    art.over(colour, art.GOLD, ring(55, 2.2))
    art.over(colour, art.GOLD_DEEP, ring(41, 1.6))
    signs = np.zeros((size, size), dtype=np.float32)
    for k in range(8):
        a = turn + 2 * math.pi * k / 8
        lx, ly = x - 48 * math.cos(a), y - 48 * math.sin(a)
        u = (lx * -math.sin(a) + ly * math.cos(a)) / SIGN + 0.5   # each sign stands upright towards the centre
        v = (lx * math.cos(a) + ly * math.sin(a)) / SIGN + 0.5
        for a_point, b_point in RUNE_STROKES[k % len(RUNE_STROKES)]:
            signs = np.maximum(signs, _segment(u, v, a_point, b_point, 1.6 / SIGN, SIGN * supersample))
    art.add_light(colour, art.AMBER, art.blur(signs, 2 * supersample) * (0.6 + 0.4 * pulse))
    art.over(colour, art.GOLD_LIGHT, signs)
    glow = np.exp(-(radius / (20 + 5 * pulse)) ** 2)
    art.add_light(colour, art.TEAL, glow * 1.2)
    dots = ring(31, 1.6) * np.clip(np.cos(12 * (angle + 2 * turn)) * 3 - 1.5, 0, 1)
    art.add_light(colour, art.TEAL_LIGHT, dots)
    art.add_light(colour, art.TEAL_LIGHT, np.exp(-(radius / (9 + 2 * pulse)) ** 2))
    art.over(colour, np.ones(3, dtype=np.float32), np.exp(-(radius / 4.5) ** 2))
    for k in range(3):  # a third of a turn per loop keeps the three motes seamless
        a = -2 * math.pi / 3 * phase + 2 * math.pi * k / 3
        centre = ((FRAME / 2 + 35 * math.cos(a)) * supersample, (FRAME / 2 + 35 * math.sin(a)) * supersample)
        art.add_light(colour, art.TEAL_LIGHT, art.sparkle(size, size, centre, 5 * supersample))
    rgba = np.dstack([colour, alpha])
    return rgba.reshape(FRAME, supersample, FRAME, supersample, 4).mean(axis=(1, 3))


def rune_sheet():
    """Cells in reading order; the game steps backwards through them, so cell 15 - k shows step k."""
    sheet = np.zeros((4 * FRAME, 4 * FRAME, 4), dtype=np.float32)
    for step in range(FRAMES):
        cell = FRAMES - 1 - step
        frame = rune_frame(step / FRAMES)
        row, column = divmod(cell, 4)
        sheet[row * FRAME:(row + 1) * FRAME, column * FRAME:(column + 1) * FRAME] = frame
    return art.to_image(sheet[..., :3], sheet[..., 3])


# --- The bar --------------------------------------------------------------------------------------

def _capsule(width, height, inset):
    """A rounded bar shape inset from the bar's used area, anti-aliased."""
    x, y = art.grid(width, height)
    radius = (height - 2 * inset) / 2
    cx = np.clip(x, inset + radius, width - inset - radius)
    distance = np.hypot(x - cx, y - height / 2)
    return np.clip(radius + 0.5 - distance, 0, 1)


def bar(filled):
    """The bar's back (empty trough) or fill (glowing dawn light), with the same gold rim."""
    used_w, used_h = BAR_USED
    outer = _capsule(used_w, used_h, 2)
    rim = _capsule(used_w, used_h, 4)
    inside = _capsule(used_w, used_h, 8)
    t = np.linspace(0, 1, used_h, dtype=np.float32)[:, None, None]
    picture = np.broadcast_to(art.INK, (used_h, used_w, 3)).copy()
    gold = art.GOLD_LIGHT * (1 - t) + art.GOLD_DEEP * t
    art.over(picture, np.broadcast_to(gold, picture.shape), rim)
    art.over(picture, art.INK, _capsule(used_w, used_h, 6))
    if filled:
        light = art.vertical_gradient(used_h, [(0.0, art.DAWN), (0.35, art.GOLD), (0.7, art.AMBER),
                                               (1.0, art.ROSE)])[:, None, :]
        art.over(picture, np.broadcast_to(light, picture.shape), inside)
        shine = np.clip(1 - np.abs(t[..., 0] - 0.28) * 9, 0, 1)
        art.add_light(picture, art.rgb("#ffffff"), shine * inside * 0.55)
    else:
        trough = art.NIGHT * (1 - t) + art.VIOLET * 0.6 * t
        art.over(picture, np.broadcast_to(trough, picture.shape), inside)
    full = np.zeros((BAR_TEXTURE[1], BAR_TEXTURE[0], 4), dtype=np.float32)
    full[:used_h, :used_w, :3] = picture
    full[:used_h, :used_w, 3] = outer
    return art.to_image(full[..., :3], full[..., 3])
