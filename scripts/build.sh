#!/usr/bin/env bash
# Configures and builds Kinetrace.
#   scripts/build.sh [release|debug-sanitize] [extra cmake options...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-release}
shift || true
case "$kind" in
  release) dir="$top/build/release"; opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKINETRACE_TESTS=OFF) ;;
  debug-sanitize) dir="$top/build/debug-sanitize"; opts=(-DCMAKE_BUILD_TYPE=Debug -DKINETRACE_SANITIZE=ON -DKINETRACE_TESTS=ON -DKINETRACE_WERROR=ON) ;;
  *) echo "build.sh: unknown build kind '$kind'" >&2; exit 2 ;;
esac
cmake -S "$top" -B "$dir" -G Ninja "${opts[@]}" "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
