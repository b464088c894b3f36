#!/usr/bin/env bash
# Builds the fuzz targets (clang 14 with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds,
# starting from the seed documents in tests/data/fuzz.
#   scripts/fuzz.sh [seconds per target, default 60] [archive|document...]
#   scripts/fuzz.sh --seeds     writes the seed documents anew
# Inputs a target fails on (crash-*, leak-*, timeout-*, oom-*) are kept in
# build/fuzz/findings/<target>/, its log in build/fuzz/findings/<target>.log;
# the corpus it grows stays in build/fuzz/corpus/<target>/ for the next run.
# Exits with 1 when a target found something.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir="$top/build/fuzz"

# Only this script needs them; the other scripts build with g++.
"$top/scripts/install-deps.sh" clang-14 libclang-rt-14-dev llvm-14
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKINETRACE_TESTS=OFF -DKINETRACE_FUZZ=ON >/dev/null
cmake --build "$dir" --parallel "$(nproc)" --target kinetrace_fuzz_archive kinetrace_fuzz_document kinetrace_fuzz_seeds

if [ "${1:-}" = "--seeds" ]; then
  exec "$dir/fuzz/kinetrace_fuzz_seeds" "$top/tests/data/fuzz"
fi

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(archive document)

export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp"
found=0
for target in "${targets[@]}"; do
  case "$target" in
    archive) max_len=16384 ;;
    document) max_len=32768 ;;
    *) echo "fuzz.sh: unknown target '$target' (archive, document)" >&2; exit 2 ;;
  esac
  corpus="$dir/corpus/$target"
  findings="$dir/findings/$target"
  log="$dir/findings/$target.log"
  mkdir -p "$corpus" "$findings"
  echo "fuzz.sh: $target for ${seconds}s"
  if "$dir/fuzz/kinetrace_fuzz_$target" "$corpus" "$top/tests/data/fuzz/$target" \
      -dict="$top/fuzz/kinetrace.dict" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$findings/" >"$log" 2>&1; then
    grep -E "^(Done|stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb))" "$log" || true
  else
    found=1
    echo "fuzz.sh: $target found something; the end of $log:"
    tail -n 60 "$log"
  fi
done
exit "$found"
