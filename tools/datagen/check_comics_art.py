"""Checks the comics' pictures and files in the data folder as the game uses them.

Usage: check_comics_art.py reproducible DATA_FOLDER
           made again in a scratch folder: the same files byte for byte as in Res/comics, none missing and none
           left over, each listed in textures.xml under its name; the pack and the comics files under Levels the
           same as comics_art writes them, and no comics file left over
       check_comics_art.py keys DATA_FOLDER
           every key colour apart from every other picture's, and found flat in the part of its texture the game
           draws
"""
import glob
import importlib
import os
import sys

import check_menu_art
import comics_art
import dds
from check_menu_art import has_flat_patch, remade_differences, run, too_close

COMICS_PATH = "Res\\comics\\"
HERE = os.path.dirname(os.path.abspath(__file__))


# --- Made again -----------------------------------------------------------------------------------------

def comics_file_differences(data):
    wanted = comics_art.comics_files(comics_art.level_names(data))
    present = {os.path.basename(path) for path in glob.glob(os.path.join(data, "Levels", "comics*.xml"))}
    failures = ["Levels/%s: missing" % name for name in sorted(set(wanted) - present)]
    failures += ["Levels/%s: not made by comics_art" % name for name in sorted(present - set(wanted))]
    for name in sorted(set(wanted) & present):
        with open(os.path.join(data, "Levels", name), encoding="cp1251", newline="") as file:
            if file.read() != wanted[name]:
                failures.append("Levels/%s: not what comics_art writes" % name)
    return failures


def check_reproducible(data):
    return remade_differences(os.path.join(data, "Res", "comics"), comics_art) + \
        check_menu_art.texture_list_differences(data, comics_art, COMICS_PATH) + comics_file_differences(data)


# --- Key colours ----------------------------------------------------------------------------------------

# The texture rectangle (left, top, right, bottom) the game draws each key in: a panel's painted rows, the skip
# button's two faces.
FACES = {panel.texture: (0.0, 0.0, 1.0, comics_art.PANEL_BOTTOM) for panel in comics_art.PANELS}
FACES.update({"SKIPBTNACTPAS": (0.0, 0.0, 1.0, 0.4375), "SKIPBTNACTPAS:lit": (0.0, 0.4375, 1.0, 0.875)})
PATCH = 3


def other_keys():
    """Every other picture program's keys: all the *_art modules beside this one."""
    keys = {}
    for path in sorted(glob.glob(os.path.join(HERE, "*_art.py"))):
        name = os.path.basename(path)[:-3]
        if name != "comics_art":
            colours = getattr(importlib.import_module(name), "KEY_COLOURS", {})
            keys.update({"%s %s" % (name, texture): colour for texture, colour in colours.items()})
    keys["buttons_art PAUSE_LIT"] = check_menu_art.other_keys()["buttons_art PAUSE_LIT"]
    return keys


def texels(data, texture):
    file = next(file for name, file, _ in comics_art.SHEETS if name == texture)
    with open(os.path.join(data, "Res", file.replace("\\", os.sep)), "rb") as stream:
        return dds.decode(stream.read())


def check_keys(data):
    keys = comics_art.KEY_COLOURS
    failures = ["%s and %s: colours too alike" % pair for pair in too_close(keys, other_keys())]
    textures = {name for name, _, _ in comics_art.SHEETS}
    failures += ["%s has no key colour" % name for name in sorted(textures - {k.split(":")[0] for k in keys})]
    for name, colour in sorted(keys.items()):
        if name not in FACES:
            failures.append("%s: no face to look for it in" % name)
        elif not has_flat_patch(texels(data, name.split(":")[0]), FACES[name], colour, PATCH):
            failures.append("%s: no flat patch of %s in its face %s" % (name, colour, FACES[name]))
    return failures


CHECKS = {"reproducible": check_reproducible, "keys": check_keys}


if __name__ == "__main__":
    run(sys.argv[1:], CHECKS, __doc__)
