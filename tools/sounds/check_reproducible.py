"""Makes the sound data a second time in a scratch folder and compares it, byte for byte, with the made data.

Usage: check_reproducible.py SOUNDS_FOLDER TEST_TRACK
"""
import filecmp
import os
import sys
import tempfile

import make_sounds


def main(arguments):
    if len(arguments) != 2:
        sys.exit(__doc__)
    folder, test_track = arguments
    with tempfile.TemporaryDirectory(prefix="sounds-again-") as scratch:
        again_track = os.path.join(scratch, "test", os.path.basename(test_track))
        make_sounds.main([scratch, again_track])
        made = sorted(name for name in os.listdir(scratch) if name.endswith((".wav", ".mp3")))
        pairs = [(os.path.join(folder, name), os.path.join(scratch, name)) for name in made]
        pairs.append((test_track, again_track))
        differing = [first for first, second in pairs if not filecmp.cmp(first, second, shallow=False)]
    print("%d files made again, %d differ" % (len(pairs), len(differing)))
    for path in differing:
        print("FAIL %s: not the same bytes when made again" % path)
    sys.exit(1 if differing or len(made) != 26 else 0)


if __name__ == "__main__":
    main(sys.argv[1:])
