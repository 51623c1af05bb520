#!/usr/bin/env bash
# Replays the inputs that once broke the editor or the map tool, then fuzzes each target for a
# while.
#   run_fuzzers.sh FUZZ_BUILD_FOLDER SECONDS_PER_TARGET
# Fails on the first crash, sanitizer report, leak or broken map rule; the input that did it
# is left in FUZZ_BUILD_FOLDER/findings/.
set -euo pipefail

build=$(cd "$1" && pwd)
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
corpus="$here/corpus"
work="$build/fuzz-run"
findings="$build/findings"
rm -rf "$work"
mkdir -p "$work/regressions" "$findings"

# The regression inputs, the widest of them unpacked.
cp "$corpus"/regressions/maps/*.map "$work/regressions/"
for packed in "$corpus"/regressions/maps/*.gz; do
  gzip -dc "$packed" >"$work/regressions/$(basename "$packed" .gz)"
done

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$here/../sanitizers/leaks.supp:print_suppressions=0"
export SDL_VIDEODRIVER=dummy

run_target() {
  local target=$1 seeds=$2 regressions=$3
  echo "== $target: replaying $(ls "$regressions" | wc -l) regression inputs"
  "$build/tests/fuzz/${target}_fuzz" -runs=1 "$regressions"/* >"$work/$target-replay.log" 2>&1 ||
    { tail -40 "$work/$target-replay.log"; echo "FAIL $target: a regression input broke it"; return 1; }
  # Fuzz on a copy of the seeds so the repository's corpus stays small.
  mkdir -p "$work/$target"
  cp "$seeds"/* "$work/$target/"
  echo "== $target: fuzzing for $seconds s"
  if ! "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=20 \
      -rss_limit_mb=3072 -print_final_stats=1 -artifact_prefix="$findings/$target-" \
      "$work/$target" >"$work/$target-fuzz.log" 2>&1; then
    tail -60 "$work/$target-fuzz.log"
    echo "FAIL $target: finding kept in $findings/"
    return 1
  fi
  grep -E "^stat::number_of_executed_units|^Done" "$work/$target-fuzz.log" | tr '\n' ' '
  echo
}

mkdir -p "$work/config-regressions"
cp "$corpus"/regressions/configurations/* "$work/config-regressions/"
status=0
run_target map_file "$corpus/maps" "$work/regressions" || status=1
run_target map_view "$corpus/maps" "$work/regressions" || status=1
run_target configuration "$corpus/configurations" "$work/config-regressions" || status=1
# The map tool: its TMX and JSON readers and its tile data decoder, each checked by exporting
# what imports and importing it again.
run_target tmx_reader "$corpus/tmx" "$corpus/regressions/tmx" || status=1
run_target json_reader "$corpus/json" "$corpus/regressions/json" || status=1
run_target tile_data "$corpus/tile_data" "$corpus/regressions/tile_data" || status=1
exit $status
