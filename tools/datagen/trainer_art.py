"""The tutorial's pictures: the old owl who teaches, the arrow he points with and the parchment he speaks on.

The teacher and the parchment keep inside the part of their textures the game shows; the parchment is stretched
to the width of its text, so its ends are short and its middle plain.
"""
import math
import os
import sys

import numpy as np

import art
from objects_art import BONE, SKIN, WHITE, WOOD, Layer, edge, ellipse, outlined, part, stroke
from world_art import fade_beyond, single

# The owl's plumage: warm tawny, paler on the face, and an old bird's white brows and beard.
FEATHER = art.AMBER * 0.5 + art.GOLD_DEEP * 0.42 + art.PLUM * 0.12
FEATHER_SHADE = art.GOLD_DEEP * 0.55 + art.PLUM * 0.35
FEATHER_LIGHT = art.AMBER * 0.75 + art.DAWN * 0.3
FACE = art.DAWN * 0.88 + SKIN * 0.12
BEARD_SHADE = BONE * 0.72 + art.VIOLET * 0.2
ROBE = art.PLUM * 1.05
ROBE_SHADE = art.PLUM * 0.55 + art.INDIGO * 0.35
ROBE_LIGHT = art.PLUM * 0.6 + art.ROSE * 0.55
HAT = art.VIOLET * 1.15
HAT_SHADE = art.VIOLET * 0.6 + art.INDIGO * 0.3


# --- The teacher -----------------------------------------------------------------------------------------

