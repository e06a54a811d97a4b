#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything (benchmarks included) and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-dependencies.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
