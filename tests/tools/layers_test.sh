#!/usr/bin/env bash
# Fails when a lower layer reaches up: the core includes nothing of ours but itself; the data, the stage and
# the application layer include nothing of the play layer; and no library exports more than its own folder
# (an exported src/ or tools/ would let any library include any header, and the build would no longer catch
# a back edge).
set -euo pipefail
root="$1"
status=0
fail() {
  echo "$1"
  status=1
}
up=$(grep -rnE '^\s*#\s*include\s*"' "$root/src/core" | grep -vE '#\s*include\s*"core/' || true)
[ -z "$up" ] || fail "src/core includes from outside the core:"$'\n'"$up"
play=$(grep -rnE '^\s*#\s*include\s*"play/' "$root/src/data" "$root/src/stage" "$root/src/app" || true)
[ -z "$play" ] || fail "a lower layer includes from src/play:"$'\n'"$play"
wide=$(grep -rnE 'include_directories\(.*\$\{PROJECT_SOURCE_DIR\}/(src|tools)(/app)?[ )]' \
  --include=CMakeLists.txt "$root/src" "$root/tools" "$root/assets" || true)
[ -z "$wide" ] || fail "a library exports a whole source tree:"$'\n'"$wide"
[ "$status" = 0 ] && echo "the layers include downwards only"
exit "$status"