def teacher():
    """A kindly old owl in a plum robe and a pointed hat, spectacles on his beak and a teal-lit staff,
    turned to the right where his words appear. Only the top-left 100 by 100 texels are shown."""
    size, shown = 128, 100
    figure = Layer(size, size)
    _, y = art.grid(size, size)

    # The bust: sloping shoulders cut off by the frame's bottom.
    robe = art.polygon_mask(size, size, [(6, 101), (8, 84), (15, 70), (30, 62), (64, 61), (79, 67), (88, 80),
                                         (91, 101)])
    part(figure, robe, ROBE, shadow=ROBE_SHADE, light=ROBE_LIGHT, depth=5)
    for fold in ((22, 76, 18, 100), (33, 70, 31, 100)):
        figure.paint(ROBE_SHADE, stroke(size, size, [fold[:2], fold[2:]], 0.8) * robe * 0.7)
    # Gold-edged opening down the front, and a scatter of embroidered stars.
    for side in (-1, 1):
        figure.paint(art.GOLD, stroke(size, size, [(58 + side * 9, 64), (58 + side * 7, 100)], 1.4) * robe, art.INK)
    for star in ((18, 88), (27, 95), (76, 90), (14, 77)):
        figure.paint(art.GOLD, art.sparkle(size, size, star, 3.2) * robe * 0.9)

    # The head, and the pale facial disc turned towards the right.
    head = ellipse(size, size, (50, 44), (26, 23))
    part(figure, head, FEATHER, shadow=FEATHER_SHADE, light=FEATHER_LIGHT, depth=4)
    rng = np.random.default_rng(77)
    for _ in range(14):  # little chevrons of plumage on the crown and the back of the head
        cx, cy = rng.uniform(27, 48), rng.uniform(34, 62)
        figure.paint(FEATHER_SHADE, stroke(size, size, [(cx - 2, cy - 1.2), (cx, cy), (cx + 2, cy - 1.2)], 0.45)
                     * head * 0.8)
    disc = ellipse(size, size, (60, 47), (19, 17), turn=0.1)
    figure.paint(FACE, disc, FEATHER_SHADE)
    figure.paint(FEATHER_LIGHT, art.blur(edge(disc, 2, 0), 1.2) * disc * 0.6)
    figure.paint(art.ROSE, art.blur(ellipse(size, size, (73, 55), (4, 2.6)), 1.2) * 0.45)

    # A long wispy beard spilling over the robe.
    beard_outline = [(44, 55), (52, 60), (62, 60), (74, 56), (76, 64), (72, 74), (67, 82), (63, 92), (60, 88),
                     (56, 94), (54, 84), (48, 77), (43, 66)]
    beard = art.polygon_mask(size, size, beard_outline)
    part(figure, beard, BONE, shadow=BEARD_SHADE, light=WHITE, depth=3)
    for strand in (((52, 63), (54, 76), (57, 88)), ((60, 63), (61, 76), (62, 86)), ((68, 63), (67, 72), (65, 80))):
        figure.paint(BEARD_SHADE, stroke(size, size, list(strand), 0.55) * beard * 0.85)

    # Eyes, the far one a little smaller, both glancing right; heavy lids make them kindly rather than staring.
    for (cx, cy), r in (((52, 44), 5.0), ((69, 44), 5.8)):
        eye = ellipse(size, size, (cx, cy), (r, r))
        figure.paint(art.GOLD_LIGHT * 0.5 + art.AMBER * 0.5, eye, art.INK)
        figure.paint(art.AMBER * 0.8 + art.GOLD_DEEP * 0.2, edge(eye, -1, -2) * eye)
        figure.paint(art.INK, ellipse(size, size, (cx + 1.6, cy + 0.6), (r * 0.48, r * 0.52)))
        figure.paint(WHITE, ellipse(size, size, (cx + 2.4, cy - 0.8), (r * 0.17, r * 0.17)))
        lid = eye * np.clip((cy - r * 0.25) - y + 0.5, 0, 1)
        figure.paint(FACE * 0.85 + FEATHER_LIGHT * 0.15, lid)
        figure.paint(art.INK, stroke(size, size, [(cx - r * 0.95, cy - r * 0.1), (cx, cy - r * 0.3),
                                                  (cx + r * 0.95, cy - r * 0.1)], 0.5) * 0.9)
    # Gold spectacles: two rims, the bridge over the beak, the arm back towards the ear.
    rims = np.zeros((size, size), dtype=np.float32)
    for (cx, cy), r in (((52, 44), 7.4), ((69, 44), 8.2)):
        rims = np.maximum(rims, np.clip(ellipse(size, size, (cx, cy), (r, r))
                                        - ellipse(size, size, (cx, cy), (r - 1.6, r - 1.6)), 0, 1))
        figure.shine(WHITE, stroke(size, size, [(cx + r * 0.2, cy - r * 0.6), (cx + r * 0.6, cy - r * 0.2)], 0.7)
                     * 0.55)
    rims = np.maximum(rims, stroke(size, size, [(59, 43), (61, 41.5)], 0.9))
    rims = np.maximum(rims, stroke(size, size, [(44.8, 43), (33, 41)], 0.8))
    figure.paint(art.GOLD, rims, art.INK)
    figure.paint(art.GOLD_LIGHT, edge(rims, -1, 1) * rims * 0.8)
    # Bushy white brows lifted at the inner ends: a friendly, surprised-to-see-you look.
    for brow in (((45, 36), (50, 33.5), (56, 34)), ((63, 34), (69, 32.5), (76, 35.5))):
        part(figure, stroke(size, size, list(brow), 1.9, 1.0), BONE, shadow=BEARD_SHADE, depth=1)
    # A small hooked beak between the eyes.
    beak = art.polygon_mask(size, size, [(58.5, 49), (64, 48.5), (65.5, 53), (63.5, 58.5), (61.5, 55), (58.5, 52)])
    part(figure, beak, art.GOLD_DEEP * 0.75 + art.AMBER * 0.35, shadow=art.GOLD_DEEP * 0.6, light=art.GOLD,
         depth=1)

    # The pointed hat, its tip bowed over backwards, with a gold band.
    cone = art.polygon_mask(size, size, [(24, 26), (76, 26), (64, 15), (55, 7), (46, 2.5), (36, 2), (27, 4),
                                         (19, 9), (11, 19), (20, 14.5), (28, 13), (30, 19)])
    part(figure, cone, HAT, shadow=HAT_SHADE, light=HAT * 1.3 + art.ROSE * 0.1, depth=4)
    for star in ((50, 15), (38, 8)):
        figure.paint(art.GOLD_LIGHT, art.sparkle(size, size, star, 2.6) * cone)
    band = stroke(size, size, [(32, 22.5), (50, 21.5), (68, 22.5)], 2.0) * cone
    figure.paint(art.GOLD, band)
    figure.paint(art.GOLD_DEEP, edge(band, 0, -1) * band)
    brim = ellipse(size, size, (50, 26), (30, 5.2), turn=-0.04)
    part(figure, brim, HAT, shadow=HAT_SHADE, light=HAT * 1.35, depth=2)
    # A teal feather tucked in the band, sweeping back.
    quill = [(33 - 5 * s - 5 * s * s, 23 - 13 * s - 4 * s * s) for s in np.linspace(0, 1, 12)]
    sides = []
    for side in (1, -1):
        for k, s in enumerate(np.linspace(0, 1, 12)[::side]):
            i = int(round(s * 11))
            (ax, ay), (bx, by) = quill[max(i - 1, 0)], quill[min(i + 1, 11)]
            length = math.hypot(bx - ax, by - ay)
            half = 3.6 * math.sin(math.pi * min(s * 1.15, 1.0)) ** 0.6 * (0.75 if side < 0 else 1.0)
            if side > 0 and i % 3 == 1:
                half *= 0.55          # nicks where the barbs have parted
            sides.append((quill[i][0] - side * half * (by - ay) / length, quill[i][1] + side * half * (bx - ax) / length))
    vane = art.polygon_mask(size, size, sides)
    part(figure, vane, art.TEAL * 0.85, shadow=art.TEAL * 0.45 + art.INDIGO * 0.3, light=art.TEAL_LIGHT, depth=2)
    figure.paint(art.TEAL_LIGHT, stroke(size, size, quill[:11], 0.55, 0.3) * vane)
    figure.paint(WOOD, stroke(size, size, quill[:2], 0.7))

    # The staff, with a wing in a gold-cuffed sleeve holding it.
    staff = stroke(size, size, [(85, 25), (86, 101)], 1.7)
    part(figure, staff, WOOD, light=art.GOLD, depth=1)
    sleeve = np.maximum(stroke(size, size, [(76, 65), (79, 72), (80, 77)], 5.0, 6.2),
                        art.polygon_mask(size, size, [(74, 74), (82, 70), (83, 84), (73, 83)]))
    part(figure, sleeve, ROBE, shadow=ROBE_SHADE, light=ROBE_LIGHT, depth=3)
    cuff = stroke(size, size, [(81, 71), (81, 83)], 1.8)
    figure.paint(art.GOLD, cuff, art.INK)
    for k in range(3):  # the wing's primary feathers curled round the staff like fingers
        finger = stroke(size, size, [(80.5, 72 + k * 3.4), (86, 71 + k * 3.6), (89.5, 73 + k * 3.6)], 1.9, 1.4)
        part(figure, finger, FEATHER, shadow=FEATHER_SHADE, light=FEATHER_LIGHT, depth=1)
    figure = outlined(figure)

    # The orb's light goes behind him and over him alike, so it is laid on a separate glow layer first.
    orb_centre = (85, 20)
    layer = Layer(size, size)
    layer.glow(art.TEAL, art.radial(size, size, orb_centre, 17, 1.5) * 0.75)
    layer._over(figure.colour, figure.alpha)
    layer.shine(art.TEAL * 0.8, art.radial(size, size, orb_centre, 30, 2.0) * figure.alpha * 0.5)
    orb = ellipse(size, size, orb_centre, (5.2, 5.2))
    layer.paint(art.TEAL, orb, art.INK)
    layer.shine(art.TEAL_LIGHT, art.radial(size, size, (84, 19), 4.5, 1.0))
    layer.shine(WHITE, ellipse(size, size, (83, 18), (1.6, 1.6)))
    layer.glow(art.TEAL_LIGHT, art.sparkle(size, size, (92, 13), 4.0) * 0.9)
    prong = stroke(size, size, [(81, 28), (85, 25.5), (89, 28)], 1.1)
    layer.paint(art.GOLD, prong, art.INK)
    fade_beyond(layer, right=shown - 1, bottom=shown)
    return single(layer)


