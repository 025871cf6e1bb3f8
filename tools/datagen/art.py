"""Drawing helpers shared by the game's pictures: one palette, the dusk sky over the moor, glows and captions.

Pictures are float RGB arrays (height, width, 3) in 0..1; masks are float arrays (height, width) in 0..1.
Every random choice comes from a generator seeded by the caller, so each picture is the same at every run.
"""
import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
SANS = FONT_DIR + "DejaVuSans.ttf"
SANS_BOLD = FONT_DIR + "DejaVuSans-Bold.ttf"


def rgb(hex_colour):
    return np.array([int(hex_colour[i:i + 2], 16) / 255.0 for i in (1, 3, 5)], dtype=np.float32)


# The game's palette: indigo night above, plum and rose towards a dawn glow, gold for titles, teal for magic.
NIGHT = rgb("#0b0a22")
INDIGO = rgb("#1d1645")
VIOLET = rgb("#3b2266")
PLUM = rgb("#6e2f66")
ROSE = rgb("#c5566b")
AMBER = rgb("#f2a15c")
DAWN = rgb("#ffd9a0")
GOLD_LIGHT = rgb("#fff0b8")
GOLD = rgb("#f2c45a")
GOLD_DEEP = rgb("#a9641f")
INK = rgb("#1a0b22")
TEAL = rgb("#5fd8e8")
TEAL_LIGHT = rgb("#c9fbff")
MOOR = [rgb("#3a2452"), rgb("#28193f"), rgb("#180f2c"), rgb("#0c0819")]


def canvas(width, height, colour=NIGHT):
    return np.broadcast_to(colour, (height, width, 3)).astype(np.float32).copy()


def over(picture, colour, mask):
    """Paints colour (a colour or a picture) over the picture where the mask says, in place."""
    mask = np.clip(mask, 0.0, 1.0)[..., None]
    picture *= 1.0 - mask
    picture += mask * colour
    return picture


def add_light(picture, colour, mask):
    """Adds light (screen blend) where the mask says, in place."""
    light = np.clip(mask, 0.0, 1.0)[..., None] * colour
    picture[:] = 1.0 - (1.0 - picture) * (1.0 - light)
    return picture


def grid(width, height):
    return np.meshgrid(np.arange(width, dtype=np.float32) + 0.5, np.arange(height, dtype=np.float32) + 0.5)


def vertical_gradient(height, stops):
    """Rows of colour through (position 0..1, colour) stops."""
    positions = np.array([p for p, _ in stops], dtype=np.float32)
    colours = np.array([c for _, c in stops], dtype=np.float32)
    t = (np.arange(height, dtype=np.float32) + 0.5) / height
    return np.stack([np.interp(t, positions, colours[:, k]) for k in range(3)], axis=-1)


def radial(width, height, centre, radius, power=2.0, aspect=1.0):
    """1 at the centre falling to 0 at the radius, shaped by the power."""
    x, y = grid(width, height)
    distance = np.hypot((x - centre[0]) / aspect, y - centre[1]) / radius
    return np.clip(1.0 - distance, 0.0, 1.0) ** power


