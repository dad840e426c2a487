#!/usr/bin/env bash
# Configures and builds everything into build/ (or $QUELLIN_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${QUELLIN_BUILD_DIR:-build}"
if [ ! -f "$build_dir/build.ninja" ]; then
  # QUELLIN_QUICK_BUILD=1 (CI): -O1, no debug information and no
  # benchmarks, for a third less compile time; the benchmarks' figures come
  # from the default build.
  flags=()
  if [ "${QUELLIN_QUICK_BUILD:-0}" = 1 ]; then
    flags+=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -DNDEBUG" -DQUELLIN_BUILD_BENCH=OFF)
  fi
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${flags[@]}" >/dev/null
fi
cmake --build "$build_dir" -j"$(nproc)"
