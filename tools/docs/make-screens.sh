#!/usr/bin/env bash
# Takes screen shots of the real game, headless, and lays them out as contact sheets in docs/screens/:
#   make-screens.sh GAME TILE DATA FLIGHTS ARTSHEET DOCS
# GAME is build/wispen, TILE the sheet tool, DATA the built Data/, FLIGHTS the stage checker's flights
# (build/flights, from the stage_report target), ARTSHEET the built-in pictures' contact sheet.
set -euo pipefail
game="$1" tile="$2" data="$3" flights="$4" artsheet="$5" docs="$6"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$docs/screens"

run() {  # LANG SCRIPT-TEXT: a fresh game directory with every stage open; "@" in the script is the shot prefix
  local lang="$1"
  rm -rf "$tmp/game" && mkdir -p "$tmp/game" && cp -r "$data" "$tmp/game/Data"
  { printf '\x00\x00\x0a\x00\x00\x00'; head -c 164 /dev/zero; printf '\x01\x00\x00\x00'; } >"$tmp/game/Data/Info.Dat"
  printf '%s\n' "$2" | sed "s|@|$tmp/$lang-|g" >"$tmp/run.script"
  "$game" --headless --lang "$lang" --game-dir "$tmp/game" --script "$tmp/run.script" >/dev/null 2>&1 || true
}

sheet() {  # OUT COLUMNS LANG caption:shot ...
  local out="$1" columns="$2" lang="$3"
  shift 3
  local args=()
  for pair in "$@"; do args+=("${pair%%:*}=$tmp/$lang-${pair#*:}.png"); done
  "$tile" "$out" "$columns" 2 "${args[@]}"
}

for lang in en ja; do
  if [ "$lang" = en ]; then title=50850; else title=14400; fi
  run "$lang" "
wait $((title / 3))
shot @opening-text.png
wait $((title - title / 3 - 700))
shot @opening-devil.png
until MenuMode 1
shot @title.png
press left 200 320
shot @select.png
press left 125 325
wait 250
shot @curtain.png
wait 2760
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
  # Caption words are joined by "_".
  sheet "$docs/screens/menus-and-play-$lang.png" 4 "$lang" opening:opening-text the_devil_rises:opening-devil \
    title_menu:title stage_select:select curtain:curtain play,_stage_1:play burst:burst devil:devil \
    after_a_loss:again game_over:gameover

  run "$lang" "
wait $title
press left 200 320
press left 515 100
wait 510
$(awk '{ print } $1 == "wait" && ++n == 1200 { print "shot @stage10.png" }' "$flights/flight10.txt")
wait 6000
shot @drift.png
wait 9000
shot @beam.png
wait 7000
shot @angel.png
wait 9000
shot @rise.png
wait 8600
shot @withdraw.png
wait 1500
shot @caption.png"
  sheet "$docs/screens/ending-$lang.png" 3 "$lang" stage_10:stage10 the_drift:drift the_beam:beam \
    the_angel:angel the_rise:rise the_caption:caption
done
cp "$artsheet" "$docs/screens/pictures.png"
echo "contact sheets written to $docs/screens"
