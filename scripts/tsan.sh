#!/usr/bin/env bash
# Builds the tests with ThreadSanitizer (build/tsan, a build of its own) and
# runs the tests of the threads that meet in the program: the communication
# library's and monitoring's. Not part of scripts/test.sh: the build is a
# full one of its own. The tests that drive Qt's widgets stay out: Qt's own
# threads meet under locks ThreadSanitizer cannot see in an uninstrumented
# Qt. tests/tsan.supp names the two such places the tests below reach.
#   scripts/tsan.sh [extra cmake options...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir="$top/build/tsan"
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKINETRACE_TESTS=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -O1 -g" -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread "$@" >/dev/null
cmake --build "$dir" --target kinetrace_tests --parallel "$(nproc)"
cd "$dir"
TSAN_OPTIONS="suppressions=$top/tests/tsan.supp halt_on_error=1" QT_QPA_PLATFORM=offscreen \
  tests/kinetrace_tests --gtest_shuffle --gtest_repeat=3 \
  --gtest_filter='CommThread*:MonitorCycle*:MonitorSession*:MonitorStress*:MonCommand*'
