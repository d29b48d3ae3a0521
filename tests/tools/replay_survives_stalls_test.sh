#!/usr/bin/env bash
# A replay in the window keeps the order of ticks and input however late the machine runs it: the game is
# stopped and started again from outside all through a replay that checks, a millisecond before each tick
# of the flight, that this tick has not come yet. (A busy machine once let a stalled wait's next tick in
# before the input it was waiting to give.)
set -u
game="$1"
data="$2"
on_display="$(dirname "$0")/with_virtual_display.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/game"
cp -r "$data" "$tmp/game/Data"
export XDG_STATE_HOME="$tmp/state" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data"

{
  echo "# wispen-recording version=1 lang=en speed=1 opening=skip"
  echo "until MenuMode 1 5000"
  echo "move 400 320"
  echo "press left 400 320"
  echo "until MainTimer.Enabled 1 5000"
  echo "wait 49"
  echo "expect PathIndex 0"
  for k in $(seq 1 60); do
    echo "wait 50"
    echo "expect PathIndex $k"
  done
} >"$tmp/stalls.script"

# A first run plays the whole opening; after it, a run may skip to the title menu as this one does.
printf 'until MenuMode 1 60000\nclose\n' >"$tmp/first.script"
"$game" --headless --game-dir "$tmp/game" --script "$tmp/first.script" || { echo "FAIL the first run"; exit 1; }
# The headless run is the reference: the script holds there.
if ! "$game" --headless --game-dir "$tmp/game" --script "$tmp/stalls.script" >"$tmp/headless.err" 2>&1; then
  echo "FAIL the script does not hold headless:"; cat "$tmp/headless.err"; exit 1
fi

"$on_display" 800x600x24 bash -c '
  "$1" --game-dir "$2" --replay "$3" >"$4" 2>&1 </dev/null &
  pid=$!
  # Stalls of 30 to 90 ms at uneven times, from the start to the end of the replay.
  while kill -0 "$pid" 2>/dev/null; do
    sleep "0.0$((RANDOM % 6 + 3))"
    kill -STOP "$pid" 2>/dev/null || break
    sleep "0.0$((RANDOM % 7 + 3))"
    kill -CONT "$pid" 2>/dev/null || break
  done
  wait "$pid"
' _ "$game" "$tmp/game" "$tmp/stalls.script" "$tmp/window.err"
got=$?
if [ "$got" -ne 0 ]; then
  echo "FAIL the stalled replay in the window ended with $got:"; grep -v "^wispen: no \(sound\|music\)" "$tmp/window.err"
  exit 1
fi
echo "ok   the stalled replay in the window holds every tick's place"
