"""The world map's pictures: the moor with the road to the keep and its thirty pot sites, the bonus levels' shrine,
the level pots, the trophy star, the road's dot, the map's three buttons, the pots' tooltip plate and the ten
bonus pots.

Texture sizes, each the power of two that gives one texel a screen pixel where the game's rectangles allow it:
- MAP and MAPBONUS show 1024 by 768 texels of a 1024 square over the whole screen, painted at that size.
- LEVELPOTS is 128 square: four faces of 36 by 64 texels for pots of 36 by 63 pixels, current faces in the top
  half, played faces in the bottom half, each face under the pointer 64 texels to the right of its plain one.
- STAR is 32 square, 25 by 32 texels of it shown on as many pixels; DOT is 8 square, 5 by 5 texels on 5 by 4.
- The buttons are 128 square, two faces of 105 by 43 texels one over the other, shown 105 by 42.
- TOOLTIP is 128 by 32, the whole of it stretched over the plate of 147 by 32 pixels the tooltip draws.
- BONUSLEVELPOTS is 1024 by 512: a cell of 0.14570312 by 0.42578125 is then 149 by 218 texels for 149 by 218
  pixels. The game draws a bonus pot with the same cell whether the pointer is on it or not.

Every texture keeps a flat patch of one colour (KEY_COLOURS, five-six-five bits so that block compression stores
it exactly) where a look at the drawn screen can find it, far from every other picture's keys.
"""
import functools
import math
import os
import sys

import numpy as np

import art
import buttons_art
import dds
import map_layout
import scene
from hud_art import draw, rounded_box, star_points
from menu_art import (build_sources, caption_size, file_name, letters, panel, require_fit, stacked, still_texture,
                      stored, sunk_panel)
from objects_art import WHITE, Layer, edge, ellipse, stroke
from world_art import fade_beyond, single

SCREEN = map_layout.SCREEN

KEY_COLOURS = {
    "MAP": stored("#181873"),                   # the title plate's field, either side of the title
    "MAPBONUS": stored("#6a1041"),             # the same on the bonus levels' face
    # The medallion on a level pot's belly: current, played, and each under the pointer.
    "LEVELPOTS:current": stored("#39e6c5"),
    "LEVELPOTS:current:lit": stored("#8beeff"),
    "LEVELPOTS:played": stored("#c59d31"),
    "LEVELPOTS:played:lit": stored("#9cffd5"),
    "STAR": stored("#fff641"),                  # the star's heart
    "DOT": stored("#ffbe18"),                   # the dot's middle
    # The buttons' plates either side of the caption.
    "MAPBTNMENU": stored("#392c94"),
    "MAPBTNMENU:lit": stored("#7375d5"),
    "MAPBTNNEXT": stored("#294c8b"),
    "MAPBTNNEXT:lit": stored("#6a8df6"),
    "MAPBTNTROPHIES": stored("#6a3052"),
    "MAPBTNTROPHIES:lit": stored("#de7dcd"),
    "TOOLTIP": stored("#f6cade"),               # the parchment the game writes on
}


def key(name):
    return np.array(KEY_COLOURS[name], dtype=np.float32) / 255.0


# --- The level pots ---------------------------------------------------------------------------------------

POTS_TEXTURE = (128, 128)
POT_FACE = (36, 64)
# Face, its corner in the texture: the game's rectangles (left, top) of 0/0.5 by 0/0.5.
POT_FACES = [("current", False, (0, 0)), ("current", True, (64, 0)), ("played", False, (0, 64)),
             ("played", True, (64, 64))]
CLAY = art.AMBER * 0.5 + art.ROSE * 0.35 + art.GOLD_DEEP * 0.25
CLAY_SHADE = CLAY * 0.42 + art.PLUM * 0.35
# The pot's half width down its height, in texels from the top of the face: lip, neck, shoulder, belly, foot.
POT_PROFILE = ((21.0, 10.0), (25.0, 10.0), (25.5, 7.0), (29.0, 7.5), (36.0, 15.0), (42.0, 16.5), (48.0, 16.0),
               (56.0, 10.5), (58.5, 9.0), (59.0, 10.0), (62.0, 10.0))


def profile_mask(width, height, centre_x, profile, top=0.0):
    """A round pot's silhouette, its top at that row: its half width at each row from the profile."""
    x, y = art.grid(width, height)
    rows = [top + row for row, _ in profile]
    half = np.interp(y, rows, [w for _, w in profile])
    inside_rows = np.clip(y - rows[0] + 0.5, 0, 1) * np.clip(rows[-1] - y + 0.5, 0, 1)
    return np.clip(half - np.abs(x - centre_x) + 0.5, 0, 1) * inside_rows, half


def glazed(layer, body, half, centre_x, colour, shade):
    """Round and lit from the upper right: dark on the left, a soft gleam right of the middle."""
    x, _ = art.grid(layer.width, layer.height)
    across = np.clip((x - centre_x) / np.maximum(half, 1.0), -1, 1)
    light = np.clip(0.5 + 0.5 * across, 0, 1)[..., None]
    layer.paint(shade * (1 - light) + colour * light, body, art.INK)
    gleam = np.exp(-((across - 0.45) / 0.16) ** 2) * body
    layer.shine(WHITE * 0.5 + colour * 0.3, gleam * 0.55)


def band(layer, body, row, thickness=1.0):
    _, y = art.grid(layer.width, layer.height)
    line = np.clip(thickness / 2 + 0.5 - np.abs(y - row), 0, 1) * body
    layer.paint(art.GOLD_DEEP, line)
    layer.paint(art.GOLD, line * np.clip(thickness - 0.5, 0, 1))


def medallion(layer, centre, radii, fill):
    """A gold-ringed disc whose middle is the flat key."""
    w, h = layer.width, layer.height
    ring = ellipse(w, h, centre, (radii[0] + 1.2, radii[1] + 1.2))
    layer.paint(art.GOLD, ring, art.INK)
    layer.paint(art.GOLD_LIGHT, edge(ring, -1, 1) * ring * 0.8)
    layer.paint(fill, ellipse(w, h, centre, radii))


def magic_wisps(layer, centre_x, mouth, strength):
    """Teal light welling out of the pot's mouth and curling up in three wisps, with a glint at the top."""
    w, h = layer.width, layer.height
    layer.glow(art.TEAL, art.radial(w, h, (centre_x, mouth - 4), 17, 1.2) * 0.9 * strength)
    for sway, reach, phase in ((-1, 4.0, 0.0), (1, 1.5, 1.7), (0, 9.0, 3.1)):
        points = [(centre_x + sway * 3 + 3.2 * math.sin(phase + t * 5.0) * (0.4 + t), mouth - 1 - t * (mouth - reach))
                  for t in np.linspace(0, 1, 9)]
        wisp = stroke(w, h, points, 1.7, 0.5)
        layer.glow(art.TEAL, art.blur(wisp, 1.2) * 0.8 * strength)
        layer.glow(art.TEAL_LIGHT, wisp * 0.9 * strength)
    layer.glow(WHITE, art.sparkle(w, h, (centre_x + 6, 6), 4.5) * strength)


