#!/usr/bin/env bash
# On an X server without direct rendering (a virtual one, as here) OpenGL could only draw on the CPU, so the
# game's window does not load it at all: tens of megabytes of libraries would be mapped for nothing. A
# renderer the user names is still honoured, which also shows that the check below sees OpenGL when it is
# there.
#   window_without_opengl_test.sh GAME DATA
set -uo pipefail
game="$1"
data="$2"
if [ -z "${DISPLAY:-}" ]; then exec "$(dirname "$0")/with_virtual_display.sh" 1280x1024x24 "$0" "$@"; fi
tmp=$(mktemp -d)
export SDL_AUDIODRIVER=dummy
mkdir -p "$tmp/game" && cp -r "$data" "$tmp/game/Data"
pid=""
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$tmp"' EXIT
failures=0

window_shown() {
  xwininfo -root -tree 2>/dev/null | grep -q '"Wispen Version 1"'
}

# How many of the game's mappings are OpenGL's, once its window is shown; "none" when it is not shown. Each
# run (named by the first argument) starts afresh, once the window of the one before is gone: that one was
# killed wherever it was.
opengl_mappings() {
  local run="$tmp/$1"
  shift
  for _ in $(seq 50); do window_shown || break; sleep 0.1; done
  mkdir -p "$run"
  env XDG_CONFIG_HOME="$run/config" XDG_STATE_HOME="$run/state" XDG_DATA_HOME="$run/data" \
    "$@" "$game" --game-dir "$tmp/game" >/dev/null 2>"$run/err" </dev/null &
  pid=$!
  local shown=no
  for _ in $(seq 100); do
    window_shown && shown=yes && break
    sleep 0.1
  done
  if [ "$shown" = yes ]; then grep -cE 'libGL|libLLVM|gallium|_dri\.so' "/proc/$pid/maps"; else echo none; fi
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=""
}

default=$(opengl_mappings default SDL_RENDER_DRIVER= SDL_FRAMEBUFFER_ACCELERATION=)
if [ "$default" = 0 ]; then
  echo "ok   by default no OpenGL library is mapped"
else
  echo "FAIL by default $default mappings of OpenGL libraries (none: no window); the game said:"
  cat "$tmp/default/err"; failures=$((failures + 1))
fi
named=$(opengl_mappings named SDL_RENDER_DRIVER=opengl SDL_FRAMEBUFFER_ACCELERATION=)
if [ "$named" != none ] && [ "$named" -gt 0 ]; then
  echo "ok   with SDL_RENDER_DRIVER=opengl OpenGL is loaded ($named mappings)"
else
  echo "FAIL with SDL_RENDER_DRIVER=opengl no OpenGL library is mapped ($named); the game said:"
  cat "$tmp/named/err"; failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
