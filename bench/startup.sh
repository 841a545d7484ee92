#!/bin/bash
# Times the program from launch to the first painted chart wheel, several runs on one virtual
# display, and prints each run and the median in milliseconds.
#   bench/startup.sh [RUNS] [PROGRAM]
set -euo pipefail
runs=${1:-7}
program=${2:-"$(dirname "$0")/../build/bin/kyr"}
display=:97
Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
sleep 1
times=()
for ((i = 1; i <= runs; ++i)); do
    start=$(date +%s%N)
    DISPLAY=$display KYR_EXIT_AFTER_FIRST_PAINT=1 "$program" >/dev/null 2>&1
    end=$(date +%s%N)
    ms=$(((end - start) / 1000000))
    times+=("$ms")
    echo "run $i: $ms ms"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "median of $runs runs: $median ms from launch to the first painted wheel"
