"""Instruments of the music: each renders one note (frequency, held seconds, velocity) with its release tail."""
import numpy as np

from synth import adsr, band_noise, decay, phase_of

RATE = 44100


def _length(held, tail):
    return int((held + tail) * RATE)


def _tone(frequency, count, partials, vibrato=0.0, vibrato_delay=0.15):
    t = np.arange(count) / RATE
    wobble = 1.0 + vibrato * np.clip((t - vibrato_delay) / 0.2, 0.0, 1.0) * np.sin(2 * np.pi * 5.2 * t)
    phase = phase_of(frequency * wobble, RATE)
    return sum(amplitude * np.sin(ratio * phase) for ratio, amplitude in partials if ratio * frequency < 0.45 * RATE)


def flute(frequency, held, velocity, rng):
    count = _length(held, 0.12)
    tone = _tone(frequency, count, [(1, 1.0), (2, 0.22), (3, 0.08), (4, 0.03)], vibrato=0.006)
    breath = 0.04 * band_noise(rng, count, RATE, 1500, 6000)
    return velocity * (tone + breath) * adsr(count, RATE, 0.05, 0.2, 0.8, 0.12, hold=held)


def bell(frequency, held, velocity, rng):
    count = _length(min(held, 0.4), 1.4)
    t = np.arange(count) / RATE
    partials = [(1, 1.0, 1.2), (2.0, 0.45, 0.6), (3.0, 0.2, 0.35), (4.16, 0.12, 0.2), (5.43, 0.06, 0.12)]
    phase = phase_of(frequency, RATE, count)
    out = sum(a * np.sin(r * phase) * np.exp(-t / d) for r, a, d in partials if r * frequency < 0.45 * RATE)
    return velocity * out * np.minimum(t / 0.003, 1.0)


def marimba(frequency, held, velocity, rng):
    count = _length(0.1, 0.7)
    t = np.arange(count) / RATE
    phase = phase_of(frequency, RATE, count)
    body = np.sin(phase + 1.5 * np.exp(-t / 0.015) * np.sin(4.0 * phase))
    return velocity * (body + 0.25 * np.sin(3.93 * phase) * np.exp(-t / 0.05)) * decay(count, RATE, 0.002, 0.22)


def pluck(frequency, held, velocity, rng):
    # A harp-like string: upper harmonics die away faster than the fundamental.
    count = _length(min(held, 0.3), 1.0)
    t = np.arange(count) / RATE
    phase = phase_of(frequency, RATE, count)
    out = sum((0.8 ** n) * np.sin((n + 1) * phase) * np.exp(-t * (2.5 + 3.0 * n))
              for n in range(6) if (n + 1) * frequency < 0.45 * RATE)
    return velocity * out * np.minimum(t / 0.002, 1.0)


def pad(frequency, held, velocity, rng):
    # Three slightly detuned soft saws: a warm bed for the chords.
    count = _length(held, 0.6)
    partials = [(n, 1.0 / n ** 1.5) for n in range(1, 7)]
    tone = sum(_tone(frequency * detune, count, partials) for detune in (0.997, 1.0, 1.003)) / 3
    return velocity * tone * adsr(count, RATE, 0.35, 0.5, 0.85, 0.6, hold=held)


def strings(frequency, held, velocity, rng):
    count = _length(held, 0.5)
    partials = [(n, 1.0 / n) for n in range(1, 9)]
    tone = sum(_tone(frequency * detune, count, partials, vibrato=0.004, vibrato_delay=0.3) for detune in (0.998, 1.002)) / 2
    return velocity * tone * adsr(count, RATE, 0.25, 0.4, 0.9, 0.5, hold=held)


def brass(frequency, held, velocity, rng):
    # Brightness follows the envelope, as in a horn: the upper harmonics open with the breath.
    count = _length(held, 0.15)
    envelope = adsr(count, RATE, 0.04, 0.15, 0.75, 0.15, hold=held)
    phase = phase_of(frequency, RATE, count)
    out = sum(np.sin(n * phase) * envelope ** (0.5 * n) / n for n in range(1, 10) if n * frequency < 0.45 * RATE)
    return velocity * out * envelope


def bass(frequency, held, velocity, rng):
    count = _length(held, 0.15)
    tone = _tone(frequency, count, [(1, 1.0), (2, 0.35), (3, 0.1)])
    return velocity * tone * adsr(count, RATE, 0.008, 0.3, 0.6, 0.12, hold=held)


def kick(frequency, held, velocity, rng):
    count = int(0.35 * RATE)
    t = np.arange(count) / RATE
    return velocity * np.sin(phase_of(50 + 90 * np.exp(-t / 0.025), RATE)) * decay(count, RATE, 0.001, 0.12)


def snare(frequency, held, velocity, rng):
    count = int(0.25 * RATE)
    t = np.arange(count) / RATE
    body = np.sin(phase_of(190, RATE, count)) * np.exp(-t / 0.04)
    rattle = band_noise(rng, count, RATE, 1500, 9000) * np.exp(-t / 0.07)
    return velocity * 0.6 * (body + rattle) * np.minimum(t / 0.001, 1.0)


def hat(frequency, held, velocity, rng):
    count = int(0.08 * RATE)
    return velocity * 0.6 * band_noise(rng, count, RATE, 6000, 16000) * decay(count, RATE, 0.0005, 0.018)


def shaker(frequency, held, velocity, rng):
    count = int(0.12 * RATE)
    return velocity * 0.6 * band_noise(rng, count, RATE, 4000, 12000) * adsr(count, RATE, 0.02, 0.03, 0.3, 0.05)


def timpani(frequency, held, velocity, rng):
    count = int(1.2 * RATE)
    t = np.arange(count) / RATE
    tone = np.sin(phase_of(frequency * (1 + 0.05 * np.exp(-t / 0.05)), RATE)) + 0.3 * np.sin(phase_of(frequency * 1.5, RATE, count))
    hit = band_noise(rng, count, RATE, 80, 1500) * np.exp(-t / 0.03)
    return velocity * (tone * decay(count, RATE, 0.002, 0.4) + 0.3 * hit)
