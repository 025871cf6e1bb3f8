"""The game's music: short looping pieces composed from a chord progression and a seeded melody.

Every note is mixed into a buffer of exactly the loop's length, with the tails that run past the end
wrapped round to the start; the reverb is a circular convolution. The piece is therefore one period of a
periodic signal, and its end flows into its start with no jump.
"""
import numpy as np

import instruments as inst
from synth import band_noise, midi_hz

RATE = inst.RATE
PEAK_DB = -3.0

MAJOR = [0, 2, 4, 5, 7, 9, 11]
MINOR = [0, 2, 3, 5, 7, 8, 10]

# Melody rhythms, (start beat, length in beats) within a bar.
RHYTHMS = {
    4: [[(0, 1), (1, 1), (2, 1.5), (3.5, 0.5)], [(0, 0.5), (0.5, 0.5), (1, 1), (2, 2)], [(0, 2), (2, 1), (3, 1)],
        [(0, 1.5), (1.5, 0.5), (2, 2)], [(0, 1), (1, 0.5), (1.5, 0.5), (2, 1), (3, 1)], [(0, 3), (3, 1)]],
    3: [[(0, 1), (1, 1), (2, 1)], [(0, 2), (2, 1)], [(0, 1.5), (1.5, 0.5), (2, 1)], [(0, 1), (1, 2)]],
}
# Drum patterns: one character per eighth note; "k" kick, "s" snare, "h" hat, "t" shaker, "." rest.
DRUMS = {"k": inst.kick, "s": inst.snare, "h": inst.hat, "t": inst.shaker}


class Track:
    def __init__(self, name, seed, bpm, key, scale, progression, form, melody, chords, bass, drums="",
                 arpeggio=None, beats=4, chord_style="hold", intro_build=False, double=None):
        self.name, self.seed, self.bpm, self.key, self.scale = name, seed, bpm, key, scale
        self.progression, self.form, self.beats = progression, form, beats
        self.melody, self.chords, self.bass, self.drums = melody, chords, bass, drums
        self.arpeggio, self.chord_style, self.intro_build, self.double = arpeggio, chord_style, intro_build, double


TRACKS = [
    Track("menu", 11, 84, 65, MAJOR, [0, 5, 3, 4, 0, 3, 1, 4, 5, 3, 4, 4], "ABA'", melody=(inst.flute, 0.5, 0.2),
          chords=(inst.pad, 0.16, 0.0), bass=(inst.bass, 0.35), drums="t...t...", arpeggio=(inst.pluck, 0.22, 0.3)),
    Track("playtime", 23, 120, 60, MAJOR, [0, 3, 4, 0, 5, 3, 1, 4] * 2, "AABA", melody=(inst.marimba, 0.55, -0.15),
          chords=(inst.pluck, 0.2, 0.25), bass=(inst.bass, 0.45), drums="k.hsk.hs", chord_style="offbeat"),
    Track("playtimew", 23, 116, 62, MAJOR, [0, 3, 4, 0, 5, 3, 1, 4] * 2, "AABA", melody=(inst.bell, 0.45, 0.2),
          chords=(inst.pad, 0.14, -0.1), bass=(inst.bass, 0.45), drums="k.hhkthh", arpeggio=(inst.marimba, 0.2, -0.3),
          double=(inst.flute, 0.18, -0.25)),
    Track("bonus", 37, 132, 67, MAJOR, [0, 4, 5, 3] * 4, "AABA", melody=(inst.bell, 0.5, 0.15),
          chords=(inst.marimba, 0.22, -0.2), bass=(inst.bass, 0.45), drums="k.hskkhs", chord_style="offbeat",
          double=(inst.marimba, 0.2, -0.3)),
    Track("intro", 41, 76, 62, MAJOR, [0, 4, 5, 3, 0, 4, 3, 4, 5, 3, 1, 4], "ABA'", melody=(inst.flute, 0.45, 0.1),
          chords=(inst.strings, 0.16, 0.0), bass=(inst.bass, 0.3), arpeggio=(inst.pluck, 0.25, -0.25), intro_build=True),
    Track("trophies", 53, 100, 58, MAJOR, [0, 3, 4, 0, 3, 4, 5, 4, 0, 3, 4, 0], "ABA'", melody=(inst.brass, 0.5, 0.0),
          chords=(inst.brass, 0.14, 0.0), bass=(inst.timpani, 0.5), drums="k...s.ks",
          double=(inst.bell, 0.15, 0.3)),
    Track("final", 67, 80, 63, MAJOR, [0, 5, 3, 4, 0, 5, 1, 4, 3, 4, 0, 4], "ABA'", melody=(inst.flute, 0.45, -0.1),
          chords=(inst.strings, 0.18, 0.1), bass=(inst.bass, 0.35), arpeggio=(inst.pluck, 0.2, 0.3), beats=3),
]


