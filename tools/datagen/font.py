"""The font texture (a 16 by 16 grid of glyph cells, cell = windows-1251 byte) and its glyph table.

The engine draws a character as the left part of its cell, as wide as the glyph's width factor times a
cell, and moves the pen on by the same factor times the character width on screen; a cell is drawn at the
full character height. So each glyph starts at its cell's left edge, its advance gives its width factor,
and every cell keeps an empty column on its left and an empty row above and below, so that bilinear
sampling at a glyph's edges never picks up its neighbour.
"""
import math

import numpy as np
from PIL import Image, ImageDraw, ImageFont

# The bold face the pictures' captions are lettered in, so that written and painted texts look alike.
FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
CODE_PAGE = "cp1251"
GRID = 16
CELL = 32                       # texels per cell side: 512 by 512 texels in all
SUPERSAMPLE = 8
EM = 25.5                       # design pixels per em: ascender to descender fills the cell less one texel each side
CELL_WIDTH_EM = 1.0             # a cell is one em wide on screen, so cells are seen at 25.5 by 32 (about 0.8 : 1)
STRETCH = CELL / (CELL_WIDTH_EM * EM)   # texels per design pixel across
BASELINE = 1.2 + 0.929 * EM     # the font's ascent below the empty top row and a little more


def characters():
    """(byte, character) for every windows-1251 byte that stands for a printable character."""
    for byte in list(range(0x20, 0x7F)) + list(range(0x80, 0x100)):
        try:
            yield byte, bytes([byte]).decode(CODE_PAGE)
        except UnicodeDecodeError:
            continue                # 0x98 is not assigned


class GlyphRenderer:
    def __init__(self):
        self.font = ImageFont.truetype(FONT_FILE, round(EM * SUPERSAMPLE))
        self.missing = np.array(self.font.getmask("\ue000"))

    def has_glyph(self, character):
        return not character.strip() or not np.array_equal(np.array(self.font.getmask(character)), self.missing)

    def ink(self, character):
        """The glyph in supersampled design pixels: coverage image with the pen at (margin, baseline)."""
        size = CELL * SUPERSAMPLE * 2
        margin = size // 4
        canvas = Image.new("L", (size, CELL * SUPERSAMPLE), 0)
        ImageDraw.Draw(canvas).text((margin, BASELINE * SUPERSAMPLE), character, fill=255, font=self.font,
                                    anchor="ls")
        return canvas, margin

    def cell(self, character):
        """The glyph's cell image (CELL by CELL coverage) and its width in texels."""
        canvas, margin = self.ink(character)
        advance = self.font.getlength(character) / SUPERSAMPLE
        columns = np.nonzero(np.array(canvas).max(axis=0))[0]
        left = (columns[0] - margin) / SUPERSAMPLE if len(columns) else 0.0
        right = (columns[-1] + 1 - margin) / SUPERSAMPLE if len(columns) else advance
        stretch, pen = fit(left, max(right, advance))
        width = min(CELL, max(math.ceil(pen + right * stretch - 0.25), round(pen + advance * stretch)))
        # Texel x of the cell shows design pixels from (x - pen) / stretch on: crop that span, then box-filter.
        source_left = margin - pen / stretch * SUPERSAMPLE
        box = (source_left, 0, source_left + CELL / stretch * SUPERSAMPLE, CELL * SUPERSAMPLE)
        return canvas.resize((CELL, CELL), Image.BOX, box=box), width


def fit(left, right):
    """Texels per design pixel across, and the pen's texel in the cell, for a glyph whose ink starts at left
    and whose ink or advance ends at right (design pixels from the pen): the ink starts at texel 1 or later,
    and the widest glyphs are narrowed to end within the cell."""
    stretch = STRETCH
    if max(0.0, 1.0 - left * stretch) + right * stretch > CELL:
        stretch = CELL / right
        if left * stretch < 1.0:
            stretch = (CELL - 1.0) / (right - left)
    return stretch, max(0.0, 1.0 - left * stretch)


def make_font(table_path):
    """The font texture (white, coverage in alpha); writes the glyph table on the way."""
    renderer = GlyphRenderer()
    coverage = Image.new("L", (GRID * CELL, GRID * CELL), 0)
    rows = []
    for byte, character in characters():
        if not renderer.has_glyph(character):
            continue
        image, width = renderer.cell(character)
        coverage.paste(image, ((byte % GRID) * CELL, (byte // GRID) * CELL))
        rows.append((ord(character), byte, width / CELL))
    white = Image.new("L", coverage.size, 255)
    texture = Image.merge("RGBA", (white, white, white, coverage))
    write_table(table_path, rows)
    return texture


def write_table(path, rows):
    lines = ['<?xml version="1.0" encoding="windows-1251"?>', "<font>"]
    for code, index, width in sorted(rows):
        lines.append('  <glyph code="%d" index="%d" width="%s"></glyph>' % (code, index, repr(width)))
    lines.append("</font>")
    with open(path, "w", encoding="ascii", newline="\n") as file:
        file.write("\n".join(lines) + "\n")
