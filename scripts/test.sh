#!/usr/bin/env bash
# Installs what Kinetrace needs, checks that lower folders include no higher
# ones, builds it for testing (Debug with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/check-layers.sh"
"$top/scripts/build.sh" debug-sanitize
cd "$top/build/debug-sanitize"
ctest --output-on-failure --parallel "$(nproc)"
