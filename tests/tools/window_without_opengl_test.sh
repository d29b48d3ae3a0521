#!/usr/bin/env bash
# On an X server without direct rendering (a virtual one, as here) OpenGL could only draw on the CPU, so the
# game's window does not load it at all: tens of megabytes of libraries would be mapped for nothing. A
# renderer the user names is still honoured, which also shows that the check below sees OpenGL when it is
# there.
#   window_without_opengl_test.sh GAME DATA
set -uo pipefail
game="$1"
data="$2"
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a "$0" "$@"; fi
tmp=$(mktemp -d)
export XDG_CONFIG_HOME="$tmp/config" XDG_STATE_HOME="$tmp/state" XDG_DATA_HOME="$tmp/data" SDL_AUDIODRIVER=dummy
mkdir -p "$tmp/game" && cp -r "$data" "$tmp/game/Data"
pid=""
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$tmp"' EXIT
failures=0

# How many of the game's mappings are OpenGL's, once its window is shown; "none" when it is not shown.
opengl_mappings() {
  env "$@" "$game" --game-dir "$tmp/game" >/dev/null 2>&1 </dev/null &
  pid=$!
  local shown=no
  for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Wispen Version 1"' && shown=yes && break
    sleep 0.1
  done
  if [ "$shown" = yes ]; then grep -cE 'libGL|libLLVM|gallium|_dri\.so' "/proc/$pid/maps"; else echo none; fi
  kill -9 "$pid"
  wait "$pid" 2>/dev/null
  pid=""
}

default=$(opengl_mappings SDL_RENDER_DRIVER= SDL_FRAMEBUFFER_ACCELERATION=)
if [ "$default" = 0 ]; then
  echo "ok   by default no OpenGL library is mapped"
else
  echo "FAIL by default $default mappings of OpenGL libraries (none: no window)"; failures=$((failures + 1))
fi
named=$(opengl_mappings SDL_RENDER_DRIVER=opengl SDL_FRAMEBUFFER_ACCELERATION=)
if [ "$named" != none ] && [ "$named" -gt 0 ]; then
  echo "ok   with SDL_RENDER_DRIVER=opengl OpenGL is loaded ($named mappings)"
else
  echo "FAIL with SDL_RENDER_DRIVER=opengl no OpenGL library is mapped"; failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
