#!/usr/bin/env bash
# Flies every stage checker's flight in the real game, headless: stages 1 to 9 end in the cleared menu,
# stage 10 in the ending and then the game-over menu. The flight through the tightest stage, shifted a few
# pixels into its walls, loses a soul.
#   flights_in_game_test.sh GAME DATA FLIGHTS
set -u
game="$1" data="$2" flights="$3"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0 passes=0
centres=("" "125 325" "255 300" "385 275" "515 250" "385 225" "255 200" "125 175" "255 150" "385 125" "515 100")

# Plays stage N from the title menu with every stage open, the flight's moves shifted by (DX, DY), then waits
# WAIT ms; prints the named state values at the end.
fly() {
  local n="$1" dx="$2" dy="$3" wait="$4"
  rm -rf "$tmp/game" && mkdir -p "$tmp/game" && cp -r "$data" "$tmp/game/Data"
  { printf '\x00\x00\x0a\x00\x00\x00'; head -c 164 /dev/zero; printf '\x01\x00\x00\x00'; } >"$tmp/game/Data/Info.Dat"
  {
    echo "until MenuMode 1"
    echo "press left 200 320"
    echo "press left ${centres[$n]}"
    echo "wait 510"
    awk -v dx="$dx" -v dy="$dy" '$1 == "move" { print "move", $2 + dx, $3 + dy; next } { print }' "$flights/flight$n.txt"
    echo "wait $wait"
    echo "state $tmp/state.txt"
  } >"$tmp/flight.script"
  rm -f "$tmp/state.txt"
  "$game" --headless --lang en --game-dir "$tmp/game" --script "$tmp/flight.script" >/dev/null 2>&1
}

value() { grep -m1 "^$1=" "$tmp/state.txt" | cut -d= -f2; }

check() {  # WHAT EXPECTED-MENU EXPECTED-SOULS-USED
  if [ "$(value MenuMode)" = "$2" ] && [ "$(value SoulsUsed)" = "$3" ]; then
    echo "ok   $1"; passes=$((passes + 1))
  else
    echo "FAIL $1: MenuMode $(value MenuMode), SoulsUsed $(value SoulsUsed)"; failures=$((failures + 1))
  fi
}

for n in 1 2 3 4 5 6 7 8 9; do
  [ -f "$flights/flight$n.txt" ] || { echo "FAIL no flight for stage $n"; failures=$((failures + 1)); continue; }
  fly "$n" 0 0 50
  check "stage $n is cleared" 4 0
done
fly 10 0 0 60000  # the ending runs its course
check "stage 10 ends in the ending and the game-over menu" 3 0
fly 10 0 6 3000
check "stage 10 shifted 6 px down loses a soul" 2 1
fly 10 -6 0 3000
check "stage 10 shifted 6 px left loses a soul" 2 1

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
