#!/usr/bin/env bash
# Follows the README as a newcomer on a fresh Debian 12 would: makes a minimal Debian root with debootstrap
# (from the mirrors this machine's apt already uses), puts a clean clone of this checkout's last commit in it,
# and there runs tools/install-deps.sh and then the README's commands. A file that the build, the data
# programs, the game or the tests take from a package that tools/install-deps.sh does not list fails here,
# not on the newcomer's machine.
#
# Usage: bash tools/fresh-root-check.sh [full|data]
#   full (the default): tools/run-tests.sh, then tools/play-check.sh (the game started under Xvfb until its
#         main menu shows; the picture of the screen is kept in $FRESH_ROOT_OUTPUT).
#   data: the configuration and the data programs only (pictures, sounds): a quicker check of the packages.
# Environment:
#   FRESH_ROOT_PARENT  where the root is made; it takes about 7 GB with both builds (default /var/tmp)
#   FRESH_ROOT_OUTPUT  where the screen picture goes (default build-fresh-root/ in this checkout)
#   FRESH_ROOT_KEEP=1  keeps the root afterwards, to look into
#   FRESH_ROOT_MINUTES the time limit for the whole check (default 85)
# Needs root, or sudo: debootstrap, the mounts and chroot. debootstrap is installed here when missing. The
# mounts are made in a mount namespace of the check's own, so they go when it ends, however it ends, and
# every process started inside goes with the check's process namespace.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
script="$top/tools/$(basename "$0")"

release=bookworm

say() { echo "=== fresh root: $*"; }
die() {
  echo "fresh-root-check: $*" >&2
  exit 1
}

# Runs a command as a step with a time limit (minutes) and says how long it took. With step_log set, the
# command's output goes to that file and only its end is shown, on failure.
step_log=""
step() {
  local name=$1 minutes=$2
  shift 2
  say "$name"
  local started=$SECONDS status=0
  if [ -n "$step_log" ]; then
    timeout --kill-after=30 "${minutes}m" "$@" >"$step_log" 2>&1 || status=$?
    [ "$status" -eq 0 ] || tail -n 40 "$step_log" >&2
  else
    timeout --kill-after=30 "${minutes}m" "$@" || status=$?
  fi
  [ "$status" -ne 124 ] || die "$name did not finish within $minutes minutes"
  [ "$status" -eq 0 ] || die "$name failed (status $status)"
  say "$name took $((SECONDS - started)) s"
}

# --- Inside the check's own mount and process namespaces -----------------------------------------

mounted=()
mount_in_root() {
  local target=$1
  shift
  mount "$@" "$target"
  mounted+=("$target")
}

