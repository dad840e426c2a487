#!/usr/bin/env bash
# Soak: one measurement run to the store limit against the virtual meter at a
# high line rate, with PC logging on. Samples the program's resident memory every
# five seconds and accounts for every measured-data line the meter sent: handled
# by the program (stored, or after the store was full), or dropped by the meter
# because nobody read it. Needs a build (scripts/build.sh).
#
#   bash bench/soak.sh [lines-per-second]      (default 250: about two minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
rate="${1:-250}"
build="${QUELLIN_BUILD_DIR:-build}"
sim="$build/tools/meter-sim/quellin-meter-sim"
host="$build/tests/e2e/e2e_program_host"
[ -x "$sim" ] && [ -x "$host" ] || { echo "soak: build first (scripts/build.sh)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'kill $simpid $hostpid 2>/dev/null || true; rm -rf "$work"' EXIT
"$sim" --version 2 --rate "$rate" --link "$work/tty" --log "$work/sim.log" >/dev/null &
simpid=$!
for _ in $(seq 50); do [ -e "$work/tty" ] && break; sleep 0.1; done

QUELLIN_HOME="$work" QUELLIN_COM1="$work/tty" QT_QPA_PLATFORM=offscreen \
  "$host" --measure 1 --log "$work/pc.csv" --until-full >"$work/host.out" &
hostpid=$!
start=$(date +%s)
echo "seconds rss_kb" >"$work/rss.txt"
while kill -0 "$hostpid" 2>/dev/null; do
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$hostpid/status" 2>/dev/null || true)
  [ -n "$rss" ] && echo "$(( $(date +%s) - start )) $rss" >>"$work/rss.txt"
  sleep 5
done
wait "$hostpid" || true
kill "$simpid" 2>/dev/null || true
wait "$simpid" 2>/dev/null || true

done_line=$(grep '^done' "$work/host.out" || true)
handled=$(sed -n 's/.*handled=\([0-9]*\).*/\1/p' <<<"$done_line")
stored=$(sed -n 's/.*stored=\([0-9]*\).*/\1/p' <<<"$done_line")
sent=$(grep -c '^TX RML' "$work/sim.log" || true)
dropped=$(grep -c '^DROP RML' "$work/sim.log" || true)
logged=$(( $(wc -l <"$work/pc.csv") - 3 ))
echo "soak: rate $rate lines/s, $(( $(date +%s) - start )) s"
echo "lines: meter sent $sent, dropped by the meter $dropped, handled by the program $handled,"
echo "       stored $stored, PC log lines $logged"
awk 'NR > 1 { print "rss: " $1 " s " $2 " kB" }' "$work/rss.txt" | sed -n '1p;$p'
awk 'NR > 1 && $1 >= 60 { if (!base) base = $2; last = $2; if ($2 > peak) peak = $2 }
     END { if (base) printf "rss after the first minute: %d kB, at the end %d kB, peak %d kB, growth %d kB\n", base, last, peak, last - base }' "$work/rss.txt"
if [ -z "$handled" ] || [ $(( sent - dropped )) -ne "$handled" ]; then
  echo "soak: lines not accounted for" >&2
  exit 1
fi
