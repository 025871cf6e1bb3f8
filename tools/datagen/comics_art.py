"""The comics between chapters: their painted panels, the skip button they share with the intro, and the comics
files that lay the panels out and fly the camera over them.

How a comics is seen. Each panel is a flat quad of PANEL_WORLD units in the plane z = 0; the camera looks straight
down the z axis from the +z side (so that the world's x runs to the right on the screen) through the game's
projection: a vertical field of view of 1.0466667 radians at 4:3. Close on a panel, the camera stands where the
panel's height, and a little margin, fills the screen: about 920 by 690 pixels. The panels are therefore painted at
1024 by 768 texels in the top of a 1024 square texture (v from 0 to 0.75), a texel a pixel or better.

The path of every comics: a look at the whole page, then each panel in turn (held while the caption is read, the
camera easing in a little), then the whole page again, held until the comics ends.

SKIPBTNACTPAS is 128 square: the game shows rows 0 to 0.4375 (56 texels) as the face at rest and 0.4375 to 0.875
as the face under the pointer, on 128 by 56 pixels of the screen: one texel a pixel.

Every texture keeps a flat patch of one colour (KEY_COLOURS, five-six-five bits so that block compression stores
it exactly): the panels in their caption box, the skip button on its plate beside the caption.
"""
import math
import os
import re
import sys
from collections import namedtuple

import numpy as np
from PIL import Image, ImageFont

import art
import dds
import objects_art
import scene
from hud_art import rounded_box
from menu_art import build_sources, button, file_name, stacked, still_texture, stored

PANEL_PIXELS = (1024, 768)
PANEL_TEXTURE = (1024, 1024)
PANEL_BOTTOM = PANEL_PIXELS[1] / PANEL_TEXTURE[1]         # the panel's texture rectangle: u 0 to 1, v 0 to this

# --- The story ----------------------------------------------------------------------------------------------

# A shot: the light (SKIES), where the sun glows, the keep's foot and size (or None), the row the friends stand
# on, the friends' place, size and facing, and props drawn in the order given.
Shot = namedtuple("Shot", "sky sun keep ground friends props seed")
Friends = namedtuple("Friends", "x scale facing spread")
Panel = namedtuple("Panel", "texture caption shot")
Comics = namedtuple("Comics", "name level panels")

# Panel keys: pale caption boxes, as comics have them, each far enough from every other key to be told apart.
CAPTION_KEYS = ["#ffffde", "#ffe6de", "#ffcec5", "#e6cec5", "#e6e6de", "#cdc6cd", "#cde6e6", "#d5deff",
                "#cdc6e6", "#e6aecd", "#b4c6e6", "#cde6b4"]

COMICS = [
    Comics("comics01", "level02", [
        Panel("COMICS1A", "Dusk on Glintmoor. The keep is far away.",
              Shot("dusk", 820, (800, 0.55), 640, Friends(230, 1.6, 1, 70), [], 101)),
        Panel("COMICS1B", "A chasm! But a bridge of light appears...",
              Shot("dusk", 880, None, 600, Friends(520, 1.5, 1, 66), [("chasm", 330, 720), ("bridge", 300, 750)],
                   102)),
        Panel("COMICS1C", "...and on they go, into the night.",
              Shot("night", 160, (760, 0.8), 700, Friends(520, 2.4, 1, 110), [], 103)),
    ]),
    Comics("comics02", "level04", [
        Panel("COMICS2A", "The wind howls over the heights.",
              Shot("storm", 700, None, 660, Friends(560, 2.0, -1, 90),
                   [("wind", 210, 330, 2.6), ("wind", 860, 250, 2.0)], 201)),
        Panel("COMICS2B", "A stone wall holds the beast back!",
              Shot("storm", 300, None, 650, Friends(250, 1.7, 1, 72),
                   [("wall", 560, 650, 1.9), ("monster", 820, 650, 2.2)], 202)),
        Panel("COMICS2C", "Safe at last, they rest till the storm dies down.",
              Shot("dusk", 512, (880, 0.45), 650, Friends(470, 2.2, 1, 105), [("campfire", 470, 660)], 203)),
    ]),
    Comics("comics03", "level10", [
        Panel("COMICS3A", "In the dark, a ring of light hums...",
              Shot("night", 800, None, 660, Friends(360, 2.0, 1, 90), [("teleport", 690, 470, 3.2)], 301)),
        Panel("COMICS3B", "...and far across the moor, out they step!",
              Shot("night", 600, (700, 0.9), 660, Friends(460, 2.0, 1, 90), [("outteleport", 250, 470, 3.2)],
                   302)),
    ]),
    Comics("comics04", "level20", [
        Panel("COMICS4A", "The sky turns gold over the keep.",
              Shot("dawn", 300, (660, 1.5), 690, Friends(240, 1.4, 1, 60), [], 401)),
        Panel("COMICS4B", "One last bridge to cross.",
              Shot("dawn", 500, (840, 1.1), 620, Friends(420, 1.6, 1, 70), [("chasm", 260, 660), ("bridge", 230, 690)],
                   402)),
        Panel("COMICS4C", "The great gate swings open.",
              Shot("dawn", 512, (512, 2.2, "open"), 720, Friends(512, 1.3, 1, 60), [], 403)),
        Panel("COMICS4D", "Dawn over Glintmoor. They made it!",
              Shot("sunrise", 512, (860, 0.7), 700, Friends(512, 2.6, 1, 150), [("sunburst", 512, 520)], 404)),
    ]),
]

