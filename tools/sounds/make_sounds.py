"""Makes the game's sound effects (WAV) and music (MP3) in data/sounds/, and a very short track for the tests.

Usage: make_sounds.py SOUNDS_FOLDER [TEST_TRACK]
Every random choice is seeded, so each run writes the same bytes.
"""
import os
import sys
from concurrent.futures import ProcessPoolExecutor

import effects
import mp3
import music
import wavfile

# The machine is shared: a few workers make the tracks side by side.
WORKERS = 3


def make_effect(folder, index):
    name, maker, bits = effects.EFFECTS[index]
    wavfile.write(os.path.join(folder, name + ".wav"), effects.make(name, maker, 1000 + index), effects.RATE, bits)


def make_track(folder, index):
    track = music.TRACKS[index]
    mp3.encode(music.render(track), music.RATE, os.path.join(folder, track.name + ".mp3"))


def main(arguments):
    if len(arguments) not in (1, 2):
        sys.exit(__doc__)
    folder = arguments[0]
    os.makedirs(folder, exist_ok=True)
    with ProcessPoolExecutor(WORKERS) as pool:
        jobs = [pool.submit(make_track, folder, index) for index in range(len(music.TRACKS))]
        jobs += [pool.submit(make_effect, folder, index) for index in range(len(effects.EFFECTS))]
        for job in jobs:
            job.result()
    if len(arguments) == 2:
        os.makedirs(os.path.dirname(os.path.abspath(arguments[1])), exist_ok=True)
        mp3.encode(music.test_tone(), music.RATE, arguments[1])


if __name__ == "__main__":
    main(sys.argv[1:])
