#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Wispen need.
# Does nothing (quietly) when they are all present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git clang-format
  clang libclang-rt-dev
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
  libfluidsynth-dev libfontconfig-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-liberation2
  fluid-soundfont-gm
  xvfb xauth libxtst6 libx11-dev
  openbox xdotool x11-apps x11-utils
  dpkg-dev lintian desktop-file-utils appstream groff-base
  locales
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

# The tests start the game under Japanese locales too (fontconfig names fonts by the locale's language).
make_locales() {
  local have
  have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | tr -d '-')
  grep -qx 'ja_jp.utf8' <<<"$have" || $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  grep -qx 'ja_jp.eucjp' <<<"$have" || $sudo localedef -i ja_JP -f EUC-JP ja_JP.EUC-JP
  return 0
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  make_locales
  exit 0
fi

echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
make_locales
