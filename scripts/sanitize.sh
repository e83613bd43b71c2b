#!/usr/bin/env bash
# The sanitizer phase of the test command: builds the native unit tests and the fuzz
# targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# $BUILD_ROOT/sanitize, runs the unit tests there, then each fuzz target for a bounded
# time over its seed corpus and kept crash inputs.
#   FUZZ_SECONDS  time per target (default 20); 0 skips the fuzzing
#   FUZZ_TARGETS  the targets to run (default: all)
set -euo pipefail
source "$(dirname "$0")/env.sh"

SANITIZE_BUILD=$BUILD_ROOT/sanitize
fuzz_seconds=${FUZZ_SECONDS:-20}
all_targets=(fuzz_ini_document fuzz_struct_decode fuzz_profile_file fuzz_macro_library fuzz_skin_item fuzz_section_intake)
read -r -a targets <<<"${FUZZ_TARGETS:-${all_targets[*]}}"

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/}
  export CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Only what this phase runs: the unit tests and the fuzz targets (no tools, no
# benchmarks). -O1 with line tables keeps the build short and the reports readable;
# assertions stay on.
log=$SANITIZE_BUILD-build.log
mkdir -p "$BUILD_ROOT"
if ! { CC=clang CXX=clang++ cmake -S "$REPO_DIR" -G Ninja "${launcher[@]}" \
         -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
         -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
         -DTAVREL_SANITIZE=ON -DTAVREL_FUZZ=ON -B "$SANITIZE_BUILD" &&
       cmake --build "$SANITIZE_BUILD" --target unit_tests fuzz_targets; } >"$log" 2>&1; then
  tail -n 60 "$log" >&2
  echo "sanitizer build failed (full log: $log)" >&2
  exit 1
fi

# The first report ends the run; UBSan findings are errors too (the build also makes
# them non-recoverable).
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

status=0
echo "== native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ctest --test-dir "$SANITIZE_BUILD" --output-on-failure -j2 || status=1

if [ "$fuzz_seconds" -gt 0 ]; then
  echo "== fuzz targets, ${fuzz_seconds} s each"
  for target in "${targets[@]}"; do
    corpus=$REPO_DIR/tests/fuzz/corpus/$target
    regressions=$REPO_DIR/tests/fuzz/regressions/$target
    # New inputs go to a scratch folder made afresh: the committed corpus stays as it is.
    work=$SANITIZE_BUILD/fuzz-work/$target
    crashes=$SANITIZE_BUILD/fuzz-crashes
    rm -rf "$work"
    mkdir -p "$work" "$crashes"
    dirs=("$work" "$corpus")
    [ -d "$regressions" ] && dirs+=("$regressions")
    out=$SANITIZE_BUILD/$target.log
    if "$SANITIZE_BUILD/tests/fuzz/$target" -max_total_time="$fuzz_seconds" -max_len=32768 -timeout=10 \
         -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$crashes/$target-" "${dirs[@]}" >"$out" 2>&1; then
      runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out")
      cov=$(grep -o 'cov: [0-9]*' "$out" | tail -n 1)
      echo "$target: ${runs:-?} runs, ${cov:-cov: ?}"
    else
      tail -n 40 "$out"
      echo "$target FAILED (log: $out); keep the input above under tests/fuzz/regressions/$target/" >&2
      status=1
    fi
  done
fi
exit $status
