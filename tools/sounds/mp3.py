"""MP3 encoding through Debian's lame with fixed options, and decoding back for the checks."""
import os
import subprocess
import tempfile

import wavfile

# Constant bit rate, joint stereo, a fixed quality setting and no replay-gain analysis; no tag names a title, a
# date or a machine. The bytes depend only on the samples, these options and lame's version (Debian 12's 3.100),
# which its header records. That header stays in: it holds the encoder delay and padding, which gapless decoders
# (libmpg123 under the mixer, lame --decode) drop, so the decoded loop is exactly the written loop.
LAME_OPTIONS = ["--quiet", "--cbr", "-b", "128", "-q", "2", "-m", "j", "--noreplaygain"]


def encode(samples, rate, path):
    with tempfile.TemporaryDirectory(prefix="sounds-") as folder:
        source = os.path.join(folder, "in.wav")
        target = os.path.join(folder, "out.mp3")
        wavfile.write(source, samples, rate)
        subprocess.run(["lame"] + LAME_OPTIONS + [source, target], check=True)
        with open(target, "rb") as encoded:
            wavfile.write_atomically(path, encoded.read())


def decode(path):
    """The samples a gapless decoder gives back, as (format fields, samples)."""
    with tempfile.TemporaryDirectory(prefix="sounds-") as folder:
        target = os.path.join(folder, "out.wav")
        subprocess.run(["lame", "--quiet", "--decode", path, target], check=True)
        return wavfile.read(target)
