#!/usr/bin/env bash
# Without a display the game says so in one line and exits with status 1 at once; it never runs on unseen
# in SDL's offscreen or dummy driver unless SDL_VIDEODRIVER asks for one.
set -u
game="$1"
data="$2"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/game"
cp -r "$data" "$tmp/game/Data"
failures=0

expect_no_display() {
  local what="$1"
  shift
  env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$@" timeout 20 "$game" --game-dir "$tmp/game" >/dev/null 2>"$tmp/err" </dev/null
  local got=$?
  if [ "$got" -ne 1 ] || [ "$(wc -l <"$tmp/err")" -ne 1 ] || ! grep -q "headless" "$tmp/err"; then
    echo "FAIL $what: exit $got, expected 1 with one line that says how to run headless"; cat "$tmp/err"
    failures=$((failures + 1))
  else
    echo "ok   $what: $(cat "$tmp/err")"
  fi
}

expect_no_display "DISPLAY unset" -u DISPLAY
expect_no_display "DISPLAY naming no server" DISPLAY=:4242

# Asked for by name, the unseen drivers still run a script.
printf 'wait 100\nclose\n' >"$tmp/close.script"
for driver in offscreen dummy; do
  env -u DISPLAY SDL_VIDEODRIVER=$driver SDL_AUDIODRIVER=dummy timeout 20 "$game" --game-dir "$tmp/game" \
    --script "$tmp/close.script" >/dev/null 2>"$tmp/err" </dev/null
  got=$?
  if [ "$got" -ne 0 ]; then
    echo "FAIL SDL_VIDEODRIVER=$driver: exit $got"; cat "$tmp/err"; failures=$((failures + 1))
  else
    echo "ok   SDL_VIDEODRIVER=$driver runs the script"
  fi
done

echo "$((4 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