unmount_all() {
  local index
  for ((index = ${#mounted[@]} - 1; index >= 0; index--)); do
    umount "${mounted[index]}" 2>/dev/null || umount -l "${mounted[index]}" 2>/dev/null || true
  done
  mounted=()
}

# A /dev of its own, made of the few nodes that programs expect: an accidental removal in the root
# never reaches the machine's devices.
make_dev() {
  local dev="$1/dev"
  mount_in_root "$dev" -t tmpfs -o mode=755,nosuid dev
  local name major minor
  while read -r name major minor; do
    mknod -m 666 "$dev/$name" c "$major" "$minor"
  done <<<"null 1 3
zero 1 5
full 1 7
random 1 8
urandom 1 9
tty 5 0"
  mkdir "$dev/pts" "$dev/shm"
  mount_in_root "$dev/pts" -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts
  ln -s pts/ptmx "$dev/ptmx"
  mount_in_root "$dev/shm" -t tmpfs -o mode=1777,nosuid,nodev shm
  ln -s /proc/self/fd "$dev/fd"
  ln -s /proc/self/fd/0 "$dev/stdin"
  ln -s /proc/self/fd/1 "$dev/stdout"
  ln -s /proc/self/fd/2 "$dev/stderr"
}

# The command line that runs a shell command in the clone inside the root, with the environment of a
# fresh login (and this machine's proxy, if any), into the array in_root.
in_root=()
in_root() {
  local root=$1 command=$2 name
  in_root=(chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
    HOME=/root TERM=dumb LANG=C.UTF-8)
  for name in http_proxy https_proxy no_proxy HTTP_PROXY HTTPS_PROXY NO_PROXY; do
    [ -z "${!name:-}" ] || in_root+=("$name=${!name}")
  done
  in_root+=(bash -c "cd /src && $command")
}

# Runs a step in the clone inside the root.
root_step() {
  local name=$1 minutes=$2 root=$3 command=$4
  in_root "$root" "$command"
  step "$name" "$minutes" "${in_root[@]}"
}

inside() {
  local root=$1 mode=$2
  trap unmount_all EXIT
  mount_in_root "$root/proc" -t proc -o nosuid,nodev,noexec proc
  mount_in_root "$root/sys" -t sysfs -o ro,nosuid,nodev,noexec sysfs
  make_dev "$root"

  root_step "install-deps.sh" 30 "$root" "bash tools/install-deps.sh"
  if [ "$mode" = data ]; then
    root_step "configure" 10 "$root" \
      "cmake -S . -B build-plain -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_SANITIZE=OFF"
    root_step "data programs" 30 "$root" "cmake --build build-plain -j \$(nproc) --target sounds \
      menu_art map_art trophies_art score_art comics_art story_art gamemenu_art"
  else
    root_step "run-tests.sh" 75 "$root" "bash tools/run-tests.sh"
    root_step "play-check.sh" 30 "$root" "bash tools/play-check.sh build-plain/play-check.png"
  fi
}

# --- On the machine ---------------------------------------------------------------------------

# "URI SUITE COMPONENT..." for every deb entry of this machine's apt sources, in both formats.
host_apt_entries() {
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    awk '$1 == "deb" { sub(/^deb[ \t]+(\[[^]]*\][ \t]+)?/, ""); print }' "$file"
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk 'BEGIN { RS = ""; FS = "\n" }
      {
        split("", field); key = ""
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^#/) continue
          if ($i ~ /^[ \t]/ && key != "") { field[key] = field[key] " " $i; continue }
          colon = index($i, ":")
          if (colon == 0) continue
          key = tolower(substr($i, 1, colon - 1))
          field[key] = substr($i, colon + 1)
        }
        if (field["types"] !~ /(^|[ \t])deb([ \t]|$)/ || tolower(field["enabled"]) ~ /no/) next
        uris = split(field["uris"], uri, /[ \t]+/)
        suites = split(field["suites"], suite, /[ \t]+/)
        components = field["components"]
        gsub(/^[ \t]+|[ \t]+$/, "", components)
        for (u = 1; u <= uris; u++)
          for (s = 1; s <= suites; s++)
            if (uri[u] != "" && suite[s] != "") print uri[u], suite[s], components
      }' "$file"
  done
}

# The entries of Debian's own suites for the release (third-party archives name suites of their own).
debian_entries() {
  host_apt_entries | awk -v release="$release" \
    '$2 == release || $2 == release "-updates" || $2 == release "-security"' | sort -u
}

ensure_root_user() {
  [ "$(id -u)" -eq 0 ] && return
  command -v sudo >/dev/null || die "needs root (debootstrap, mounts, chroot); run it as root or install sudo"
  exec sudo --preserve-env=FRESH_ROOT_PARENT,FRESH_ROOT_OUTPUT,FRESH_ROOT_KEEP,FRESH_ROOT_MINUTES,http_proxy,https_proxy,no_proxy \
    bash "$script" "$@"
}

ensure_debootstrap() {
  command -v debootstrap >/dev/null && return
  say "installing debootstrap on this machine"
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -q --no-install-recommends debootstrap >/dev/null 2>&1 ||
    { apt-get update -q >/dev/null && apt-get install -y -q --no-install-recommends debootstrap >/dev/null; } ||
    die "cannot install debootstrap with apt-get"
}

# Apt in the root reads the same Debian mirrors, through the same proxy, with the same date checks.
configure_apt() {
  local root=$1 entries=$2
  rm -f "$root/etc/apt/sources.list" "$root"/etc/apt/sources.list.d/*
  awk '{ printf "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s\n", $0 }' <<<"$entries" \
    >"$root/etc/apt/sources.list"
  apt-config dump | grep -E '^Acquire::([a-z]+::Proxy|Check-Valid-Until|Check-Date)' \
    >"$root/etc/apt/apt.conf.d/90host-acquire" || true
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
}

work_dir=""
root_dir=""
unshare_pid=""
cleanup() {
  local status=$?
  trap - EXIT INT TERM
  if [ -n "$unshare_pid" ]; then
    kill -TERM "$unshare_pid" 2>/dev/null || true
    wait "$unshare_pid" 2>/dev/null || true
  fi
  if [ -n "$work_dir" ] && [ -d "$work_dir" ]; then
    if findmnt -rn -o TARGET | awk -v work="$work_dir" 'index($0, work) == 1 { found = 1 } END { exit !found }'; then
      echo "fresh-root-check: something is still mounted under $work_dir; left in place" >&2
      status=1
    elif [ "${FRESH_ROOT_KEEP:-}" = 1 ]; then
      say "kept in $root_dir"
    else
      rm -rf --one-file-system "$work_dir"
    fi
  fi
  exit "$status"
}

main() {
  local mode=${1:-full}
  case "$mode" in full | data) ;; *) die "unknown mode '$mode' (full or data)" ;; esac
  ensure_root_user "$@"
  local tool
  for tool in unshare chroot findmnt; do
    command -v "$tool" >/dev/null || die "needs $tool (util-linux, coreutils)"
  done
  local minutes=${FRESH_ROOT_MINUTES:-85}
  local entries mirror
  entries=$(debian_entries)
  mirror=$(awk -v release="$release" '$2 == release { print $1; exit }' <<<"$entries")
  [ -n "$mirror" ] || die "no Debian $release entry in this machine's apt sources to make the root from"
  ensure_debootstrap

  local parent=${FRESH_ROOT_PARENT:-/var/tmp}
  mkdir -p "$parent"
  trap cleanup EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  work_dir=$(mktemp -d "$parent/fresh-root.XXXXXX")
  root_dir="$work_dir/root"
  local started=$SECONDS

  local keyring=()
  [ ! -f /usr/share/keyrings/debian-archive-keyring.gpg ] ||
    keyring=(--keyring=/usr/share/keyrings/debian-archive-keyring.gpg)
  step_log="$work_dir/debootstrap.log"
  step "debootstrap" 20 debootstrap --variant=minbase "${keyring[@]}" "$release" "$root_dir" "$mirror"
  step_log=""
  configure_apt "$root_dir" "$entries"

  [ -z "$(git -c safe.directory="$top" -C "$top" status --porcelain --untracked-files=no)" ] ||
    say "note: changes not committed in $top are not part of the check"
  git -c safe.directory="$top" clone -q --no-hardlinks "$top" "$root_dir/src"
  say "clone of $(git -C "$root_dir/src" log -1 --format='%h %s')"

  local left=$((minutes * 60 - (SECONDS - started)))
  timeout --kill-after=30 "$left" unshare --mount --pid --kill-child --propagation private \
    bash "$script" --inside "$root_dir" "$mode" &
  unshare_pid=$!
  local status=0
  wait "$unshare_pid" || status=$?
  unshare_pid=""
  [ "$status" -ne 124 ] || die "the check did not finish within $minutes minutes"
  [ "$status" -eq 0 ] || exit "$status"

  if [ "$mode" = full ]; then
    local output=${FRESH_ROOT_OUTPUT:-$top/build-fresh-root}
    mkdir -p "$output"
    cp "$root_dir/src/build-plain/play-check.png" "$output/"
    say "the game's main menu is pictured in $output/play-check.png"
  fi
  say "passed in $((SECONDS - started)) s"
}

if [ "${1:-}" = --inside ]; then
  inside "$2" "$3"
else
  main "$@"
fi
