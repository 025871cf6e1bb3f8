"""The game objects' picture sheets: the three wanderers, the monster, the moor's blocks and the magic fixtures.

A sheet is frames side by side; the game stretches one frame over the object's box, so figures stand on the
frame's bottom (a few texels up) and reach nearly to its top. Walkers face right; the game mirrors them.
"""
import math
import os
import sys

import numpy as np

import art

GROUND_ROW = 124                      # where the feet of every walker rest, in a 128-texel frame
FRAMES = 4

# Shades made from the palette for the figures.
TEAL_DEEP = art.TEAL * 0.42 + art.INDIGO * 0.35
TEAL_MID = art.TEAL * 0.62 + art.INDIGO * 0.2
SKIN = art.DAWN * 0.92 + art.ROSE * 0.08
BONE = art.rgb("#f4eadb")
WOOD = art.GOLD_DEEP * 0.85 + art.PLUM * 0.1
STONE = art.MOOR[0] * 1.15 + art.INDIGO * 0.25
WHITE = np.ones(3, dtype=np.float32)


# --- Drawing on a transparent layer -----------------------------------------------------------------

class Layer:
    """Straight-alpha colour and coverage, painted back to front."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.colour = np.zeros((height, width, 3), dtype=np.float32)
        self.alpha = np.zeros((height, width), dtype=np.float32)

    def paint(self, colour, mask, outline=None):
        """Paints over what is there; an outline colour first rims the shape by a texel, cartoon fashion."""
        if outline is not None:
            self._over(outline, art.grow(mask, 1))
        self._over(colour, mask)

    def _over(self, colour, mask):
        m = np.clip(mask, 0.0, 1.0)
        under = self.alpha * (1.0 - m)
        total = m + under
        colour = np.broadcast_to(colour, self.colour.shape)
        self.colour = (m[..., None] * colour + under[..., None] * self.colour) / np.maximum(total, 1e-6)[..., None]
        self.alpha = total

    def shine(self, colour, mask):
        """Light added to what is painted, leaving the coverage alone."""
        art.add_light(self.colour, colour, mask)

    def glow(self, colour, mask):
        """Light that also spreads over the clear background as a translucent halo."""
        g = np.clip(mask, 0.0, 1.0)
        lit = 1.0 - (1.0 - self.colour) * (1.0 - g[..., None] * colour)
        total = self.alpha + g * (1.0 - self.alpha)
        self.colour = (self.alpha[..., None] * lit + (g * (1.0 - self.alpha))[..., None] * colour) \
            / np.maximum(total, 1e-6)[..., None]
        self.alpha = total

    def rgba(self):
        return np.dstack([self.colour, self.alpha])


def ellipse(width, height, centre, radii, turn=0.0):
    points = []
    for k in range(64):
        t = 2 * math.pi * k / 64
        ex, ey = radii[0] * math.cos(t), radii[1] * math.sin(t)
        points.append((centre[0] + ex * math.cos(turn) - ey * math.sin(turn),
                       centre[1] + ex * math.sin(turn) + ey * math.cos(turn)))
    return art.polygon_mask(width, height, points)


def stroke(width, height, points, radius, end_radius=None):
    """A round-ended line through the points, its thickness tapering from radius to end_radius."""
    end_radius = radius if end_radius is None else end_radius
    x, y = art.grid(width, height)
    mask = np.zeros((height, width), dtype=np.float32)
    lengths = [math.hypot(b[0] - a[0], b[1] - a[1]) for a, b in zip(points, points[1:])]
    total = max(sum(lengths), 1e-6)
    walked = 0.0
    for (ax, ay), (bx, by), length in zip(points, points[1:], lengths):
        dx, dy = bx - ax, by - ay
        t = np.clip(((x - ax) * dx + (y - ay) * dy) / max(dx * dx + dy * dy, 1e-6), 0, 1)
        along = (walked + t * length) / total
        r = radius + (end_radius - radius) * along
        mask = np.maximum(mask, np.clip(r + 0.5 - np.hypot(x - ax - t * dx, y - ay - t * dy), 0, 1))
        walked += length
    return mask


def shifted(mask, dx, dy):
    """The mask moved by whole texels, clear where it left."""
    out = np.zeros_like(mask)
    h, w = mask.shape
    out[max(dy, 0):h + min(dy, 0), max(dx, 0):w + min(dx, 0)] = \
        mask[max(-dy, 0):h + min(-dy, 0), max(-dx, 0):w + min(-dx, 0)]
    return out


def edge(mask, dx, dy):
    """The band of the shape left uncovered when it moves by dx, dy: its side facing away from the move."""
    return np.clip(mask - shifted(mask, dx, dy), 0, 1)


def part(layer, mask, base, shadow=None, light=None, outline=art.INK, depth=3):
    """A cartoon part lit from the upper right (the way the walkers face): shade on its back and underside."""
    layer.paint(base, mask, outline)
    if shadow is not None:
        layer.paint(shadow, art.blur(edge(mask, depth, -depth + 1), 0.6) * mask)
    if light is not None:
        layer.paint(light, edge(mask, -2, 2) * mask * 0.8)


def outlined(layer):
    """The whole figure set on an ink rim, so that it reads against any backdrop."""
    out = Layer(layer.width, layer.height)
    out.paint(art.INK, art.grow(layer.alpha, 1))
    out._over(layer.colour, layer.alpha)
    return out


def gait(frame):
    """Swing (1, 0, -1, 0) of the near leg, the lift of each foot, and the body's rise, for a four-step walk:
    contact, passing, contact with the other foot, passing."""
    a = 2 * math.pi * frame / FRAMES
    swing = math.cos(a)
    return swing, max(0.0, math.sin(a)), max(0.0, -math.sin(a)), -2.0 * abs(math.sin(a))


def knee(hip, foot, upper, lower):
    """Where a two-part leg bends (forward) to reach the foot."""
    dx, dy = foot[0] - hip[0], foot[1] - hip[1]
    d = min(math.hypot(dx, dy), upper + lower - 0.01)
    a = (upper * upper - lower * lower + d * d) / (2 * d)
    h = math.sqrt(max(upper * upper - a * a, 0.0))
    ux, uy = dx / d, dy / d
    px, py = hip[0] + a * ux, hip[1] + a * uy
    first, second = (px - h * uy, py + h * ux), (px + h * uy, py - h * ux)
    return first if first[0] > second[0] else second


def sheet(frames):
    """Frames (RGBA arrays) side by side as one picture."""
    strip = np.concatenate(frames, axis=1)
    return art.to_image(strip[..., :3], strip[..., 3])


# --- The wanderers ---------------------------------------------------------------------------------

W, H = 64, 128


def tovemmar_frame(frame):
    """A small robed wanderer: teal cloak with gold trim, a pointed hood over a shadowed face, a staff."""
    swing, lift_near, lift_far, rise = gait(frame)
    layer = Layer(W, H)
    b = rise
    # Boots peek out under the hem; the far one darker.
    for side, lift, tone in ((-1, lift_far, 0.55), (1, lift_near, 0.9)):
        fx, fy = 31 + side * 7 * swing, GROUND_ROW - 4 - 5 * lift
        part(layer, stroke(W, H, [(fx - 3, fy), (fx + 4, fy + 0.5)], 3.2), (art.GOLD_DEEP * 0.45 + art.INK) * tone)
    sway = -2.5 * swing
    hem = GROUND_ROW - 11 + b
    robe = art.polygon_mask(W, H, [(27, 40 + b), (38, 42 + b), (43, 58 + b), (47 + sway * 0.5, hem - 1),
                                   (39, hem + 2), (30, hem + 1), (21, hem + 2), (13 + sway, hem - 1),
                                   (19, 60 + b), (21, 46 + b)])
    part(layer, robe, TEAL_MID, shadow=TEAL_DEEP, light=art.TEAL * 0.85)
    # Folds, swinging a little with the stride.
    for fold_x in (24, 33):
        fold = stroke(W, H, [(fold_x + 1, 66 + b), (fold_x + sway * 0.4, hem - 2)], 0.7)
        layer.paint(TEAL_DEEP, fold * robe * 0.8)
    trim = np.clip(robe - shifted(robe, 0, -3), 0, 1) * (np.arange(H)[:, None] > 90)
    layer.paint(art.GOLD, trim)
    layer.paint(art.GOLD, stroke(W, H, [(38, 46 + b), (42, 72 + b), (44 + sway * 0.3, hem - 1)], 0.9) * robe)
    # Pointed hood, its tip bent back by the walk.
    tip = (13 - 1.5 * lift_near, 7 + b)
    hood = art.polygon_mask(W, H, [tip, (22, 12 + b), (33, 18 + b), (45, 30 + b), (46, 42 + b), (40, 50 + b),
                                   (24, 52 + b), (17, 42 + b), (17, 26 + b)])
    part(layer, hood, TEAL_MID * 1.05, shadow=TEAL_DEEP, light=art.TEAL)
    face = ellipse(W, H, (38, 36 + b), (7, 8.5))
    layer.paint(art.GOLD, art.grow(face, 1) - face)
    layer.paint(art.INK * 0.6 + art.INDIGO * 0.4, face)
    blink = 0.4 if frame == 2 else 1.0
    for eye_x in (37.5, 42.5):
        eye = ellipse(W, H, (eye_x, 36 + b), (1.3, 1.7 * blink))
        layer.glow(art.GOLD_LIGHT, eye)
        layer.shine(art.AMBER, art.blur(eye, 1.5) * 0.7)
    # The near arm swings against the near leg and carries the staff.
    hand = (43 - 5 * swing, 74 + b)
    staff_x = hand[0] + 3
    staff = stroke(W, H, [(staff_x, hand[1] - 50), (staff_x + 0.5, min(hand[1] + 48, GROUND_ROW))], 1.3)
    part(layer, staff, WOOD, outline=art.INK)
    orb_centre = (staff_x, hand[1] - 54)
    layer.glow(art.TEAL, art.radial(W, H, orb_centre, 11, 1.6) * 0.7)
    orb = ellipse(W, H, orb_centre, (3.6, 3.6))
    layer.paint(art.TEAL_LIGHT, orb, art.INK)
    layer.shine(WHITE, ellipse(W, H, (orb_centre[0] + 1, orb_centre[1] - 1), (1.2, 1.2)))
    sleeve = art.polygon_mask(W, H, [(31, 50 + b), (37, 50 + b), (hand[0] + 4, hand[1] - 2), (hand[0] + 2, hand[1] + 3),
                                     (hand[0] - 4, hand[1] + 2), (29, 60 + b)])
    part(layer, sleeve, TEAL_MID * 1.1, shadow=TEAL_DEEP, light=art.TEAL)
    layer.paint(art.GOLD, edge(sleeve, -3, -3) * (np.arange(H)[:, None] > hand[1] - 4))
    part(layer, ellipse(W, H, (hand[0] + 2.5, hand[1] + 1), (2.6, 2.6)), SKIN, shadow=SKIN * 0.8, depth=1)
    return outlined(layer).rgba()


def gribbanoddle_frame(frame):
    """A round stout fellow in rose and plum, a lit gold lantern on his head for a hat."""
    swing, lift_near, lift_far, rise = gait(frame)
    b = rise
    layer = Layer(W, H)
    # Short legs and big round shoes; far leg first.
    for side, lift, tone in ((-1, lift_far, 0.6), (1, lift_near, 1.0)):
        hip = (31 + side * 3, 100 + b)
        foot = (31 + side * 8 * swing, GROUND_ROW - 4 - 5 * lift)
        part(layer, stroke(W, H, [hip, foot], 4.2), art.PLUM * 0.8 * tone)
        shoe = ellipse(W, H, (foot[0] + 2, foot[1] + 0.5), (6, 3.6))
        part(layer, shoe, (art.INK * 0.6 + art.GOLD_DEEP * 0.4) * tone, light=art.GOLD_DEEP * tone)
    far_hand = (28 + 7 * swing, 86 + b)
    part(layer, stroke(W, H, [(30, 70 + b), far_hand], 3.6), art.PLUM * 0.6)
    part(layer, ellipse(W, H, far_hand, (3, 3)), SKIN * 0.7)
    body = ellipse(W, H, (31, 83 + b), (21, 24 - rise * 0.5))
    part(layer, body, art.ROSE, shadow=art.PLUM, light=art.AMBER * 0.5 + art.ROSE * 0.7, depth=5)
    rows = np.arange(H, dtype=np.float32)[:, None]
    belt = body * np.clip(1.0 - np.abs(rows - (92 + b)) / 3.5, 0, 1)
    layer.paint(art.PLUM * 0.85, belt)
    layer.paint(art.INK, belt * (np.abs(rows - (92 + b)) > 2.5))
    layer.paint(art.GOLD, ellipse(W, H, (45, 92 + b), (3.2, 3.6)), art.INK)
    layer.paint(art.GOLD_DEEP, ellipse(W, H, (45, 92 + b), (1.2, 1.8)))
    for button_y in (70, 79):
        layer.paint(art.GOLD, ellipse(W, H, (46 + (button_y - 70) * 0.08, button_y + b), (1.6, 1.6)), art.INK)
    head = ellipse(W, H, (33, 50 + b), (12, 11.5))
    part(layer, head, SKIN, shadow=SKIN * 0.75 + art.ROSE * 0.1, depth=3)
    layer.paint(art.ROSE, art.blur(ellipse(W, H, (38, 54 + b), (3, 2)), 0.8) * 0.6)
    layer.paint(art.INK, ellipse(W, H, (39, 48 + b), (1.4, 2.0 if frame != 2 else 0.6)))
    layer.paint(WHITE, ellipse(W, H, (39.5, 47.3 + b), (0.5, 0.5)) * 0.9)
    part(layer, ellipse(W, H, (45.5, 51 + b), (3.2, 2.8)), SKIN * 0.97 + art.ROSE * 0.1, light=art.DAWN, depth=1)
    layer.paint(art.INK, stroke(W, H, [(38, 57 + b), (41, 58 + b), (43, 56.5 + b)], 0.6))
    # The lantern hat lags the body's bob by a texel, so it seems to sit loose.
    h = b + 2 - 0.8 * math.sin(2 * math.pi * frame / FRAMES + 0.6)
    brim = ellipse(W, H, (33, 38 + h), (14, 3.2))
    part(layer, brim, art.GOLD_DEEP, light=art.GOLD)
    cage = art.polygon_mask(W, H, [(24, 36 + h), (42, 36 + h), (40, 17 + h), (26, 17 + h)])
    glass = art.vertical_gradient(H, [(0.0, art.GOLD_LIGHT), (0.2, art.GOLD_LIGHT), (0.3, art.AMBER),
                                      (1.0, art.AMBER)])[:, None, :]
    layer.glow(art.GOLD, art.radial(W, H, (33, 26 + h), 24, 1.7) * 0.55)
    layer.paint(np.broadcast_to(glass, (H, W, 3)), cage, art.INK)
    layer.shine(WHITE, art.radial(W, H, (33, 27 + h), 5, 1.2))
    x = np.arange(W, dtype=np.float32)[None, :]
    bars = cage * np.maximum(np.clip(1.0 - np.abs(x - 33), 0, 1),
                             np.clip(1.0 - np.abs(x - 27.5 - 0.15 * (x - 27)), 0, 1))
    layer.paint(art.GOLD_DEEP, bars)
    layer.paint(art.GOLD_DEEP, edge(cage, 0, 2) + edge(cage, 0, -2))
    roof = art.polygon_mask(W, H, [(23, 17 + h), (43, 17 + h), (36, 10 + h), (30, 10 + h)])
    part(layer, roof, art.GOLD, shadow=art.GOLD_DEEP, light=art.GOLD_LIGHT, depth=2)
    ring = np.clip(ellipse(W, H, (33, 7 + h), (3.2, 3.2)) - ellipse(W, H, (33, 7 + h), (1.6, 1.6)), 0, 1)
    layer.paint(art.GOLD, ring, art.INK)
    # Near arm in front of the body.
    near_hand = (38 - 8 * swing, 88 + b)
    part(layer, stroke(W, H, [(35, 70 + b), near_hand], 4.0), art.PLUM, light=art.ROSE * 0.8)
    part(layer, ellipse(W, H, near_hand, (3.4, 3.4)), SKIN, shadow=SKIN * 0.8, depth=1)
    return outlined(layer).rgba()


def weskaroon_frame(frame):
    """A tall thin figure in amber and dawn, a long striped scarf streaming behind."""
    swing, lift_near, lift_far, rise = gait(frame)
    b = rise * 1.2
    layer = Layer(W, H)
    trousers = art.GOLD_DEEP * 0.6 + art.PLUM * 0.3
    # Scarf tail behind everything, waving with the steps.
    phase = 2 * math.pi * frame / FRAMES
    tail = [(27 - 2.8 * k, 27 - 0.5 * k + b + 3.0 * math.sin(phase - 1.2 * k) * min(k, 3) / 3) for k in range(8)]
    scarf_tail = stroke(W, H, tail, 3.3, 2.6)
    x, y = art.grid(W, H)
    stripes = (np.floor((x + 0.5 * y) / 4.0) % 2).astype(np.float32)
    part(layer, scarf_tail, art.DAWN, shadow=art.AMBER, depth=2)
    layer.paint(art.ROSE, scarf_tail * stripes)
    end_x, end_y = tail[-1]
    fringe = np.zeros((H, W), dtype=np.float32)
    for k in (-1.8, 0.0, 1.8):
        fringe = np.maximum(fringe, stroke(W, H, [(end_x, end_y + k), (end_x - 3.5, end_y + k * 1.4 + 1)], 0.7))
    layer.paint(art.ROSE, fringe, art.INK)
    # Long legs; the far one in shade.
    for side, lift, tone in ((-1, lift_far, 0.6), (1, lift_near, 1.0)):
        hip = (31, 74 + b)
        foot = (31 + side * 11 * swing, GROUND_ROW - 3 - 7 * lift)
        bend = knee(hip, foot, 25, 25)
        part(layer, stroke(W, H, [hip, bend, foot], 2.8, 2.3), trousers * tone, light=art.GOLD_DEEP * tone)
        boot = stroke(W, H, [(foot[0] - 2, foot[1]), (foot[0] + 5, foot[1] + 1)], 2.8)
        part(layer, boot, (art.INK * 0.7 + art.PLUM * 0.3) * tone)
    far_hand = (28 + 9 * swing, 70 + b)
    part(layer, stroke(W, H, [(31, 34 + b), (29 + 4 * swing, 52 + b), far_hand], 2.4), art.AMBER * 0.55)
    coat_tail = -2.0 * swing
    coat = art.polygon_mask(W, H, [(25, 30 + b), (38, 30 + b), (40, 52 + b), (39, 78 + b), (31, 80 + b),
                                   (21 + coat_tail, 84 + b), (23, 60 + b), (22, 42 + b)])
    part(layer, coat, art.AMBER, shadow=art.AMBER * 0.6 + art.PLUM * 0.2, light=art.DAWN, depth=3)
    layer.paint(art.DAWN, stroke(W, H, [(36, 32 + b), (38, 50 + b), (37, 77 + b)], 1.0) * coat)
    for button_y in (44, 54, 64):
        layer.paint(art.GOLD_DEEP, ellipse(W, H, (36, button_y + b), (1.1, 1.1)))
    layer.paint(art.GOLD_DEEP * 0.7, np.clip(coat * (np.abs(y - (66 + b)) < 1.3), 0, 1))
    head = ellipse(W, H, (33, 16 + b), (7, 8))
    part(layer, head, SKIN, shadow=SKIN * 0.78, depth=2)
    hair = art.polygon_mask(W, H, [(25, 16 + b), (27, 9 + b), (31, 6 + b), (35, 8 + b), (38, 6.5 + b),
                                   (40, 10 + b), (33, 11 + b), (29, 17 + b)])
    part(layer, hair, art.PLUM, light=art.ROSE)
    part(layer, stroke(W, H, [(39, 16 + b), (45, 20 + b)], 1.5, 0.8), SKIN, shadow=SKIN * 0.8, depth=1)
    layer.paint(art.INK, ellipse(W, H, (36.5, 15 + b), (1.1, 1.6 if frame != 1 else 0.5)))
    layer.paint(art.INK, stroke(W, H, [(34, 21 + b), (37, 21.5 + b)], 0.5))
    # Scarf wrapped at the neck, over the coat.
    wrap = stroke(W, H, [(26, 27 + b), (38, 27 + b)], 3.2)
    part(layer, wrap, art.DAWN, shadow=art.AMBER, depth=2)
    layer.paint(art.ROSE, wrap * (np.abs(x - 32) < 2))
    near_hand = (33 - 9 * swing, 71 + b)
    elbow = (33 - 3 * swing, 52 + b)
    part(layer, stroke(W, H, [(32, 34 + b), elbow, near_hand], 2.6, 2.2), art.AMBER * 0.92,
         shadow=art.AMBER * 0.6, light=art.DAWN, depth=2)
    part(layer, ellipse(W, H, near_hand, (2.3, 2.6)), SKIN)
    return outlined(layer).rgba()


def monster_frame(frame):
    """A dark violet blob lurching on stubby feet: a wide mouth of teeth, two glowing rose eyes."""
    swing, lift_near, lift_far, rise = gait(frame)
    phase = 2 * math.pi * frame / FRAMES
    layer = Layer(W, H)
    squash = 1.5 * math.cos(2 * phase)
    for side, lift, tone in ((-1, lift_far, 0.55), (1, lift_near, 0.9)):
        foot = (31 + side * 9 * swing, GROUND_ROW - 4 - 5 * lift)
        part(layer, stroke(W, H, [(31 + side * 5, 100), foot], 5, 4), art.VIOLET * 0.8 * tone,
             light=art.PLUM * tone)
        for toe in (-3, 0, 3):
            layer.paint(BONE * tone, art.polygon_mask(W, H, [(foot[0] + toe + 2, foot[1] + 1), (foot[0] + toe + 5,
                                                                                                 foot[1] + 3.5),
                                                             (foot[0] + toe + 1, foot[1] + 3.5)]), art.INK)
    centre = (31, 68 + rise + squash)
    points = []
    for k in range(72):
        t = 2 * math.pi * k / 72
        wobble = 1.0 + 0.05 * math.sin(5 * t + phase) + 0.03 * math.sin(9 * t - 2 * phase)
        rx, ry = (22 + squash) * wobble, (42 - squash) * wobble
        # Spines along the back, from the crown down.
        spine = 0.0
        if math.pi < t < 1.75 * math.pi:
            spine = 0.12 * max(0.0, math.cos(9 * t)) ** 6
        points.append((centre[0] + rx * (1 + spine) * math.cos(t), centre[1] + ry * (1 + spine) * math.sin(t)))
    body = art.polygon_mask(W, H, points)
    part(layer, body, art.VIOLET * 1.1, shadow=art.INK * 0.5 + art.VIOLET * 0.5, light=art.PLUM * 1.5, depth=6)
    layer.shine(art.ROSE, art.blur(edge(body, -3, 3), 1.0) * body * 0.35)
    rng = np.random.default_rng(41)
    for _ in range(9):
        spot = (centre[0] + rng.uniform(-18, 8), centre[1] + rng.uniform(-30, 28))
        layer.paint(art.INDIGO * 0.8, ellipse(W, H, spot, (rng.uniform(1.5, 3.2),) * 2) * body * 0.8)
    belly = ellipse(W, H, (centre[0] + 7, centre[1] + 15), (12, 18)) * body
    layer.paint(art.PLUM * 0.7 + art.VIOLET * 0.3, art.blur(belly, 2) * 0.6)
    # The mouth: a dark gash with two rows of teeth, opening and closing.
    mouth_y = centre[1] + 6
    gape = 6.0 + 2.5 * math.sin(phase)
    mouth = art.polygon_mask(W, H, [(24, mouth_y - 1), (34, mouth_y - gape * 0.5), (50, mouth_y - gape * 0.6),
                                    (55, mouth_y - 1), (50, mouth_y + gape * 0.8), (36, mouth_y + gape * 0.8)])
    layer.paint(art.INK * 0.7 + art.PLUM * 0.3, mouth * body, art.INK)
    layer.paint(art.ROSE * 0.8, ellipse(W, H, (44, mouth_y + gape * 0.5), (6, 2)) * mouth)
    teeth = []
    for k in range(6):
        tx = 28.5 + 4.3 * k
        top = mouth_y - gape * 0.55 * min(1.0, (tx - 24) / 10)
        teeth.append([(tx - 2, top - 0.5), (tx + 2, top - 0.5), (tx + 0.3, top + 3.6)])
        if k < 5:
            low = mouth_y + gape * 0.8
            teeth.append([(tx + 0.3, low + 0.5), (tx + 4.3, low + 0.5), (tx + 2.3, low - 3.2)])
    layer.paint(BONE, art.polygons_mask(W, H, teeth) * body)
    # Eyes: rose light with bright cores, each a touch out of step.
    for k, (ex, ey, r) in enumerate(((36, centre[1] - 18, 4.0), (46, centre[1] - 15, 3.3))):
        socket = ellipse(W, H, (ex, ey), (r + 1.2, r + 0.8))
        layer.paint(art.INK, socket)
        layer.glow(art.ROSE, art.radial(W, H, (ex, ey), r * 3.2, 1.8) * (0.55 + 0.15 * math.cos(phase + k)))
        layer.paint(art.ROSE, ellipse(W, H, (ex, ey), (r, r * 0.8)))
        layer.paint(art.rgb("#ffc2cc"), ellipse(W, H, (ex + 0.8, ey), (r * 0.45, r * 0.4)))
        brow = stroke(W, H, [(ex - r - 1, ey - r - 1.5 + k), (ex + r + 1, ey - r + 1 - k)], 1.1)
        layer.paint(art.INK, brow)
    return outlined(layer).rgba()


def tovemmar():
    return sheet([tovemmar_frame(k) for k in range(FRAMES)])


def gribbanoddle():
    return sheet([gribbanoddle_frame(k) for k in range(FRAMES)])


def weskaroon():
    return sheet([weskaroon_frame(k) for k in range(FRAMES)])


def monster():
    return sheet([monster_frame(k) for k in range(FRAMES)])


# --- Blocks of the moor ---------------------------------------------------------------------------

def wrap_noise(width, height, cell, rng, octaves=3):
    """Value noise in 0..1 that repeats across the width, so that blocks laid side by side show no seam."""
    total = np.zeros((height, width), dtype=np.float32)
    weight = 0.0
    for octave in range(octaves):
        size = max(2, cell >> octave)
        columns = max(1, width // size)
        rows = height // size + 2
        lattice = rng.random((rows, columns)).astype(np.float32)
        gx = (np.arange(width, dtype=np.float32) + 0.5) / width * columns
        gy = (np.arange(height, dtype=np.float32) + 0.5) / size
        i0, j0 = np.floor(gx).astype(int), np.floor(gy).astype(int)
        fx, fy = gx - i0, gy - j0
        fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        i0 %= columns
        i1 = (i0 + 1) % columns
        top = lattice[j0][:, i0] * (1 - fx) + lattice[j0][:, i1] * fx
        bottom = lattice[j0 + 1][:, i0] * (1 - fx) + lattice[j0 + 1][:, i1] * fx
        amount = 0.5 ** octave
        total += amount * (top * (1 - fy[:, None]) + bottom * fy[:, None])
        weight += amount
    return total / weight


def wrapped(width, polygon):
    """The polygon and its copies a width to either side, for shapes crossing a tiling edge."""
    return [[(x + shift, y) for x, y in polygon] for shift in (-width, 0, width)]


def ground():
    """Moor earth: a mat of violet grass over dark soil with stones, repeating side by side."""
    width, height = 256, 64
    rng = np.random.default_rng(5150)
    soil = art.vertical_gradient(height, [(0.0, art.MOOR[1]), (0.5, art.MOOR[2]), (1.0, art.MOOR[3])])
    picture = np.broadcast_to(soil[:, None, :], (height, width, 3)).copy()
    grain = wrap_noise(width, height, 16, rng, octaves=4)
    picture *= (0.75 + 0.5 * grain)[..., None]
    x, y = art.grid(width, height)
    stones = []
    for _ in range(22):
        cx, cy = rng.uniform(0, width), rng.uniform(22, 60)
        rx, ry = rng.uniform(3, 8), rng.uniform(2, 5)
        stones += wrapped(width, [(cx + rx * math.cos(t), cy + ry * math.sin(t))
                                  for t in np.linspace(0, 2 * math.pi, 12, endpoint=False)])
    stone = art.polygons_mask(width, height, stones)
    art.over(picture, art.INK, art.blur(shifted(stone, 1, 2), 1.0) * 0.6)
    art.over(picture, art.MOOR[0] * (0.8 + 0.4 * grain[..., None]), stone)
    art.over(picture, STONE * 1.3, edge(stone, 0, 2) * 0.6)
    # Thin roots wandering down from the grass.
    roots = np.zeros((height, width), dtype=np.float32)
    for _ in range(9):
        rx0 = rng.uniform(0, width)
        path = [(rx0, 10.0)]
        for _ in range(6):
            path.append((path[-1][0] + rng.uniform(-4, 4), path[-1][1] + rng.uniform(3, 6)))
        for shift in (-width, 0, width):
            roots = np.maximum(roots, stroke(width, height, [(px + shift, py) for px, py in path], 0.6))
    art.over(picture, art.PLUM * 0.6, roots * 0.7)
    # A few teal glints: the moor's magic in the earth.
    for _ in range(6):
        gx, gy = rng.uniform(4, width - 4), rng.uniform(26, 58)
        art.add_light(picture, art.TEAL, art.radial(width, height, (gx, gy), 5, 2.0) * 0.6)
        art.add_light(picture, art.TEAL_LIGHT, art.sparkle(width, height, (gx, gy), 3) * 0.8)
    # The grass mat: its lower edge dips and hangs in tufts over the soil.
    line = 13 + 6 * wrap_noise(width, 1, 16, rng, octaves=2)[0] - 3
    mat = art.below(-np.ones(width), height) * (1 - art.below(line, height))
    blades = []
    for bx in np.arange(0, width, 2.0):
        bx += rng.uniform(-0.8, 0.8)
        base = line[int(bx) % width]
        length = rng.uniform(3, 8)
        lean = rng.uniform(-1.5, 1.5)
        blades += wrapped(width, [(bx - 1.1, base - 2), (bx + 1.1, base - 2), (bx + lean, base + length)])
    hanging = art.polygons_mask(width, height, blades)
    cover = np.maximum(mat, hanging)
    art.over(picture, art.INK, art.blur(shifted(cover, 0, 2), 1.2) * 0.7)
    mat_colour = art.vertical_gradient(height, [(0.0, art.PLUM * 1.1), (0.12, art.VIOLET * 1.3), (0.3, art.VIOLET),
                                                (0.45, art.MOOR[0])])
    art.over(picture, np.broadcast_to(mat_colour[:, None, :], picture.shape), cover)
    tips = []
    for bx in np.arange(0, width, 3.0):
        bx += rng.uniform(-1, 1)
        top = rng.uniform(0, 5)
        tips += wrapped(width, [(bx - 1, top + 7), (bx + 1, top + 7), (bx + rng.uniform(-2, 2), top)])
    art.over(picture, art.PLUM * 1.25, art.polygons_mask(width, height, tips) * 0.85)
    art.add_light(picture, art.ROSE * 0.6, np.clip(1.0 - y / 4.0, 0, 1) * 0.7)
    return art.to_image(picture)


def wall():
    """An upright wall of laid stones, teal magic running up its edges and through a carved rune."""
    width, height = 64, 256
    rng = np.random.default_rng(777)
    x, y = art.grid(width, height)
    picture = art.canvas(width, height, art.INK)
    grain = art.fractal_noise(width, height, 8, rng, octaves=3)
    course = 32
    for row in range(height // course):
        offset = 0 if row % 2 == 0 else 16
        for left in range(-32 + offset, width, 32):
            shade = rng.uniform(0.8, 1.2)
            top, bottom = row * course + 1.5, row * course + 30.5
            brick = art.polygon_mask(width, height, [(left + 1.5, top), (left + 30.5, top), (left + 30.5, bottom),
                                                     (left + 1.5, bottom)])
            colour = STONE * shade * (0.8 + 0.45 * grain[..., None])
            art.over(picture, colour, brick)
            art.over(picture, STONE * shade * 1.55, edge(brick, 2, 2) * 0.6)
            art.over(picture, art.MOOR[3], edge(brick, -2, -2) * 0.7)
    cracks = stroke(width, height, [(40, 70), (44, 78), (42, 86), (47, 92)], 0.5)
    art.over(picture, art.INK, cracks)
    # The rune carved in the middle stone, lit from within.
    rune = stroke(width, height, [(32, 112), (32, 144)], 1.3)
    rune = np.maximum(rune, stroke(width, height, [(24, 120), (32, 128), (40, 120)], 1.1))
    rune = np.maximum(rune, stroke(width, height, [(25, 140), (32, 134), (39, 140)], 1.1))
    art.add_light(picture, art.TEAL, art.blur(rune, 4) * 0.9)
    art.over(picture, art.TEAL_LIGHT, rune)
    # Teal light running up both edges.
    for side_x in (2.5, width - 2.5):
        line = np.clip(1.2 - np.abs(x - side_x), 0, 1)
        flicker = 0.75 + 0.25 * np.sin(y / 11.0 + side_x)
        art.add_light(picture, art.TEAL, np.exp(-((x - side_x) / 5.0) ** 2) * 0.6 * flicker)
        art.over(picture, art.TEAL_LIGHT, line * flicker)
    return art.to_image(picture)


def bridge():
    """A plank bridge: a row of gold-brown planks, dark joints between them, tied by two ropes."""
    width, height = 256, 32
    rng = np.random.default_rng(31337)
    x, y = art.grid(width, height)
    colour = art.canvas(width, height, art.INK)
    alpha = np.zeros((height, width), dtype=np.float32)
    grain = wrap_noise(width, height, 4, rng, octaves=2)
    streaks = np.sin(y * 2.1 + 3.0 * wrap_noise(width, height, 8, rng, octaves=2) * 6.0) * 0.5 + 0.5
    plank = 16
    for k in range(width // plank):
        top, bottom = 3 + rng.uniform(-1, 1.2), 29 + rng.uniform(-1.2, 1)
        left, right = k * plank + 0.8, (k + 1) * plank - 0.8
        board = art.polygon_mask(width, height, [(left, top), (right, top + rng.uniform(-0.6, 0.6)),
                                                 (right, bottom), (left, bottom)])
        shade = rng.uniform(0.85, 1.15)
        wood = WOOD * shade * (0.75 + 0.3 * grain[..., None] + 0.15 * streaks[..., None])
        art.over(colour, wood, board)
        art.over(colour, art.GOLD * shade, edge(board, 1, 1) * 0.6)
        art.over(colour, art.INK, edge(board, -1, -1) * 0.7)
        alpha = np.maximum(alpha, art.grow(board, 1))
        for nail_y in (8, 24):
            nail = ellipse(width, height, (k * plank + 8, nail_y), (1.1, 1.1))
            art.over(colour, art.INK, nail)
            art.over(colour, art.GOLD_LIGHT, ellipse(width, height, (k * plank + 7.7, nail_y - 0.4), (0.4, 0.4)))
    for rope_y in (6.0, 26.0):
        rope = np.clip(1.8 + 0.5 - np.abs(y - rope_y), 0, 1)
        twist = (np.sin((x + (y - rope_y) * 1.5) * 1.4) * 0.5 + 0.5)
        art.over(colour, art.INK, np.clip(2.8 + 0.5 - np.abs(y - rope_y - 0.5), 0, 1))
        art.over(colour, art.GOLD_DEEP * (0.8 + 0.6 * twist[..., None]), rope)
        alpha = np.maximum(alpha, np.clip(2.8 + 0.5 - np.abs(y - rope_y - 0.5), 0, 1))
    return art.to_image(colour, alpha)


def lift():
    """A slab of stone floating on teal light, rimmed in gold, a rock keel tapering beneath it."""
    width, height = 256, 64
    rng = np.random.default_rng(4242)
    layer = Layer(width, height)
    x, y = art.grid(width, height)
    layer.glow(art.TEAL, np.exp(-((x - 128) / 70.0) ** 2) * np.clip((y - 30) / 34.0, 0, 1) ** 0.7
               * np.clip((66 - y) / 20.0, 0, 1) * 0.55)
    keel_points = [(14, 26)]
    for k in range(1, 12):
        keel_points.append((14 + k * 228 / 12, 40 + 12 * math.sin(math.pi * k / 12) + rng.uniform(-3, 3)))
    keel_points += [(242, 26)]
    keel = art.polygon_mask(width, height, keel_points)
    grain = art.fractal_noise(width, height, 10, rng, octaves=3)
    part(layer, keel, art.MOOR[1] * (0.8 + 0.5 * grain[..., None]), shadow=art.MOOR[3], depth=4)
    for k in range(5):  # crags in the keel
        cx = 40 + 44 * k + rng.uniform(-8, 8)
        layer.paint(art.MOOR[3], stroke(width, height, [(cx, 28), (cx + rng.uniform(-6, 6), 36 + rng.uniform(0, 8))],
                                        0.7) * keel)
    slab = art.polygon_mask(width, height, [(6, 6), (250, 6), (252, 9), (252, 26), (248, 30), (8, 30), (4, 26),
                                            (4, 9)])
    part(layer, slab, STONE * (0.85 + 0.4 * grain[..., None]), shadow=art.MOOR[2], light=STONE * 1.6)
    for joint in (52, 104, 152, 204):
        layer.paint(art.INK, stroke(width, height, [(joint, 13), (joint, 29)], 0.6))
        layer.paint(STONE * 1.5, stroke(width, height, [(joint + 1.2, 13), (joint + 1.2, 29)], 0.4) * 0.6)
    # Runes along the face, alight.
    runes = np.zeros((height, width), dtype=np.float32)
    for k, cx in enumerate((78, 128, 178)):
        if k % 2 == 0:
            runes = np.maximum(runes, stroke(width, height, [(cx - 5, 16), (cx, 25), (cx + 5, 16)], 0.8))
        else:
            runes = np.maximum(runes, stroke(width, height, [(cx - 4, 20.5), (cx, 16), (cx + 4, 20.5), (cx, 25),
                                                             (cx - 4, 20.5)], 0.8))
    layer.shine(art.TEAL, art.blur(runes, 3) * 0.9)
    layer.paint(art.TEAL_LIGHT, runes)
    rim = art.polygon_mask(width, height, [(6, 4), (250, 4), (253, 8), (253, 12), (3, 12), (3, 8)])
    part(layer, rim, art.GOLD, shadow=art.GOLD_DEEP, light=art.GOLD_LIGHT, depth=2)
    layer.paint(art.GOLD_DEEP, stroke(width, height, [(6, 29.5), (250, 29.5)], 0.8))
    for stud in (20, 128, 236):
        layer.paint(art.GOLD_LIGHT, ellipse(width, height, (stud, 8), (1.6, 1.6)), art.GOLD_DEEP)
    return art.to_image(layer.colour, layer.alpha)


def spikes():
    """A row of sharp ink thorns with rose edges on a bramble, clear between them."""
    width, height = 256, 64
    rng = np.random.default_rng(1313)
    layer = Layer(width, height)
    x, y = art.grid(width, height)
    thorns = []
    count = 10
    for k in range(count * 2):
        big = k % 2 == 0
        cx = (k + 0.5) * width / (count * 2) + rng.uniform(-2, 2)
        half = rng.uniform(10, 13) if big else rng.uniform(6, 8)
        tip = rng.uniform(3, 10) if big else rng.uniform(22, 30)
        lean = rng.uniform(-4, 4)
        thorns.append((cx, half, tip, lean, big))
    for big_pass in (False, True):
        for cx, half, tip, lean, big in thorns:
            if big != big_pass:
                continue
            base = 58
            # Sides bow inward, so that each thorn narrows fast to a needle point.
            left = [(cx - half * (1 - t) ** 2 + lean * t, base - (base - tip) * t) for t in np.linspace(0, 1, 10)]
            right = [(cx + half * (1 - t) ** 2 + lean * t, base - (base - tip) * t) for t in np.linspace(1, 0, 10)]
            tone = 1.0 if big else 0.75
            left_half = art.polygons_mask(width, height, wrapped(width, left + [(cx + lean * 0.5, (base + tip) / 2),
                                                                                 (cx, base)]))
            thorn = art.polygons_mask(width, height, wrapped(width, left + right[1:]))
            layer.paint(art.PLUM * 0.8 * tone, thorn, art.INK)
            layer.paint(art.INK * 0.8 + art.VIOLET * 0.2, left_half * thorn)
            layer.paint(art.ROSE * tone, edge(thorn, -1, 1) * 0.9)
            tip_point = (cx + lean, tip + 1)
            for shift in (-width, 0, width):
                layer.glow(art.ROSE, art.radial(width, height, (tip_point[0] + shift, tip_point[1]), 6, 2.0) * 0.6)
                layer.shine(art.DAWN, art.radial(width, height, (tip_point[0] + shift, tip_point[1] + 1), 2.5, 1.5))
    # The bramble they grow from, a twisted dark band along the foot.
    vine = np.zeros((height, width), dtype=np.float32)
    for strand, phase in enumerate((0.0, 2.2)):
        line = 58 + 3 * np.sin(2 * math.pi * 3 * x[0] / width + phase)
        vine = np.maximum(vine, np.clip(3.0 - np.abs(y - line[None, :]), 0, 1))
    vine = np.maximum(vine, np.clip((y - 59) / 1.5, 0, 1))
    part(layer, vine, art.INK * 0.6 + art.PLUM * 0.4, light=art.PLUM, depth=2)
    return art.to_image(layer.colour, layer.alpha)


# --- Magic fixtures -------------------------------------------------------------------------------

def wind_frame(frame):
    """Translucent teal streaks and curls sweeping right; a loop moves each a whole frame's width round."""
    size = 128
    rng = np.random.default_rng(606)
    layer = Layer(size, size)
    x, y = art.grid(size, size)
    t = frame / FRAMES
    for k in range(7):
        row = 14 + k * 16 + rng.uniform(-4, 4)
        length = rng.uniform(40, 80)
        laps = 1 if k % 2 else 2        # faster streaks go round twice in a loop
        head = (rng.uniform(0, size) + laps * size * t) % size
        wave = rng.uniform(2, 5)
        strength = rng.uniform(0.45, 0.7)
        for shift in (-size, 0, size):
            h = head + shift
            # Along 0 at the tail, 1 at the head; thick in the middle, sharp at both ends.
            along = np.clip((x - (h - length)) / length, 0, 1) * (x <= h)
            centre_line = row + wave * np.sin(2 * math.pi * (x - h) / 60.0 + k)
            thickness = 0.4 + 2.4 * np.sin(math.pi * along) ** 0.8 * along ** 0.5
            streak = np.clip(thickness - np.abs(y - centre_line), 0, 1) * (along > 0) * along ** 0.7
            layer.glow(art.TEAL, art.blur(streak, 2) * strength * 0.6)
            layer.glow(art.TEAL_LIGHT, streak * strength)
            if k % 3 == 0:
                # A curl where the gust rolls over at the head.
                spin = [(h - 2 + 7 * (1 - s) * math.sin(4.5 * s + 0.5), row - 6 + 7 * (1 - s) * math.cos(4.5 * s + 0.5))
                        for s in np.linspace(0, 0.8, 14)]
                curl = stroke(size, size, spin, 1.2, 0.4)
                layer.glow(art.TEAL_LIGHT, curl * strength * 0.9)
    # Fade at the box's sides, where the gust begins and ends.
    fade = np.clip(x / 14.0, 0, 1) * np.clip((size - x) / 14.0, 0, 1)
    return np.dstack([layer.colour, np.minimum(layer.alpha * fade, 0.7)])


