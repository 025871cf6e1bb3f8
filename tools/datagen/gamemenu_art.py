"""The pause menu's pictures: the veil that dims the running level with the panel in its middle, and the panel's
four buttons, Resume, Main menu, World map and Replay, in the main menu's button style.

Texture sizes (screen 1024 by 768):
- GAMEMENU shows 1024 by 759 texels of a 1024 square over the whole screen, as the menu's full-screen pictures do,
  and is painted at 759 rows. It lies over the level, which must stay in sight: outside the panel the texture is a
  dark veil about half see-through, darker towards the corners; the panel and its crest are opaque.
- The buttons are 256 by 512. Each shows two faces of 0.999 of its width by 191 rows: idle from the top, lit under
  it, the rest clear. A face is shown 256 by 95 pixels, so it is painted at that size, one texel a pixel as the main
  menu's buttons are, and stretched down to its 191 rows; the game's filter halves them again and the rim and the
  caption come back as they were painted.

Every texture keeps a flat patch of one colour (KEY_COLOURS, five-six-five bits so that block compression stores
it exactly) where a look at the drawn screen can find it; each colour is far enough from every other picture's
for a check within twelve levels to tell them apart.
"""
import functools
import math
import os
import sys

import numpy as np
from PIL import Image

import art
import art_program
import loading
import menu_art
from hud_art import frame_grid, rounded_box, squeeze
from menu_art import FULL_SHOWN, file_name, panel, stored
from objects_art import Layer, ellipse

SCREEN = (1024, 768)

KEY_COLOURS = {
    # The facet of the crest's gem over the panel's top edge: 490-502, 123-135 on the screen (x 0.479-0.490,
    # y 0.160-0.176), and nothing is drawn over it.
    "GAMEMENU": stored("#39d69c"),
    # The buttons' lapis plates on either side of the caption, as buttons_art paints them; ":lit" is the face
    # under the pointer. A plate is flat at least from 8 to 24 pixels right of its button's left edge and from 20
    # to 74 below its top: 231-247 (x 0.225-0.242) in the left column, 521-537 and 523-539 (0.509-0.527) in the
    # right one, 281-334 (y 0.365-0.436) in the top row and 426-479 (0.554-0.625) in the bottom one.
    "GAMEMENURESUME": stored("#182cb4"),
    "GAMEMENURESUME:lit": stored("#5a61f6"),
    "GAMEMENUBACKTOMENU": stored("#181094"),
    "GAMEMENUBACKTOMENU:lit": stored("#3944f6"),
    "GAMEMENUBACKTOMAP": stored("#182c94"),
    "GAMEMENUBACKTOMAP:lit": stored("#3961f6"),
    "GAMEMENUREPLAY": stored("#1810b4"),
    "GAMEMENUREPLAY:lit": stored("#5a44f6"),
}


def key(name):
    return np.array(KEY_COLOURS[name], dtype=np.float32) / 255.0


# --- The buttons ------------------------------------------------------------------------------------------

BUTTON_TEXTURE = (256, 512)
BUTTON_ROWS = round(0.373046875 * BUTTON_TEXTURE[1])          # 191 texels a face: idle, then lit below it
BUTTON_PIXELS = (round(0.25 * SCREEN[0]), round(0.123697914 * SCREEN[1]))   # 256 by 95
BUTTON_CAPTION = 30
# Where the game puts each button, the top-left corner in fractions of the screen, and its caption.
BUTTONS = [
    ("GAMEMENURESUME", "Resume", (0.217285156, 0.339192718)),
    ("GAMEMENUBACKTOMENU", "Main menu", (0.500488281, 0.339192718)),
    ("GAMEMENUBACKTOMAP", "World map", (0.217285156, 0.527994812)),
    ("GAMEMENUREPLAY", "Replay", (0.502441406, 0.527994812)),
]


