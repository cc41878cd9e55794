#!/usr/bin/env bash
# Builds the native core and both Windows programs, then runs the native tests and the Wine
# tests. The last line totals both test runs as "N passed, N failed"; the exit status is
# non-zero when a test failed or something did not build.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
root=$PWD
logs=$root/build/logs
mkdir -p "$logs"

passed=0
failed=0
problems=()

finish() {
  local problem
  for problem in "${problems[@]}"; do
    echo "FAILED: $problem"
  done
  echo "$passed passed, $failed failed"
  [ ${#problems[@]} -eq 0 ] && [ "$failed" -eq 0 ]
  exit
}

if ! bash tools/setup.sh; then
  problems+=("set-up (tools/setup.sh)")
  finish
fi

# Creating the Wine prefix takes a while and hardly needs the processor: it goes on while
# the compilers run. ctest's own session start waits for it and then finds it ready.
wine_session=$root/build/mingw64/wine-session
TEMBORI_WINE_SESSION=$wine_session bash tools/wine-test.sh --start \
  >"$logs/wine-session.log" 2>&1 &
session_starter=$!
end_wine_session() {
  wait "$session_starter" 2>/dev/null
  TEMBORI_WINE_SESSION=$wine_session bash tools/wine-test.sh --stop >/dev/null 2>&1
}
trap end_wine_session EXIT

# Configures and builds preset $1; keeps going past errors so that every test that can be
# built is still run. Returns non-zero only when it could not be configured.
build() {
  local preset=$1 log="$logs/build-$1.log"
  echo "== Building $preset"
  if ! cmake --preset "$preset" >"$log" 2>&1; then
    problems+=("configuring $preset (build/logs/build-$preset.log)")
    grep -E -A3 'CMake Error' "$log" | head -30
    return 1
  fi
  if ! cmake --build --preset "$preset" -- -k 0 >>"$log" 2>&1; then
    problems+=("building $preset (build/logs/build-$preset.log)")
    grep -E '(error|FAILED:)' "$log" | head -30
  fi
  return 0
}

# Makes the archive and the installer of preset $1 and lists the archive. The 32-bit ones
# cannot run on this machine: making them is their test. (The 64-bit ones are made and tried
# by the mingw64 tests.)
package() {
  local preset=$1 log="$logs/package-$1.log"
  echo "== Packaging $preset"
  if cmake --build --preset "$preset" --target package installer >"$log" 2>&1; then
    local made
    for made in build/"$preset"/Tembori-*.zip build/"$preset"/Tembori-*-setup.exe; do
      [ -f "$made" ] && echo "$made"
    done
    cmake -E tar tf build/"$preset"/Tembori-*.zip
  else
    problems+=("packaging $preset (build/logs/package-$preset.log)")
  fi
}

# Runs ctest for preset $1 with the extra arguments and adds its summary to the totals.
run_tests() {
  local preset=$1 log="$logs/ctest-$1.log"
  shift
  echo "== Testing $preset"
  ctest --preset "$preset" "$@" 2>&1 | tee "$log"
  local summary
  summary=$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [[ $summary =~ ^([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+)$ ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  elif ! grep -q 'No tests were found' "$log"; then
    problems+=("running the $preset tests (build/logs/ctest-$preset.log)")
  fi
}

build native && native_built=1 || native_built=0
build mingw64 && mingw64_built=1 || mingw64_built=0
build mingw32 && package mingw32

# The 32-bit program cannot run here: the release test checks only the program of its archive
# (size, stripped, imports), counted as one test.
if bash dist/test-release.sh program build/mingw32/Tembori-*-win32.zip \
  >"$logs/release-program-mingw32.log" 2>&1; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  problems+=("the 32-bit release program (build/logs/release-program-mingw32.log)")
fi

[ "$native_built" -eq 1 ] && run_tests native -j2
# One Wine program at a time (the tests share a desktop): a lock in the tests says so.
[ "$mingw64_built" -eq 1 ] && run_tests mingw64 -j2

finish
