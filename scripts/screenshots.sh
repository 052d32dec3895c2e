#!/bin/bash
# Writes the pictures of the windows (docs/screenshots by default): builds the screenshots
# program if needed and runs it offscreen, on the delivered data and a fixed clock.
#
#   scripts/screenshots.sh [--dark] [OUT_DIR]
#
# --dark writes the pictures of a dark desktop instead (main-dark.png, diagram-dark.png).
#
# A picture whose pixels did not change leaves its file as it is, so `git status` shows
# only the pictures that really changed. BUILD_DIR (default: build) is the build folder;
# one that is not configured yet is configured with the project's defaults. Needs
# pdftoppm (poppler-utils) for the printed page.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
dark=()
if [ "${1:-}" = --dark ]; then
  dark=(--dark)
  shift
fi
out=${1:-$here/docs/screenshots}
build=${BUILD_DIR:-$here/build}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target screenshots

mkdir -p "$out"
# The offscreen platform draws the same pixels on every machine with the same fonts; a
# runtime folder of its own keeps Qt quiet about a missing one.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime "$build/screenshots" "${dark[@]}" "$out"
