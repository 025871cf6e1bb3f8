"""The story's pictures: the intro's four pages and their captions, and the final cut-scene's two pictures and
three texts; also the intro's schedule, intro\\intro.xml, which names them.

Where the game draws them (1024 by 768 screen):
- A page (INTRO1-4) and the final pictures cover 1014 by 760 pixels with the top 1024 by 768 texels of a 1024
  square. FINALCUT2 comes down to row 66.5 later on, so its bottom rows fall off the screen: it is painted as a
  letterboxed picture whose black bands above and below are the same height.
- The captions are the intro's items, one at a time over the page: plates of 928 by 112 pixels at 48, 626, each
  a strip of INTROTEXT, one texel a pixel.
- FINALTEXT, 512 square, scrolls up the middle of the screen at 512 by 512 pixels.
- FINALTEXT2 shows 361 by 139 texels of 512 by 256 over 481 by 139 pixels: painted at screen size and squeezed
  across. FINALTEXT3 shows 342 by 62 texels of 512 by 64 over as many pixels.

Every texture keeps a flat patch of one colour (KEY_COLOURS, in five-six-five bits like the menu's) in the part
the game shows: the pictures' storybook frame, the captions' plate, the texts' gems or letters.
"""
import os
import sys
import textwrap

import numpy as np
from PIL import Image, ImageFont

import art
import dds
import hud_art
import loading
import objects_art
import scene
from hud_art import rounded_box, squeeze
from menu_art import PALE_LETTERS, letters, panel, stored, still_texture
from objects_art import Layer, edge, ellipse, stroke

SCREEN = (1024, 768)
PICTURE = (1024, 768)                   # a page's texels: rectangle 0, 0 to 1, 0.75 of a 1024 square
SQUARE = (1024, 1024)
SERIF = art.FONT_DIR + "DejaVuSerif.ttf"
SERIF_BOLD = art.FONT_DIR + "DejaVuSerif-Bold.ttf"

KEY_COLOURS = {
    "INTRO1": stored("#6a2c38"),         # the frame round each picture, all four sides
    "INTRO2": stored("#4a2408"),
    "INTRO3": stored("#2a4a30"),
    "INTRO4": stored("#36566a"),
    "INTROTEXT": stored("#280018"),      # every caption plate's field, round the letters
    "FINALCUT": stored("#822220"),
    "FINALCUT2": stored("#085480"),
    "FINALTEXT": stored("#efb868"),      # the gems between the paragraphs
    "FINALTEXT2": stored("#e08040"),     # the gem in the middle of the rule
    "FINALTEXT3": stored("#60f0c0"),     # the letters themselves
}


def key(name):
    return np.array(KEY_COLOURS[name], dtype=np.float32) / 255.0


# --- Pieces of the pictures ----------------------------------------------------------------------------

FRAME_WIDTH = 12


def storybook_frame(picture, name, bottom=None):
    """A flat band of the page's own colour round the picture, with a gold wire inside it; the picture's light
    falls a little way onto the wire, not onto the band, which stays flat for the key."""
    height, width = picture.shape[:2]
    bottom = height if bottom is None else bottom
    x, y = art.grid(width, height)
    inside = rounded_box(x, y, FRAME_WIDTH, FRAME_WIDTH, width - FRAME_WIDTH, bottom - FRAME_WIDTH, 10)
    inside *= y < bottom
    art.over(picture, art.INK, art.blur(1.0 - inside, 4) * 0.6 * inside)
    wire = art.grow(inside, 3) - inside
    band = np.clip(1.0 - art.grow(inside, 3), 0, 1) * (y < bottom)
    art.over(picture, art.GOLD_DEEP, art.grow(inside, 1) - inside)
    art.over(picture, art.GOLD, wire * (1 - (art.grow(inside, 1) - inside)))
    art.over(picture, art.GOLD_LIGHT, wire * edge(wire, 0, 1) * 0.7)
    art.over(picture, key(name), band)


def enlarged(rgba, scale):
    """A sprite frame made bigger for a picture, colour weighted by coverage so its rim stays dark."""
    height, width = rgba.shape[:2]
    size = (round(width * scale), round(height * scale))

    def resized(channel):
        image = Image.fromarray(np.ascontiguousarray(channel, dtype=np.float32), "F")
        return np.asarray(image.resize(size, Image.BICUBIC), dtype=np.float32)

    alpha = np.clip(resized(rgba[..., 3]), 0, 1)
    colour = np.stack([resized(rgba[..., k] * rgba[..., 3]) for k in range(3)], axis=-1)
    return np.dstack([np.clip(colour / np.maximum(alpha, 1e-6)[..., None], 0, 1), alpha])


