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
import os
import sys

import comics_art
from art_checks import flat_patch, key_colour_failures, remade_differences, run, texture_list_differences

COMICS_PATH = "Res\\comics\\"


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
        texture_list_differences(data, comics_art, COMICS_PATH) + comics_file_differences(data)


# --- Key colours ----------------------------------------------------------------------------------------

# The texture rectangle (left, top, right, bottom) the game draws each key in: a panel's painted rows, the skip
# button's two faces.
FACES = {panel.texture: (0.0, 0.0, 1.0, comics_art.PANEL_BOTTOM) for panel in comics_art.PANELS}
FACES.update({"SKIPBTNACTPAS": (0.0, 0.0, 1.0, 0.4375), "SKIPBTNACTPAS:lit": (0.0, 0.4375, 1.0, 0.875)})


def check_keys(data):
    return key_colour_failures(os.path.join(data, "Res", "comics"), comics_art,
                               {name: [face] for name, face in FACES.items()}, flat_patch(3))


CHECKS = {"reproducible": check_reproducible, "keys": check_keys}


if __name__ == "__main__":
    run(sys.argv[1:], CHECKS, __doc__)
