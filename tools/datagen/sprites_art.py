"""The game screen's own sprites: the spell's sparkle, the wand cursor, the bats, the scroll arrow, the game-over
and pause screens and the banner that waits for Space.

Each picture has one flat key colour in a solid patch near the middle of what the game shows, different from
every other picture's, so that a look at the drawn screen can tell which sprite sits where.
"""
import math
import os
import sys
from functools import lru_cache

import numpy as np

import art
from objects_art import WHITE, WOOD, Layer, edge, ellipse, outlined, part, shifted, stroke
from trainer_art import rounded_outline
from world_art import fade_beyond, single


def key(r, g, b):
    return np.array([r, g, b], dtype=np.float32) / 255.0


# Flat fills that survive to the screen untouched: painted last over their patch, at full coverage.
KEY_COLOURS = {
    "PARTICLE": (210, 252, 255),
    "CURSOR": (255, 228, 96),
    "BAT1": (128, 84, 200),
    "BAT2": (164, 72, 140),
    "BAT3": (72, 92, 200),
    "BAT4": (220, 96, 120),
    "ARROW": (228, 144, 36),
    "GAMEOVER": (248, 188, 56),
    "PAUSE": (255, 244, 170),
    "PRESSSPACEBAR": (232, 206, 168),
}
FILL = {name: key(*colour) for name, colour in KEY_COLOURS.items()}
PALE_TEXT = art.rgb("#f6e6ff")


def border_window(width, height, margin):
    """1 inside, falling to 0 over margin texels at the texture's edge: halos must not wrap round."""
    x, y = art.grid(width, height)
    near = np.minimum(np.minimum(x, width - x), np.minimum(y, height - y))
    return np.clip(near / margin, 0, 1)


