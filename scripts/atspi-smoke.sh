#!/bin/bash
# Reads the running program through the real accessibility bus, as a screen reader (Orca)
# does: starts build/program/tokaido/ravolin on a copy of its program folder (so the
# settings it writes stay in a temporary folder) under a D-Bus session of its own, the
# AT-SPI bus and Xvfb, then scripts/atspi_smoke.py finds the board lines of the main window
# and, after pressing 新幹線検索, the named boxes of the search window.
#
#   scripts/atspi-smoke.sh           # the accessibility tree
#   scripts/atspi-smoke.sh --orca    # what the Orca screen reader says (scripts/orca_smoke.py)
#
# BUILD_DIR (default: build) is the build folder; the program must be built. Needs dbus
# (dbus-run-session), at-spi2-core, python3-pyatspi, xvfb and xauth, and orca for --orca
# (Orca runs without a speech server and logs what it says). Ends within about a minute
# (two with --orca), and every process it started ends with it.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}

if [ "${1:-}" != "--in-session" ]; then
  checker=atspi_smoke.py
  limit=60
  if [ "${1:-}" = "--orca" ]; then
    command -v orca >/dev/null || { echo "atspi-smoke: orca is not installed" >&2; exit 1; }
    checker=orca_smoke.py
    limit=120
  fi
  program=$build/program/tokaido
  if [ ! -x "$program/ravolin" ]; then
    echo "atspi-smoke: no program at $program/ravolin (build the ravolin target first)" >&2
    exit 1
  fi
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cp -r "$program" "$work/tokaido"
  mkdir -p "$work/home" "$work/runtime"
  chmod 700 "$work/runtime"
  status=0
  # The session bus goes with dbus-run-session; timeout ends a run that hangs.
  HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
    XDG_RUNTIME_DIR=$work/runtime \
    timeout -k 5 "$limit" dbus-run-session -- "$0" --in-session "$work/tokaido/ravolin" "$checker" ||
    status=$?
  [ "$status" -eq 124 ] && echo "atspi-smoke: gave up after $limit s" >&2
  exit "$status"
fi

# In the session: the accessibility bus first (Qt looks for it when it starts), started by
# the session bus on the first call and ended with it; then the program and its reader on a
# virtual screen.
ready=0
for _ in $(seq 50); do
  if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1; then
    ready=1
    break
  fi
  sleep 0.1
done
if [ "$ready" -ne 1 ]; then
  echo "atspi-smoke: no accessibility bus (is at-spi2-core installed?)" >&2
  exit 1
fi
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 "$here/scripts/$3" "$2"
