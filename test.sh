#!/usr/bin/env bash
# Installs what Bruso needs, builds everything with warnings as errors, runs every test
# (the windows offscreen), builds the programs once more as a Release build with warnings
# as errors into build/run (where ./run.sh finds them), then builds and runs the core tests
# again under AddressSanitizer and UndefinedBehaviourSanitizer. Every stage runs even when one before it failed; the last
# line sums up the tests of both test stages (`N passed, N failed, N skipped`), a build that
# failed counting as one failure, and the exit status is 1 when anything failed.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
source scripts/run_build.sh
bruso_install_packages

jobs=2
export QT_QPA_PLATFORM=offscreen
passed=0
skipped=0
failed=0
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

# build_failed WHAT: a build that failed counts as one failure.
build_failed() {
  echo "FAILED: $1"
  failed=$((failed + 1))
}

# run_tests BUILD_DIR: runs the build's tests and adds ctest's counts to the totals.
run_tests() {
  local log="$logs/$(basename "$1").log"
  ctest --test-dir "$1" -j"$jobs" --output-on-failure 2>&1 | tee "$log" || true
  local summary
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+$' "$log" | tail -1)
  if [ -z "$summary" ]; then
    build_failed "no test of $1 ran"
    return
  fi
  local failures total
  failures=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")
  total=$(sed -E 's/.* out of ([0-9]+)$/\1/' <<<"$summary")
  # ctest counts a test that did not run (a long test skipped under the sanitizers, a
  # disabled one) among the passed ones.
  local skips
  skips=$(grep -cE '\((Skipped|Disabled)\)$' "$log" || true)
  passed=$((passed + total - failures - skips))
  skipped=$((skipped + skips))
  failed=$((failed + failures))
}

echo "== Build and test"
if cmake -S . -B build/test -DBRUSO_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
   cmake --build build/test -j"$jobs"; then
  run_tests build/test
else
  build_failed "the build in build/test"
fi

echo "== Release build with warnings as errors (the build that ./run.sh starts)"
if ! bruso_run_build; then
  build_failed "the Release build in build/run"
fi

echo "== Core tests under AddressSanitizer and UndefinedBehaviourSanitizer"
if cmake -S . -B build/sanitize -DBRUSO_WERROR=ON -DBRUSO_SANITIZE=ON -DBRUSO_BUILD_UI=OFF \
     -DCMAKE_BUILD_TYPE=Debug &&
   cmake --build build/sanitize -j"$jobs"; then
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_tests build/sanitize
else
  build_failed "the sanitizer build in build/sanitize"
fi

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
