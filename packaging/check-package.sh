#!/usr/bin/env bash
# Builds the Debian package and checks it on this machine, as root (it installs and removes
# the package): lintian, each desktop entry started under Xvfb with a screenshot, the user's
# files written under a scratch $HOME and nothing written under /usr, and removal leaving
# none of the package's files behind.
#   packaging/check-package.sh [SCREENSHOT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
shots=${1:-}
BUILD_DIR=${BUILD_DIR:-build-pkg}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DRAVOLIN_BUILD_TESTS=OFF -DRAVOLIN_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
(cd "$BUILD_DIR" && rm -f ravolin_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD_DIR"/ravolin_*.deb)
echo "== $deb"

echo "== lintian"
lintian "$deb" 2>&1 | grep -v '^running with root' || true
if lintian "$deb" 2>/dev/null | grep -q '^E:'; then echo "FAIL: lintian errors"; exit 1; fi

echo "== install"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
mapfile -t files < <(dpkg -L ravolin)
stamp=$(mktemp)
work=$(mktemp -d)
export HOME=$work/home
unset XDG_CONFIG_HOME
mkdir -p "$HOME"
ravolin --version
for ed in tokaido tohoku joetsu; do
  cmd=$(sed -n 's/^Exec=//p' /usr/share/applications/ravolin-$ed.desktop)
  echo "== $ed: $cmd"
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    '"$cmd"' >/dev/null 2>&1 & pid=$!
    sleep 8
    win=$(xdotool search --onlyvisible --pid $pid | head -1)
    if [ -n "'"$shots"'" ]; then import -window "$win" "'"$shots"'/installed_'"$ed"'.png"; fi
    xdotool windowfocus --sync "$win" key Escape
    for i in $(seq 1 20); do kill -0 $pid 2>/dev/null || break; sleep 0.5; done
    kill -0 $pid 2>/dev/null && { echo "FAIL: still running"; kill $pid; }
    wait $pid'
done
echo "== user files"
find "$HOME" -type f -newer "$stamp" | sort
for ini in tokaido/ravolin2.ini tohoku/ravolin3.ini joetsu/ravolin4.ini; do
  [ -f "$HOME/.config/ravolin/$ini" ] || { echo "FAIL: no $ini in the user folder"; exit 1; }
done
written=$(find /usr -xdev -newer "$stamp" -type f 2>/dev/null | head || true)
[ -z "$written" ] || { echo "FAIL: written under /usr:"; echo "$written"; exit 1; }
dpkg --verify ravolin && echo "installed files unchanged"

echo "== remove"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq ravolin >/dev/null
left=0
for f in "${files[@]}"; do
  if [ -f "$f" ] || [ -L "$f" ] || { [ -d "$f" ] && [[ "$f" == */ravolin* ]]; }; then
    echo "left behind: $f"; left=1
  fi
done
rm -rf "$work" "$stamp"
[ $left -eq 0 ] && echo "every installed file removed" || exit 1
