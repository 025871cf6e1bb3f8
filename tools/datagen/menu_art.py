"""The main menu's pictures: its backdrop with the title, the four big buttons, the bonus button, the player-change
link and the hint plate; the four dialog forms and their buttons, the text box, the slider's knob and the check box;
the high-score and credits screens, and the glowing orb over the table.

Texture sizes. Each texture is the power of two whose shown rectangle comes to one texel per screen pixel at 1024
by 768, wherever the game's texture rectangles allow it:
- MENUBKG and CREDITS show 1024 by 759 texels of a 1024 square over the whole screen. They are painted at 759 rows,
  so the game's stretch of 1.2 % is the only resampling they get.
- The big strips are 256 square (200 by 69 texels a face), the bonus button 512 by 256 (415 by 72), the small
  pairs 128 by 64 (95 by 45), New player 512 by 64 (336 by 48), Yes and No 256 by 128 (161 by 82), the hint plate
  512 by 128 (400 by 69) and the link 256 by 64 (its caption's width by 30 texels for 29 pixels): all as on screen.
- The dialog forms cover 0.544921875 by 0.625 of the screen from their corner at 0.2275390625, 0.18: 558 by 480
  pixels, centred. Their rectangle of 0.54296875 by 0.931640625 shows 556 by 477 texels of a 1024 by 512 texture:
  one texel a pixel, to within half a percent.
- SCOREBKG covers 1014 by 760 pixels with the whole of its texture. 1024 square shrinks its rows by 1.35, where
  512 rows would have to stretch by 1.48 and blur; it is painted at its screen size and scaled into the texture.
- CHECK is 256 square: each face is 180 by 51 texels for 180 by 45 pixels, drawn 51/45 taller so that the box
  comes out square on the screen.
- BALL is 512 square over 614 by 461 pixels, its glow painted as an ellipse that the game draws round.
- TXTBOXBKG is 512 by 64: 295 by 64 texels for a list row or the name box of 332 by 71 pixels.
- SHUTTLE is 16 by 64, the knob's own size: the engine draws it 0.04545 of the bar's width across and the bar's
  full height, so a square texture would be squeezed to a quarter of its width.
- SCROLLPOINT is 128 by 64 for the 95 by 71 pixels of a scroll arrow, which the list turns over for the way down.
- TEXTBOXCURSOR is 8 by 32: two frames of four columns each, so the one pixel wide caret samples only its own frame.

Every texture keeps a flat patch of one colour (KEY_COLOURS, five-six-five bits so that block compression stores
it exactly) where a look at the drawn screen can find it; each colour is far enough from every other picture's
for a check within twelve levels to tell them apart.
"""
import contextlib
import functools
import os
import sys

import numpy as np
from PIL import Image, ImageFont

import art
import buttons_art
import dds
import loading
import scene
from hud_art import frame_grid, rounded_box, squeeze
from objects_art import WHITE, Layer, edge, ellipse, stroke
from world_art import single

SCREEN = (1024, 768)
FULL_SHOWN = (1024, 759)                 # a full-screen picture's rectangle: right 1, bottom 0.7412109375


def stored(hex_colour):
    """The colour nearest to hex_colour that a flat block keeps exactly through block compression as dds.py
    writes it and the game reads it: five, six and five bits, widened again as x * 255 / 31 rounded down."""
    r, g, b = (int(hex_colour[i:i + 2], 16) for i in (1, 3, 5))
    return round(r * 31 / 255) * 255 // 31, round(g * 63 / 255) * 255 // 63, round(b * 31 / 255) * 255 // 31


