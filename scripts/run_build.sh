# Builds the programs as a Release build with warnings as errors into build/run; used by
# test.sh (every target) and run.sh (the two programs), so that ./run.sh after ./test.sh
# finds them built.
#   bruso_run_build [TARGET...]
bruso_run_build() {
  local targets=()
  [ $# -eq 0 ] || targets=(--target "$@")
  cmake -S . -B build/run -DBRUSO_WERROR=ON -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null &&
    cmake --build build/run -j2 "${targets[@]}"
}
