"""The splash pictures, shown one after the other for four seconds each, in byte order of their file names."""
import math

import numpy as np

import art
import scene

WIDTH, HEIGHT = 1024, 768
STUDIO = "Mothlantern"


def _ellipse(centre, radii, turn, supersample=4):
    """Mask of a turned ellipse (angle in radians, clockwise on screen)."""
    points = []
    for k in range(96):
        t = 2 * math.pi * k / 96
        ex, ey = radii[0] * math.cos(t), radii[1] * math.sin(t)
        points.append((centre[0] + ex * math.cos(turn) - ey * math.sin(turn),
                       centre[1] + ex * math.sin(turn) + ey * math.cos(turn)))
    return art.polygon_mask(WIDTH, HEIGHT, points, supersample)


def _smooth(points, rounds=3):
    """Corner-cutting (Chaikin) rounds on a closed outline, for soft wing shapes."""
    for _ in range(rounds):
        cut = []
        for k, (x0, y0) in enumerate(points):
            x1, y1 = points[(k + 1) % len(points)]
            cut += [(0.75 * x0 + 0.25 * x1, 0.75 * y0 + 0.25 * y1), (0.25 * x0 + 0.75 * x1, 0.25 * y0 + 0.75 * y1)]
        points = cut
    return points


# One side of the moth (the right), in emblem units from the body's centre; the left is its mirror.
FORE_WING = [(6, -22), (60, -70), (150, -66), (160, -50), (120, -4), (52, 16), (10, 6)]
HIND_WING = [(6, 4), (58, 14), (96, 40), (84, 84), (40, 92), (8, 40)]


def moth(centre, scale):
    """The studio's emblem, a moth drawn to a lantern's light: masks of its fore wings, hind wings and body."""
    cx, cy = centre

    def wing(outline):
        polygons = [[(cx + side * x * scale, cy + y * scale) for x, y in _smooth(outline)] for side in (-1, 1)]
        return art.polygons_mask(WIDTH, HEIGHT, polygons)

    body = np.maximum(_ellipse((cx, cy + 8 * scale), (10 * scale, 46 * scale), 0.0),
                      _ellipse((cx, cy - 40 * scale), (11 * scale, 11 * scale), 0.0))
    x, y = art.grid(WIDTH, HEIGHT)
    for side in (-1, 1):  # feathered antennae: a curved stem with short barbs
        for k in range(48):
            t = k / 47
            ax = cx + side * (5 + 46 * t) * scale
            ay = cy - (48 + 46 * t - 20 * t * t) * scale
            barb = (1 - t) * 9 * scale
            body = np.maximum(body, np.clip(1.6 * scale - np.hypot(x - ax, y - ay), 0, 1))
            if k % 4 == 0 and barb > 1:
                tip = (ax + side * barb * 0.6, ay - barb * 0.8)
                stroke = np.hypot(x - (ax + tip[0]) / 2, y - (ay + tip[1]) / 2)
                body = np.maximum(body, np.clip(1.0 * scale - stroke, 0, 1) * 0.9)
    return wing(FORE_WING), wing(HIND_WING), body