def degree_to_midi(track, degree):
    return track.key + 12 * (degree // 7) + track.scale[degree % 7]


def compose_phrase(track, rng, chords, rhythms=None, previous=None):
    """One melody phrase over the given bar chords: chord tones on strong beats, steps in between."""
    rhythms = rhythms or [RHYTHMS[track.beats][rng.integers(len(RHYTHMS[track.beats]))] for _ in chords]
    notes, pitch = [], 9 if previous is None else previous
    for bar, (chord, rhythm) in enumerate(zip(chords, rhythms)):
        for index, (start, length) in enumerate(rhythm):
            strong = start in (0, 2) if track.beats == 4 else start == 0
            last = bar == len(chords) - 1 and index == len(rhythm) - 1
            if strong or last:
                tones = [chord + 7 * octave + step for octave in (0, 1, 2) for step in (0, 2, 4)]
                tones = [t for t in tones if 6 <= t <= 17]
                nearest = sorted(tones, key=lambda t: (abs(t - pitch), t))
                pitch = nearest[0] if last or rng.random() < 0.6 else nearest[min(1, len(nearest) - 1)]
            else:
                pitch = int(np.clip(pitch + rng.choice([-2, -1, -1, 1, 1, 2, 0]), 6, 17))
            notes.append((bar, start, length, pitch))
    return notes, rhythms


def compose_melody(track, rng):
    """Phrases of four bars in the track's form; a repeated letter keeps the rhythm and refits the pitches."""
    bars_per_phrase = len(track.progression) // len(track.form.replace("'", ""))
    phrases, made, melody = [], {}, []
    for letter in track.form:
        if letter == "'":
            continue
        phrases.append(letter)
    previous = None
    for index, letter in enumerate(phrases):
        chords = track.progression[index * bars_per_phrase:(index + 1) * bars_per_phrase]
        notes, rhythms = compose_phrase(track, rng, chords, made.get(letter), previous)
        made.setdefault(letter, rhythms)
        melody += [(index * bars_per_phrase + bar, start, length, pitch) for bar, start, length, pitch in notes]
        previous = notes[-1][3]
    return melody


def schedule(track, rng):
    """Every note of the piece: (instrument, start beat, length in beats, midi note, velocity, pan)."""
    events = []
    bars = len(track.progression)
    for bar, start, length, pitch in compose_melody(track, rng):
        if track.intro_build and bar < bars // 3:
            continue
        accent = 1.0 if start == 0 else 0.85
        beat = bar * track.beats + start
        instrument, volume, pan = track.melody
        events.append((instrument, beat, length * 0.95, degree_to_midi(track, pitch) + 12, volume * accent, pan))
        if track.double:
            instrument, volume, pan = track.double
            events.append((instrument, beat, length * 0.95, degree_to_midi(track, pitch), volume * accent, pan))
    for bar, chord in enumerate(track.progression):
        root = degree_to_midi(track, chord) - 12
        triad = [degree_to_midi(track, chord + step) for step in (0, 2, 4)]
        instrument, volume, pan = track.chords
        if track.chord_style == "offbeat":
            for beat in range(track.beats):
                for note in triad:
                    events.append((instrument, bar * track.beats + beat + 0.5, 0.4, note, volume * 0.8, pan))
        else:
            for note in triad:
                events.append((instrument, bar * track.beats, track.beats, note, volume, pan))
        bass_instrument, bass_volume = track.bass
        bass_beats = [0, 2] if track.beats == 4 else [0]
        for beat in bass_beats:
            note = root if beat == 0 else root + 7
            events.append((bass_instrument, bar * track.beats + beat, 1.8, note - 12 * (note > 50), bass_volume, 0.0))
        if track.arpeggio and not (track.intro_build and bar < bars // 6):
            instrument, volume, pan = track.arpeggio
            steps = [0, 2, 4, 7, 9, 7, 4, 2] if track.beats == 4 else [0, 2, 4, 7, 4, 2]
            for eighth, step in enumerate(steps):
                note = degree_to_midi(track, chord + step)
                events.append((instrument, bar * track.beats + eighth / 2, 0.5, note, volume * (1.0 if eighth % 2 == 0 else 0.75), pan))
        if track.drums and not (track.intro_build and bar < bars // 2):
            for eighth, symbol in enumerate(track.drums[:track.beats * 2]):
                if symbol in DRUMS:
                    events.append((DRUMS[symbol], bar * track.beats + eighth / 2, 0.25, 0, 0.5 if symbol != "k" else 0.6, 0.0))
    return events


def beat_samples(track):
    return int(round(RATE * 60.0 / track.bpm))


def loop_length(track):
    """Samples in one turn of the loop: whole beats, so the bars fall on the same samples at every turn."""
    return len(track.progression) * track.beats * beat_samples(track)


def render(track):
    rng = np.random.default_rng(track.seed)
    length = loop_length(track)
    mix = np.zeros((length, 2))
    for instrument, beat, beats, note, velocity, pan in schedule(track, rng):
        voice = instrument(float(midi_hz(note)), beats * beat_samples(track) / RATE, velocity, rng)[:length]
        start = int(round(beat * beat_samples(track))) % length
        gains = np.array([np.cos((pan + 1) * np.pi / 4), np.sin((pan + 1) * np.pi / 4)]) * np.sqrt(2)
        first = min(len(voice), length - start)
        mix[start:start + first] += voice[:first, None] * gains
        mix[:len(voice) - first] += voice[first:, None] * gains
    mix = mix + 0.22 * circular_reverb(mix, rng)
    return mix * (10 ** (PEAK_DB / 20) / np.max(np.abs(mix)))


def circular_reverb(mix, rng):
    """A small hall: decaying noise as impulse response, convolved circularly so the loop stays whole."""
    length = len(mix)
    tail = int(1.6 * RATE)
    t = np.arange(tail) / RATE
    wet = np.zeros_like(mix)
    for channel in range(2):
        response = band_noise(rng, tail, RATE, 150, 7000) * np.exp(-t / 0.35) * np.minimum(t / 0.01, 1.0)
        response /= np.sqrt(np.sum(response ** 2))
        padded = np.zeros(length)
        padded[:min(tail, length)] = response[:length]
        wet[:, channel] = np.fft.irfft(np.fft.rfft(mix[:, channel]) * np.fft.rfft(padded), length)
    return wet


def test_tone():
    """A track far shorter than the player's 100 ms turn: 80 ms of a soft stereo tone, faded at both ends."""
    count = int(0.08 * RATE)
    t = np.arange(count) / RATE
    tone = 0.5 * np.sin(2 * np.pi * 440.0 * t) * np.sin(np.pi * t / t[-1])
    return np.stack([tone, tone], axis=1)