def lid(layer, centre_x, rim_row):
    """A gold dome with a knob: the pot sealed once its level is won."""
    w, h = layer.width, layer.height
    _, y = art.grid(w, h)
    dome = ellipse(w, h, (centre_x, rim_row), (9.5, 6.5)) * np.clip(rim_row + 1.5 - y, 0, 1)
    knob = ellipse(w, h, (centre_x, rim_row - 7.5), (2.4, 2.2))
    for part_mask in (dome, knob):
        layer.paint(art.GOLD, part_mask, art.INK)
        layer.paint(art.GOLD_LIGHT, edge(part_mask, -1, 2) * part_mask * 0.9)
        layer.paint(art.GOLD_DEEP, edge(part_mask, 2, -1) * part_mask * 0.8)


def level_pot(kind, lit):
    width, height = POT_FACE
    centre_x = width / 2
    layer = Layer(width, height)
    body, half = profile_mask(width, height, centre_x, POT_PROFILE)
    if lit:
        layer.glow(art.TEAL_LIGHT * 0.4 + art.TEAL * 0.6, art.blur(art.grow(body, 2), 1.5) * 0.9)
    if kind == "current":
        layer.glow(art.TEAL, art.blur(art.grow(body, 1), 2.5) * 0.45)
        magic_wisps(layer, centre_x, 23, 1.0 if lit else 0.8)
    glazed(layer, body, half, centre_x, CLAY, CLAY_SHADE)
    band(layer, body, 31.5, 1.6)
    band(layer, body, 55.5, 1.2)
    mouth = ellipse(width, height, (centre_x, 23), (8.0, 2.0))
    layer.paint(art.INK, mouth)
    if kind == "current":
        layer.paint(art.TEAL_LIGHT, ellipse(width, height, (centre_x, 23.2), (6.5, 1.3)))
    else:
        lid(layer, centre_x, 23)
    if kind == "current":
        # The light from the mouth falls on the shoulder.
        layer.shine(art.TEAL * 0.8, art.radial(width, height, (centre_x, 22), 16, 1.5) * body * 0.6)
    if lit:
        layer.shine(art.TEAL, art.blur(edge(body, -1, 1), 0.6) * body * 0.5)
    medallion(layer, (centre_x, 44.5), (4.6, 4.2), key(f"LEVELPOTS:{kind}:lit" if lit else f"LEVELPOTS:{kind}"))
    fade_beyond(layer, right=width, bottom=height)
    return layer


def level_pots():
    texture = Layer(*POTS_TEXTURE)
    for kind, lit, (left, top) in POT_FACES:
        face = level_pot(kind, lit)
        texture.colour[top:top + POT_FACE[1], left:left + POT_FACE[0]] = face.colour
        texture.alpha[top:top + POT_FACE[1], left:left + POT_FACE[0]] = face.alpha
    return single(texture)


# --- The star and the dot -----------------------------------------------------------------------------------

STAR_SHOWN = (25, 32)


def trophy_star():
    """A gold five-pointed star in a soft gold haze; the game spins it about its upright middle."""
    layer = Layer(32, 32)
    centre = (STAR_SHOWN[0] / 2, 17.0)
    shape = art.polygon_mask(32, 32, star_points(centre, 12.0, 5.2))
    heart = art.polygon_mask(32, 32, star_points(centre, 5.5, 3.6))
    layer.glow(art.AMBER, art.blur(art.grow(shape, 1), 1.5) * 0.6)
    layer.paint(art.GOLD, shape, art.INK)
    layer.paint(art.GOLD_LIGHT, edge(shape, -1, 1) * shape * 0.9)
    layer.paint(art.GOLD_DEEP, edge(shape, 1, -1) * shape * 0.8)
    layer.paint(key("STAR"), heart)
    fade_beyond(layer, right=STAR_SHOWN[0], bottom=STAR_SHOWN[1])
    return single(layer)


# The dot's five by five texels: 0 clear, 1 its dark rim, 2 the key; the game squeezes it to four rows.
DOT_TEXELS = ["01110",
              "12221",
              "12221",
              "12221",
              "01110"]


def road_dot():
    cells = np.array([[int(c) for c in row] for row in DOT_TEXELS])
    layer = Layer(8, 8)
    rim = art.GOLD_DEEP * 0.55 + art.INK * 0.45
    layer.colour[:5, :5] = np.where((cells == 2)[..., None], key("DOT"), rim)
    layer.alpha[:5, :5] = cells > 0
    return single(layer)


# --- Buttons and the tooltip plate ---------------------------------------------------------------------------------

BUTTON_TEXTURE = (128, 128)
BUTTON_FACE = (105, 43)                 # 0.8203125 by 0.3359375 of the texture: normal, then lit below it
BUTTON_CAPTION = 18
BUTTONS = [("MAPBTNMENU", "Menu"), ("MAPBTNNEXT", "Next"), ("MAPBTNTROPHIES", "Trophies")]


def button_face(name, text, lit):
    """The in-level buttons' plate and caption. Trophies is the longest word: one caption size for all three."""
    width, height = BUTTON_FACE
    margin = buttons_art.MARGIN
    require_fit(text, BUTTON_CAPTION, width - 2 * margin, height - 2 * margin, room=6)
    layer = Layer(width, height)
    with caption_size(BUTTON_CAPTION):
        buttons_art.button_face(layer, text, 0, 0, width, height, key(name + ":lit" if lit else name), lit)
    return layer


def map_button(name, text):
    faces = [button_face(name, text, False), button_face(name, text, True)]
    return stacked(faces, BUTTON_TEXTURE, BUTTON_FACE[1])


TOOLTIP_TEXTURE = (128, 32)


def tooltip_plate():
    """Pale rose parchment in a gold rim for the game's dark letters; stretched to about 147 by 32 pixels, so the
    rim is two texels wide and the corners small."""
    width, height = TOOLTIP_TEXTURE
    layer = Layer(width, height)
    panel(layer, (1, 1, width - 1, height - 1), key("TOOLTIP"), radius=7, rim=2)
    return single(layer)


# --- The moor map ------------------------------------------------------------------------------------------

SKY_HEIGHT = 165                        # the sky is painted this tall, its horizon at 0.79 of it: row 130
DAWN_X = 890
KEEP_FOOT = (884, 108)
KEEP_SCALE = 0.36
EARTH = art.DAWN * 0.3 + art.MOOR[0] * 0.7
WATER = art.INDIGO * 0.75 + art.VIOLET * 0.3
ROCK = art.MOOR[0] * 1.2 + art.INDIGO * 0.3
WOOD = art.GOLD_DEEP * 0.7 + art.PLUM * 0.25
STONE_WALL = art.VIOLET * 0.55 + art.INDIGO * 0.45
ROCK_LIT = ROCK * 0.6 + art.ROSE * 0.35
CROWN = art.INDIGO * 0.6 + art.NIGHT * 0.3 + art.TEAL * 0.1
CROWN_LIT = art.PLUM * 0.45 + art.ROSE * 0.45
TITLE_PLATE = (338, 14, 686, 62)
TITLE = "The Road to Dawnkeel"
TITLE_SIZE = 24
# The river comes in from the right between the bottom two rows of pots and turns down under the bridge.
RIVER = [(1034, 547), (960, 553), (880, 545), (800, 553), (706, 546), (622, 553), (572, 570), (549, 606),
         (540, 640), (540, 664), (532, 702), (520, 740), (510, 780)]