# --- The pointing arrow ----------------------------------------------------------------------------------

def arrow():
    """A fat gold arrow pointing down, its tip at the bottom middle, rimmed in ink and hazed in teal.
    The game turns it to point other ways."""
    width, height = 64, 128
    layer = Layer(width, height)
    _, y = art.grid(width, height)
    shape = art.polygon_mask(width, height, [(21, 10), (43, 10), (43, 66), (58, 66), (32, 120), (6, 66), (21, 66)])
    rim = art.grow(shape, 2)
    layer.glow(art.TEAL, art.blur(art.grow(shape, 3), 4) * 0.8)
    layer.paint(art.INK, rim)
    # Pale at the tail, full gold towards the tip, so the eye runs down to the point.
    t = np.clip((y - 10) / 110.0, 0, 1)[..., None]
    fill = art.GOLD_LIGHT * (1 - t) * 0.55 + art.GOLD * (0.45 + 0.35 * t) + art.AMBER * 0.2 * t
    layer.paint(np.broadcast_to(np.clip(fill, 0, 1), (height, width, 3)), shape)
    layer.paint(art.GOLD_DEEP, art.blur(edge(shape, 3, 0), 0.8) * shape * 0.9)
    layer.paint(art.GOLD_LIGHT, edge(shape, -2, 0) * shape * 0.9)
    layer.paint(art.GOLD_DEEP, edge(shape, 0, -2) * shape * 0.7)
    # A bright stripe down the shaft's left, as if lit like everything else from the front.
    layer.shine(WHITE, stroke(width, height, [(26, 15), (26, 60)], 1.6) * 0.45)
    layer.shine(art.TEAL_LIGHT, art.sparkle(width, height, (32, 108), 7) * shape * 0.7)
    return single(layer)