KEY_COLOURS = {
    "MENUBKG": stored("#291c39"),        # the tablet behind the buttons, around them (x 0.285-0.305, y 0.4-0.7)
    "CREDITS": stored("#101439"),        # the panel's field, left of the lines (x 0.21-0.26, y 0.2-0.8)
    "SCOREBKG": stored("#181c52"),       # the table's field, left of the first column (x 0.049-0.057, y 0.2-0.8)
    "WHOAREYOU": stored("#391473"),      # each form's field below its title, all the way down its sides
    "NEWUSER": stored("#4a2452"),
    "AREYOUSURE": stored("#52086a"),
    "SETTINGS": stored("#523073"),
    "NOTAVAILABLE": stored("#4a1039"),   # the hint plate's field, right of the padlock
    # The buttons' plates on either side of the caption, as buttons_art paints them; ":lit" is the face under
    # the pointer, ":disabled" the bonus button before the bonus levels are open.
    "PLAYGAMEACTPAS": stored("#62209c"),
    "PLAYGAMEACTPAS:lit": stored("#9c71f6"),
    "SETTINGSACTPAS": stored("#7b249c"),
    "SETTINGSACTPAS:lit": stored("#9c89d5"),
    "HIGHSCOREACTPAS": stored("#6224bd"),
    "HIGHSCOREACTPAS:lit": stored("#9c55de"),
    "EXITACTPAS": stored("#62049c"),
    "EXITACTPAS:lit": stored("#bd71de"),
    "BONUSLEVELACTPASDIS": stored("#621483"),
    "BONUSLEVELACTPASDIS:lit": stored("#a48dee"),
    "BONUSLEVELACTPASDIS:disabled": stored("#5a556a"),
    "OKBTNPAS": stored("#6240b4"),
    "OKBTNACT": stored("#946dbd"),
    "CANBTNPAS": stored("#7b089c"),
    "CANBTNACT": stored("#bd55de"),
    "DELBTNPAS": stored("#7b409c"),
    "DELBTNACT": stored("#bd8dde"),
    "CREDITBTNPAS": stored("#7b24bd"),
    "CREDITBTNACT": stored("#a455ff"),
    "CLEARBTNPAS": stored("#7b1883"),
    "CLEARBTNACT": stored("#bd81c5"),
    "BTNNEWUSERPAS": stored("#6208bd"),
    "BTNNEWUSERACT": stored("#9c4cc5"),
    "BTNYESPAS": stored("#7b08bd"),
    "BTNYESACT": stored("#bd71ff"),
    "BTNNOPAS": stored("#94249c"),
    "BTNNOACT": stored("#bd8dff"),
    "IFTHIS": stored("#eed6ff"),         # the letters of the link
    "IFTHIS:lit": stored("#ffe28b"),
    "TXTBOXBKG": stored("#f6eac5"),      # the parchment
    "SCROLLPOINT": stored("#39c6de"),    # the gem's middle
    "TEXTBOXCURSOR": stored("#290031"),  # the caret's bar in the first frame
    "SHUTTLE": stored("#2995ac"),        # the gem's flat top
    "BALL": stored("#ffc683"),           # the orb's heart
    "CHECK": stored("#313c52"),          # inside the box, round the tick
    "CHECK:lit": stored("#7b59ac"),
    "CHECK:tick": stored("#f6d641"),     # the tick itself
}


def key(name):
    return np.array(KEY_COLOURS[name], dtype=np.float32) / 255.0


def shown(texture_size, right, bottom):
    """The texels a texture rectangle from the top-left corner takes in."""
    return round(right * texture_size[0]), round(bottom * texture_size[1])


# --- Captions -------------------------------------------------------------------------------------------

CAPTION_ROOM = 8          # texels kept clear between a caption's ink and the sides of its plate


def ink_size(text, size):
    left, top, right, bottom = ImageFont.truetype(art.SANS_BOLD, size).getbbox(text)
    return right - left, bottom - top


def require_fit(text, size, width, height, room=CAPTION_ROOM):
    """A caption too wide for its place would run into the rim: better to stop than to ship it."""
    ink_width, ink_height = ink_size(text, size)
    if ink_width > width - 2 * room or ink_height > height - 2 * room:
        raise ValueError(f'"{text}" at {size} px is {ink_width} by {ink_height}: no room in {width} by {height} '
                         f'with {room} clear each side')


@contextlib.contextmanager
def caption_size(size):
    """buttons_art letters every caption at its module's size; the menu's faces come in several sizes."""
    saved = buttons_art.CAPTION_SIZE
    buttons_art.CAPTION_SIZE = size
    try:
        yield
    finally:
        buttons_art.CAPTION_SIZE = saved


GOLD_LETTERS = (art.GOLD_LIGHT, art.GOLD, 2)                                   # top, bottom, rim width
PALE_LETTERS = (WHITE * 0.3 + art.DAWN * 0.7, art.DAWN * 0.8 + art.ROSE * 0.2, 1)   # for reading, calmer


def letters(picture, text, size, place, anchor="mm", look=GOLD_LETTERS):
    """A caption on a panel, filled from top to bottom over an ink rim and a short shadow, as the loading screen's."""
    height, width = picture.shape[:2]
    mask = art.text_mask(width, height, text, art.SANS_BOLD, size, place, anchor=anchor)
    rows = np.nonzero(mask.max(axis=1))[0]
    top_colour, bottom_colour, rim = look
    art.caption(picture, mask, rows[0], rows[-1], top_colour, bottom_colour, outline_width=rim, shadow=2)


# --- Buttons --------------------------------------------------------------------------------------------

def button(text, size, face_size, fill, lit):
    """One face of a button in the in-level buttons' style, the face as large as the texels it is shown by."""
    width, height = face_size
    require_fit(text, size, width - 2 * buttons_art.MARGIN, height - 2 * buttons_art.MARGIN)
    layer = Layer(width, height)
    with caption_size(size):
        buttons_art.button_face(layer, text, 0, 0, width, height, fill, lit)
    return layer


def stacked(faces, texture_size, pitch):
    """Faces one under the other from the texture's top, pitch texels apart; the rest clear."""
    return frame_grid([face.rgba() for face in faces], texture_size, (faces[0].width, pitch), columns=1)


def greyed(layer, keep):
    """A face out of reach: its gold and stone drained towards grey and dimmed, all but the flat key fill."""
    flat = np.all(np.abs(layer.colour - keep) < 1e-4, axis=-1)[..., None]
    grey = layer.colour @ np.array([0.3, 0.59, 0.11], dtype=np.float32)
    drained = (grey[..., None] * 0.7 + layer.colour * 0.3) * 0.72
    layer.colour = np.where(flat, layer.colour, drained).astype(np.float32)


