"""Checks the world map's pictures and files in the data folder as the game uses them.

Usage: check_map_art.py reproducible DATA_FOLDER
           the pictures made again in a scratch folder are the same files byte for byte, none missing and none
           left over, each listed in textures.xml under its name; the map files and trainer scripts in Levels/ are
           what the writer writes now from the level packs there
       check_map_art.py keys DATA_FOLDER
           every key colour apart from every other picture's, and found flat in the face the game shows it in
       check_map_art.py layout DATA_FOLDER
           map.xml's pots and dots, placed as the game places them, sit on the picture's sites and road, inside the
           screen, clear of the buttons and of each other; the writer refuses packs the map has no room for
"""
import os
import sys

import map_art
import map_layout
import map_preview
from art_checks import flat_patch, key_colour_failures, remade_differences, rows, run, texture_list_differences

MAP_PATH = "Res\\map\\"
EDGE = 4                        # pixels kept clear at the screen's edges


# --- Made again -----------------------------------------------------------------------------------------

def map_file_differences(data):
    failures = []
    for name, text in map_layout.files(data).items():
        path = os.path.join(data, "Levels", name)
        if not os.path.exists(path):
            failures.append("Levels/%s: missing" % name)
            continue
        with open(path, encoding="cp1251", newline="") as file:
            if file.read() != text:
                failures.append("Levels/%s: not what map_layout writes now" % name)
    return failures


def check_reproducible(data):
    return remade_differences(os.path.join(data, "Res", "map"), map_art) + \
        texture_list_differences(data, map_art, MAP_PATH) + map_file_differences(data)


# --- Key colours ----------------------------------------------------------------------------------------

def pot_face(left, top):
    """The medallion of the level pot face whose corner is at those texels."""
    return (left + 13) / 128, (top + 40) / 128, (left + 23) / 128, (top + 50) / 128


def bonus_cell(k):
    column, row = k % map_layout.BONUS_COLUMNS, k // map_layout.BONUS_COLUMNS
    width, height = map_art.BONUS_CELL
    return column * width, row * height, (column + 1) * width, (row + 1) * height


def plate_field(plate):
    """The title plate's field left of its letters, in fractions of the 1024 square texture."""
    left, top, _, bottom = plate
    return (left + 8) / 1024, (top + 9) / 1024, (left + 40) / 1024, (bottom - 8) / 1024


FACES = {
    "MAP": plate_field(map_art.TITLE_PLATE),
    "MAPBONUS": plate_field(map_art.BONUS_TITLE_PLATE),
    "STAR": (0.0, 0.0, 0.78125, 1.0),
    "DOT": (0.0, 0.0, 0.625, 0.625),
    "TOOLTIP": (0.0, 0.0, 1.0, 1.0),
}
FACES.update({f"LEVELPOTS:{kind}" + (":lit" if lit else ""): pot_face(*corner)
              for kind, lit, corner in map_art.POT_FACES})
FACES.update({name + suffix: rows(index, 0.3359375, 0.8203125)
              for name, _ in map_art.BUTTONS for index, suffix in enumerate(("", ":lit"))})
FACES.update({f"BONUSLEVELPOTS:{k}": bonus_cell(k) for k in range(map_layout.MAX_BONUS_POTS)})
# The dot's middle is three texels square, the smallest patch there is.
PATCH = {"DOT": 3}


def check_keys(data):
    return key_colour_failures(os.path.join(data, "Res", "map"), map_art,
                               {name: [face] for name, face in FACES.items()}, flat_patch(4, PATCH))


# --- The layout as the game draws it ----------------------------------------------------------------------------

