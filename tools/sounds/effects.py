"""The game's sound effects: one function per effect, a table of names, formats and the loudness they share."""
import numpy as np

import synth
from synth import adsr, band_noise, decay, fm, midi_hz, phase_of, times

RATE = 22050
# Loudness of the loudest 50 ms of every effect, and the ceiling no peak passes.
TARGET_RMS_DB = -16.0
PEAK_CEILING_DB = -1.0


def collide(rng):
    # A soft wooden knock: a falling low tone under a short burst of dull noise.
    t = times(0.28, RATE)
    body = np.sin(phase_of(120.0 + 160.0 * np.exp(-t / 0.03), RATE)) * decay(len(t), RATE, 0.002, 0.06)
    knock = band_noise(rng, len(t), RATE, 300, 4000, slope=-4) * decay(len(t), RATE, 0.001, 0.02)
    return body + 0.6 * knock


def magic(rng):
    # Sounds again and again while a spell is drawn: an airy shimmer with soft edges that blends with itself.
    duration = 0.7
    t = times(duration, RATE)
    out = 0.25 * band_noise(rng, len(t), RATE, 3000, 9000) * adsr(len(t), RATE, 0.15, 0.2, 0.8, 0.3)
    for index, note in enumerate(rng.permutation([84, 88, 91, 96, 100, 103])):
        start = int((0.02 + index * 0.1) * RATE)
        tail = len(t) - start
        bell = synth.additive(phase_of(midi_hz(note), RATE, tail), [(1, 1.0), (2.76, 0.3), (5.4, 0.1)])
        out[start:] += 0.35 * bell * decay(tail, RATE, 0.004, 0.12)
    return synth.fade_edges(out, RATE, 0.03, 0.15)


def telep_create(rng):
    # A portal stone forming: a rising FM swell with sparkles on top.
    t = times(0.9, RATE)
    pitch = midi_hz(55) * 2.0 ** (1.5 * t / t[-1])
    swell = fm(phase_of(pitch, RATE), 2.0, 2.5 * (1 - t / t[-1]) + 0.3) * adsr(len(t), RATE, 0.3, 0.2, 0.7, 0.35)
    sparkle = band_noise(rng, len(t), RATE, 5000, 10000) * (rng.random(len(t)) < 0.004) * 8.0
    return swell + 0.3 * np.convolve(sparkle, np.exp(-np.arange(300) / 40.0))[:len(t)]


def tele_go(rng):
    # Through the portal: a quick upward zip with a rush of air.
    t = times(0.5, RATE)
    pitch = 300.0 * 2.0 ** (2.3 * (t / t[-1]) ** 1.5)
    zip_tone = np.sin(phase_of(pitch * (1 + 0.03 * np.sin(2 * np.pi * 18 * t)), RATE))
    rush = band_noise(rng, len(t), RATE, 800, 6000)
    envelope = adsr(len(t), RATE, 0.05, 0.15, 0.7, 0.25)
    return (zip_tone + 0.4 * rush) * envelope


def bridgedown(rng):
    # Planks falling into place: a creak, then a heavy wooden thud and two smaller knocks.
    out = np.zeros(int(0.8 * RATE))
    t = times(0.25, RATE)
    creak = fm(phase_of(180 + 40 * np.sin(2 * np.pi * 3 * t), RATE), 1.5, 3.0) * adsr(len(t), RATE, 0.05, 0.1, 0.5, 0.1)
    out[:len(t)] += 0.3 * creak * np.sign(np.sin(2 * np.pi * 35 * t)).clip(0, 1)
    for at, size in ((0.25, 1.0), (0.42, 0.5), (0.55, 0.3)):
        start = int(at * RATE)
        thud = _knock(rng, len(out) - start, 150 / (0.5 + size), 0.09 * size + 0.03)
        out[start:] += size * thud
    return out


def _knock(rng, count, base, length):
    t = np.arange(count) / RATE
    body = np.sin(phase_of(base * (1 + 0.8 * np.exp(-t / 0.02)), RATE)) * decay(count, RATE, 0.001, length)
    noise = band_noise(rng, count, RATE, 200, 4000, slope=-4) * decay(count, RATE, 0.001, length / 4)
    return body + 0.5 * noise


def step(rng):
    # One footstep on soft ground: a dull scuff.
    t = times(0.13, RATE)
    scuff = band_noise(rng, len(t), RATE, 200, 3500, slope=-3) * decay(len(t), RATE, 0.004, 0.03)
    thump = np.sin(phase_of(90 + 90 * np.exp(-t / 0.03), RATE)) * decay(len(t), RATE, 0.002, 0.03)
    return scuff + 0.6 * thump


