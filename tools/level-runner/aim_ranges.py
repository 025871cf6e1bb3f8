"""How far off a person may draw each level's walls and bridges and still win it.

For every level whose solution in tests/levels/ casts walls or bridges, plays the solution through
the level runner with its arches moved up or down, made narrower or wider, and its walls moved up
or down, made shorter or taller, one measure at a time, and prints per level the range around the
recorded strokes in which the level is still won with all three characters home in time.

    python3 tools/level-runner/aim_ranges.py RUNNER [LEVEL...]     (run from data/)

A row reads: the arch's centre lifted from..to (world units, negative is up), its width scaled
from..to, the wall lifted from..to and its height scaled from..to; "<=" and ">=" where the range
reaches the end of what was tried, "-" where the solution casts no such spell. A value whose spell
lands outside the view counts as lost.
"""
import glob
import os
import subprocess
import sys

SOLUTIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "levels")
# (what the runner's --vary moves, the values tried, the recorded value, the spell it acts on)
MEASURES = [
    ("arch lift", lambda v: (v, 1, 0, 1), [-0.12, -0.1, -0.08, -0.06, -0.05, -0.04, -0.03, -0.02, -0.01, 0, 0.01,
                                           0.015, 0.02, 0.03, 0.04, 0.05, 0.06, 0.08], 0, "VGTT_BRIDGE"),
    ("arch width", lambda v: (0, v, 0, 1), [0.5, 0.6, 0.7, 0.75, 0.8, 0.85, 0.9, 0.95, 1, 1.05, 1.1, 1.15, 1.2,
                                            1.3, 1.4, 1.5, 1.7, 2.0], 1, "VGTT_BRIDGE"),
    ("wall lift", lambda v: (0, 1, v, 1), [-0.3, -0.25, -0.2, -0.15, -0.12, -0.1, -0.08, -0.06, -0.04, -0.02, 0,
                                           0.02, 0.04, 0.06, 0.08, 0.1, 0.12, 0.15, 0.2, 0.25], 0, "VGTT_WALL"),
    ("wall height", lambda v: (0, 1, 0, v), [0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1, 1.2, 1.4, 1.6, 1.8, 2.0,
                                             2.5, 3.0], 1, "VGTT_WALL"),
]
ENVIRONMENT = dict(os.environ, SDL_VIDEODRIVER="offscreen", SDL_AUDIODRIVER="dummy")


def play(runner, level, variations):
    """One line of the runner's answer per variation; a play that stopped on a bad point gives none."""
    arguments = [runner] + (["--bonus"] if level.startswith("bonus") else [])
    for variation in variations:
        arguments += ["--vary"] + [str(value) for value in variation]
    arguments += [level, os.path.join(SOLUTIONS, level + ".txt")]
    answer = subprocess.run(arguments, capture_output=True, text=True, env=ENVIRONMENT).stdout
    return [line for line in answer.split("\n") if line]


def won(line):
    return ": done at " in line and "home in time 3 of 3" in line


def wins(runner, level, make, values):
    lines = play(runner, level, [make(value) for value in values])
    if len(lines) != len(values):
        lines = [(play(runner, level, [make(value)]) or [""])[0] for value in values]
    return [won(line) for line in lines]


def span(values, results, recorded):
    at = values.index(recorded)
    if not results[at]:
        return "lost as recorded"
    low = at
    while low > 0 and results[low - 1]:
        low -= 1
    high = at
    while high < len(values) - 1 and results[high + 1]:
        high += 1
    first = f"<={values[0]:g}" if low == 0 else f"{values[low]:g}"
    last = f">={values[-1]:g}" if high == len(values) - 1 else f"{values[high]:g}"
    return f"{first}..{last}"


def main(arguments):
    if len(arguments) < 2:
        sys.exit("usage: aim_ranges.py RUNNER [LEVEL...]")
    runner = arguments[1]
    levels = arguments[2:] or sorted(os.path.basename(path)[:-4] for path in glob.glob(os.path.join(SOLUTIONS, "*.txt")))
    print("level | " + " | ".join(name for name, *_ in MEASURES))
    for level in levels:
        with open(os.path.join(SOLUTIONS, level + ".txt")) as solution:
            text = solution.read()
        if "VGTT_BRIDGE" not in text and "VGTT_WALL" not in text:
            continue
        row = [span(values, wins(runner, level, make, values), recorded) if spell in text else "-"
               for _, make, values, recorded, spell in MEASURES]
        print(level + " | " + " | ".join(row), flush=True)


if __name__ == "__main__":
    main(sys.argv)