def stamp(picture, rgba, left, top, flip=False):
    """Paints a sprite onto the picture with its top-left corner at left, top (cut at the picture's sides)."""
    rgba = rgba[:, ::-1] if flip else rgba
    height, width = picture.shape[:2]
    h, w = rgba.shape[:2]
    left, top = int(round(left)), int(round(top))
    x0, y0, x1, y1 = max(left, 0), max(top, 0), min(left + w, width), min(top + h, height)
    if x0 >= x1 or y0 >= y1:
        return
    part = rgba[y0 - top:y1 - top, x0 - left:x1 - left]
    art.over(picture[y0:y1, x0:x1], part[..., :3], part[..., 3])


FRIENDS = (objects_art.tovemmar_frame, objects_art.gribbanoddle_frame, objects_art.weskaroon_frame)


def friends(picture, ground, feet_xs, scale, steps=(0, 1, 3), flip=False):
    """The three friends in a line, each standing on the ground line under its middle."""
    for paint_frame, feet_x, step in zip(FRIENDS, feet_xs, steps):
        figure = enlarged(paint_frame(step), scale)
        h, w = figure.shape[:2]
        ground_y = float(ground[int(np.clip(feet_x, 0, len(ground) - 1))])
        stamp(picture, figure, feet_x - w / 2, ground_y - objects_art.GROUND_ROW * scale, flip)


def near_ground(picture, base, amplitude, seed, dip=None):
    """The dark near ridge the friends walk on, rimmed by the dawn; the captions sit on the dark below it.
    A dip (left, right) cuts a chasm through it. Gives back the ridge line."""
    height, width = picture.shape[:2]
    rng = np.random.default_rng(seed)
    line = art.ridge(width, base, amplitude, rng, waves=3)
    mask = art.below(line, height)
    if dip is not None:
        x = np.arange(width, dtype=np.float32)
        gap = np.clip(np.minimum(x - dip[0], dip[1] - x) / 3.0, 0, 1)
        mask *= 1.0 - gap[None, :]
        art.over(picture, art.NIGHT * 0.6, art.blur(gap[None, :] * art.below(line + 30, height), 6))
    grain = art.fractal_noise(width, height, 16, rng, stretch=3) - 0.5
    art.over(picture, art.MOOR[3] * (1.0 + 0.5 * grain[..., None]), mask)
    art.add_light(picture, art.ROSE * 0.8, edge(mask, 0, 2) * 0.9)
    return line


def glow_dot(picture, centre, radius, colour, strength=1.0):
    height, width = picture.shape[:2]
    art.add_light(picture, colour, art.radial(width, height, centre, radius, 1.8) * strength)


def sun(picture, centre, radius):
    height, width = picture.shape[:2]
    glow_dot(picture, centre, radius * 8, art.AMBER, 0.8)
    glow_dot(picture, centre, radius * 3.5, art.DAWN, 0.9)
    disc = ellipse(width, height, centre, (radius, radius))
    art.over(picture, art.GOLD_LIGHT * 0.8 + art.DAWN * 0.2, disc)


def spell_medallion(picture, name, centre, scale=2.0):
    """One of the spells' medallions from the bottom bar, larger, in a teal halo."""
    medallion = np.asarray(hud_art.spell(name), dtype=np.float32) / 255.0
    big = enlarged(medallion, scale)
    glow_dot(picture, centre, 90 * scale / 2, art.TEAL, 0.45)
    stamp(picture, big, centre[0] - big.shape[1] / 2, centre[1] - big.shape[0] / 2)


def magic_trail(picture, points, radius=3.0):
    """The line a spell is drawn with: bright teal over a wide soft glow."""
    height, width = picture.shape[:2]
    line = stroke(width, height, points, radius)
    art.add_light(picture, art.TEAL, art.blur(art.grow(line, 3), 8) * 0.8)
    art.add_light(picture, art.TEAL_LIGHT, line)


