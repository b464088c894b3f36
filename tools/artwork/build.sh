#!/usr/bin/env bash
# Builds the artwork tool next to this script.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
g++ -std=c++20 -O1 -fPIC "$here/artwork.cpp" -o "$here/artwork" $(pkg-config --cflags --libs Qt6Gui Qt6Core)
