#!/usr/bin/env bash
# Sets up the machine, builds, starts the virtual meter on a pseudo-terminal and
# the program connected to it (port 1), with a private data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build_dir="${QUELLIN_BUILD_DIR:-build}"
export QUELLIN_HOME="${QUELLIN_HOME:-$PWD/$build_dir/demo-home}"
mkdir -p "$QUELLIN_HOME"
# A first demo shows active power on a kilowatt scale and the energy in Wh.
if [ ! -f "$QUELLIN_HOME/Quellin.ini" ]; then
  if [ "${METER_VERSION:-2}" = 1 ]; then scales=000000000300000001; else scales=0000000003000000010000000000; fi
  printf '[Tarvo]\nGraphYKizami=%s\n' "$scales" > "$QUELLIN_HOME/Quellin.ini"
fi
link="$QUELLIN_HOME/meter-tty"
"$build_dir/tools/meter-sim/quellin-meter-sim" --link "$link" --version "${METER_VERSION:-2}" &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
export QUELLIN_COM1="$link"
"$build_dir/quellin" "$@"
