#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a short while, several at once, from
# its checked-in corpus. Usage: run-fuzzers.sh <fuzz build dir> <seconds> <parallel runs>
# New inputs go to <build>/found/<name>, crashes to <build>/found/<name>/crash-*, each
# target's log to the scratch directory <build>/log/<name>. Fails when any target found
# a crash, a leak, another sanitizer report or a timeout; a report stops its run at once.
set -uo pipefail
build=${1:?usage: run-fuzzers.sh <fuzz build dir> <seconds> <parallel runs>}
seconds=${2:-5}
parallel=${3:-4}
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$build" && pwd)

# Longest input worth trying per target, from the scale of the files it reads (a target
# not named here gets libFuzzer's default).
declare -A max_len=(
  [options_file]=64 [image_record]=4096 [image_bmp]=4096 [image_tga]=4096
  [memory_stream]=4096 [index_buffer]=4096 [vertex_buffer]=4096 [geometry_records]=4096
  [animation_file]=8192 [media_decode]=16384 [property_list]=4096 [waypoints]=8192
  [cursor_files]=4096 [layout_build]=4096 [menu_widgets]=4096 [scene_audio]=4096
  [material]=4096 [font_atlas]=8192 [font_definitions]=4096 [script_build]=4096
  [script_stream]=4096 [restore_load]=8192 [model_tree]=8192 [model_direct]=8192
  [gesture_file]=4096 [character_data]=4096 [interview_sequence]=4096 [hotspots]=4096
  [interview_data]=16384 [expert_computer]=8192
  [credits_file]=4096
)

run_one() {
  local fuzzer=$1 name
  name=$(basename "$fuzzer" _fuzzer)
  local found="$build/found/$name" logs="$build/log/$name"
  rm -rf "$logs"
  mkdir -p "$found" "$logs"
  local args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0
              -artifact_prefix="$found/crash-")
  [ -n "${max_len[$name]:-}" ] && args+=(-max_len="${max_len[$name]}")
  [ -f "$here/dict/$name.dict" ] && args+=(-dict="$here/dict/$name.dict")
  local corpus=()
  [ -d "$here/corpus/$name" ] && corpus=("$here/corpus/$name")
  if L_FUZZ_LOG_DIR="$logs" \
     UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy \
     "$fuzzer" "${args[@]}" "$found" "${corpus[@]}" >"$logs/fuzzer.out" 2>&1; then
    echo "fuzz $name: ok ($(grep -o 'stat::number_of_executed_units: *[0-9]*\|#[0-9]*\s*DONE' "$logs/fuzzer.out" | tail -1))"
  else
    echo "fuzz $name: FAILED, see $logs/fuzzer.out"
    grep -m1 -A20 'ERROR: \|runtime error\|deadly signal\|Test unit written' "$logs/fuzzer.out" | head -40
    return 1
  fi
}
export -f run_one
export build seconds here
export max_len_table=$(declare -p max_len)

fuzzers=("$build"/fuzz/*_fuzzer)
[ -x "${fuzzers[0]}" ] || { echo "no fuzz targets under $build/fuzz"; exit 1; }
results=$(printf '%s\n' "${fuzzers[@]}" |
  xargs -P "$parallel" -I{} bash -c 'eval "$max_len_table"; run_one "$1"' _ {})
echo "$results"
passed=$(grep -c ': ok' <<<"$results")
failed=$(( ${#fuzzers[@]} - passed ))
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
