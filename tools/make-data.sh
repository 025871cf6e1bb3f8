#!/usr/bin/env bash
# Makes the pictures, the font texture and the glyph table in data/ from the programs in tools/datagen/.
# Usage: bash tools/make-data.sh [PREVIEW_FOLDER]   (PNG previews of the screens as the game composes them)
# The system's Python is used on purpose: Pillow and NumPy come from Debian's packages (tools/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
/usr/bin/python3 -B tools/datagen/make_data.py data "$@"
# The sounds and music too (the build also makes them whenever their sources change).
bash tools/make-sounds.sh
# The spell network, trained from a fixed seed on the game's own canvas code (about four minutes, one
# thread, twenty rounds of strokes drawn afresh): the same seed writes the same bytes.
[ -d build-plain ] || cmake -S . -B build-plain -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-plain -j 3 --target nn_train >/dev/null
build-plain/tools/nn_train/nn_train train data/Res/nn.xml 20 4000 20
