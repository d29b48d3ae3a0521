#!/usr/bin/env bash
# The game's window carries the launcher's name as its class, so a desktop groups it under the launcher's
# icon: WM_CLASS is the StartupWMClass of the installed .desktop file. Runs under its own virtual X server.
#   window_class_test.sh GAME DESKTOP_FILE
set -uo pipefail
game="$1"
desktop="$2"
if [ -z "${DISPLAY:-}" ]; then exec "$(dirname "$0")/with_virtual_display.sh" 1280x1024x24 "$0" "$@"; fi
want=$(sed -n 's/^StartupWMClass=//p' "$desktop")
tmp=$(mktemp -d)
export XDG_RUNTIME_DIR="$tmp"
"$game" --lang en >/dev/null 2>&1 </dev/null &
pid=$!
trap 'kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$tmp"' EXIT
wid=""
for _ in $(seq 100); do
  wid=$(xwininfo -root -tree 2>/dev/null | awk '/"Wispen Version 1"/ {print $1; exit}')
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "FAIL the game's window did not appear"; exit 1; }
class=$(xprop -id "$wid" WM_CLASS)
echo "$class"
if [ -n "$want" ] && [ "$class" = "WM_CLASS(STRING) = \"$want\", \"$want\"" ]; then
  echo "ok   the window's class is the launcher's StartupWMClass, $want"
else
  echo "FAIL the window's class is not the launcher's StartupWMClass ($want)"
  exit 1
fi