STRIP_TEXTURE = (256, 256)
STRIP_FACE = shown(STRIP_TEXTURE, 0.78125, 0.26953125)        # 200 by 69: normal, then lit below it
STRIP_CAPTION = 24
STRIPS = [("PLAYGAMEACTPAS", "Play"), ("SETTINGSACTPAS", "Settings"), ("HIGHSCOREACTPAS", "High scores"),
          ("EXITACTPAS", "Exit")]


def strip(name, text):
    faces = [button(text, STRIP_CAPTION, STRIP_FACE, key(name), False),
             button(text, STRIP_CAPTION, STRIP_FACE, key(name + ":lit"), True)]
    return stacked(faces, STRIP_TEXTURE, STRIP_FACE[1])


BONUS_TEXTURE = (512, 256)
BONUS_FACE = shown(BONUS_TEXTURE, 0.810546875, 0.28125)       # 415 by 72: disabled, normal, lit
BONUS_CAPTION = 26


def bonus_levels():
    name, text = "BONUSLEVELACTPASDIS", "Bonus levels"
    disabled = button(text, BONUS_CAPTION, BONUS_FACE, key(name + ":disabled"), False)
    greyed(disabled, key(name + ":disabled"))
    faces = [disabled, button(text, BONUS_CAPTION, BONUS_FACE, key(name), False),
             button(text, BONUS_CAPTION, BONUS_FACE, key(name + ":lit"), True)]
    return stacked(faces, BONUS_TEXTURE, BONUS_FACE[1])


# The dialogs' buttons: name before PAS or ACT, caption, texture size, the texture rectangle's right and bottom,
# caption size. PAS is the face at rest and pressed, ACT the face under the pointer.
PAIRS = [
    ("OKBTN", "OK", (128, 64), 0.7421875, 0.703125, 18),
    ("CANBTN", "Cancel", (128, 64), 0.7421875, 0.703125, 18),
    ("DELBTN", "Delete", (128, 64), 0.7421875, 0.703125, 18),
    ("CREDITBTN", "Credits", (128, 64), 0.7421875, 0.703125, 18),
    ("CLEARBTN", "Clear", (128, 64), 0.7421875, 0.703125, 18),
    ("BTNNEWUSER", "New player", (512, 64), 0.65625, 0.75, 22),
    ("BTNYES", "Yes", (256, 128), 0.62890625, 0.640625, 28),
    ("BTNNO", "No", (256, 128), 0.62890625, 0.640625, 28),
]


# Faces whose plate starts short of their button's left edge, in pixels: the "New player" button stands at 0.1084
# of its dialog and the players' list under it at 0.1333, so its plate starts where the list's rows do.
LEFT_INSETS = {"BTNNEWUSER": round((0.13331875 - 0.1083984375) * SCREEN[0])}


def pair_face(name, text, texture_size, right, bottom, size):
    lit = name.endswith("ACT")
    width, height = shown(texture_size, right, bottom)
    inset = LEFT_INSETS.get(name[:-3], 0)
    face = button(text, size, (width - inset, height), key(name), lit)
    if inset:
        placed = Layer(width, height)
        placed.colour[:, inset:], placed.alpha[:, inset:] = face.colour, face.alpha
        face = placed
    return stacked([face], texture_size, face.height)


# --- The player-change link -----------------------------------------------------------------------------

LINK_TEXT = "Not you? Change player"
LINK_CAPTION = 17
LINK_PAD = 5                              # texels either side of the ink for its rim and glow
LINK_TEXTURE = (256, 64)
LINK_ROWS = round(0.46875 * LINK_TEXTURE[1])   # 30 texels a face for 29 pixels: normal, then lit
LINK_PIXELS = ink_size(LINK_TEXT, LINK_CAPTION)[0] + 2 * LINK_PAD
# The game centres the link by these: its width on the screen and in its texture.
IFTHIS_WIDTH = LINK_PIXELS / SCREEN[0]
IFTHIS_TEXWIDTH = LINK_PIXELS / LINK_TEXTURE[0]


def link_face(fill, lit):
    """The caption over a thin underline, as links are; under the pointer gold in a teal haze."""
    width, height = LINK_PIXELS, LINK_ROWS
    require_fit(LINK_TEXT, LINK_CAPTION, width, height, room=LINK_PAD - 1)
    layer = Layer(width, height)
    with caption_size(LINK_CAPTION):
        letters = buttons_art.centred_caption(width, height, LINK_TEXT, (0, 0, width, height - 3))
    rows = np.nonzero(letters.max(axis=1) > 0.1)[0]
    cols = np.nonzero(letters.max(axis=0) > 0.1)[0]
    underline = np.zeros_like(letters)
    underline[rows[-1] + 2, cols[0]:cols[-1] + 1] = 1.0
    mask = np.maximum(letters, underline * (0.95 if lit else 0.6))
    if lit:
        layer.glow(art.TEAL, art.blur(art.grow(mask, 2), 2.0) * 0.55)
    layer.paint(art.INK, art.blur(art.grow(mask, 1), 1.0) * 0.75)
    layer.paint(art.INK, art.grow(mask, 1))
    layer.paint(fill, mask)
    return layer