def wind():
    return sheet([wind_frame(k) for k in range(FRAMES)])


def ring_frame(frame, core, light, deep, inward):
    """A pulsing upright ring of light with motes drifting into it (arrival) or out of it (departure)."""
    width, height = 64, 128
    layer = Layer(width, height)
    x, y = art.grid(width, height)
    phase = 2 * math.pi * frame / FRAMES
    pulse = 0.5 + 0.5 * math.cos(phase)
    rx, ry = 21 + 2 * pulse, 47 + 4 * pulse
    distance = np.hypot((x - 32) / rx, (y - 64) / ry)
    band = np.abs(distance - 1.0) * ry          # texels from the ring, roughly
    inner = np.clip(1.0 - distance, 0, 1)
    layer.glow(deep, inner ** 0.6 * (0.3 + 0.15 * pulse))
    layer.glow(core, np.exp(-(band / (6 + 3 * pulse)) ** 2) * 0.6)
    # Bands inside the ring, ebbing towards or away from its middle.
    ripple = 0.5 + 0.5 * np.cos(distance * 14 + (phase if inward else -phase))
    layer.glow(core, ripple * inner ** 0.8 * 0.35)
    layer.glow(light, np.clip(2.0 - band, 0, 1) * (0.7 + 0.3 * pulse))
    layer.shine(WHITE, np.clip(1.0 - band, 0, 1) * 0.5 * pulse)
    rng = np.random.default_rng(9)
    for k in range(9):
        angle = rng.uniform(0, 2 * math.pi)
        start = rng.uniform(0, 1)
        s = (start + (-frame if inward else frame) / FRAMES) % 1.0
        reach = 0.25 + 0.95 * s
        spot = (32 + rx * reach * math.cos(angle), 64 + ry * reach * math.sin(angle))
        bright = math.sin(math.pi * s)
        layer.glow(light, art.sparkle(width, height, spot, 4.5) * bright)
    return layer.rgba()


