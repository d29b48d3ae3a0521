#!/usr/bin/env bash
# with_virtual_display.sh WIDTHxHEIGHTxDEPTH COMMAND [ARG...]
# Runs COMMAND with DISPLAY set to a virtual X server of its own, started for it and stopped after it; exits
# with COMMAND's status. The server picks its own free display number (-displayfd) as it binds it, so any
# number of these can start at once; xvfb-run -a chooses the number before the server starts, and two runs
# started together can choose the same one. -noreset: by default the server resets when its last client
# leaves, and a client that connects in that moment is dropped.
set -u
screen="$1"
shift
command -v Xvfb >/dev/null || { echo "Xvfb is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
tmp=$(mktemp -d)
server=""
stop() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  fi
  rm -rf "$tmp"
}
trap stop EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$tmp/display" >/dev/null 2>"$tmp/xvfb.err" &
server=$!
# A loaded machine can take seconds to start the server.
for _ in $(seq 300); do
  { [ -s "$tmp/display" ] || ! kill -0 "$server" 2>/dev/null; } && break
  sleep 0.1
done
number=$(cat "$tmp/display")
if ! [ "$number" -ge 0 ] 2>/dev/null; then
  echo "Xvfb gave no display (waited up to 30 s):" >&2
  cat "$tmp/xvfb.err" >&2
  exit 1
fi
DISPLAY=":$number" "$@"