# The crag's outline, seen from the front: the tunnel opens at the foot of its face and again on its top.
CRAG = [(26, 406), (34, 330), (48, 292), (62, 276), (80, 246), (98, 236), (114, 222), (128, 232), (146, 226),
        (168, 246), (186, 270), (198, 304), (206, 350), (200, 392), (188, 408)]
STONE_CIRCLE = ((776, 420), (34, 11), 9)     # centre, radii, stones
VILLAGE = [(984, 640, 1), (1002, 688, -1), (954, 716, 1), (1004, 602, -1), (906, 730, -1)]   # x, y, facing
# The village's lane to the first pot and the keep's to its gate: road without dots.
LANES = [[(998, 700), (960, 690), map_layout.foot(0)], [map_layout.foot(29), (838, 114), (872, 104)]]
# Where the woods grow: centre, radii, number of trees.
WOODS = [((80, 700), (80, 70), 38), ((60, 480), (55, 60), 16), ((610, 412), (320, 24), 30), ((250, 420), (90, 20), 8),
         ((560, 270), (330, 16), 26), ((990, 420), (30, 90), 10), ((720, 735), (190, 30), 20),
         ((370, 740), (110, 24), 10), ((60, 160), (50, 20), 8), ((660, 110), (90, 8), 10), ((990, 300), (30, 40), 5)]


def window(picture, centre, reach):
    """The part of the picture within reach of the centre, as a view painted in place, and the centre in it: the
    small things are many, and a mask of the whole screen for each would be slow."""
    height, width = picture.shape[:2]
    left, top = max(int(centre[0] - reach), 0), max(int(centre[1] - reach), 0)
    right, bottom = min(int(centre[0] + reach) + 1, width), min(int(centre[1] + reach) + 1, height)
    return picture[top:bottom, left:right], (centre[0] - left, centre[1] - top)


def ground_line(width, rng):
    """The far edge of the moor, with the keep's hill rising on the right."""
    x = np.arange(width, dtype=np.float32)
    line = art.ridge(width, 132, 3, rng, waves=4)
    return line - 32 * np.exp(-((x - KEEP_FOOT[0]) / 150.0) ** 2)


def moor_ground(picture, rng):
    """The moor seen from above and afar: hazy and rosy at the horizon, deep violet close by, with heather."""
    height, width = picture.shape[:2]
    line = ground_line(width, rng)
    swell = np.exp(-((np.arange(width) - 400) / 260.0) ** 2)           # the far hills rise left of the middle
    for depth, (lift, colour) in enumerate(((22, art.MOOR[0] * 1.2), (12, art.MOOR[0] * 1.05))):
        far = art.below(art.ridge(width, 124 - lift * 0.2, 5, rng) - lift * swell, height)
        art.over(picture, colour, far)
        art.add_light(picture, art.ROSE * 0.8, np.clip(far - np.roll(far, 2, axis=0), 0, 1) * (0.7 - 0.2 * depth))
    ground = art.below(line, height)
    t = np.clip((np.arange(height, dtype=np.float32) - 120) / (height - 120), 0, 1)
    field = art.vertical_gradient(height, [(0.0, art.MOOR[0] * 1.3 + art.ROSE * 0.12), (0.3, art.MOOR[0] * 1.05),
                                           (0.7, art.MOOR[0] * 0.85 + art.MOOR[1] * 0.2), (1.0, art.MOOR[1] * 0.9)])
    field = np.broadcast_to(field[:, None, :], (height, width, 3)).copy()
    heather = art.fractal_noise(width, height, 40, rng, stretch=3, octaves=4)
    tufts = art.fractal_noise(width, height, 6, rng, stretch=2, octaves=2)
    art.over(field, art.PLUM * 0.9, np.clip((heather - 0.5) * 3.0, 0, 1) * 0.45)
    art.over(field, art.MOOR[2], np.clip((0.45 - heather) * 3.0, 0, 1) * 0.35)
    field *= (0.9 + 0.2 * tufts)[..., None]
    art.add_light(field, art.ROSE * 0.7, art.radial(width, height, (DAWN_X, 120), 520, 1.6, aspect=2.0) * 0.35)
    art.add_light(field, art.AMBER * 0.6, art.radial(width, height, (DAWN_X, 110), 240, 1.8, aspect=2.2) * 0.3)
    field *= (1.0 - 0.25 * t ** 1.5)[:, None, None]
    swells = art.fractal_noise(width, height, 90, rng, stretch=2, octaves=3) * 28
    field *= (0.8 + 0.4 * relief(swells))[..., None]
    art.over(picture, field, ground)
    art.add_light(picture, art.ROSE, np.clip(ground - np.roll(ground, 2, axis=0), 0, 1) * 0.8)
    return line


def keep_on_hill(picture):
    height, width = picture.shape[:2]
    walls, windows = scene.keep(width, height, KEEP_FOOT[0], KEEP_FOOT[1], KEEP_SCALE)
    art.over(picture, art.MOOR[1] * 0.75, walls)
    art.add_light(picture, art.ROSE * 0.6, edge(walls, -1, 0) * 0.8)
    art.add_light(picture, art.rgb("#ffcf7a"), windows)
    art.add_light(picture, art.AMBER, art.blur(windows, 4) * 1.2)


def river(picture, rng):
    """Deep water catching the sky's rose, with dark banks."""
    height, width = picture.shape[:2]
    bed = draw(np.zeros((height, width), dtype=np.float32), map_layout.curve(RIVER, 8), 8.0, 11.0)
    art.over(picture, art.MOOR[3], art.blur(art.grow(bed, 3), 1.5) * 0.8)
    art.over(picture, EARTH * 0.7, art.grow(bed, 1) - bed)
    art.over(picture, WATER, bed)
    ripples = art.fractal_noise(width, height, 5, rng, stretch=4, octaves=2)
    art.add_light(picture, art.ROSE * 0.7, np.clip((ripples - 0.55) * 4, 0, 1) * bed * 0.5)
    art.add_light(picture, art.TEAL_LIGHT * 0.6, np.clip((ripples - 0.72) * 6, 0, 1) * bed * 0.6)
    art.over(picture, art.INK, edge(bed, 0, 2) * bed * 0.5)


