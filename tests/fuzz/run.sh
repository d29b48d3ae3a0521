#!/usr/bin/env bash
# Runs every libFuzzer target of the loaders for a bounded time, on seeds from the game's data and the tests'
# files; the corpus each run finds is kept for the next. Stops with the finding when a target finds one.
# usage: run.sh FUZZ_BUILD DATA_DIR SECONDS
set -euo pipefail
build=$1 data=$2 seconds=$3
src=$(cd "$(dirname "$0")/../.." && pwd)
seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{pictures,stages,progress,datafiles,scripts} "$build/findings" "$build/logs"

cp "$src"/tests/data/bmpsuite/good/*.bmp "$seeds/pictures/"
cp "$src"/tests/e2e/scripts/*.script "$seeds/scripts/"
if [ -d "$data" ]; then
  cp "$data"/AnimaP*.Dat "$seeds/pictures/"
  cp "$data"/Stage[0-9]*.Dat "$seeds/stages/"
  cp "$data"/Anima[0-9]*.Dat "$data"/Effect1*.Dat "$seeds/datafiles/"
fi
# The progress files the end-to-end scripts start from.
n=0
while read -r hex; do
  hex=${hex// /}
  printf "$(sed 's/../\\x&/g' <<<"$hex")" >"$seeds/progress/info$n"
  n=$((n + 1))
done < <(sed -n 's/^#! info \([0-9a-fA-F ]*\)$/\1/p' "$src"/tests/e2e/scripts/*.script)

# target, seed folder, longest input
targets=(
  "bmp_reader_fuzz pictures 131072"
  "picture_codec_fuzz pictures 32768"
  "stage_file_fuzz stages 69120"
  "progress_file_fuzz progress 512"
  "data_file_fuzz datafiles 4096"
  "script_fuzz scripts 9000"
)
for entry in "${targets[@]}"; do
  read -r target folder length <<<"$entry"
  mkdir -p "$build/corpus/$target"
  log=$build/logs/$target.log
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -max_len="$length" -timeout=20 -print_final_stats=1 \
      -artifact_prefix="$build/findings/$target-" "$build/corpus/$target" "$seeds/$folder" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "FAIL $target: a finding, kept in $build/findings/"
    exit 1
  fi
  echo "ok   $target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs in ${seconds} s"
done
