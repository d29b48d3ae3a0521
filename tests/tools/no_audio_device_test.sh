#!/usr/bin/env bash
# Without an audio device the game says so in one line of its own on standard error, and nothing else speaks
# there: not ALSA's library as SDL tries it.
set -u
game="$1"
data="$2"
on_display="$(dirname "$0")/with_virtual_display.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/game"
cp -r "$data" "$tmp/game/Data"
# The opening starts its music at once: the audio device is opened then.
printf 'wait 1500\nclose\n' >"$tmp/opening.script"
failures=0

check() {
  local what="$1" want_line="$2"
  shift 2
  env "$@" "$on_display" 1280x1024x24 "$game" --game-dir "$tmp/game" --script "$tmp/opening.script" >/dev/null 2>"$tmp/err" </dev/null
  local got=$? foreign sound
  foreign=$(grep -vc '^wispen: no \(sound\|music\): ' "$tmp/err")
  sound=$(grep -c '^wispen: no sound: ' "$tmp/err")
  if [ "$got" -ne 0 ] || [ "$foreign" -ne 0 ] || [ "$sound" -gt 1 ] || { [ "$want_line" = yes ] && [ "$sound" -ne 1 ]; }; then
    echo "FAIL $what: exit $got, standard error:"; cat "$tmp/err"; failures=$((failures + 1))
  else
    echo "ok   $what: $(tr '\n' ' ' <"$tmp/err")"
  fi
}

# Whatever this machine has: with a device nothing is said, without one the game's line alone.
check "the machine's own audio" no SDL_AUDIODRIVER=
# ALSA asked for a device that no machine has.
check "ALSA without its device" yes SDL_AUDIODRIVER=alsa AUDIODEV=wispen_no_such_device

echo "$((2 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
