#!/usr/bin/env bash
# Installs what the build needs, configures, builds and runs every test. (dbus, at-spi2-core,
# python3-pyatspi and orca are for scripts/atspi-smoke.sh, which .ci/run runs after the tests.)
set -euo pipefail
cd "$(dirname "$0")"

need=()
for pkg in cmake g++ ninja-build pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev \
           fonts-ipafont-gothic xvfb xauth poppler-utils locales clang libclang-rt-14-dev \
           qt6-l10n-tools dbus at-spi2-core python3-pyatspi orca; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}"
fi

# One locale with a decimal comma, so that the test of locale-independent number reading runs.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 >/dev/null 2>&1 || echo "note: no de_DE.UTF-8 locale; one settings test will be skipped"
fi

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVOLIN_WERROR=ON
cmake --build "$BUILD_DIR" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)"
