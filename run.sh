#!/usr/bin/env bash
# Builds the program and starts it from its program folder with the delivered data.
#   ./run.sh            東海道・山陽新幹線 (edition 1)
#   ./run.sh tohoku     東北・山形・秋田新幹線 (edition 2)
#   ./run.sh joetsu     上越・長野行新幹線 (edition 3)
set -euo pipefail
cd "$(dirname "$0")"
edition=${1:-tokaido}
case "$edition" in
  tokaido|tohoku|joetsu) ;;
  *) echo "usage: $0 [tokaido|tohoku|joetsu]" >&2; exit 2 ;;
esac

need=()
for pkg in cmake g++ ninja-build pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev \
           fonts-ipafont-gothic qt6-l10n-tools; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}"
fi

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)" --target ravolin delivered_data default_settings
cd "$BUILD_DIR/program/$edition"
exec ./ravolin
