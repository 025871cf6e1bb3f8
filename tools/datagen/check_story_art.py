"""Checks the story's pictures and the intro file in the data folder as the game uses them.

Usage: check_story_art.py reproducible DATA_FOLDER
           made again in a scratch folder: the same files byte for byte, none missing and none left over, each
           listed in textures.xml under its name, and intro\\intro.xml as story_art writes it
       check_story_art.py keys DATA_FOLDER
           every key colour apart from every other picture's, and found flat in the part the game shows
       check_story_art.py preview DATA_FOLDER OUT_FOLDER
           the intro's pages with each caption, and the final cut-scene's frames, composed as the game draws them
"""
import os
import re
import sys
import tempfile

import numpy as np
from PIL import Image

import story_art
from art_checks import flat_patch, key_colour_failures, remade_differences, run, texels, texture_list_differences

STORY_PATH = "Res\\story\\"


def story_folder(data):
    return os.path.join(data, "Res", "story")


# --- Made again -----------------------------------------------------------------------------------------

def intro_differences(data):
    path = os.path.join(data, story_art.INTRO_FILE)
    if not os.path.isfile(path):
        return ["%s: missing" % path]
    with tempfile.TemporaryDirectory(prefix="intro-again-") as scratch:
        story_art.write_intro(scratch)
        with open(os.path.join(scratch, story_art.INTRO_FILE), "rb") as made, open(path, "rb") as present:
            same = made.read() == present.read()
    return [] if same else ["%s: not what story_art writes" % path]


def check_reproducible(data):
    return remade_differences(story_folder(data), story_art) + \
        texture_list_differences(data, story_art, STORY_PATH) + intro_differences(data)


# --- Key colours ----------------------------------------------------------------------------------------

PAGE = (0.0, 0.0, 1.0, 0.75)


def caption_face(index):
    width, height = story_art.CAPTION_PLATE
    top = index * story_art.CAPTION_PITCH
    texture_width, texture_height = story_art.CAPTION_TEXTURE
    return 0.0, top / texture_height, width / texture_width, (top + height) / texture_height


# Where the game shows each texture (left, top, right, bottom in fractions of it): the intro's page rectangle,
# the captions' strips, the final cut's sprite rectangles.
FACES = {name: PAGE for name, _, _ in story_art.INTRO_PAGES}
FACES.update({
    "FINALCUT": PAGE,
    "FINALCUT2": (0.0, 0.0, 1.0, story_art.LETTERBOX / 1024),
    "FINALTEXT": (0.0, 0.0, 1.0, 1.0),
    "FINALTEXT2": (0.0, 0.0, 0.705078125, 0.54296875),
    "FINALTEXT3": (0.0, 0.0, 0.66796875, 0.96875),
})


def check_keys(data):
    faces = {name: [face] for name, face in FACES.items()}
    faces["INTROTEXT"] = [caption_face(index) for index in range(len(story_art.captions()))]
    return key_colour_failures(story_folder(data), story_art, faces, flat_patch(3, where="%s"))


# --- Previews -------------------------------------------------------------------------------------------

SCREEN = story_art.SCREEN
# The final cut's sprites as the game places them: x, y, width, height on the screen, texture rectangle.
FINAL_SPRITES = {
    "FINALCUT": (0.0, 0.0, 0.99, 0.99, (0.0, 0.0, 1.0, 0.75)),
    "FINALTEXT": (0.25, 0.999, 0.5, 0.666667, (0.0, 0.0, 1.0, 1.0)),
    "FINALTEXT2": (0.26497397, 0.40950522, 0.47005209, 0.18098958, (0.0, 0.0, 0.705078125, 0.54296875)),
    "FINALTEXT3": (0.33300781, 0.45963541, 0.33398438, 0.0807292, (0.0, 0.0, 0.66796875, 0.96875)),
}
FINALCUT2_TOP = 0.0865885391831398


