#!/usr/bin/env bash
# Builds the Debian package of Ortix-T into build-package/: ortix-t_<version>_amd64.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build-package --target ortix-t
(cd build-package && cpack)
ls build-package/*.deb
