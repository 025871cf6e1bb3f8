"""Pictures of what the game shows, made from the written DDS files (for looking at the data only)."""
import numpy as np
from PIL import Image

import dds
import font
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


def draw_text(canvas, texture, table, text, x, y, char_width, char_height, colour):
    """Draws text onto an RGBA preview as the engine's texture font does (for looking at the result only)."""
    screen_w, screen_h = canvas.size
    glyphs = np.array(texture)
    cell_size = font.CELL
    pen = x * screen_w
    tint = Image.new("RGBA", (1, 1), colour)
    for character in text:
        index, width = table.get(ord(character), (ord(character), 1.0))
        texels = max(1, round(width * cell_size))
        column, row = index % font.GRID, index // font.GRID
        cell = Image.fromarray(glyphs[row * cell_size:(row + 1) * cell_size, column * cell_size:column * cell_size + texels])
        size = (max(1, round(char_width * width * screen_w)), round(char_height * screen_h))
        alpha = cell.getchannel("A").resize(size, Image.BILINEAR)
        glyph = tint.resize(size)
        glyph.putalpha(Image.fromarray((np.array(alpha) * (colour[3] / 255.0)).astype(np.uint8)))
        canvas.alpha_composite(glyph, (round(pen), round(y * screen_h)))
        pen += char_width * width * screen_w


def read_table(path):
    """The glyph table as code: (cell, width)."""
    table = {}
    with open(path, encoding="ascii") as file:
        for line in file:
            if "<glyph " in line:
                parts = dict(item.split("=") for item in line.strip()[7:].split("></")[0].split())
                table[int(parts["code"].strip('"'))] = (int(parts["index"].strip('"')),
                                                        float(parts["width"].strip('"')))
    return table


def font_sample(data):
    """Captions in the sizes the game's screens use, drawn from the font texture as the engine draws them."""
    texture = _texture(data + "/Res/font.dds")
    table = read_table(data + "/Res/font.xml")
    screen = Image.new("RGBA", loading.SCREEN, (43, 26, 70, 255))
    lines = ["Welcome, Ann! Play level 1-3   Score 12300   Time 01:25",
             "\u041f\u0440\u0438\u0432\u0435\u0442, \u0401\u0436\u0438\u043a! \u0429\u0443\u043a\u0430 \u00ab\u0416\u044e\u043b\u044c\u00bb \u2116 5 \u2014 99% \u2026",
             "0123456789 !?()[]{}@#$%&*+-=/\\ \u20ac \u00a9 \u2122 \u00b1 \u00a7"]
    y = 0.03
    for char_width, char_height in ((0.02, 0.04), (0.0154, 0.035), (0.0234, 0.0365), (0.0205, 0.0169)):
        for line, colour in zip(lines, ((255, 240, 181, 255), (255, 255, 255, 255), (229, 190, 44, 255))):
            draw_text(screen, texture, table, line, 0.03, y, char_width, char_height, colour)
            y += char_height + 0.012
        y += 0.03
    return screen
