#!/usr/bin/env bash
# Runs each fuzz target for SECONDS seconds (default 60) with libFuzzer under clang with
# AddressSanitizer and UndefinedBehaviourSanitizer, then merges the inputs that reach new
# code into the saved corpus in fuzz/corpus/<target>/, which CTest replays.
set -euo pipefail
cd "$(dirname "$0")"
seconds=${1:-60}
source scripts/packages.sh
bruso_install_packages clang libclang-rt-14-dev

# Debug keeps the assertions that guard the fixed buffers.
CXX=clang++ cmake -S . -B build/fuzz -DBRUSO_FUZZ=ON -DBRUSO_BUILD_UI=OFF -DBRUSO_WERROR=ON \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 >/dev/null
for saved in fuzz/corpus/*/; do
  name=$(basename "$saved")
  cmake --build build/fuzz -j2 --target "${name}_fuzz"
  work="build/fuzz/work/$name"
  findings="build/fuzz/findings/$name"
  mkdir -p "$work" "$findings"
  echo "== $name for $seconds s"
  "build/fuzz/fuzz/${name}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" "$saved"
  "build/fuzz/fuzz/${name}_fuzz" -merge=1 "$saved" "$work" 2>&1 | grep -E 'MERGE-OUTER: [0-9]+ new files' || true
done
