#!/usr/bin/env bash
# Runs a Windows test program under Wine and passes its exit status through; CMake uses it as
# the emulator of the x86_64 Windows build, so every Wine test goes through here.
#
#   wine-test.sh PROGRAM.exe [ARGS...]   run one test program
#   wine-test.sh --start | --stop        begin or end a test session
#
# A session is a throwaway prefix, prepared once, with its wine server kept running, and an
# Xvfb when there is no display; it lives in $TEMBORI_WINE_SESSION (ctest sets that and
# starts and stops the session around the Wine tests). Without a session, a program gets a
# session of its own for the length of its run.
set -uo pipefail

tools_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$tools_dir/wine-prefix.sh"
tembori_wine_environment

readonly desktop_name=tembori-test

# Reads the session in $1 into the environment; fails when there is none or its X server
# has gone.
load_session() {
  local state="$1/session.env"
  [ -f "$state" ] || return 1
  TEMBORI_XVFB_PID=
  # shellcheck source=/dev/null
  source "$state"
  export WINEPREFIX DISPLAY
  [ -z "$TEMBORI_XVFB_PID" ] || tembori_xvfb_alive
}

# Ends the session in $1 (also one left behind by an interrupted run) and removes its prefix.
stop_session() {
  local dir=$1
  if [ -f "$dir/session.env" ]; then
    (
      load_session "$dir"
      wineserver -k >/dev/null 2>&1
      tembori_stop_xvfb
    )
  fi
  rm -rf "$dir/session.env" "$dir/prefix" "$dir/prefix.lock"
}

start_session() {
  local dir=$1
  mkdir -p "$dir"
  (
    flock 8
    load_session "$dir" && exit 0
    stop_session "$dir"
    unset WINEPREFIX
    TEMBORI_XVFB_PID=
    if [ -z "${DISPLAY:-}" ]; then
      tembori_start_xvfb || exit 1
    fi
    if ! tembori_prepare_prefix "$dir/prefix" "$desktop_name"; then
      tembori_stop_xvfb
      exit 1
    fi
    export WINEPREFIX="$dir/prefix"
    tembori_keep_wineserver
    printf 'WINEPREFIX=%q\nDISPLAY=%q\nTEMBORI_XVFB_PID=%q\n' \
      "$WINEPREFIX" "$DISPLAY" "$TEMBORI_XVFB_PID" >"$dir/session.env"
  ) 8>"$dir/session.lock"
}

run_program() {
  wine "$@"
  local status=$?
  if [ $status -eq 53 ]; then
    echo "wine-test: exit status 53: a DLL that $1 needs was not found" >&2
  fi
  return $status
}

case "${1:-}" in
  --start)
    start_session "${TEMBORI_WINE_SESSION:?the session directory is not set}"
    ;;
  --stop)
    stop_session "${TEMBORI_WINE_SESSION:?the session directory is not set}"
    ;;
  "" | -*)
    echo "usage: $0 PROGRAM.exe [ARGS...] | --start | --stop" >&2
    exit 2
    ;;
  *)
    if [ -n "${TEMBORI_WINE_SESSION:-}" ] && load_session "$TEMBORI_WINE_SESSION"; then
      run_program "$@"
    else
      own_session=$(mktemp -d)
      trap 'stop_session "$own_session"; rm -rf "$own_session"' EXIT
      start_session "$own_session" || exit 1
      load_session "$own_session"
      run_program "$@"
    fi
    ;;
esac