def teleport():
    return sheet([ring_frame(k, art.TEAL, art.TEAL_LIGHT, art.TEAL * 0.5 + art.INDIGO * 0.3, inward=True)
                  for k in range(FRAMES)])


def out_teleport():
    return sheet([ring_frame(k, art.GOLD, art.GOLD_LIGHT, art.AMBER * 0.6 + art.PLUM * 0.3, inward=False)
                  for k in range(FRAMES)])


def portal_frame(frame):
    """The way out: a stone arch holding a swirl of dawn light that turns a third of the way round a loop."""
    size = 128
    layer = Layer(size, size)
    x, y = art.grid(size, size)
    cx, spring = 64, 62                      # the arch's centre line and where its round top begins
    def arch(half, top_radius, bottom):
        points = [(cx - half, bottom), (cx + half, bottom)]
        points += [(cx + top_radius * math.cos(a), spring - top_radius * math.sin(a))
                   for a in np.linspace(0, math.pi, 40)]
        return art.polygon_mask(size, size, points)
    outer, opening = arch(44, 44, 124), arch(33, 33, 120)
    layer.glow(art.AMBER, art.blur(outer, 8) * 0.55)
    # The swirl: three arms of light turning about the opening's heart.
    heart = (cx, 80)
    dx, dy = (x - heart[0]) / 30.0, (y - heart[1]) / 42.0
    radius = np.hypot(dx, dy)
    angle = np.arctan2(dy, dx)
    turn = 2 * math.pi / 3 * frame / FRAMES
    arms = 0.5 + 0.5 * np.cos(3 * (angle - turn) + 7.0 * radius ** 0.7)
    heat = np.clip((1.0 - radius) * 0.55 + arms * 0.45, 0, 1)
    stops = np.array([0.0, 0.35, 0.6, 0.85, 1.0], dtype=np.float32)
    colours = np.array([art.PLUM, art.ROSE, art.AMBER, art.GOLD, art.DAWN], dtype=np.float32)
    swirl = np.stack([np.interp(heat, stops, colours[:, k]) for k in range(3)], axis=-1)
    layer.paint(swirl, opening)
    layer.paint(art.PLUM * 0.7, art.blur(edge(opening, 0, -3) + edge(opening, 3, 0) + edge(opening, -3, 0), 2) * opening
                * 0.6)
    layer.shine(art.DAWN, opening * arms * np.clip(1.0 - radius, 0, 1) * 0.7)
    layer.shine(WHITE, np.exp(-radius ** 2 / 0.05) * opening)
    rng = np.random.default_rng(88)
    for k in range(8):
        a = rng.uniform(0, 2 * math.pi) + turn * 1.5
        r = rng.uniform(0.2, 0.9)
        spot = (heart[0] + 28 * r * math.cos(a), heart[1] + 38 * r * math.sin(a))
        twinkle = 0.5 + 0.5 * math.cos(2 * math.pi * frame / FRAMES + k)
        layer.shine(WHITE, art.sparkle(size, size, spot, 3.5) * opening * twinkle)
    # The stone frame: wedge stones round the top, blocks down the sides, a gold keystone.
    stones = np.clip(outer - opening, 0, 1)
    grain = art.fractal_noise(size, size, 6, np.random.default_rng(12), octaves=3)
    part(layer, stones, STONE * (0.85 + 0.4 * grain[..., None]), shadow=art.MOOR[2], light=STONE * 1.7, depth=3)
    joints = np.zeros((size, size), dtype=np.float32)
    for a in np.linspace(0, math.pi, 8)[1:-1]:
        joints = np.maximum(joints, stroke(size, size, [(cx + 33 * math.cos(a), spring - 33 * math.sin(a)),
                                                        (cx + 44 * math.cos(a), spring - 44 * math.sin(a))], 0.5))
    for row in (78, 96, 112):
        joints = np.maximum(joints, stroke(size, size, [(cx - 44, row), (cx - 33, row)], 0.5))
        joints = np.maximum(joints, stroke(size, size, [(cx + 33, row - 8), (cx + 44, row - 8)], 0.5))
    layer.paint(art.INK, joints * stones)
    keystone = art.polygon_mask(size, size, [(cx - 5, 28), (cx + 5, 28), (cx + 7, 17), (cx - 7, 17)])
    part(layer, keystone, art.GOLD, shadow=art.GOLD_DEEP, light=art.GOLD_LIGHT, depth=2)
    gem = ellipse(size, size, (cx, 22.5), (1.8, 2.2))
    layer.paint(art.AMBER, gem * (0.6 + 0.4 * math.cos(2 * math.pi * frame / FRAMES)))
    step = art.polygon_mask(size, size, [(cx - 48, 118), (cx + 48, 118), (cx + 50, 124), (cx - 50, 124)])
    part(layer, step, STONE * 0.9, shadow=art.MOOR[2], light=STONE * 1.5, depth=2)
    layer.shine(art.DAWN, edge(step, 0, 2) * np.exp(-((x - cx) / 30.0) ** 2) * 0.8)
    return layer.rgba()