def sparkles(picture, rng, count, box, colours=(art.GOLD_LIGHT, art.TEAL_LIGHT)):
    height, width = picture.shape[:2]
    left, top, right, bottom = box
    reach = 48                          # a glint's rays fade out well inside this many texels
    for _ in range(count):
        cx, cy = rng.uniform(left, right), rng.uniform(top, bottom)
        colour = colours[rng.integers(len(colours))]
        x0, y0 = int(max(cx - reach, 0)), int(max(cy - reach, 0))
        window = picture[y0:int(min(cy + reach, height)), x0:int(min(cx + reach, width))]
        glint = art.sparkle(window.shape[1], window.shape[0], (cx - x0, cy - y0), rng.uniform(5, 12))
        art.add_light(window, colour, glint * rng.uniform(0.6, 1))


def finished(picture, name):
    art.vignette(picture, strength=0.35)
    storybook_frame(picture, name)
    return still_texture(picture, SQUARE, key(name))


# --- The intro's pages -----------------------------------------------------------------------------------

def intro_setting_out():
    """Night over the moor, the keep a far light on the right; the three friends set out along the ridge."""
    width, height = PICTURE
    picture = scene.paint(width, height, seed=1101, dawn_x=860, keep_x=840, brightness=0.35)
    loading.title(picture, "Glintmoor Dawnkeel", (width / 2, 76), 64)
    loading.flourish(picture, width / 2, 124, 230)
    ground = near_ground(picture, 590, 10, seed=11)
    friends(picture, ground, (200, 300, 400), 1.3)
    sparkles(picture, np.random.default_rng(12), 10, (460, 560, 800, 600), (art.GOLD_LIGHT,))
    return finished(picture, "INTRO1")


def intro_dangers():
    """Darker night: a chasm splits the ridge, thorns wait beyond it and a creature of the night with them."""
    width, height = PICTURE
    picture = scene.paint(width, height, seed=2202, dawn_x=900, keep_x=920, brightness=0.15)
    art.vignette(picture, strength=0.3)
    ground = near_ground(picture, 585, 6, seed=21, dip=(440, 590))
    friends(picture, ground, (180, 270, 360), 1.3, steps=(0, 0, 0))
    thorns = np.asarray(objects_art.spikes(), dtype=np.float32) / 255.0
    stamp(picture, enlarged(thorns, 0.9), 640, float(ground[700]) - 50)
    creature = enlarged(objects_art.monster_frame(1), 1.5)
    stamp(picture, creature, 860 - creature.shape[1] / 2, float(ground[860]) - 186, flip=True)
    for eyes in ((300, 250), (700, 210), (560, 330)):       # more of them watch from the dark
        for dx in (-7, 7):
            glow_dot(picture, (eyes[0] + dx, eyes[1]), 7, art.ROSE, 0.9)
    return finished(picture, "INTRO2")


SPELLS = [("SPELLWALL", (250, 250)), ("SPELLBRIDGE", (420, 190)), ("SPELLWINDRIGHT", (600, 190)),
          ("SPELLTELEPORT", (770, 250))]


def intro_spells():
    """The player's spells over the same chasm: the four medallions in the sky, and a bridge drawn across with
    a line of light while the friends step onto it."""
    width, height = PICTURE
    picture = scene.paint(width, height, seed=3303, dawn_x=700, keep_x=900, brightness=0.3)
    ground = near_ground(picture, 585, 6, seed=21, dip=(440, 590))
    left_edge, right_edge = float(ground[440]), float(ground[590])
    arch = [(430 + 170 * t, (left_edge * (1 - t) + right_edge * t) + 6 - 26 * np.sin(np.pi * t))
            for t in np.linspace(0, 1, 24)]
    planks = enlarged(np.asarray(objects_art.bridge(), dtype=np.float32) / 255.0, 0.7)
    stamp(picture, planks, 425, min(left_edge, right_edge) - 6)
    magic_trail(picture, arch, 2.5)
    friends(picture, ground, (250, 340, 430), 1.3)
    for name, centre in SPELLS:
        spell_medallion(picture, name, centre)
    sparkles(picture, np.random.default_rng(33), 16, (420, 420, 620, 560))
    return finished(picture, "INTRO3")


def intro_dawn():
    """The keep close at hand with the first light behind it: the end of the road, if the friends reach it."""
    width, height = PICTURE
    picture = scene.paint(width, height, seed=4404, dawn_x=600, keep_x=620, brightness=1.0)
    glow_dot(picture, (600, 600), 260, art.DAWN, 0.25)
    ground = near_ground(picture, 600, 8, seed=41)
    friends(picture, ground, (170, 260, 350), 1.3, steps=(1, 3, 0))
    sparkles(picture, np.random.default_rng(44), 12, (380, 520, 900, 600), (art.GOLD_LIGHT,))
    return finished(picture, "INTRO4")


