#!/usr/bin/env bash
# The real program in a real window under Xvfb with a window manager (openbox), driven by a real pointer and
# real keys (xdotool, through the X test extension): the window's default size, Alt+Enter, the picture's
# borders on the whole screen, a press mapped from screen to picture, the pointer kept on the picture during
# play and let go after it, Esc during the opening, and the settings file.
set -uo pipefail
game="$1"
data="$2"
for tool in Xvfb openbox xdotool xwd xprop xwininfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done
tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
failures=0
passed=0
check() {  # check WHAT COMMAND...
  local what="$1"
  shift
  if "$@"; then echo "ok   $what"; passed=$((passed + 1)); else echo "FAIL $what"; failures=$((failures + 1)); fi
}

# Waits up to $2 tenths of a second for the command in $1 to succeed.
wait_for() {
  local i
  for ((i = 0; i < $2; i++)); do
    eval "$1" && return 0
    sleep 0.1
  done
  return 1
}

start_display() {  # start_display WxH
  rm -f "$tmp/display"
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$tmp/display" 2>/dev/null &
  pids+=($!)
  wait_for '[ -s "$tmp/display" ]' 100 || { echo "Xvfb did not start"; exit 1; }
  export DISPLAY=":$(cat "$tmp/display")"
  openbox --sm-disable >/dev/null 2>&1 &
  pids+=($!)
  wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' 300 ||
    { echo "openbox did not start"; exit 1; }
}

start_game() {  # start_game LOG [OPTIONS...]
  local log="$1"
  shift
  "$game" --game-dir "$tmp/game" --log "$log" "$@" 2>"$log.err" &
  gamepid=$!
  pids+=($gamepid)
  wid=""
  wait_for 'wid=$(xdotool search --onlyvisible --name "^Wispen Version 1$" 2>/dev/null | head -n 1); [ -n "$wid" ]' 300 ||
    { echo "the window did not open"; cat "$log.err"; exit 1; }
  sleep 0.5
}

stop_game() {
  kill -TERM "$gamepid" 2>/dev/null
  wait "$gamepid" 2>/dev/null
}

window_size() {
  xdotool getwindowgeometry --shell "$wid" | awk -F= '/^WIDTH/ { w = $2 } /^HEIGHT/ { h = $2 } END { print w "x" h }'
}

size_is() { wait_for "[ \"\$(window_size)\" = \"$1\" ]" 30 || { echo "     the window is $(window_size)"; return 1; }; }
logged() { wait_for "grep -q \" $2\$\" \"$1\"" "${3:-30}"; }

# The screen as an X window dump: a header of big-endian 32-bit fields, a colour map, then the pixel rows.
shoot() {
  xwd -root -silent >"$tmp/shot.xwd"
  read -r header_size byte_order bpp bpl ncolors < <(od -An -tu1 -N 80 -v "$tmp/shot.xwd" | tr -s ' \n' ' ' |
    awk '{ for (i = 0; i < 20; i++) f[i] = (($(4*i+1) * 256 + $(4*i+2)) * 256 + $(4*i+3)) * 256 + $(4*i+4);
           print f[0], f[7], f[11] / 8, f[12], f[19] }')
  pixels=$((header_size + ncolors * 12))
}
# The colour of one screen pixel as RRGGBB (24 or 32 bits a pixel).
pixel() {
  local b
  b=($(od -An -tx1 -j $((pixels + $2 * bpl + $1 * bpp)) -N "$bpp" "$tmp/shot.xwd"))
  if [ "$byte_order" -eq 0 ]; then echo "${b[2]}${b[1]}${b[0]}"; else echo "${b[bpp - 3]}${b[bpp - 2]}${b[bpp - 1]}"; fi
}
# How many of the pixels on a line (every 8th) are black: column X from Y0 to Y1, or row Y from X0 to X1.
black_in_column() {
  local n=0 y
  for ((y = $2; y < $3; y += 8)); do [ "$(pixel "$1" "$y")" = 000000 ] && n=$((n + 1)); done
  echo $n
}
black_in_row() {
  local n=0 x
  for ((x = $2; x < $3; x += 8)); do [ "$(pixel "$x" "$1")" = 000000 ] && n=$((n + 1)); done
  echo $n
}

# A 24-bit bottom-up BMP as the game's `shot` writes it: the colour of picture pixel (X, Y) as RRGGBB.
bmp_pixel() {
  local offset b
  offset=$(od -An -tu4 -j 10 -N 4 "$1" | tr -d ' ')
  b=($(od -An -tx1 -j $((offset + (479 - $3) * 1920 + $2 * 3)) -N 3 "$1"))
  echo "${b[2]}${b[1]}${b[0]}"
}
# Picture pixels on a grid, as the window at screen (X0, Y0) shows them at 2x, against the shot.
differs_from_shot() {
  local n=0 x y
  for ((y = 4; y < 480; y += 25)); do
    for ((x = 3; x < 640; x += 30)); do
      [ "$(pixel $(($2 + 2 * x)) $(($3 + 2 * y)))" = "$(bmp_pixel "$1" "$x" "$y")" ] || n=$((n + 1))
    done
  done
  echo $n
}

pointer() { xdotool getmouselocation --shell | awk -F= '/^X/ { x = $2 } /^Y/ { y = $2 } END { print x, y }'; }
client_origin() {
  xwininfo -id "$wid" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }'
}
pointer_in() {  # pointer_in X Y W H
  local x y
  read -r x y < <(pointer)
  [ "$x" -ge "$1" ] && [ "$x" -lt $(($1 + $3)) ] && [ "$y" -ge "$2" ] && [ "$y" -lt $(($2 + $4)) ] ||
    { echo "     the pointer is at $x,$y, not in ${3}x$4 at $1,$2"; return 1; }
}