PANELS = [panel for comics in COMICS for panel in comics.panels]

KEY_COLOURS = {
    "SKIPBTNACTPAS": stored("#3969a4"),      # the plate on either side of the caption, at rest
    "SKIPBTNACTPAS:lit": stored("#3981e6"),  # and under the pointer
}
KEY_COLOURS.update({panel.texture: stored(colour) for panel, colour in zip(PANELS, CAPTION_KEYS)})


def key(name):
    return np.array(KEY_COLOURS[name], dtype=np.float32) / 255.0


# --- Backdrops ----------------------------------------------------------------------------------------------

HORIZON = 0.62
SKIES = {   # rows of the sky from the top, its stars, the light at the sun and how strong it is
    "dusk": ([(0.0, art.NIGHT), (0.3, art.INDIGO), (0.5, art.VIOLET), (0.58, art.PLUM), (HORIZON, art.ROSE),
              (1.0, art.ROSE)], 260, art.AMBER, 0.7),
    "night": ([(0.0, art.NIGHT), (0.45, art.INDIGO), (HORIZON, art.VIOLET), (1.0, art.VIOLET)], 520,
              art.TEAL * 0.6, 0.35),
    "storm": ([(0.0, art.NIGHT), (0.35, art.INDIGO), (HORIZON, art.MOOR[0] * 1.3), (1.0, art.MOOR[0])], 0,
              art.TEAL * 0.5, 0.3),
    "dawn": ([(0.0, art.VIOLET), (0.25, art.PLUM), (0.45, art.ROSE), (HORIZON - 0.04, art.AMBER),
              (HORIZON, art.DAWN), (1.0, art.DAWN)], 60, art.DAWN, 1.0),
    "sunrise": ([(0.0, art.PLUM), (0.3, art.ROSE), (0.5, art.AMBER), (HORIZON, art.DAWN), (1.0, art.DAWN)], 0,
                art.GOLD_LIGHT, 1.0),
}
# The lighter the sky, the lighter the moor, so that the hills never go black against a gold dawn.
MOOR_LIFT = {"dusk": 0.0, "night": 0.0, "storm": 0.1, "dawn": 0.25, "sunrise": 0.35}


def sky(shot, rng):
    width, height = PANEL_PIXELS
    stops, star_count, sun_colour, sun_strength = SKIES[shot.sky]
    picture = np.broadcast_to(art.vertical_gradient(height, stops)[:, None, :], (height, width, 3)).copy()
    horizon = HORIZON * height
    art.add_light(picture, sun_colour, art.radial(width, height, (shot.sun, horizon), 420, 1.6, aspect=2.2)
                  * sun_strength)
    if star_count:
        art.add_light(picture, art.rgb("#f4ecff"), art.stars(width, height, star_count, rng, fade_to=0.55 * height))
    if shot.sky == "storm":
        cloud = art.fractal_noise(width, height, 64, rng, stretch=5, octaves=3)
        art.over(picture, art.MOOR[2], np.clip((cloud - 0.45) * 3.0, 0, 1) * 0.8)
    return picture


