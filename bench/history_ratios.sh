#!/usr/bin/env bash
# The data file's costs on ten years of five-minute records, each beside the
# cost of reading the same file with `wc -l` or `grep -c`, in one run:
#   bench/history_ratios.sh [BUILD_DIR]   (default: build)
# The files are generated once into $SKYVANE_BENCH_DIR (default
# /tmp/skyvane-bench-history) and reused. Times are the best of three runs,
# memory the peak resident size of the one process doing the work.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
dir=${SKYVANE_BENCH_DIR:-/tmp/skyvane-bench-history}
mkdir -p "$dir"
# A program of the build: benchmarks and generators live in bench/.
bin() { if [ -x "$build/bench/$1" ]; then echo "$build/bench/$1"; else echo "$build/$1"; fi; }
gen() { [ -s "$dir/$1" ] || "$(bin gen_history)" "$dir/$1" "$2" >/dev/null; }
gen tenyears.dat 3650
gen onemonth.dat 30
gen oneday.dat 1
# One program folder per file, its Skyvane.dat a link to the generated file.
home() {
  local h="$dir/home-${1%.dat}"
  mkdir -p "$h"
  ln -sf "$dir/$1" "$h/Skyvane.dat"
  echo "$h"
}
cli="$build/skyvane-cli"
last='2025-12-31 23:55:00'
month_from='2025-12-01 23:55:00'
first='2016-01-01 00:00:00'

timing=$(mktemp)
trap 'rm -f "$timing"' EXIT
# best SECONDS and peak KiB of a command over three runs: "S KIB"
measure() {
  local best="" peak=0
  for _ in 1 2 3; do
    /usr/bin/time -o "$timing" -f '%e %M' "$@" >/dev/null 2>&1 || true
    local out s k
    out=$(tail -1 "$timing")
    s=${out% *} k=${out#* }
    if [ -z "$best" ] || awk -v a="$s" -v b="$best" 'BEGIN{exit !(a<b)}'; then best=$s; fi
    [ "$k" -gt "$peak" ] && peak=$k
  done
  echo "$best $peak"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{ if (b <= 0) b = 0.01; printf "%.1f", a / b }'; }
mib() { awk -v k="$1" 'BEGIN{ printf "%.0f MiB", k / 1024 }'; }
row() { printf '| %-44s | %8s s | %9s | %s\n' "$1" "$2" "$3" "$4"; }

read -r wc _ < <(measure wc -l "$dir/tenyears.dat")
read -r grep _ < <(measure grep -c 2025-12 "$dir/tenyears.dat")
echo "wc -l ten years: $wc s; grep -c: $grep s"
echo "| measure | time | peak | ratio"

# LoadAll into the History table (the benchmark's own timing).
if [ -x "$(bin history_bench)" ]; then
  ms=$("$(bin history_bench)" --benchmark_filter='BM_LoadAll/1$' --benchmark_format=csv 2>/dev/null |
    awk -F, '/BM_LoadAll\/1/ { print $3 / 1000 }')
  row "LoadAll ten years" "$ms" "-" "$(ratio "$ms" "$wc")x wc -l"
fi

h10=$(home tenyears.dat)
h1=$(home onemonth.dat)
read -r s k < <(measure "$cli" --folder "$h10" history --from "$month_from" --to "$last")
read -r s1 _ < <(measure "$cli" --folder "$h1" history --from "$month_from" --to "$last")
row "history one month (ten-year file)" "$s" "$(mib "$k")" "$(ratio "$s" "$s1")x one-month file, $(ratio "$s" "$grep")x grep -c"
read -r s k < <(measure "$cli" --folder "$h10" history --from "$first" --to "$last")
row "history ten years" "$s" "$(mib "$k")" "$(ratio "$s" "$wc")x wc -l"
read -r s k < <(measure "$cli" --folder "$h10" export --from "$first" --to "$last")
row "export ten years" "$s" "$(mib "$k")" "$(ratio "$s" "$wc")x wc -l"

# /api/records from `serve`: the time of the answer, the server's peak.
serve_port() { awk -v b=$((20000 + RANDOM % 20000)) 'BEGIN{print b}'; }
fetch_best() {
  local best=""
  for _ in 1 2 3; do
    local t
    t=$(curl -s -o /dev/null -w '%{time_total}' "$1")
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN{exit !(a<b)}'; then best=$t; fi
  done
  echo "$best"
}
with_server() {  # HOME_DIR then calls "query label" pairs; prints rows
  local h=$1 port pid
  port=$(serve_port)
  "$cli" --folder "$h" serve --http "127.0.0.1:$port" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 50); do curl -s -o /dev/null "http://127.0.0.1:$port/api/records?from=2025-12-31" && break; sleep 0.1; done
  shift
  while [ $# -gt 0 ]; do
    local t
    t=$(fetch_best "http://127.0.0.1:$port/api/records?$1")
    echo "$2 $t $(awk '/VmHWM/ {print $2}' "/proc/$pid/status")"
    shift 2
  done
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
day="from=2025-12-31&to=2025-12-31T23:59:59"
mon="from=2025-12-01T23:55:00&to=2025-12-31T23:59:59"
all="from=2016-01-01&to=2025-12-31T23:59:59"
declare -A r
while read -r label t k; do r[$label]="$t $k"; done < <(
  with_server "$h10" "$day" day10 "$mon" month10 "$all" json10 "$all&format=csv" csv10
  with_server "$(home oneday.dat)" "$day" day1
  with_server "$h1" "$mon" month1)
read -r t k <<<"${r[day10]}"; read -r t1 _ <<<"${r[day1]}"
row "/api/records one day" "$t" "$(mib "$k")" "$(ratio "$t" "$t1")x one-day file"
read -r t k <<<"${r[month10]}"; read -r t1 _ <<<"${r[month1]}"
row "/api/records one month" "$t" "$(mib "$k")" "$(ratio "$t" "$t1")x one-month file"
read -r t k <<<"${r[json10]}"
row "/api/records ten years JSON" "$t" "$(mib "$k")" "$(ratio "$t" "$wc")x wc -l"
read -r t k <<<"${r[csv10]}"
row "/api/records ten years CSV" "$t" "$(mib "$k")" "$(ratio "$t" "$wc")x wc -l"