mkdir -p "$tmp/game" "$tmp/config/wispen"
cp -r "$data" "$tmp/game/Data"
# A later run: the progress file holds a speed factor, so the opening may be cut short.
{ printf '\x00\x00\x01\x00\x00\x00'; head -c 164 /dev/zero; printf '\x01\x00\x00\x00'; } >"$tmp/game/Data/Info.Dat"
export XDG_CONFIG_HOME="$tmp/config"
settings="$tmp/config/wispen/settings.ini"
printf '# kept by hand\nvolume = 11\nscale = 99\n' >"$settings"

echo "-- a 1600x1200 screen"
start_display 1600x1200
start_game "$tmp/run1.log" --lang en
check "the default window is 1280x960" size_is 1280x960
check "two warnings for the two bad settings lines" \
  test "$(grep -c 'settings.ini:[23]: ' "$tmp/run1.log.err")" -eq 2
xdotool windowactivate --sync "$wid" >/dev/null 2>&1
sleep 0.3
xdotool key Escape
check "Esc during the opening gives the title menu at once" logged "$tmp/run1.log" "effect play" 10
# The same picture as a headless run that waited for the whole opening.
mkdir -p "$tmp/waited"
cp -r "$tmp/game/Data" "$tmp/waited/Data"
printf 'wait 50850\nshot %s\n' "$tmp/waited.bmp" >"$tmp/waited.script"
"$game" --headless --lang en --game-dir "$tmp/waited" --script "$tmp/waited.script"
sleep 0.5
shoot
read -r cx cy < <(client_origin)
diffs=$(differs_from_shot "$tmp/waited.bmp" "$cx" "$cy"); echo "     $diffs of 400 differ at $cx,$cy"
check "the window shows what the whole opening leaves" test "$diffs" -eq 0
check "the opening was cut short, not waited for" \
  test "$(awk '/music play 0$/ { t = $1 } /effect play$/ { print $1 - t; exit }' "$tmp/run1.log")" -lt 20000

xdotool key alt+Return
check "Alt+Enter fills the screen" size_is 1600x1200
check "the settings file says fullscreen = true" wait_for "grep -qx 'fullscreen = true' '$settings'" 20
check "and keeps its comment line" grep -qx '# kept by hand' "$settings"
sleep 0.5
shoot
check "the borders left and right of the picture are black" \
  test "$(black_in_column 159 0 1200)" -eq 150 -a "$(black_in_column 1440 0 1200)" -eq 150
check "the borders above and below the picture are black" \
  test "$(black_in_row 119 0 1600)" -eq 200 -a "$(black_in_row 1080 0 1600)" -eq 200
check "the picture's frame is there at 2x: its edges are not black" \
  test "$(black_in_column 160 120 1080)" -lt 20 -a "$(black_in_row 120 160 1440)" -lt 20
check "a picture pixel is a 2x2 square" test "$(pixel 170 130)$(pixel 170 130)" = "$(pixel 171 130)$(pixel 170 131)"

# "New Game" is at (458, 318) of the picture: (160 + 2 * 458, 120 + 2 * 318) on the screen.
xdotool mousemove 1076 756 click 1
check "a press on New Game on the whole screen starts the curtain's sound" logged "$tmp/run1.log" "effect load 1"
check "the stage starts: the pointer is hidden" logged "$tmp/run1.log" "cursor hidden" 50
xdotool mousemove 0 0
sleep 0.3
check "during play on the whole screen the pointer stays on the picture, off its borders" \
  pointer_in 160 120 1280 960
check "the soul touched the frame: the burst" logged "$tmp/run1.log" "cursor shown" 50
sleep 3  # the burst runs for about two seconds before the menu
xdotool mousemove 0 0
sleep 0.3
check "at the after-loss menu the pointer is free again" test "$(pointer)" = "0 0"
xdotool key alt+Return
check "Alt+Enter again gives the 1280x960 window back" size_is 1280x960
check "and writes fullscreen = false" wait_for "grep -qx 'fullscreen = false' '$settings'" 20
read -r cx cy < <(client_origin)
# "Again" is at (194, 318) of the picture.
xdotool mousemove $((cx + 388)) $((cy + 636)) click 1
check "Again starts the stage once more" \
  wait_for '[ "$(grep -c " cursor hidden$" "$tmp/run1.log")" -eq 2 ]' 50
xdotool mousemove 0 0
sleep 0.3
check "during play in the window a pointer moved far outside stays inside the picture" \
  pointer_in "$cx" "$cy" 1280 960
check "the soul touched the frame again" wait_for '[ "$(grep -c " cursor shown$" "$tmp/run1.log")" -eq 2 ]' 50
sleep 3
xdotool mousemove 0 0
sleep 0.3
check "at the after-loss menu it can leave the window again" test "$(pointer)" = "0 0"
stop_game
kill "${pids[1]}" "${pids[0]}" 2>/dev/null
wait "${pids[1]}" "${pids[0]}" 2>/dev/null
pids=()

echo "-- a 2048x1536 screen, scale = 3 in the settings"
printf '# kept by hand\nscale = 3\n' >"$settings"
start_display 2048x1536
start_game "$tmp/run2.log"
check "scale = 3 gives a 1920x1440 window" size_is 1920x1440
check "no warnings for good settings" test ! -s "$tmp/run2.log.err"
stop_game

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