def lettering(paint, glow, mask, fill, outline_width=4, glow_colour=art.AMBER, glow_strength=0.45, shadow=5):
    """A title in a flat fill, an ink rim and a drop shadow over a warm haze; the fill's edges are lit on top
    and shaded below, two texels deep, so the strokes keep a flat middle."""
    if glow_colour is not None:
        glow(glow_colour, art.blur(art.grow(mask, 3), 14) * glow_strength)
    if shadow:
        paint(art.INK, art.blur(art.grow(shifted(mask, shadow // 2, shadow), outline_width), 2.5) * 0.75)
    paint(art.INK, art.grow(mask, outline_width))
    paint(fill, mask)
    paint(fill * 0.45 + WHITE * 0.55, edge(mask, 0, 2) * mask * 0.8)
    paint(fill * 0.7 + art.GOLD_DEEP * 0.3, edge(mask, 0, -2) * mask * 0.8)


def small_line(paint, mask, colour=PALE_TEXT):
    paint(art.INK, art.blur(art.grow(mask, 2), 2) * 0.85)
    paint(colour, mask)


def star_points(centre, outer, inner, points=5, turn=-math.pi / 2):
    cx, cy = centre
    return [(cx + (outer if k % 2 == 0 else inner) * math.cos(turn + math.pi * k / points),
             cy + (outer if k % 2 == 0 else inner) * math.sin(turn + math.pi * k / points))
            for k in range(2 * points)]


# --- The spell's sparkle -----------------------------------------------------------------------------------

PARTICLE_CELL, PARTICLE_FRAMES = 40, 36


def sparkle_frame(frame):
    """One twinkle: a glint whose four rays turn a quarter round over the loop and pulse three times."""
    size = PARTICLE_CELL
    layer = Layer(size, size)
    x, y = art.grid(size, size)
    c = size / 2
    dx, dy = x - c, y - c
    pulse = 0.5 + 0.5 * math.cos(2 * math.pi * 3 * frame / PARTICLE_FRAMES)
    turn = (math.pi / 2) * frame / PARTICLE_FRAMES
    # Nothing may reach the next cell, even through the soft halo.
    keep = np.clip((c - 0.5 - np.maximum(np.abs(dx), np.abs(dy))) / 2.5, 0, 1)
    layer.glow(art.TEAL, art.radial(size, size, (c, c), 13 + 4 * pulse, 1.6) * (0.5 + 0.25 * pulse) * keep)
    rays = np.zeros_like(x)
    for k in range(4):
        a = turn + k * math.pi / 4
        main = k % 2 == 0
        length = (11 + 7 * pulse) if main else (6 + 3 * (1 - pulse))
        width = 0.9 if main else 0.6
        along = dx * math.cos(a) + dy * math.sin(a)
        across = -dx * math.sin(a) + dy * math.cos(a)
        ray = np.exp(-across * across / (2 * width * width)) * np.clip(1 - np.abs(along) / length, 0, 1) ** 1.5
        rays = np.maximum(rays, ray * (1.0 if main else 0.7))
    layer.glow(art.TEAL_LIGHT, rays * keep)
    core = 5.2 + 0.8 * pulse
    layer.paint(FILL["PARTICLE"], np.clip(core + 0.5 - np.hypot(dx, dy), 0, 1))
    return layer


def particle():
    size = 256
    colour = np.zeros((size, size, 3), dtype=np.float32)
    alpha = np.zeros((size, size), dtype=np.float32)
    for frame in range(PARTICLE_FRAMES):
        row, column = divmod(frame, 6)
        layer = sparkle_frame(frame)
        box = (slice(row * PARTICLE_CELL, (row + 1) * PARTICLE_CELL),
               slice(column * PARTICLE_CELL, (column + 1) * PARTICLE_CELL))
        colour[box], alpha[box] = layer.colour, layer.alpha
    return art.to_image(colour, alpha)


# --- The wand cursor ------------------------------------------------------------------------------------

def cursor():
    """A short dark wand pointing up, a big glowing gold star on its tip. The game turns it by 45 degrees
    and squeezes it, so the star's flat heart is made wide enough to stay solid after both."""
    size = 64
    layer = Layer(size, size)
    centre = (32, 27)
    star = art.polygon_mask(size, size, star_points(centre, 19, 10.5))
    window = border_window(size, size, 3)
    layer.glow(art.AMBER, art.blur(art.grow(star, 2), 4) * 0.7 * window)
    layer.glow(art.GOLD_LIGHT, art.radial(size, size, centre, 26, 2.0) * 0.5 * window)
    dark_wood = WOOD * 0.55 + art.INK * 0.35
    shaft = stroke(size, size, [(32, 42), (32, 60)], 3.2, 2.6)
    part(layer, shaft, dark_wood, shadow=art.INK * 0.8, light=WOOD * 1.1, depth=2)
    for band_y in (47, 58):
        band = stroke(size, size, [(29, band_y), (35, band_y)], 1.1) * art.grow(shaft, 1)
        layer.paint(art.GOLD, band, art.INK)
    layer.paint(FILL["CURSOR"], star, art.INK)
    layer.paint(art.GOLD_LIGHT * 0.6 + WHITE * 0.4, edge(star, -1, 1) * star)
    layer.paint(art.GOLD * 0.75 + art.GOLD_DEEP * 0.25, edge(star, 2, -1) * star)
    # Magic dust around the star, clear of its heart.
    for spot, glint in (((32, 6), 5.0), ((54, 13), 4.0), ((10, 41), 3.5), ((52, 40), 3.0), ((12, 13), 2.5)):
        layer.glow(art.GOLD_LIGHT, art.sparkle(size, size, spot, glint) * window)
    return single(layer)


# --- The bats -------------------------------------------------------------------------------------------

BAT_COLUMNS, BAT_ROWS = 6, 3
BAT_FRAMES = BAT_COLUMNS * BAT_ROWS
BAT_W, BAT_H = 256, 128
# The right wing from the shoulder, x outwards: the arm up to the wrist, then the scalloped web between the
# finger tips back to the flank.
WING = [(0, -2), (6, -9), (11, -11), (17, -8), (14, -4), (15, 1), (11, -1), (10, 5), (6, 1), (3, 4), (0, 3)]
WRIST, FINGER_TIPS = (11, -11), ((17, -8), (15, 1), (10, 5))


@lru_cache(maxsize=None)
def bat_masks(frame):
    """Masks of one flapping frame, centred in its cell: the cells are 42.67 texels, so the centre is a
    float and every shape is drawn anti-aliased where it falls."""
    row, column = divmod(frame, BAT_COLUMNS)
    phase = 2 * math.pi * frame / BAT_FRAMES
    beat = math.cos(phase)                              # 1 with the wings up, -1 down
    cx = (column + 0.5) * BAT_W / BAT_COLUMNS
    cy = (row + 0.5) * BAT_H / BAT_ROWS + 1.2 * math.sin(phase)   # the body rises on the down stroke
    turn = math.radians(-40 * beat)
    fold = 1.0 - 0.22 * max(0.0, math.sin(phase))       # wings drawn in on the way up

    def place(side, px, py):
        px, py = px * 0.76 * fold, py * 0.8
        return (cx + side * (4 + px * math.cos(turn) - py * math.sin(turn)),
                cy - 3 + px * math.sin(turn) + py * math.cos(turn))

    wings = art.polygons_mask(BAT_W, BAT_H, [[place(side, *p) for p in WING] for side in (-1, 1)])
    bones = np.zeros_like(wings)
    for side in (-1, 1):
        bones = np.maximum(bones, stroke(BAT_W, BAT_H, [place(side, 0, -2), place(side, 6, -9),
                                                        place(side, *WRIST)], 0.6))
        for tip in FINGER_TIPS:
            bones = np.maximum(bones, stroke(BAT_W, BAT_H, [place(side, *WRIST), place(side, *tip)], 0.45))
    body = ellipse(BAT_W, BAT_H, (cx, cy + 1), (9, 10.5))
    ears = art.polygons_mask(BAT_W, BAT_H, [[(cx + s * 3, cy - 7), (cx + s * 7.5, cy - 14), (cx + s * 7.8, cy - 5)]
                                            for s in (-1, 1)])
    inner_ears = art.polygons_mask(BAT_W, BAT_H, [[(cx + s * 4.6, cy - 7.2), (cx + s * 7, cy - 11.5),
                                                   (cx + s * 7.1, cy - 6.5)] for s in (-1, 1)])
    eyes = np.maximum(ellipse(BAT_W, BAT_H, (cx - 3.2, cy - 4.8), (2.2, 2.4)),
                      ellipse(BAT_W, BAT_H, (cx + 3.2, cy - 4.8), (2.2, 2.4)))
    pupils = np.maximum(ellipse(BAT_W, BAT_H, (cx - 2.7, cy - 4.4), (1.1, 1.4)),
                        ellipse(BAT_W, BAT_H, (cx + 3.7, cy - 4.4), (1.1, 1.4)))
    mouth = stroke(BAT_W, BAT_H, [(cx - 1.8, cy - 1.8), (cx, cy - 1.1), (cx + 1.8, cy - 1.8)], 0.35)
    fangs = art.polygons_mask(BAT_W, BAT_H, [[(cx + s * 0.5, cy - 1.4), (cx + s * 1.7, cy - 1.6),
                                              (cx + s * 1.1, cy - 0.2)] for s in (-1, 1)])
    return wings, bones, body, ears, inner_ears, eyes, pupils, mouth, fangs


def bat(hue):
    """A little round bat flapping through eighteen frames, its body in the hue; the belly stays flat."""
    layer = Layer(BAT_W, BAT_H)
    membrane = hue * 0.55 + art.INK * 0.3
    for frame in range(BAT_FRAMES):
        wings, bones, body, ears, inner_ears, eyes, pupils, mouth, fangs = bat_masks(frame)
        part(layer, wings, membrane, shadow=membrane * 0.7, light=hue * 0.8, depth=1)
        layer.paint(hue * 0.9 + WHITE * 0.1, bones * wings)
        layer.paint(hue, ears, art.INK)
        layer.paint(art.ROSE * 0.7 + hue * 0.3, inner_ears)
        layer.paint(hue, body, art.INK)
        layer.paint(hue * 0.6 + WHITE * 0.4, edge(body, -1, 1) * body * 0.8)
        layer.paint(hue * 0.7 + art.INK * 0.3, art.blur(edge(body, 2, -1), 0.6) * body)
        layer.paint(art.GOLD_LIGHT, eyes, art.INK)
        layer.paint(art.INK, pupils)
        layer.paint(art.INK, mouth)
        layer.paint(WHITE, fangs)
    return single(outlined(layer))


BAT_HUES = {"BAT1": "violet", "BAT2": "plum", "BAT3": "indigo", "BAT4": "rose"}


def bat_painter(name):
    def paint():
        return bat(FILL[name])
    paint.__name__ = "bat_" + BAT_HUES[name]
    return paint


# --- The scroll arrow -----------------------------------------------------------------------------------

def arrow():
    """A gold arrow with a swept chevron head and a notched tail, pointing right. Squeezed to 73 by 34 on
    screen, so its shaft is thick enough to keep a flat middle."""
    width, height = 128, 64
    layer = Layer(width, height)
    shape = art.polygon_mask(width, height, [(10, 21), (76, 21), (63, 6), (82, 6), (116, 32), (82, 58), (63, 58),
                                             (76, 43), (10, 43), (21, 32)])
    layer.glow(art.AMBER, art.blur(art.grow(shape, 3), 4) * 0.65 * border_window(width, height, 4))
    layer.paint(art.INK, art.grow(shape, 2))
    layer.paint(FILL["ARROW"], shape)
    layer.paint(art.GOLD_LIGHT, edge(shape, 0, 3) * shape * 0.9)
    layer.paint(art.GOLD_DEEP, edge(shape, 0, -3) * shape * 0.9)
    layer.paint(art.GOLD, edge(shape, -2, 0) * shape * 0.6)
    layer.shine(art.GOLD_LIGHT, art.sparkle(width, height, (104, 30), 8) * shape * 0.8)
    return single(layer)


# --- Game over ------------------------------------------------------------------------------------------

WIDTH, HEIGHT = 1024, 768
FIRE = (512, 684)


def circle(cx, cy, rx, ry, steps=40):
    return [(cx + rx * math.cos(2 * math.pi * k / steps), cy + ry * math.sin(2 * math.pi * k / steps))
            for k in range(steps)]


def thick(points, radius):
    """A line of some width as polygons: a quad per segment and a round joint at every point."""
    polygons = [circle(x, y, radius, radius, 16) for x, y in points]
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        length = max(math.hypot(bx - ax, by - ay), 1e-6)
        nx, ny = -(by - ay) / length * radius, (bx - ax) / length * radius
        polygons.append([(ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny), (ax - nx, ay - ny)])
    return polygons


def traveller(seat, facing, scale, shapes):
    """Shapes in a figure's own units (x towards what it faces, y up from the seat) placed in the picture."""
    sx, sy = seat

    def place(points):
        return [(sx + facing * x * scale, sy + y * scale) for x, y in points]

    return [place(points) for points in shapes]


def hooded_wanderer():
    return ([[(-34, 0), (40, 0), (40, -14), (30, -40), (20, -64), (6, -78), (-14, -80), (-26, -60), (-34, -30)],
             circle(26, -22, 20, 14),
             [(-18, -64), (-22, -92), (-34, -118), (-50, -134), (-20, -124), (0, -114), (16, -100), (22, -82),
              (16, -66)]]
            + thick([(-46, 2), (-6, -186)], 3.0) + [circle(-6, -192, 7, 7)],
            [(10, -90), (17, -90)], (-6, -192))


def lantern_bearer():
    return ([circle(0, -40, 42, 40), circle(28, -18, 20, 14), circle(6, -92, 21, 20),
             [(-8, -108), (16, -108), (14, -132), (-6, -132)], [(-10, -131), (18, -131), (4, -144)],
             circle(4, -148, 3.5, 3.5)],
            [(16, -95), (23, -95)], (4, -120))


def scarfed_walker():
    return (thick([(0, -10), (4, -94)], 10) + thick([(0, -8), (30, -58), (42, 0), (54, 0)], 6.5)
            + thick([(6, -84), (26, -62), (36, -54)], 4.5)
            + [circle(8, -116, 13, 15),
               [(-6, -100), (14, -100), (14, -90), (-8, -92), (-30, -98), (-52, -92), (-74, -98), (-60, -106),
                (-40, -110), (-20, -106)]],
            [(14, -118), (19, -118)], None)


def gameover():
    """Night falls on the moor: the three travellers sit by a campfire burnt down to embers under a sky
    going dark, and the words say it is over."""
    rng = np.random.default_rng(6060)
    horizon = 0.72 * HEIGHT
    picture = art.vertical_gradient(HEIGHT, [(0.0, art.NIGHT), (0.34, art.INDIGO), (0.56, art.VIOLET * 0.9),
                                             (0.66, art.PLUM * 0.8), (0.72, art.ROSE * 0.6), (1.0, art.ROSE * 0.5)])
    picture = np.broadcast_to(picture[:, None, :], (HEIGHT, WIDTH, 3)).copy()
    # The last of the light sinking behind the hills on the left.
    art.add_light(picture, art.AMBER * 0.6, art.radial(WIDTH, HEIGHT, (230, horizon), 380, 2.0, aspect=2.6) * 0.6)
    art.add_light(picture, art.rgb("#f4ecff"), art.stars(WIDTH, HEIGHT, 900, rng, fade_to=0.62 * HEIGHT))
    cover = np.clip((art.fractal_noise(WIDTH, HEIGHT, 48, rng, stretch=6, octaves=4) - 0.52) * 4.0, 0, 1)
    rows = np.arange(HEIGHT, dtype=np.float32)[:, None] / HEIGHT
    art.over(picture, art.PLUM * 0.45 + art.INDIGO * 0.4, cover * np.exp(-((rows - 0.6) / 0.07) ** 2) * 0.8)
    moon = np.clip(art.radial(WIDTH, HEIGHT, (850, 120), 26, 0.05)
                   - art.radial(WIDTH, HEIGHT, (860, 113), 25, 0.05), 0, 1)
    art.add_light(picture, art.DAWN * 0.5, art.radial(WIDTH, HEIGHT, (850, 120), 90, 2.0) * 0.35)
    art.over(picture, art.GOLD_LIGHT * 0.92 + WHITE * 0.08, moon)

    fire_light = art.radial(WIDTH, HEIGHT, FIRE, 330, 1.3, aspect=2.2)
    for depth, (base, amplitude) in enumerate(((horizon - 12, 16), (horizon + 24, 12), (horizon + 64, 8))):
        line = art.ridge(WIDTH, base, amplitude, rng)
        mask = art.below(line, HEIGHT)
        mottle = art.fractal_noise(WIDTH, HEIGHT, 24, rng, stretch=4) * 0.15
        art.over(picture, art.MOOR[depth + 1] * (0.85 + mottle[..., None]), mask)
        ridge_edge = np.clip(mask - np.roll(mask, 2, axis=0), 0, 1)
        art.add_light(picture, art.ROSE * 0.7, ridge_edge * (0.5 - 0.15 * depth))
    art.add_light(picture, art.AMBER * 0.55 + art.ROSE * 0.3, fire_light * 0.45)

    # The travellers, dark against the glow, lit on the side that faces the fire.
    figures = [((378, 690), 1, 1.25, hooded_wanderer()), ((656, 692), -1, 1.25, lantern_bearer()),
               ((800, 668), -1, 1.1, scarfed_walker())]
    polygons, eyes, lamps = [], [], []
    for seat, facing, scale, (shapes, eye_points, lamp) in figures:
        polygons += traveller(seat, facing, scale, shapes)
        eyes += traveller(seat, facing, scale, [eye_points])[0]
        if lamp is not None:
            lamps.append(traveller(seat, facing, scale, [[lamp]])[0][0])
    bodies = art.polygons_mask(WIDTH, HEIGHT, polygons)
    x, _ = art.grid(WIDTH, HEIGHT)
    facing_fire = np.where(x < FIRE[0], edge(bodies, -3, 1), edge(bodies, 3, 1))
    art.over(picture, art.INK * 0.9 + art.MOOR[3] * 0.3, bodies)
    near_fire = art.radial(WIDTH, HEIGHT, FIRE, 420, 0.9)
    art.add_light(picture, art.AMBER * 0.8 + art.ROSE * 0.2, art.blur(facing_fire, 1.0) * near_fire * 1.3)
    for ex, ey in eyes:
        art.add_light(picture, art.GOLD_LIGHT, art.radial(WIDTH, HEIGHT, (ex, ey), 3.2, 0.8))
    for lx, ly in lamps:  # the staff's orb and the hat lantern, both gone dim
        art.add_light(picture, art.TEAL if lx < FIRE[0] else art.AMBER,
                      art.radial(WIDTH, HEIGHT, (lx, ly), 24, 1.8) * 0.55)
        art.add_light(picture, art.TEAL_LIGHT if lx < FIRE[0] else art.DAWN,
                      art.radial(WIDTH, HEIGHT, (lx, ly), 5, 0.8) * 0.7)

    # The fire: a ring of stones, charred logs with glowing cracks and one low flame.
    fx, fy = FIRE
    stones = [circle(fx + 38 * math.cos(a), fy + 8 + 10 * math.sin(a), 9, 6, 16)
              for a in np.linspace(0, 2 * math.pi, 9)[:-1] if math.sin(a) > -0.4]
    art.over(picture, art.MOOR[0] * 0.8, art.polygons_mask(WIDTH, HEIGHT, stones))
    logs = art.polygons_mask(WIDTH, HEIGHT, thick([(fx - 30, fy + 8), (fx + 32, fy - 4)], 5.5)
                             + thick([(fx - 30, fy - 4), (fx + 30, fy + 9)], 5.5))
    art.over(picture, WOOD * 0.3 + art.INK * 0.5, logs)
    embers = np.clip((art.fractal_noise(WIDTH, HEIGHT, 4, rng, octaves=2) - 0.5) * 5, 0, 1)
    art.add_light(picture, art.AMBER, embers * logs * art.radial(WIDTH, HEIGHT, FIRE, 34, 0.6))
    art.add_light(picture, art.AMBER, art.radial(WIDTH, HEIGHT, (fx, fy - 4), 70, 1.8) * 0.8)
    flame = art.polygon_mask(WIDTH, HEIGHT, [(fx - 14, fy + 2), (fx - 10, fy - 12), (fx - 3, fy - 24),
                                             (fx + 1, fy - 36), (fx + 4, fy - 22), (fx + 12, fy - 10),
                                             (fx + 14, fy + 2)])
    _, y = art.grid(WIDTH, HEIGHT)
    heat = np.clip((y - (fy - 36)) / 38.0, 0, 1)[..., None]
    art.over(picture, art.ROSE * (1 - heat) + art.DAWN * heat, art.blur(flame, 1.2) * 0.9)
    for _ in range(7):  # sparks drifting up
        spot = (fx + rng.uniform(-30, 40), fy - rng.uniform(50, 150))
        art.add_light(picture, art.AMBER, art.radial(WIDTH, HEIGHT, spot, 2.4, 0.7) * rng.uniform(0.5, 1.0))
    smoke_column = np.exp(-((x - fx - (fy - y) * 0.35) / (12 + (fy - y) * 0.18)) ** 2) * \
        np.clip((fy - 30 - y) / 60.0, 0, 1) * np.clip((y - 380) / 160.0, 0, 1)
    wisps = art.fractal_noise(WIDTH, HEIGHT, 20, rng, octaves=3)
    art.add_light(picture, art.rgb("#8a6f9e"), smoke_column * wisps * 0.35)
    art.vignette(picture, strength=0.5)

    title = art.text_mask(WIDTH, HEIGHT, "Game over", art.SANS_BOLD, 132, (WIDTH / 2, 270))

    def paint(colour, mask):
        art.over(picture, colour, mask)

    def glow(colour, mask):
        art.add_light(picture, colour, mask)

    lettering(paint, glow, title, FILL["GAMEOVER"], glow_strength=0.5)
    small_line(paint, art.text_mask(WIDTH, HEIGHT, "The night has fallen on the moor", art.SANS, 36,
                                    (WIDTH / 2, 385)))
    return art.full_screen_texture(picture)


# --- Pause ----------------------------------------------------------------------------------------------

PAUSE_SHOWN = (896, 732)


def pause():
    """A dark veil over the level, the word in the middle of the part the game shows."""
    size = 1024
    shown_w, shown_h = PAUSE_SHOWN
    centre = (shown_w / 2, shown_h / 2)
    layer = Layer(size, size)
    layer.paint(art.NIGHT, np.full((size, size), 0.55, dtype=np.float32))
    # A deeper pool behind the words so they read over a busy level.
    layer.paint(art.NIGHT, art.radial(size, size, centre, 420, 1.5, aspect=1.8) * 0.45)
    # Small enough to hide wholly behind the in-game menu's panel (x 162 to 862 on the screen) when that opens.
    title = art.text_mask(size, size, "Paused", art.SANS_BOLD, 120, (centre[0], centre[1] - 30))
    lettering(layer.paint, layer.glow, title, FILL["PAUSE"], glow_strength=0.35)
    x, y = art.grid(size, size)
    rule_y = centre[1] + 52
    rule = np.clip(1.3 - np.abs(y - rule_y), 0, 1) * np.clip(1 - np.abs(x - centre[0]) / 220, 0, 1) ** 0.7
    layer.paint(art.GOLD, rule)
    layer.glow(art.GOLD_LIGHT, art.sparkle(size, size, (centre[0], rule_y), 9))
    small_line(layer.paint, art.text_mask(size, size, "Press Space or click to go on", art.SANS, 32,
                                          (centre[0], centre[1] + 96)))
    return single(layer)


# --- The banner waiting for Space -------------------------------------------------------------------------

def press_space():
    """Plain parchment in a gold frame; the 60 rows the game shows hold the whole banner."""
    width, height, shown_h = 512, 64, 60
    left, top, right, bottom = 6.5, 2.5, width - 6.5, shown_h - 3.5
    mask = art.polygon_mask(width, height, rounded_outline(left, top, right, bottom, 12))
    inner = 1.0 - art.grow(1.0 - mask, 5)
    layer = Layer(width, height)
    layer.paint(art.INK, art.grow(mask, 1) * 0.95)
    layer.paint(art.GOLD_DEEP, mask)
    layer.paint(art.GOLD, edge(mask, 1, 2) * (1 - inner))
    layer.paint(art.GOLD_LIGHT, edge(mask, 0, 1) * (1 - inner) * 0.7)
    layer.paint(FILL["PRESSSPACEBAR"], inner)
    layer.paint(art.GOLD_DEEP * 0.8 + art.INK * 0.2, (art.grow(inner, 1) - inner) * 0.8)
    for stud_x in (28, width - 28):
        stud = art.polygon_mask(width, height, [(stud_x, 21), (stud_x + 7, 30), (stud_x, 39), (stud_x - 7, 30)])
        layer.paint(art.GOLD, stud, art.GOLD_DEEP)
        layer.paint(art.GOLD_LIGHT, edge(stud, 1, 2) * stud)
    text = art.text_mask(width, height, "Press Space to begin", art.SANS_BOLD, 28, (width / 2, 30))
    layer.paint(art.GOLD_LIGHT, shifted(text, 0, 1) * 0.6)   # pressed into the parchment
    layer.paint(art.INK, text)
    fade_beyond(layer, bottom=shown_h)
    return single(layer)


SHEETS = [
    ("PARTICLE", "particle.dds", particle),
    ("CURSOR", "cursor.dds", cursor),
] + [(name, name.lower() + ".dds", bat_painter(name)) for name in BAT_HUES] + [
    ("ARROW", "arrow.dds", arrow),
    ("GAMEOVER", "gameover.dds", gameover),
    ("PAUSE", "pause.dds", pause),
    ("PRESSSPACEBAR", "pressspacebar.dds", press_space),
]


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: sprites_art.py PREVIEW_FOLDER")
    os.makedirs(sys.argv[1], exist_ok=True)
    for _, file, paint in SHEETS:
        paint().save(os.path.join(sys.argv[1], file.replace(".dds", ".png")))
