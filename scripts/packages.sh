# Installs the Debian packages that Bruso needs to build, test and run; used by test.sh
# and run.sh. Only what is missing is installed, through sudo when not root. Besides the
# compilers and libraries: the Python packages of the module's data frames, plots and
# cluster examples, `file` (cpack needs it to make the Debian package) and `man` (for the
# README's `man bruso-batch`).

BRUSO_PACKAGES=(
  cmake g++ make pkg-config dpkg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev
  qt6-charts-dev libqt6opengl6-dev
  xvfb xauth
  fonts-dejavu-core fonts-liberation2
  libnlopt-cxx-dev libabsl-dev
  pybind11-dev python3-dev python3-pytest
  python3-numpy python3-pandas python3-matplotlib python3-distributed
  file man-db
)

bruso_install_packages() {
  local missing=()
  local package
  for package in "${BRUSO_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
