#!/usr/bin/env bash
# Fails when a file outside the SDL backend (and the program entry that picks it) includes an SDL header:
# game code must see only the platform layer.
set -euo pipefail
root="$1"
found=$(grep -rlE '^\s*#\s*include\s*[<"](SDL2?/)?SDL[^>"]*[>"]' "$root/src" "$root/tools" "$root/assets" 2>/dev/null |
  grep -vE "^$root/src/app/sdl/|^$root/src/app/main\.cpp$" || true)
if [ -n "$found" ]; then
  echo "SDL headers included outside src/app/sdl:"
  echo "$found"
  exit 1
fi
echo "no SDL header outside src/app/sdl and src/app/main.cpp"
