#!/usr/bin/env bash
# Redraws docs/form2.png, the README's picture of a calculator, framed by a window manager on an X server
# of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build --target readme_screenshot
xvfb-run -a -s "-screen 0 1366x768x24" bash -c \
  'openbox & sleep 1; QT_QPA_PLATFORM=xcb build/tests/readme_screenshot docs/form2.png; kill %1'
