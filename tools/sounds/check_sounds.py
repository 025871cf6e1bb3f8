"""Checks the made sound data by measurement: formats, durations, levels, and the music's loop seam.

Usage: check_sounds.py SOUNDS_FOLDER [TEST_TRACK]
Prints one line per file and exits non-zero naming every file that fails.
"""
import os
import sys

import numpy as np

import mixer_playback
import mp3
import music
import wavfile

EFFECT_RATE = 22050
# name: (channels, bits); every other effect is 16-bit mono.
EFFECT_FORMS = {"wind": (2, 16), "click": (1, 8)}
EFFECTS = ["collide", "magic", "telep_create", "tele_go", "bridgedown", "step", "portal", "rec_err", "click", "focus",
           "fountain", "kill", "switch", "wind", "gate", "spring", "funnel", "tooth", "score"]
TRACKS = ["menu", "playtime", "playtimew", "bonus", "intro", "trophies", "final"]
# "Score" is started many times a second while the score counts up.
LONGEST_EFFECT = {"score": 0.15}
EFFECT_LOUDNESS_SPREAD_DB = 2.0


def db(value):
    return 20.0 * np.log10(max(value, 1e-12))


def loudest_window_rms(samples, rate):
    window = int(0.05 * rate)
    power = np.mean(samples ** 2, axis=1)
    if len(power) <= window:
        return np.sqrt(np.mean(power))
    return np.sqrt(np.max(np.convolve(power, np.ones(window) / window, mode="valid")))


