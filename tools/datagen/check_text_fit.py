"""Checks that every text the game writes over a picture stays on the plate drawn for it.

Usage: check_text_fit.py fit DATA_FOLDER
           each text of the strings file, each level's name and each running figure (the clock, the score, the
           lives) measured with the font's glyph widths at the place, glyph size and spacing the game writes it,
           inside the plate that the picture programs drew there (the frame's recesses and plaque, the score
           screen's panel) or the box its label keeps (the map's tooltip); the high-score table's headings over
           the middles of their columns; every tutorial tooltip on the screen, beside the teacher it follows

Texture fonts lay glyph k at x + spacing * cell * k plus what the narrower glyphs before it saved, so a text is
cell * (sum of its glyph widths + (spacing - 1) * (characters - 1)) wide and one cell high.
"""
import os
import sys
import xml.etree.ElementTree as ElementTree

import hud_art
import menu_art
from art_checks import run

SCREEN = (1024, 768)


def glyph_widths(data):
    """Glyph width (a fraction of the cell) by character, as the font's glyph table gives it."""
    root = ElementTree.parse(os.path.join(data, "Res", "font.xml")).getroot()
    return {chr(int(g.get("code"))): float(g.get("width")) for g in root.iter("glyph")}


def strings(data):
    root = ElementTree.parse(os.path.join(data, "Res", "strings.xml")).getroot()
    return {s.get("key"): s.get("value") for s in root.iter("string")}


def show_names(data):
    """The show names of every level of both packs, in the packs' order."""
    names = []
    for pack in ("levelpack.xml", "bonuslevelpack.xml"):
        root = ElementTree.parse(os.path.join(data, "Levels", pack)).getroot()
        for entry in root.iter():
            path = entry.get("Path") or entry.get("File")
            if path and path.lower().endswith(".xml"):
                level = ElementTree.parse(os.path.join(data, *path.replace("\\", "/").split("/"))).getroot()
                names.append(level.get("ShowName"))
    return names


def text_width(text, cell, spacing, widths):
    """The text's width in the unit of cell; a character the table lacks is a whole cell, as the font draws it."""
    if not text:
        return 0.0
    return cell * (sum(widths.get(c, 1.0) for c in text) + (spacing - 1) * (len(text) - 1))


def pixels(box):
    """(left, top, right, bottom) in screen fractions, as 1024 by 768 pixels."""
    left, top, right, bottom = box
    return left * SCREEN[0], top * SCREEN[1], right * SCREEN[0], bottom * SCREEN[1]


class Place:
    """Where a font writes: its corner, glyph size and spacing in screen fractions; centred texts start half the
    text's shortfall into their box (a label's fixed box of `characters` cells)."""

    def __init__(self, x, y, cell_width, cell_height, spacing, characters=None):
        self.x, self.y = x, y
        self.cell_width, self.cell_height, self.spacing = cell_width, cell_height, spacing
        self.characters = characters

    def box(self):
        return self.cell_width * ((self.spacing - 1) * (self.characters - 1) + self.characters)

    def extent(self, text, widths):
        width = text_width(text, self.cell_width, self.spacing, widths)
        left = self.x if self.characters is None else self.x + (self.box() - width) / 2
        return left, self.y, left + width, self.y + self.cell_height


def overflow(extent, plate):
    """How many pixels the text stands out of its plate on the worst side; 0 or less when it fits."""
    text, box = pixels(extent), plate
    return max(box[0] - text[0], box[1] - text[1], text[2] - box[2], text[3] - box[3])


# The frame's texts (their places, glyph sizes and the game's spacing 1.12).
TIME = Place(0.026, 0.022, 0.025, 0.048, 1.12)
LEVEL_NAME = Place(0.028, 0.126, 0.025, 0.032, 1.12)
LIVES = Place(0.028, 0.205, 0.025, 0.032, 1.12)
SCORE = Place(0.76123047, 0.96419269, 0.025390625, 0.029947916, 1.12)
# The score screen's captions and its score.
SCORE_CAPTION = Place(0.09814453125, 0.818359375, 0.0205078125, 0.0169270840, 1.12)
SCORE_FIGURE = Place(0.09814453125, 0.8444010615, 0.0302734375, 0.0299479160, 1.12)
BAR_CAPTION_SIZE = (0.0234375, 0.0364583321)
# The map's pot tooltip: a label of 8 cells whose plate is its box and margins.
TOOLTIP = Place(0.0, 0.0, 0.014, 0.03125, 1.12, characters=8)


def texel_centre(value, size):
    return float(int(value * size)) / size - 0.5 / size


def bar_captions():
    return [Place(texel_centre(x, 1024), texel_centre(0.746, 768), BAR_CAPTION_SIZE[0], BAR_CAPTION_SIZE[1], 1.12)
            for x in (0.267, 0.838)]


def score_panel():
    """The score screen's panel, drawn full screen, less its rim and band."""
    left, top, right, bottom = menu_art.SCORE_PANEL
    inset = menu_art.SCORE_PANEL_EDGE
    sx, sy = SCREEN[0] / menu_art.SCORE_PIXELS[0], SCREEN[1] / menu_art.SCORE_PIXELS[1]
    return (left + inset) * sx, (top + inset) * sy, (right - inset) * sx, (bottom - inset) * sy