def link():
    faces = [link_face(key("IFTHIS"), False), link_face(key("IFTHIS:lit"), True)]
    return stacked(faces, LINK_TEXTURE, LINK_ROWS)


# --- Panels: the forms, the tablet on the menu, the tables ---------------------------------------------------

STONE = art.VIOLET * 0.5 + art.INDIGO * 0.5


def panel(layer, box, fill, radius, rim, band=0, lit=False, seed=0):
    """A gold-rimmed plate: a band of violet stone inside the rim, a gold wire, then a flat field of the fill.
    Lit, the rim turns teal and glows, as the buttons' rims do."""
    x, y = art.grid(layer.width, layer.height)
    left, top, right, bottom = box

    def inset(by):
        return rounded_box(x, y, left + by, top + by, right - by, bottom - by, max(radius - by, 2))

    outer, stone, field = inset(0), inset(rim), inset(rim + band)
    rim_deep = metal_rim(layer, outer, stone, lit)
    if band:
        stone_band(layer, stone, field, seed)
        corner_studs(layer, box, radius, rim + band / 2, band / 2 - 1)
    layer.paint(art.INK * 0.7 + rim_deep * 0.3, (art.grow(field, 1) - field) * 0.8)
    layer.paint(fill, field)
    # The rim's shadow falls a little way into the field from the top; the rest of it stays flat.
    layer.paint(fill * 0.55 + art.INK * 0.3, edge(field, 0, 3) * field * 0.6)


def metal_rim(layer, outer, inner, lit):
    """Gold lit along its top, or teal light under the pointer; gives back the rim's deep shade."""
    rim_colour, rim_light, rim_deep = (art.TEAL, art.TEAL_LIGHT, art.TEAL * 0.6 + art.INDIGO * 0.2) if lit \
        else (art.GOLD, art.GOLD_LIGHT, art.GOLD_DEEP)
    if lit:
        layer.glow(art.TEAL_LIGHT * 0.4 + art.TEAL * 0.6, art.blur(art.grow(outer, 2), 1.5))
    layer.paint(art.INK, art.grow(outer, 1) * 0.9)
    layer.paint(rim_colour, outer)
    layer.paint(rim_light, edge(outer, 0, 2) * (1 - inner) * 0.8)
    layer.paint(rim_deep, edge(outer, 0, -2) * (1 - inner) * 0.8)
    return rim_deep


def stone_band(layer, stone, field, seed):
    grain = art.fractal_noise(layer.width, layer.height, 8, np.random.default_rng(seed), stretch=2, octaves=2) - 0.5
    layer.paint(np.clip(STONE * (1.0 + 0.45 * grain[..., None]), 0, 1), stone)
    layer.paint(STONE * 1.6, edge(stone, 0, 2) * stone * 0.6)
    layer.paint(art.INK, edge(stone, 0, -2) * stone * 0.5)
    layer.paint(art.GOLD_DEEP, (art.grow(field, 3) - art.grow(field, 2)) * 0.9)


def corner_studs(layer, box, radius, depth, size):
    """A gold stud in each corner of the stone band, on the middle of its curve."""
    left, top, right, bottom = box
    along = radius - (radius - depth) / 2 ** 0.5
    for cx, cy in ((left + along, top + along), (right - along, top + along), (left + along, bottom - along),
                   (right - along, bottom - along)):
        stud = ellipse(layer.width, layer.height, (cx, cy), (size, size))
        layer.paint(art.GOLD, stud, art.INK)
        layer.paint(art.GOLD_LIGHT, edge(stud, 1, 2) * stud * 0.9)
        layer.paint(art.GOLD_DEEP, edge(stud, -1, -1) * stud * 0.8)


def sunk_panel(picture, box, fill, radius, rim, band, seed):
    """A panel set on an opaque picture, with a soft shadow round it so that it lifts off the scene."""
    height, width = picture.shape[:2]
    x, y = art.grid(width, height)
    art.over(picture, art.NIGHT, art.blur(rounded_box(x, y, *box, radius), 10) * 0.7)
    layer = Layer(width, height)
    panel(layer, box, fill, radius, rim, band, seed=seed)
    art.over(picture, layer.colour, layer.alpha)


# --- Opaque pictures ---------------------------------------------------------------------------------------

def still_texture(picture, size, flat_colour, grain=True):
    """An opaque picture in the top-left corner of a texture, its last row and column repeated to the edges so the
    filter finds no dark seam. The faint grain that art.full_screen_texture gives against banding goes
    everywhere but on the key patch, which must stay flat."""
    height, width = picture.shape[:2]
    if grain:
        noise = (np.random.default_rng(0).random((height, width), dtype=np.float32) - 0.5) * (4.0 / 255.0)
        flat = np.all(np.abs(picture - flat_colour) < 0.5 / 255.0, axis=-1)
        picture = picture + (noise * ~flat)[..., None]
    padded = np.pad(picture, ((0, size[1] - height), (0, size[0] - width), (0, 0)), mode="edge")
    return art.to_image(padded)