def portal():
    return sheet([portal_frame(k) for k in range(FRAMES)])


# Texture name, file, frames across and down, painter.
SHEETS = [
    ("TOVEMMAR", "tovemmar.dds", 4, 1, tovemmar),
    ("GRIBBANODDLE", "gribbanoddle.dds", 4, 1, gribbanoddle),
    ("WESKAROON", "weskaroon.dds", 4, 1, weskaroon),
    ("MONSTER", "monster.dds", 4, 1, monster),
    ("GROUND", "ground.dds", 1, 1, ground),
    ("WALL", "wall.dds", 1, 1, wall),
    ("BRIDGE", "bridge.dds", 1, 1, bridge),
    ("LIFT", "lift.dds", 1, 1, lift),
    ("WIND", "wind.dds", 4, 1, wind),
    ("TELEPORT", "teleport.dds", 4, 1, teleport),
    ("OUTTELEPORT", "outteleport.dds", 4, 1, out_teleport),
    ("PORTAL", "portal.dds", 4, 1, portal),
    ("SPIKES", "spikes.dds", 1, 1, spikes),
]


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: objects_art.py PREVIEW_FOLDER")
    os.makedirs(sys.argv[1], exist_ok=True)
    for _, file, _, _, paint in SHEETS:
        paint().save(os.path.join(sys.argv[1], file.replace(".dds", ".png")))
