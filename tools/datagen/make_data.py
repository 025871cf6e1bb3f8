"""Makes every picture of the game's data set, the font texture and its glyph table.

Run through tools/make-data.sh; the output is the same, byte for byte, at every run.
"""
import os
import sys

from PIL import Image

import dds
import font


def make_black(data):
    # The fader and the splash write their alpha into the first four texels of level 0: exactly one row of four.
    dds.write(os.path.join(data, "Res", "black.dds"), Image.new("RGBA", (4, 1), (0, 0, 0, 255)), "argb")


def make_font(data):
    # Anti-aliased coverage survives block compression well: a quarter of the size, no visible change.
    texture = font.make_font(os.path.join(data, "Res", "font.xml"))
    dds.write(os.path.join(data, "Res", "font.dds"), texture, "dxt5")


STEPS = [make_black, make_font]


def main(arguments):
    if len(arguments) != 2:
        sys.exit("usage: make_data.py DATA_FOLDER")
    data = arguments[1]
    for folder in ("Res", "Loading", "splash"):
        os.makedirs(os.path.join(data, folder), exist_ok=True)
    for step in STEPS:
        step(data)


if __name__ == "__main__":
    main(sys.argv)
