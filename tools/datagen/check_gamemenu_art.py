"""Checks the pause menu's pictures in the data folder as the game and its screen tests use them.

Usage: check_gamemenu_art.py reproducible DATA_FOLDER
           made again in a scratch folder: the same files byte for byte as in Res/gamemenu, none missing and none
           left over, each listed in textures.xml under its name
       check_gamemenu_art.py keys DATA_FOLDER
           every key colour apart from every other picture's and found flat in the face the game draws; the
           buttons standing on the opaque panel, and the level showing through the veil round it
"""
import os
import sys

import gamemenu_art
from art_checks import flat_patch, key_colour_failures, remade_differences, rows, run, texels, \
    texture_list_differences

GAMEMENU_PATH = "Res\\gamemenu\\"
SCREEN = (1024, 768)


def gamemenu_folder(data):
    return os.path.join(data, "Res", "gamemenu")


# --- Made again -----------------------------------------------------------------------------------------

def check_reproducible(data):
    return remade_differences(gamemenu_folder(data), gamemenu_art) + \
        texture_list_differences(data, gamemenu_art, GAMEMENU_PATH)


# --- Key colours ----------------------------------------------------------------------------------------

# Where the game shows each key, as texture rectangles (left, top, right, bottom in fractions of the texture): the
# crest's facet for the veil, which the game stretches 759 rows over the screen's 768; each button's idle face,
# then its lit one, 0.999 of the width and 0.373046875 of the height each.
FULL = 0.7412109375
FACES = {"GAMEMENU": (0.493, 0.16 * FULL, 0.507, 0.177 * FULL)}
FACES.update({name + suffix: rows(index, 0.373046875, 0.999) for name, _, _ in gamemenu_art.BUTTONS
              for index, suffix in enumerate(("", ":lit"))})
# A button's rows are squeezed to half on the screen: six texels a side make six by three pixels there.
PATCH = {name: 6 for name in FACES if name != "GAMEMENU"}

# The veil's alpha where only the level is behind it: its corners and the middles of its edges. Below the lower
# bound the level would hardly dim; above the upper one it could not be seen.
VEIL_SAMPLES = [(0.01, 0.01), (0.5, 0.01), (0.99, 0.01), (0.01, 0.5), (0.99, 0.5), (0.01, 0.99), (0.5, 0.99),
                (0.99, 0.99)]
VEIL_ALPHA = (90, 215)


def layout_failures(data):
    """The veil's texels under each button must be opaque panel, and those round the panel part see-through."""
    veil = texels(gamemenu_folder(data), gamemenu_art, "GAMEMENU")
    shown = (1024, 759)                 # the texels that cover the screen
    width, height = gamemenu_art.BUTTON_PIXELS
    failures = []
    for name, _, (x, y) in gamemenu_art.BUTTONS:
        left, top = x * shown[0], y * shown[1]
        under = veil[int(top):int(top + height * shown[1] / SCREEN[1]) + 1, int(left):int(left + width) + 1, 3]
        if under.min() < 255:
            failures.append("%s stands partly off the panel: alpha %d under it" % (name, under.min()))
    for x, y in VEIL_SAMPLES:
        alpha = veil[int(y * (shown[1] - 1)), int(x * (shown[0] - 1)), 3]
        if not VEIL_ALPHA[0] <= alpha <= VEIL_ALPHA[1]:
            failures.append("the veil's alpha at %s is %d, not within %s" % ((x, y), alpha, VEIL_ALPHA))
    return failures


def check_keys(data):
    return key_colour_failures(gamemenu_folder(data), gamemenu_art, {name: [face] for name, face in FACES.items()},
                               flat_patch(3, PATCH)) + layout_failures(data)


CHECKS = {"reproducible": check_reproducible, "keys": check_keys}


if __name__ == "__main__":
    run(sys.argv[1:], CHECKS, __doc__)