def check_effect(folder, name, problems):
    fields, samples = wavfile.read(os.path.join(folder, name + ".wav"))
    channels, bits = EFFECT_FORMS.get(name, (1, 16))
    expected = dict(tag=1, channels=channels, rate=EFFECT_RATE, bits=bits, fmt_size=16,
                    align=channels * bits // 8, byte_rate=EFFECT_RATE * channels * bits // 8)
    for key, value in expected.items():
        if fields[key] != value:
            problems.append("%s.wav: %s is %s, not %s" % (name, key, fields[key], value))
    seconds = len(samples) / EFFECT_RATE
    if not 0.03 <= seconds <= LONGEST_EFFECT.get(name, 2.0):
        problems.append("%s.wav: lasts %.3f s" % (name, seconds))
    peak = np.max(np.abs(samples))
    if db(peak) > -0.5:
        problems.append("%s.wav: peak %.1f dBFS clips" % (name, db(peak)))
    step = 1.5 / 127 if bits == 8 else 1.5 / 32767
    if np.max(np.abs(samples[[0, -1]])) > step:
        problems.append("%s.wav: does not start and end at rest" % name)
    loudness = db(loudest_window_rms(samples, EFFECT_RATE))
    print("%-14s %8d bytes %6.3f s  %d ch %2d bit  peak %6.1f dBFS  loudest 50 ms %6.1f dBFS"
          % (name + ".wav", os.path.getsize(os.path.join(folder, name + ".wav")), seconds, fields["channels"],
             fields["bits"], db(peak), loudness))
    return loudness


def seam_jump(samples, rate):
    """The step from the last sample to the first, as a fraction of the largest step within 20 ms either side.

    A loop that is cut or padded shows at its seam a step larger than any of its neighbours."""
    width = int(0.02 * rate)
    around = np.concatenate([samples[-width:], samples[:width]])
    steps = np.max(np.abs(np.diff(around, axis=0)), axis=1)
    return steps[width - 1] / np.max(np.delete(steps, width - 1))


def mixer_seam(samples, loop, rate):
    """The step where the mixer's second turn begins, as a fraction of the largest step within 20 ms either side."""
    width = int(0.02 * rate)
    steps = np.max(np.abs(np.diff(samples[loop - width:loop + width], axis=0)), axis=1)
    return steps[width - 1] / np.max(np.delete(steps, width - 1))


def check_track(path, problems, shortest=60.0, longest=90.0):
    name = os.path.basename(path)
    with open(path, "rb") as source:
        head = source.read(4096)
    if b"LAME" not in head or not (b"Info" in head or b"Xing" in head):
        problems.append("%s: no LAME header with the encoder delay and padding" % name)
    fields, samples = mp3.decode(path)
    seconds = len(samples) / fields["rate"]
    peak = db(np.max(np.abs(samples)))
    edge = int(0.02 * fields["rate"])
    start_level = db(np.sqrt(np.mean(samples[:edge] ** 2)))
    end_level = db(np.sqrt(np.mean(samples[-edge:] ** 2)))
    jump = seam_jump(samples, fields["rate"])
    print("%-14s %8d bytes %6.2f s  %d ch %5d Hz  peak %5.1f dBFS  seam step %.2f of its neighbours'  edges %.0f/%.0f dBFS"
          % (name, os.path.getsize(path), seconds, fields["channels"], fields["rate"], peak, jump,
             start_level, end_level))
    if fields["channels"] != 2 or fields["rate"] != 44100:
        problems.append("%s: decodes to %d channels at %d Hz" % (name, fields["channels"], fields["rate"]))
    if not shortest <= seconds <= longest:
        problems.append("%s: lasts %.2f s" % (name, seconds))
    return dict(peak=peak, jump=jump, start=start_level, end=end_level, length=len(samples))


def check_music(folder, track, problems):
    name = track.name
    measured = check_track(os.path.join(folder, name + ".mp3"), problems)
    # A gapless decode gives back exactly the composed loop: no encoder delay in front, no padding behind.
    if measured["length"] != music.loop_length(track):
        problems.append("%s.mp3: decodes to %d samples, the loop has %d" % (name, measured["length"], music.loop_length(track)))
    # As the game hears it: the mixer plays exactly two turns, and the second follows the first without a step.
    played = mixer_playback.play_twice(os.path.join(folder, name + ".mp3"))
    if len(played) != 2 * music.loop_length(track):
        problems.append("%s.mp3: the mixer plays %d samples for two turns of %d" % (name, len(played), music.loop_length(track)))
    elif mixer_seam(played, music.loop_length(track), 44100) > 1.0:
        problems.append("%s.mp3: the mixer's loop jumps at its seam" % name)
    else:
        print("%-14s the mixer plays two turns, %d samples, seam step %.2f of its neighbours'"
              % ("", len(played), mixer_seam(played, music.loop_length(track), 44100)))
    if not -4.5 <= measured["peak"] <= -1.5:
        problems.append("%s.mp3: peak %.1f dBFS, not near -3" % (name, measured["peak"]))
    if measured["jump"] > 1.0:
        problems.append("%s.mp3: the loop jumps at its seam (%.2f)" % (name, measured["jump"]))
    # Silence at either end would be a gap at every turn of the loop (encoder delay or padding left in).
    if min(measured["start"], measured["end"]) < -50:
        problems.append("%s.mp3: silent at an end (%.0f, %.0f dBFS)" % (name, measured["start"], measured["end"]))


def main(arguments):
    if len(arguments) not in (1, 2):
        sys.exit(__doc__)
    folder, problems = arguments[0], []
    loudness = {}
    for name in EFFECTS:
        try:
            loudness[name] = check_effect(folder, name, problems)
        except (OSError, ValueError, KeyError) as error:
            problems.append("%s.wav: %s" % (name, error))
    if loudness:
        middle = np.median(list(loudness.values()))
        problems += ["%s.wav: loudness %.1f dB away from the others" % (name, value - middle)
                     for name, value in loudness.items() if abs(value - middle) > EFFECT_LOUDNESS_SPREAD_DB]
    made = [track.name for track in music.TRACKS]
    if made != TRACKS:
        problems.append("the music made is %s, not %s" % (made, TRACKS))
    for track in music.TRACKS:
        try:
            check_music(folder, track, problems)
        except Exception as error:  # a missing file or a decoder failure is reported with the track's name
            problems.append("%s.mp3: %s" % (track.name, error))
    if len(arguments) == 2:
        try:
            check_track(arguments[1], problems, shortest=0.01, longest=0.1)
        except Exception as error:
            problems.append("%s: %s" % (arguments[1], error))
    for problem in problems:
        print("FAIL " + problem)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main(sys.argv[1:])
