#!/usr/bin/env bash
# Fails when a lower folder of src/ includes a higher one: the platform layer
# includes nothing of the program, and the chart layer nothing of the symbol
# families, conversion, the online code, the PLC code or printing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top/src"

failed=0
check() {
  local folder=$1 forbidden=$2
  local line file header
  while IFS= read -r line; do
    file=${line%%:*}
    header=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"${line#*:*:}")
    echo "check-layers: $file includes $header" >&2
    failed=1
  done < <(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($forbidden)/" "$folder" || true)
}

check platform 'app|chart|params|symbols|convert|online|plc|print|res'
check chart 'symbols|convert|online|plc|print'

if [ "$failed" -ne 0 ]; then
  echo "check-layers: a lower folder includes a higher one" >&2
  exit 1
fi
