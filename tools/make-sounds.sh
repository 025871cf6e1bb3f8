#!/usr/bin/env bash
# Makes the game's sound effects and music in data/sounds/ (the build does the same whenever their sources change).
# Usage: bash tools/make-sounds.sh [TEST_TRACK]   (also a very short track for the tests, at that path)
# The system's Python is used on purpose: NumPy comes from Debian's package (tools/install-deps.sh); lame encodes.
set -euo pipefail
cd "$(dirname "$0")/.."
/usr/bin/python3 -B tools/sounds/make_sounds.py data/sounds "$@"
