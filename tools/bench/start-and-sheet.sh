#!/usr/bin/env bash
# Measures the calendar's start and settings sheet under Wine against bare programs built
# here, and prints the medians side by side. Run by hand, not by CI:
#
#   bash tools/bench/start-and-sheet.sh [--fonts N] [--rounds R] [--sheet-rounds S]
#                                       [--server-calls] [LABEL=Tembori.exe...]
#
# The bare programs (windows/BareWindow.cpp) are one window with the calendar's manifest and
# an empty four-page sheet: "bare" imports what a window and a sheet need, "bare-imports"
# also one function of every library the calendar imports at start (the input method and the
# registry: the calendar loads the shell, the common dialogs and the accessibility libraries
# on first use); "bare-pages" has those imports, the calendar's window (its styles, size, five
# controls and texts) and its own four pages, without code but for filling the font page's
# lists: the platform's share of the calendar's start and sheet. Without programs given, the calendar of the mingw64 build is measured
# (built when missing), stripped as it is released. N extra font files (default 300), copies
# of Wine's Tahoma under family names of their own, go into the throwaway prefix's Fonts
# folder; the number of faces the font page would list is printed.
# Every round starts each program once, interleaved, beginning one program later than the
# round before; the sheet is opened, switched to the font page and cancelled S times per
# start after a first, uncounted opening. Below the medians, the resident memory by mapping
# where a program's differs from bare-imports'.
# --server-calls also counts each program's wine server requests per sheet measure, which
# do not depend on the machine's load (server-calls.py); the traced server is slow, so the
# times of such a run are not comparable with others (one round is enough for the counts).
set -uo pipefail

bench_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$bench_dir/../.." && pwd)
source "$root/tools/wine-prefix.sh"
tembori_wine_environment

fonts=300
rounds=7
sheet_rounds=5
server_calls=
programs=()
while [ $# -gt 0 ]; do
  case $1 in
    --fonts) fonts=$2 && shift 2 ;;
    --rounds) rounds=$2 && shift 2 ;;
    --sheet-rounds) sheet_rounds=$2 && shift 2 ;;
    --server-calls) server_calls=1 && shift ;;
    *=*) programs+=("$1") && shift ;;
    *)
      sed -n '2,24s/^# \{0,1\}//p' "${BASH_SOURCE[0]}" >&2
      exit 2
      ;;
  esac
done

work=$root/build/bench
mkdir -p "$work"
targets=(tembori_resources)
[ ${#programs[@]} -eq 0 ] && targets+=(Tembori) && programs=("tembori=$root/build/mingw64/app/Tembori.exe")
(cd "$root" && cmake --preset mingw64 >/dev/null && cmake --build --preset mingw64 --target "${targets[@]}" >/dev/null) ||
  { echo "the calendar does not build" >&2; exit 1; }

# The bare programs and the driver.
cxx=x86_64-w64-mingw32-g++
flags=(-Os -std=c++17 -Wall -Wextra -Werror -static -s)
cp "$root/res/Tembori.manifest" "$work/" &&
  x86_64-w64-mingw32-windres -I"$bench_dir/windows" -I"$work" "$bench_dir/windows/Bare.rc" -O coff -o "$work/bare.res" &&
  $cxx "${flags[@]}" -mwindows "$bench_dir/windows/BareWindow.cpp" "$work/bare.res" -o "$work/bare.exe" -lcomctl32 &&
  $cxx "${flags[@]}" -mwindows -DBARE_SAME_IMPORTS "$bench_dir/windows/BareWindow.cpp" "$work/bare.res" \
    -o "$work/bare-imports.exe" -lcomctl32 -limm32 -ladvapi32 &&
  $cxx "${flags[@]}" -mwindows -DBARE_CALENDAR_PAGES -DBARE_SAME_IMPORTS -fexec-charset=CP932 \
    -I"$root/res" "$bench_dir/windows/BareWindow.cpp" \
    "$root/build/mingw64/res/CMakeFiles/tembori_resources.dir/Tembori.rc.res" -o "$work/bare-pages.exe" \
    -lcomctl32 -limm32 -ladvapi32 &&
  $cxx "${flags[@]}" "$bench_dir/windows/BenchDriver.cpp" -o "$work/bench-driver.exe" -lgdi32 -lcomctl32 ||
  { echo "the bare programs do not build" >&2; exit 1; }

# A throwaway prefix on an X server of its own.
session=$(mktemp -d "$work/session.XXXXXX")
finish() {
  WINEPREFIX=$session/prefix wineserver -k >/dev/null 2>&1
  tembori_stop_xvfb
  rm -rf "$session"
}
trap finish EXIT
tembori_start_xvfb || exit 1
tembori_prepare_prefix "$session/prefix" tembori-bench || exit 1
export WINEPREFIX=$session/prefix
folder=$(basename "$session")
drive=$WINEPREFIX/drive_c/$folder
mkdir -p "$drive"
python3 "$bench_dir/make-fonts.py" "$WINEPREFIX/drive_c/windows/Fonts" "$fonts" \
  /usr/share/wine/fonts/tahoma.ttf || exit 1
if [ -n "$server_calls" ]; then
  # A server of its own that writes every request; only the requests are kept.
  timeout 60 wineserver -w
  tembori_unlocked wineserver -f -p -d1 2>&1 >/dev/null </dev/null |
    grep --line-buffered -aE '^[0-9a-f]{4}: [a-z_]+\( ' >"$work/server-trace.txt" &
  tembori_unlocked wine cmd /c exit </dev/null >/dev/null 2>&1
else
  tembori_keep_wineserver
fi

arguments=()
for program in bare bare-imports bare-pages; do
  cp "$work/$program.exe" "$drive/" && arguments+=("$program=C:\\$folder\\$program.exe")
done
for program in "${programs[@]}"; do
  label=${program%%=*}
  x86_64-w64-mingw32-strip -o "$drive/$label.exe" "${program#*=}" || exit 1
  arguments+=("$label=C:\\$folder\\$label.exe")
done
cp "$work/bench-driver.exe" "$drive/"

# One uncounted round first: the first start of each program fills Wine's caches.
tembori_unlocked wine "C:\\$folder\\bench-driver.exe" 1 1 2 "${arguments[@]}" >/dev/null 2>&1
tembori_unlocked wine "C:\\$folder\\bench-driver.exe" "$rounds" "$sheet_rounds" 2 "${arguments[@]}" \
  2>&1 | tr -d '\r' >"$work/samples.txt"

python3 "$bench_dir/summarise.py" "$work/samples.txt" "$fonts"
if [ -n "$server_calls" ]; then
  python3 "$bench_dir/server-calls.py" "$work/server-trace.txt"
fi
