"""Pictures of the world map as the game composes it, from the written textures and map files (for looking at the
data only): the main face with pots, dots, stars, buttons and a pot's tooltip; the two trainer moments; the bonus
face.

Usage: map_preview.py DATA_FOLDER PREVIEW_FOLDER
"""
import os
import re
import sys

import numpy as np
from PIL import Image

import dds
import map_layout
import preview

SCREEN = map_layout.SCREEN
BUTTONS = [("MAPBTNNEXT", 0.759765625), ("MAPBTNMENU", 0.8248698115), ("MAPBTNTROPHIES", 0.892578125)]
BUTTON_X = 0.03662109375
BUTTON_FACE = (105, 43)
HALF_PIXEL = (1 / 2048, 0.000651041686)


class Data:
    """The data folder's textures by their names in the texture list, and its files."""

    def __init__(self, folder):
        self.folder = folder
        with open(os.path.join(folder, "textures.xml"), encoding="cp1251") as file:
            self.paths = dict(re.findall(r'<Texture Name="([^"]+)" Path="([^"]+)"', file.read()))
        self.cache = {}

    def texture(self, name):
        if name not in self.cache:
            path = os.path.join(self.folder, *self.paths[name].split("\\"))
            with open(path, "rb") as file:
                self.cache[name] = Image.fromarray(dds.decode(file.read()), "RGBA")
        return self.cache[name]

    def text(self, *parts):
        with open(os.path.join(self.folder, *parts), encoding="cp1251") as file:
            return file.read()


def draw(screen, texture, texels, corner, size):
    """An unfiltered sprite: texels (left, top, right, bottom) to size pixels from the game's corner (which sits
    half a pixel up and left of the pixel it fills)."""
    x, y = round(corner[0] + 0.5), round(corner[1] + 0.5)
    part = texture.crop(texels).resize((max(1, round(size[0])), max(1, round(size[1]))), Image.NEAREST)
    screen.alpha_composite(part, (x, y))


def positions(map_xml, name):
    """The Position of every GameObjects child called name, in file order, as fractions."""
    pattern = r'<GameObject Name="%s"><Position X="([^"]+)" Y="([^"]+)">' % name
    return [(float(x), float(y)) for x, y in re.findall(pattern, map_xml)]


def paths(map_xml):
    groups = re.findall(r'<GameObject Name="Group">(.*?)\n    </GameObject>', map_xml, re.S)
    return [positions(group, "Dot") for group in groups]


def background(data, name):
    screen = Image.new("RGBA", SCREEN, (0, 0, 0, 255))
    draw(screen, data.texture(name), (0, 0, 1024, 768), (-0.5, -0.5), SCREEN)
    return screen


def buttons(screen, data, shown, lit=()):
    for name, y in BUTTONS:
        if name in shown:
            top = BUTTON_FACE[1] if name in lit else 0
            corner = (BUTTON_X * SCREEN[0] - 0.5, y * SCREEN[1] - 0.5)
            draw(screen, data.texture(name), (0, top, BUTTON_FACE[0], top + BUTTON_FACE[1]), corner, (105, 42))


def pots(screen, data, corners, current, lit=None):
    """Pots 0 to current; the current one with the current faces, the others played."""
    for k, corner in enumerate(corners[:current + 1]):
        top = 0 if k == current else 64
        left = 64 if k == lit else 0
        draw(screen, data.texture("LEVELPOTS"), (left, top, left + 36, top + 64), corner, (36, 63))


def dots(screen, data, all_paths, current):
    counts = map_layout.GAME_STRETCHES
    shown = sum(counts[:min(current, len(counts))])
    for path in all_paths[:shown]:
        for corner in map_layout.game_dots(path):
            draw(screen, data.texture("DOT"), (0, 0, 5, 5), corner, (5, 4))


def star(screen, data, pot_corner, spin):
    """The trophy star over a pot, turned so that it shows spin of its width."""
    width = max(1, round(25 * abs(spin)))
    centre_x = np.trunc(12.5 + pot_corner[0] + 0.005392968654632568 * SCREEN[0]) - 0.5
    centre_y = np.trunc(16 + pot_corner[1] - 0.03515625 * SCREEN[1]) - 0.5
    draw(screen, data.texture("STAR"), (0, 0, 25, 32), (centre_x - width / 2, centre_y - 16), (width, 32))


def text(screen, data, line, left, top, cell, spacing, colour):
    """A line in the game's font: each glyph its width of a cell, then spacing - 1 of a cell before the next."""
    table = preview.read_table(os.path.join(data.folder, "Res", "font.xml"))
    font = data.texture("FONT")
    x = left
    for character in line:
        preview.draw_text(screen, font, table, character, x, top, cell[0], cell[1], colour)
        x += cell[0] * (table.get(ord(character), (0, 1.0))[1] + spacing - 1)