def tarn(picture, rng):
    """A still pool holding the sky's rose, reeds along its far bank."""
    centre, radii = map_layout.TARN
    local, (cx, cy) = window(picture, centre, radii[0] + 8)
    height, width = local.shape[:2]
    pool = ellipse(width, height, (cx, cy), radii)
    art.over(local, EARTH * 0.8, art.grow(pool, 2))
    art.over(local, WATER, pool)
    art.add_light(local, art.ROSE * 0.6, ellipse(width, height, (cx + 6, cy - 3), (16, 4)) * 0.5)
    art.add_light(local, art.TEAL_LIGHT, art.sparkle(width, height, (cx - 12, cy + 3), 5) * 0.8)
    art.over(local, art.INK, edge(pool, 0, 2) * pool * 0.6)
    for _ in range(14):
        angle = rng.uniform(math.pi * 1.05, math.pi * 1.95)
        x, y = cx + radii[0] * 0.95 * math.cos(angle), cy + radii[1] * 0.95 * math.sin(angle) + 2
        reed = stroke(width, height, [(x, y), (x + rng.uniform(-1.5, 1.5), y - rng.uniform(5, 9))], 0.7, 0.3)
        art.over(local, CROWN_LIT * 0.5 + CROWN * 0.5, reed)


def road(picture, lines):
    """A worn track along the middle of every stretch, faint: the dots go on it as the pots open."""
    height, width = picture.shape[:2]
    track = np.zeros((height, width), dtype=np.float32)
    core = np.zeros_like(track)
    for line in lines:
        draw(track, line, 5.5)
        draw(core, line, 2.5)
    art.over(picture, art.MOOR[2], art.blur(art.grow(track, 1), 1.5) * 0.35)
    art.over(picture, EARTH, art.blur(track, 1.0) * 0.55)
    art.over(picture, EARTH * 1.25, art.blur(core, 1.0) * 0.3)


def bridge(picture):
    """A plank bridge over the river where the road breaks off: the dots stop at its ends."""
    height, width = picture.shape[:2]
    (ex, ey), (wx, wy) = map_layout.BRIDGE
    length = math.hypot(ex - wx, ey - wy)
    ux, uy = (ex - wx) / length, (ey - wy) / length
    ends = [(wx + 7 * ux, wy + 7 * uy), (ex - 7 * ux, ey - 7 * uy)]           # its round ends reach the road's
    deck = draw(np.zeros((height, width), dtype=np.float32), ends, 7.0)
    shadow = np.roll(np.roll(deck, 5, axis=0), -3, axis=1)
    art.over(picture, art.INK, art.blur(shadow, 2) * 0.6)
    art.over(picture, art.INK, art.grow(deck, 1))
    art.over(picture, WOOD, deck)
    x, y = art.grid(width, height)
    along = (x - wx) * ux + (y - wy) * uy
    art.over(picture, WOOD * 0.5, seams((along - 0.5) / 5.0, 0.16) * deck * 0.8)      # a plank every five texels
    for side in (-1, 1):
        rail = [(px - side * uy * 6.5, py + side * ux * 6.5) for px, py in ends]
        art.over(picture, art.INK, draw(np.zeros_like(deck), rail, 2.2))
        art.over(picture, WOOD * 1.3 if side < 0 else WOOD * 0.8, draw(np.zeros_like(deck), rail, 1.3))


def seams(values, width):
    """Lines where the values pass a whole number, fading out within width of one either side."""
    return np.clip(1.0 - np.abs(values - np.round(values)) / width, 0, 1)


def relief(heights):
    """How much light a surface of these heights takes from the dawn at the upper right: 0 to 1, a half flat."""
    dy, dx = np.gradient(heights)
    return np.clip(0.5 + 2.2 * (dx * 0.7 - dy * 0.7), 0, 1)


def crag_mass(width, height):
    return art.polygon_mask(width, height, CRAG)


def facets(width, height, count, rng):
    """Rock split into facets round random points: for each texel its facet and how near it is to the next."""
    seeds = np.stack([rng.uniform(0, width, count), rng.uniform(0, height, count)], axis=1)
    x, y = art.grid(width, height)
    distance = np.hypot(x[None] - seeds[:, 0, None, None], y[None] - seeds[:, 1, None, None])
    order = np.sort(distance, axis=0)
    return np.argmin(distance, axis=0), order[1] - order[0]


def crag(picture, rng):
    """A rock face the road goes through, broken into facets lit from the upper right, its two mouths where the
    road breaks off."""
    local, _ = window(picture, (116, 316), 100)
    height, width = local.shape[:2]
    left, top = 116 - 100, 316 - 100
    mass = art.polygon_mask(width, height, [(x - left, y - top) for x, y in CRAG])
    art.over(local, art.INK, art.blur(np.roll(np.roll(mass, 8, axis=0), -8, axis=1), 5) * 0.65)
    facet, seam = facets(width, height, 46, rng)
    x, y = art.grid(width, height)
    lean = rng.uniform(0.35, 1.0, facet.max() + 1)[facet]
    lit = np.clip(lean * (0.45 + 0.55 * x / width) * (1.15 - 0.4 * y / height), 0, 1)[..., None]
    art.over(local, ROCK * 0.4 * (1 - lit) + ROCK_LIT * 1.15 * lit, mass)
    art.over(local, art.INK, np.clip(1.2 - seam, 0, 1) * mass * 0.55)
    art.over(local, ROCK_LIT * 1.3, art.blur(edge(mass, 0, 3), 0.8) * mass)
    art.over(local, art.INK, (art.grow(mass, 1) - mass) * 0.9)
    for mouth in map_layout.TUNNEL:
        tunnel_mouth(picture, mouth)


def tunnel_mouth(picture, centre):
    """A dark arched doorway in the rock under a rim of dressed stones."""
    local, (cx, cy) = window(picture, centre, 16)
    height, width = local.shape[:2]
    x, y = art.grid(width, height)
    doorway = np.maximum(ellipse(width, height, (cx, cy - 2), (10, 9)) * np.clip(cy - 2 - y + 0.5, 0, 1),
                         np.clip(10.5 - np.abs(x - cx), 0, 1) * np.clip(y - (cy - 2) + 0.5, 0, 1)
                         * np.clip(cy + 6 - y + 0.5, 0, 1))
    rim = np.clip(art.grow(doorway, 2) - doorway, 0, 1) * np.clip(cy + 5 - y, 0, 1)
    art.over(local, art.INK, np.clip(art.grow(rim, 1) - rim, 0, 1) * 0.7)
    art.over(local, ROCK_LIT * 1.15, rim)
    art.over(local, art.NIGHT * 0.5, doorway)
    art.over(local, art.MOOR[3], edge(doorway, 0, 2) * doorway)


def pot_sites(picture):
    """A round flagstone with a faint ring of teal runes where each pot stands."""
    for pot in range(len(map_layout.POTS)):
        local, (cx, cy) = window(picture, map_layout.foot(pot), 26)
        height, width = local.shape[:2]
        stone = ellipse(width, height, (cx, cy), (20, 7))
        art.over(local, art.INK, art.blur(ellipse(width, height, (cx - 2, cy + 3), (21, 7)), 1.5) * 0.6)
        art.over(local, ROCK * 1.15, stone)
        art.over(local, ROCK_LIT * 1.2, edge(stone, 0, 2) * stone)
        art.over(local, ROCK * 0.55, edge(stone, 0, -2) * stone)
        ring = np.clip(ellipse(width, height, (cx, cy), (15, 4.8)) - ellipse(width, height, (cx, cy), (14, 4.0)), 0, 1)
        art.add_light(local, art.TEAL, ring * 0.45)