def studio_card():
    picture = art.canvas(WIDTH, HEIGHT, art.NIGHT)
    centre = (WIDTH / 2, 300)
    art.add_light(picture, art.VIOLET, art.radial(WIDTH, HEIGHT, centre, 620, 1.4))
    art.add_light(picture, art.PLUM, art.radial(WIDTH, HEIGHT, centre, 330, 1.8) * 0.8)
    rng = np.random.default_rng(2024)
    for _ in range(40):  # out-of-focus motes of light around the emblem
        spot = (rng.uniform(0, WIDTH), rng.uniform(0, HEIGHT))
        art.add_light(picture, art.AMBER if rng.random() < 0.5 else art.TEAL,
                      art.radial(WIDTH, HEIGHT, spot, rng.uniform(8, 30), 0.6) * rng.uniform(0.05, 0.2))
    lantern = art.radial(WIDTH, HEIGHT, centre, 150, 2.2)
    art.add_light(picture, art.DAWN, lantern)
    fore, hind, body = moth(centre, 1.35)
    wings = np.maximum(fore, hind)
    art.over(picture, art.INK, art.blur(np.maximum(wings, body), 5) * 0.6)
    art.over(picture, art.GOLD_DEEP, art.grow(wings, 2))
    art.over(picture, art.GOLD_DEEP * 1.2, hind)
    art.over(picture, art.GOLD, fore)
    inner_fore, inner_hind, _ = moth((centre[0], centre[1] + 4), 1.05)
    art.over(picture, art.GOLD_LIGHT, inner_fore * 0.6)
    art.over(picture, art.GOLD, inner_hind * 0.5)
    art.add_light(picture, art.DAWN, art.blur(wings, 3) * lantern * 0.8)
    for side in (-1, 1):  # eye spots on the fore wings
        spot = (centre[0] + side * 118, centre[1] - 60)
        art.over(picture, art.INK, art.radial(WIDTH, HEIGHT, spot, 15, 0.3))
        art.over(picture, art.TEAL_LIGHT, art.radial(WIDTH, HEIGHT, spot, 8, 0.5))
    art.over(picture, art.INK, body)
    name = art.text_mask(WIDTH, HEIGHT, STUDIO.upper(), art.SANS_BOLD, 64, (WIDTH / 2, 520), spacing=10)
    rows = np.nonzero(name.max(axis=1))[0]
    art.caption(picture, name, rows[0], rows[-1], art.GOLD_LIGHT, art.GOLD, outline_width=2, glow=art.AMBER,
                glow_radius=12, glow_strength=0.4, shadow=3)
    studio = art.text_mask(WIDTH, HEIGHT, "STUDIO", art.SANS, 28, (WIDTH / 2, 582), spacing=18)
    art.over(picture, art.GOLD, studio)
    presents = art.text_mask(WIDTH, HEIGHT, "presents", art.SANS, 24, (WIDTH / 2, 680))
    art.over(picture, art.rgb("#d9c6e8"), presents * 0.9)
    return art.vignette(picture, strength=0.6)


def title_card():
    picture = scene.paint(WIDTH, HEIGHT, seed=31, dawn_x=512, keep_x=840, brightness=1.15)
    art.add_light(picture, art.DAWN, art.radial(WIDTH, HEIGHT, (512, 610), 120, 2.0) * 0.9)
    for line, (text, size, y) in enumerate((("Glintmoor", 112, 200), ("Dawnkeel", 112, 320))):
        mask = art.text_mask(WIDTH, HEIGHT, text, art.SANS_BOLD, size, (WIDTH / 2, y))
        rows = np.nonzero(mask.max(axis=1))[0]
        art.caption(picture, mask, rows[0], rows[-1], art.GOLD_LIGHT, art.GOLD_DEEP * 1.3, outline_width=4,
                    glow=art.AMBER, glow_radius=18, glow_strength=0.6, shadow=5)
    rule_y = 400
    x, rows = art.grid(WIDTH, HEIGHT)
    rule = np.clip(1.3 - np.abs(rows - rule_y), 0, 1) * np.clip(1 - np.abs(x - WIDTH / 2) / 260, 0, 1) ** 0.7
    art.over(picture, art.GOLD, rule)
    subtitle = art.text_mask(WIDTH, HEIGHT, "A spell-drawing puzzle adventure", art.SANS, 30, (WIDTH / 2, 440))
    art.over(picture, art.INK, art.blur(art.grow(subtitle, 2), 2) * 0.8)
    art.over(picture, art.rgb("#f6e6ff"), subtitle)
    return art.vignette(picture, strength=0.45)


# File name and painter of each picture; the game shows them in byte order of the names.
PICTURES = [("1_studio.dds", studio_card), ("2_title.dds", title_card)]
