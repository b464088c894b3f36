#!/usr/bin/env bash
# Runs one shard of the test program. The leak checker stops every thread
# with ptrace at exit; now and then its own tracer dies there ("Tracer caught
# signal"), after every test has passed. Such a run says nothing of the
# program, so that shard runs once more; any other failure stands.
set -uo pipefail
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2; do
    "$@" 2>&1 | tee "$out"
    rc=${PIPESTATUS[0]}
    if [ "$rc" -eq 0 ] || ! grep -q 'Tracer caught signal' "$out"; then exit "$rc"; fi
    echo "run-shard: the leak checker's tracer failed at exit; running the shard again" >&2
done
exit "$rc"
