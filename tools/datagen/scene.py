"""The moor at dawn under a dusk sky, with the keep on its hill: the backdrop of the loading screen and the title."""
import numpy as np

import art

HORIZON = 0.79


def sky(width, height, rng, dawn_x, brightness):
    horizon = HORIZON * height
    picture = art.vertical_gradient(height, [(0.0, art.NIGHT), (0.3, art.INDIGO), (0.55, art.VIOLET),
                                             (0.68, art.PLUM), (0.76, art.ROSE), (HORIZON, art.AMBER),
                                             (1.0, art.AMBER)])
    picture = np.broadcast_to(picture[:, None, :], (height, width, 3)).copy()
    art.add_light(picture, art.DAWN, art.radial(width, height, (dawn_x, horizon), 260, 1.6, aspect=2.2) * brightness)
    art.add_light(picture, art.AMBER, art.radial(width, height, (dawn_x, horizon), 420, 2.0, aspect=2.6) * 0.5)
    star_field = art.stars(width, height, 900, rng, fade_to=0.6 * height)
    art.add_light(picture, art.rgb("#f4ecff"), star_field)
    return picture


def clouds(picture, rng, dawn_x):
    height, width = picture.shape[:2]
    shape = art.fractal_noise(width, height, 48, rng, stretch=6, octaves=4)
    rows = np.arange(height, dtype=np.float32)[:, None] / height
    band = np.exp(-((rows - 0.6) / 0.09) ** 2) + 0.45 * np.exp(-((rows - 0.38) / 0.05) ** 2)
    cover = np.clip((shape - 0.5) * 4.0, 0, 1) * band
    lit = art.radial(width, height, (dawn_x, HORIZON * height), 520, 1.2, aspect=2.0)
    colour = art.PLUM * (1 - lit[..., None]) + art.ROSE * lit[..., None]
    art.over(picture, colour * 0.85, cover * 0.75)
    # Undersides lit by the rising sun.
    rim = np.clip(cover - np.roll(cover, 3, axis=0), 0, 1) * lit
    art.add_light(picture, art.AMBER, rim * 1.4)


# The keep in its own units: x from its axis, height above its foot. Rectangles are (left, right, bottom, top).
KEEP_WALLS = [(-30, 30, 0, 150), (-36, 36, 150, 162), (-1.5, 1.5, 250, 272), (30, 100, 0, 70), (90, 130, 0, 105),
              (-80, -30, 0, 55)]
KEEP_WALLS += [(32 + 12 * k, 38 + 12 * k, 70, 80) for k in range(6)]     # battlements
KEEP_WALLS += [(-80 + 13 * k, -73 + 13 * k, 55, 64) for k in range(4)]
KEEP_ROOFS = [[(-34, 162), (0, 250), (34, 162)], [(86, 105), (110, 150), (134, 105)]]
KEEP_WINDOWS = [(-6, 6, 108, 128), (104, 112, 76, 90), (-4, 4, 66, 80)]


def keep(width, height, foot_x, foot_y, scale):
    """Silhouette and lit windows of the keep: a tall tower with a spire, a lower tower and walls."""
    def place(points):
        return [(foot_x + x * scale, foot_y - y * scale) for x, y in points]

    def rectangles(table):
        return [place([(left, bottom), (right, bottom), (right, top), (left, top)])
                for left, right, bottom, top in table]

    walls = art.polygons_mask(width, height, rectangles(KEEP_WALLS) + [place(roof) for roof in KEEP_ROOFS])
    return walls, art.polygons_mask(width, height, rectangles(KEEP_WINDOWS))


def moor(picture, rng, dawn_x, keep_x):
    height, width = picture.shape[:2]
    horizon = HORIZON * height
    lit = art.radial(width, height, (dawn_x, horizon), 600, 1.0, aspect=1.8)
    layers = [(horizon - 6, 10), (horizon + 28, 16), (horizon + 78, 20), (horizon + 128, 14)]
    for depth, ((base, amplitude), colour) in enumerate(zip(layers, art.MOOR)):
        line = art.ridge(width, base, amplitude, rng)
        if depth == 1:  # the keep stands on a broad hill rising out of the second ridge, its foot hidden
            x = np.arange(width, dtype=np.float32)
            line -= 64 * np.exp(-(np.abs(x - keep_x - 20) / 190.0) ** 3)
            tower, windows = keep(width, height, keep_x, float(line[int(keep_x)]) + 30, 0.85)
            art.over(picture, art.MOOR[1] * 0.8, tower)
            art.add_light(picture, art.rgb("#ffcf7a"), windows)
            art.add_light(picture, art.AMBER, art.blur(windows, 6) * 1.5)
        mask = art.below(line, height)
        haze = art.fractal_noise(width, height, 24, rng, stretch=4) * 0.15
        shade = colour * (0.9 + haze[..., None])
        art.over(picture, shade, mask)
        edge = np.clip(mask - np.roll(mask, 2, axis=0), 0, 1)
        art.add_light(picture, art.ROSE * 0.9, edge * lit * (0.9 - 0.2 * depth))
        if depth < 3:  # mist settling in the hollow in front of the ridge
            mist = art.fractal_noise(width, height, 32, rng, stretch=8) * np.exp(
                -((np.arange(height)[:, None] - (base + amplitude + 18)) / 14.0) ** 2)
            art.add_light(picture, art.rgb("#b58ab8"), mist * 0.35)
    return picture


def glints(picture, rng, count, top, bottom, colours):
    height, width = picture.shape[:2]
    for _ in range(count):
        centre = (rng.uniform(20, width - 20), rng.uniform(top, bottom))
        size = rng.uniform(4, 11)
        colour = colours[rng.integers(len(colours))]
        art.add_light(picture, colour, art.sparkle(width, height, centre, size) * rng.uniform(0.6, 1.0))


def paint(width, height, seed, dawn_x, keep_x, brightness=1.0):
    rng = np.random.default_rng(seed)
    picture = sky(width, height, rng, dawn_x, brightness)
    clouds(picture, rng, dawn_x)
    moor(picture, rng, dawn_x, keep_x)
    glints(picture, rng, 14, HORIZON * height + 20, height - 20, [art.GOLD_LIGHT, art.TEAL_LIGHT])
    return picture
