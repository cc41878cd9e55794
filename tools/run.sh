#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, in a Wine desktop window on the user's
# display. Without a display it runs the program on a headless X server instead, saves a
# screenshot once its window is up, closes the program and ends.
#
# The program lives in its own Wine prefix, kept between runs with its registry settings
# and memo files: $TEMBORI_WINEPREFIX, or ~/.local/share/tembori/wineprefix.
# $TEMBORI_DPI sets the display scale the program sees in pixels per inch (96 is 100 %, 144
# is 150 %, 192 is 200 %); without it the prefix is at 96.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
root=$PWD
source tools/wine-prefix.sh

bash tools/setup.sh || exit 1

mkdir -p build/logs
build_log=build/logs/build-run.log
echo "Building Tembori.exe and its help file"
if ! { cmake --preset mingw64 &&
  cmake --build --preset mingw64 --target Tembori tembori_help_file; } \
  >"$build_log" 2>&1; then
  grep -E -A3 '(CMake Error|error|FAILED:)' "$build_log" | head -40
  echo "run: the build failed (see $build_log)" >&2
  exit 1
fi
# The program as built, not one of the copies that packaging makes.
built_program=$(find build/mingw64 -path '*/app/Tembori.exe' -not -path '*/_CPack_Packages/*' | head -1)
if [ -z "$built_program" ]; then
  echo "run: Tembori.exe was built but cannot be found under build/mingw64" >&2
  exit 1
fi

tembori_wine_environment
export WINEPREFIX=${TEMBORI_WINEPREFIX:-$HOME/.local/share/tembori/wineprefix}
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  tembori_start_xvfb || exit 1
fi

[ -f "$WINEPREFIX/.tembori-prepared" ] || echo "Preparing the Wine prefix $WINEPREFIX"
if ! tembori_prepare_prefix "$WINEPREFIX" Tembori; then
  tembori_stop_xvfb
  exit 1
fi

dpi=${TEMBORI_DPI:-96}
if ! [[ $dpi =~ ^[0-9]+$ ]] || ((dpi < 48 || dpi > 480)); then
  echo "run: TEMBORI_DPI must be a number of pixels per inch from 48 to 480, like 144" >&2
  tembori_stop_xvfb
  exit 1
fi
# Wine reads it from the prefix's registry as each program starts.
if ! printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$((10#$dpi))" |
  tembori_import_registry; then
  echo "run: could not set the DPI in the registry of $WINEPREFIX" >&2
  tembori_stop_xvfb
  exit 1
fi

# The program keeps its memo files beside itself, so it runs from inside the prefix, where
# they outlast the build tree.
install_dir="$WINEPREFIX/drive_c/Program Files/Tembori"
mkdir -p "$install_dir"
cp "$built_program" "$install_dir/Tembori.exe" || exit 1
# Help looks for its file beside the program.
cp "$(dirname "$built_program")/tembori.chm" "$install_dir/tembori.chm" || exit 1
program='C:\Program Files\Tembori\Tembori.exe'

if [ $headless -eq 0 ]; then
  echo "Starting Tembori on $DISPLAY (Wine prefix $WINEPREFIX)"
  wine "$program"
  exit
fi

screenshot=${TEMBORI_SCREENSHOT:-$root/build/tembori-screenshot.png}
run_log=build/logs/run-wine.log
echo "No display: running Tembori on Xvfb $DISPLAY"
wine "$program" >"$run_log" 2>&1 &
program_pid=$!

# Closes the program as a user would, so that it saves its window position, then waits for
# Wine to finish writing the registry.
stop_program() {
  if kill -0 "$program_pid" 2>/dev/null; then
    wine taskkill /im Tembori.exe >/dev/null 2>&1
    local tries
    for ((tries = 0; tries < 50; tries++)); do
      kill -0 "$program_pid" 2>/dev/null || break
      sleep 0.2
    done
  fi
  timeout 20 wineserver -w || wineserver -k
  tembori_stop_xvfb
}
trap stop_program EXIT

# Wine's windows show up in the X tree under the program's name; its 1x1 helper windows
# do not count.
window_up() {
  xwininfo -root -tree 2>/dev/null | grep -i '("tembori\.exe"' | grep -vq ' 1x1+'
}
status=0
for ((tries = 0; tries < 60; tries++)); do
  window_up && break
  if ! kill -0 "$program_pid" 2>/dev/null; then
    wait "$program_pid"
    echo "run: Tembori ended with status $? before showing its window (see $run_log)" >&2
    status=1
    break
  fi
  sleep 0.5
done
if [ $status -eq 0 ] && ! window_up; then
  echo "run: no Tembori window after 30 seconds" >&2
  status=1
fi
# Give the window time to paint before the picture is taken.
[ $status -eq 0 ] && sleep 2
mkdir -p "$(dirname "$screenshot")"
if import -window root "$screenshot"; then
  echo "Screenshot saved to $screenshot"
else
  status=1
fi
exit $status
