#!/bin/sh
# Instructions per simulated step of the engine benchmark's plants and instructions of the
# three-year weather synthesis, counted by callgrind on the stepcount driver of a Release
# build. The per-step figure is the marginal between 5 and 15 steps per hour over one year,
#   (Ir(15) - Ir(5)) / (steps(15) - steps(5)),
# so start-up, set-up and the once-per-day work largely cancel out.
#
#   bench/callgrind_steps.sh BUILD_DIR [TYPE...]    (default: types 1 to 8 and the weather)
set -eu
build=${1:?usage: callgrind_steps.sh BUILD_DIR [TYPE...]}
shift
driver=$build/bench/stepcount
[ -x "$driver" ] || { echo "no $driver: build the target stepcount first" >&2; exit 1; }
types=${*:-1 2 3 4 5 6 7 8}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Instructions of one driver run.
ir() {
  valgrind --tool=callgrind --callgrind-out-file="$tmp/out" "$driver" "$@" >"$tmp/stdout" 2>"$tmp/log"
  sed -n 's/^summary: *//p' "$tmp/out"
}

for t in $types; do
  i5=$(ir engine "$t" 1 5)
  s5=$(sed -n 's/^# steps //p' "$tmp/stdout")
  i15=$(ir engine "$t" 1 15)
  s15=$(sed -n 's/^# steps //p' "$tmp/stdout")
  echo "type $t: $(( (i15 - i5) / (s15 - s5) )) instructions per step"
done
if [ $# -eq 0 ]; then
  echo "weather, three years: $(( $(ir weather) / 1000000 )) M instructions"
fi