def bush(picture, foot_point, size):
    """A broad-leaved tree from the hills: a crown of three lobes, its top-right lit by the dawn, its shadow thrown
    to the lower left."""
    local, (cx, cy) = window(picture, foot_point, size * 2.4)
    height, width = local.shape[:2]
    shadow = ellipse(width, height, (cx - size * 0.7, cy + 1), (size * 1.2, size * 0.4))
    art.over(local, art.NIGHT, art.blur(shadow, 1.0) * 0.5)
    art.over(local, art.INK, art.polygon_mask(width, height, [(cx - 1.3, cy - size), (cx + 1.3, cy - size),
                                                              (cx + 1.3, cy + 0.5), (cx - 1.3, cy + 0.5)]))
    lobes = [ellipse(width, height, (cx + dx * size, cy - dy * size), (r * size, r * size * 0.9))
             for dx, dy, r in ((-0.45, 1.05, 0.62), (0.45, 1.05, 0.62), (0.0, 1.55, 0.7))]
    crown = np.maximum.reduce(lobes)
    art.over(local, art.INK, art.grow(crown, 1) * 0.85)
    art.over(local, CROWN, crown)
    for lobe in lobes:
        art.over(local, CROWN_LIT, edge(lobe, -2, 2) * lobe * crown * 0.6)


def pine(picture, foot_point, size):
    """Three drooping tiers on a short trunk, seen from the hills; lit on the right, shadow to the lower left."""
    local, (cx, cy) = window(picture, foot_point, size * 2.6)
    height, width = local.shape[:2]
    x, _ = art.grid(width, height)
    shadow = ellipse(width, height, (cx - size * 0.8, cy + 1), (size * 1.1, size * 0.35))
    art.over(local, art.NIGHT, art.blur(shadow, 1.0) * 0.5)
    art.over(local, art.INK, art.polygon_mask(width, height, [(cx - 1.2, cy - size), (cx + 1.2, cy - size),
                                                              (cx + 1.2, cy + 0.5), (cx - 1.2, cy + 0.5)]))
    lit_side = np.clip((x - cx) / size + 0.3, 0, 1)[..., None]
    for tier in range(3):
        apex, base, half = cy - size * (2.4 - 0.55 * tier), cy - size * (0.95 - 0.38 * tier), size * (0.5 + 0.25 * tier)
        shape = art.polygon_mask(width, height, [(cx, apex), (cx + half, base), (cx + half * 0.3, base - size * 0.12),
                                                 (cx, base + size * 0.1), (cx - half * 0.3, base - size * 0.12),
                                                 (cx - half, base)])
        art.over(local, art.INK, art.grow(shape, 1) * 0.85)
        art.over(local, CROWN * (1 - lit_side) + CROWN_LIT * lit_side * 0.85, shape)


def keep_out(lines, line):
    """Where no tree may grow: the road and its lanes, the pots with their stars, the water, the rock, the sky."""
    height, width = SCREEN[1], SCREEN[0]
    out = np.zeros((height, width), dtype=bool)
    mask = np.zeros((height, width), dtype=np.float32)
    for stretch in lines + LANES:
        draw(mask, stretch, 16.0)
    draw(mask, map_layout.curve(RIVER, 8), 22.0)
    out |= mask > 0
    for x, y in map_layout.POTS:
        out[max(y - map_layout.STAR_RISE - 10, 0):y + 78, max(x - 12, 0):x + 48] = True
    out |= art.grow(crag_mass(width, height), 6) > 0
    (cx, cy), (rx, ry), _ = STONE_CIRCLE
    out |= ellipse(width, height, (cx, cy - 6), (rx + 12, ry + 16)) > 0
    centre, radii = map_layout.TARN
    out |= ellipse(width, height, centre, (radii[0] + 14, radii[1] + 12)) > 0
    out |= np.arange(height)[:, None] < line[None, :] + 14
    for x, y, _ in VILLAGE:
        out[y - 24:y + 24, x - 26:x + 26] = True
    return out


def woods(picture, rng, blocked):
    height, width = picture.shape[:2]
    trees = []
    for (cx, cy), (rx, ry), count in WOODS:
        for _ in range(count * 4):
            if len([t for t in trees if t[3] == (cx, cy)]) >= count:
                break
            angle, reach = rng.uniform(0, 2 * math.pi), math.sqrt(rng.uniform(0, 1))
            x, y = cx + rx * reach * math.cos(angle), cy + ry * reach * math.sin(angle)
            size = rng.uniform(8.0, 12.0)
            places = ((x, y), (x, y - 1.6 * size))          # the foot and the crown
            if all(0 <= px < width and 0 <= py < height and not blocked[int(py), int(px)] for px, py in places):
                trees.append((y, x, size, (cx, cy)))
    for y, x, size, _ in sorted(trees):
        (pine if size < 10.6 else bush)(picture, (x, y), size)


def cottage(picture, x, y, facing):
    """A little house from above and in front: a whitewashed wall, a plum roof, a lit window."""
    local, (cx, cy) = window(picture, (x, y), 22)
    height, width = local.shape[:2]
    wall = art.polygon_mask(width, height, [(cx - 10, cy), (cx + 10, cy), (cx + 10, cy + 10), (cx - 10, cy + 10)])
    roof = art.polygon_mask(width, height, [(cx - 13, cy + 1), (cx - 8, cy - 10), (cx + 8, cy - 10), (cx + 13, cy + 1)])
    chimney = art.polygon_mask(width, height, [(cx + 5 * facing, cy - 14), (cx + 8 * facing, cy - 14),
                                               (cx + 8 * facing, cy - 6), (cx + 5 * facing, cy - 6)])
    roof = np.maximum(roof, chimney)
    shadow = np.roll(np.roll(np.maximum(wall, roof), 4, axis=0), -3, axis=1)
    art.over(local, art.INK, art.blur(shadow, 1.5) * 0.6)
    art.over(local, art.DAWN * 0.55 + art.MOOR[0] * 0.45, wall)
    art.over(local, art.INK, art.grow(roof, 1) - roof)
    art.over(local, art.PLUM * 0.9 + art.ROSE * 0.2, roof)
    art.over(local, art.ROSE * 0.8, edge(roof, -1, 2) * roof)
    window_light = art.polygon_mask(width, height, [(cx - 3, cy + 3), (cx + 2, cy + 3), (cx + 2, cy + 7),
                                                    (cx - 3, cy + 7)])
    art.add_light(local, art.rgb("#ffcf7a"), window_light)
    art.add_light(local, art.AMBER, art.blur(window_light, 4) * 0.8)