def resized(picture, size):
    def channel(k):
        plane = Image.fromarray(np.ascontiguousarray(picture[..., k], dtype=np.float32), "F")
        return np.asarray(plane.resize(size, Image.BICUBIC))
    return np.stack([channel(k) for k in range(3)], axis=-1).astype(np.float32)


def menu_background():
    """Dusk over the moor, the keep far off on the right, the title above a stone tablet that the menu's buttons
    sit on. Painted in screen pixels across and 759/768 of them down."""
    width, height = FULL_SHOWN
    sy = height / SCREEN[1]
    picture = scene.paint(width, height, seed=4242, dawn_x=170, keep_x=900, brightness=0.95)
    art.vignette(picture, strength=0.45)
    # The game writes its greeting in large rose letters centred in rows 148 to 210: a soft shadow keeps the stars
    # and the title's glow out of it. The player-change link (rows 229 to 258) sits at the top of the tablet.
    x, y = art.grid(width, height)
    art.over(picture, art.NIGHT, art.blur(rounded_box(x, y, 90, 140 * sy, 934, 214 * sy, 36), 18) * 0.6)
    loading.title(picture, "Glintmoor Dawnkeel", (width / 2, 64 * sy), 72)
    loading.flourish(picture, width / 2, 116 * sy, 250)
    sunk_panel(picture, (270, 214 * sy, 782, 586 * sy), key("MENUBKG"), radius=22, rim=5, band=9, seed=11)
    return still_texture(picture, (1024, 1024), key("MENUBKG"))


CREDIT_LINES = [          # text, kind, centre row on the screen
    ("Credits", "heading", 150),
    ("Made by the Glintmoor Dawnkeel team", "line", 198),
    ("Design and puzzles", "role", 262),
    ("The Glintmoor Dawnkeel team", "line", 292),
    ("Programming", "role", 344),
    ("The Glintmoor Dawnkeel team", "line", 374),
    ("Pictures, sounds and music", "role", 426),
    ("Made by our own programs", "line", 456),
    ("Testing", "role", 508),
    ("Every level played by our level runner", "line", 538),
    ("Thank you for playing!", "heading", 612),
]
CREDIT_KINDS = {"heading": 34, "role": 22, "line": 20}
CREDITS_PANEL = (192, 112, 832, 660)


def credits():
    """The team's thanks on a panel over the moor at first light, the keep on the left this time."""
    width, height = FULL_SHOWN
    sy = height / SCREEN[1]
    picture = scene.paint(width, height, seed=777, dawn_x=760, keep_x=120, brightness=1.0)
    art.vignette(picture, strength=0.5)
    loading.title(picture, "Glintmoor Dawnkeel", (width / 2, 58 * sy), 56)
    left, top, right, bottom = CREDITS_PANEL
    sunk_panel(picture, (left, top * sy, right, bottom * sy), key("CREDITS"), radius=24, rim=5, band=10, seed=12)
    for text, kind, row in CREDIT_LINES:
        size = CREDIT_KINDS[kind]
        require_fit(text, size, right - left - 40, size * 2)
        letters(picture, text, size, (width / 2, row * sy), look=PALE_LETTERS if kind == "line" else GOLD_LETTERS)
    loading.flourish(picture, width / 2, 228 * sy, 200)
    loading.flourish(picture, width / 2, 572 * sy, 200)
    letters(picture, "Click to close", 20, (width / 2, 716 * sy), look=PALE_LETTERS)
    return still_texture(picture, (1024, 1024), key("CREDITS"))


SCORE_PIXELS = (round(0.99 * SCREEN[0]), round(0.99 * SCREEN[1]))   # the whole texture, on 1014 by 760
# Deep enough to hold the score screen's score and its caption at its foot (x 0.098, y 0.818 to 0.874).
SCORE_PANEL = (36, 73, 988, 690)
SCORE_PANEL_EDGE = 13       # its rim and band, inside the box


def score_background():
    """The high-score table and the score screen: a calm panel where the game writes its headings (row 94) and
    ten rows from 154, 64 apart, or the score screen its bars and score; no title, since the two screens share
    it; the table's OK and Clear buttons sit on the panel's foot."""
    width, height = SCORE_PIXELS
    picture = scene.paint(width, height, seed=5150, dawn_x=512, keep_x=860, brightness=0.85)
    art.vignette(picture, strength=0.5)
    sunk_panel(picture, SCORE_PANEL, key("SCOREBKG"), radius=24, rim=5, band=8, seed=13)
    loading.flourish(picture, width / 2, 142, 440)
    return still_texture(resized(picture, (1024, 1024)), (1024, 1024), key("SCOREBKG"))


BALL_SIZE = 512
BALL_PIXELS = (0.6 * SCREEN[0], 0.6 * SCREEN[1])


