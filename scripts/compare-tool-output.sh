#!/bin/bash
# Does ravolin-tool still print the same? Records what ravolin-tool writes (standard
# output, standard error, exit status and the files it writes) over the program folders of
# the three editions and a few hundred generated conditions, one file per run, so that two
# builds (before and after a change that must not change behaviour) can be compared byte
# for byte.
#
#   scripts/compare-tool-output.sh record TOOL PROGRAM_DIR OUT_DIR
#   scripts/compare-tool-output.sh compare DIR_A DIR_B
#   scripts/compare-tool-output.sh check BUILD_A BUILD_B
#
# record runs TOOL over PROGRAM_DIR/<edition>/ (tokaido, tohoku, joetsu: ravolinh.dat and
# the settings file) and writes OUT_DIR/plan.txt (every run, one a line), OUT_DIR/inputs.txt
# (checksums of the folders' data, settings and help files) and
# OUT_DIR/runs/<command>/<edition>-<n>.txt (about 575 runs, two minutes on a busy machine).
# OUT_DIR must be new or empty, or an earlier record, which is replaced. compare prints
# which runs differ, the start of `diff -r`, and "N runs, M differ"; it exits with 1 on any
# difference. check records BUILD_A/ravolin-tool over BUILD_A/program and the same for
# BUILD_B into a scratch folder, compares, and keeps the records only when they differ.
#
# The conditions are generated from the data the program folders hold (station, area and
# district names from the tool's own export) with a fixed seed, so a record depends on
# nothing but the tool and the folders: no clock, no absolute paths (the program folder,
# the tool and the scratch folder show as <PROGRAM>, <TOOL> and <SCRATCH>), one locale and
# time zone. The one difference between two runs of the same build, the creation time
# inside a PDF, is blanked before the PDF is hashed; Qt's note about a missing runtime
# folder on standard error is avoided by giving it one. PNG and PDF files are compared by checksum only, and
# they depend on the fonts installed: compare them on one machine.
set -eu

editions="tokaido tohoku joetsu"

usage() {
  sed -n '8,10p' "$0" | sed 's/^# *//' >&2
  exit 2
}

# Text for a sed pattern: every character that means something there is escaped.
sed_quote() { printf '%s' "$1" | sed 's/[][\.*^$/]/\\&/g'; }

# The deterministic random numbers of the generated conditions: a Park-Miller generator
# in shell arithmetic (the same numbers with every awk and on every machine). `rand N` sets
# R to a number 0..N-1.
seed=1
rand() {
  seed=$(((seed * 16807) % 2147483647))
  R=$((seed % $1))
}

# ---- the plan: one line a run, NAME <TAB> ARGUMENT..., arguments with <PROGRAM>,
# <OUT> (an empty folder of this run, also its working folder), <SCRATCH> and <EMPTY>
# (an empty argument) put in when the run starts.

declare -A serial
plan_file=
# run FAMILY EDITION ARGUMENT...: adds one run named FAMILY/EDITION-NNN.
run() {
  local family=$1 ed=$2
  shift 2
  local key=$family/$ed
  serial[$key]=$((${serial[$key]:-0} + 1))
  local IFS=$'\t'
  printf '%s/%s-%03d\t%s\n' "$family" "$ed" "${serial[$key]}" "$*" >>"$plan_file"
}

# pick ARRAY_NAME: sets P to a random element of the array.
pick() {
  local -n arr=$1
  rand "${#arr[@]}"
  P=${arr[$R]}
}