# A tutorial's bubble: it starts beside the teacher (whose corner snaps to the pixel grid), its text indented by
# the label's left margin, and it must end, with its right margin, on the screen.
TRAINER_CELL = (0.017, 0.0349027, 1.12)
TRAINER_BUBBLE_OFFSET = 0.082
TRAINER_MARGINS = (0.04, 0.01)


def trainer_tooltips(data):
    """(file, teacher x, text) for every tooltip of the tutorial scripts: the levels' helps, the map's, the score's."""
    folder = os.path.join(data, "Levels")
    files = [os.path.join("help", f) for f in sorted(os.listdir(os.path.join(folder, "help")))]
    files += sorted(f for f in os.listdir(folder) if f.endswith("_trainer_1.xml") or f.endswith("_trainer_2.xml")
                    or f == "score_trainer.xml")
    found = []
    for name in files:
        teacher_x = 0.0
        for command in ElementTree.parse(os.path.join(folder, name)).getroot().iter("Command"):
            kind = command.get("Type")
            if kind == "VGLevelTrainerCommandShowTeacher":
                teacher_x = float(command.get("X"))
            elif kind == "VGLevelTrainerCommandShowToolTip":
                found.append((name, teacher_x, command.get("Text")))
    return found


def trainer_checks(data):
    cell_width, cell_height, spacing = TRAINER_CELL
    left_margin, right_margin = TRAINER_MARGINS
    screen = (0, 0, SCREEN[0] - right_margin * SCREEN[0], SCREEN[1])
    found = []
    for name, teacher_x, text in trainer_tooltips(data):
        bubble = texel_centre(teacher_x, SCREEN[0]) + TRAINER_BUBBLE_OFFSET
        place = Place(bubble + left_margin, 0.0, cell_width, cell_height, spacing)
        found.append(("tutorial tooltip in " + name, text, place, screen))
    return found


def checks(data):
    """(what, text, place, plate in pixels) for every text written over a picture."""
    texts, names = strings(data), show_names(data)
    clock = ["%02d:%02d" % (m, s) for m in range(10) for s in range(60)]
    found = []
    found += [("clock", t, TIME, hud_art.FRAME_PLATES["time"]) for t in clock]
    found += [("level name", n, LEVEL_NAME, hud_art.FRAME_PLATES["level name"]) for n in names]
    found += [("lives", "x%d" % n, LIVES, hud_art.FRAME_PLATES["lives"]) for n in range(8, 100)]
    found += [("score", str(k) * 9, SCORE, hud_art.FRAME_PLATES["score"]) for k in range(10)]
    panel = score_panel()
    found += [("score caption", texts["SCORE"], SCORE_CAPTION, panel)]
    found += [("score figure", str(k) * 8, SCORE_FIGURE, panel) for k in range(10)]
    time_bar, score_bar = bar_captions()
    found += [("bar caption", texts["TIME"], time_bar, panel), ("bar caption", texts["SCORE"], score_bar, panel)]
    tooltip_box = (0, 0, TOOLTIP.box() * SCREEN[0], TOOLTIP.cell_height * SCREEN[1])
    found += [("map tooltip", texts[key] + name, TOOLTIP, tooltip_box)
              for key in ("PLAYLEVEL", "REPLAYLEVEL") for name in names]
    return found + trainer_checks(data)


# The high-score table: each heading, written from its left end, over the column of values that its cell label
# centres in a box of 20 cells.
HEADINGS = [("PLAYER", 0.205, 0.059), ("LEVEL", 0.461, 0.313), ("HIGHSCORE", 0.672, 0.558)]
HEADING = (0.123, 0.0154, 0.035, 1.0)
CELL_BOX = 0.02 * 20
HEADING_OFF_CENTRE = 8.0        # pixels a heading's middle may stand from its column's


def heading_failures(data, widths):
    texts, failures = strings(data), []
    y, cell_width, cell_height, spacing = HEADING
    for key, x, column in HEADINGS:
        left, _, right, _ = Place(x, y, cell_width, cell_height, spacing).extent(texts[key], widths)
        off = ((left + right) / 2 - (column + CELL_BOX / 2)) * SCREEN[0]
        if abs(off) > HEADING_OFF_CENTRE:
            failures.append("high-score heading %r stands %.1f pixels off its column's middle" % (texts[key], off))
    return failures


def check_fit(data):
    """One failure for each kind of text that leaves its plate: the worst of its texts, and how many leave it."""
    widths = glyph_widths(data)
    worst = {}
    for what, text, place, plate in checks(data):
        out = overflow(place.extent(text, widths), plate)
        if out > 0.0:
            count, text_before, out_before, _ = worst.get(what, (0, None, 0.0, None))
            worst[what] = (count + 1,) + ((text, out, plate) if out > out_before else (text_before, out_before, _))
    return ["%s: %d texts leave the plate %s, %r by %.1f pixels" % (what, count, tuple(round(v) for v in plate),
                                                                    text, out)
            for what, (count, text, out, plate) in sorted(worst.items())] + heading_failures(data, widths)


CHECKS = {"fit": check_fit}

if __name__ == "__main__":
    run(sys.argv[1:], CHECKS, __doc__)
