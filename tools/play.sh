#!/usr/bin/env bash
# Builds the game and starts it in its working directory, data/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$top" -B "$top/build-plain" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_SANITIZE=OFF >/dev/null
cmake --build "$top/build-plain" -j "$(nproc)" --target vellgrove
cd "$top/data"
exec "$top/build-plain/Vellgrove/vellgrove" "$@"
