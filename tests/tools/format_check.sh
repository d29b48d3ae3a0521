#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes of it.
set -euo pipefail
cd "$1"
bad=$(git ls-files '*.cpp' '*.h' '*.inl' | xargs clang-format --dry-run 2>&1 | grep -oE '^[^:]+\.(cpp|h|inl)' | sort -u || true)
if [ -n "$bad" ]; then
  echo "not formatted (run clang-format -i):"
  echo "$bad"
  exit 1
fi
echo "all C++ files formatted"
