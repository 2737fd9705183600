#!/usr/bin/env bash
# Builds Bruso and starts it in the start directory run/: there it finds help.html, the
# output folder outputFile/ and the example shoes and rules files.
#   ./run.sh                     with a display
#   ./run.sh --virtual-display   on a virtual display (xvfb-run, which it installs first)
# With no display at all it says so, then runs the batch commands of bruso-batch on the
# example shoe and rules instead and shows their summaries.
set -euo pipefail
cd "$(dirname "$0")"
virtual_display=0
if [ "${1:-}" = "--virtual-display" ]; then
  virtual_display=1
  shift
fi

source scripts/packages.sh
source scripts/run_build.sh
bruso_install_packages

echo "== Build"
bruso_run_build bruso bruso-batch

echo "== Start directory run/"
mkdir -p run/outputFile
cp ui/help.html ui/help_statistics.png ui/help_fit_weights.png ui/help_recovery.png ui/help_check.png \
   ui/help_participants.png run/
# An example is copied only when run/ lacks it: a researcher's edited copy stays.
for example in examples/*; do
  copy="run/$(basename "$example")"
  if [ ! -e "$copy" ]; then
    cp "$example" "$copy"
  elif ! cmp -s "$example" "$copy"; then
    echo "kept $copy (it differs from $example)"
  fi
done

cd run
if [ "$virtual_display" -eq 1 ]; then
  exec xvfb-run -a -s "-screen 0 1600x1000x24" ../build/run/ui/bruso "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo
  echo "Bruso is a windowed program and there is no display (DISPLAY and WAYLAND_DISPLAY are unset)."
  echo "To start the window on a virtual display:  ./run.sh --virtual-display"
  echo "Meanwhile, the batch commands on the example shoe and rules, without a window:"
  echo
  echo "== bruso-batch play small_shoe.txt --ck rules_ck.txt --nk rules_nk.txt --iterations 100"
  ../build/run/tools/bruso-batch play small_shoe.txt --ck rules_ck.txt --nk rules_nk.txt \
    --iterations 100 --out outputFile >outputFile/play-output.txt
  echo
  echo "== bruso-batch classify small_shoe.txt"
  ../build/run/tools/bruso-batch classify small_shoe.txt --out outputFile \
    --memo outputFile/classify-memo.txt --csv outputFile/classify.csv >outputFile/classify-output.txt
  echo
  echo "The files are in $(pwd)/outputFile:"
  echo "  Automa.txt (one line of moves per play), Amik.txt (boards and replayed lines),"
  echo "  play-output.txt and classify-output.txt (the output window's lines),"
  echo "  classify-memo.txt (the replay with the model's trace), classify.csv (one row per line)."
  exit 0
fi
exec ../build/run/ui/bruso "$@"