def hills(picture, shot, rng):
    """Three ridges between the horizon and the friends' row, the keep on the first of them."""
    width, height = PANEL_PIXELS
    horizon = HORIZON * height
    lift = MOOR_LIFT[shot.sky]
    bases = [(horizon - 4, 14), (horizon + (shot.ground - horizon) * 0.45, 18), (shot.ground - 10, 12)]
    lit = art.radial(width, height, (shot.sun, horizon), 640, 1.0, aspect=1.8)
    for depth, ((base, amplitude), colour) in enumerate(zip(bases, art.MOOR[1:])):
        line = art.ridge(width, base, amplitude, rng)
        if depth == 0 and shot.keep:
            keep_x, scale, *gate = shot.keep
            foot = float(line[int(keep_x)]) + 6
            walls, windows = scene.keep(width, height, keep_x, foot, scale)
            art.over(picture, art.MOOR[1] * (0.8 + lift) + art.PLUM * lift, walls)
            if gate:
                windows = np.maximum(windows, open_gate(keep_x, foot - 14, scale))
            art.add_light(picture, art.rgb("#ffcf7a"), windows)
            art.add_light(picture, art.AMBER, art.blur(windows, 6) * 1.5)
        mask = art.below(line, height)
        shade = colour * (1 - lift) + art.PLUM * lift * 1.4
        art.over(picture, shade * (0.9 + art.fractal_noise(width, height, 24, rng, stretch=4)[..., None] * 0.15), mask)
        rim = np.clip(mask - np.roll(mask, 2, axis=0), 0, 1)
        art.add_light(picture, art.ROSE * 0.9, rim * lit * (0.9 - 0.25 * depth))


def open_gate(x, sill, scale):
    """The arched doorway at the foot of the tall tower, lit from inside."""
    width, height = PANEL_PIXELS
    half, tall = 14 * scale, 46 * scale
    door = art.polygon_mask(width, height, [(x - half, sill), (x + half, sill), (x + half, sill - tall + half),
                                            (x - half, sill - tall + half)])
    return np.maximum(door, objects_art.ellipse(width, height, (x, sill - tall + half), (half, half)))


# --- Props --------------------------------------------------------------------------------------------------

def placed(picture, rgba, centre_x, foot_y, scale, facing=1):
    """A sprite scaled (premultiplied, so clear texels lend no dark fringe) with its bottom row on foot_y."""
    if facing < 0:
        rgba = rgba[:, ::-1]
    height, width = rgba.shape[:2]
    size = (max(1, round(width * scale)), max(1, round(height * scale)))

    def resized(channel):
        plane = Image.fromarray(np.ascontiguousarray(channel, dtype=np.float32), "F")
        return np.asarray(plane.resize(size, Image.BICUBIC), dtype=np.float32)

    alpha = np.clip(resized(rgba[..., 3]), 0, 1)
    colour = np.stack([resized(rgba[..., k] * rgba[..., 3]) for k in range(3)], axis=-1)
    colour = np.clip(colour / np.maximum(alpha, 1e-4)[..., None], 0, 1)
    left, top = round(centre_x - size[0] / 2), round(foot_y - size[1])
    window = picture[max(top, 0):top + size[1], max(left, 0):left + size[0]]
    cut = (slice(max(-top, 0), max(-top, 0) + window.shape[0]), slice(max(-left, 0), max(-left, 0) + window.shape[1]))
    art.over(window, colour[cut], alpha[cut])


def ground_shadow(picture, x, y, half_width):
    width, height = PANEL_PIXELS
    art.over(picture, art.NIGHT, art.radial(width, height, (x, y), half_width, 1.5, aspect=half_width / 10) * 0.55)


FRIEND_FRAMES = [objects_art.tovemmar_frame, objects_art.gribbanoddle_frame, objects_art.weskaroon_frame]
FOOT = objects_art.GROUND_ROW / objects_art.H      # how far down its frame a walker's feet rest


