#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds in Release mode, then either
# starts the editor (run) or runs the whole test suite headless (test).
# Usage: bash scripts/setup.sh run [ROLL-FILE] | test | package
# (package: builds the Debian package build-package/velmat_VERSION_amd64.deb)
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
case "$mode" in
  run|test|package) shift ;;
  *) echo "usage: bash scripts/setup.sh run [ROLL-FILE] | test | package" >&2; exit 2 ;;
esac

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins
  qt6-translations-l10n
  libx11-dev libxtst-dev libicu-dev
  chasen ipadic mecab mecab-ipadic-utf8
  fonts-ipafont-gothic fonts-ipafont-mincho
  poppler-utils unzip zlib1g-dev
  xvfb xauth openbox
  # Sending into programs under Wine: the bridge is cross-built with mingw-w64
  # and its test runs Wine's notepad.
  wine g++-mingw-w64-x86-64-posix
)
# dpkg-shlibdeps finds the package's library dependencies.
[ "$mode" = package ] && packages+=(dpkg-dev file)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# ccache, where present, makes rebuilds of the two build trees cheap.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

if [ "$mode" = package ]; then
  # A build of its own without tests and benchmarks: only what is installed.
  pkg=${VELMAT_PACKAGE_DIR:-build-package}
  [ -f "$pkg/CMakeCache.txt" ] || \
    cmake -S . -B "$pkg" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVELMAT_BENCHMARKS=OFF "${launcher[@]}"
  cmake --build "$pkg" --target package
  exit 0
fi

build=${VELMAT_BUILD_DIR:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}"
cmake --build "$build"

if [ "$mode" = run ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: start the editor from a desktop session (DISPLAY is not set)." >&2
    exit 1
  fi
  exec "$build/app/velmat" "$@"
fi

# Tests run headless; those that talk to other X11 windows get their own Xvfb.
export QT_QPA_PLATFORM=offscreen
run_tests() {
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$1" --output-on-failure -j "$(nproc)"
}
run_tests "$build"

# The same tests once more under AddressSanitizer and UBSan, so memory errors
# and undefined behaviour stay at zero. VELMAT_SANITIZE=0 skips this pass.
if [ "${VELMAT_SANITIZE:-1}" != 0 ]; then
  sanitize=${VELMAT_SANITIZE_BUILD_DIR:-build-sanitize}
  [ -f "$sanitize/CMakeCache.txt" ] || \
    cmake -S . -B "$sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMAT_SANITIZE=ON "${launcher[@]}"
  cmake --build "$sanitize"
  run_tests "$sanitize"
fi
