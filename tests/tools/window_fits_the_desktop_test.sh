#!/usr/bin/env bash
# The real program in a real window under Xvfb and openbox, driven by real pointer and key input (xdotool,
# through the X test extension): the window's default size, Esc during the opening, Alt+Enter and the
# picture's borders, a press mapped from screen to picture, the pointer kept on the picture during play and
# let go after it, and the settings file.
set -uo pipefail
game="$1"
data="$2"
for tool in Xvfb openbox xdotool xwd xprop xwininfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done
tmp=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$tmp"' EXIT
failures=0 passed=0
check() {  # check WHAT COMMAND...
  if "${@:2}"; then echo "ok   $1"; passed=$((passed + 1)); else echo "FAIL $1"; failures=$((failures + 1)); fi
}
wait_for() {  # wait_for COMMAND TENTHS
  local i
  for ((i = 0; i < $2; i++)); do eval "$1" && return 0; sleep 0.1; done
  return 1
}
start_display() {  # start_display WxH: a new X server with a window manager
  rm -f "$tmp/display"
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
  pids+=($!)
  wait_for '[ -s "$tmp/display" ]' 100 || { echo "Xvfb did not start"; exit 1; }
  export DISPLAY=":$(cat "$tmp/display")"
  openbox --sm-disable >/dev/null 2>&1 &
  pids+=($!)
  wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' 300 || { echo "no openbox"; exit 1; }
}
start_game() {  # start_game LOG [OPTIONS...]
  "$game" --game-dir "$tmp/game" --log "$1" "${@:2}" 2>"$1.err" &
  gamepid=$!
  pids+=($gamepid)
  wait_for 'wid=$(xdotool search --onlyvisible --name "^Wispen Version 1$" 2>/dev/null | head -n 1); [ -n "$wid" ]' 300 ||
    { echo "the window did not open"; cat "$1.err"; exit 1; }
  sleep 0.5
}
size_is() {
  local size='$(xdotool getwindowgeometry --shell "$wid" | awk -F= "/^WIDTH/ { w = \$2 } /^HEIGHT/ { h = \$2 } END { print w \"x\" h }")'
  wait_for "[ \"$size\" = $1 ]" 30 || { eval "echo \"     the window is $size\""; return 1; }
}
logged() { wait_for "[ \"\$(grep -c ' $1\$' \"$tmp/run1.log\")\" -ge ${2:-1} ]" 50; }
client_origin() { xwininfo -id "$wid" | awk '/Absolute upper-left [XY]/ { printf "%s ", $NF }'; }
pointer() { xdotool getmouselocation --shell | awk -F= '/^[XY]=/ { printf "%s ", $2 }'; }
pointer_in() {  # pointer_in X Y W H
  local x y
  read -r x y < <(pointer)
  [ "$x" -ge "$1" ] && [ "$x" -lt $(($1 + $3)) ] && [ "$y" -ge "$2" ] && [ "$y" -lt $(($2 + $4)) ] ||
    { echo "     the pointer is at $x,$y"; return 1; }
}
pointer_goes_to_corner() { xdotool mousemove 0 0; sleep 0.3; }

# The screen as an X window dump: big-endian 32-bit header fields, a colour map, the pixel rows.
shoot() {
  xwd -root -silent >"$tmp/shot.xwd"
  read -r header_size byte_order bpp bpl ncolors < <(od -An -tu1 -N 80 -v "$tmp/shot.xwd" | tr -s ' \n' ' ' |
    awk '{ for (i = 0; i < 20; i++) f[i] = (($(4*i+1) * 256 + $(4*i+2)) * 256 + $(4*i+3)) * 256 + $(4*i+4);
           print f[0], f[7], f[11] / 8, f[12], f[19] }')
}
pixel() {  # pixel X Y: RRGGBB of the screen
  local b
  b=($(od -An -tx1 -j $((header_size + ncolors * 12 + $2 * bpl + $1 * bpp)) -N "$bpp" "$tmp/shot.xwd"))
  if [ "$byte_order" -eq 0 ]; then echo "${b[2]}${b[1]}${b[0]}"; else echo "${b[*]: -3}" | tr -d ' '; fi
}
bmp_pixel() {  # bmp_pixel FILE X Y: RRGGBB of a 640x480 24-bit bottom-up BMP, as the game's `shot` writes
  local b
  b=($(od -An -tx1 -j $(($(od -An -tu4 -j 10 -N 4 "$1") + (479 - $3) * 1920 + $2 * 3)) -N 3 "$1"))
  echo "${b[2]}${b[1]}${b[0]}"
}
blacks() {  # blacks X Y DX DY N: how many of N screen pixels from (X, Y) in steps of (DX, DY) are black
  local n=0 i
  for ((i = 0; i < $5; i++)); do [ "$(pixel $(($1 + i * $3)) $(($2 + i * $4)))" = 000000 ] && n=$((n + 1)); done
  echo $n
}
differs_from_shot() {  # differs_from_shot BMP X Y: grid pixels of the picture at 2x at (X, Y) unlike the BMP's
  local n=0 x y
  for ((y = 4; y < 480; y += 25)); do
    for ((x = 3; x < 640; x += 30)); do
      [ "$(pixel $(($2 + 2 * x)) $(($3 + 2 * y)))" = "$(bmp_pixel "$1" "$x" "$y")" ] || n=$((n + 1))
    done
  done
  echo $n
}

