#!/usr/bin/env bash
# The Debian package: `cpack -G DEB` from the build tree, its contents and dependencies, lintian without
# errors, the launcher, metainfo and manual page checked by their validators (which must say nothing), and
# the game played headless from the extracted package.
#   package_test.sh BUILD_DIR APP_ID
set -uo pipefail
build="$1"
app_id="$2"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
quiet() {  # the command succeeds and prints nothing (appstreamcli's line of success aside)
  local what="$1"
  shift
  local out
  out=$("$@" 2>&1) || { fail "$what: $out"; return; }
  out=$(grep -v "^. Validation was successful\.$" <<<"$out" || true)
  [ -z "$out" ] && echo "ok   $what" || fail "$what: $out"
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || {
  cat "$tmp/cpack.log"; echo "FAIL cpack"; exit 1; }
deb=$(ls "$tmp"/out/wispen_*_*.deb)
echo "ok   built $(basename "$deb")"
dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/contents"
for f in ./usr/games/wispen ./usr/share/games/wispen/Data/StageP1.Dat ./usr/share/games/wispen/Data/Effect10.Dat \
  "./usr/share/applications/$app_id.desktop" "./usr/share/metainfo/$app_id.metainfo.xml" \
  ./usr/share/man/man6/wispen.6.gz ./usr/share/doc/wispen/copyright ./usr/share/doc/wispen/changelog.Debian.gz \
  ./usr/share/icons/hicolor/{32x32,48x48,64x64,128x128,256x256}/apps/wispen.png; do
  grep -qxF "$f" "$tmp/contents" || fail "the package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libsdl2-2.0-0 libfluidsynth fluid-soundfont-gm fonts-ipafont-gothic fonts-liberation2; do
  [[ "$depends" == *"$d"* ]] || fail "the package does not depend on $d: $depends"
done

lintian "$deb" >"$tmp/lintian" 2>&1
grep -v "running with root privileges" "$tmp/lintian" | sed 's/^/     lintian: /'
if grep -q "^E:" "$tmp/lintian"; then fail "lintian reports errors"; else echo "ok   lintian reports no errors"; fi

dpkg-deb -x "$deb" "$tmp/root"
quiet "desktop-file-validate" desktop-file-validate "$tmp/root/usr/share/applications/$app_id.desktop"
quiet "appstreamcli validate" appstreamcli validate --no-net --no-color \
  "$tmp/root/usr/share/metainfo/$app_id.metainfo.xml"
zcat "$tmp/root/usr/share/man/man6/wispen.6.gz" >"$tmp/wispen.6"
quiet "groff -man -ww -z" groff -man -ww -z "$tmp/wispen.6"
grep -q "^StartupWMClass=$app_id$" "$tmp/root/usr/share/applications/$app_id.desktop" ||
  fail "the launcher's StartupWMClass is not $app_id"
for option in $("$tmp/root/usr/games/wispen" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -q -- "${option//-/\\\\-}" "$tmp/wispen.6" || fail "the manual page does not document $option"
done

# Extracted where it can be written, the game is a portable copy and saves beside its data.
mkdir -p "$tmp/home" "$tmp/run"
printf 'wait 50850\npress left 400 320\nwait 600\nexpect CurrentStage 1\nclose\n' >"$tmp/play.script"
HOME="$tmp/home" XDG_DATA_HOME= XDG_RUNTIME_DIR="$tmp/run" \
  "$tmp/root/usr/games/wispen" --headless --lang en --script "$tmp/play.script" --log "$tmp/events.log" ||
  fail "the extracted game did not play"
grep -q " music play 1$" "$tmp/events.log" || fail "the extracted game's stage did not start"
[ "$(stat -c %s "$tmp/root/usr/share/games/wispen/Data/Info.Dat" 2>/dev/null)" = 174 ] &&
  [ -z "$(ls -A "$tmp/run")" ] && echo "ok   played from the extracted package" ||
  fail "no progress file beside the extracted data, or temporary files left"

echo "failures: $failures"
[ "$failures" -eq 0 ]
