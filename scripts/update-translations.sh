#!/bin/bash
# Brings the English translation files up to date with the window texts in the code:
# lupdate adds new texts (marked unfinished until someone writes their English) and marks
# texts no longer in the code as obsolete. One file per part of the program:
#
#   scripts/update-translations.sh          update translations/*.ts
#   scripts/update-translations.sh --check  exit 1 when a file would change or a text has
#                                           no English yet (CI)
#
# -I src lets lupdate read the headers, so that every context is the class's full name
# ("ravolin::search::SearchWindow"), which tr() looks up at run time.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
[ -x "$lupdate" ] || { echo "lupdate not found: install qt6-l10n-tools" >&2; exit 2; }

# translation file → the folders whose texts it holds
declare -A parts=(
  [board]="src/gui/board src/gui/calendar"
  [search]="src/gui/search"
  [hotels]="src/gui/hotels"
  [settings]="src/gui/settings"
  [common]="src/gui/common src/app"
  [diagram]="src/gui/diagram"
)

check=0
[ "${1:-}" = --check ] && check=1
out=translations
if [ $check = 1 ]; then
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  cp translations/*.ts "$out"/
fi
for part in "${!parts[@]}"; do
  # shellcheck disable=SC2086
  "$lupdate" -silent -locations none -no-obsolete -I src -source-language ja \
    -target-language en ${parts[$part]} -ts "$out/$part.ts"
done
status=0
if [ $check = 1 ]; then
  for f in translations/*.ts; do
    if ! cmp -s "$f" "$out/$(basename "$f")"; then
      echo "$f is not up to date with the code: run scripts/update-translations.sh" >&2
      diff -u "$f" "$out/$(basename "$f")" | head -20 >&2
      status=1
    fi
  done
fi
if grep -l 'type="unfinished"' "$out"/*.ts >/dev/null 2>&1; then
  echo "texts without English:" >&2
  grep -B3 'type="unfinished"' "$out"/*.ts | grep '<source>' >&2 || true
  status=1
fi
exit $status
