#!/usr/bin/env bash
# Fuzzes the number text for the given number of seconds (default 600), in a clang build of its own (build-fuzz).
# New inputs collect in build-fuzz/corpus; an input that breaks a check is saved as build-fuzz/crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
scripts/install-dependencies.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DORTIX_FUZZ=ON
cmake --build build-fuzz
mkdir -p build-fuzz/corpus
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
  build-fuzz/tests/fuzz/number_text_fuzz -max_total_time="$seconds" -print_final_stats=1 \
  -dict=tests/fuzz/number_text.dict -artifact_prefix=build-fuzz/ build-fuzz/corpus tests/fuzz/corpus
