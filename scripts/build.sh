#!/usr/bin/env bash
# Builds the native core, tools and tests, then the Windows program and its run folder.
#   --program   only what running the program needs: the build-time tools natively,
#               then the run folder (the program, its language library, the skins and
#               the substitute monitor). The tests and benchmarks are left to the test
#               and benchmark commands, which build everything.
set -euo pipefail
source "$(dirname "$0")/env.sh"

native_targets=()
windows_targets=()
if [ "${1:-}" = "--program" ]; then
  native_targets=(--target skingen)
  windows_targets=(--target stage)
fi

build_quietly() {  # name, build arguments (e.g. --target x) or none, then cmake arguments...
  local name=$1; shift
  local targets=()
  while [ "${1:-}" = "--target" ]; do targets+=("$1" "$2"); shift 2; done
  local log="$BUILD_ROOT/$name-build.log"
  mkdir -p "$BUILD_ROOT"
  if ! { cmake "$@" && cmake --build "${@: -1}" "${targets[@]}"; } >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "$name build failed (full log: $log)" >&2
    exit 1
  fi
}

# Worktrees and fresh build folders compile the same sources: share one compiler cache.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/}
  export CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

build_quietly native "${native_targets[@]}" -S "$REPO_DIR" -G Ninja "${launcher[@]}" ${NATIVE_CMAKE_ARGS:-} -B "$NATIVE_BUILD"
build_quietly windows "${windows_targets[@]}" -S "$REPO_DIR" -G Ninja "${launcher[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$REPO_DIR/cmake/mingw-w64-x86_64.cmake" \
  -DTAVREL_HOST_TOOLS_DIR="$NATIVE_BUILD/tools" -B "$WIN_BUILD"
