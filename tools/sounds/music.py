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
HUMAN_TIMING = 0.004

MAJOR = [0, 2, 4, 5, 7, 9, 11]
MINOR = [0, 2, 3, 5, 7, 8, 10]

# Melody rhythms, (start beat, length in beats) within a bar.
RHYTHMS = {
    4: [[(0, 1), (1, 1), (2, 1.5), (3.5, 0.5)], [(0, 0.5), (0.5, 0.5), (1, 1), (2, 2)], [(0, 2), (2, 1), (3, 1)],
        [(0, 1.5), (1.5, 0.5), (2, 2)], [(0, 1), (1, 0.5), (1.5, 0.5), (2, 1), (3, 1)], [(0, 3), (3, 1)]],
    3: [[(0, 1), (1, 1), (2, 1)], [(0, 2), (2, 1)], [(0, 1.5), (1.5, 0.5), (2, 1)], [(0, 1), (1, 2)]],
}
# Drum layers: one character per eighth note; "k" kick, "s" snare, "h" hat, "t" shaker, "." rest.
DRUMS = {"k": (inst.kick, 0.5), "s": (inst.snare, 0.45), "h": (inst.hat, 0.4), "t": (inst.shaker, 0.45)}
BACKBEAT = ["k...k...", "..s...s.", ".h.h.h.h"]

# The melody moves within these scale degrees (a tenth above the key's octave), drawn towards the middle.
MELODY_LOW, MELODY_HIGH = 3, 13
MELODY_MIDDLE = 8


# The two play tracks share a tune: sixteen bars of it, then a turn through new chords and back.
PLAY_PROGRESSION = [0, 3, 4, 0, 5, 3, 1, 4] * 2 + [0, 3, 4, 0, 3, 4, 5, 5, 3, 1, 4, 0, 5, 3, 1, 4]
PLAY_FORM = "AABAACBA"


class Track:
    def __init__(self, name, seed, bpm, key, scale, progression, form, melody, chords, bass, drums=(),
                 arpeggio=None, beats=4, chord_style="hold", intro_build=False, double=None):
        self.name, self.seed, self.bpm, self.key, self.scale = name, seed, bpm, key, scale
        self.progression, self.form, self.beats = progression, form, beats
        self.melody, self.chords, self.bass, self.drums = melody, chords, bass, drums
        self.arpeggio, self.chord_style, self.intro_build, self.double = arpeggio, chord_style, intro_build, double


TRACKS = [
    # Calm: flute over a soft pad and a slow harp, a shaker for pulse.
    Track("menu", 11, 84, 65, MAJOR, [0, 5, 3, 4, 0, 3, 1, 4, 5, 3, 4, 4, 3, 4, 5, 1, 3, 1, 4, 4, 0, 5, 3, 4],
          "ABACBA", melody=(inst.flute, 0.5, 0.2),
          chords=(inst.pad, 0.16, 0.0), bass=(inst.bass, 0.35), drums=["t.t.t.t."],
          arpeggio=(inst.pluck, 0.22, 0.3)),
    # Lively: marimba tune, offbeat plucked chords, a bouncing bass and a backbeat.
    Track("playtime", 23, 120, 60, MAJOR, PLAY_PROGRESSION, PLAY_FORM, melody=(inst.marimba, 0.55, -0.15),
          chords=(inst.pluck, 0.2, 0.25), bass=(inst.bass, 0.45), drums=BACKBEAT, chord_style="offbeat"),
    # The same tune a tone higher and a little slower, on bells doubled by a flute, with a shuffling shaker.
    Track("playtimew", 23, 116, 62, MAJOR, PLAY_PROGRESSION, PLAY_FORM, melody=(inst.bell, 0.45, 0.2),
          chords=(inst.pad, 0.14, -0.1), bass=(inst.bass, 0.45), drums=["k..kk...", "..s...s.", "t.tt.tt."],
          arpeggio=(inst.marimba, 0.2, -0.3), double=(inst.flute, 0.18, -0.25)),
    # Bright: bells and marimba, quick and high.
    Track("bonus", 37, 132, 67, MAJOR, [0, 4, 5, 3] * 5 + [3, 4, 1, 4, 0, 4, 5, 3, 3, 4, 5, 4, 0, 4, 5, 3],
          "AABAACABA", melody=(inst.bell, 0.5, 0.15),
          chords=(inst.marimba, 0.22, -0.2), bass=(inst.bass, 0.45), drums=BACKBEAT + ["....t..t"],
          chord_style="offbeat", double=(inst.marimba, 0.2, -0.3)),
    # A gentle build: strings alone, then the harp, then the flute's tune.
    Track("intro", 41, 76, 62, MAJOR, [0, 4, 5, 3, 0, 4, 3, 4, 5, 3, 1, 4, 3, 4, 0, 5, 1, 4, 3, 4, 0, 4, 5, 4],
          "ABACBA", melody=(inst.flute, 0.45, 0.1),
          chords=(inst.strings, 0.16, 0.0), bass=(inst.bass, 0.3), arpeggio=(inst.pluck, 0.25, -0.25),
          intro_build=True),
    # Triumphant: a brass fanfare over timpani and a march.
    Track("trophies", 53, 100, 58, MAJOR, [0, 3, 4, 0, 3, 4, 5, 4, 0, 3, 4, 0, 5, 3, 4, 4] + [0, 3, 4, 0, 3, 4, 5, 4, 0, 3, 4, 0],
          "ABACABA", melody=(inst.brass, 0.5, 0.0),
          chords=(inst.brass, 0.14, 0.0), bass=(inst.timpani, 0.5), drums=["k...k...", "....s.ss"],
          double=(inst.bell, 0.15, 0.3)),
    # Warm: a slow waltz of strings, harp and flute.
    Track("final", 67, 80, 63, MAJOR, [0, 5, 3, 4, 0, 5, 1, 4, 3, 4, 0, 4, 5, 3, 1, 4] + [0, 5, 3, 4, 0, 5, 1, 4, 3, 4, 0, 4],
          "ABACABA", melody=(inst.flute, 0.45, -0.1),
          chords=(inst.strings, 0.18, 0.1), bass=(inst.bass, 0.35), arpeggio=(inst.pluck, 0.2, 0.3), beats=3),
]