def friends(picture, shot):
    """The three in a row, the leader in front, each in a different step of the walk."""
    group = shot.friends
    order = [-1, 0, 1] if group.facing > 0 else [1, 0, -1]
    for frame_of, place, step in zip(FRIEND_FRAMES, order, (0, 2, 1)):
        x = group.x + place * group.spread
        foot = shot.ground + (objects_art.H * (1 - FOOT)) * group.scale
        ground_shadow(picture, x, shot.ground, 26 * group.scale)
        placed(picture, frame_of(step), x, foot, group.scale, group.facing)


def chasm(picture, shot, left, right):
    """A gap in the near ground, falling away into the dark."""
    width, height = PANEL_PIXELS
    x, y = art.grid(width, height)
    wobble = 10 * np.sin(y / 23.0)
    gap = np.clip(np.minimum(x - left - wobble, right + wobble - x) / 2, 0, 1) * np.clip((y - shot.ground + 8) / 2, 0, 1)
    art.over(picture, art.NIGHT, gap)
    art.add_light(picture, art.PLUM, gap * np.clip(1 - (y - shot.ground) / 60, 0, 1) * 0.5)


def bridge(picture, shot, left, right):
    """The friends' spell: planks over the gap, lit teal from below."""
    planks = np.asarray(objects_art.bridge(), dtype=np.float32) / 255.0
    span = right - left
    scale = span / planks.shape[1]
    width, height = PANEL_PIXELS
    art.add_light(picture, art.TEAL, art.radial(width, height, ((left + right) / 2, shot.ground + 10), span * 0.6,
                                                1.5, aspect=3.0) * 0.6)
    placed(picture, planks, (left + right) / 2, shot.ground + planks.shape[0] * scale * 0.7, scale)


def sprite_prop(frame_of):
    def prop(picture, shot, x, y, scale):
        placed(picture, frame_of(1), x, y + objects_art.H * scale / 2, scale)
    return prop


def wall(picture, shot, x, foot, scale):
    stones = np.asarray(objects_art.wall(), dtype=np.float32) / 255.0
    width, height = PANEL_PIXELS
    art.add_light(picture, art.TEAL, art.radial(width, height, (x, foot - 150 * scale), 200 * scale, 1.5, 0.5) * 0.5)
    placed(picture, stones, x, foot + 6, scale)


def monster(picture, shot, x, foot, scale):
    ground_shadow(picture, x, foot, 30 * scale)
    placed(picture, objects_art.monster_frame(0), x, foot + (objects_art.H * (1 - FOOT)) * scale, scale, -1)


def ring(frame_of, core):
    def prop(picture, shot, x, y, scale):
        width, height = PANEL_PIXELS
        art.add_light(picture, core, art.radial(width, height, (x, y), 110 * scale, 1.4) * 0.7)
        placed(picture, frame_of(0), x, y + 64 * scale, scale)
    return prop


def campfire(picture, shot, x, foot):
    """A lantern-bright little fire: warm light round the resting friends."""
    width, height = PANEL_PIXELS
    art.add_light(picture, art.AMBER, art.radial(width, height, (x, foot - 30), 380, 1.3, aspect=1.4) * 0.55)
    for k, (dx, tall, colour) in enumerate([(0, 70, art.AMBER), (-14, 46, art.ROSE), (13, 52, art.GOLD),
                                            (0, 34, art.GOLD_LIGHT)]):
        flame = objects_art.ellipse(width, height, (x + dx, foot - tall / 2 + 4), (13 - k * 1.5, tall / 2))
        art.over(picture, colour, art.blur(flame, 1.0))
    for turn in (-0.35, 0.35):
        log = objects_art.ellipse(width, height, (x, foot + 4), (34, 7), turn)
        art.over(picture, objects_art.WOOD * 0.7, log)


def sunburst(picture, shot, x, y):
    width, height = PANEL_PIXELS
    gx, gy = art.grid(width, height)
    angle = np.arctan2(gy - y, gx - x)
    rays = (0.5 + 0.5 * np.cos(angle * 14)) ** 3 * art.radial(width, height, (x, y), 700, 0.8)
    art.add_light(picture, art.GOLD_LIGHT, rays * 0.35)
    art.add_light(picture, art.GOLD_LIGHT, art.radial(width, height, (x, y), 150, 2.0))