# --- The captions ----------------------------------------------------------------------------------------

CAPTION_TEXTURE = SQUARE
CAPTION_PLATE = (928, 112)              # texels and screen pixels
CAPTION_PITCH = 128                     # one strip of the texture for each caption
CAPTION_CORNER = (48, 626)              # on the screen, under the pictures' near ridge
CAPTION_SIZE = 22
CAPTION_LEADING = 32
CAPTION_ROOM = 40                       # texels kept clear between the letters and the plate's sides
# The intro's skip button stands on the plate's right end (x 0.78076171875, y 0.8743489385, 128 by 56 pixels on
# the screen): the letters keep to the plate's part left of it, the room again short of it.
SKIP_LEFT = 0.78076171875 * SCREEN[0]
CAPTION_LETTERS = (CAPTION_ROOM, SKIP_LEFT - CAPTION_CORNER[0] - CAPTION_ROOM / 2)

# The intro, page by page: the page's picture, what it paints, and its captions (lines split by "\n").
INTRO_PAGES = [
    ("INTRO1", intro_setting_out, [
        "Far across the moor of Glintmoor stands the old keep,\nand the dawn has not come to it for a long time.",
        "Three friends set out to bring it back:\nTovemmar, Gribbanoddle and Weskaroon.",
    ]),
    ("INTRO2", intro_dangers, [
        "But the moor is full of chasms and thorns,\nand things that hunt in the dark.",
        "And the three know only one thing:\nto keep walking straight ahead.",
    ]),
    ("INTRO3", intro_spells, [
        "Only your spells can guide them. Draw a wall\nto turn them, a bridge across a gap,\na wind to lift them on.",
        "And where no path is left, open a gate of light\nand send them through.",
    ]),
    ("INTRO4", intro_dawn, [
        "Lead all three safely to the keep,\nand the sun will rise over Glintmoor again.",
        "The night is short. Take up your spells:\nthe journey begins!",
    ]),
]
CAPTION_MILLISECONDS = 6000             # each caption's stay once it begins to fade in


def captions():
    return [caption for _, _, page_captions in INTRO_PAGES for caption in page_captions]


def caption_plate(index, text):
    """A gold-rimmed plate of dark stone with the caption's lines in pale letters across its middle."""
    width, height = CAPTION_PLATE
    layer = Layer(width, height)
    panel(layer, (1, 1, width - 1, height - 1), key("INTROTEXT"), radius=16, rim=4, band=6, seed=50 + index)
    lines = text.split("\n")
    first = height / 2 - CAPTION_LEADING * (len(lines) - 1) / 2
    left, right = CAPTION_LETTERS
    for k, line in enumerate(lines):
        require_fit(line, CAPTION_SIZE, right - left, CAPTION_LEADING)
        letters(layer.colour, line, CAPTION_SIZE, ((left + right) / 2, first + k * CAPTION_LEADING),
                look=PALE_LETTERS)
    return layer.rgba()


def require_fit(text, size, width, height, font=art.SANS_BOLD):
    """A line too long for its place would run into the rim: better to stop than to ship it."""
    left, top, right, bottom = ImageFont.truetype(font, size).getbbox(text)
    if right - left > width or bottom - top > height:
        raise ValueError(f'"{text}" at {size} px is {right - left} by {bottom - top}: no room in {width} by {height}')


def caption_sheet():
    """Every caption of the intro on its own plate, one strip each from the top."""
    texts = captions()
    if len(texts) * CAPTION_PITCH > CAPTION_TEXTURE[1]:
        raise ValueError(f"{len(texts)} captions do not fit in {CAPTION_TEXTURE}")
    plates = [caption_plate(index, text) for index, text in enumerate(texts)]
    return hud_art.frame_grid(plates, CAPTION_TEXTURE, (CAPTION_PLATE[0], CAPTION_PITCH), columns=1)


# --- The final cut-scene's pictures ----------------------------------------------------------------------