def stone_circle(picture):
    """Standing stones in a ring on the moor, a faint teal light in the middle."""
    (cx, cy), (rx, ry), count = STONE_CIRCLE
    local, (lx, ly) = window(picture, (cx, cy - 8), rx + 16)
    height, width = local.shape[:2]
    art.add_light(local, art.TEAL, ellipse(width, height, (lx, ly + 8), (rx - 6, ry - 3)) * 0.25)
    stones = sorted(((ly + 8 + ry * math.sin(2 * math.pi * k / count), lx + rx * math.cos(2 * math.pi * k / count))
                     for k in range(count)))
    for y, x in stones:
        stone = art.polygon_mask(width, height, [(x - 3, y + 1), (x - 2.5, y - 9), (x, y - 11), (x + 2.5, y - 9),
                                                 (x + 3, y + 1)])
        art.over(local, art.NIGHT, art.blur(ellipse(width, height, (x - 3, y + 1), (4, 1.5)), 0.8) * 0.6)
        art.over(local, ROCK * 1.1, stone)
        art.over(local, ROCK_LIT * 1.2, edge(stone, -1, 0) * stone)
        art.over(local, art.INK, np.clip(art.grow(stone, 1) - stone, 0, 1) * 0.8)


def mist(picture, rng):
    """Low mist lying in the hollows between the rows of the road."""
    height, width = picture.shape[:2]
    shape = art.fractal_noise(width, height, 40, rng, stretch=6, octaves=3)
    rows = np.arange(height, dtype=np.float32)[:, None]
    lying = sum(np.exp(-((rows - row) / 16.0) ** 2) for row in (150, 288, 428, 566, 720))
    art.add_light(picture, art.rgb("#b58ab8") * 0.5, np.clip((shape - 0.35) * 2, 0, 1) * lying * 0.35)


def title_plate(picture, plate, text, name, seed):
    """The screen's name in gold on a violet plate, the plate's field its texture's key."""
    sunk_panel(picture, plate, key(name), radius=14, rim=3, band=5, seed=seed)
    left, top, right, bottom = plate
    require_fit(text, TITLE_SIZE, right - left - 16, bottom - top, room=4)
    letters(picture, text, TITLE_SIZE, ((left + right) / 2, (top + bottom) / 2 + 1))


def button_shade(picture):
    """A soft dusk under the three buttons, so they stand on calm ground."""
    height, width = picture.shape[:2]
    x, y = art.grid(width, height)
    left, top, right, bottom = map_layout.BUTTONS
    around = rounded_box(x, y, left - 10, top - 10, right + 10, bottom + 10, 16)
    art.over(picture, art.NIGHT, art.blur(around, 14) * 0.55)


def map_background():
    """The moor at dusk from the hills: the road from the village at the lower right winds to and fro up to the
    keep at the top, by a bridge, a tarn and a tunnel through the crag, past a flagstone for every level's pot."""
    width, height = SCREEN
    rng = np.random.default_rng(3030)
    picture = np.zeros((height, width, 3), dtype=np.float32)
    picture[:SKY_HEIGHT] = scene.sky(width, SKY_HEIGHT, rng, DAWN_X, 0.9)
    picture[SKY_HEIGHT:] = art.MOOR[1]
    keep_on_hill(picture)
    line = moor_ground(picture, rng)
    lines = map_layout.road_lines()
    mist(picture, rng)
    river(picture, rng)
    tarn(picture, rng)
    road(picture, lines + LANES)
    bridge(picture)
    crag(picture, rng)
    pot_sites(picture)
    woods(picture, rng, keep_out(lines, line))
    for x, y, facing in VILLAGE:
        cottage(picture, x, y, facing)
    stone_circle(picture)
    scene.glints(picture, rng, 10, 150, height - 20, [art.GOLD_LIGHT, art.TEAL_LIGHT])
    art.vignette(picture, strength=0.35)
    button_shade(picture)
    title_plate(picture, TITLE_PLATE, TITLE, "MAP", seed=31)
    return still_texture(picture, (1024, 1024), key("MAP"))


# --- The bonus levels' shrine -------------------------------------------------------------------------------

BONUS_TEXTURE = (1024, 512)
BONUS_CELL = (0.14570312, 0.42578125)           # of the texture; 149.2 by 218 texels
BONUS_CELL_PIXELS = (149, 217)                  # as the game truncates them on the screen
BONUS_SHELF = 198                               # where a pot stands, rows down its cell
NUMERAL_FONT = art.FONT_DIR + "DejaVuSerif-Bold.ttf"
NUMERALS = ["I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X"]
# Round pots' half widths down their height, both as fractions: lip at the top, foot at the bottom.
SHAPES = {
    "amphora": (160, [(0, 0.34), (0.06, 0.34), (0.08, 0.22), (0.25, 0.24), (0.38, 0.9), (0.55, 1.0), (0.75, 0.72),
                      (0.92, 0.3), (0.95, 0.38), (1.0, 0.38)]),
    "jar": (138, [(0, 0.44), (0.07, 0.44), (0.1, 0.34), (0.18, 0.4), (0.35, 0.92), (0.55, 1.0), (0.78, 0.85),
                  (0.94, 0.5), (1.0, 0.5)]),
    "vase": (166, [(0, 0.52), (0.05, 0.44), (0.2, 0.22), (0.35, 0.28), (0.6, 0.66), (0.76, 0.72), (0.9, 0.45),
                   (0.95, 0.38), (1.0, 0.42)]),
    "cauldron": (112, [(0, 0.8), (0.07, 0.8), (0.1, 0.72), (0.3, 0.95), (0.5, 1.0), (0.75, 0.88), (0.92, 0.55),
                       (1.0, 0.32)]),
    "urn": (150, [(0, 0.48), (0.08, 0.48), (0.1, 0.3), (0.22, 0.34), (0.4, 0.9), (0.58, 0.96), (0.8, 0.6),
                  (0.9, 0.4), (0.94, 0.52), (1.0, 0.52)]),
    "flask": (152, [(0, 0.2), (0.05, 0.2), (0.06, 0.15), (0.35, 0.17), (0.45, 0.7), (0.65, 1.0), (0.85, 0.85),
                    (0.97, 0.45), (1.0, 0.45)]),
    "gourd": (162, [(0, 0.16), (0.05, 0.16), (0.08, 0.3), (0.2, 0.55), (0.32, 0.45), (0.42, 0.5), (0.65, 1.0),
                    (0.85, 0.9), (0.97, 0.5), (1.0, 0.5)]),
}
BONUS_HALF_WIDTH = 46
# Bonus level k's pot: its shape, its glaze, handles, and the enamel of its numbered medallion (its key).
BONUS_POTS = [
    ("amphora", art.TEAL * 0.7 + art.INDIGO * 0.3, True, "#206d6a"),
    ("jar", art.ROSE, False, "#8b1c39"),
    ("vase", art.GOLD * 0.85 + art.AMBER * 0.15, False, "#9c7110"),
    ("cauldron", art.INDIGO * 1.6 + art.VIOLET * 0.3, False, "#391cb4"),
    ("urn", art.PLUM * 1.3, True, "#731462"),
    ("flask", art.AMBER, False, "#c55d10"),
    ("gourd", art.TEAL * 0.5 + art.GOLD_DEEP * 0.3, False, "#31614a"),
    ("amphora", art.ROSE * 0.8 + art.PLUM * 0.3, True, "#ac1818"),
    ("jar", art.VIOLET * 1.4 + art.TEAL_LIGHT * 0.15, True, "#5a598b"),
    ("urn", art.INDIGO + art.TEAL * 0.35, False, "#184cc5"),
]
KEY_COLOURS.update({f"BONUSLEVELPOTS:{k}": stored(enamel) for k, (_, _, _, enamel) in enumerate(BONUS_POTS)})