# Dates with something to tell: New Year, the holidays of the delivered settings files
# (01-01 02-11 04-29 05-03..05 07-20 09-15 11-03 11-23 12-23), the days after them, week-ends
# and month ends (February of a common year among them).
special_dates=(
  2026-01-01 2026-01-02 2026-01-03 2026-01-31 2026-02-11 2026-02-14 2026-02-28
  2026-03-20 2026-03-31 2026-04-29 2026-04-30 2026-05-02 2026-05-03 2026-05-04
  2026-05-05 2026-05-06 2026-06-30 2026-07-18 2026-07-20 2026-07-31 2026-08-13
  2026-08-16 2026-08-31 2026-09-15 2026-09-30 2026-10-31 2026-11-03 2026-11-23
  2026-11-30 2026-12-23 2026-12-26 2026-12-31 2027-01-01 2027-01-04 2027-02-11
  2027-02-28 2027-03-31 2027-05-03 2027-05-05 2027-08-15 2027-12-23 2027-12-31
)
# Moments of the day: around midnight and the service day's start, the first and the
# last trains, and some ordinary hours.
times=(00:00 00:30 01:59 03:00 04:59 05:00 05:30 05:59 06:00 06:01 07:30 08:45 12:00
       15:10 17:45 19:20 21:59 22:30 23:00 23:30 23:45 23:59)

# Every day of 2026 and 2027, for dates drawn at random.
all_dates=()
load_all_dates() {
  mapfile -t all_dates < <(seq 0 729 | sed 's/.*/2026-01-01 +& days/' | TZ=UTC date -f - +%F)
}

# A date: every other one a special date, the others any day of the two years.
draw_date() {
  rand 2
  if [ "$R" -eq 0 ]; then pick special_dates; else pick all_dates; fi
  D=$P
}

