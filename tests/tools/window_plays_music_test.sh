#!/usr/bin/env bash
# The real program in a window under Xvfb, with SDL's disk audio driver standing in for a sound card: the
# opening's music must come out as sound, not silence.
set -euo pipefail
game="$1"
data="$2"
on_display="$(dirname "$0")/with_virtual_display.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/game"
cp -r "$data" "$tmp/game/Data"
printf 'wait 4000\nexpect MenuMode 0\nclose\n' >"$tmp/opening.script"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$tmp/out.raw" \
  "$on_display" 1280x1024x24 "$game" --game-dir "$tmp/game" --script "$tmp/opening.script" --log "$tmp/events.log"
grep -q " music play 0$" "$tmp/events.log" || { echo "the opening did not start its music"; cat "$tmp/events.log"; exit 1; }
[ -s "$tmp/out.raw" ] || { echo "no audio came out"; exit 1; }
# 16-bit samples: count those louder than a whisper.
loud=$(od -An -v -t d2 -w2 "$tmp/out.raw" | awk '{ v = $1 < 0 ? -$1 : $1; if (v > 300) n++ } END { print n + 0 }')
echo "$(stat -c %s "$tmp/out.raw") bytes of audio, $loud loud samples"
[ "$loud" -gt 1000 ] || { echo "the music came out silent"; exit 1; }
echo "1 passed, 0 failed"