def portal(rng):
    # A ball passing a portal: a swirling chord with a wobble.
    t = times(1.0, RATE)
    swirl = 1 + 0.015 * np.sin(2 * np.pi * 6 * t)
    chord = sum(np.sin(phase_of(midi_hz(n) * swirl, RATE)) / (k + 1) for k, n in enumerate((64, 71, 76, 83)))
    shimmer = band_noise(rng, len(t), RATE, 2000, 7000) * (0.5 + 0.5 * np.sin(2 * np.pi * 9 * t))
    out = (chord + 0.15 * shimmer) * adsr(len(t), RATE, 0.08, 0.3, 0.6, 0.5)
    return synth.fade_edges(out, RATE)


def rec_err(rng):
    # A spell not understood: two low, slightly buzzy tones falling.
    out = np.zeros(int(0.4 * RATE))
    for at, note in ((0.0, 50), (0.16, 46)):
        start = int(at * RATE)
        count = int(0.2 * RATE)
        phase = phase_of(midi_hz(note), RATE, count)
        tone = synth.additive(phase, [(1, 1.0), (3, 0.3), (5, 0.15), (7, 0.07)])
        out[start:start + count] += tone * adsr(count, RATE, 0.005, 0.05, 0.7, 0.06)
    return out


def click(rng):
    # A menu button pressed: a tiny dry tick.
    t = times(0.04, RATE)
    tick = np.sin(phase_of(1800 * np.exp(-t / 0.01) + 600, RATE)) * decay(len(t), RATE, 0.0005, 0.006)
    return tick + 0.3 * band_noise(rng, len(t), RATE, 2000, 8000) * decay(len(t), RATE, 0.0002, 0.002)


def focus(rng):
    # The pointer entering a menu button: a soft, high blip.
    t = times(0.09, RATE)
    return fm(phase_of(midi_hz(88), RATE, len(t)), 2.0, 0.6 * np.exp(-t / 0.02)) * decay(len(t), RATE, 0.003, 0.025)


def fountain(rng):
    # Water rising: a bed of splashing noise full of small bubbles.
    t = times(1.2, RATE)
    out = 0.35 * band_noise(rng, len(t), RATE, 400, 7000, slope=-3)
    for start in np.sort(rng.integers(0, len(t) - int(0.06 * RATE), 40)):
        count = int(0.05 * RATE)
        u = np.arange(count) / RATE
        base = rng.uniform(500, 1500)
        out[start:start + count] += 0.4 * np.sin(phase_of(base * (1 + 3 * u), RATE)) * decay(count, RATE, 0.001, 0.012)
    return out * adsr(len(t), RATE, 0.1, 0.3, 0.8, 0.45)


def kill(rng):
    # A life lost: a sad, wobbling fall of a fifth and more.
    t = times(0.9, RATE)
    pitch = midi_hz(72) * 2.0 ** (-1.2 * t / t[-1]) * (1 + 0.02 * np.sin(2 * np.pi * 7 * t))
    tone = synth.additive(phase_of(pitch, RATE), [(1, 1.0), (2, 0.4), (3, 0.25), (4, 0.1)])
    return tone * adsr(len(t), RATE, 0.01, 0.3, 0.6, 0.4)


def switch(rng):
    # A lever thrown: click and clack with a metallic ring.
    out = np.zeros(int(0.26 * RATE))
    for at, pitch in ((0.0, 2400), (0.09, 1700)):
        start = int(at * RATE)
        count = len(out) - start
        ring = synth.additive(phase_of(pitch, RATE, count), [(1, 1.0), (1.51, 0.5), (2.37, 0.3)])
        out[start:] += ring * decay(count, RATE, 0.0005, 0.025)
        out[start:] += 0.8 * band_noise(rng, count, RATE, 1000, 9000) * decay(count, RATE, 0.0003, 0.004)
    return out


def wind(rng):
    # A wind spell: a gust sweeping from one side to the other (stereo).
    t = times(1.5, RATE)
    low, high = (band_noise(rng, len(t), RATE, f0, f1) for f0, f1 in ((200, 900), (900, 4000)))
    brightness = np.sin(np.pi * t / t[-1]) ** 2
    gust = (low * (1 - 0.6 * brightness) + high * brightness) * adsr(len(t), RATE, 0.4, 0.3, 0.9, 0.7)
    howl = 0.25 * np.sin(phase_of(500 + 250 * brightness, RATE)) * brightness
    mono = gust + howl
    pan = t / t[-1]
    return np.stack([mono * np.cos(pan * np.pi / 2), mono * np.sin(pan * np.pi / 2)], axis=1)


