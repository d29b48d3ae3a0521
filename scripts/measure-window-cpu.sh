#!/usr/bin/env bash
# The real window's CPU during play: the stage-10 flight at scale 3 on a virtual 2048x1536 display, with the
# music rendered as for a sound card (SDL's dummy audio driver), measured per thread over ten 10-s windows of
# play, and the X server's CPU over the same time (work the game hands to it does not count as the game's).
#   scripts/measure-window-cpu.sh [GAME [WINDOWS [OTHER]]]
# GAME defaults to build-release/wispen (`make bench` builds it); the stages and the flight come from the tree
# it was built in. Prints the share of one core of each window (main thread / audio thread) and the means.
# With OTHER (another build of the game), both fly at once on the same display, so that the load of the rest
# of the machine falls on both alike: compare two builds that way, over several runs with the two swapped,
# since one start of the same build differs from the next by up to 0.3% of a core on the main thread.
set -euo pipefail
game=$(realpath "${1:-build-release/wispen}")
windows=${2:-10}
other=${3:+$(realpath "$3")}
tree=$(dirname "$game")
if [ -z "${WISPEN_MEASURE_DISPLAY:-}" ]; then
  WISPEN_MEASURE_DISPLAY=1 SDL_AUDIODRIVER=dummy exec xvfb-run -a -s "-screen 0 2048x1536x24 -noreset" \
    "$0" "$game" "$windows" ${other:+"$other"}
fi
tmp=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

mkdir -p "$tmp/flights"
"$tree/tools/wispen_stagecheck" --stage 10 --own --flight-only --scripts "$tmp/flights" >/dev/null
{
  echo "until MenuMode 1"
  echo "wait 3000"
  echo "press left 200 320"
  echo "press left 515 100"
  echo "wait 510"
  cat "$tmp/flights/flight10.txt"
  echo "wait 1000"
  echo "close"
} >"$tmp/flight.script"

# Starts a build of the game on the flight in a directory of its own, every stage open (so that the stage
# select offers stage 10).
fly() {
  local dir=$tmp/$1 build=$2
  mkdir -p "$dir/game" "$dir/config/wispen" && cp -r "$tree/Data" "$dir/game/Data"
  { printf '\x00\x00\x0a\x00\x00\x00'; head -c 164 /dev/zero; printf '\x01\x00\x00\x00'; } >"$dir/game/Data/Info.Dat"
  printf 'skip_opening = true\nscale = 3\n' >"$dir/config/wispen/settings.ini"
  XDG_CONFIG_HOME="$dir/config" XDG_STATE_HOME="$dir/state" XDG_DATA_HOME="$dir/data" \
    "$build" --game-dir "$dir/game" --script "$tmp/flight.script" >/dev/null 2>&1 &
  pids+=($!)
}
fly first "$game"
[ -n "$other" ] && fly second "$other"
server=$(pgrep -n Xvfb)
sleep 12  # the title menu's wait and the stage's curtain

# Nanoseconds on the CPU so far: each game's main thread and audio thread, then the X server.
times() {
  local pid t ns main audio
  for pid in "${pids[@]}"; do
    main=0 audio=0
    for t in /proc/"$pid"/task/*; do
      ns=$(awk '{print $1}' "$t/schedstat" 2>/dev/null) || continue
      if [ "${t##*/}" = "$pid" ]; then
        main=$((main + ns))
      elif [[ "$(cat "$t/comm" 2>/dev/null)" == SDLAudio* ]]; then
        audio=$((audio + ns))
      fi
    done
    printf '%s %s ' "$main" "$audio"
  done
  awk '{print $1}' /proc/"$server"/schedstat
}

# Shares of a core between two readings of `times`, one line per game, then the X server's.
shares() {
  echo "$1 $2 $3" | awk '{
    half = (NF - 1) / 2; n = $NF * 1e8
    for (i = 1; i < half; i += 2)
      printf "%.2f %.2f\n", ($(half + i) - $i) / n, ($(half + i + 1) - $(i + 1)) / n
    printf "%.2f\n", ($(2 * half) - $half) / n }'
}

first=$(times)
before=$first
shown=()
for _ in $(seq "$windows"); do
  sleep 10
  now=$(times)
  mapfile -t lines < <(shares "$before" "$now" 1)
  for i in "${!pids[@]}"; do shown[i]="${shown[i]:-} ${lines[i]/ //}"; done
  before=$now
done
mapfile -t means < <(shares "$first" "$before" "$windows")
names=("$game" "$other")
for i in "${!pids[@]}"; do
  read -r main audio <<<"${means[i]}"
  echo "${names[i]}"
  echo "  main/audio thread, % of a core, each 10 s:${shown[i]}"
  echo "  mean: main $main, audio $audio, game $(echo "$main $audio" | awk '{printf "%.2f", $1 + $2}')"
done
echo "X server: ${means[-1]}% of a core"
