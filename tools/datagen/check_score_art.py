"""Checks the score screen's pictures in the data folder as the game uses them.

Usage: check_score_art.py reproducible DATA_FOLDER
           made again in a scratch folder: the same files byte for byte as in Res/score, none missing and none
           left over
       check_score_art.py keys DATA_FOLDER
           every key colour apart from every other picture's, and found flat in the face the game draws
"""
import math
import os
import sys

import numpy as np
from numpy.lib.stride_tricks import sliding_window_view

import score_art
from art_checks import TOLERANCE, key_colour_failures, remade_differences, run


def score_folder(data):
    return os.path.join(data, "Res", "score")


# --- Made again -----------------------------------------------------------------------------------------

def check_reproducible(data):
    return remade_differences(score_folder(data), score_art)


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


def face_and_patch(texture_size, face):
    """The face's texels (width, height) and the patch, in texels, that covers PATCH_PIXELS on the screen."""
    rect, size = face
    extent = [round(rect[k] * texture_size[k]) for k in (0, 1)]
    per_pixel = [extent[k] / (size[k] * SCREEN[k]) for k in (0, 1)]
    return extent, [min(extent[k], math.ceil(PATCH_PIXELS * per_pixel[k])) for k in (0, 1)]


def missing_in_face(name, colour, rgba, face):
    """The score screen stretches its faces, so the patch is what covers PATCH_PIXELS on the screen, not a square
    of texels."""
    height, width = rgba.shape[:2]
    (right, bottom), (across, down) = face_and_patch((width, height), face)
    part = rgba[:bottom, :right]
    close = np.all(np.abs(part[..., :3].astype(int) - colour) <= TOLERANCE, axis=-1) & (part[..., 3] == 255)
    if sliding_window_view(close, (down, across)).all(axis=(-1, -2)).any():
        return []
    return ["%s: no flat patch of %s in the face the game draws" % (name, colour)]


def check_keys(data):
    return key_colour_failures(score_folder(data), score_art, {name: [face] for name, face in FACES.items()},
                               missing_in_face)


CHECKS = {"reproducible": check_reproducible, "keys": check_keys}


if __name__ == "__main__":
    run(sys.argv[1:], CHECKS, __doc__)
