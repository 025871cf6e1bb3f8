"""Pictures of what the game shows, made from the written DDS files (for looking at the data only)."""
import numpy as np
from PIL import Image

import dds
import loading


def _texture(path):
    with open(path, "rb") as file:
        return Image.fromarray(dds.decode(file.read()), "RGBA")


def _draw(screen, texture, rect, position, size):
    """An unfiltered sprite: texels rect (left, top, right, bottom in texels) to the screen box."""
    x, y = round(position[0]), round(position[1])
    width, height = max(1, round(size[0])), max(1, round(size[1]))
    part = texture.crop(rect).resize((width, height), Image.NEAREST)
    screen.alpha_composite(part, (x, y))


def loading_screen(folder, fraction, step):
    screen = Image.new("RGBA", loading.SCREEN, (0, 0, 0, 255))
    w, h = loading.SCREEN
    _draw(screen, _texture(folder + "/background.dds"), (0, 0, 1024, 768), (0, 0), (0.99 * w, 0.99 * h))
    sheet = _texture(folder + "/animation.dds")
    row, column = divmod(loading.FRAMES - 1 - step % loading.FRAMES, 4)
    cell = (column * loading.FRAME, row * loading.FRAME, (column + 1) * loading.FRAME, (row + 1) * loading.FRAME)
    x, y, sw, sh = loading.screen_box(loading.RUNE_POSITION, loading.RUNE_SIZE)
    _draw(screen, sheet, cell, (x, y), (sw, sh))
    x, y, bw, bh = loading.screen_box(loading.BAR_POSITION, loading.BAR_SIZE)
    used_w, used_h = loading.BAR_USED
    _draw(screen, _texture(folder + "/passive.dds"), (0, 0, used_w, used_h), (x, y), (bw, bh))
    if fraction > 0:
        _draw(screen, _texture(folder + "/active.dds"), (0, 0, round(used_w * fraction), used_h), (x, y),
              (bw * fraction, bh))
    return screen


def splash_screen(path):
    return _texture(path).crop((0, 0, 1024, 768))


def sheet_on(path, colour):
    texture = _texture(path)
    back = Image.new("RGBA", texture.size, colour)
    back.alpha_composite(texture)
    return back