def ball():
    """Light added to the table: a soft teal haze round a gold glow round a small heart, black where it adds
    nothing, and faint enough that the scores stay readable through it. Radii are in screen pixels; the texture is
    squeezed across as the game will stretch it."""
    size = BALL_SIZE
    across, down = size / BALL_PIXELS[0], size / BALL_PIXELS[1]
    centre = (size / 2, size / 2)

    def glow(radius, power):
        return art.radial(size, size, centre, radius * down, power, aspect=across / down)

    picture = art.canvas(size, size, np.zeros(3, dtype=np.float32))
    for colour, radius, power, strength in ((art.TEAL * 0.5, 226, 2.4, 0.8), (art.TEAL_LIGHT, 120, 2.2, 0.3),
                                            (art.GOLD, 62, 1.8, 0.75), (art.GOLD_LIGHT, 26, 1.3, 0.7)):
        art.add_light(picture, colour, glow(radius, power) * strength)
    art.over(picture, key("BALL"), ellipse(size, size, centre, (7 * across, 7 * down)))
    return still_texture(picture, (size, size), key("BALL"), grain=False)


# --- The dialog forms -----------------------------------------------------------------------------------

FORM_TEXTURE = (1024, 512)
FORM_SHOWN = shown(FORM_TEXTURE, 0.54296875, 0.931640625)        # 556 by 477 texels
FORM_PIXELS = (0.544921875 * SCREEN[0], 0.625 * SCREEN[1])       # 558 by 480 pixels
FORM_TITLE = 30
FORM_INSET = 5 + 11                                              # rim and stone band


def form_texels(place):
    """A place given in fractions of the screen from the form's corner, in the form's texels."""
    return (place[0] * SCREEN[0] * FORM_SHOWN[0] / FORM_PIXELS[0],
            place[1] * SCREEN[1] * FORM_SHOWN[1] / FORM_PIXELS[1])


def form(title, name, *details):
    """The panel over the whole form, its title and a gold rule at the top; what the game puts on it goes
    in the calm field below, from 77 pixels down (the New player button)."""
    width, height = FORM_SHOWN
    layer = Layer(*FORM_TEXTURE)
    panel(layer, (1, 1, width - 1, height - 1), key(name), radius=22, rim=5, band=11, seed=21)
    require_fit(title, FORM_TITLE, width - 2 * FORM_INSET, 2 * FORM_TITLE)
    loading.title(layer.colour, title, (width / 2, 40), FORM_TITLE)
    loading.flourish(layer.colour, width / 2, 64, 150)
    for detail in details:
        detail(layer.colour)
    return single(layer)


SLIDER_SIZE = (0.334, 0.08333)
SLIDERS = [("Music", (0.12246094, 0.18510418)), ("Sounds", (0.12246094, 0.35010415))]
CHECK_PLACE, CHECK_SIZE = (0.049316406, 0.5110677), (0.17578125, 0.05859375)
SETTINGS_LABEL = 20


def slider_track(picture, place):
    """A groove along the middle of the slider's bar, with ticks under it, for the knob to run in."""
    height, width = picture.shape[:2]
    left, top = form_texels(place)
    right, bottom = form_texels((place[0] + SLIDER_SIZE[0], place[1] + SLIDER_SIZE[1]))
    middle = (top + bottom) / 2
    x, y = art.grid(width, height)
    groove = rounded_box(x, y, left + 6, middle - 5, right - 6, middle + 5, 5)
    art.over(picture, art.GOLD_DEEP, art.grow(groove, 1))
    art.over(picture, art.INK, groove)
    art.over(picture, STONE * 0.8, edge(groove, 0, -2) * groove * 0.8)
    ticks = np.zeros((height, width), dtype=np.float32)
    for k in range(11):
        tick_x = left + 18 + (right - left - 36) * k / 10
        length = 6 if k % 5 == 0 else 3          # longer at the ends and in the middle
        ticks = np.maximum(ticks, stroke(width, height, [(tick_x, middle + 11), (tick_x, middle + 11 + length)], 0.7))
    art.over(picture, art.GOLD * 0.8, ticks * 0.85)


def slider_label(text, place):
    """The slider's name to the left of its bar, clear of the form's border."""
    def paint(picture):
        left, top = form_texels(place)
        _, bottom = form_texels((place[0], place[1] + SLIDER_SIZE[1]))
        require_fit(text, SETTINGS_LABEL, left - 12 - FORM_INSET, bottom - top, room=2)
        slider_track(picture, place)
        letters(picture, text, SETTINGS_LABEL, (left - 12, (top + bottom) / 2), "rm")
    return paint


def full_screen_label(picture):
    """The check box's caption, right of the box in the part of the control its texture leaves clear."""
    left, top = form_texels(CHECK_PLACE)
    right, bottom = form_texels((CHECK_PLACE[0] + CHECK_SIZE[0], CHECK_PLACE[1] + CHECK_SIZE[1]))
    start = left + CHECK_BOX[2] + 10
    require_fit("Full screen", SETTINGS_LABEL, right - start, bottom - top, room=2)
    letters(picture, "Full screen", SETTINGS_LABEL, (start, (top + bottom) / 2), "lm")


# --- Small controls ---------------------------------------------------------------------------------------

