#!/usr/bin/env bash
# Fuzzes for the given number of seconds (default 600), in a clang build of its own (build-fuzz): the number
# text, or with a second argument "calculation-file" the calculation file reader. New inputs collect in
# build-fuzz/corpus-<target>; an input that breaks a check is saved as build-fuzz/crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
target=${2:-number-text}
case $target in
  number-text) program=number_text_fuzz; seeds=(tests/fuzz/corpus); options=(-dict=tests/fuzz/number_text.dict) ;;
  calculation-file) program=calculation_file_fuzz; seeds=(tests/fuzz/calculation_corpus); options=() ;;
  *) echo "unknown fuzz target: $target (number-text or calculation-file)" >&2; exit 2 ;;
esac
scripts/install-dependencies.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DORTIX_FUZZ=ON
cmake --build build-fuzz
mkdir -p "build-fuzz/corpus-$target"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
  "build-fuzz/tests/fuzz/$program" -max_total_time="$seconds" -print_final_stats=1 "${options[@]}" \
  -artifact_prefix=build-fuzz/ "build-fuzz/corpus-$target" "${seeds[@]}"