def final_keep():
    """Sunrise at the keep: the sun up behind it, its windows lit, the three friends at its foot."""
    width, height = PICTURE
    picture = scene.paint(width, height, seed=5505, dawn_x=560, keep_x=600, brightness=1.2)
    sun(picture, (760, 500), 40)
    ground = near_ground(picture, 600, 8, seed=51)
    friends(picture, ground, (200, 290, 380), 1.4, steps=(1, 2, 3))
    sparkles(picture, np.random.default_rng(55), 24, (120, 120, 900, 460), (art.GOLD_LIGHT, art.DAWN))
    return finished(picture, "FINALCUT")


SECOND_PICTURE_TOP = 66.5                # screen rows above FINALCUT2 once it has moved down
# Rows of the picture, so that the black band under it on the screen is as high as the one above.
LETTERBOX = round((SCREEN[1] - 2 * SECOND_PICTURE_TOP) / 0.99)


def final_morning():
    """Morning: the sun well up over the moor, the friends resting on a knoll, the keep shining on its hill."""
    width, height = PICTURE[0], LETTERBOX
    picture = scene.paint(width, height, seed=6606, dawn_x=520, keep_x=820, brightness=1.4)
    art.add_light(picture, art.DAWN * 0.6, art.radial(width, height, (520, 300), 700, 1.2) * 0.6)
    sun(picture, (520, 330), 46)
    ground = near_ground(picture, 520, 14, seed=61)
    friends(picture, ground, (150, 230, 310), 1.2, steps=(0, 0, 0))
    sparkles(picture, np.random.default_rng(66), 16, (380, 80, 980, 420), (art.GOLD_LIGHT, art.DAWN))
    art.vignette(picture, strength=0.3)
    storybook_frame(picture, "FINALCUT2")
    full = np.concatenate([picture, art.canvas(width, PICTURE[1] - height, np.zeros(3))], axis=0)
    return still_texture(full, SQUARE, key("FINALCUT2"))


# --- The final cut-scene's texts -------------------------------------------------------------------------

STORY_TEXTURE = (512, 512)
STORY_MARGIN = 24
STORY_HEADING = ("At first light", 30)
STORY_SIZE = 17
STORY_LEADING = 23
STORY_GAP = 30                          # between paragraphs, where a gem sits
STORY = [
    "Dawn broke over Glintmoor. Tovemmar, Gribbanoddle and Weskaroon stood at last before the gates of the "
    "old keep.",
    "Behind them lay the chasms and the thorns, the cold winds and the creatures of the night. Your walls had "
    "turned them, your bridges had carried them, your winds and gates had lifted them on.",
    "The keep woke in the morning sun. Its windows glowed, its bells rang, and its doors opened wide for the "
    "three travellers.",
    "And every dawn since, when the light spills gold across the heather, the people of the moor remember the "
    "spells that showed the way.",
]


def wrapped(text, size, width):
    """The paragraph's lines, each as long as fits the width."""
    font = ImageFont.truetype(SERIF_BOLD, size)
    lines, current = [], ""
    for word in text.split():
        trial = (current + " " + word).strip()
        if current and font.getlength(trial) > width:
            lines.append(current)
            current = word
        else:
            current = trial
    return lines + [current]


def gem(layer, centre, radii, name):
    """A small gold-set diamond whose middle is the texture's flat key colour."""
    cx, cy = centre
    rx, ry = radii

    def diamond(inset):
        return art.polygon_mask(layer.width, layer.height, [(cx - rx + inset, cy), (cx, cy - ry + inset),
                                                            (cx + rx - inset, cy), (cx, cy + ry - inset)])

    outer = diamond(0)
    layer.glow(art.AMBER, art.blur(art.grow(outer, 2), 3) * 0.5)
    layer.paint(art.GOLD, outer, art.INK)
    layer.paint(key(name), diamond(3))


def outlined_text(layer, mask, fill, glow=0.75):
    """Letters that read on any picture: an ink halo, an ink rim, then the fill."""
    layer.paint(art.INK, art.blur(art.grow(mask, 2), 2.5) * glow)
    layer.paint(art.INK, art.grow(mask, 1))
    layer.paint(fill, mask)


def story_lines():
    """Rows of the story text: (text, size, gold, row of the middle), and the rows after each paragraph."""
    width = STORY_TEXTURE[0] - 2 * STORY_MARGIN
    rows, gems = [], []
    heading, heading_size = STORY_HEADING
    y = STORY_MARGIN + heading_size / 2
    rows.append((heading, heading_size, True, y))
    y += heading_size / 2 + STORY_GAP
    for paragraph in STORY:
        for line in wrapped(paragraph, STORY_SIZE, width):
            rows.append((line, STORY_SIZE, False, y))
            y += STORY_LEADING
        gems.append(y - STORY_LEADING / 2 + STORY_GAP / 2)
        y += STORY_GAP
    if y - STORY_GAP > STORY_TEXTURE[1] - STORY_MARGIN / 2:
        raise ValueError(f"the story runs to row {y - STORY_GAP:.0f} of {STORY_TEXTURE[1]}")
    return rows, gems[:-1]


