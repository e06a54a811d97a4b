#!/usr/bin/env bash
# Redraws docs/form2.png, the README's picture of a calculator after a full run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build --target readme_screenshot
QT_QPA_PLATFORM=offscreen:configfile=tests/screens/desktop.json build/tests/readme_screenshot docs/form2.png
