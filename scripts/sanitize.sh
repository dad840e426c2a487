#!/usr/bin/env bash
# Builds the program, the tests and the fuzz targets with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer into build-san/ (or $QUELLIN_SAN_DIR) and runs
# the whole test suite there: any sanitizer report fails the test it came from.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir="${QUELLIN_SAN_DIR:-build-san}"
if [ ! -f "$dir/build.ninja" ]; then
  # No benchmarks here (their speed under the sanitizers says nothing); the fuzz
  # targets share this tree, so that one clang build serves both.
  CXX=clang++-14 cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
    -DQUELLIN_SANITIZE=ON -DQUELLIN_BUILD_FUZZ=ON -DQUELLIN_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$dir" -j"$(nproc)"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# Qt keeps some allocations until exit on purpose: leaks are not looked for here.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
cd "$dir"
ctest --output-on-failure -j"$(nproc)" --timeout 600