def handles(layer, centre_x, top, height, half):
    """Two gold loops from the neck to the shoulder."""
    w, h = layer.width, layer.height
    for side in (-1, 1):
        loop = [(centre_x + side * half * across, top + height * down)
                for across, down in ((0.25, 0.12), (0.8, 0.1), (1.02, 0.22), (0.88, 0.38))]
        handle = stroke(w, h, loop, 3.2)
        layer.paint(art.GOLD, handle, art.INK)
        layer.paint(art.GOLD_LIGHT, edge(handle, -1, 1) * handle * 0.8)


def bonus_pot(k):
    """Bonus pot k standing on its shelf, a numbered medallion on its belly, in a faint halo of its glaze. It shows
    the same whether the pointer is on it or not, so it is bright enough either way."""
    shape, glaze, with_handles, _ = BONUS_POTS[k]
    tall, profile = SHAPES[shape]
    width, height = round(BONUS_CELL[0] * BONUS_TEXTURE[0]), round(BONUS_CELL[1] * BONUS_TEXTURE[1])
    centre_x, top = width / 2, BONUS_SHELF - tall
    layer = Layer(width, height)
    outline = [(t * tall, w * BONUS_HALF_WIDTH) for t, w in profile]
    body, half = profile_mask(width, height, centre_x, outline, top=top)
    layer.glow(glaze * 0.6 + art.TEAL_LIGHT * 0.2, art.blur(art.grow(body, 3), 5) * 0.5)
    if with_handles:
        handles(layer, centre_x, top, tall, BONUS_HALF_WIDTH)
    glazed(layer, body, half, centre_x, np.clip(glaze, 0, 1), glaze * 0.4 + art.INK * 0.35)
    widest = max(profile, key=lambda point: point[1])[0] * tall + top
    for row in (top + tall * profile[2][0] + 3, widest - 26, widest + 26, BONUS_SHELF - 8):
        band(layer, body, row, 2.4)
    lip = ellipse(width, height, (centre_x, top + 3), (profile[0][1] * BONUS_HALF_WIDTH - 2, 4))
    layer.paint(art.INK, lip)
    layer.paint(art.TEAL_LIGHT * 0.6 + art.TEAL * 0.4, ellipse(width, height, (centre_x, top + 3.6),
                                                                (profile[0][1] * BONUS_HALF_WIDTH - 5, 2.4)))
    enamel = key(f"BONUSLEVELPOTS:{k}")
    medallion(layer, (centre_x, widest), (17, 15), enamel)
    numeral = art.text_mask(width, height, NUMERALS[k], NUMERAL_FONT, 15, (centre_x, widest + 1))
    layer.paint(art.GOLD_LIGHT, numeral, art.INK)
    layer.glow(WHITE, art.sparkle(width, height, (centre_x + BONUS_HALF_WIDTH * 0.5, top + 8), 7) * 0.9)
    return layer


def bonus_pots():
    texture = Layer(*BONUS_TEXTURE)
    for k in range(map_layout.MAX_BONUS_POTS):
        column, row = k % map_layout.BONUS_COLUMNS, k // map_layout.BONUS_COLUMNS
        left, top = round(column * BONUS_CELL[0] * BONUS_TEXTURE[0]), round(row * BONUS_CELL[1] * BONUS_TEXTURE[1])
        pot = bonus_pot(k)
        # Keep clear of the cell's edges: the game's rectangles fall between texels there.
        fade_beyond(pot, right=pot.width - 2, bottom=pot.height - 2)
        texture.colour[top:top + pot.height, left:left + pot.width] = pot.colour
        texture.alpha[top:top + pot.height, left:left + pot.width] = pot.alpha
    return single(texture)


BONUS_TITLE = "Bonus levels"
BONUS_TITLE_PLATE = (392, 18, 632, 70)
WALL = (104, 96, 920, 580)


def bonus_cell(k):
    """Bonus pot k's box on the screen, in pixels, as the game places it."""
    x, y = map_layout.bonus_corner(k)
    left, top = math.trunc(x * SCREEN[0]), math.trunc(y * SCREEN[1])
    return left, top, left + BONUS_CELL_PIXELS[0], top + BONUS_CELL_PIXELS[1]


def shrine_wall(picture, rng):
    """Courses of violet stone under a gold-trimmed cornice."""
    height, width = picture.shape[:2]
    left, top, right, bottom = WALL
    x, y = art.grid(width, height)
    wall = rounded_box(x, y, left, top, right, bottom, 6)
    art.over(picture, art.NIGHT, art.blur(rounded_box(x, y, left - 6, top, right + 6, bottom + 10, 8), 12) * 0.8)
    course = np.floor((y - top) / 22.0)
    block = np.floor((x - left + (course % 2) * 23) / 46.0)
    tone = rng.uniform(0.8, 1.1, (int(course.max()) + 2, int(block.max()) + 3))
    shade = tone[np.clip(course, 0, None).astype(int), np.clip(block, 0, None).astype(int)][..., None]
    grain = art.fractal_noise(width, height, 8, rng, stretch=2, octaves=2)[..., None]
    art.over(picture, STONE_WALL * shade * (0.9 + 0.2 * grain), wall)
    joints = np.maximum(seams((y - top - 0.5) / 22.0, 0.036), seams((x - left + (course % 2) * 23 - 0.5) / 46.0, 0.017))
    art.over(picture, art.INK, joints * wall * 0.5)
    cornice = rounded_box(x, y, left - 8, top - 6, right + 8, top + 12, 4)
    art.over(picture, art.INK, art.grow(cornice, 1))
    art.over(picture, STONE_WALL * 1.3, cornice)
    art.over(picture, art.GOLD, np.clip(1.0 - np.abs(y - (top + 8)), 0, 1) * cornice)
    art.over(picture, ROCK_LIT * 1.3, edge(cornice, 0, 2) * cornice)


