#!/usr/bin/env bash
# A player's install: `cmake --install` into a scratch prefix, moved elsewhere (a relocated prefix), then
# made read-only by a bind mount (the tests run as root, where permissions stop no write). Played headless
# from there the game keeps its progress in $XDG_DATA_HOME, takes over a read-only Info.Dat once, writes
# nothing under the prefix and leaves no temporary file; a portable copy keeps saving beside its data; four
# games started together on the same data each end with their own state.
#   install_test.sh BUILD_DIR APP_ID
set -euo pipefail
build="$1"
app_id="$2"

if [ -z "${WISPEN_IN_OWN_MOUNTS:-}" ]; then
  # Mounts made in a namespace of the test's own vanish with it, whatever happens to the test.
  if ! unshare -m true 2>/dev/null; then
    echo "SKIPPED LOUDLY: this environment cannot make a mount namespace (unshare -m), so the read-only"
    echo "install cannot be tested here. Run the tests as root on a machine that allows it."
    exit 77
  fi
  exec unshare -m env WISPEN_IN_OWN_MOUNTS=1 "$0" "$@"
fi

tmp=$(mktemp -d)
trap 'umount "$tmp/prefix" 2>/dev/null || true; rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$tmp/built" >/dev/null
mv "$tmp/built" "$tmp/prefix"
p="$tmp/prefix"
for f in games/wispen bin/wispen share/games/wispen/Data/StageP1.Dat share/games/wispen/Data/Effect00.Dat \
  "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" share/man/man6/wispen.6.gz \
  share/icons/hicolor/{32x32,48x48,64x64,128x128,256x256}/apps/wispen.png; do
  [ -e "$p/$f" ] || fail "$f was not installed"
done
[ ! -e "$p/share/games/wispen/Data/Info.Dat" ] || fail "a progress file was installed"