def button_face(name, text, lit):
    face = menu_art.button(text, BUTTON_CAPTION, BUTTON_PIXELS, key(name + ":lit" if lit else name), lit)
    colour, alpha = squeeze(face.colour, face.alpha, (BUTTON_PIXELS[0], BUTTON_ROWS))
    return np.dstack([colour, alpha])


def button(name, text):
    faces = [button_face(name, text, lit) for lit in (False, True)]
    return frame_grid(faces, BUTTON_TEXTURE, (BUTTON_PIXELS[0], BUTTON_ROWS), columns=1)


# --- The veil and the panel --------------------------------------------------------------------------------

VEIL = art.NIGHT * 0.7 + art.INDIGO * 0.3
VEIL_ALPHA = (0.5, 0.66)                 # in the middle of the screen, and in its corners
# The panel round the buttons, in screen pixels, centred on the screen: the block of buttons stands 16 pixels left
# of the middle, so the panel keeps more room right of it than left.
PANEL = (162, 130, 862, 558)
PANEL_RADIUS, PANEL_RIM, PANEL_BAND = 24, 5, 10
# Dark violet, yet at least sixteen levels from every key colour: the field is large and flat, and must not pass
# for another picture's key where a test looks.
FIELD = np.array([32, 10, 68], dtype=np.float32) / 255.0
TITLE, TITLE_SIZE, TITLE_ROW = "Paused", 46, 194
FLOURISH_ROW = 234
CREST_ROW = 130                           # the crest's middle, on the panel's top edge
CREST_RADII, FACET_RADII = (27, 21), (11, 9)


def panel_middle():
    return (PANEL[0] + PANEL[2]) / 2


def veil(layer):
    """Darker towards the corners, so that the eye goes to the panel while the level stays readable."""
    x, y = art.grid(layer.width, layer.height)
    distance = np.hypot(x / layer.width - 0.5, y / layer.height - 0.5) / math.sqrt(0.5)
    middle, corners = VEIL_ALPHA
    layer.paint(VEIL, middle + (corners - middle) * distance ** 1.6)


def crest(layer, centre):
    """An oval gem in a gold mount astride the panel's top edge; its facet is the key."""
    width, height = layer.width, layer.height
    outline = ellipse(width, height, centre, CREST_RADII)
    layer.paint(art.NIGHT, art.blur(art.grow(outline, 2), 4) * 0.6)
    facet = ellipse(width, height, centre, FACET_RADII)
    menu_art.gem(layer, outline, facet, key("GAMEMENU"), setting=5)


def background():
    """The veil over the whole screen and, in the middle, a framed panel with its title and the crest; the buttons
    are the game's own sprites on it. Painted in screen pixels across and 759/768 of them down."""
    width, height = FULL_SHOWN
    sy = height / SCREEN[1]
    layer = Layer(width, height)
    veil(layer)
    left, top, right, bottom = PANEL
    box = (left, top * sy, right, bottom * sy)
    x, y = art.grid(width, height)
    layer.paint(art.INK, art.blur(rounded_box(x, y, *box, PANEL_RADIUS), 14) * 0.75)
    panel(layer, box, FIELD, PANEL_RADIUS, PANEL_RIM, PANEL_BAND, seed=41)
    inside = right - left - 2 * (PANEL_RIM + PANEL_BAND)
    menu_art.require_fit(TITLE, TITLE_SIZE, inside, 2 * TITLE_SIZE)
    loading.title(layer.colour, TITLE, (panel_middle(), TITLE_ROW * sy), TITLE_SIZE)
    loading.flourish(layer.colour, panel_middle(), FLOURISH_ROW * sy, 180)
    crest(layer, (panel_middle(), CREST_ROW * sy))
    # Below and right of the shown part the filter may reach a texel or so: the last row and column go on.
    rgba = np.pad(layer.rgba(), ((0, 1024 - height), (0, 1024 - width), (0, 0)), mode="edge")
    return art.to_image(rgba[..., :3], rgba[..., 3])


# --- The list ---------------------------------------------------------------------------------------------

PAINTERS = [("GAMEMENU", background)] + \
    [(name, functools.partial(button, name, text)) for name, text, _ in BUTTONS]