def degree_to_midi(track, degree):
    return track.key + 12 * (degree // 7) + track.scale[degree % 7]


def chord_tones_near(chord, pitch):
    tones = [chord + 7 * octave + step for octave in range(-1, 3) for step in (0, 2, 4)]
    return sorted((t for t in tones if MELODY_LOW <= t <= MELODY_HIGH), key=lambda t: (abs(t - pitch), t))


def next_pitch(rng, pitch, chord, strong, last):
    """Chord tones on strong beats, steps in between; leaps back towards the middle of the range."""
    if strong or last:
        nearest = chord_tones_near(chord, pitch)
        if last or nearest[0] != pitch or rng.random() < 0.3:
            return nearest[0]
        return nearest[1]
    pull = -1 if pitch > MELODY_MIDDLE + 2 else 1 if pitch < MELODY_MIDDLE - 2 else 0
    steps = [-2, -1, 1, 2] + [pull] * 2 if pull else [-2, -1, -1, 1, 1, 2]
    return int(np.clip(pitch + rng.choice(steps), MELODY_LOW, MELODY_HIGH))


def compose_phrase(track, rng, chords, previous):
    notes, pitch = [], previous
    patterns = RHYTHMS[track.beats]
    for bar, chord in enumerate(chords):
        rhythm = patterns[rng.integers(len(patterns))]
        for index, (start, length) in enumerate(rhythm):
            strong = start in (0, 2) if track.beats == 4 else start == 0
            last = bar == len(chords) - 1 and index == len(rhythm) - 1
            pitch = next_pitch(rng, pitch, chord, strong, last)
            notes.append((bar, start, length, pitch))
    return notes


def restate_phrase(phrase, old_chords, new_chords):
    """A phrase again over other chords: each bar moved whole by the change of its chord, by the octave that
    keeps it in range and nearest the note before, so the contour survives."""
    notes, previous = [], None
    for bar in range(len(old_chords)):
        pitches = [pitch for b, _, _, pitch in phrase if b == bar]
        change = new_chords[bar] - old_chords[bar]
        candidates = [change + octave for octave in (-14, -7, 0, 7, 14)
                      if MELODY_LOW <= min(pitches) + change + octave and max(pitches) + change + octave <= MELODY_HIGH]
        reference = pitches[0] + change if previous is None else previous
        shift = min(candidates, key=lambda c: (abs(pitches[0] + c - reference), abs(c))) if candidates else 0
        notes += [(b, start, length, pitch + shift) for b, start, length, pitch in phrase if b == bar]
        previous = notes[-1][3]
    return notes


def compose_melody(track, rng):
    """Phrases of equal length in the track's form; a letter met again restates its phrase over the new chords."""
    bars_per_phrase = len(track.progression) // len(track.form)
    made, melody, previous = {}, [], MELODY_MIDDLE
    for index, letter in enumerate(track.form):
        chords = track.progression[index * bars_per_phrase:(index + 1) * bars_per_phrase]
        if letter in made:
            notes = restate_phrase(made[letter][0], made[letter][1], chords)
        else:
            notes = compose_phrase(track, rng, chords, previous)
            made[letter] = (notes, chords)
        melody += [(index * bars_per_phrase + bar, start, length, pitch) for bar, start, length, pitch in notes]
        previous = notes[-1][3]
    return melody


def melody_events(track, rng):
    bars = len(track.progression)
    voices = [(track.melody, 0)] + ([(track.double, -12)] if track.double else [])
    for bar, start, length, pitch in compose_melody(track, rng):
        # The intro's tune enters after its first third.
        if track.intro_build and bar < bars // 3:
            continue
        accent = 1.0 if start == 0 else 0.85
        for (instrument, volume, pan), octave in voices:
            yield instrument, bar * track.beats + start, length * 0.95, degree_to_midi(track, pitch) + octave, volume * accent, pan


def chord_events(track, bar, chord):
    instrument, volume, pan = track.chords
    triad = [degree_to_midi(track, chord + step) for step in (0, 2, 4)]
    if track.chord_style == "offbeat":
        hits = [(beat + 0.5, 0.4, volume * 0.8) for beat in range(track.beats)]
    else:
        hits = [(0, track.beats, volume)]
    for offset, length, velocity in hits:
        for note in triad:
            yield instrument, bar * track.beats + offset, length, note, velocity, pan


def bass_events(track, bar, chord):
    instrument, volume = track.bass
    root = degree_to_midi(track, chord) - 12
    # Root on the first beat, the fifth on the third; kept in the low octave.
    for beat, note in [(0, root), (2, root + 7)][:2 if track.beats == 4 else 1]:
        yield instrument, bar * track.beats + beat, 1.8, note - 12 * (note > 50), volume, 0.0


def arpeggio_events(track, bar, chord):
    if not track.arpeggio or (track.intro_build and bar < len(track.progression) // 6):
        return
    instrument, volume, pan = track.arpeggio
    steps = [0, 2, 4, 7, 9, 7, 4, 2] if track.beats == 4 else [0, 2, 4, 7, 4, 2]
    for eighth, step in enumerate(steps):
        velocity = volume * (1.0 if eighth % 2 == 0 else 0.75)
        yield instrument, bar * track.beats + eighth / 2, 0.5, degree_to_midi(track, chord + step), velocity, pan


def drum_events(track, bar):
    for layer in track.drums:
        for eighth, symbol in enumerate(layer[:track.beats * 2]):
            if symbol in DRUMS:
                instrument, volume = DRUMS[symbol]
                yield instrument, bar * track.beats + eighth / 2, 0.25, 0, volume, 0.0


def schedule(track, rng):
    """Every note of the piece: (instrument, start beat, length in beats, midi note, velocity, pan)."""
    events = list(melody_events(track, rng))
    for bar, chord in enumerate(track.progression):
        events += chord_events(track, bar, chord)
        events += bass_events(track, bar, chord)
        events += arpeggio_events(track, bar, chord)
        events += drum_events(track, bar)
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
        # A player's touch: each note a little louder or softer, a few milliseconds early or late.
        velocity *= 1.0 + 0.08 * rng.uniform(-1.0, 1.0)
        start = int(round(beat * beat_samples(track) + rng.normal(0.0, HUMAN_TIMING * RATE)))
        voice = instrument(float(midi_hz(note)), beats * beat_samples(track) / RATE, velocity, rng)
        add_circularly(mix, voice[:length], start % length, pan)
    mix = mix + 0.22 * circular_reverb(mix, rng)
    return mix * (10 ** (PEAK_DB / 20) / np.max(np.abs(mix)))


def add_circularly(mix, voice, start, pan):
    """Mixes a note in at its start, panned; what runs past the loop's end sounds again from its beginning."""
    gains = np.array([np.cos((pan + 1) * np.pi / 4), np.sin((pan + 1) * np.pi / 4)]) * np.sqrt(2)
    first = min(len(voice), len(mix) - start)
    mix[start:start + first] += voice[:first, None] * gains
    mix[:len(voice) - first] += voice[first:, None] * gains


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