def text_top(elapsed):
    """The scrolling text's y at a time of the showing, as the game works it out."""
    rise = 0.0
    if 7000 < elapsed <= 29999:
        if elapsed < 17000:
            rise = (elapsed - 7000) / 10000 * 0.833
        elif elapsed > 24000:
            rise = (elapsed - 24000) / 5000 + 0.833
        else:
            rise = 0.833
    return int((1 - rise) * 768) / 768 - 0.000651041686


# Frames of the final cut: name, then (texture, y or None for its own, alpha) drawn in the game's order.
FINAL_FRAMES = [
    ("final-03s-picture", [("FINALCUT", None, 0.92)]),
    ("final-12s-text-rising", [("FINALCUT", None, 0.4), ("FINALTEXT", text_top(12000), 1.0)]),
    ("final-20s-text-resting", [("FINALCUT", None, 0.4), ("FINALTEXT", text_top(20000), 1.0)]),
    ("final-38s-the-end", [("FINALTEXT2", None, 1.0)]),
    ("final-52s-morning", [("FINALCUT2", FINALCUT2_TOP, 1.0)]),
    ("final-66s-thanks", [("FINALTEXT3", None, 1.0)]),
]


def texture_image(data, name):
    return Image.fromarray(texels(story_folder(data), story_art, name), "RGBA")


def draw(screen, texture, place, rect, alpha=1.0):
    """An unfiltered sprite: the texture's rectangle (fractions) to the screen box (fractions), faded."""
    x, y, width, height = place
    left, top, right, bottom = rect
    tw, th = texture.size
    part = texture.crop((round(left * tw), round(top * th), round(right * tw), round(bottom * th)))
    part = part.resize((max(1, round(width * SCREEN[0])), max(1, round(height * SCREEN[1]))), Image.NEAREST)
    if alpha < 1.0:
        faded = np.asarray(part).copy()
        faded[..., 3] = (faded[..., 3] * alpha).astype(np.uint8)
        part = Image.fromarray(faded, "RGBA")
    screen.alpha_composite(part, (round(x * SCREEN[0]), round(y * SCREEN[1])))


def intro_items(data):
    """Each page of the intro file with its items' texture, place and texture rectangle."""
    with open(os.path.join(data, story_art.INTRO_FILE), encoding="cp1251") as file:
        text = file.read()
    pages = []
    for texture, body in re.findall(r'<Page Texture="([^"]+)">(.*?)</Page>', text, re.S):
        items = []
        for item in re.findall(r"<Sprite .*?</Sprite>", body, re.S):
            place = [float(v) for v in re.search(r'<Position X="([^"]+)" Y="([^"]+)" Width="([^"]+)" '
                                                 r'Height="([^"]+)"', item).groups()]
            rect = [float(v) for v in re.search(r'<TexCoords X="([^"]+)" Y="([^"]+)" Width="([^"]+)" '
                                                r'Height="([^"]+)"', item).groups()]
            items.append((re.search(r'Texture1="([^"]+)"', item).group(1), place, rect))
        pages.append((texture, items))
    return pages


def black():
    return Image.new("RGBA", SCREEN, (0, 0, 0, 255))


def write_previews(data, out):
    os.makedirs(out, exist_ok=True)
    for number, (page, items) in enumerate(intro_items(data), 1):
        for index, (texture, place, rect) in enumerate(items, 1):
            screen = black()
            draw(screen, texture_image(data, page), (0, 0, 0.99, 0.99), PAGE)
            draw(screen, texture_image(data, texture), place, rect)
            screen.convert("RGB").save(os.path.join(out, "intro-page%d-item%d.png" % (number, index)))
    for name, sprites in FINAL_FRAMES:
        screen = black()
        for texture, y, alpha in sprites:
            x, own_y, width, height, rect = FINAL_SPRITES["FINALCUT" if texture == "FINALCUT2" else texture]
            draw(screen, texture_image(data, texture), (x, own_y if y is None else y, width, height), rect, alpha)
        screen.convert("RGB").save(os.path.join(out, name + ".png"))
    return []


CHECKS = {"reproducible": check_reproducible, "keys": check_keys}


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "preview":
        write_previews(sys.argv[2], sys.argv[3])
    else:
        run(sys.argv[1:], CHECKS, __doc__)