# Each texture's file is its name in small letters, in the pause menu's own folder under Res.
SHEETS = [(name, f"gamemenu\\{name.lower()}.dds", paint) for name, paint in PAINTERS]


def main(folder):
    art_program.write_sheets(folder, SHEETS)


LISTINGS = art_program.listings(SHEETS)


# --- Previews: the pause menu over a level, from the written files (for looking at the art only) -------------

# The level behind it: its viewport, the part of the moor's backdrop it shows, a row of ground and two characters
# on it, and the frame round it (texture name, texels shown as fractions, corner and size in screen fractions).
VIEWPORT = (128, 0, 896, 732)
BACKDROP_SHOWN = (836, 512)
GROUND_ROW, GROUND_SIZE = 600, (256, 38)
WALKERS = [("tovemmar", 860), ("weskaroon", 945)]
FRAME = [
    ("leftbar", (1.0, 0.75), (0.0, 0.0), (0.132, 1.0)),
    ("bottombar", (1.0, 1.0), (0.11, 0.953125), (0.89, 0.046875)),
    ("sun", (0.5859375, 0.671875), (0.125, 0.0), (0.29296875, 0.1119791567)),
]


def level_screen(data):
    from score_art import place, texture_file       # only for looking: the build's sources stay the painters
    screen = Image.new("RGBA", SCREEN, (0, 0, 0, 255))
    left, top, width, height = VIEWPORT
    place(screen, texture_file(data, "Levels\\backdrop_moor.dds"), BACKDROP_SHOWN, (left, top), (width, height))
    ground = texture_file(data, "gameobjects\\ground.dds")
    for x in range(left, SCREEN[0], GROUND_SIZE[0]):
        place(screen, ground, ground.size, (x, GROUND_ROW), GROUND_SIZE)
    for name, x in WALKERS:
        place(screen, texture_file(data, "gameobjects\\%s.dds" % name), (64, 128), (x, GROUND_ROW - 100), (52, 104))
    for name, shown, corner, size in FRAME:
        texture = texture_file(data, "Res\\%s.dds" % name)
        place(screen, texture, (shown[0] * texture.width, shown[1] * texture.height),
              (corner[0] * SCREEN[0], corner[1] * SCREEN[1]), (size[0] * SCREEN[0], size[1] * SCREEN[1]))
    return screen


def pause_screen(textures, data, lit):
    """The level, the veil and its panel, then the buttons, the one named lit under the pointer."""
    from score_art import place
    screen = level_screen(data)
    place(screen, textures["GAMEMENU"], FULL_SHOWN, (0, 0), (0.999 * SCREEN[0], 0.999 * SCREEN[1]))
    for name, _, (x, y) in BUTTONS:
        top = BUTTON_ROWS if name == lit else 0
        face = textures[name].crop((0, top, BUTTON_TEXTURE[0], top + BUTTON_ROWS))
        place(screen, face, (0.999 * BUTTON_TEXTURE[0], BUTTON_ROWS), (x * SCREEN[0], y * SCREEN[1]), BUTTON_PIXELS)
    return screen


def write_previews(gamemenu_folder, data, folder):
    from score_art import texture_file
    os.makedirs(folder, exist_ok=True)
    textures = {name: texture_file(gamemenu_folder, file_name(file)) for name, file, _ in SHEETS}
    pause_screen(textures, data, None).convert("RGB").save(os.path.join(folder, "pause.png"))
    pause_screen(textures, data, "GAMEMENURESUME").convert("RGB").save(os.path.join(folder, "pause_lit.png"))


USAGE = ("usage: gamemenu_art.py FOLDER (data/Res/gamemenu) | --outputs | --sources\n"
         "       gamemenu_art.py --preview GAMEMENU_FOLDER DATA_FOLDER PREVIEW_FOLDER")


if __name__ == "__main__":
    art_program.run(sys.argv[1:], main, LISTINGS, USAGE, write_previews)