def pot_tooltip(screen, data, mouse, line):
    """The pots' tooltip as the game lays it out: eight cells wide whatever the text, the text centred."""
    cell, spacing, margins = (0.014, 0.03125), 1.12, (0.009765625, 0.0052083)
    box_width = cell[0] * ((spacing - 1) * 7 + 8) + 2 * margins[0]
    box_height = cell[1] + 2 * margins[1]
    left, top = mouse[0] - 0.0545656234, mouse[1] + 0.04333
    draw(screen, data.texture("TOOLTIP"), (0, 0, 128, 32), (left * SCREEN[0], top * SCREEN[1]),
         (box_width * SCREEN[0], box_height * SCREEN[1]))
    table = preview.read_table(os.path.join(data.folder, "Res", "font.xml"))
    glyphs = sum(table.get(ord(c), (0, 1.0))[1] for c in line)
    width = cell[0] * (glyphs + (spacing - 1) * (len(line) - 1))
    text_left = left + margins[0] + (box_width - 2 * margins[0] - width) / 2
    text(screen, data, line, text_left, top + margins[1], cell, spacing, (10, 10, 10, 255))


def trainer(screen, data, script):
    """The teacher, his words and the arrow of a map trainer script, fully faded in."""
    values = dict(re.findall(r'Type="VGLevelTrainerCommandShow(\w+)"([^>]*)>', script))
    teacher = dict(re.findall(r'(\w+)="([^"]*)"', values["Teacher"]))
    tip = dict(re.findall(r'(\w+)="([^"]*)"', values["ToolTip"]))["Text"]
    arrow = dict(re.findall(r'(\w+)="([^"]*)"', values["Arrow"]))
    tx, ty = float(teacher["X"]), float(teacher["Y"])
    draw(screen, data.texture("TEACHER"), (0, 0, 100, 100), (tx * SCREEN[0] - 0.5, ty * SCREEN[1] - 0.5), (100, 99))
    table = preview.read_table(os.path.join(data.folder, "Res", "font.xml"))
    glyphs = sum(table.get(ord(c), (0, 1.0))[1] for c in tip)
    cell, spacing = (0.017, 0.0349027), 1.12
    width = cell[0] * (glyphs + (spacing - 1) * (len(tip) - 1)) + 0.05
    height = cell[1] + 0.010908025 + 0.01
    left, top = tx + 0.082, ty
    draw(screen, data.texture("TRAINERTOOLTIP"), (0, 0, 412, 105), (left * SCREEN[0], top * SCREEN[1]),
         (width * SCREEN[0], height * SCREEN[1]))
    text(screen, data, tip, left + 0.04, top + 0.010908025, cell, spacing, (37, 43, 1, 255))
    draw(screen, data.texture("ARROWANIM"), (0, 0, 64, 128),
         (float(arrow["X"]) * SCREEN[0], float(arrow["Y"]) * SCREEN[1]), (64, 0.08 * SCREEN[1]))


def main_face(data, current, trophies=(), hovered=None, show_tooltip=False):
    map_xml = data.text("Levels", "map.xml")
    corners = [map_layout.game_pot_corner(p) for p in positions(map_xml, "Quessa1")]
    corners += [(x - 0.5, y - 0.5) for x, y in map_layout.POTS[len(corners):]]   # the pots still to come
    screen = background(data, "MAP")
    dots(screen, data, paths(map_xml), current)
    for k, spin in trophies:
        star(screen, data, corners[k], spin)
    pots(screen, data, corners, min(current, len(corners) - 1), hovered)
    buttons(screen, data, [name for name, _ in BUTTONS], lit=("MAPBTNNEXT",) if hovered is None else ())
    if show_tooltip and hovered is not None:
        x, y = corners[hovered]
        pot_tooltip(screen, data, ((x + 20) / SCREEN[0], (y + 30) / SCREEN[1]), "Replay 1-1")
    return screen


def trainer_face(data, script, current):
    screen = main_face(data, current)
    trainer(screen, data, data.text("Levels", script))
    return screen


def bonus_face(data, done=()):
    screen = background(data, "MAPBONUS")
    texture = data.texture("BONUSLEVELPOTS")
    cell = (0.14570312, 0.42578125)
    for k in range(map_layout.MAX_BONUS_POTS):
        if k in done:
            continue
        column, row = k % map_layout.BONUS_COLUMNS, k // map_layout.BONUS_COLUMNS
        left, top = column * cell[0] * texture.width, row * cell[1] * texture.height
        texels = (left, top, left + cell[0] * texture.width, top + cell[1] * texture.height)
        x, y = map_layout.bonus_corner(k)
        draw(screen, texture, tuple(round(v) for v in texels), (x * SCREEN[0] - 0.5, y * SCREEN[1] - 0.5),
             (0.14570312 * SCREEN[0], 0.28385416 * SCREEN[1]))
    buttons(screen, data, ["MAPBTNMENU", "MAPBTNTROPHIES"], lit=("MAPBTNMENU",))
    return screen


def write_previews(data_folder, folder):
    data = Data(data_folder)
    os.makedirs(folder, exist_ok=True)
    pictures = {
        "map-journey.png": main_face(data, 29, trophies=[(0, 1.0), (3, 0.6), (8, 1.0), (17, 0.3), (22, 0.9)],
                                     hovered=12, show_tooltip=True),
        "map-start.png": main_face(data, 0),
        "map-trainer-1.png": trainer_face(data, "map_trainer_1.xml", 0),
        "map-trainer-2.png": trainer_face(data, "map_trainer_2.xml", 1),
        "map-bonus.png": bonus_face(data, done=(2, 7)),
    }
    for name, picture in pictures.items():
        picture.convert("RGB").save(os.path.join(folder, name))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    write_previews(sys.argv[1], sys.argv[2])