PROPS = {
    "chasm": chasm, "bridge": bridge, "wall": wall, "monster": monster, "campfire": campfire,
    "sunburst": sunburst, "wind": sprite_prop(objects_art.wind_frame),
    "teleport": ring(lambda k: objects_art.ring_frame(k, art.TEAL, art.TEAL_LIGHT, art.TEAL * 0.5 + art.INDIGO * 0.3,
                                                      inward=True), art.TEAL),
    "outteleport": ring(lambda k: objects_art.ring_frame(k, art.GOLD, art.GOLD_LIGHT,
                                                         art.AMBER * 0.6 + art.PLUM * 0.3, inward=False), art.GOLD),
}
# Props that stand in the near ground are drawn after the friends' row only when they are in front of it.
FRONT = {"monster", "wall"}


# --- The caption box and the frame --------------------------------------------------------------------------

CAPTION_FONT = art.FONT_DIR + "DejaVuSans-BoldOblique.ttf"
CAPTION_SIZE = 30
CAPTION_PAD = (22, 14)
CAPTION_CORNER = (28, 26)          # the box's top-left corner in the panel
BORDER = 8


def caption_box(picture, text, fill):
    """A pale box with the line in ink, in the panel's top-left corner, its fill flat for the key."""
    width, height = PANEL_PIXELS
    left, top, right, bottom = ImageFont.truetype(CAPTION_FONT, CAPTION_SIZE).getbbox(text)
    box_width, box_height = right - left + 2 * CAPTION_PAD[0], bottom - top + 2 * CAPTION_PAD[1]
    if box_width > width - 2 * CAPTION_CORNER[0]:
        raise ValueError(f'"{text}" does not fit on one line of a panel')
    x0, y0 = CAPTION_CORNER
    x, y = art.grid(width, height)
    box = rounded_box(x, y, x0, y0, x0 + box_width, y0 + box_height, 6)
    art.over(picture, art.NIGHT, art.blur(art.grow(box, 3), 6) * 0.6)
    art.over(picture, art.INK, art.grow(box, 3))
    art.over(picture, art.GOLD, art.grow(box, 1))
    art.over(picture, fill, box)
    ink = art.text_mask(width, height, text, CAPTION_FONT, CAPTION_SIZE,
                        (x0 + CAPTION_PAD[0] - left, y0 + CAPTION_PAD[1] - top), anchor="la")
    art.over(picture, art.INK, ink)


def framed(picture):
    """An ink border with a gold wire inside it, as the page's gutters cut the panels."""
    width, height = PANEL_PIXELS
    x, y = art.grid(width, height)
    inside = rounded_box(x, y, BORDER, BORDER, width - BORDER, height - BORDER, 4)
    art.over(picture, art.INK, 1 - inside)
    art.over(picture, art.GOLD, inside - (1 - art.grow(1 - inside, 2)))


def paint_panel(panel):
    shot = panel.shot
    rng = np.random.default_rng(shot.seed)
    picture = sky(shot, rng)
    hills(picture, shot, rng)
    behind = [prop for prop in shot.props if prop[0] not in FRONT]
    for name, *place in behind:
        PROPS[name](picture, shot, *place)
    friends(picture, shot)
    for name, *place in shot.props:
        if name in FRONT:
            PROPS[name](picture, shot, *place)
    art.vignette(picture, strength=0.35)
    framed(picture)
    caption_box(picture, panel.caption, key(panel.texture))
    return still_texture(picture, PANEL_TEXTURE, key(panel.texture))


# --- The skip button ----------------------------------------------------------------------------------------

SKIP_TEXTURE = (128, 128)
SKIP_FACE = (128, 56)              # rows 0 to 0.4375, then 0.4375 to 0.875: one texel a pixel
SKIP_CAPTION = 22


def skip_button():
    faces = [button("Skip", SKIP_CAPTION, SKIP_FACE, key("SKIPBTNACTPAS"), False),
             button("Skip", SKIP_CAPTION, SKIP_FACE, key("SKIPBTNACTPAS:lit"), True)]
    return stacked(faces, SKIP_TEXTURE, SKIP_FACE[1])


