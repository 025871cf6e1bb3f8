"""Building blocks of the synthesiser: time axes, envelopes, voices and filters, all vectorised."""
import numpy as np


def times(seconds, rate):
    return np.arange(int(round(seconds * rate))) / rate


def midi_hz(note):
    return 440.0 * 2.0 ** ((np.asarray(note, dtype=np.float64) - 69.0) / 12.0)


def phase_of(frequency, rate, count=None):
    """Running phase (radians) of a frequency that may change sample by sample; a constant one needs the count."""
    frequency = np.asarray(frequency, dtype=np.float64)
    if frequency.ndim == 0:
        if count is None:
            raise ValueError("a constant frequency needs a sample count")
        frequency = np.full(count, float(frequency))
    return 2.0 * np.pi * np.cumsum(frequency) / rate


def adsr(count, rate, attack, decay, sustain, release, hold=None):
    """Attack-decay-sustain-release; the note is held for `hold` seconds (default: until the release must start)."""
    t = np.arange(count) / rate
    if hold is None:
        hold = max(count / rate - release, attack)
    level = np.where(t < attack, t / max(attack, 1e-9),
                     sustain + (1.0 - sustain) * np.exp(-(t - attack) / max(decay, 1e-9)))
    level_at_hold = np.interp(hold, t, level) if count else 0.0
    after = np.clip(1.0 - (t - hold) / max(release, 1e-9), 0.0, 1.0)
    return np.where(t < hold, level, level_at_hold * after)


def decay(count, rate, attack, time_constant):
    """A struck sound: a short linear attack, then an exponential fall."""
    t = np.arange(count) / rate
    return np.minimum(t / max(attack, 1e-9), 1.0) * np.exp(-t / time_constant)


def fade_edges(signal, rate, fade_in=0.002, fade_out=0.01):
    # Every effect starts and ends at rest, so no voice clicks when it starts or is cut.
    out = np.array(signal, dtype=np.float64)
    count = len(out)
    gain = np.ones(count)
    rise = min(int(fade_in * rate), count)
    fall = min(int(fade_out * rate), count)
    gain[:rise] = np.linspace(0.0, 1.0, rise, endpoint=False)
    gain[count - fall:] *= np.linspace(1.0, 0.0, fall)
    return out * (gain[:, None] if out.ndim > 1 else gain)


def additive(phase, partials):
    """Sum of harmonics: partials is a list of (ratio, amplitude)."""
    return sum(amplitude * np.sin(ratio * phase) for ratio, amplitude in partials)


def fm(phase, ratio, index):
    """Two-operator FM; index may be an envelope."""
    return np.sin(phase + index * np.sin(ratio * phase))


def band_noise(rng, count, rate, low, high, slope=0.0):
    """White noise shaped in the frequency domain to a band, with an optional tilt in dB per octave."""
    if count == 0:
        return np.zeros(0)
    spectrum = np.fft.rfft(rng.standard_normal(count))
    frequencies = np.fft.rfftfreq(count, 1.0 / rate)
    shape = ((frequencies >= low) & (frequencies <= high)).astype(np.float64)
    if slope:
        shape *= (np.maximum(frequencies, 1.0) / max(low, 1.0)) ** (slope / 6.02)
    noise = np.fft.irfft(spectrum * shape, count)
    return noise / (np.max(np.abs(noise)) + 1e-12)


def lowpass(signal, rate, cutoff):
    """Gentle one-pole-like low pass applied in the frequency domain (the signal is treated as circular)."""
    count = len(signal)
    spectrum = np.fft.rfft(signal, axis=0)
    frequencies = np.fft.rfftfreq(count, 1.0 / rate)
    response = 1.0 / np.sqrt(1.0 + (frequencies / cutoff) ** 2)
    if spectrum.ndim > 1:
        response = response[:, None]
    return np.fft.irfft(spectrum * response, count, axis=0)


def pad_to(signal, count):
    out = np.zeros(count)
    out[:min(count, len(signal))] = signal[:count]
    return out