CHECK_TEXTURE = (256, 256)
CHECK_FACE = shown(CHECK_TEXTURE, 0.703125, 0.19921875)          # 180 by 51 texels for 180 by 45 pixels
CHECK_BOX = (4, 4, 41, 41)                                      # in screen pixels within the face
CHECK_FACES = [(False, False), (False, True), (True, False), (True, True)]   # ticked, lit


def check_face(ticked, lit):
    width, height = CHECK_FACE
    tall = height / (CHECK_SIZE[1] * SCREEN[1])
    left, top, right, bottom = CHECK_BOX
    layer = Layer(width, height)
    panel(layer, (left, top * tall, right, bottom * tall), key("CHECK:lit" if lit else "CHECK"), radius=7, rim=3,
          lit=lit)
    if ticked:
        tick = stroke(width, height, [(12, 22 * tall), (20, 31 * tall), (37, 9 * tall)], 3.0)
        layer.paint(art.INK, art.grow(tick, 1))
        layer.paint(key("CHECK:tick"), tick)
    return layer


def check_box():
    return stacked([check_face(ticked, lit) for ticked, lit in CHECK_FACES], CHECK_TEXTURE, CHECK_FACE[1])


TEXT_BOX_TEXTURE = (512, 64)
TEXT_BOX_WIDTH = round(0.576171875 * TEXT_BOX_TEXTURE[0])       # 295


def text_box():
    """Light parchment in a thin gold rim, for the game's dark letters; it tints the chosen row itself. A row is
    drawn 332 by 71 pixels, the list's rows touching."""
    layer = Layer(*TEXT_BOX_TEXTURE)
    panel(layer, (1, 1, TEXT_BOX_WIDTH - 1, TEXT_BOX_TEXTURE[1] - 1), key("TXTBOXBKG"), radius=9, rim=3)
    return single(layer)


def text_cursor():
    """The caret's two frames: a dark bar, then the same bar barely there, so that it blinks softly."""
    layer = Layer(8, 32)
    bar = np.zeros((32, 8), dtype=np.float32)
    bar[2:30, 0:4] = 1.0
    bar[2:30, 4:8] = 0.2
    layer.paint(key("TEXTBOXCURSOR"), bar)
    return single(layer)


def gem(layer, outline, facet, fill, setting):
    """A teal gem set in gold (the setting is that many texels wide) with an ink edge, lit from the upper left;
    the facet in its middle is the flat fill."""
    width, height = layer.width, layer.height
    layer.glow(art.TEAL, art.blur(art.grow(outline, 2), 2.5) * 0.5)
    layer.paint(art.INK, art.grow(outline, 1))
    layer.paint(art.GOLD, outline)
    layer.paint(art.GOLD_LIGHT, edge(outline, 1, 2) * outline * 0.9)
    layer.paint(art.GOLD_DEEP, edge(outline, -1, -2) * outline * 0.9)
    stone = 1.0 - art.grow(1.0 - outline, setting)
    shade = art.radial(width, height, (width * 0.38, height * 0.36), max(width, height) * 0.55, 1.0)[..., None]
    layer.paint(art.INK, art.grow(stone, 1) - stone)
    layer.paint(art.TEAL * 0.45 + art.INDIGO * 0.3 + (art.TEAL_LIGHT * 0.7 - art.INDIGO * 0.2) * shade, stone)
    layer.paint(art.TEAL_LIGHT, (art.grow(facet, 1) - facet) * 0.6)
    layer.paint(fill, facet)
    glint = art.sparkle(width, height, (width * 0.32, height * 0.3), min(width, height) * 0.3)
    layer.shine(WHITE, glint * stone * (1 - facet) * 0.8)


# The engine draws the knob a 0.04545th of the bar's width across and the bar's full height: 16 by 64 pixels.
SHUTTLE_TEXTURE = (16, 64)


def shuttle():
    """The sliders' knob: an upright gem with round ends, its table the flat key, centred on the groove."""
    width, height = SHUTTLE_TEXTURE
    layer = Layer(width, height)
    x, y = art.grid(width, height)
    outline = rounded_box(x, y, 1.5, 8, width - 1.5, height - 8, 6.5)
    facet = rounded_box(x, y, 4, 18, width - 4, height - 18, 3)
    gem(layer, outline, facet, key("SHUTTLE"), setting=2)
    return single(layer)


# The list draws its scroll arrows a row high and as wide (95 by 71 pixels), pointing up at the top row and
# turned over at the bottom one. Painted twice that size and shrunk into the texture.
SCROLL_TEXTURE = (128, 64)
SCROLL_PAINTED = (190, 142)
SCROLL_MIDDLE = 134       # the rows reach 40 pixels into the arrows' column: the arrow keeps to the rest of it


