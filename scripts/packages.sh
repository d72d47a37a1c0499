# Installs, with apt-get, the Debian packages of the given groups that are missing.
# Sourced by start.sh and test.sh; as root it installs directly, otherwise through sudo.

lumivane_packages_build="cmake ninja-build g++ pkg-config qt6-base-dev fonts-liberation
  libspng-dev libjpeg62-turbo-dev libgif-dev libcli11-dev"
lumivane_packages_test="libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  gcc-avr avr-libc binutils-avr xxd simavr libsimavr-dev xbitmaps
  g++-mingw-w64-x86-64-posix dpkg-dev lintian desktop-file-utils appstream"
lumivane_packages_web="emscripten node-acorn nodejs chromium libstb-dev python3"
# Only where nodejs comes without npm (Debian's own).
lumivane_packages_npm="npm"
lumivane_packages_screenshot="xvfb xauth imagemagick"
lumivane_packages_x11="openbox xdotool x11-utils"

ensure_packages() {
  local wanted="" group missing=() pkg
  for group in "$@"; do
    local var="lumivane_packages_${group}"
    wanted="$wanted ${!var}"
  done
  for pkg in $wanted; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local run=()
  [ "$(id -u)" -ne 0 ] && run=(sudo)
  "${run[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${run[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}