def boxes_meet(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def pot_box(corner):
    """A pot and the star that may spin over it, in pixels."""
    x, y = round(corner[0] + 0.5), round(corner[1] + 0.5)
    return x, y - map_layout.STAR_RISE, x + map_layout.POT[0], y + map_layout.POT[1]


def inside_screen(box):
    return box[0] >= EDGE and box[1] >= EDGE and box[2] <= map_layout.SCREEN[0] - EDGE and \
        box[3] <= map_layout.SCREEN[1] - EDGE


def site_failures():
    """Every pot site, with room for its star: on the screen, off the buttons, apart from the others."""
    boxes = [pot_box((x - 0.5, y - 0.5)) for x, y in map_layout.POTS]
    failures = ["pot %d at %s: off the screen or on the buttons" % (k, box) for k, box in enumerate(boxes)
                if not inside_screen(box) or boxes_meet(box, map_layout.BUTTONS)]
    return failures + ["pots %d and %d overlap" % (j, k) for k in range(len(boxes)) for j in range(k)
                       if boxes_meet(boxes[j], boxes[k])]


def pot_failures(corners, pack_levels):
    """A pot for each level of the pack, each where the game puts it landing on its site's pixel."""
    failures = [] if len(corners) == pack_levels else ["map.xml has %d pots for %d levels" % (len(corners),
                                                                                           pack_levels)]
    return failures + ["pot %d lands at %s, its site is at %s" % (k, corner, map_layout.POTS[k])
                       for k, corner in enumerate(corners)
                       if (round(corner[0] + 0.5), round(corner[1] + 0.5)) != map_layout.POTS[k]]


def path_failures(paths):
    """Every stretch's dots, placed as the game does, on the screen, off the buttons, off every pot but the two
    it joins, evenly spaced; the stretches in level order from one pot to the next."""
    counts = map_layout.GAME_STRETCHES
    if len(paths) != sum(counts):
        return ["map.xml has %d paths, the game reads %d" % (len(paths), sum(counts))]
    levels = [level for level, count in enumerate(counts) for _ in range(count)]
    all_pots = [pot_box((x - 0.5, y - 0.5)) for x, y in map_layout.POTS]
    failures = []
    for index, (level, path) in enumerate(zip(levels, paths)):
        dots = map_layout.game_dots(path)
        for x, y in dots:
            left, top = round(x + 0.5), round(y + 0.5)
            dot = (left, top, left + map_layout.DOT[0], top + map_layout.DOT[1])
            others = [k for k, box in enumerate(all_pots) if k not in (level, level + 1) and boxes_meet(box, dot)]
            if not inside_screen(dot) or boxes_meet(dot, map_layout.BUTTONS) or others:
                failures.append("path %d: a dot at %s is off the screen, on the buttons or on pots %s"
                                % (index, dot[:2], others))
        gaps = [((b[0] - a[0]) ** 2 + ((b[1] - a[1]) * 4 / 3) ** 2) ** 0.5 for a, b in zip(dots, dots[1:])]
        if not gaps or min(gaps) < 6.0 or max(gaps) > 14.5:
            failures.append("path %d: dots %d, spaced %s to %s" % (index, len(dots), min(gaps, default=0),
                                                                   max(gaps, default=0)))
    return failures + stretch_end_failures(paths, levels)


def stretch_end_failures(paths, levels):
    """The first of a level's stretches leaves its pot, the last reaches the next pot."""
    failures = []
    for index, (level, path) in enumerate(zip(levels, paths)):
        first = index == 0 or levels[index - 1] != level
        last = index == len(levels) - 1 or levels[index + 1] != level
        ends = [(path[0], level)] * first + [(path[-1], level + 1)] * last
        for (x, y), pot in ends:
            fx, fy = map_layout.foot(pot)
            if abs(x * 1024 + 2 - fx) > 3 or abs(y * 768 + 1.5 - fy) > 3:
                failures.append("path %d ends at %s, not at pot %d's foot %s" % (index, (x * 1024, y * 768), pot,
                                                                                   (fx, fy)))
    return failures


# Pack sizes the writer must refuse (main, bonus), and ones it must take.
REFUSED = [(31, 1), (4, 11)]
TAKEN = [(30, 10), (1, 0)]


def limit_failures():
    failures = []
    for main, bonus in REFUSED + TAKEN:
        try:
            map_layout.main_map_xml(main)
            map_layout.bonus_map_xml(bonus)
            refused = False
        except ValueError:
            refused = True
        if refused != ((main, bonus) in REFUSED):
            failures.append("packs of %d main and %d bonus levels %s" % (main, bonus,
                                                                       "refused" if refused else "taken"))
    return failures


def check_layout(data):
    map_xml = map_preview.Data(data).text("Levels", "map.xml")
    corners = [map_layout.game_pot_corner(p) for p in map_preview.positions(map_xml, "Quessa1")]
    bonus_xml = map_preview.Data(data).text("Levels", "map_bonus.xml")
    bonus = map_preview.positions(bonus_xml, "Quessa1")
    failures = site_failures() + pot_failures(corners, map_layout.pack_size(data, "levelpack.xml"))
    if len(bonus) != map_layout.pack_size(data, "bonuslevelpack.xml") or map_preview.paths(bonus_xml):
        failures.append("map_bonus.xml: %d pots and some paths for the bonus pack" % len(bonus))
    return failures + path_failures(map_preview.paths(map_xml)) + limit_failures()


CHECKS = {"reproducible": check_reproducible, "keys": check_keys, "layout": check_layout}


if __name__ == "__main__":
    run(sys.argv[1:], CHECKS, __doc__)
