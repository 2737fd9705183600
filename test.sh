#!/usr/bin/env bash
# Installs what Bruso needs, builds everything with warnings as errors, runs every test
# (the windows offscreen), then builds and runs the core tests again under
# AddressSanitizer and UndefinedBehaviourSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
bruso_install_packages

jobs=2
export QT_QPA_PLATFORM=offscreen

echo "== Build and test"
cmake -S . -B build/test -DBRUSO_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test -j"$jobs"
ctest --test-dir build/test -j"$jobs" --output-on-failure

echo "== Core tests under AddressSanitizer and UndefinedBehaviourSanitizer"
cmake -S . -B build/sanitize -DBRUSO_WERROR=ON -DBRUSO_SANITIZE=ON -DBRUSO_BUILD_UI=OFF \
  -DCMAKE_BUILD_TYPE=Debug
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize -j"$jobs" --output-on-failure
