#!/usr/bin/env bash
# Builds the fuzz targets with Clang, AddressSanitizer and UndefinedBehaviorSanitizer and
# runs each for SECONDS (default 30) from its seed corpus in fuzz/corpus/<target>/.
# New inputs go to a scratch folder, so the kept seeds stay small. Any crash, sanitizer
# report, leak or hang fails the run; the finding is left in FINDINGS_DIR.
#
#   fuzz/run_fuzzers.sh [SECONDS] [TARGET...]
#   BUILD_DIR=build-fuzz FINDINGS_DIR=fuzz-findings fuzz/run_fuzzers.sh 600 settings_fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-30}
shift || true
BUILD_DIR=${BUILD_DIR:-build-fuzz}
FINDINGS_DIR=${FINDINGS_DIR:-$BUILD_DIR/findings}
SAN="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer"

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$SAN" \
  -DRAVOLIN_BUILD_FUZZ=ON -DRAVOLIN_BUILD_GUI=OFF -DRAVOLIN_BUILD_TESTS=OFF \
  -DRAVOLIN_BUILD_BENCH=OFF -DRAVOLIN_WERROR=OFF >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(data_file_fuzz settings_fuzz user_hotels_fuzz sources_fuzz help_file_fuzz place_names_fuzz)
fi
cmake --build "$BUILD_DIR" -j "$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
mkdir -p "$FINDINGS_DIR"
status=0
for t in "${targets[@]}"; do
  scratch=$(mktemp -d)
  log="$FINDINGS_DIR/$t.log"
  if "$BUILD_DIR/$t" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$FINDINGS_DIR/$t-" \
       "$scratch" "fuzz/corpus/$t" >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "$t: ${runs} runs in ${SECONDS_EACH} s, no finding"
  else
    echo "$t: FINDING (see $log)"
    tail -40 "$log"
    status=1
  fi
  rm -rf "$scratch"
done
exit $status
