#!/usr/bin/env bash
# Starts the game the way tools/play.sh does, in a virtual X display, lets it run past its splash pictures
# into the main menu, keeps a picture of the screen, then asks it to end as a desktop does at log-out.
# It fails when the game does not get through its loading, ends on its own, or does not end cleanly.
# The game's players file and log go to a folder of their own, not to the user's documents.
# Usage: bash tools/play-check.sh [SCREEN.png]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
screen_file=$(realpath -m "${1:-$top/build-plain/play-check.png}")

# Within the limits the game's build and start get on a slow machine with nothing built yet.
build_and_load_seconds=${PLAY_CHECK_LOAD_SECONDS:-1800}
# The splash pictures take eight seconds; the menu fades in after them.
menu_seconds=15
end_seconds=30

if [ -z "${PLAY_CHECK_IN_DISPLAY:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "play-check: xvfb-run is missing (bash tools/install-deps.sh)" >&2; exit 1; }
  export PLAY_CHECK_IN_DISPLAY=1
  exec env -u SDL_VIDEODRIVER xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$screen_file"
fi

documents=$(mktemp -d)
game=""
finish() {
  [ -z "$game" ] || kill -KILL "$game" 2>/dev/null || true
  rm -rf "$documents"
}
trap finish EXIT
log="$documents/Glintmoor_Dawnkeel/log.txt"

fail() {
  echo "play-check: $1" >&2
  [ ! -f "$log" ] || { echo "--- the game's log:" >&2; cat "$log" >&2; }
  exit 1
}

XDG_DOCUMENTS_DIR="$documents" bash "$top/tools/play.sh" &
game=$!

waited=0
until grep -q "Starting complete" "$log" 2>/dev/null; do
  kill -0 "$game" 2>/dev/null || { wait "$game" || true; fail "the game ended before its loading was complete"; }
  [ "$waited" -lt $((build_and_load_seconds * 10)) ] || fail "no complete start within $build_and_load_seconds s"
  sleep 0.1
  waited=$((waited + 1))
done
echo "play-check: loaded; waiting $menu_seconds s for the main menu"
sleep "$menu_seconds"
kill -0 "$game" 2>/dev/null || fail "the game ended on its own after loading"

mkdir -p "$(dirname "$screen_file")"
/usr/bin/python3 -c 'import sys; from PIL import ImageGrab; ImageGrab.grab(xdisplay=None).save(sys.argv[1])' \
  "$screen_file" || fail "the screen could not be read"
echo "play-check: the screen is in $screen_file"

kill -TERM "$game"
status=0
for ((tenth = 0; tenth < end_seconds * 10; tenth++)); do
  kill -0 "$game" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game" 2>/dev/null; then
  fail "the game did not end within $end_seconds s of being asked to"
fi
wait "$game" || status=$?
game=""
[ "$status" -eq 0 ] || fail "the game ended with status $status"
grep -q "Platform shut down" "$log" || fail "the game's log does not reach its end"
! grep -q "Failure" "$log" || fail "the game's log reports a failure"
echo "play-check: the game loaded, ran past its splash into the main menu and ended cleanly"
