#!/usr/bin/env bash
# Installs into a scratch prefix and plays from the installed program through its link in bin/: the game
# finds its data beside the real executable and keeps its progress there.
set -euo pipefail
build="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
for f in bin/wispen share/applications/wispen.desktop share/icons/hicolor/256x256/apps/wispen.png; do
  [ -e "$tmp/prefix/$f" ] || { echo "FAIL $f was not installed"; exit 1; }
done
printf 'until MenuMode 1\npress left 400 320\nwait 600\nexpect MainTimer.Enabled 1\nexpect CurrentStage 1\nclose\n' >"$tmp/play.script"
"$tmp/prefix/bin/wispen" --headless --lang en --script "$tmp/play.script" --log "$tmp/events.log"
grep -q " music play 1$" "$tmp/events.log" || { echo "FAIL the stage music did not start"; exit 1; }
info=$(find "$tmp/prefix" -name Info.Dat)
[ -n "$info" ] && [ "$(stat -c %s "$info")" -eq 174 ] || { echo "FAIL no progress file beside the program"; exit 1; }
echo "1 passed, 0 failed"