# --- The list -----------------------------------------------------------------------------------------------

SHEETS = [("SKIPBTNACTPAS", "comics\\skipbtnactpas.dds", skip_button)] + \
    [(panel.texture, f"comics\\{panel.texture.lower()}.dds", lambda panel=panel: paint_panel(panel))
     for panel in PANELS]
OPAQUE = {panel.texture for panel in PANELS}


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, file, paint in SHEETS:
        dds.write(os.path.join(folder, file_name(file)), paint(), "dxt1" if name in OPAQUE else "dxt5")


# --- The comics files ---------------------------------------------------------------------------------------

FIELD_OF_VIEW = 1.0466667           # the game's vertical field of view, in radians, at 4:3
ASPECT = 4 / 3
PANEL_WORLD = (4.0, 3.0)
GUTTER = 0.4
STEP = (PANEL_WORLD[0] + GUTTER, PANEL_WORLD[1] + GUTTER)
# Where the panels sit on the page, in steps of a panel and its gutter, by how many panels a comics has.
LAYOUTS = {2: [(-0.5, 0.15), (0.5, -0.15)], 3: [(-1, 0.25), (0, 0), (1, -0.25)],
           4: [(-0.5, 0.5), (0.5, 0.5), (-0.5, -0.5), (0.5, -0.5)]}
CLOSE_MARGIN = 1.06                 # the panel's height and this much more fills the screen close up
EASE_IN = 0.94                      # the camera comes this much closer while a panel is read
OPENING, TRAVEL, CLOSING = 1.5, 1.2, 2.5     # seconds: the page at first, from panel to panel, the page at the end
READING = (1.8, 0.05)               # seconds to read a caption: so long, and so much for each letter

KeyFrame = namedtuple("KeyFrame", "eye at time")


def panel_centres(comics):
    return [(column * STEP[0], row * STEP[1]) for column, row in LAYOUTS[len(comics.panels)]]


def distance_to_show(width, height):
    """How far from the page the camera sees the whole of width by height."""
    half_height = math.tan(FIELD_OF_VIEW / 2)
    return max(height / (2 * half_height), width / (2 * half_height * ASPECT))


def looking_at(centre, distance, time):
    return KeyFrame((centre[0], centre[1], distance), (centre[0], centre[1], 0.0), time)


def page_view(comics):
    centres = panel_centres(comics)
    xs, ys = [x for x, _ in centres], [y for _, y in centres]
    width = max(xs) - min(xs) + PANEL_WORLD[0] + 2 * GUTTER
    height = max(ys) - min(ys) + PANEL_WORLD[1] + 2 * GUTTER
    return ((max(xs) + min(xs)) / 2, (max(ys) + min(ys)) / 2), distance_to_show(width, height)


def camera_path(comics):
    page, far = page_view(comics)
    close = distance_to_show(*PANEL_WORLD) * CLOSE_MARGIN
    frames = [looking_at(page, far, OPENING), looking_at(page, far, TRAVEL)]
    for panel, centre in zip(comics.panels, panel_centres(comics)):
        frames.append(looking_at(centre, close, READING[0] + READING[1] * len(panel.caption)))
        frames.append(looking_at(centre, close * EASE_IN, TRAVEL))
    frames.append(looking_at(page, far, CLOSING))
    return frames


def number(value):
    return format(round(value, 4) + 0.0, "g")


def vector(name, values):
    x, y, z = (number(v) for v in values)
    return f'<{name} X="{x}" Y="{y}" Z="{z}"></{name}>'


