#!/usr/bin/env bash
# Builds Bruso and starts it in the start directory run/: there it finds help.html, the
# output folder outputFile/ and the example shoes and rules files.
#   ./run.sh               with a display
#   xvfb-run -a ./run.sh   without one (a virtual display)
set -euo pipefail
cd "$(dirname "$0")"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Bruso is a windowed program and there is no display (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  echo "Start it on a virtual display instead:  xvfb-run -a ./run.sh" >&2
  exit 1
fi

source scripts/packages.sh
bruso_install_packages

echo "== Build"
cmake -S . -B build/run -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build build/run -j2 --target bruso

echo "== Start directory run/"
mkdir -p run/outputFile
cp ui/help.html run/
if [ -d examples ]; then
  cp -R examples/. run/
fi

cd run
exec ../build/run/ui/bruso "$@"
