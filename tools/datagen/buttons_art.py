"""The in-level buttons at the screen's left edge: Menu, and Pause with its mouse-over face in the same texture.

A button is a rounded plate of violet stone in a gold rim with a gold caption; under the mouse the plate
brightens and the rim takes a teal glow. The game shows about 104 by 33 texels of each face, so the plate keeps
two texels clear all round for that glow and for the filtering at the face's edges.

The plate's middle is one flat key colour on each side of the caption, different for every texture, so that a
look at the drawn screen tells which button sits where and whether it is lit.
"""
import os
import sys

import numpy as np

import art
from objects_art import WHITE, Layer, edge
from trainer_art import rounded_outline
from world_art import fade_beyond, single


def key(r, g, b):
    return np.array([r, g, b], dtype=np.float32) / 255.0


KEY_COLOURS = {
    "MENUPAS": (92, 58, 150),
    "MENUACT": (150, 112, 214),
    "PAUSEACTPAS": (118, 50, 124),
}
# The Pause button's lit face is never looked for on the screen, but it must not pass for the lit Menu button.
PAUSE_LIT = key(176, 104, 190)

MARGIN = 2
CAPTION_SIZE = 21


def centred_caption(width, height, text, box):
    """The caption's coverage with its inked glyphs (not the font's line box) centred in the box on whole
    texels, so that the strokes stay crisp at this size."""
    left, top, right, bottom = box
    mask = art.text_mask(width, height, text, art.SANS_BOLD, CAPTION_SIZE, (width / 2, height / 2))
    rows = np.nonzero(mask.max(axis=1) > 0.1)[0]
    cols = np.nonzero(mask.max(axis=0) > 0.1)[0]
    dy = int(round((top + bottom) / 2 - (rows[0] + rows[-1] + 1) / 2))
    dx = int(round((left + right) / 2 - (cols[0] + cols[-1] + 1) / 2))
    return np.roll(np.roll(mask, dy, axis=0), dx, axis=1)


def button_face(layer, text, left, top, width, height, fill, lit):
    """One button face in the box of texels from (left, top), width by height, the plate inside the margin."""
    size_x, size_y = layer.width, layer.height
    x, y = art.grid(size_x, size_y)
    plate_box = (left + MARGIN, top + MARGIN, left + width - MARGIN, top + height - MARGIN)
    plate = art.polygon_mask(size_x, size_y, rounded_outline(*plate_box, 8))
    inner = 1.0 - art.grow(1.0 - plate, 2)
    # Keeps halos inside this face: the other face of a shared texture starts on the next row.
    window = np.clip(x - left + 0.5, 0, 1) * np.clip(left + width - x + 0.5, 0, 1) \
        * np.clip(y - top + 0.5, 0, 1) * np.clip(top + height - y + 0.5, 0, 1)

    if lit:
        layer.glow(art.TEAL_LIGHT * 0.4 + art.TEAL * 0.6, art.blur(art.grow(plate, 2), 1.5) * window)
    layer.paint(art.INK, art.grow(plate, 1) * window * 0.9)

    # The rim: gold, lit along the top; under the mouse it turns to teal light.
    rim_colour, rim_light, rim_deep = (art.TEAL, art.TEAL_LIGHT, art.TEAL * 0.6 + art.INDIGO * 0.2) if lit \
        else (art.GOLD, art.GOLD_LIGHT, art.GOLD_DEEP)
    layer.paint(rim_colour, plate)
    layer.paint(rim_deep, edge(plate, 0, -2) * (1 - inner) * 0.8)
    layer.paint(rim_light, edge(plate, 0, 2) * (1 - inner) * 0.8)

    # The stone: the flat key fill, a faint grain and bevels only close to the rim, where no one looks for it.
    rng = np.random.default_rng(41 + int(top) + (7 if lit else 0))
    grain = art.fractal_noise(size_x, size_y, 6, rng, stretch=2, octaves=2) - 0.5
    near_rim = np.clip(1.0 - art.blur(inner, 2) * 1.9, 0, 1) * inner
    layer.paint(fill, inner)
    layer.paint(np.clip(fill * (1.0 + 0.5 * grain[..., None]), 0, 1), near_rim * 0.8)
    layer.paint(np.clip(fill * 1.35 + WHITE * 0.08, 0, 1), edge(inner, 0, 2) * inner * 0.75)
    layer.paint(fill * 0.55 + art.INK * 0.3, edge(inner, 0, -2) * inner * 0.75)
    if lit:
        layer.shine(art.TEAL, near_rim * 0.35)
    layer.paint(art.INK * 0.7 + rim_deep * 0.3, (art.grow(inner, 1) - inner) * 0.7)

    # The caption: gold over an ink rim with a short drop shadow, brighter when lit.
    mask = centred_caption(size_x, size_y, text, plate_box)
    rows = np.nonzero(mask.max(axis=1) > 0.1)[0]
    shadow = np.zeros_like(mask)
    shadow[1:, 1:] = mask[:-1, :-1]
    if lit:
        layer.glow(art.AMBER, art.blur(art.grow(mask, 2), 2.5) * inner * 0.35)
    layer.paint(art.INK, art.blur(art.grow(shadow, 1), 0.8) * 0.7)
    layer.paint(art.INK, art.grow(mask, 1))
    t = np.clip((y - rows[0]) / max(1.0, rows[-1] - rows[0]), 0, 1)[..., None]
    top_colour, bottom_colour = (WHITE * 0.35 + art.GOLD_LIGHT * 0.65, art.GOLD) if lit \
        else (art.GOLD_LIGHT, art.GOLD * 0.85 + art.GOLD_DEEP * 0.15)
    layer.paint(top_colour * (1 - t) + bottom_colour * t, mask)


def menu_button(lit):
    layer = Layer(128, 64)
    button_face(layer, "Menu", 0, 0, 104, 33, key(*KEY_COLOURS["MENUACT" if lit else "MENUPAS"]), lit)
    fade_beyond(layer, right=104, bottom=33)
    return single(layer)


def menupas():
    return menu_button(False)


def menuact():
    return menu_button(True)


def pauseactpas():
    """The normal face in rows 0 to 37, the mouse-over face in rows 37 to 74."""
    layer = Layer(128, 128)
    button_face(layer, "Pause", 0, 0, 105, 37, key(*KEY_COLOURS["PAUSEACTPAS"]), False)
    button_face(layer, "Pause", 0, 37, 105, 37, PAUSE_LIT, True)
    fade_beyond(layer, right=105, bottom=74)
    return single(layer)


SHEETS = [
    ("MENUPAS", "menupas.dds", menupas),
    ("MENUACT", "menuact.dds", menuact),
    ("PAUSEACTPAS", "pauseactpas.dds", pauseactpas),
]


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: buttons_art.py PREVIEW_FOLDER")
    os.makedirs(sys.argv[1], exist_ok=True)
    for _, file, paint in SHEETS:
        paint().save(os.path.join(sys.argv[1], file.replace(".dds", ".png")))