def story_text():
    """The ending as short paragraphs, pale letters with gold for the heading, gems between the paragraphs."""
    layer = Layer(*STORY_TEXTURE)
    rows, gems = story_lines()
    for text, size, gold, row in rows:
        mask = art.text_mask(layer.width, layer.height, text, SERIF_BOLD, size, (layer.width / 2, row))
        outlined_text(layer, mask, art.GOLD if gold else PALE_LETTERS[0])
    for row in gems:
        gem(layer, (layer.width / 2, row), (10, 7), "FINALTEXT")
    return art.to_image(layer.colour, layer.alpha)


THE_END_TEXTURE = (512, 256)
THE_END_SHOWN = (361, 139)              # texels: right 0.705078125, bottom 0.54296875
THE_END_PIXELS = (481, 139)


def the_end():
    """"The End" in gold over a rule with a gem, painted at its size on the screen and squeezed across."""
    width, height = THE_END_PIXELS
    layer = Layer(width, height)
    require_fit("The End", 64, width - 40, 90, SERIF_BOLD)
    mask = art.text_mask(width, height, "The End", SERIF_BOLD, 64, (width / 2, 56))
    layer.glow(art.AMBER, art.blur(art.grow(mask, 2), 10) * 0.6)
    outlined_text(layer, mask, art.GOLD_LIGHT)
    layer.paint(art.GOLD, mask * np.clip((art.grid(width, height)[1] - 40) / 40, 0, 1))
    x, y = art.grid(width, height)
    rule = np.clip(1.6 - np.abs(y - 112), 0, 1) * np.clip(1 - np.abs(x - width / 2) / 190, 0, 1) ** 0.6
    layer.paint(art.GOLD, rule, art.INK)
    gem(layer, (width / 2, 112), (20, 12), "FINALTEXT2")
    colour, alpha = squeeze(layer.colour, layer.alpha, THE_END_SHOWN)
    texture = np.zeros((THE_END_TEXTURE[1], THE_END_TEXTURE[0], 4), dtype=np.float32)
    texture[:THE_END_SHOWN[1], :THE_END_SHOWN[0]] = np.dstack([colour, alpha])
    return art.to_image(texture[..., :3], texture[..., 3])


THANKS_TEXTURE = (512, 64)
THANKS_SHOWN = (342, 62)                # right 0.66796875, bottom 0.96875


def thank_you():
    """The words that stay on the screen to the end, in the teal of the spells."""
    layer = Layer(*THANKS_TEXTURE)
    width, height = THANKS_SHOWN
    text = "Thank you for playing!"
    require_fit(text, 24, width - 12, height - 12)
    mask = art.text_mask(layer.width, layer.height, text, art.SANS_BOLD, 24, (width / 2, height / 2))
    layer.glow(art.TEAL, art.blur(art.grow(mask, 1), 4) * 0.5)
    outlined_text(layer, mask, key("FINALTEXT3"), glow=0.6)
    return art.to_image(layer.colour, layer.alpha)


# --- The list ----------------------------------------------------------------------------------------------

PAINTERS = [(name, paint) for name, paint, _ in INTRO_PAGES] + [
    ("INTROTEXT", caption_sheet),
    ("FINALCUT", final_keep),
    ("FINALCUT2", final_morning),
    ("FINALTEXT", story_text),
    ("FINALTEXT2", the_end),
    ("FINALTEXT3", thank_you),
]
SHEETS = [(name, f"story\\{name.lower()}.dds", paint) for name, paint in PAINTERS]
# Opaque pictures take DXT1; the captions keep their soft rims in DXT5; the final texts are drawn over a
# dimmed picture a long time and keep every level of their letters.
FORMS = {"INTROTEXT": "dxt5", "FINALTEXT": "argb", "FINALTEXT2": "argb", "FINALTEXT3": "argb"}


def file_name(file):
    return file.split("\\")[-1]


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, file, paint in SHEETS:
        dds.write(os.path.join(folder, file_name(file)), paint(), FORMS.get(name, "dxt1"))


