#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package with the distribution's build flags and checks it on this
# machine, as root (it installs and removes the package):
#   - lintian -I --pedantic shows nothing but the tag of a first upload;
#   - the AppStream metadata and the desktop entries validate cleanly;
#   - the programs are hardened (bind now, fortified, stack protector) and carry no .comment;
#   - the package's files are root's, 0755 for folders and programs, 0644 for the rest;
#   - each desktop entry, started under Xvfb, shows a window of its own class (the entry's
#     StartupWMClass) and ends on Escape;
#   - the user's files are written under a scratch $HOME, nothing under /usr, the installed
#     files are unchanged after use (dpkg --verify), and removal leaves none of them behind.
#   packaging/check-package.sh [SCREENSHOT_DIR]
# Needs: lintian appstream desktop-file-utils dpkg-dev xvfb xauth xdotool x11-utils
# (and imagemagick for the screenshots).
set -euo pipefail
cd "$(dirname "$0")/.."
shots=${1:-}
BUILD_DIR=${BUILD_DIR:-build-pkg}
fail() { echo "FAIL: $*"; exit 1; }

# Debian's hardening flags, bind now included, as a package build gets them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
echo "== build flags"
echo "CXXFLAGS: $cxxflags"
echo "LDFLAGS:  $ldflags"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DRAVOLIN_BUILD_TESTS=OFF -DRAVOLIN_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
nice -n 10 cmake --build "$BUILD_DIR" -j "$(nproc)" >"$BUILD_DIR/build.log" 2>&1 ||
  { tail -30 "$BUILD_DIR/build.log"; fail "build"; }
