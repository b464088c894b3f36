#!/usr/bin/env bash
# Fails when a lower folder of src/ includes a higher one: the platform layer
# includes nothing of the program; the chart layer nothing of the symbol
# families, conversion, the online code, the PLC code or printing; the
# communication library only the platform, itself and the simulated
# controller; and the monitoring worker, which runs beside the user-interface
# thread, only the platform, the communication library and its own header, so
# that the build, not a review, keeps it off the document and the widgets.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top/src"

failed=0
report() {
  local line=$1 file header
  file=${line%%:*}
  header=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"${line#*:*:}")
  echo "check-layers: $file includes $header" >&2
  failed=1
}

# check PATH FORBIDDEN: nothing under PATH includes a header under a folder
# the pattern FORBIDDEN names.
check() {
  local path=$1 forbidden=$2 line
  [ -e "$path" ] || return 0
  while IFS= read -r line; do report "$line"; done \
    < <(grep -rnHE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($forbidden)/" "$path" || true)
}

# The program's own folders under src/, however a header of theirs is named.
program='app|chart|params|symbols|convert|online|plc|print|res|platform'

# check_only PATH ALLOWED: every quoted include under PATH, and every include
# in <> of one of the program's folders, names a header the pattern ALLOWED
# matches (the system's and Qt's own headers in <> are free).
check_only() {
  local path=$1 allowed=$2 line
  [ -e "$path" ] || return 0
  while IFS= read -r line; do report "$line"; done \
    < <(grep -rnHE "^[[:space:]]*#[[:space:]]*include[[:space:]]*(\"|<($program)/)" "$path" \
          | grep -vE "#[[:space:]]*include[[:space:]]*[<\"]($allowed)[>\"]" || true)
}

check platform 'app|chart|params|symbols|convert|online|plc|print|res'
check chart 'symbols|convert|online|plc|print'
check symbols 'print'
check params 'print'
check convert 'online|print'
check_only online/comm 'platform/[^"]+|online/comm/[^"]+|online/sim/[^"]+'
check_only online/monitor/HOXMonitorThread.cpp 'platform/[^"]+|online/comm/[^"]+|online/monitor/HOXMonitorThread\.h'

if [ "$failed" -ne 0 ]; then
  echo "check-layers: a lower folder includes a higher one" >&2
  exit 1
fi
