#!/usr/bin/env bash
# Installs what Kinetrace needs, builds it and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" release
exec "$top/build/release/src/kinetrace" "$@"
