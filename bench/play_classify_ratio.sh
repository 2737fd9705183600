#!/usr/bin/env bash
# Times `bruso-batch play` and `bruso-batch classify` of this tree beside those of an older
# commit (cbb611f unless told), on the same data in the same run, and prints how many
# times as fast this tree is. Both runs of a pair must write the same bytes (the results
# files and standard output); a difference is reported and fails the script.
#   bench/play_classify_ratio.sh [BASE_BATCH]
# BASE_BATCH: a Release bruso-batch of the older commit. Without it, one is built in
# build/base-cbb611f from a git worktree of that commit (BRUSO_BASE_COMMIT overrides it).
# Each command runs REPEAT times (default 5) taking turns with the other build; the
# quickest CPU time (user + system) of each counts, as the machine may be busy.
set -euo pipefail
cd "$(dirname "$0")/.."
repeat=${REPEAT:-5}
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/bench -DBRUSO_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j2 --target bruso-batch make_bench_data >/dev/null
batch=build/bench/tools/bruso-batch

base=${1:-}
if [ -z "$base" ]; then
  commit=${BRUSO_BASE_COMMIT:-cbb611f}
  source_tree=build/base-$commit/source
  [ -d "$source_tree" ] || git worktree add --detach "$source_tree" "$commit" >/dev/null
  cmake -S "$source_tree" -B "build/base-$commit/build" -DCMAKE_BUILD_TYPE=Release -DBRUSO_BUILD_UI=OFF >/dev/null
  cmake --build "build/base-$commit/build" -j2 --target bruso-batch >/dev/null
  base=build/base-$commit/build/tools/bruso-batch
fi

data=build/bench/ratio-data
build/bench/bench/make_bench_data "$data"

# CPU seconds (user + system, to the millisecond) of one run of the command; its standard
# output to $out/stdout.
cpu_seconds() {
  local out=$1
  shift
  mkdir -p "$out"
  local TIMEFORMAT='%3U %3S'
  { time "$@" --out "$out" >"$out/stdout" 2>/dev/null; } 2>"$out/time"
  awk '{ printf "%.3f\n", $1 + $2 }' "$out/time"
}

# Runs the command with both builds in turn, checks that they wrote the same bytes, and
# prints the quickest times, the rates and their ratio.
compare() {
  local label=$1 units=$2 count=$3 files=$4
  shift 4
  local best_base=999999 best_new=999999 seconds file
  for ((run = 1; run <= repeat; ++run)); do
    seconds=$(cpu_seconds "$data/base" "$base" "$@")
    best_base=$(awk -v a="$best_base" -v b="$seconds" 'BEGIN { print (b < a ? b : a) }')
    seconds=$(cpu_seconds "$data/new" "$batch" "$@")
    best_new=$(awk -v a="$best_new" -v b="$seconds" 'BEGIN { print (b < a ? b : a) }')
  done
  for file in stdout $files; do
    if ! cmp -s "$data/base/$file" "$data/new/$file"; then
      echo "$label: $file differs from the older build's" >&2
      exit 1
    fi
  done
  awk -v label="$label" -v units="$units" -v n="$count" -v a="$best_base" -v b="$best_new" 'BEGIN {
    printf "%s\n  older: %.3f s CPU, %.0f %s/s\n  this:  %.3f s CPU, %.0f %s/s\n  ratio: %.2f\n",
           label, a, n / a, units, b, n / b, units, a / b }'
}

compare "bruso-batch play: 500 hands x 400 plays, 150 random rules per side" plays 200000 Automa.txt \
  play "$data/play_shoe.txt" --ck "$data/rules_ck.txt" --nk "$data/rules_nk.txt" --iterations 400 --seed 1
compare "bruso-batch classify: 200,000 hands, 2 replayed lines each, with the exact figures" lines 400000 Amik.txt \
  classify "$data/classify_shoe.txt" --seed 1