read_only() {
  umount "$p" 2>/dev/null || true
  mount --bind "$p" "$p" && mount -o remount,bind,ro "$p" ||
    { echo "FAIL cannot make the prefix read-only (mount)"; exit 1; }
  touch "$p/probe" 2>/dev/null && { echo "FAIL the read-only prefix takes writes"; exit 1; }
  find "$p" -printf '%p %s %T@\n' | sort >"$tmp/prefix.before"
}
unchanged_prefix() {
  find "$p" -printf '%p %s %T@\n' | sort | diff -q "$tmp/prefix.before" - >/dev/null || fail "$1: the prefix changed"
}
# The 32-bit little-endian field at byte offset $2 of file $1.
field() { od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '; }

stage_script() {  # through the opening, "New Game", stage 1 started with its music and effects, then close
  printf 'wait 50850\n%spress left 400 320\nwait 600\nexpect MainTimer.Enabled 1\nexpect CurrentStage 1\nclose\n' \
    "${1:-}" >"$2"
}
play() {  # name, extra environment..., then -- and the game's arguments
  local name="$1"
  shift
  mkdir -p "$tmp/$name/run"
  local env=(XDG_DATA_HOME="$tmp/$name/data" XDG_RUNTIME_DIR="$tmp/$name/run" HOME="$tmp/$name/home")
  while [ "$1" != "--" ]; do env+=("$1"); shift; done
  shift
  env "${env[@]}" "$@" --headless --lang en --log "$tmp/$name/events.log" >"$tmp/$name/out" 2>&1
}
no_temporary_files() {
  [ -z "$(ls -A "$tmp/$1/run")" ] || fail "$1: temporary files left: $(ls -A "$tmp/$1/run")"
  [ -z "$(find "$tmp" -name '$$WISP$$*' -print -quit)" ] || fail "$1: a \$\$WISP\$\$ file is left"
}

# 1. A fresh player on the read-only install; a directory a killed game left behind is cleared.
read_only
stage_script "" "$tmp/stage.script"
mkdir -p "$tmp/fresh/run/wispen-run-killed"
touch "$tmp/fresh/run/wispen-run-killed/\$\$WISP\$\$.bmp" "$tmp/fresh/run/wispen-run-killed" -d '1 hour ago'
play fresh -- "$p/bin/wispen" --script "$tmp/stage.script" || fail "fresh: exit $?: $(cat "$tmp/fresh/out")"
info="$tmp/fresh/data/wispen/Info.Dat"
if [ -f "$info" ] && [ "$(stat -c %s "$info")" -eq 174 ] && [ "$(field "$info" 2)" -eq 1 ]; then
  echo "ok   fresh: \$XDG_DATA_HOME/wispen/Info.Dat is a 174-byte progress file with stage 1 open"
else
  fail "fresh: no valid progress file in \$XDG_DATA_HOME/wispen"
fi
grep -q " music play 1$" "$tmp/fresh/events.log" || fail "fresh: the stage music did not start"
unchanged_prefix fresh
no_temporary_files fresh

# 2. A read-only install that holds a progress file of an older copy: it is taken over.
umount "$p"
legacy="$p/share/games/wispen/Data/Info.Dat"
# The reserved word, StagesOpen 5, SoulsUsed 7, one high score, nine empty ones, SpeedFactor 1.
{ printf '\0\0\5\0\0\0\7\0\0\0'; printf '\3\0\0\0\1\0\0\0\2\0\0\0\322\4\0\0'; head -c 144 /dev/zero
  printf '\1\0\0\0'; } >"$legacy"
read_only
printf 'wait 50850\nexpect StagesOpen 5\nexpect SoulsUsed 7\nexpect HighScores.0 3,1,2,1234\nclose\n' >"$tmp/legacy.script"
play legacy -- "$p/bin/wispen" --script "$tmp/legacy.script" || fail "legacy: exit $?: $(cat "$tmp/legacy/out")"
cmp -s "$legacy" "$tmp/legacy/data/wispen/Info.Dat" && echo "ok   legacy: the progress was taken over" ||
  fail "legacy: the new progress file does not carry the old one's"
unchanged_prefix legacy
no_temporary_files legacy

# 3. Four games at once on the same read-only data, each with its own progress.
for k in 1 2 3 4; do
  mkdir -p "$tmp/save$k"
  { printf '\0\0'; printf "\\$k\\0\\0\\0"; head -c 164 /dev/zero; printf '\1\0\0\0'; } >"$tmp/save$k/Info.Dat"
  stage_script "expect StagesOpen $k
" "$tmp/together$k.script"
done
pids=()
mkdir -p "$tmp/together/run"
for k in 1 2 3 4; do
  play "together$k" XDG_RUNTIME_DIR="$tmp/together/run" -- \
    "$p/games/wispen" --save-dir "$tmp/save$k" --script "$tmp/together$k.script" &
  pids+=($!)
done
for k in 1 2 3 4; do
  if wait "${pids[$((k - 1))]}"; then
    grep -q " effect load 2$" "$tmp/together$k/events.log" || fail "together$k: the effect was not loaded"
    grep -q " music play 1$" "$tmp/together$k/events.log" || fail "together$k: the music did not start"
  else
    fail "together$k: $(cat "$tmp/together$k/out")"
  fi
done
no_temporary_files together
[ "$failures" -eq 0 ] && echo "ok   four games at once"
unchanged_prefix together

# 4. A portable copy, writable, keeps its progress beside its data ("New Game" leaves one stage open).
umount "$p"
mkdir -p "$tmp/portable"
cp "$p/games/wispen" "$tmp/portable/"
cp -r "$p/share/games/wispen/Data" "$tmp/portable/"
play portable -- "$tmp/portable/wispen" --script "$tmp/stage.script" || fail "portable: $(cat "$tmp/portable/out")"
[ "$(field "$tmp/portable/Data/Info.Dat" 2)" = 1 ] && [ "$(stat -c %s "$tmp/portable/Data/Info.Dat")" -eq 174 ] &&
  [ ! -e "$tmp/portable/data/wispen" ] && echo "ok   portable: the progress stays beside the data" ||
  fail "portable: the progress was not saved beside the data"
no_temporary_files portable

echo "failures: $failures"
[ "$failures" -eq 0 ]