mkdir -p "$tmp/game" "$tmp/waited" "$tmp/config/wispen"
cp -r "$data" "$tmp/game/Data"
# A later run: the progress file holds a speed factor, so the opening may be cut short.
{ printf '\x00\x00\x01\x00\x00\x00'; head -c 164 /dev/zero; printf '\x01\x00\x00\x00'; } >"$tmp/game/Data/Info.Dat"
cp -r "$tmp/game/Data" "$tmp/waited/Data"
export XDG_CONFIG_HOME="$tmp/config"
settings="$tmp/config/wispen/settings.ini"
printf '# kept by hand\nvolume = 11\nscale = 99\n' >"$settings"

start_display 1600x1200
start_game "$tmp/run1.log" --lang en
check "the default window on a 1600x1200 screen is 1280x960" size_is 1280x960
check "a warning for each bad settings line" test "$(grep -c 'settings.ini:[23]: ' "$tmp/run1.log.err")" -eq 2
xdotool windowactivate --sync "$wid" >/dev/null 2>&1
sleep 0.3
xdotool key Escape
check "Esc during the opening gives the title menu at once" logged "effect play"
# The picture a headless run shows after waiting for the whole opening.
printf 'wait 50850\nshot %s\n' "$tmp/waited.bmp" >"$tmp/waited.script"
"$game" --headless --lang en --game-dir "$tmp/waited" --script "$tmp/waited.script"
shoot
check "the window shows, at 2x, what the whole opening leaves" test "$(differs_from_shot "$tmp/waited.bmp" $(client_origin))" -eq 0

xdotool key alt+Return
check "Alt+Enter fills the screen" size_is 1600x1200
check "and writes fullscreen = true, keeping the comment" \
  wait_for "grep -qx 'fullscreen = true' '$settings' && grep -qx '# kept by hand' '$settings'" 20
sleep 0.5
shoot
check "the borders around the 2x picture are black" \
  test "$(blacks 159 0 0 8 150)$(blacks 1440 0 0 8 150)$(blacks 0 119 8 0 200)$(blacks 0 1080 8 0 200)" = 150150200200
check "the picture's frame reaches its edges" test "$(blacks 160 120 0 8 120)" -lt 20 -a "$(blacks 160 120 8 0 160)" -lt 20

# "New Game" is at (458, 318) of the picture: (160 + 2 * 458, 120 + 2 * 318) on the screen.
xdotool mousemove 1076 756 click 1
check "a press on New Game on the whole screen starts the curtain's sound" logged "effect load 1"
check "the stage starts" logged "cursor hidden"
pointer_goes_to_corner
check "during play on the whole screen the pointer stays on the picture, off the borders" pointer_in 160 120 1280 960
check "the soul touched the frame" logged "cursor shown"
sleep 3  # the burst, then the after-loss menu
pointer_goes_to_corner
check "at the after-loss menu the pointer is free" test "$(pointer)" = "0 0 "
xdotool key alt+Return
check "Alt+Enter again gives the 1280x960 window back" size_is 1280x960
# "Again", at (194, 318) of the picture, once the burst has given way to the menu.
check "Again starts the stage once more" wait_for 'read -r cx cy < <(client_origin);
  xdotool mousemove $((cx + 388)) $((cy + 636)) click 1; sleep 0.5; [ "$(grep -c " cursor hidden$" "$tmp/run1.log")" -ge 2 ]' 20
pointer_goes_to_corner
check "during play a pointer moved far outside the window stays inside the picture" pointer_in "$cx" "$cy" 1280 960
check "the soul touched the frame again" logged "cursor shown" 2
sleep 3
pointer_goes_to_corner
check "at the after-loss menu it can leave the window" test "$(pointer)" = "0 0 "
check "the settings file says fullscreen = false" grep -qx 'fullscreen = false' "$settings"
kill -TERM "${pids[@]}" && wait "${pids[@]}" 2>/dev/null
pids=()

printf 'scale = 3\n' >"$settings"
start_display 2048x1536
start_game "$tmp/run2.log"
check "scale = 3 in the settings file gives a 1920x1440 window" size_is 1920x1440
check "no warnings for good settings" test ! -s "$tmp/run2.log.err"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
