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
            share/doc/bruso/help.html share/doc/bruso/help_statistics.png share/doc/bruso/examples/small_shoe.txt \
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

cd "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(ls package/bruso_*.deb)
contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/bruso ./usr/bin/bruso-batch ./usr/share/applications/bruso.desktop \
            ./usr/share/doc/bruso/help.html ./usr/share/man/man1/bruso-batch.1; do
  grep -q " $file\$" <<<"$contents" || fail "the package does not hold $file"
done
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6svg6 qt6-qpa-plugins libstdc++6; do
  grep -q "\\b$package\\b" <<<"$depends" || fail "the package does not depend on $package: $depends"
done

[ "$failures" -eq 0 ] && echo "installed and packaged as expected"
exit "$failures"
