#!/usr/bin/env bash
# The real window's CPU during play: the stage-10 flight at scale 3 on a virtual 2048x1536 display, with the
# music rendered as for a sound card (SDL's dummy audio driver), measured per thread over ten 10-s windows of
# play, and the X server's CPU over the same time (work the game hands to it does not count as the game's).
#   scripts/measure-window-cpu.sh [GAME [WINDOWS]]
# GAME defaults to build-release/wispen (`make bench` builds it); the stages and the flight come from the tree
# it was built in. Prints the share of one core of each window (main thread / audio thread) and the means.
set -euo pipefail
game=$(realpath "${1:-build-release/wispen}")
windows=${2:-10}
tree=$(dirname "$game")
if [ -z "${WISPEN_MEASURE_DISPLAY:-}" ]; then
  WISPEN_MEASURE_DISPLAY=1 SDL_AUDIODRIVER=dummy exec xvfb-run -a -s "-screen 0 2048x1536x24" "$0" "$game" "$windows"
fi
tmp=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$tmp"' EXIT

mkdir -p "$tmp/flights"
"$tree/tools/wispen_stagecheck" --stage 10 --own --flight-only --scripts "$tmp/flights" >/dev/null
mkdir -p "$tmp/game" && cp -r "$tree/Data" "$tmp/game/Data"
# Every stage open, so that the stage select offers stage 10.
{ printf '\x00\x00\x0a\x00\x00\x00'; head -c 164 /dev/zero; printf '\x01\x00\x00\x00'; } >"$tmp/game/Data/Info.Dat"
mkdir -p "$tmp/config/wispen"
printf 'skip_opening = true\nscale = 3\n' >"$tmp/config/wispen/settings.ini"
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

XDG_CONFIG_HOME="$tmp/config" XDG_STATE_HOME="$tmp/state" XDG_DATA_HOME="$tmp/data" \
  "$game" --game-dir "$tmp/game" --script "$tmp/flight.script" >/dev/null 2>&1 &
pid=$!
server=$(pgrep -n Xvfb)
sleep 12  # the title menu's wait and the stage's curtain

# Nanoseconds on the CPU so far: the main thread, the audio thread, the X server.
times() {
  local main=0 audio=0 t
  for t in /proc/"$pid"/task/*; do
    local ns
    ns=$(awk '{print $1}' "$t/schedstat" 2>/dev/null) || continue
    if [ "${t##*/}" = "$pid" ]; then
      main=$((main + ns))
    elif [[ "$(cat "$t/comm" 2>/dev/null)" == SDLAudio* ]]; then
      audio=$((audio + ns))
    fi
  done
  echo "$main $audio $(awk '{print $1}' /proc/"$server"/schedstat)"
}

before=$(times)
first=$before
shown=""
for _ in $(seq "$windows"); do
  sleep 10
  now=$(times)
  shown="$shown $(echo "$before $now" | awk '{printf "%.2f/%.2f", ($4 - $1) / 1e8, ($5 - $2) / 1e8}')"
  before=$now
done
echo "main/audio thread, % of a core, each 10 s:$shown"
echo "$first $before $windows" | awk '{
  n = $7 * 1e8
  printf "mean: main %.2f, audio %.2f, game %.2f; X server %.2f\n", ($4 - $1) / n, ($5 - $2) / n,
         ($4 - $1 + $5 - $2) / n, ($6 - $3) / n }'