# Reads the names out of the text sources that export wrote to SRC: the station names of
# direction 1 (each once), the area names, the area and district pairs of the hotels.
stations=() areas=() hotel_pairs=()
read_sources() {
  local src=$1
  mapfile -t stations < <(awk '/^direction 1/ { on = 1; next } /^direction/ { on = 0 }
    on && NF && $1 !~ /^[#@"]/ && !seen[$1]++ { print $1 }' "$src/stations.txt")
  mapfile -t areas < <(awk '!/^#/ && NF && $1 !~ /^[@"]/ && !seen[$1]++ { print $1 }' \
    "$src/areas.txt")
  mapfile -t hotel_pairs < <(awk -F'|' '!/^#/ && NF >= 2 {
      a = $1; d = $2; gsub(/^[ \t]+|[ \t]+$/, "", a); gsub(/^[ \t]+|[ \t]+$/, "", d)
      if (a !~ /^[@"]/ && d !~ /^[@"]/ && d != "" && !seen[a "\t" d]++) print a "\t" d
    }' "$src/hotels.txt")
}

# The data file itself: dump, the plausibility check, export (the written files follow the
# output), build from the exported sources (the new file's checksum) and check of them.
plan_data() {
  local ed=$1 dir="<PROGRAM>/$1"
  run dump "$ed" dump "$dir/ravolinh.dat"
  run check "$ed" check "$dir/ravolinh.dat"
  run export "$ed" export "$dir/ravolinh.dat" "<OUT>/src"
  run build "$ed" build "<SCRATCH>/src/$ed" "<OUT>/ravolinh.dat"
  run check "$ed" check "<SCRATCH>/src/$ed"
}

# The departure board at every moment of the day list, each on a drawn date, and the
# later stops of some board lines.
plan_board() {
  local ed=$1 dir="<PROGRAM>/$1" t i
  for t in "${times[@]}"; do
    draw_date
    run board "$ed" board "$dir" --at "$D $t"
  done
  for i in 1 2 3; do
    draw_date
    pick times
    local at="$D $P" n
    for n in 0 1 4 7 8; do run stops "$ed" stops "$dir" --at "$at" --line sinkansen --index "$n"; done
    for n in 0 5 10 11; do run stops "$ed" stops "$dir" --at "$at" --line keiyo --index "$n"; done
  done
}

# The full schedule of both lines on days of every kind (the early hours belong to the
# service day before).
plan_timetable() {
  local ed=$1 dir="<PROGRAM>/$1" at
  for at in "2026-05-04 07:00" "2026-05-06 12:00" "2026-05-09 09:00" "2026-12-31 23:50" \
            "2027-01-01 02:30" "2026-07-20 05:10"; do
    run timetable "$ed" timetable "$dir" --at "$at" --line sinkansen
    run timetable "$ed" timetable "$dir" --at "$at" --line keiyo
  done
}

# Every combination of --per-train, --sort, --transfers and --show, each with its own drawn
# journey: two stations of the edition, a date, departure and arrival windows, a wait.
plan_search() {
  local ed=$1 dir="<PROGRAM>/$1" per sort tr show
  for per in one all; do
    for sort in depart arrive ride; do
      for tr in 1 2; do
        for show in "" caption report fares legend; do
          pick stations
          local from=$P to=$P
          while [ "$to" = "$from" ]; do pick stations; to=$P; done
          draw_date
          # the year of "today" is the first year the date may have
          local today="${D:0:4}-01-01"
          rand 5
          [ "$R" -eq 0 ] && today=$D
          rand 16
          local h1=$((6 + R)) span
          if [ "$tr" = 2 ]; then rand 3; span=$R; else rand 8; span=$((1 + R)); fi
          local h2=$((h1 + span))
          [ "$h2" -gt 23 ] && h2=23
          local mins=(00 00 15 30 45) ends=(00 30 59)
          rand 5
          local m1=${mins[$R]}
          rand 3
          local m2=${ends[$R]}
          [ "$h2" -eq "$h1" ] && m2=59
          local depart arrive
          depart=$(printf '%02d:%s-%02d:%s' "$h1" "$m1" "$h2" "$m2")
          rand 3
          if [ "$R" -eq 0 ]; then
            arrive=$(printf '%02d:00-23:59' "$((h1 + 1 > 23 ? 23 : h1 + 1))")
          else
            arrive=06:00-23:59
          fi
          local waits=(0 5 15 30 30 60 120)
          pick waits
          local args=("$dir" --today "$today" --date "$D" --from "$from" --to "$to"
                      --depart "$depart" --arrive "$arrive" --wait "$P" --transfers "$tr"
                      --per-train "$per" --sort "$sort")
          [ -n "$show" ] && args+=(--show "$show")
          run search "$ed" search "${args[@]}"
        done
      done
    done
  done
}

# The hotel lists: every area (one edition), every fourth area (the others), and some areas
# narrowed to districts that have hotels, one of them to two districts at once.
plan_hotels() {
  local ed=$1 dir="<PROGRAM>/$1" step=4 i
  [ "$ed" = tokaido ] && step=1
  for ((i = 0; i < ${#areas[@]}; i += step)); do
    draw_date
    run hotels "$ed" hotels "$dir" --today "$D" --area "${areas[$i]}"
  done
  if [ "${#hotel_pairs[@]}" -eq 0 ]; then return 0; fi
  for i in 1 2 3 4 5 6 7 8; do
    pick hotel_pairs
    local area=${P%%$'\t'*} district=${P#*$'\t'}
    draw_date
    run hotels "$ed" hotels "$dir" --today "$D" --area "$area" --district "$district"
  done
  pick hotel_pairs
  local area=${P%%$'\t'*} first=${P#*$'\t'} second=
  for P in "${hotel_pairs[@]}"; do
    [ "${P%%$'\t'*}" = "$area" ] && [ "${P#*$'\t'}" != "$first" ] && second=${P#*$'\t'}
  done
  if [ -n "$second" ]; then
    run hotels "$ed" hotels "$dir" --today 2026-11-23 --area "$area" --district "$first" \
      --district "$second"
  fi
}

# The diagram as SVG: the whole day, each direction, each route by number and the last by
# name, a morning and a late-night window, a small size; one PNG and one PDF.
plan_diagram() {
  local ed=$1 dir="<PROGRAM>/$1" r
  run diagram "$ed" diagram "$dir" --date 2026-05-06 --out "<OUT>/diagram.svg"
  run diagram "$ed" diagram "$dir" --date 2026-05-10 --direction down --out "<OUT>/diagram.svg"
  run diagram "$ed" diagram "$dir" --date 2026-11-03 --direction up --out "<OUT>/diagram.svg"
  for r in 1 2 3; do
    run diagram "$ed" diagram "$dir" --date 2027-03-31 --route "$r" --out "<OUT>/diagram.svg"
  done
  if [ -n "$last_route" ]; then
    run diagram "$ed" diagram "$dir" --date 2026-12-31 --route "$last_route" --direction up \
      --out "<OUT>/diagram.svg"
  fi
  run diagram "$ed" diagram "$dir" --date 2026-08-13 --from 05:30 --to 09:00 --width 800 \
    --height 600 --out "<OUT>/diagram.svg"
  run diagram "$ed" diagram "$dir" --date 2027-01-01 --from 21:00 --to 25:30 --direction down \
    --out "<OUT>/diagram.svg"
  run diagram "$ed" diagram "$dir" --date 2026-05-04 --width 640 --height 400 --out "<OUT>/diagram.png"
  run diagram "$ed" diagram "$dir" --date 2026-05-04 --width 640 --height 400 --out "<OUT>/diagram.pdf"
}

# What the tool refuses, so that its messages are compared too.
plan_refused() {
  local d="<PROGRAM>/tokaido" ed=tokaido
  local s=(--today 2026-01-01 --date 2026-05-06 --from 東京 --to 新大阪 --depart 06:00-09:00
           --arrive 06:00-23:59 --wait 30 --transfers 1 --per-train one --sort depart)
  run refused "$ed"
  run refused "$ed" --help
  run refused "$ed" frobnicate
  run refused "$ed" dump
  run refused "$ed" dump "$d/ravolin2.ini"
  run refused "$ed" dump "<PROGRAM>/nowhere/ravolinh.dat"
  run refused "$ed" check "<PROGRAM>/nowhere"
  run refused "$ed" board "<PROGRAM>/nowhere" --at "2026-05-06 08:00"
  run refused "$ed" board "$d" --at "2027-02-29 08:00"
  run refused "$ed" board "$d" --at "2026-13-01 08:00"
  run refused "$ed" board "$d" --at "2026-05-06 24:00"
  run refused "$ed" board "$d" --at 2026-05-06
  run refused "$ed" board "$d"
  run refused "$ed" board "$d" --at "2026-05-06 08:00" --line keiyo
  run refused "$ed" timetable "$d" --at "2026-05-06 08:00" --line bus
  run refused "$ed" stops "$d" --at "2026-05-06 08:00" --line sinkansen --index -1
  run refused "$ed" stops "$d" --at "2026-05-06 08:00" --line sinkansen --index x
  run refused "$ed" stops "$d" --at "2026-05-06 08:00" --line sinkansen
  run refused "$ed" search "$d" "${s[@]:0:4}" --from 大阪 "${s[@]:6}"
  run refused "$ed" search "$d" "${s[@]:0:6}" --to 東京 "${s[@]:8}"
  run refused "$ed" search "$d" "${s[@]:0:2}" --date 2027-02-29 "${s[@]:4}"
  run refused "$ed" search "$d" "${s[@]:0:2}" --date 2026/05/06 "${s[@]:4}"
  run refused "$ed" search "$d" --today 2027-01-01 "${s[@]:2}"
  run refused "$ed" search "$d" --today 2026-02-30 "${s[@]:2}"
  run refused "$ed" search "$d" "${s[@]:0:8}" --depart 05:00-07:00 "${s[@]:10}"
  run refused "$ed" search "$d" "${s[@]:0:8}" --depart 09:00-08:00 "${s[@]:10}"
  run refused "$ed" search "$d" "${s[@]:0:12}" --wait 121 "${s[@]:14}"
  run refused "$ed" search "$d" "${s[@]:0:14}" --transfers 2 "${s[@]:16}"
  run refused "$ed" search "$d" "${s[@]:0:14}" --transfers 3 "${s[@]:16}"
  run refused "$ed" search "$d" "${s[@]:0:18}" --sort fast
  run refused "$ed" search "$d" "${s[@]}" --show all
  run refused "$ed" search "$d" "${s[@]:0:18}"
  run refused tohoku search "<PROGRAM>/tohoku" "${s[@]:0:4}" --from 天童 --to 仙台 "${s[@]:8}"
  run refused joetsu search "<PROGRAM>/joetsu" "${s[@]:0:4}" --from 長野 --to 新潟 "${s[@]:8}"
  run refused "$ed" hotels "$d" --today 2026-05-06 --area 大阪
  run refused "$ed" hotels "$d" --today 2026-05-06 --area "<EMPTY>"
  run refused "$ed" hotels "$d" --today 2026-02-30 --area 京都
  run refused "$ed" hotels "$d" --area 京都
  run refused "$ed" hotels "$d" --today 2026-05-06 --area 京都 --district 大通
  run refused "$ed" diagram "$d" --date 2026-02-30 --out "<OUT>/diagram.svg"
  run refused "$ed" diagram "$d" --date 2026-05-06 --from 10:00 --to 09:00 --out "<OUT>/diagram.svg"
  run refused "$ed" diagram "$d" --date 2026-05-06 --route 99 --out "<OUT>/diagram.svg"
  run refused "$ed" diagram "$d" --date 2026-05-06 --width 100 --out "<OUT>/diagram.svg"
  run refused "$ed" diagram "$d" --date 2026-05-06 --out "<OUT>/diagram.txt"
}

write_plan() {
  local ed
  load_all_dates
  for ed in $editions; do
    "$tool" export "$prog/$ed/ravolinh.dat" "$scratch/src/$ed" >/dev/null
    read_sources "$scratch/src/$ed"
    # the name of the last route, from the message that lists them
    last_route=$("$tool" diagram "$prog/$ed" --date 2026-05-06 --route 0 --out x.svg 2>&1 |
      sed -n 's/.*one of: //p' | awk -F', ' '{ sub(/^[0-9]+ /, "", $NF); print $NF }')
    plan_data "$ed"
    plan_board "$ed"
    plan_timetable "$ed"
    plan_search "$ed"
    plan_hotels "$ed"
    plan_diagram "$ed"
  done
  plan_refused
}

# ---- running the plan

# Appends FILE to the record under a heading, marking a missing last newline.
section() {
  printf -- '--- %s\n' "$1"
  cat "$2"
  [ -z "$(tail -c1 "$2")" ] || printf '\n(no newline at end)\n'
}

# The files a run wrote, in name order: text as it is, PNG, PDF and data files by size
# and checksum (a PDF without its creation date).
written_files() {
  local f
  find . -type f | LC_ALL=C sort | while IFS= read -r f; do
    case $f in
      *.png | *.dat)
        printf -- '--- file %s: %s bytes, sha256 %s\n' "${f#./}" "$(stat -c %s "$f")" \
          "$(sha256sum <"$f" | cut -d' ' -f1)" ;;
      *.pdf)
        printf -- '--- file %s: %s bytes, sha256 without the creation date %s\n' "${f#./}" \
          "$(stat -c %s "$f")" \
          "$(LC_ALL=C sed 's|^/CreationDate (D:[^)]*)$|/CreationDate ()|' "$f" | sha256sum | cut -d' ' -f1)" ;;
      *) section "file ${f#./}" "$f" ;;
    esac
  done
}

record() {
  [ $# -eq 3 ] || usage
  tool=$(cd "$(dirname "$1")" && pwd -P)/$(basename "$1")
  prog=$(cd "$2" && pwd -P)
  local out=$3
  [ -x "$tool" ] || { echo "not a program: $1" >&2; exit 2; }
  for ed in $editions; do
    [ -f "$prog/$ed/ravolinh.dat" ] || { echo "no $prog/$ed/ravolinh.dat" >&2; exit 2; }
  done
  if [ -d "$out" ] && [ -n "$(ls -A "$out")" ]; then
    [ -f "$out/plan.txt" ] && [ -d "$out/runs" ] ||
      { echo "$out is neither empty nor an earlier record" >&2; exit 2; }
    rm -rf "$out/runs" "$out/plan.txt" "$out/inputs.txt"
  fi
  mkdir -p "$out/runs"
  out=$(cd "$out" && pwd -P)

  scratch=$(mktemp -d "${TMPDIR:-/tmp}/ravolin-tool-output.XXXXXX")
  trap 'rm -rf "$scratch"' EXIT
  mkdir -m 700 "$scratch/runtime"
  # one environment for every run: no locale, zone or Qt runtime folder of the caller
  export LC_ALL=C.UTF-8 TZ=JST-9 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$scratch/runtime
  local start=$SECONDS

  # the data and settings files (not the program, which is built beside them)
  (cd "$prog" && find $editions -type f \( -name '*.dat' -o -name '*.ini' -o -name '*.hlp' \) |
    LC_ALL=C sort | xargs sha256sum) >"$out/inputs.txt"
  plan_file=$out/plan.txt
  (cd "$scratch"; write_plan)

  local paths
  paths="s/$(sed_quote "$tool")/<TOOL>/g; s/$(sed_quote "$prog")/<PROGRAM>/g; s/$(sed_quote "$scratch")/<SCRATCH>/g"
  local n=0 name rest a
  while IFS= read -r line; do
    name=${line%%$'\t'*}
    rest=
    [ "$line" = "$name" ] || rest=${line#*$'\t'}
    local shown=() args=()
    IFS=$'\t' read -r -a shown <<<"$rest"
    for a in "${shown[@]}"; do
      [ "$a" = "<EMPTY>" ] && a=
      a=${a//<PROGRAM>/$prog}
      a=${a//<OUT>/$scratch/out}
      a=${a//<SCRATCH>/$scratch}
      args+=("$a")
    done
    rm -rf "$scratch/out"
    mkdir "$scratch/out"
    local status=0
    (cd "$scratch/out" && nice -n 10 "$tool" "${args[@]}" >"$scratch/stdout" 2>"$scratch/stderr") ||
      status=$?
    mkdir -p "$out/runs/$(dirname "$name")"
    {
      printf '$ ravolin-tool'
      for a in "${shown[@]}"; do
        case $a in *' '*) printf " '%s'" "$a" ;; *) printf ' %s' "$a" ;; esac
      done
      printf '\nexit %s\n' "$status"
      section stdout "$scratch/stdout"
      section stderr "$scratch/stderr"
      (cd "$scratch/out" && written_files)
    } | LC_ALL=C sed "$paths" >"$out/runs/$name.txt"
    n=$((n + 1))
  done <"$plan_file"
  echo "recorded $n runs in $((SECONDS - start)) s into $out"
}

# ---- comparing two records

compare() {
  [ $# -eq 2 ] || usage
  local a=$1 b=$2
  [ -d "$a/runs" ] && [ -d "$b/runs" ] || { echo "not two records: $a $b" >&2; exit 2; }
  local list total=0 differ=0 other=0 f
  list=$(mktemp)
  { (cd "$a" && find . -type f); (cd "$b" && find . -type f); } | LC_ALL=C sort -u >"$list"
  while IFS= read -r f; do
    local same=1
    if [ ! -f "$a/$f" ] || [ ! -f "$b/$f" ]; then
      echo "only in one record: ${f#./}"
      same=0
    elif ! cmp -s "$a/$f" "$b/$f"; then
      echo "differs: ${f#./}"
      same=0
    fi
    # the runs are counted; the plan and the inputs only make the comparison fail
    case $f in
      ./runs/*) total=$((total + 1)); differ=$((differ + 1 - same)) ;;
      *) other=$((other + 1 - same)) ;;
    esac
  done <"$list"
  rm -f "$list"
  if [ "$differ" -gt 0 ] || [ "$other" -gt 0 ]; then
    diff -r "$a" "$b" | head -n "${DIFF_LINES:-200}" || true
  fi
  echo "$total runs, $differ differ"
  [ "$differ" -eq 0 ] && [ "$other" -eq 0 ]
}

check() {
  [ $# -eq 2 ] || usage
  local work
  work=$(mktemp -d "${TMPDIR:-/tmp}/ravolin-tool-check.XXXXXX")
  (record "$1/ravolin-tool" "$1/program" "$work/a")
  (record "$2/ravolin-tool" "$2/program" "$work/b")
  if compare "$work/a" "$work/b"; then
    rm -rf "$work"
  else
    echo "the records are kept in $work"
    exit 1
  fi
}

[ $# -ge 1 ] || usage
command=$1
shift
case $command in
  record) record "$@" ;;
  compare) compare "$@" ;;
  check) check "$@" ;;
  *) usage ;;
esac
