#!/usr/bin/env bash
# Runs every libFuzzer target for the given number of seconds each (default 30)
# from its seed corpus in fuzz/corpus/<target>/. The targets are built by
# scripts/sanitize.sh into build-san/ (or $QUELLIN_SAN_DIR); this builds them if
# needed. New inputs the fuzzer finds go to build-san/fuzz-corpus/, crashes to
# build-san/fuzz-crashes/. Long runs: bash scripts/fuzz.sh 3600
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
dir="${QUELLIN_SAN_DIR:-build-san}"
if [ ! -f "$dir/build.ninja" ]; then
  bash scripts/setup.sh
  CXX=clang++-14 cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
    -DQUELLIN_SANITIZE=ON -DQUELLIN_BUILD_FUZZ=ON -DQUELLIN_BUILD_BENCH=OFF >/dev/null
fi
targets=(fuzz_link fuzz_measured_line fuzz_data_file fuzz_download_line)
cmake --build "$dir" -j"$(nproc)" --target "${targets[@]}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
for t in "${targets[@]}"; do
  work="$dir/fuzz-corpus/$t"
  crashes="$dir/fuzz-crashes/$t"
  mkdir -p "$work" "$crashes"
  echo "fuzz: $t for ${seconds}s"
  "$dir/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
    -artifact_prefix="$crashes/" -print_final_stats=1 "$work" "fuzz/corpus/$t" 2>&1 |
    grep -E "^(stat::number_of_executed_units|#[0-9]+ +DONE)|ERROR|SUMMARY" || true
  if [ -n "$(ls -A "$crashes")" ]; then
    echo "fuzz: $t found inputs that fail, in $crashes" >&2
    exit 1
  fi
done
