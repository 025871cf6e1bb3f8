"""Where the world map puts its thirty level pots and the dotted road between them, and the files the map screen
reads: Levels/map.xml, Levels/map_bonus.xml and the two map trainer scripts.

Places here are screen pixels of 1024 by 768 with y downwards, as the picture is painted; the files hold fractions
of the screen. The map picture (map_art) paints its pot sites and its faint road from these same tables, so the
game's pots and dots land on what the picture shows.
"""
import math
import os
import re

import numpy as np

SCREEN = (1024, 768)
POT = (36, 63)                  # a pot on the screen
DOT = (5, 4)                    # a dot on the screen
STAR_RISE = 27                  # a trophy star reaches this far above its pot's top
MAX_POTS = 30                   # the player's profile keeps thirty trophy flags, pot k's star reads flag k
MAX_BONUS_POTS = 10             # the bonus face's grid: five columns, two rows
BONUS_COLUMNS = 5
# The three buttons (Next, Menu, Trophies) one over the other at the lower left, in pixels: left, top, right, bottom.
BUTTONS = (37, 583, 142, 728)

# The top-left corner of each level's pot. The road runs left along the bottom from the village, up, right, up
# through the crag, right again and up to the keep.
POTS = [
    (905, 610), (795, 594), (688, 614), (590, 596), (455, 612), (352, 590), (196, 604),
    (176, 468), (290, 450), (405, 470), (520, 450), (635, 468), (750, 450), (868, 466),
    (912, 326), (795, 308), (680, 326), (565, 306), (450, 324), (335, 306), (222, 322),
    (190, 182), (292, 166), (394, 184), (496, 166), (598, 184), (700, 166), (802, 184), (905, 196),
    (782, 62),
]


def foot(pot):
    """Where a pot stands: the middle of its base, on its site."""
    x, y = POTS[pot]
    return x + POT[0] / 2, y + 59


# Where the road breaks off: the river's bridge (east end, west end) and the crag's tunnel (lower mouth, upper).
BRIDGE = ((567, 659), (512, 667))
TUNNEL = ((158, 384), (150, 262))
TARN = ((292, 664), (34, 14))   # the pool the road forks round: centre, radii

FROM, TO = "from", "to"        # a level's own pot's foot, the next pot's foot
# Each level's road to the next pot: one or two stretches, each the points it winds through. The game shows a
# level's stretches all at once when the next pot opens; it knows that levels 3, 5 and 20 have two.
ROAD = [
    [[FROM, (868, 676), TO]],
    [[FROM, (760, 652), TO]],
    [[FROM, (657, 676), TO]],
    [[FROM, (585, 666), BRIDGE[0]], [BRIDGE[1], (496, 674), TO]],
    [[FROM, (420, 672), TO]],
    [[FROM, (336, 640), (292, 638), (250, 644), TO], [FROM, (340, 686), (292, 692), (246, 684), TO]],
    [[FROM, (176, 646), (170, 600), (180, 556), TO]],
    [[FROM, (252, 530), TO]],
    [[FROM, (366, 512), TO]],
    [[FROM, (480, 528), TO]],
    [[FROM, (596, 512), TO]],
    [[FROM, (710, 528), TO]],
    [[FROM, (828, 512), TO]],
    [[FROM, (922, 512), (948, 460), (944, 414), TO]],
    [[FROM, (872, 386), TO]],
    [[FROM, (756, 366), TO]],
    [[FROM, (640, 384), TO]],
    [[FROM, (526, 366), TO]],
    [[FROM, (410, 384), TO]],
    [[FROM, (296, 366), TO]],
    [[FROM, (206, 396), TUNNEL[0]], [TUNNEL[1], (180, 250), TO]],
    [[FROM, (258, 226), TO]],
    [[FROM, (360, 244), TO]],
    [[FROM, (462, 226), TO]],
    [[FROM, (564, 244), TO]],
    [[FROM, (666, 226), TO]],
    [[FROM, (768, 244), TO]],
    [[FROM, (866, 238), TO]],
    [[FROM, (962, 236), (968, 178), (930, 136), (850, 126), TO]],
]
# The game's own count of stretches a level adds (its m_pathsPerLevel): the road must agree with it.
GAME_STRETCHES = [2 if level in (3, 5, 20) else 1 for level in range(MAX_POTS - 1)]


# --- The road as the game draws it ------------------------------------------------------------------------

