#!/usr/bin/env bash
# install_test.sh BUILD_DIR: installs the build into a temporary prefix and checks that every
# file lands where a desktop and man look for it; then makes the Debian package and checks
# what it holds and depends on.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
cd "$work/prefix"
for file in bin/bruso bin/bruso-batch share/man/man1/bruso-batch.1 \
            share/applications/bruso.desktop share/icons/hicolor/scalable/apps/bruso.svg \
            share/doc/bruso/help.html share/doc/bruso/help_statistics.png share/doc/bruso/help_fit_weights.png \
            share/doc/bruso/help_recovery.png share/doc/bruso/help_check.png share/doc/bruso/help_participants.png \
            share/doc/bruso/examples/small_shoe.txt \
            share/doc/bruso/examples/rules_ck.txt share/doc/bruso/examples/rules_nk.txt; do
  [ -s "$file" ] || fail "$file is not installed"
done
for program in bin/bruso bin/bruso-batch; do
  [ -x "$program" ] || fail "$program cannot be run"
done
[ "$(bin/bruso-batch --version)" = "bruso-batch $(sed -n 's/^.TH .* "Bruso \([^"]*\)".*/\1/p' share/man/man1/bruso-batch.1)" ] ||
  fail "the version of bruso-batch and of its manual page differ"

desktop=share/applications/bruso.desktop
grep -qx 'Type=Application' "$desktop" || fail "the desktop entry is no application"
grep -qx 'Icon=bruso' "$desktop" || fail "the desktop entry names another icon than bruso.svg"
grep -q '^Exec=.*exec bruso"$' "$desktop" || fail "the desktop entry does not start bruso"

# The Python module, where it was built, lands where Debian's python3 looks below the prefix.
python_site=""
if [ -d "$build/python/bruso" ]; then
  python_site=$(/usr/bin/python3 -c 'import sys; print("lib/python%d.%d/dist-packages" % sys.version_info[:2])')
  [ -s "$python_site/bruso/__init__.py" ] || fail "the Python module is not in $python_site"
  PYTHONPATH="$work/prefix/$python_site" /usr/bin/python3 -c 'import bruso' ||
    fail "the installed Python module does not import"
fi

cd "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(ls package/bruso_*.deb)
contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/bruso ./usr/bin/bruso-batch ./usr/share/applications/bruso.desktop \
            ./usr/share/doc/bruso/help.html ./usr/share/man/man1/bruso-batch.1; do
  grep -q " $file\$" <<<"$contents" || fail "the package does not hold $file"
done
if [ -n "$python_site" ]; then
  grep -q " ./usr/$python_site/bruso/__init__.py\$" <<<"$contents" || fail "the package does not hold the Python module"
fi
depends=$(dpkg-deb -f "$deb" Depends)
packages="libqt6widgets6 libqt6svg6 qt6-qpa-plugins libstdc++6"
[ -z "$python_site" ] || packages+=" python3"
for package in $packages; do
  grep -q "\\b$package\\b" <<<"$depends" || fail "the package does not depend on $package: $depends"
done

[ "$failures" -eq 0 ] && echo "installed and packaged as expected"
exit "$failures"