# --- The parchment the teacher speaks on --------------------------------------------------------------------

def rounded_outline(left, top, right, bottom, radius, steps=10):
    """The corners of a rounded box, clockwise from its top left."""
    points = []
    for cx, cy, start in ((right - radius, top + radius, -90), (right - radius, bottom - radius, 0),
                          (left + radius, bottom - radius, 90), (left + radius, top + radius, 180)):
        for k in range(steps + 1):
            a = math.radians(start + 90 * k / steps)
            points.append((cx + radius * math.cos(a), cy + radius * math.sin(a)))
    return points


def tooltip():
    """Pale dawn parchment in a deep gold border, a small tail on the left pointing back at the teacher.
    Only the top-left 412 by 105 texels are shown, stretched to the text's width."""
    width, height = 512, 128
    shown_w, shown_h = 412, 105
    left, top, right, bottom = 11.5, 2.5, shown_w - 2.5, shown_h - 3.5
    body = rounded_outline(left, top, right, bottom, 11)
    # The tail leaves the left side at about the teacher's mouth and bends a little downwards to its tip.
    tail = [(left + 4, 34), (left - 4, 43), (1.5, 55), (left - 1, 54), (left + 4, 62)]
    mask = art.polygons_mask(width, height, [body, tail])
    inner = 1.0 - art.grow(1.0 - mask, 3)
    layer = Layer(width, height)
    rng = np.random.default_rng(2024)
    # Even in the middle, where the text sits; only a faint grain and a warmer tone close to the border.
    grain = art.fractal_noise(width, height, 12, rng, stretch=3, octaves=3) - 0.5
    paper = art.GOLD_LIGHT * 0.72 + art.DAWN * 0.28
    near_border = np.clip(1.0 - art.blur(inner, 5) * 1.6, 0, 1)[..., None] * (inner[..., None] > 0)
    colour = paper * (1.0 + 0.035 * grain[..., None]) * (1 - 0.55 * near_border) \
        + (art.DAWN * 0.7 + art.AMBER * 0.3) * 0.55 * near_border
    layer.paint(art.INK, art.grow(mask, 1) * 0.9)
    layer.paint(art.GOLD_DEEP, mask)
    layer.paint(art.GOLD, edge(mask, 1, 1) * (1 - inner) * 0.8)
    layer.paint(np.clip(colour, 0, 1), inner)
    layer.paint(art.GOLD_DEEP * 0.8 + art.INK * 0.2, (art.grow(inner, 1) - inner) * 0.6)
    fade_beyond(layer, right=shown_w, bottom=shown_h)
    return single(layer)


SHEETS = [
    ("TEACHER", "teacher.dds", teacher),
    ("ARROWANIM", "arrowanim.dds", arrow),
    ("TRAINERTOOLTIP", "trainertooltip.dds", tooltip),
]


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: trainer_art.py PREVIEW_FOLDER")
    os.makedirs(sys.argv[1], exist_ok=True)
    for _, file, paint in SHEETS:
        paint().save(os.path.join(sys.argv[1], file.replace(".dds", ".png")))
