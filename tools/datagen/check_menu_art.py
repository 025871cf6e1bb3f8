"""Checks the menu's pictures in the data folder as the game and its screen tests use them.

Usage: check_menu_art.py reproducible DATA_FOLDER
           made again in a scratch folder: the same files byte for byte, none missing and none left over, each
           listed in textures.xml under its name, and config.xml sizing the player-change link as it is drawn
       check_menu_art.py keys DATA_FOLDER
           every key colour apart from every other picture's, and found flat in the face the game shows it in
"""
import filecmp
import os
import re
import sys
import tempfile

import numpy as np
from numpy.lib.stride_tricks import sliding_window_view

import buttons_art
import dds
import hud_art
import menu_art
import sprites_art

MENU_PATH = "Res\\menu\\"


# --- Made again -----------------------------------------------------------------------------------------

def remade_differences(folder, module=menu_art):
    """The module's pictures made again in a scratch folder against those in the folder."""
    with tempfile.TemporaryDirectory(prefix="art-again-") as scratch:
        module.main(scratch)
        made = set(os.listdir(scratch))
        present = set(os.listdir(folder)) if os.path.isdir(folder) else set()
        failures = ["%s: missing from %s" % (name, folder) for name in sorted(made - present)]
        failures += ["%s: in %s but not made by %s" % (name, folder, module.__name__)
                     for name in sorted(present - made)]
        failures += ["%s: not the same bytes when made again" % name for name in sorted(made & present)
                     if not filecmp.cmp(os.path.join(folder, name), os.path.join(scratch, name), shallow=False)]
    return failures


def texture_list_differences(data, module=menu_art, path=MENU_PATH):
    """The texture list's entries under the path against the module's pictures, and no name listed twice."""
    with open(os.path.join(data, "textures.xml"), encoding="cp1251") as file:
        entries = re.findall(r'<Texture Name="([^"]+)" Path="([^"]+)" MipLevels="1">', file.read())
    listed = {(name, where) for name, where in entries if where.startswith(path)}
    wanted = {(name, "Res\\" + file) for name, file, _ in module.SHEETS}
    names = [name for name, _ in entries]
    failures = ["textures.xml lacks %s at %s" % entry for entry in sorted(wanted - listed)]
    failures += ["textures.xml lists %s at %s, which %s does not make" % (*entry, module.__name__)
                 for entry in sorted(listed - wanted)]
    failures += ["textures.xml lists %s more than once" % name for name in sorted(set(names)) if names.count(name) > 1]
    return failures


def link_size_differences(data):
    with open(os.path.join(data, "config.xml"), encoding="cp1251") as file:
        found = re.findall(r'<ifthis width="([^"]*)" texwidth="([^"]*)">', file.read())
    wanted = (menu_art.IFTHIS_WIDTH, menu_art.IFTHIS_TEXWIDTH)
    if len(found) != 1 or tuple(float(value) for value in found[0]) != wanted:
        return ["config.xml's ifthis is %s, the link is drawn %s (width, texwidth)" % (found, wanted)]
    return []


def check_reproducible(data):
    return remade_differences(os.path.join(data, "Res", "menu")) + texture_list_differences(data) + \
        link_size_differences(data)


# --- Key colours ----------------------------------------------------------------------------------------

# Where the game shows each key: texture rectangles (left, top, right, bottom in fractions of the texture), as
# the menu's code draws its faces, narrowed to the documented patch for the large pictures.
FULL = 0.7412109375                       # the full-screen pictures' rectangle bottom
FORM_SIDE = (0.016, 0.2, 0.039, 0.88)     # a form's field down its left side, below the title


def rows(index, pitch, right):
    return 0.0, index * pitch, right, (index + 1) * pitch


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
TOLERANCE = 3
APART = 25                # beyond twice the screen tests' twelve levels


def other_keys():
    keys = {"buttons_art " + name: colour for name, colour in buttons_art.KEY_COLOURS.items()}
    keys["buttons_art PAUSE_LIT"] = tuple(int(round(value * 255)) for value in buttons_art.PAUSE_LIT)
    keys.update({"hud_art " + name: colour for name, colour in hud_art.KEY_COLOURS.items()})
    keys.update({"sprites_art " + name: colour for name, colour in sprites_art.KEY_COLOURS.items()})
    return keys


def too_close(keys, others):
    """Pairs of a menu key and any other key that one pixel could match within the screen tests' tolerance."""
    everything = {**others, **keys}
    names = sorted(keys)
    return [(a, b) for a in names for b in sorted(everything) if (b not in keys or a < b)
            and max(abs(p - q) for p, q in zip(everything[a], everything[b])) < APART]


def texels(data, texture):
    file = next(file for name, file, _ in menu_art.SHEETS if name == texture)
    with open(os.path.join(data, "Res", file.replace("\\", os.sep)), "rb") as stream:
        return dds.decode(stream.read())


def has_flat_patch(rgba, rect, colour, size):
    height, width = rgba.shape[:2]
    left, top, right, bottom = rect
    part = rgba[int(top * height):int(np.ceil(bottom * height)), int(left * width):int(np.ceil(right * width))]
    close = np.all(np.abs(part[..., :3].astype(int) - colour) <= TOLERANCE, axis=-1) & (part[..., 3] == 255)
    if close.shape[0] < size or close.shape[1] < size:
        return False
    return bool(sliding_window_view(close, (size, size)).all(axis=(-1, -2)).any())


def check_keys(data):
    menu_keys = menu_art.KEY_COLOURS
    failures = ["%s and %s: colours too alike" % pair for pair in too_close(menu_keys, other_keys())]
    textures = {name for name, _, _ in menu_art.SHEETS}
    failures += ["%s has no key colour" % name for name in sorted(textures - {k.split(":")[0] for k in menu_keys})]
    for name, colour in sorted(menu_keys.items()):
        if name not in FACES:
            failures.append("%s: no face to look for it in" % name)
        elif not has_flat_patch(texels(data, name.split(":")[0]), FACES[name], colour, PATCH.get(name, 3)):
            failures.append("%s: no flat patch of %s in its face %s" % (name, colour, FACES[name]))
    return failures


CHECKS = {"reproducible": check_reproducible, "keys": check_keys}


def run(arguments, checks, usage):
    """Runs the check the first argument names on the data folder the second gives; fails when anything is found."""
    if len(arguments) != 2 or arguments[0] not in checks:
        sys.exit(usage)
    failures = checks[arguments[0]](arguments[1])
    for failure in failures:
        print("FAIL", failure)
    print("%s: %d failures" % (arguments[0], len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    run(sys.argv[1:], CHECKS, __doc__)
