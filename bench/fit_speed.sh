#!/usr/bin/env bash
# Measures the fit rows of the README's speed section in one run, each next to the same
# work done by commit cbb611f (before the fit followed the gradient and stored its lines
# flat): builds build/bench (Release) and, unless BASE names its bruso-batch, that commit
# in the worktree build/fit-base; writes the data from fixed seeds; then times
#   1. fit of the four variants, --jobs 1, on 600,000 random lines (CPU and peak memory),
#      with the intervals and without them (--no-intervals: the work cbb611f's fit did);
#   2. the same on 600,000 lines that repeat (one short line per hand, 300 times);
#   3. the window's Fit Model on the shoe of 1, to the end and cancelled after 20 s;
#   4. recover on the every-deal shoe, 1 line per hand, R replicates (default 100) of the
#      four variants fitted four ways, without intervals, on one and two threads; cbb611f
#      does the same by simulate and fit, one data set at a time; then recover with the
#      intervals, on their own.
#   bench/fit_speed.sh [FOLDER]   (data and outputs in FOLDER, default build/bench/fit-data)
#   BASE=path/to/bruso-batch REPLICATES=25 bench/fit_speed.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bruso_install_packages
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build/bench -DBRUSO_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j2 --target bruso-batch make_fit_bench_data fit_window_memory >/dev/null
if [[ -z "${BASE:-}" ]]; then
  [[ -d build/fit-base ]] || git worktree add --detach build/fit-base cbb611f >/dev/null
  cmake -S build/fit-base -B build/fit-base/build -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/fit-base/build -j2 --target bruso-batch >/dev/null
  BASE=build/fit-base/build/tools/bruso-batch
fi
batch=build/bench/tools/bruso-batch
replicates=${REPLICATES:-100}
data=${1:-build/bench/fit-data}
mkdir -p "$data/out"
build/bench/bench/make_fit_bench_data "$data"
out=$data/out

# run NAME COMMAND...: the command's CPU time (user + system) and peak memory.
run() {
  local name=$1
  shift
  /usr/bin/time -f "  $name: %U s user, %S s system, %e s elapsed, peak %M KB" "$@" >"$out/$name.out" \
    2>"$out/$name.err" || { echo "  $name failed:"; tail -3 "$out/$name.err"; }
  tail -1 "$out/$name.err"
}

for shoe in fit_shoe repeated_shoe; do
  echo "== fit of the four variants, --jobs 1, $shoe.txt"
  run "base_$shoe" "$BASE" fit "$data/$shoe.txt" --jobs 1
  run "new_$shoe" "$batch" fit "$data/$shoe.txt" --jobs 1
  run "new_${shoe}_no_intervals" "$batch" fit "$data/$shoe.txt" --jobs 1 --no-intervals
  grep -h '^log-likelihood' "$out/base_$shoe.out" "$out/new_$shoe.out" "$out/new_${shoe}_no_intervals.out"
done

echo "== the window's Fit Model on fit_shoe.txt (compare the tool's peak above)"
build/bench/tests/ui/fit_window_memory "$data/fit_shoe.txt"
build/bench/tests/ui/fit_window_memory "$data/fit_shoe.txt" 20

echo "== recover: every-deal shoe, 1 line per hand, $replicates replicates x 4 generating x 4 fitted, no intervals"
shoe=examples/every_deal_shoe.txt
for jobs in 1 2; do
  run "recover_jobs$jobs" "$batch" recover "$shoe" --lines 1 --replicates "$replicates" --no-intervals --seed 1 \
    --jobs "$jobs"
done
cmp -s "$out/recover_jobs1.out" "$out/recover_jobs2.out" && echo "  the same summary on 1 and 2 threads"
# cbb611f: one simulated data set per replicate and generating variant, with true values
# drawn as recover draws them, then a fit of the four variants.
base_recovery() {
  local values
  for ((r = 0; r < replicates; r++)); do
    for variant in "0 0" "0 1" "1 0" "1 1"; do
      set -- $variant
      values=$(awk -v seed=$((r * 4 + $1 * 2 + $2 + 1)) 'BEGIN { srand(seed);
        for (k = 1; k <= 10; k++) printf "%s%.4f", (k > 1 ? "," : ""), 0.05 + 0.9 * rand();
        printf " %.4f", 0.01 + 0.19 * rand() }')
      "$BASE" simulate "$shoe" --lines 1 --conflict-mode "$1" --altruism "$2" --prob "${values% *}" \
        --lapse "${values#* }" --seed "$r" --out "$out/played.txt" 2>/dev/null
      "$BASE" fit "$out/played.txt" --jobs 1 >/dev/null 2>&1
    done
  done
}
export -f base_recovery
export BASE shoe replicates out
run base_recovery bash -c base_recovery
echo "== recover with the intervals of the generating variants' own fits, --jobs 1"
run recover_intervals "$batch" recover "$shoe" --lines 1 --replicates "$replicates" --seed 1 --jobs 1
