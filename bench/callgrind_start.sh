#!/bin/sh
# Instructions of the program's cold start to its idle main window and of the smallest Qt
# main window (hallowelt), counted by callgrind on the offscreen platform, and the program's
# peak memory. The program runs from BUILD_DIR/app, whose folder is its data folder; a first
# start, not counted, seeds it. Home and the XDG folders point into a temporary folder.
#
#   bench/callgrind_start.sh BUILD_DIR
set -eu
build=${1:?usage: callgrind_start.sh BUILD_DIR}
tavrel=$build/app/Tavrel
hallo=$build/bench/hallowelt
for p in "$tavrel" "$hallo"; do
  [ -x "$p" ] || { echo "no $p: build the targets Tavrel and hallowelt first" >&2; exit 1; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/config" XDG_DATA_HOME="$tmp/home/data"
export XDG_CACHE_HOME="$tmp/home/cache" XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=offscreen
export TAVREL_QUIT_WHEN_IDLE=1
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$tavrel" >/dev/null 2>&1

ir() {
  valgrind --tool=callgrind --callgrind-out-file="$tmp/out" "$@" >/dev/null 2>&1
  echo $(( $(sed -n 's/^summary: *//p' "$tmp/out") / 1000000 ))
}
echo "hallowelt: $(ir "$hallo") M instructions"
echo "Tavrel, start to idle: $(ir "$tavrel") M instructions"
/usr/bin/time -f '%M' -o "$tmp/zeit" "$tavrel" >/dev/null 2>&1
kib=$(tail -1 "$tmp/zeit")
echo "Tavrel, peak memory: $(( kib / 1024 )) MiB"