def gate(rng):
    # A gate opening: a stony grind, then a solid clank.
    out = np.zeros(int(1.0 * RATE))
    count = int(0.7 * RATE)
    u = np.arange(count) / RATE
    grind = band_noise(rng, count, RATE, 80, 1500, slope=-3) * (0.7 + 0.3 * np.sin(2 * np.pi * 23 * u))
    out[:count] += 0.6 * grind * adsr(count, RATE, 0.1, 0.2, 0.8, 0.15)
    start = int(0.68 * RATE)
    rest = len(out) - start
    clank = synth.additive(phase_of(220, RATE, rest), [(1, 1.0), (2.4, 0.6), (3.9, 0.3)])
    out[start:] += clank * decay(rest, RATE, 0.001, 0.07) + _knock(rng, rest, 80, 0.08)
    return out


def spring(rng):
    # A spring: a boing whose pitch wobbles and settles.
    t = times(0.55, RATE)
    wobble = 1 + 0.25 * np.sin(2 * np.pi * 14 * t) * np.exp(-t / 0.18)
    pitch = 220 * 2.0 ** (0.6 * np.exp(-t / 0.08)) * wobble
    return synth.additive(phase_of(pitch, RATE), [(1, 1.0), (2, 0.3)]) * decay(len(t), RATE, 0.003, 0.16)


def funnel(rng):
    # A funnel swallowing a ball: a spiralling fall with a swirling tremolo.
    t = times(0.85, RATE)
    pitch = 900 * 2.0 ** (-2.2 * t / t[-1])
    spiral = fm(phase_of(pitch, RATE), 1.0, 1.2) * (0.6 + 0.4 * np.sin(2 * np.pi * (8 + 10 * t) * t))
    air = band_noise(rng, len(t), RATE, 300, 3000) * 0.2
    return (spiral + air) * adsr(len(t), RATE, 0.02, 0.3, 0.7, 0.35)


def tooth(rng):
    # The volume slider moved one notch: a short wooden tick at the effect level being chosen.
    t = times(0.05, RATE)
    return synth.additive(phase_of(1200, RATE, len(t)), [(1, 1.0), (2.7, 0.4)]) * decay(len(t), RATE, 0.0005, 0.009)


def score(rng):
    # Counted up many times a second: a short, crisp coin ping of two quick notes.
    t = times(0.1, RATE)
    split = int(0.03 * RATE)
    pitch = np.where(np.arange(len(t)) < split, midi_hz(95), midi_hz(100))
    ping = synth.additive(phase_of(pitch, RATE), [(1, 1.0), (2, 0.25), (3, 0.1)])
    return ping * decay(len(t), RATE, 0.001, 0.03)


# name, maker, sample bits, seed.  All are 22050 Hz; "wind" alone is stereo (it sweeps across), "click" alone
# is 8-bit (a tick too short for the coarser steps to be heard).
EFFECTS = [
    ("collide", collide, 16), ("magic", magic, 16), ("telep_create", telep_create, 16), ("tele_go", tele_go, 16),
    ("bridgedown", bridgedown, 16), ("step", step, 16), ("portal", portal, 16), ("rec_err", rec_err, 16),
    ("click", click, 8), ("focus", focus, 16), ("fountain", fountain, 16), ("kill", kill, 16),
    ("switch", switch, 16), ("wind", wind, 16), ("gate", gate, 16), ("spring", spring, 16),
    ("funnel", funnel, 16), ("tooth", tooth, 16), ("score", score, 16),
]


def loudest_window_rms(samples):
    window = int(0.05 * RATE)
    power = np.mean(np.reshape(samples, (len(samples), -1)) ** 2, axis=1)
    if len(power) <= window:
        return np.sqrt(np.mean(power))
    running = np.convolve(power, np.ones(window) / window, mode="valid")
    return np.sqrt(np.max(running))


def level(samples):
    """Brings an effect to the shared loudness without letting its peak pass the ceiling."""
    gain = 10 ** (TARGET_RMS_DB / 20) / max(loudest_window_rms(samples), 1e-9)
    peak_limit = 10 ** (PEAK_CEILING_DB / 20) / max(np.max(np.abs(samples)), 1e-9)
    return samples * min(gain, peak_limit)


def make(name, maker, seed):
    rng = np.random.default_rng(seed)
    return level(synth.fade_edges(maker(rng), RATE, 0.0005, 0.004))