def smooth_noise(width, height, cell, rng, stretch=1):
    """Value noise in 0..1 with features about cell pixels high and stretch times as wide."""
    across, down = cell * stretch, cell
    coarse = rng.random((height // down + 3, width // across + 3)).astype(np.float32)
    image = Image.fromarray(coarse, mode="F").resize(((width // across + 3) * across, (height // down + 3) * down),
                                                      Image.BICUBIC)
    return np.asarray(image, dtype=np.float32)[down:down + height, across:across + width]


def fractal_noise(width, height, cell, rng, stretch=1, octaves=3):
    total = np.zeros((height, width), dtype=np.float32)
    weight = 0.0
    for octave in range(octaves):
        amount = 0.5 ** octave
        total += amount * smooth_noise(width, height, max(2, cell >> octave), rng, stretch)
        weight += amount
    return total / weight


def ridge(width, base, amplitude, rng, waves=5):
    """A hill line: y for every column, summed waves with random phases."""
    x = np.arange(width, dtype=np.float32)
    y = np.full(width, base, dtype=np.float32)
    for k in range(1, waves + 1):
        period = width / (0.6 + k * rng.uniform(0.7, 1.3))
        y += amplitude / k * np.sin(2 * math.pi * x / period + rng.uniform(0, 2 * math.pi))
    return y


def below(line, height, softness=1.0):
    """Mask of everything under a per-column line, with an anti-aliased edge."""
    rows = np.arange(height, dtype=np.float32)[:, None] + 0.5
    return np.clip((rows - line[None, :]) / softness + 0.5, 0.0, 1.0)


def polygons_mask(width, height, polygons, supersample=4):
    """Anti-aliased union of polygons, filled together so that shared edges leave no seam."""
    image = Image.new("L", (width * supersample, height * supersample), 0)
    draw = ImageDraw.Draw(image)
    for points in polygons:
        draw.polygon([(x * supersample, y * supersample) for x, y in points], fill=255)
    return np.asarray(image.resize((width, height), Image.BOX), dtype=np.float32) / 255.0


def polygon_mask(width, height, points, supersample=4):
    return polygons_mask(width, height, [points], supersample)


def _box(values, half, axis):
    """Mean over a window of 2 half + 1 along the axis, the edges held."""
    pad = [(0, 0)] * values.ndim
    pad[axis] = (half + 1, half)
    summed = np.cumsum(np.pad(values, pad, mode="edge"), axis=axis, dtype=np.float64)
    size = values.shape[axis]
    upper = np.take(summed, np.arange(2 * half + 1, 2 * half + 1 + size), axis=axis)
    lower = np.take(summed, np.arange(0, size), axis=axis)
    return ((upper - lower) / (2 * half + 1)).astype(np.float32)


def blur(mask, radius):
    """Close to a Gaussian of that radius: three box passes each way."""
    half = max(1, int(round(radius * 0.8)))
    result = np.asarray(mask, dtype=np.float32)
    for _ in range(3):
        result = _box(_box(result, half, 0), half, 1)
    return result


def stars(width, height, count, rng, fade_to):
    """A star field fading out towards the row fade_to."""
    field = np.zeros((height, width), dtype=np.float32)
    xs = rng.integers(0, width, count)
    ys = (rng.random(count) ** 1.6 * fade_to).astype(int)
    brightness = rng.uniform(0.25, 1.0, count) * (1.0 - ys / fade_to)
    field[ys, xs] = brightness
    big = rng.random(count) < 0.08
    for x, y, b in zip(xs[big], ys[big], brightness[big]):
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            if 0 <= x + dx < width and 0 <= y + dy < height:
                field[y + dy, x + dx] = max(field[y + dy, x + dx], b * 0.45)
    return field


def sparkle(width, height, centre, size, rays=4):
    """A four-pointed glint: thin bright rays with a soft core."""
    x, y = grid(width, height)
    dx, dy = x - centre[0], y - centre[1]
    core = np.exp(-(dx * dx + dy * dy) / (2 * (size * 0.18) ** 2))
    ray = np.zeros_like(x)
    for k in range(rays // 2):
        angle = math.pi * k / (rays // 2)
        along = dx * math.cos(angle) + dy * math.sin(angle)
        across = -dx * math.sin(angle) + dy * math.cos(angle)
        ray = np.maximum(ray, np.exp(-across * across / 1.2) * np.clip(1.0 - np.abs(along) / size, 0, 1) ** 2)
    return np.clip(core + ray, 0.0, 1.0)


# --- Captions --------------------------------------------------------------------------------------

def text_mask(width, height, text, font_file, size, position, anchor="mm", spacing=0):
    """Coverage of a caption; spacing adds pixels between letters (for letter-spaced titles)."""
    font = ImageFont.truetype(font_file, size)
    image = Image.new("L", (width, height), 0)
    draw = ImageDraw.Draw(image)
    if spacing == 0:
        draw.text(position, text, fill=255, font=font, anchor=anchor)
    else:
        total = sum(font.getlength(c) for c in text) + spacing * (len(text) - 1)
        x = position[0] - total / 2 if anchor[0] == "m" else position[0]
        for c in text:
            draw.text((x, position[1]), c, fill=255, font=font, anchor="l" + anchor[1])
            x += font.getlength(c) + spacing
    return np.asarray(image, dtype=np.float32) / 255.0


def grow(mask, pixels):
    image = Image.fromarray((np.clip(mask, 0, 1) * 255).astype(np.uint8))
    for _ in range(pixels):
        image = image.filter(ImageFilter.MaxFilter(3))
    return np.asarray(image, dtype=np.float32) / 255.0


def caption(picture, mask, top, bottom, fill_top, fill_bottom, outline=INK, outline_width=2, glow=None,
            glow_radius=10, glow_strength=0.8, shadow=3):
    """A caption with a vertical fill gradient between rows top and bottom, a dark outline, a drop shadow
    and an optional glow behind it."""
    height, width = mask.shape
    if glow is not None:
        add_light(picture, glow, blur(grow(mask, 2), glow_radius) * glow_strength)
    if shadow:
        shifted = np.zeros_like(mask)
        shifted[shadow:, shadow // 2:] = mask[:-shadow, :width - shadow // 2]
        over(picture, INK, blur(grow(shifted, outline_width), 2.0) * 0.7)
    over(picture, outline, grow(mask, outline_width))
    t = np.clip((np.arange(height, dtype=np.float32)[:, None] - top) / max(1.0, bottom - top), 0, 1)[..., None]
    fill = fill_top * (1 - t) + fill_bottom * t
    over(picture, np.broadcast_to(fill, (height, width, 3)), mask)
    return picture


def vignette(picture, strength=0.55, power=2.2):
    height, width = picture.shape[:2]
    x, y = grid(width, height)
    distance = np.hypot((x - width / 2) / (width / 2), (y - height / 2) / (height / 2)) / math.sqrt(2)
    picture *= (1.0 - strength * distance ** power)[..., None]
    return picture


# --- Output ------------------------------------------------------------------------------------------

def to_image(picture, alpha=None):
    rgb8 = (np.clip(picture, 0, 1) * 255 + 0.5).astype(np.uint8)
    if alpha is None:
        return Image.fromarray(rgb8, "RGB").convert("RGBA")
    a8 = (np.clip(alpha, 0, 1) * 255 + 0.5).astype(np.uint8)
    return Image.fromarray(np.dstack([rgb8, a8]), "RGBA")


def full_screen_texture(picture):
    """A 1024 by 768 picture in the top of a 1024 by 1024 texture (the game shows rows 0 to 0.75).

    A grain of two levels either way, too faint to see, keeps wide gradients from falling into the bands
    of 8-bit and block-compressed colour."""
    grain = (np.random.default_rng(0).random(picture.shape[:2], dtype=np.float32) - 0.5) * (4.0 / 255.0)
    texture = Image.new("RGBA", (1024, 1024), (0, 0, 0, 255))
    texture.paste(to_image(picture + grain[..., None]), (0, 0))
    return texture
