#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Wispen need.
# Does nothing (quietly) when they are all present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git clang-format
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
  libfluidsynth-dev libfontconfig-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-liberation2
  fluid-soundfont-gm
  xvfb xauth libxtst6
  openbox xdotool x11-apps x11-utils libx11-dev
  dpkg-dev lintian desktop-file-utils appstream groff-base
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
