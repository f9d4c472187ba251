#!/usr/bin/env bash
# The clock running idle on a private X server, side by side with `xclock
# -update 1` and a minimal Qt 6 clock (minimal_qt_clock): CPU seconds per
# minute, context switches per second, steady RSS, and the time from exec to
# the window being mapped.
# usage: bench/clock_idle.sh [BUILD_DIR] [SECONDS]   (defaults: build, 60)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
secs=${2:-60}
. "$top/scripts/lib/xserver.sh"

work=$(mktemp -d)
trap 'kiv_stop_tracked; kiv_stop_x; rm -rf "$work"' EXIT

kiv_start_xvfb
kiv_start_openbox
export DISPLAY=$KIV_DISPLAY

# Starts a program and prints "PID MILLISECONDS" once a visible window of the
# given instance name exists.
start_timed() {
  local name=$1 t0 t1 pid i
  shift
  t0=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  for i in $(seq 1 2000); do
    if [ -n "$(xdotool search --onlyvisible --classname "^$name\$" 2>/dev/null)" ]; then
      t1=$(date +%s%N)
      echo "$pid $(( (t1 - t0) / 1000000 ))"
      return 0
    fi
    sleep 0.005
  done
  echo "$name did not show a window" >&2
  return 1
}

cp "$build/src/clock/kivclock" "$work/kivclock"
read -r clock_pid clock_ms < <(cd "$work" && start_timed kivclock ./kivclock)
KIV_PIDS+=("$clock_pid")
read -r xclock_pid xclock_ms < <(start_timed xclock xclock -update 1 -geometry 88x88+100+100)
KIV_PIDS+=("$xclock_pid")
read -r qt_pid qt_ms < <(start_timed minimal_qt_clock "$build/bench/minimal_qt_clock")
KIV_PIDS+=("$qt_pid")

sleep 5 # past start-up
# CPU time in nanoseconds over all threads (/proc/PID/stat counts in 10 ms steps).
cpu() { cat /proc/"$1"/task/*/schedstat | awk '{ n += $1 } END { printf "%.0f\n", n }'; }
ctx() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ { n += $2 } END { print n }'; }
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }
declare -A cpu0 ctx0
for p in "${KIV_PIDS[@]}"; do cpu0[$p]=$(cpu "$p"); ctx0[$p]=$(ctx "$p"); done
sleep "$secs"

printf '%-18s %14s %14s %10s %12s\n' program "CPU s/minute" "switches/s" "RSS MB" "mapped ms"
row() {
  local name=$1 p=$2 ms=$3
  awk -v n="$name" -v c0="${cpu0[$p]}" -v c1="$(cpu "$p")" -v x0="${ctx0[$p]}" -v x1="$(ctx "$p")" \
      -v r="$(rss "$p")" -v ms="$ms" -v s="$secs" \
      'BEGIN { printf "%-18s %14.3f %14.2f %10.1f %12d\n", n, (c1 - c0) / 1e9 * 60 / s, (x1 - x0) / s, r / 1024, ms }'
}
row kivclock "$clock_pid" "$clock_ms"
row "xclock -update 1" "$xclock_pid" "$xclock_ms"
row minimal_qt_clock "$qt_pid" "$qt_ms"