def niche(picture, k):
    """An arched recess lit teal from within, a rune ring on its back wall and a stone shelf for the pot."""
    left, top, right, bottom = bonus_cell(k)
    local, (cx, cy) = window(picture, ((left + right) / 2, (top + bottom) / 2), 112)
    height, width = local.shape[:2]
    x, y = art.grid(width, height)
    half, arch_top, shelf = 58, cy - (bottom - top) / 2 + 12, cy - (bottom - top) / 2 + BONUS_SHELF
    recess = np.clip(half + 0.5 - np.abs(x - cx), 0, 1) * np.clip(shelf - y + 0.5, 0, 1) * np.maximum(
        ellipse(width, height, (cx, arch_top + half), (half, half)), np.clip(y - (arch_top + half) + 0.5, 0, 1))
    art.over(local, art.GOLD_DEEP, art.grow(recess, 4))
    art.over(local, art.GOLD, np.clip(art.grow(recess, 3) - art.grow(recess, 1), 0, 1))
    art.over(local, art.INK, np.clip(art.grow(recess, 1) - recess, 0, 1))
    depth = np.clip((y - arch_top) / (shelf - arch_top), 0, 1)[..., None]
    art.over(local, art.INDIGO * 0.7 * (1 - depth) + art.VIOLET * 0.8 * depth, recess)
    art.add_light(local, art.TEAL * 0.7, art.radial(width, height, (cx, shelf - 60), 70, 1.4) * recess * 0.7)
    ring = np.clip(ellipse(width, height, (cx, shelf - 82), (30, 30)) - ellipse(width, height, (cx, shelf - 82),
                                                                                 (27, 27)), 0, 1)
    art.add_light(local, art.TEAL_LIGHT, ring * 0.35)
    art.over(local, art.NIGHT, edge(recess, 4, 0) * recess * 0.4)
    ledge = rounded_box(x, y, cx - half - 6, shelf - 4, cx + half + 6, shelf + 8, 3)
    art.over(local, art.INK, art.grow(ledge, 1))
    art.over(local, STONE_WALL * 1.35, ledge)
    art.over(local, ROCK_LIT * 1.4, edge(ledge, 0, 2) * ledge)


TERRACE_VANISHING = (512, -420)               # where the flagstones' joints meet, far behind the wall


def terrace(picture):
    """Flagstones in front of the wall, their rows deepening and their joints running towards the viewer."""
    height, width = picture.shape[:2]
    top = WALL[3]
    x, y = art.grid(width, height)
    floor = np.clip(y - top + 0.5, 0, 1)
    depth = np.clip((y - top) / (height - top), 0, 1)
    rows = np.log1p(np.clip(y - top, 0, None) / 14.0) / np.log(1.32)
    vx, vy = TERRACE_VANISHING
    fan = np.arctan2(x - vx, y - vy) * 40.0
    joints = np.maximum(seams(rows, 0.05), seams(fan + 0.5 * (np.floor(rows) % 2), 0.04))
    art.over(picture, STONE_WALL * (1.0 - 0.45 * depth[..., None]), floor)
    art.over(picture, art.INK, joints * floor * 0.5)
    art.over(picture, art.INK, np.clip(1.0 - np.abs(y - top - 1), 0, 1) * 0.8)
    art.add_light(picture, art.TEAL * 0.5, art.radial(width, height, (width / 2, top), 420, 1.8, aspect=2.5) * floor
                  * 0.3)


BRAZIERS = [(62, 612), (964, 612)]


def brazier(picture, foot_point):
    """A gold bowl on a tripod with a teal flame, either side of the wall."""
    local, (cx, cy) = window(picture, (foot_point[0], foot_point[1] - 56), 64)
    height, width = local.shape[:2]
    _, y = art.grid(width, height)
    layer = Layer(width, height)
    layer.glow(art.TEAL, art.radial(width, height, (cx, cy - 16), 56, 1.6) * 0.6)
    for dx in (-13, 0, 13):
        leg = stroke(width, height, [(cx + dx * 0.3, cy - 2), (cx + dx, cy + 54)], 2.0)
        layer.paint(art.GOLD_DEEP, leg, art.INK)
        layer.paint(art.GOLD, edge(leg, -1, 0) * leg)
    bowl = ellipse(width, height, (cx, cy - 6), (20, 11)) * np.clip(y - (cy - 8), 0, 1)
    layer.paint(art.GOLD, bowl, art.INK)
    layer.paint(art.GOLD_LIGHT, edge(bowl, -1, 2) * bowl)
    layer.paint(art.GOLD_DEEP, edge(bowl, 1, -2) * bowl)
    flame = art.polygon_mask(width, height, [(cx - 15, cy - 8), (cx - 9, cy - 26), (cx - 3, cy - 19), (cx, cy - 44),
                                             (cx + 4, cy - 23), (cx + 10, cy - 32), (cx + 15, cy - 8)])
    layer.glow(art.TEAL, art.blur(art.grow(flame, 2), 3) * 0.8)
    layer.glow(art.TEAL_LIGHT, flame)
    layer.glow(WHITE, art.blur(flame * np.clip(y - (cy - 22), 0, 1), 2) * 0.7)
    art.over(local, layer.colour, layer.alpha)


def bonus_background():
    """A shrine on the moor at dusk: ten lit niches in a wall, one for each bonus level's pot; a niche stays lit and
    empty once its level is won. The game's buttons stand on the terrace at the lower left."""
    width, height = SCREEN
    rng = np.random.default_rng(4545)
    picture = scene.paint(width, height, seed=919, dawn_x=820, keep_x=60, brightness=0.8)
    art.vignette(picture, strength=0.4)
    shrine_wall(picture, rng)
    for k in range(map_layout.MAX_BONUS_POTS):
        niche(picture, k)
    terrace(picture)
    for foot_point in BRAZIERS:
        brazier(picture, foot_point)
    button_shade(picture)
    title_plate(picture, BONUS_TITLE_PLATE, BONUS_TITLE, "MAPBONUS", seed=32)
    return still_texture(picture, (1024, 1024), key("MAPBONUS"))


# --- The list ---------------------------------------------------------------------------------------------

PAINTERS = [
    ("MAP", map_background),
    ("MAPBONUS", bonus_background),
    ("BONUSLEVELPOTS", bonus_pots),
    ("LEVELPOTS", level_pots),
    ("STAR", trophy_star),
    ("DOT", road_dot),
    ("TOOLTIP", tooltip_plate),
] + [(name, functools.partial(map_button, name, text)) for name, text in BUTTONS]
# Each texture's file is its name in small letters, in the map's own folder under Res.
SHEETS = [(name, f"map\\{name.lower()}.dds", paint) for name, paint in PAINTERS]

# Opaque and large: block-compressed without alpha. Everything else keeps soft edges in DXT5's alpha.
OPAQUE = {"MAP", "MAPBONUS"}


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, file, paint in SHEETS:
        dds.write(os.path.join(folder, file_name(file)), paint(), "dxt1" if name in OPAQUE else "dxt5")


# What the build asks for before it makes anything, as CMake lists.
LISTINGS = {"--outputs": lambda: [file_name(file) for _, file, _ in SHEETS], "--sources": build_sources}


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: map_art.py FOLDER (data/Res/map) | --outputs | --sources")
    if sys.argv[1] in LISTINGS:
        print(";".join(LISTINGS[sys.argv[1]]()))
    else:
        main(sys.argv[1])
