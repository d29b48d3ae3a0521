#!/usr/bin/env bash
# Takes screen shots of the real game, headless, and lays them out as contact sheets in docs/:
#   make-screens.sh GAME TILE DATA DOCS
# GAME is build/wispen, TILE the sheet tool, DATA the built Data/ directory. The flight through stage 10 comes
# from the stage checker's script (DATA/../flights/stage10.script) when it is there.
set -euo pipefail
game="$1" tile="$2" data="$3" docs="$4"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$docs/screens"

run() {  # LANG NAME SCRIPT-TEXT: a fresh game directory whose progress opens every stage
  local lang="$1" name="$2"
  rm -rf "$tmp/game" && mkdir -p "$tmp/game" && cp -r "$data" "$tmp/game/Data"
  # Every stage open, no calibration: 174 bytes with StagesOpen 10 and SpeedFactor 1.
  { printf '\x00\x00\x0a\x00\x00\x00'; head -c 164 /dev/zero; printf '\x01\x00\x00\x00'; } >"$tmp/game/Data/Info.Dat"
  printf '%s\n' "$3" | sed "s|@|$tmp/$lang-|g" >"$tmp/$name.script"
  "$game" --headless --lang "$lang" --game-dir "$tmp/game" --script "$tmp/$name.script" >/dev/null 2>&1 || true
}

for lang in en ja; do
  if [ "$lang" = en ]; then title=50850; else title=14400; fi
  run "$lang" menus "
wait $((title / 3))
shot @opening-text.png
wait $((title - title / 3 - 700))
shot @opening-devil.png
wait 700
shot @title.png
press left 200 320
shot @select.png
press left 125 325
wait 250
shot @curtain.png
wait 1760
shot @play.png
move 75 65
wait 50
wait 350
shot @burst.png
wait 1500
shot @devil.png
wait 2000
shot @again.png
press left 200 320
wait 520
move 75 65
wait 3000
press left 200 320
wait 520
move 75 65
wait 3000
shot @gameover.png"
done

# Captions use "_" for a blank.
for lang in en ja; do
  shots=()
  for pair in opening:opening-text the_devil_rises:opening-devil title_menu:title stage_select:select \
              curtain:curtain play:play burst:burst devil:devil after_a_loss:again game_over:gameover; do
    shots+=("${pair%%:*}=$tmp/$lang-${pair#*:}.png")
  done
  "$tile" "$docs/screens/menus-and-play-$lang.png" 4 2 "${shots[@]}"
done
echo "contact sheets written to $docs/screens"