(cd "$BUILD_DIR" && rm -f ravolin_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD_DIR"/ravolin_*.deb)
echo "== $deb"

echo "== lintian -I --pedantic"
lint=$(lintian -I --pedantic "$deb" 2>&1 | grep -v 'running with root privileges' || true)
echo "${lint:-(nothing)}"
other=$(grep -Ev ': initial-upload-closes-no-bugs( |$)' <<<"$lint" | grep -v '^$' || true)
[ -z "$other" ] || fail "lintian reports more than the first upload's tag"

echo "== package contents"
unpacked=$(mktemp -d)
dpkg-deb -x "$deb" "$unpacked"
meta=$(ls "$unpacked"/usr/share/metainfo/*.metainfo.xml)
# No network here: the screenshot and home page addresses are not fetched.
appstreamcli validate --pedantic --no-net "$meta" || fail "appstreamcli validate"
for f in "$unpacked"/usr/share/applications/*.desktop; do
  desktop-file-validate "$f" || fail "desktop-file-validate $(basename "$f")"
done
echo "desktop entries valid: $(cd "$unpacked"/usr/share/applications && ls | tr '\n' ' ')"
for p in ravolin ravolin-tool; do
  elf=$unpacked/usr/bin/$p
  dynamic=$(readelf -d "$elf")
  segments=$(readelf -lW "$elf")
  symbols=$(readelf -sW --dyn-syms "$elf")
  sections=$(readelf -SW "$elf")
  grep -q 'FLAGS.*BIND_NOW' <<<"$dynamic" || fail "$p: not linked with -z now"
  grep -q GNU_RELRO <<<"$segments" || fail "$p: no RELRO"
  grep -q '__[a-z_]*_chk@' <<<"$symbols" || fail "$p: no fortified functions"
  grep -q '__stack_chk_fail@' <<<"$symbols" || fail "$p: no stack protector"
  ! grep -q ' \.comment ' <<<"$sections" || fail "$p: has a .comment section"
  echo "$p: bind now, RELRO, fortified, stack protector, no .comment"
done
rm -rf "$unpacked"

echo "== permissions"
# dpkg-deb -c: mode, owner/group, size, date, time, path
bad_perm=$(dpkg-deb -c "$deb" | awk '
  $2 != "root/root" { print "owner " $2 ": " $6; next }
  $1 ~ /^d/ { if ($1 != "drwxr-xr-x") print $1 ": " $6; next }
  $6 ~ /^\.\/usr\/bin\// { if ($1 != "-rwxr-xr-x") print $1 ": " $6; next }
  { if ($1 != "-rw-r--r--") print $1 ": " $6 }')
[ -z "$bad_perm" ] || { echo "$bad_perm"; fail "permissions"; }
echo "$(dpkg-deb -c "$deb" | wc -l) entries owned by root: folders and programs 0755, files 0644"

echo "== install"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
mapfile -t files < <(dpkg -L ravolin)
stamp=$(mktemp)
work=$(mktemp -d)
export HOME=$work/home
unset XDG_CONFIG_HOME
mkdir -p "$HOME"
ravolin --version
echo "== command lines"
status=0; ravolin --help --bogus >/dev/null 2>&1 || status=$?
[ $status -eq 2 ] || fail "ravolin --help --bogus exits $status, not 2"
help_c=$(LC_ALL=C ravolin --help)
! LC_ALL=C grep -q '[^ -~]' <<<"$help_c" || fail "ravolin --help is not ASCII under LC_ALL=C"
head -1 <<<"$help_c"
status=0; ravolin-tool --help >/dev/null 2>&1 || status=$?
[ $status -eq 0 ] && [ -n "$(ravolin-tool --help 2>/dev/null)" ] || fail "ravolin-tool --help"
echo "ravolin --help --bogus: 2; LC_ALL=C ravolin --help: ASCII; ravolin-tool --help: stdout, 0"
for ed in tokaido tohoku joetsu; do
  entry=/usr/share/applications/ravolin-$ed.desktop
  cmd=$(sed -n 's/^Exec=//p' "$entry")
  want=$(sed -n 's/^StartupWMClass=//p' "$entry")
  echo "== $ed: $cmd (StartupWMClass=$want)"
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    '"$cmd"' >/dev/null 2>&1 & pid=$!
    sleep 8
    win=$(xdotool search --onlyvisible --pid $pid | head -1)
    [ -n "$win" ] || { echo "FAIL: no window"; kill $pid; exit 1; }
    class=$(xprop -id "$win" WM_CLASS)
    echo "$class"
    [ "$class" = "WM_CLASS(STRING) = \"ravolin\", \"'"$want"'\"" ] ||
      { echo "FAIL: window class is not '"$want"'"; kill $pid; exit 1; }
    if [ -n "'"$shots"'" ]; then import -window "$win" "'"$shots"'/installed_'"$ed"'.png"; fi
    xdotool windowfocus --sync "$win" key Escape
    for i in $(seq 1 20); do kill -0 $pid 2>/dev/null || break; sleep 0.5; done
    kill -0 $pid 2>/dev/null && { echo "FAIL: still running"; kill $pid; exit 1; }
    wait $pid' || fail "$ed entry"
done
echo "== user files"
find "$HOME" -type f -newer "$stamp" -printf '%m %p\n' | sort -k2
for ini in tokaido/ravolin2.ini tohoku/ravolin3.ini joetsu/ravolin4.ini; do
  [ -f "$HOME/.config/ravolin/$ini" ] || fail "no $ini in the user folder"
done
open_files=$(find "$HOME" -newer "$stamp" -perm /022 ! -type l)
[ -z "$open_files" ] || { echo "$open_files"; fail "user files writable by others"; }
written=$(find /usr -xdev -newer "$stamp" -type f 2>/dev/null | head || true)
[ -z "$written" ] || { echo "$written"; fail "written under /usr"; }
dpkg --verify ravolin || fail "installed files changed"
echo "dpkg --verify: installed files unchanged"

echo "== remove"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq ravolin >/dev/null
left=0
for f in "${files[@]}"; do
  if [ -f "$f" ] || [ -L "$f" ] || { [ -d "$f" ] && [[ "$f" == */ravolin* ]]; }; then
    echo "left behind: $f"; left=1
  fi
done
rm -rf "$work" "$stamp"
[ $left -eq 0 ] || fail "files left behind"
echo "every installed file removed"
echo "== all checks passed"
