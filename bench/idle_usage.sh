#!/usr/bin/env bash
# Starts the program under the test display and sound server, lets it settle
# after start-up, then reports its CPU use while idle and its peak memory.
# Usage: bench/idle_usage.sh path/to/sorvane [idle seconds] [settle seconds]
set -euo pipefail
program=${1:?path to sorvane}
idle=${2:-10}
settle=${3:-6}
cd "$(dirname "$0")/.."
source scripts/test-services
start_test_services
trap stop_test_services EXIT

"$program" &
pid=$!
sleep "$settle"  # the splash's three seconds and the main window's loading
ticks=$(getconf CLK_TCK)
read -r before < <(awk '{print $14 + $15}' "/proc/$pid/stat")
sleep "$idle"
read -r after < <(awk '{print $14 + $15}' "/proc/$pid/stat")
peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
kill "$pid"
awk -v b="$before" -v a="$after" -v t="$ticks" -v s="$idle" -v p="$peak" \
  'BEGIN { printf "idle CPU: %.2f%% of one core over %ds\npeak resident memory: %.1f MB\n", (a-b)/t/s*100, s, p/1024 }'
