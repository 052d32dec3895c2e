#!/bin/sh
# How strong is the test suite? Applies one-line faults, one at a time, to a scratch clone
# of the committed tree, builds the core unit tests and runs them; a fault is caught when
# a test fails (or hangs past the time limit). Prints one line per fault and the figure.
#
#   scripts/mutation-check.sh [LIST] [WORK_DIR]
#
# LIST defaults to scripts/mutations.txt: FILE <TAB> TEXT <TAB> REPLACEMENT [<TAB> NOTE],
# TEXT occurring exactly once in FILE. WORK_DIR (default /tmp/ravolin-mutation) is
# replaced. Faults that do not apply or do not compile are listed and not counted.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
list=${1:-$here/scripts/mutations.txt}
work=${2:-${TMPDIR:-/tmp}/ravolin-mutation}
jobs=${JOBS:-2}
limit=${TEST_TIME_LIMIT:-300}
targets="text_tests calendar_tests data_tests settings_tests board_tests search_tests fares_tests hotels_tests"

rm -rf "$work"
mkdir -p "$work"
git clone -q "$here" "$work/src"
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$work/configure.log" 2>&1

build() { cmake --build "$work/build" -j"$jobs" --target $targets >"$work/build.log" 2>&1; }

run_tests() {
  for t in $targets; do
    QT_QPA_PLATFORM=offscreen timeout "$limit" "$work/build/$t" --gtest_brief=1 >"$work/test.log" 2>&1 || return 1
  done
  return 0
}

echo "baseline: building and running $targets"
build || { echo "baseline does not build (see $work/build.log)"; exit 2; }
run_tests || { echo "baseline tests fail (see $work/test.log)"; exit 2; }

caught=0
missed=0
skipped=0
n=0
# one fault a line; a tab-separated record, comments and blank lines skipped
grep -v '^#' "$list" | grep -v '^[[:space:]]*$' >"$work/faults.txt"
while IFS= read -r record; do
  n=$((n + 1))
  file=$(printf '%s' "$record" | cut -f1)
  note=$(printf '%s' "$record" | cut -f4)
  if ! printf '%s' "$record" | python3 -c '
import sys
f, a, b = sys.stdin.read().split("\t")[:3]
p = sys.argv[1] + "/" + f
s = open(p, encoding="utf-8").read()
if s.count(a) != 1:
    sys.exit(1)
open(p, "w", encoding="utf-8").write(s.replace(a, b))
' "$work/src"; then
    echo "[$n] not applied  $file: $note"
    skipped=$((skipped + 1))
    continue
  fi
  if ! build; then
    echo "[$n] not built    $file: $note"
    skipped=$((skipped + 1))
  elif run_tests; then
    echo "[$n] MISSED       $file: $note"
    missed=$((missed + 1))
  else
    echo "[$n] caught       $file: $note"
    caught=$((caught + 1))
  fi
  git -C "$work/src" checkout -q -- "$file"
done <"$work/faults.txt"

counted=$((caught + missed))
echo "caught $caught of $counted faults ($((counted > 0 ? caught * 100 / counted : 0)) %), $skipped not counted"