STEP = 9.0                      # the game puts a dot every 9/1024 of the screen's width along a segment
DOTS_A_SEGMENT = 4              # few enough for the segments to follow the curves, enough for an even spacing


def game_length(a, b):
    """A segment's length as the game measures it: in fractions of the screen's width and height alike, so a
    pixel down counts 1024/768 of a pixel across. Given here in pixels across."""
    return math.hypot(b[0] - a[0], (b[1] - a[1]) * SCREEN[0] / SCREEN[1])


def stretch_points(level, stretch):
    ends = {FROM: foot(level), TO: foot(level + 1)}
    return [ends.get(point, point) if isinstance(point, str) else point for point in stretch]


def curve(points, samples=24):
    """A Catmull-Rom curve through the points, finely sampled: the road's middle line, in pixels."""
    padded = [points[0]] + list(points) + [points[-1]]
    out = []
    for p0, p1, p2, p3 in zip(padded, padded[1:], padded[2:], padded[3:]):
        for t in np.linspace(0.0, 1.0, samples, endpoint=False):
            out.append(tuple(0.5 * ((2 * b) + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t * t
                                    + (-a + 3 * b - 3 * c + d) * t ** 3) for a, b, c, d in zip(p0, p1, p2, p3)))
    out.append(tuple(points[-1]))
    return out


def dot_stops(line):
    """Points along the line each one game segment of DOTS_A_SEGMENT dots from the last, so the dots come evenly;
    a short rest at the end joins the segment before it rather than be left without a dot."""
    wanted = DOTS_A_SEGMENT * STEP + 0.5
    stops = [line[0]]
    for point in line[1:-1]:
        if game_length(stops[-1], point) >= wanted:
            stops.append(point)
    if len(stops) > 1 and game_length(stops[-1], line[-1]) < 2 * STEP:
        stops.pop()
    return stops + [line[-1]]


def road_lines():
    """Every stretch of the road as a fine line, in level order: what the picture paints."""
    return [curve(stretch_points(level, stretch)) for level, stretches in enumerate(ROAD) for stretch in stretches]