# --- The intro's schedule ----------------------------------------------------------------------------------

INTRO_FILE = os.path.join("intro", "intro.xml")
WHITE_ARGB = 0xFFFFFFFF


def number(value):
    return "%.9g" % value


def caption_sprite(index):
    """One caption as the engine's screen-space sprite: its plate's strip of INTROTEXT at the caption's place."""
    width, height = CAPTION_PLATE
    left, top = CAPTION_CORNER
    strip_top = index * CAPTION_PITCH / CAPTION_TEXTURE[1]
    strip_bottom = (index * CAPTION_PITCH + height) / CAPTION_TEXTURE[1]
    colours = " ".join(f'Color{corner}="{WHITE_ARGB}"' for corner in ("LU", "RU", "LD", "RD"))
    return (
        f'      <Sprite {colours} Angle="0" CoordAligment="1" WithTransform="0" FlipHorizontal="0" '
        f'FlipVertical="0" XScaleFactor="1" YScaleFactor="1">\n'
        f'        <Position X="{number(left / SCREEN[0])}" Y="{number(top / SCREEN[1])}" '
        f'Width="{number(width / SCREEN[0])}" Height="{number(height / SCREEN[1])}"></Position>\n'
        f'        <TexCoords X="0" Y="{number(strip_top)}" Width="{number(width / CAPTION_TEXTURE[0])}" '
        f'Height="{number(strip_bottom)}"></TexCoords>\n'
        f'        <Mesh Name="caption{index + 1}">\n'
        f'          <Material CullMode="1" FillMode="3" AlphaBlend="1" SrcBlend="5" DstBlend="6" ZWrite="0" '
        f'Lighting="0" IsFogEnable="0">\n'
        f'            <Textures Texture1="INTROTEXT"></Textures>\n'
        f'          </Material>\n'
        f'        </Mesh>\n'
        f'      </Sprite>\n')


def intro_xml():
    """The intro file: each page names its picture, each item a caption shown for CAPTION_MILLISECONDS."""
    check_intro()
    pages, index = [], 0
    for texture, _, page_captions in INTRO_PAGES:
        items = []
        for _ in page_captions:
            items.append(f'    <Item Time="{CAPTION_MILLISECONDS}">\n{caption_sprite(index)}    </Item>\n')
            index += 1
        pages.append(f'  <Page Texture="{texture}">\n{"".join(items)}  </Page>\n')
    return '<?xml version="1.0" encoding="windows-1251"?>\n<Intro>\n' + "".join(pages) + "</Intro>\n"


def check_intro():
    """The game stops at start-up on an intro without pages, a page without items or an unknown texture."""
    made = {name for name, _, _ in SHEETS}
    if not INTRO_PAGES:
        raise ValueError("the intro has no page")
    for number_, (texture, _, page_captions) in enumerate(INTRO_PAGES, 1):
        if not page_captions:
            raise ValueError(f"intro page {number_} has no caption")
        if texture not in made:
            raise ValueError(f"intro page {number_} shows {texture}, which {__name__} does not make")
    if "INTROTEXT" not in made:
        raise ValueError("the captions' texture INTROTEXT is not made")


def write_intro(data_folder):
    path = os.path.join(data_folder, INTRO_FILE)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="cp1251", newline="\n") as file:
        file.write(intro_xml())


def build_sources():
    """This program's own files: what the build remakes the pictures after."""
    here = os.path.dirname(os.path.abspath(__file__))
    files = {getattr(module, "__file__", None) for module in list(sys.modules.values())}
    return sorted(os.path.abspath(f) for f in files if f and os.path.dirname(os.path.abspath(f)) == here)


# What the build asks for before it makes anything, as CMake lists.
LISTINGS = {"--outputs": lambda: [file_name(file) for _, file, _ in SHEETS], "--sources": build_sources}
USAGE = textwrap.dedent("""\
    usage: story_art.py FOLDER (data/Res/story) | --outputs | --sources
           story_art.py --intro DATA_FOLDER (writes DATA_FOLDER/intro/intro.xml)""")


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--intro":
        write_intro(sys.argv[2])
    elif len(sys.argv) != 2:
        sys.exit(USAGE)
    elif sys.argv[1] in LISTINGS:
        print(";".join(LISTINGS[sys.argv[1]]()))
    else:
        main(sys.argv[1])