def scroll_point():
    """An arrow of teal gem pointing up."""
    width, height = SCROLL_PAINTED
    layer = Layer(width, height)

    def arrow(inset):
        middle = SCROLL_MIDDLE
        return art.polygon_mask(width, height, [(middle, 36 + inset * 1.6), (middle + 44 - inset * 2, 104 - inset),
                                                (middle - 44 + inset * 2, 104 - inset)])

    gem(layer, arrow(0), arrow(14), key("SCROLLPOINT"), setting=6)
    colour, alpha = squeeze(layer.colour, layer.alpha, SCROLL_TEXTURE)
    return art.to_image(colour, alpha)


HINT_TEXTURE = (512, 128)
HINT_FACE = shown(HINT_TEXTURE, 0.78125, 0.5390625)             # 400 by 69
HINT_LINES = ("Finish every level", "to open the bonus levels")
HINT_CAPTION = 17


def padlock(layer, centre):
    cx, cy = centre
    x, y = art.grid(layer.width, layer.height)
    shackle = stroke(layer.width, layer.height, [(cx - 6, cy), (cx - 6, cy - 7), (cx - 3, cy - 11), (cx + 3, cy - 11),
                                                 (cx + 6, cy - 7), (cx + 6, cy)], 1.8)
    body = rounded_box(x, y, cx - 10, cy - 2, cx + 10, cy + 14, 3)
    hole = np.maximum(ellipse(layer.width, layer.height, (cx, cy + 4), (2.2, 2.2)),
                      stroke(layer.width, layer.height, [(cx, cy + 5), (cx, cy + 9)], 1.0))
    layer.paint(art.GOLD_DEEP, shackle, art.INK)
    layer.paint(art.GOLD, body, art.INK)
    layer.paint(art.GOLD_LIGHT, edge(body, 0, 2) * body * 0.9)
    layer.paint(art.INK, hole)


def not_available():
    """A plate that says why the bonus levels are shut, in a soft shadow that is the texture's own alpha."""
    width, height = HINT_FACE
    layer = Layer(*HINT_TEXTURE)
    x, y = art.grid(*HINT_TEXTURE)
    box = (5, 5, width - 5, height - 5)
    layer.paint(art.INK, art.blur(rounded_box(x, y, *box, 12), 3) * 0.6)
    panel(layer, box, key("NOTAVAILABLE"), radius=12, rim=3, band=4, seed=14)
    padlock(layer, (36, 32))
    text_left, text_right = 60, width - 16
    for line, row in zip(HINT_LINES, (25, 45)):
        require_fit(line, HINT_CAPTION, text_right - text_left, 20, room=0)
        letters(layer.colour, line, HINT_CAPTION, ((text_left + text_right) / 2, row), look=PALE_LETTERS)
    return single(layer)


# --- The list ---------------------------------------------------------------------------------------------

def file_name(file):
    return file.split("\\")[-1]


PAINTERS = [("MENUBKG", menu_background)] + \
    [(name, functools.partial(strip, name, text)) for name, text in STRIPS] + [
    ("IFTHIS", link),
    ("BONUSLEVELACTPASDIS", bonus_levels),
    ("NOTAVAILABLE", not_available),
    ("WHOAREYOU", functools.partial(form, "Who are you?", "WHOAREYOU")),
    ("NEWUSER", functools.partial(form, "New player", "NEWUSER")),
    ("AREYOUSURE", functools.partial(form, "Are you sure?", "AREYOUSURE")),
    ("SETTINGS", functools.partial(form, "Settings", "SETTINGS",
                                   *[slider_label(text, place) for text, place in SLIDERS], full_screen_label))] + \
    [(stem + state, functools.partial(pair_face, stem + state, *rest)) for stem, *rest in PAIRS
     for state in ("PAS", "ACT")] + [
    ("TXTBOXBKG", text_box),
    ("SCROLLPOINT", scroll_point),
    ("TEXTBOXCURSOR", text_cursor),
    ("SHUTTLE", shuttle),
    ("CHECK", check_box),
    ("CREDITS", credits),
    ("SCOREBKG", score_background),
    ("BALL", ball),
]
# Each texture's file is its name in small letters, in the menu's own folder under Res.
SHEETS = [(name, f"menu\\{name.lower()}.dds", paint) for name, paint in PAINTERS]

# Opaque and large: block-compressed without alpha. Everything else keeps soft edges in DXT5's alpha.
OPAQUE = {"MENUBKG", "CREDITS", "SCOREBKG", "BALL"}


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, file, paint in SHEETS:
        dds.write(os.path.join(folder, file_name(file)), paint(), "dxt1" if name in OPAQUE else "dxt5")


def build_sources():
    """This program's own files: what the build remakes the pictures after."""
    here = os.path.dirname(os.path.abspath(__file__))
    files = {getattr(module, "__file__", None) for module in list(sys.modules.values())}
    return sorted(os.path.abspath(f) for f in files if f and os.path.dirname(os.path.abspath(f)) == here)


# What the build asks for before it makes anything, as CMake lists.
LISTINGS = {"--outputs": lambda: [file_name(file) for _, file, _ in SHEETS], "--sources": build_sources}


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: menu_art.py FOLDER (data/Res/menu) | --outputs | --sources")
    if sys.argv[1] in LISTINGS:
        print(";".join(LISTINGS[sys.argv[1]]()))
    else:
        main(sys.argv[1])
