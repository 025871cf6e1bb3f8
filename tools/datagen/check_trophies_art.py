"""Checks the trophies screen's pictures and descriptions as the game and its screen tests use them.

Usage: check_trophies_art.py FOLDER [DESCRIPTIONS]
    FOLDER (data/Res/trophies): made again in a scratch folder, the same files byte for byte, none missing and none
    left over; every key colour apart from every other picture's; each key flat over its whole patch in every face
    the game shows, and nothing the screen draws lying over it.
    DESCRIPTIONS (data/Res/trophies.xml): the same bytes as written again, and read back as the game reads it.
"""
import filecmp
import os
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

import numpy as np

import trophies_art
from art_checks import TOLERANCE, key_colour_failures, remade_differences, report


# --- Made again -----------------------------------------------------------------------------------------

def description_differences(path):
    with tempfile.TemporaryDirectory(prefix="trophies-text-") as scratch:
        os.makedirs(os.path.join(scratch, "Res"))
        trophies_art.write_descriptions(scratch)
        fresh = os.path.join(scratch, "Res", "trophies.xml")
        failures = [] if filecmp.cmp(path, fresh, shallow=False) else ["%s: not the same bytes when written again"
                                                                       % path]
    root = ElementTree.parse(path).getroot()
    names = [child.get("Name") for child in root]
    if root.tag != "Trophies" or len(names) != len(trophies_art.DESCRIPTIONS):
        failures.append("%s reads back as %d %s, not %d Trophies" % (path, len(names), root.tag,
                                                                    len(trophies_art.DESCRIPTIONS)))
    failures += ['%s: trophy %d reads back as "%s", not "%s"' % (path, index, name, text) for index, (name, text)
                 in enumerate(zip(names, trophies_art.DESCRIPTIONS)) if name != text]
    return failures


# The guard that keeps a description the screen cannot show out of the file: each case is the descriptions
# handed to it and a word its complaint must hold.
GUARD_CASES = [
    (["Level 1: " + "x" * 50], "characters"),
    (["Level 1: the \u03a9 gate"], "windows-1251"),
    (["Level 1: " + "W" * 40], "OK button"),
    (trophies_art.DESCRIPTIONS[:-1], "29 descriptions"),
]


def guard_failures():
    failures = []
    for descriptions, word in GUARD_CASES:
        complaints = " ".join(trophies_art.description_faults(descriptions))
        if word not in complaints:
            failures.append("descriptions %r: no complaint about %s, got %r" % (descriptions[:1], word, complaints))
    if trophies_art.description_faults(trophies_art.DESCRIPTIONS):
        failures.append("the game's own descriptions: %s" % trophies_art.description_faults(trophies_art.DESCRIPTIONS))
    return failures


# --- Key colours ----------------------------------------------------------------------------------------

def cells(columns, rows, count, width, height):
    """Texture rectangles of a sheet's cells as the game computes them, in fractions of the texture."""
    return [((i % columns) * width, (i // columns) * height, (i % columns + 1) * width, (i // columns + 1) * height)
            for i in range(count)]


# The faces the game shows of each texture (left, top, right, bottom in fractions of the texture), as the
# trophies screen's code sets them, and where each face's top-left pixel lands on the screen.
SET_RECT = (0.0, 0.0, 0.7578125, 0.6269531)
OVERLAY_RECT = (0.0, 0.0, 0.6875, 0.6503906)
FACES = {
    "TROPHIES": [(0.0, 0.0, 1.0, 0.75)],
    "TROPHIESSET": cells(6, 5, 30, 0.1240234375, 0.1142578125),
    "TROPHIESETBIG1": cells(4, 4, 15, 0.25, 0.2314453125),
    "TROPHIESETBIG2": cells(4, 4, 15, 0.25, 0.2314453125),
    "TROPHIEBIG1": [SET_RECT], "TROPHIEBIG2": [SET_RECT],
    "WOW": [OVERLAY_RECT], "TROPHIEBIGBACKGROUND": [OVERLAY_RECT],
}


def texel_box(rect, size):
    left, top, right, bottom = rect
    return round(left * size[0]), round(top * size[1]), round(right * size[0]), round(bottom * size[1])


def patch_failures(name, colour, rgba, face):
    """The key's patch must lie inside the face and hold the key, opaque, all over."""
    size = (rgba.shape[1], rgba.shape[0])
    left, top, right, bottom = trophies_art.KEY_PATCHES[name]
    face_left, face_top, face_right, face_bottom = texel_box(face, size)
    if right > face_right - face_left or bottom > face_bottom - face_top or min(left, top) < 0 or \
            right <= left or bottom <= top:
        return ["%s: patch %s outside its face %s" % (name, trophies_art.KEY_PATCHES[name], face)]
    part = rgba[face_top + top:face_top + bottom, face_left + left:face_left + right].astype(int)
    off = ~(np.all(np.abs(part[..., :3] - np.array(colour)) <= TOLERANCE, axis=-1) & (part[..., 3] == 255))
    if not off.any():
        return []
    rows, columns = np.nonzero(off)
    return ["%s: %d texels of the patch in face %s are not %s (first at %d, %d)"
            % (name, off.sum(), face, tuple(colour), left + columns[0], top + rows[0])]


def screen_box(corner, size):
    return corner[0], corner[1], corner[0] + size[0], corner[1] + size[1]


def drawn_over():
    """What the screen draws over the background and over the plate: the patches there must stay clear of it."""
    text_bottom = (trophies_art.DESCRIPTION["y"] + trophies_art.DESCRIPTION["char_height"]) * 768
    over_background = [screen_box(trophies_art.cell_corner(i), trophies_art.CELL) for i in range(30)]
    over_background += [screen_box((trophies_art.SET_TROPHY_LEFT, top), trophies_art.SET_TROPHY)
                        for top in trophies_art.SET_TROPHY_TOPS]
    over_background += [trophies_art.OK_BOX, (trophies_art.DESCRIPTION["x"] * 1024, trophies_art.DESCRIPTION["y"] * 768,
                                              1024, text_bottom)]
    return {"TROPHIES": ((0, 0), over_background),
            "TROPHIEBIGBACKGROUND": (trophies_art.OVERLAY_CORNER,
                                     [screen_box(trophies_art.ENLARGED_CORNER, trophies_art.BIG_CELL)])}


def overlaps(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def covered_failures():
    failures = []
    for name, (corner, boxes) in drawn_over().items():
        left, top, right, bottom = trophies_art.KEY_PATCHES[name]
        seen = (corner[0] + left, corner[1] + top, corner[0] + right, corner[1] + bottom)
        failures += ["%s: patch at %s on the screen lies under %s" % (name, seen, box) for box in boxes
                     if overlaps(seen, box)]
    return failures


def check_keys(folder):
    return key_colour_failures(folder, trophies_art, FACES, patch_failures) + covered_failures()


def main(arguments):
    if len(arguments) not in (1, 2):
        sys.exit(__doc__)
    failures = remade_differences(arguments[0], trophies_art) + check_keys(arguments[0]) + guard_failures()
    if len(arguments) == 2:
        failures += description_differences(arguments[1])
    report(failures, "trophies")


if __name__ == "__main__":
    main(sys.argv[1:])
