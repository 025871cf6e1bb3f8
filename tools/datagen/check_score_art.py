"""Checks the score screen's pictures in the data folder as the game uses them.

Usage: check_score_art.py reproducible DATA_FOLDER
           made again in a scratch folder: the same files byte for byte as in Res/score, none missing and none
           left over
       check_score_art.py keys DATA_FOLDER
           every key colour apart from every other picture's, and found flat in the face the game draws
"""
import glob
import importlib
import math
import os
import sys

import numpy as np
from numpy.lib.stride_tricks import sliding_window_view

import check_menu_art
import dds
import score_art
from check_menu_art import TOLERANCE, too_close

HERE = os.path.dirname(os.path.abspath(__file__))


def score_folder(data):
    return os.path.join(data, "Res", "score")


# --- Made again -----------------------------------------------------------------------------------------

def check_reproducible(data):
    return check_menu_art.remade_differences(score_folder(data), score_art)


# --- Key colours ----------------------------------------------------------------------------------------

# What the score screen draws of each texture: its texture rectangle's right and bottom (from the top-left
# corner), and its size on the screen in fractions of it.
FACES = {
    "PROGBAR2": ((1.0, 1.0), (0.633, 0.05)),
    "PROGBAR1": ((1.0, 1.0), (0.633, 0.05)),
    "SCORESTAFFPAS": ((0.640625, 0.841796875), (0.080078125, 0.5611979365)),
    "SCORESTAFFACT": ((0.640625, 0.841796875), (0.080078125, 0.5611979365)),
    "SCORELIFESTAFF": ((1.0, 1.0), (0.03125, 0.6666666865)),
    "SCORENEXTPAS": ((0.999, 0.6171875), (0.125, 0.1015625)),
    "SCORENEXTACT": ((0.999, 0.6171875), (0.125, 0.1015625)),
    "SCOREYOUDONT": ((1.0, 1.0), (0.677734375, 0.6575521231)),
    "SCORELINE": ((0.8359375, 0.25), (0.5, 0.0013020834)),
}
SCREEN = (1024, 768)
PATCH_PIXELS = 3          # a key must cover this many screen pixels each way, where the face is that large


def other_keys():
    """Every other picture program's keys: all the *_art modules beside this one."""
    keys = {}
    for path in sorted(glob.glob(os.path.join(HERE, "*_art.py"))):
        name = os.path.basename(path)[:-3]
        if name != "score_art":
            colours = getattr(importlib.import_module(name), "KEY_COLOURS", {})
            keys.update({"%s %s" % (name, texture): colour for texture, colour in colours.items()})
    return keys


def face_and_patch(texture_size, name):
    """The face's texels (width, height) and the patch, in texels, that covers PATCH_PIXELS on the screen."""
    rect, size = FACES[name]
    face = [round(rect[k] * texture_size[k]) for k in (0, 1)]
    per_pixel = [face[k] / (size[k] * SCREEN[k]) for k in (0, 1)]
    return face, [min(face[k], math.ceil(PATCH_PIXELS * per_pixel[k])) for k in (0, 1)]


def has_flat_patch(rgba, name, colour):
    height, width = rgba.shape[:2]
    (right, bottom), (across, down) = face_and_patch((width, height), name)
    part = rgba[:bottom, :right]
    close = np.all(np.abs(part[..., :3].astype(int) - colour) <= TOLERANCE, axis=-1) & (part[..., 3] == 255)
    return bool(sliding_window_view(close, (down, across)).all(axis=(-1, -2)).any())


def texels(data, name):
    with open(os.path.join(score_folder(data), name.lower() + ".dds"), "rb") as stream:
        return dds.decode(stream.read())


def check_keys(data):
    keys = score_art.KEY_COLOURS
    failures = ["%s and %s: colours too alike" % pair for pair in too_close(keys, other_keys())]
    textures = {name for name, _, _ in score_art.SHEETS}
    failures += ["%s has no key colour" % name for name in sorted(textures - set(keys))]
    for name, colour in sorted(keys.items()):
        if name not in FACES:
            failures.append("%s: no face to look for it in" % name)
        elif not has_flat_patch(texels(data, name), name, colour):
            failures.append("%s: no flat patch of %s in the face the game draws" % (name, colour))
    return failures


CHECKS = {"reproducible": check_reproducible, "keys": check_keys}


if __name__ == "__main__":
    check_menu_art.run(sys.argv[1:], CHECKS, __doc__)
