#!/usr/bin/env bash
# Measures every row of the README's speed section on this machine: builds build/bench
# (Release), writes the data from fixed seeds, times bruso-batch on them, then runs
# play_benchmark and ui_benchmarks (the window offscreen). Each figure comes with the
# straightforward version it is compared with, measured in the same run.
#   bench/speed.sh [FOLDER]     (data and outputs go to FOLDER, default build/bench/data)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bruso_install_packages
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build/bench -DBRUSO_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j2 --target bruso-batch make_bench_data play_benchmark ui_benchmarks >/dev/null

data=${1:-build/bench/data}
batch=build/bench/tools/bruso-batch
build/bench/bench/make_bench_data "$data"
mkdir -p "$data/out"
TIMEFORMAT='  %R s elapsed, %U s user, %S s system'

echo "== bruso-batch play: 500 hands x 400 plays, 150 random rules per side"
time "$batch" play "$data/play_shoe.txt" --ck "$data/rules_ck.txt" --nk "$data/rules_nk.txt" \
  --iterations 400 --seed 1 --out "$data/out" >"$data/out/play_window.txt" 2>"$data/out/play_summary.txt"
grep 'plays per second' "$data/out/play_summary.txt"

echo "== bruso-batch classify: 200,000 hands of 3 move lines (400,000 replayed)"
time "$batch" classify "$data/classify_shoe.txt" --seed 1 --out "$data/out" >"$data/out/classify_window.txt" 2>/dev/null

echo "== bruso-batch classify and play x10 on the window's 100,000 hands (compare ui_benchmarks)"
time "$batch" classify "$data/window_shoe.txt" --seed 1 --out "$data/out" >/dev/null 2>&1
time "$batch" play "$data/window_shoe.txt" --ck examples/rules_ck.txt --nk examples/rules_nk.txt \
  --iterations 10 --seed 1 --out "$data/out" >/dev/null 2>&1

echo "== play_benchmark"
build/bench/bench/play_benchmark
echo "== ui_benchmarks"
build/bench/tests/ui/ui_benchmarks
