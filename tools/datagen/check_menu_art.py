"""Checks the menu's pictures in the data folder as the game and its screen tests use them.

Usage: check_menu_art.py reproducible DATA_FOLDER
           made again in a scratch folder: the same files byte for byte, none missing and none left over, each
           listed in textures.xml under its name, and config.xml sizing the player-change link as it is drawn
       check_menu_art.py keys DATA_FOLDER
           every key colour apart from every other picture's, and found flat in the face the game shows it in
"""
import os
import re
import sys

import menu_art
from art_checks import flat_patch, key_colour_failures, remade_differences, rows, run, texture_list_differences

MENU_PATH = "Res\\menu\\"


# --- Made again -----------------------------------------------------------------------------------------

def link_size_differences(data):
    with open(os.path.join(data, "config.xml"), encoding="cp1251") as file:
        found = re.findall(r'<ifthis width="([^"]*)" texwidth="([^"]*)">', file.read())
    wanted = (menu_art.IFTHIS_WIDTH, menu_art.IFTHIS_TEXWIDTH)
    if len(found) != 1 or tuple(float(value) for value in found[0]) != wanted:
        return ["config.xml's ifthis is %s, the link is drawn %s (width, texwidth)" % (found, wanted)]
    return []


def check_reproducible(data):
    return remade_differences(os.path.join(data, "Res", "menu"), menu_art) + \
        texture_list_differences(data, menu_art, MENU_PATH) + link_size_differences(data)


# --- Key colours ----------------------------------------------------------------------------------------

# Where the game shows each key: texture rectangles (left, top, right, bottom in fractions of the texture), as
# the menu's code draws its faces, narrowed to the documented patch for the large pictures.
FULL = 0.7412109375                       # the full-screen pictures' rectangle bottom
FORM_SIDE = (0.016, 0.2, 0.039, 0.88)     # a form's field down its left side, below the title

PAIR_RECTS = {"OKBTN": (0.7421875, 0.703125), "CANBTN": (0.7421875, 0.703125), "DELBTN": (0.7421875, 0.703125),
              "CREDITBTN": (0.7421875, 0.703125), "CLEARBTN": (0.7421875, 0.703125), "BTNNEWUSER": (0.65625, 0.75),
              "BTNYES": (0.62890625, 0.640625), "BTNNO": (0.62890625, 0.640625)}

FACES = {
    "MENUBKG": (0.285, 0.4 * FULL, 0.305, 0.7 * FULL),
    "CREDITS": (0.21, 0.2 * FULL, 0.24, 0.8 * FULL),
    "SCOREBKG": (0.049 / 0.99, 0.2 / 0.99, 0.057 / 0.99, 0.8 / 0.99),
    "WHOAREYOU": FORM_SIDE, "NEWUSER": FORM_SIDE, "AREYOUSURE": FORM_SIDE, "SETTINGS": FORM_SIDE,
    "NOTAVAILABLE": (0.1, 0.1, 0.2, 0.45),
    "BONUSLEVELACTPASDIS:disabled": rows(0, 0.28125, 0.810546875),
    "BONUSLEVELACTPASDIS": rows(1, 0.28125, 0.810546875),
    "BONUSLEVELACTPASDIS:lit": rows(2, 0.28125, 0.810546875),
    "IFTHIS": rows(0, 0.46875, menu_art.IFTHIS_TEXWIDTH),
    "IFTHIS:lit": rows(1, 0.46875, menu_art.IFTHIS_TEXWIDTH),
    "TXTBOXBKG": (0.0, 0.0, 0.576171875, 1.0),
    "SCROLLPOINT": (0.0, 0.0, 1.0, 1.0),
    "TEXTBOXCURSOR": (0.0, 0.0, 0.5, 1.0),
    "SHUTTLE": (0.0, 0.0, 1.0, 1.0),
    "BALL": (0.0, 0.0, 1.0, 1.0),
    "CHECK": rows(0, 0.19921875, 0.703125),
    "CHECK:lit": rows(1, 0.19921875, 0.703125),
    "CHECK:tick": rows(2, 0.19921875, 0.703125),
}
FACES.update({strip + suffix: rows(index, 0.26953125, 0.78125)
              for strip in ("PLAYGAMEACTPAS", "SETTINGSACTPAS", "HIGHSCOREACTPAS", "EXITACTPAS")
              for index, suffix in enumerate(("", ":lit"))})
FACES.update({stem + state: (0.0, 0.0) + rect for stem, rect in PAIR_RECTS.items() for state in ("PAS", "ACT")})

# The link's letters are the only flat part of it, and bold letters of its size are three texels thick.
PATCH = {"IFTHIS": 2, "IFTHIS:lit": 2}


def check_keys(data):
    return key_colour_failures(os.path.join(data, "Res", "menu"), menu_art,
                               {name: [face] for name, face in FACES.items()}, flat_patch(3, PATCH))


CHECKS = {"reproducible": check_reproducible, "keys": check_keys}


if __name__ == "__main__":
    run(sys.argv[1:], CHECKS, __doc__)
