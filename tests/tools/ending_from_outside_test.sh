#!/usr/bin/env bash
# The game ended from outside, in a real window under its own X server: SIGTERM and SIGINT, the window
# destroyed (xdotool windowclose), the X server gone. Each ends the game: the progress is saved when it can
# be (exit 0, nothing on standard error); when it cannot, the old file stays as it was, one line says so and
# the exit status is 1. And a player whose progress cannot be saved: the second use of the close box asks,
# and Return (Yes) quits without saving.
set -u
set -m  # background jobs keep SIGINT, as a game started from a terminal has it
game="$1"
data="$2"
send_close="$3"
for tool in Xvfb xdotool; do
  command -v $tool >/dev/null || { echo "$tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done
tmp=$(mktemp -d)
server=""
trap '[ -n "$server" ] && kill $server 2>/dev/null; rm -rf "$tmp"' EXIT
failures=0
# An old progress file: three stages open.
{ printf '\000\000\003\000\000\000'; head -c 168 /dev/zero; } >"$tmp/old.Dat"

# scenario: term | int | windowclose | server; save: ok | fails
run() {
  local scenario="$1" save="$2"
  rm -rf "$tmp/game" && mkdir -p "$tmp/game" && cp -r "$data" "$tmp/game/Data"
  cp "$tmp/old.Dat" "$tmp/game/Data/Info.Dat"
  # The progress file bound onto itself in a mount namespace of the game's own: it reads as ever, but the
  # rename that would replace it fails, and keeps failing.
  local launch=()
  [ "$save" = fails ] && launch=(unshare -m sh -c 'mount --bind "$0" "$0" && exec "$@"' "$tmp/game/Data/Info.Dat")
  Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset 3>"$tmp/display" >/dev/null 2>"$tmp/xvfb.err" &
  server=$!
  # A loaded machine can take seconds to start the server; without one, each step below would fail obscurely.
  for _ in $(seq 200); do [ -s "$tmp/display" ] || ! kill -0 $server 2>/dev/null && break; sleep 0.1; done
  if ! [ "$(cat "$tmp/display")" -ge 0 ] 2>/dev/null; then
    kill $server 2>/dev/null; wait $server 2>/dev/null
    local ended=$?
    echo "FAIL $scenario, save $save: Xvfb gave no display '$(cat "$tmp/display")' (waited up to 20 s; status $ended):"
    cat "$tmp/xvfb.err"; server=""; failures=$((failures + 1)); return
  fi
  export DISPLAY=":$(cat "$tmp/display")"
  SDL_AUDIODRIVER=dummy "${launch[@]}" "$game" --game-dir "$tmp/game" 2>"$tmp/err" </dev/null &
  local pid=$!
  local window
  window=$(timeout 20 xdotool search --sync --name '^Wispen Version 1$' | head -n 1)
  sleep 0.5
  case "$scenario" in
    term) kill -TERM $pid ;;
    int) kill -INT $pid ;;
    windowclose) xdotool windowclose "$window" ;;
    server) kill $server ;;
    closebox)
      # Each close shows the error (Return dismisses it); the second then asks (Return is Yes).
      xdotool mousemove 512 384
      for attempt in 1 2; do "$send_close" "$window"; sleep 1; xdotool key Return; sleep 1; done
      xdotool key Return ;;
  esac
  local status=124
  for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then kill -9 $pid; wait $pid 2>/dev/null; else wait $pid; status=$?; fi
  kill $server 2>/dev/null; wait $server 2>/dev/null; server=""

  local what="$scenario, save $save" size lines
  size=$(stat -c %s "$tmp/game/Data/Info.Dat" 2>/dev/null || echo 0)
  lines=$(wc -l <"$tmp/err")
  if [ "$save" = ok ]; then
    if [ "$status" -ne 0 ] || [ "$lines" -ne 0 ] || [ "$size" -ne 174 ] ||
       cmp -s "$tmp/old.Dat" "$tmp/game/Data/Info.Dat"; then
      echo "FAIL $what: exit $status, Info.Dat $size bytes, standard error:"; cat "$tmp/err"
      failures=$((failures + 1)); return
    fi
  elif [ "$status" -ne "$([ "$scenario" = closebox ] && echo 0 || echo 1)" ] ||
       [ "$lines" -ne "$([ "$scenario" = closebox ] && echo 0 || echo 1)" ] ||
       ! cmp -s "$tmp/old.Dat" "$tmp/game/Data/Info.Dat"; then
    echo "FAIL $what: exit $status, standard error:"; cat "$tmp/err"; failures=$((failures + 1)); return
  fi
  echo "ok   $what: exit $status $(cat "$tmp/err")"
}

run term ok
run int fails
run windowclose ok
run windowclose fails
run server ok
run closebox fails

echo "$((6 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
