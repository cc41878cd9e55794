# Wine set-up shared by the test launcher and the run command; sourced, not run.
# shellcheck shell=bash
# The program expects a Japanese Windows: code page 932 comes from the ja_JP.UTF-8 locale,
# its dialog fonts ("ＭＳ Ｐゴシック", "ＭＳ ゴシック") are mapped to the IPA Gothic fonts, and
# Marlett must be where the caption buttons look for it. A prefix is prepared once and
# remembers that in a stamp file, so that a kept prefix starts quickly.

# Raise when the preparation changes, so that kept prefixes are prepared again.
readonly TEMBORI_PREFIX_VERSION=1

# The screen of the tests and of the headless run; the Wine desktop has the same size.
readonly TEMBORI_SCREEN_SIZE=1024x768

# Preparing a prefix and starting a test session each hold a lock on descriptor 9 or 8.
# Wine leaves its server and system processes running after a command ends, and so does
# Xvfb: started with those descriptors open, they would go on holding the lock.
tembori_unlocked() {
  "$@" 8>&- 9>&-
}

tembori_wine_environment() {
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  unset LANGUAGE
  export WINEDEBUG=-all
}

# Imports registry lines (UTF-8 on stdin, .reg syntax) into $WINEPREFIX. The file is written
# in UTF-16 so that the full-width font names arrive whatever the console code page.
tembori_import_registry() {
  local file="$WINEPREFIX/drive_c/tembori-setup.reg"
  { printf 'Windows Registry Editor Version 5.00\r\n\r\n'; sed 's/$/\r/'; } |
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$file"
  tembori_unlocked wine reg import 'C:\tembori-setup.reg' >/dev/null 2>&1
  local status=$?
  rm -f "$file"
  return $status
}

# Prints the values of a registry key as UTF-8 ("name    REG_SZ    data" lines).
tembori_query_registry() {
  tembori_unlocked wine reg query "$1" 2>/dev/null | iconv -f CP932 -t UTF-8
}

# Prepares the prefix $1 once: creates it without the Mono and Gecko installers, turns the
# crash dialog off, installs Marlett and the Japanese font replacements. With a desktop
# name in $2, every program in the prefix runs in a Wine virtual desktop of that name, which
# gives windows their captions and the tests a screen of known size. Concurrent callers
# wait for each other, so a prefix is never created twice at once.
tembori_prepare_prefix() {
  local prefix=$1 desktop=${2:-}
  local stamp="$prefix/.tembori-prepared"
  local wanted="version $TEMBORI_PREFIX_VERSION desktop ${desktop:-none}"
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    [ "$(cat "$stamp" 2>/dev/null)" = "$wanted" ] && exit 0
    export WINEPREFIX=$prefix
    if [ ! -d "$prefix/drive_c/windows/system32" ]; then
      WINEDLLOVERRIDES="mscoree=;mshtml=" tembori_unlocked wine wineboot --init \
        </dev/null >/dev/null 2>&1
      if [ ! -d "$prefix/drive_c/windows/system32" ]; then
        echo "wine: could not create the prefix $prefix" >&2
        exit 1
      fi
    fi
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" || exit 1
    {
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n"ShowCrashDialog"=dword:00000000\n\n'
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n'
      printf '"ＭＳ Ｐゴシック"="IPAPGothic"\n"ＭＳ ゴシック"="IPAGothic"\n\n'
      if [ -n "$desktop" ]; then
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="%s"\n\n' "$desktop"
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"%s"="%s"\n\n' \
          "$desktop" "$TEMBORI_SCREEN_SIZE"
      fi
    } | tembori_import_registry || {
      echo "wine: could not write the registry of $prefix" >&2
      exit 1
    }
    local replacements
    replacements=$(tembori_query_registry 'HKCU\Software\Wine\Fonts\Replacements')
    if ! grep -q 'ＭＳ Ｐゴシック.*IPAPGothic' <<<"$replacements" ||
      ! grep -q 'ＭＳ ゴシック.*IPAGothic' <<<"$replacements"; then
      echo "wine: the font replacements did not reach the registry of $prefix" >&2
      exit 1
    fi
    echo "$wanted" >"$stamp"
  ) 9>"$prefix.lock"
}

# Starts a headless X server on a free display; sets DISPLAY and TEMBORI_XVFB_PID.
tembori_start_xvfb() {
  local display_file
  display_file=$(mktemp)
  # Started directly (not through tembori_unlocked) so that $! is the server itself.
  setsid Xvfb -displayfd 3 -screen 0 "${TEMBORI_SCREEN_SIZE}x24" -nolisten tcp \
    3>"$display_file" </dev/null >/dev/null 2>&1 8>&- 9>&- &
  TEMBORI_XVFB_PID=$!
  # Until it has exec'd, the new process does not carry the name Xvfb yet.
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    [ -s "$display_file" ] && break
    kill -0 "$TEMBORI_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$display_file" ]; then
    rm -f "$display_file"
    kill "$TEMBORI_XVFB_PID" 2>/dev/null
    TEMBORI_XVFB_PID=
    echo "wine: Xvfb did not start" >&2
    return 1
  fi
  DISPLAY=":$(tr -d '\n' <"$display_file")"
  export DISPLAY
  rm -f "$display_file"
}

# True while the X server of TEMBORI_XVFB_PID runs (and has not merely left a zombie). The
# name is checked as well: a pid kept from an interrupted run may belong to another process.
tembori_xvfb_alive() {
  local stat
  stat=$(cat "/proc/${TEMBORI_XVFB_PID:-none}/stat" 2>/dev/null) || return 1
  [[ $stat =~ ^[0-9]+\ \(Xvfb\)\ ([A-Z]) ]] && [ "${BASH_REMATCH[1]}" != Z ]
}

tembori_stop_xvfb() {
  tembori_xvfb_alive || return 0
  kill "$TEMBORI_XVFB_PID" 2>/dev/null
  local tries
  for ((tries = 0; tries < 50; tries++)); do
    tembori_xvfb_alive || break
    sleep 0.1
  done
  TEMBORI_XVFB_PID=
}

# Keeps the wine server of $WINEPREFIX running between programs: without it every program
# pays Wine's start-up and shut-down delay. The first program started after it spawns
# Wine's own background processes, which keep any output they inherit open; that program
# is this warm-up with its output on /dev/null, so that no test's output pipe stays open.
# A server that is already running (the one that prepared the prefix) cannot be made
# persistent, so that one is let finish first.
tembori_keep_wineserver() {
  timeout 60 wineserver -w
  if ! tembori_unlocked wineserver -p </dev/null >/dev/null 2>&1; then
    echo "wine: the wine server could not be kept running; programs will start slowly" >&2
  fi
  tembori_unlocked wine cmd /c exit </dev/null >/dev/null 2>&1
}
