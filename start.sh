#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Ortix-T in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-dependencies.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build --target ortix-t
exec build/app/ortix-t "$@"
