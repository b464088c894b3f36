#!/usr/bin/env bash
# Runs the smoke test (the main road through the real windows, offscreen)
# under valgrind's memcheck, in a Release build with debug information, and
# fails on any invalid read, write or free. It catches what the sanitizers
# cannot see: memory the toolkit's own code reads or writes after the program
# freed it. Installs valgrind when it is missing. Takes a few minutes.
#   scripts/memcheck.sh [gtest filter]   (default: SmokeTest.*)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
filter=${1:-SmokeTest.*}
"$top/scripts/install-deps.sh" valgrind
dir="$top/build/memcheck"
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKINETRACE_TESTS=ON >/dev/null
cmake --build "$dir" --parallel "$(nproc)" --target kinetrace_tests
log="$dir/memcheck.log"
status=0
QT_QPA_PLATFORM=offscreen valgrind --tool=memcheck --leak-check=no --track-origins=no --num-callers=30 \
  --log-file="$log" "$dir/tests/kinetrace_tests" --gtest_filter="$filter" || status=$?
errors=$(grep -cE "Invalid (read|write|free)|Mismatched free|Source and destination overlap" "$log" || true)
echo "memcheck: $errors invalid memory accesses; log in $log"
if [ "$errors" -ne 0 ]; then
  grep -E -A12 "Invalid (read|write|free)|Mismatched free|Source and destination overlap" "$log" | head -80 >&2
  exit 1
fi
exit "$status"