def mesh_xml(name, texture, centre):
    """A panel's quad facing +z, its texture's painted rows over it, drawn both ways round and unlit."""
    half_width, half_height = PANEL_WORLD[0] / 2, PANEL_WORLD[1] / 2
    cx, cy = centre
    corners = [(-1, 1, 0, 0), (1, 1, 1, 0), (1, -1, 1, PANEL_BOTTOM), (-1, -1, 0, PANEL_BOTTOM)]
    vertices = "".join(
        f'        <Vertex X="{number(cx + sx * half_width)}" Y="{number(cy + sy * half_height)}" Z="0" NX="0" NY="0" '
        f'NZ="1" U="{number(u)}" V="{number(v)}"></Vertex>\n' for sx, sy, u, v in corners)
    indices = "".join(f'        <Index I="{i}"></Index>\n' for i in (0, 1, 3, 1, 2, 3))
    return (
        f'    <ComicsMesh>\n'
        f'      <TriMesh Name="{name}">\n'
        f'      <VertexData VertexSize="32" FVF="274" PrimType="4">\n{vertices}      </VertexData>\n'
        f'      <IndexData IndexSize="2">\n{indices}      </IndexData>\n'
        f'      <Material CullMode="1" FillMode="3" AlphaBlend="0" SrcBlend="5" DstBlend="6" ZWrite="0" '
        f'Lighting="0" IsFogEnable="0">\n'
        f'        <Textures Texture1="{texture}">\n'
        f'          <Filtration1 IsBilinear="1" IsTrilinear="0" IsAnisotropic="0"></Filtration1>\n'
        f'        </Textures>\n'
        f'      </Material>\n'
        f'      <AABB MinX="{number(cx - half_width)}" MinY="{number(cy - half_height)}" MinZ="0" '
        f'MaxX="{number(cx + half_width)}" MaxY="{number(cy + half_height)}" MaxZ="0"></AABB>\n'
        f'      </TriMesh>\n'
        f'    </ComicsMesh>\n')


def require_playable(comics, frames):
    """A key frame of no time divides by zero in the game, and a texture outside the list draws nothing."""
    textures = {name for name, _, _ in SHEETS}
    for panel in comics.panels:
        if panel.texture not in textures:
            raise ValueError(f"{comics.name}: {panel.texture} is not one of the textures made here")
    for index, frame in enumerate(frames):
        if not frame.time > 0:
            raise ValueError(f"{comics.name}: key frame {index} lasts {frame.time} s")


HEADER = '<?xml version="1.0" encoding="windows-1251"?>\n'


def comics_xml(comics):
    frames = camera_path(comics)
    require_playable(comics, frames)
    keys = "".join(f'    <KeyFrame Time="{number(frame.time)}">{vector("Eye", frame.eye)}{vector("At", frame.at)}'
                   f'</KeyFrame>\n' for frame in frames)
    meshes = "".join(mesh_xml(f"{comics.name}_{index + 1}", panel.texture, centre)
                     for index, (panel, centre) in enumerate(zip(comics.panels, panel_centres(comics))))
    return f'{HEADER}<AnimationTrack>\n  <Frames>\n{keys}  </Frames>\n  <Meshes>\n{meshes}  </Meshes>\n</AnimationTrack>\n'


def level_names(data_folder):
    with open(os.path.join(data_folder, "Levels", "levelpack.xml"), encoding="cp1251") as file:
        return re.findall(r'<Level Path="[^"]*" Name="([^"]+)">', file.read())


def pack_xml(levels):
    """Only levels the pack has: a comics planned for a later chapter joins once its level is there."""
    entries = "".join(f'  <Comics LevelName="{comics.level}" ComicsPath="Levels\\{comics.name}.xml"></Comics>\n'
                      for comics in COMICS if comics.level in levels)
    return f'{HEADER}<ComicsPack>\n{entries}</ComicsPack>\n'


def comics_files(levels):
    """File name under Levels and text of the pack and of every comics."""
    files = {"comics.xml": pack_xml(levels)}
    files.update({comics.name + ".xml": comics_xml(comics) for comics in COMICS})
    return files


def write_comics(data_folder):
    for name, text in comics_files(level_names(data_folder)).items():
        with open(os.path.join(data_folder, "Levels", name), "w", encoding="cp1251", newline="\n") as file:
            file.write(text)


# What the build asks for before it makes anything, as CMake lists.
LISTINGS = {"--outputs": lambda: [file_name(file) for _, file, _ in SHEETS], "--sources": build_sources}


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: comics_art.py FOLDER (data/Res/comics) | --outputs | --sources")
    if sys.argv[1] in LISTINGS:
        print(";".join(LISTINGS[sys.argv[1]]()))
    else:
        main(sys.argv[1])
