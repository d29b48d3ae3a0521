#!/usr/bin/env bash
# The command line's answers to bad input: one line on standard error and the documented exit status.
set -u
game="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

expect_status() {
  local want="$1" what="$2"
  shift 2
  "$@" >"$tmp/out" 2>"$tmp/err" </dev/null
  local got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAIL $what: exit $got, expected $want"; cat "$tmp/err"; failures=$((failures + 1))
  elif [ "$want" -ne 0 ] && [ "$(grep -c . "$tmp/err")" -ne 1 ]; then
    echo "FAIL $what: not one line on standard error"; cat "$tmp/err"; failures=$((failures + 1))
  else
    echo "ok   $what: $(head -n 1 "$tmp/err")"
  fi
}

printf 'wait 10\nmove 5 5\npress left 6 6\nshot %s/screen.png\nstate %s/state.txt\nexpect MenuMode 0\nclose\n' "$tmp" "$tmp" >"$tmp/ok.script"
printf 'wait 10\nfly 1 2\n' >"$tmp/bad.script"
expect_status 2 "unknown option" "$game" --frobnicate
expect_status 2 "option without its value" "$game" --scale
expect_status 2 "scale out of range" "$game" --scale 0
expect_status 2 "unknown language" "$game" --lang fr
expect_status 2 "both --fullscreen and --window" "$game" --fullscreen --window
expect_status 2 "headless without a script" "$game" --headless
expect_status 2 "unreadable script" "$game" --headless --script "$tmp/missing.script"
expect_status 2 "script line that cannot be parsed" "$game" --headless --script "$tmp/bad.script"
grep -q ":2:" "$tmp/err" || { echo "FAIL the message does not name line 2"; failures=$((failures + 1)); }
expect_status 0 "help" "$game" --help
for word in --fullscreen --window Alt+Enter F11 Esc settings.ini skip_opening confine_mouse; do
  grep -q -- "$word" "$tmp/out" || { echo "FAIL --help does not mention $word"; failures=$((failures + 1)); }
done
expect_status 0 "version" "$game" --version
grep -q "Wispen Version 1" "$tmp/out" || { echo "FAIL --version does not name the game"; failures=$((failures + 1)); }
mkdir -p "$tmp/game/Data"
# Any one of the game's files makes a Data/ the game's; a missing one is reported when the game asks for it.
printf 'not a real effect' >"$tmp/game/Data/Effect00.Dat"
expect_status 0 "a headless run" "$game" --headless --game-dir "$tmp/game" --script "$tmp/ok.script"
# The shot is a 640x480 PNG: its signature, then the IHDR chunk's width and height.
if [ "$(head -c 8 "$tmp/screen.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] &&
   [ "$(od -An -tu1 -j16 -N8 "$tmp/screen.png" | tr -s ' ' | sed 's/^ //')" = "0 0 2 128 0 0 1 224" ]; then
  echo "ok   the shot is a 640x480 PNG"
else
  echo "FAIL the shot is not a 640x480 PNG"; failures=$((failures + 1))
fi
grep -q "^LastPress=left,6,6$" "$tmp/state.txt" || { echo "FAIL the state does not hold the press"; failures=$((failures + 1)); }
expect_status 1 "no display" env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$game" --game-dir "$tmp/game"
grep -qi "headless" "$tmp/err" || { echo "FAIL the no-display message does not say how to run headless"; failures=$((failures + 1)); }
[ "$(wc -l <"$tmp/err")" -eq 1 ] || { echo "FAIL the no-display message is not one line"; failures=$((failures + 1)); }

# Missing data is told in one line before any window opens: without a display, a window would fail first.
nowindow=(env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$game")
mkdir -p "$tmp/nodata" "$tmp/emptydata/Data"
for dir in "$tmp/nowhere" "$tmp/nodata" "$tmp/emptydata"; do
  expect_status 1 "game directory $(basename "$dir")" "${nowindow[@]}" --game-dir "$dir"
  grep -q "$dir/Data/" "$tmp/err" || { echo "FAIL the message does not name $dir/Data/"; failures=$((failures + 1)); }
done

echo "$((19 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
