#!/usr/bin/env bash
# Builds the fuzz targets (clang 14 with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds,
# starting from the seeds in tests/data/fuzz/<target>.
#   scripts/fuzz.sh [seconds per target, default 60] [target...]
#     targets: archive document text-import clipboard rebuild link-reply
#     (all of them when none is named)
#   scripts/fuzz.sh --seeds     writes the seeds anew
# Inputs a target fails on (crash-*, leak-*, timeout-*, oom-*) are kept in
# build/fuzz/findings/<target>/, its log in build/fuzz/findings/<target>.log;
# the corpus it grows stays in build/fuzz/corpus/<target>/ for the next run.
# The text import and the rebuild run without a time-out that cuts an input
# (large programs take long; their speed is the benchmarks' business): an
# input slower than 10 s is only reported (slow-unit-*) and the run goes on.
# Exits with 1 when a target found something.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir="$top/build/fuzz"

# Only this script needs them; the other scripts build with g++.
"$top/scripts/install-deps.sh" clang-14 libclang-rt-14-dev llvm-14
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKINETRACE_TESTS=OFF -DKINETRACE_FUZZ=ON >/dev/null
all_targets=(archive document text-import clipboard rebuild link-reply)
cmake --build "$dir" --parallel "$(nproc)" --target kinetrace_fuzz_seeds "${all_targets[@]/#/kinetrace_fuzz_}"

if [ "${1:-}" = "--seeds" ]; then
  exec "$dir/fuzz/kinetrace_fuzz_seeds" "$top/tests/data/fuzz"
fi

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")

export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp"
found=0
for target in "${targets[@]}"; do
  dict=kinetrace.dict
  timeout=(-timeout=10)
  case "$target" in
    archive) max_len=16384 ;;
    document) max_len=32768 ;;
    text-import) max_len=32768 dict=program.dict timeout=() ;;
    clipboard) max_len=32768 ;;
    rebuild) max_len=16384 dict=program.dict timeout=() ;;
    link-reply) max_len=16384 dict=link.dict ;;
    *) echo "fuzz.sh: unknown target '$target' (${all_targets[*]})" >&2; exit 2 ;;
  esac
  corpus="$dir/corpus/$target"
  findings="$dir/findings/$target"
  log="$dir/findings/$target.log"
  mkdir -p "$corpus" "$findings"
  echo "fuzz.sh: $target for ${seconds}s"
  if "$dir/fuzz/kinetrace_fuzz_$target" "$corpus" "$top/tests/data/fuzz/$target" \
      -dict="$top/fuzz/$dict" -max_total_time="$seconds" -max_len="$max_len" "${timeout[@]}" -print_final_stats=1 \
      -artifact_prefix="$findings/" >"$log" 2>&1; then
    grep -E "^(Done|Slowest unit|stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb))" "$log" || true
  else
    found=1
    echo "fuzz.sh: $target found something; the end of $log:"
    tail -n 60 "$log"
  fi
done
exit "$found"
