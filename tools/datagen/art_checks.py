"""What the picture checks share: making a module's pictures again to compare, its entries in the texture list, and
the scan for its key colours, the flat colours the screen tests look for to tell which picture the game drew."""
import filecmp
import glob
import importlib
import os
import re
import sys
import tempfile

import numpy as np
from numpy.lib.stride_tricks import sliding_window_view

import buttons_art
import dds

HERE = os.path.dirname(os.path.abspath(__file__))
TOLERANCE = 3
APART = 25                # beyond twice the screen tests' twelve levels


# --- Made again -----------------------------------------------------------------------------------------

def remade_differences(folder, module):
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


def texture_list_differences(data, module, path):
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


# --- Key colours ----------------------------------------------------------------------------------------

def rows(index, pitch, right):
    """The index-th of faces stacked down a texture, as a texture rectangle."""
    return 0.0, index * pitch, right, (index + 1) * pitch


def other_keys(module):
    """Every other picture module's keys, found by name so that a new module is held apart too."""
    keys = {}
    for path in sorted(glob.glob(os.path.join(HERE, "*_art.py"))):
        name = os.path.basename(path)[:-3]
        if name != module.__name__:
            colours = getattr(importlib.import_module(name), "KEY_COLOURS", {})
            keys.update({"%s %s" % (name, key): tuple(colour) for key, colour in colours.items()})
    # The Pause button's lit face is never looked for, but nothing may pass for it either.
    keys["buttons_art PAUSE_LIT"] = tuple(int(round(value * 255)) for value in buttons_art.PAUSE_LIT)
    return keys


def too_close(keys, others):
    """Pairs of a key and any other key that one pixel could match within the screen tests' tolerance."""
    everything = {**others, **keys}
    names = sorted(keys)
    return [(a, b) for a in names for b in sorted(everything) if (b not in keys or a < b)
            and max(abs(p - q) for p, q in zip(everything[a], everything[b])) < APART]


def texels(folder, module, texture):
    """A texture of the module's, decoded from the folder its pictures are in."""
    file = next(file for name, file, _ in module.SHEETS if name == texture)
    with open(os.path.join(folder, file.rsplit("\\", 1)[-1]), "rb") as stream:
        return dds.decode(stream.read())


def has_flat_patch(rgba, rect, colour, size):
    height, width = rgba.shape[:2]
    left, top, right, bottom = rect
    part = rgba[int(top * height):int(np.ceil(bottom * height)), int(left * width):int(np.ceil(right * width))]
    close = np.all(np.abs(part[..., :3].astype(int) - colour) <= TOLERANCE, axis=-1) & (part[..., 3] == 255)
    if close.shape[0] < size or close.shape[1] < size:
        return False
    return bool(sliding_window_view(close, (size, size)).all(axis=(-1, -2)).any())


def flat_patch(size, sizes=None, where="its face %s"):
    """The look most keys want: a square of the key, size texels a side unless sizes names the key, flat and opaque
    somewhere in a face given as a texture rectangle."""
    def missing(name, colour, rgba, face):
        if has_flat_patch(rgba, face, colour, (sizes or {}).get(name, size)):
            return []
        return ["%s: no flat patch of %s in %s" % (name, colour, where % (face,))]
    return missing


def key_colour_failures(folder, module, faces, missing):
    """All that is wrong with a module's key colours: one too like another picture's, a texture with none, a key
    with no face to look in, and what missing(name, colour, rgba, face) finds wrong in each of its faces.

    A key named "TEXTURE:state" is one of the texture's faces; faces maps each key to the faces to look in."""
    keys = module.KEY_COLOURS
    failures = ["%s and %s: colours too alike" % pair for pair in too_close(keys, other_keys(module))]
    textures = {name for name, _, _ in module.SHEETS}
    failures += ["%s has no key colour" % name for name in sorted(textures - {key.split(":")[0] for key in keys})]
    pictures = {}
    for name, colour in sorted(keys.items()):
        if not faces.get(name):
            failures.append("%s: no face to look for it in" % name)
            continue
        texture = name.split(":")[0]
        if texture not in pictures:
            pictures[texture] = texels(folder, module, texture)
        for face in faces[name]:
            failures += missing(name, colour, pictures[texture], face)
    return failures


def report(failures, label):
    """Prints what was found and ends the program, failing when anything was."""
    for failure in failures:
        print("FAIL", failure)
    print("%s: %d failures" % (label, len(failures)))
    sys.exit(1 if failures else 0)


def run(arguments, checks, usage):
    """Runs the check the first argument names on the data folder the second gives; fails when anything is found."""
    if len(arguments) != 2 or arguments[0] not in checks:
        sys.exit(usage)
    report(checks[arguments[0]](arguments[1]), arguments[0])