def dot_paths():
    """Every stretch as the game's path: the top-left corners of dots centred on the road, in pixels."""
    half = (DOT[0] // 2, DOT[1] // 2 - 0.5)
    return [[(x - half[0], y - half[1]) for x, y in dot_stops(line)] for line in road_lines()]


def game_dots(path):
    """The dots' top-left pixels along a path (given in fractions of the screen, as the file holds it), computed
    as the game's frame does it: 32-bit floats, steps of 9/1024 along each segment, the end left out."""
    f = np.float32
    width, height = f(SCREEN[0]), f(SCREEN[1])
    dots = []
    for (x0, y0), (x1, y1) in zip(path, path[1:]):
        dx, dy = f(x1) - f(x0), f(y1) - f(y0)
        steps = int(np.sqrt(dx * dx + dy * dy) / f(0.0087890625))
        x, y = f(x0), f(y0)
        for _ in range(steps):
            dots.append((float(np.trunc(x * width) / width - f(1 / 2048)) * SCREEN[0],
                         float(np.trunc(y * height) / height - f(0.000651041686)) * SCREEN[1]))
            x, y = f(x + dx / f(steps)), f(y + dy / f(steps))
    return dots


def game_pot_corner(position):
    """A pot's top-left pixel as the game places it from the file's fractions."""
    f = np.float32
    x, y = f(position[0]), f(position[1])
    return (float(np.trunc(x * f(SCREEN[0])) / f(SCREEN[0]) - f(1 / 2048)) * SCREEN[0],
            float(np.trunc(y * f(SCREEN[1])) / f(SCREEN[1]) - f(0.000651041686)) * SCREEN[1])


# --- The files -----------------------------------------------------------------------------------------------

def fraction(value):
    """Short enough to read: four places move a place by a twentieth of a pixel at most."""
    return f"{value:.4f}".rstrip("0").rstrip(".")


def pixel_position(x, y):
    """A pixel as fractions of the screen aimed at its middle, so the game's truncation keeps that pixel."""
    return (x + 0.5) / SCREEN[0], (y + 0.5) / SCREEN[1]


def position_xml(x, y):
    return f'<Position X="{fraction(x)}" Y="{fraction(y)}"></Position>'


def pot_xml(x, y):
    return f'    <GameObject Name="Quessa1">{position_xml(x, y)}</GameObject>\n'


def path_xml(points):
    dots = "".join(f'      <GameObject Name="Dot">{position_xml(x, y)}</GameObject>\n' for x, y in points)
    return f'    <GameObject Name="Group">\n{dots}    </GameObject>\n'


def document(children):
    return ('<?xml version="1.0" encoding="windows-1251"?>\n<map>\n  <GameObjects>\n' + "".join(children)
            + '  </GameObjects>\n</map>\n')


def require_room(levels, limit, pack):
    """A pot for each level and no more: pot k shows and picks level k, so the pack must fit the map."""
    if levels > limit:
        raise ValueError(f"{pack} has {levels} levels, the map has room for {limit} pots")


def require_road():
    counts = [len(stretches) for stretches in ROAD]
    if counts != GAME_STRETCHES:
        raise ValueError(f"the road's stretches per level {counts} are not the game's {GAME_STRETCHES}")


def main_map_xml(levels):
    """Pots first, in level order (the game names each after the level at its place among all entries), then
    every stretch of the road, whatever the pack's size: the game shows only those up to the current level."""
    require_room(levels, min(MAX_POTS, len(POTS)), "the main pack")
    require_road()
    pots = [pot_xml(*pixel_position(*POTS[k])) for k in range(levels)]
    paths = [path_xml([(x / SCREEN[0], y / SCREEN[1]) for x, y in path]) for path in dot_paths()]
    return document(pots + paths)


def bonus_corner(k):
    """Where the game puts bonus pot k, in fractions: its grid, whatever the file says."""
    column, row = k % BONUS_COLUMNS, k // BONUS_COLUMNS
    return 0.136 + column * 0.14570312, 0.161 + row * 0.28385416


def bonus_map_xml(levels):
    require_room(levels, MAX_BONUS_POTS, "the bonus pack")
    return document([pot_xml(*bonus_corner(k)) for k in range(levels)])


# --- The map trainer -------------------------------------------------------------------------------------------

TEACHER = (0.03, 0.16)          # top left, below the title: the words run over the far moor, clear of the first pots
ARROW_WIDTH = 0.0625            # the trainer's arrow points down from its top-left corner at angle 0
ARROW_REACH = 0.085             # its tip comes down to 0.068-0.082 below that corner as it pulses
FIRST_TIP = "Click the glowing pot to play your first level."
SECOND_TIP = "Click Next to play the next level, or any pot to play it again."


def arrow_over(left, top, width):
    """The arrow's corner for pointing down at the middle of a box's top edge (all in fractions)."""
    return left + width / 2 - ARROW_WIDTH / 2, top - ARROW_REACH


def trainer_xml(tip, arrow):
    commands = [
        f'Type="VGLevelTrainerCommandShowTeacher" X="{fraction(TEACHER[0])}" Y="{fraction(TEACHER[1])}"',
        'Type="VGLevelTrainerCommandWait" Time="400"',
        f'Type="VGLevelTrainerCommandShowToolTip" Text="{tip}"',
        f'Type="VGLevelTrainerCommandShowArrow" X="{fraction(arrow[0])}" Y="{fraction(arrow[1])}" Angle="0"',
    ]
    lines = "".join(f"  <Command {command}></Command>\n" for command in commands)
    return f'<?xml version="1.0" encoding="windows-1251"?>\n<LevelTrainer>\n{lines}</LevelTrainer>\n'


def first_trainer_xml():
    left, top = POTS[0]
    return trainer_xml(FIRST_TIP, arrow_over(left / SCREEN[0], top / SCREEN[1], POT[0] / SCREEN[0]))


def second_trainer_xml():
    left, top, right, _ = BUTTONS
    return trainer_xml(SECOND_TIP, arrow_over(left / SCREEN[0], top / SCREEN[1], (right - left) / SCREEN[0]))


# --- Writing ----------------------------------------------------------------------------------------------------

def pack_size(data, pack):
    with open(os.path.join(data, "Levels", pack), encoding="cp1251") as file:
        return len(re.findall(r"<Level\b", file.read()))


def files(data):
    """Every file this module writes, by its name in Levels/, with its text."""
    return {
        "map.xml": main_map_xml(pack_size(data, "levelpack.xml")),
        "map_bonus.xml": bonus_map_xml(pack_size(data, "bonuslevelpack.xml")),
        "map_trainer_1.xml": first_trainer_xml(),
        "map_trainer_2.xml": second_trainer_xml(),
    }


def write(data):
    """After the level packs: a pot for each of their levels."""
    for name, text in files(data).items():
        with open(os.path.join(data, "Levels", name), "w", encoding="cp1251", newline="\n") as out:
            out.write(text)
