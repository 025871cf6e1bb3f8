#!/usr/bin/env bash
# Makes the pictures, the font texture and the glyph table in data/ from the programs in tools/datagen/.
# Usage: bash tools/make-data.sh [PREVIEW_FOLDER]   (PNG previews of the screens as the game composes them)
# The system's Python is used on purpose: Pillow and NumPy come from Debian's packages (tools/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
/usr/bin/python3 -B tools/datagen/make_data.py data "$@"
