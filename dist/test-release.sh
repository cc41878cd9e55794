#!/usr/bin/env bash
# Tries the release as a user would, under Wine in the test session's prefix
# ($TEMBORI_WINE_SESSION, which ctest starts):
#
#   test-release.sh archive Tembori-<version>-win64.zip [help_standin.dll]
#       the archive holds the program, the help file and the read-me in one folder; the help
#       file holds the help's pages and nothing else; the program is stripped and small, and
#       starts from the unzipped folder; given the tests' stand-in HTML Help control, F1 there
#       opens the help file beside the program
#   test-release.sh program Tembori-<version>-win32.zip
#       only the program in the archive, without Wine: stripped, small, and without the
#       libraries it loads on first use among its imports (for the 32-bit archive, which this
#       machine cannot run)
#   test-release.sh installer Tembori-<version>-win64-setup.exe
#       a silent per-user install puts the files, the Start-menu entry and the uninstall
#       entry in place, with a read-me for an installed copy; the program starts from there and
#       its folder is writable; the silent uninstaller removes what was installed and, with
#       /PURGE, the settings and the program's memo files, but no other file of the user's
set -uo pipefail

tools_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tools" && pwd)
pages_dir=$(cd "$tools_dir/../help/pages" && pwd)
source "$tools_dir/wine-prefix.sh"
tembori_wine_environment
use_wine_session() {
  local session=${TEMBORI_WINE_SESSION:?the Wine test session is not set}
  # shellcheck source=/dev/null
  source "$session/session.env" || exit 1
  export WINEPREFIX DISPLAY
}

# The program's budget per architecture, so that growth is a decision. With every feature
# the program took 293 KB (x86_64) and 347 KB (i686) optimised per file; optimised as one at
# link time with only the standard string members it uses, it fits these. The 32-bit program
# is built without exceptions (their DWARF unwinder and tables were a quarter of it) and is
# held to the limit of both, 200 KB.
readonly max_program_bytes_x86_64=$((199 * 1024))
readonly max_program_bytes_i686=$((200 * 1024))
readonly settings_key='HKCU\Software\Tembori'
readonly position_key='HKCU\Software\Tembori\Config\Position'
readonly uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tembori'
readonly run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
expect_file() { [ -f "$1" ] || fail "$2"; }
expect_no_file() { [ ! -e "$1" ] || fail "$2"; }

key_exists() { tembori_unlocked wine reg query "$1" >/dev/null 2>&1; }
# The data of value $2 of key $1, as UTF-8.
value_of() {
  tembori_query_registry "$1" | tr -d '\r' |
    awk -v name="$2" '$1 == name && $2 ~ /^REG_/ { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
# A Windows environment variable of the prefix's user.
windows_variable() { tembori_unlocked wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r\n'; }
unix_path() { tembori_unlocked winepath -u "$1" 2>/dev/null; }

# Polls `$@` for up to $1 seconds.
wait_for() {
  local seconds=$1 tries
  shift
  for ((tries = 0; tries < seconds * 4; tries++)); do
    "$@" && return 0
    sleep 0.25
  done
  return 1
}

# Starts the program at the Windows path $1 with no settings stored, waits until its window
# has been created (it stores its position then), runs the command $2... if given, and
# closes the program as a user would.
start_program() {
  local program=$1
  shift
  tembori_unlocked wine reg delete "$settings_key" /f >/dev/null 2>&1
  tembori_unlocked wine "$program" >/dev/null 2>&1 &
  local pid=$!
  if ! wait_for 30 key_exists "$position_key"; then
    fail "$program did not start (no window position stored)"
  elif [ $# -gt 0 ]; then
    "$@"
  fi
  tembori_unlocked wine taskkill /im Tembori.exe >/dev/null 2>&1
  if ! wait_for 20 bash -c "! kill -0 $pid 2>/dev/null"; then
    fail "$program did not end when asked to close"
    kill "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
}

readonly help_control_key='HKCR\CLSID\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\InprocServer32'

# F1 on the calendar, after a click on its caption gives it the keyboard. The stored
# position is the window's place on the test session's Wine desktop.
press_help_key() {
  local left top X=0 Y=0 desktop
  left=$(value_of "$position_key" Left)
  top=$(value_of "$position_key" Top)
  desktop=$(xdotool search --name '^tembori-test - Wine desktop$' 2>/dev/null | head -1)
  [ -z "$desktop" ] || eval "$(xdotool getwindowgeometry --shell "$desktop" | grep -E '^[XY]=[0-9]+$')"
  xdotool mousemove $((X + left + 60)) $((Y + top + 10)) click 1
  sleep 0.5
  xdotool key F1
  wait_for 20 test -s "$help_log" || fail "F1 did not ask the HTML Help control for help"
}

# Starts the unpacked program ($1, a Windows path in the folder $2) with the stand-in control
# ($3) registered, presses F1 and checks that the help file beside the program was asked for,
# at its default topic, with no owner window. Wine's own control is registered again after.
check_help_beside_program() {
  local program=$1 folder=$2 standin=$3
  cp "$standin" "$folder/help_standin.dll" || return
  local saved='C:\tembori-archive-test\help-control.reg'
  tembori_unlocked wine reg export "$help_control_key" "$saved" /y >/dev/null 2>&1
  tembori_unlocked wine reg add "$help_control_key" /ve /d 'C:\tembori-archive-test\help_standin.dll' /f \
    >/dev/null 2>&1 || fail "the stand-in control cannot be registered"
  help_log="$folder/help-calls.txt"
  rm -f "$help_log"
  TEMBORI_HELP_STANDIN_LOG='C:\tembori-archive-test\help-calls.txt' start_program "$program" press_help_key
  tembori_unlocked wine reg import "$saved" >/dev/null 2>&1 || fail "Wine's HTML Help control is not registered again"
  local expected
  expected=$(printf '0\t%s\t0\t0' "${program%\\*}\\tembori.chm")
  [ "$(tr -d '\r' <"$help_log" 2>/dev/null)" = "$expected" ] ||
    fail "F1 asked for help with"$'\n'"$(cat "$help_log" 2>/dev/null)"$'\n'"instead of"$'\n'"$expected"
}

# The released program at $1: within the size limit, stripped, and loading the shell, the
# common dialogs and the accessibility libraries only when first used.
check_program() {
  local program=$1 bytes format imports library limit=$max_program_bytes_x86_64
  bytes=$(stat -c %s "$program")
  # This objdump reads 32-bit programs as well; its words only in the C locale.
  format=$(LC_ALL=C x86_64-w64-mingw32-objdump -f "$program" 2>/dev/null)
  [[ $format == *'file format pei-i386'* ]] && limit=$max_program_bytes_i686
  echo "Tembori.exe: $bytes bytes"
  [ "$bytes" -le "$limit" ] || fail "Tembori.exe is $bytes bytes, more than $limit"
  x86_64-w64-mingw32-objdump -h "$program" 2>/dev/null | grep -q '\.debug' &&
    fail "Tembori.exe is not stripped"
  imports=$(x86_64-w64-mingw32-objdump -p "$program" | awk '$1 == "DLL" && $2 == "Name:" { print tolower($3) }')
  [ -n "$imports" ] || fail "the imports of Tembori.exe cannot be read"
  for library in shell32.dll comdlg32.dll oleacc.dll oleaut32.dll; do
    grep -qx "$library" <<<"$imports" && fail "Tembori.exe imports $library at start"
  done
}

# Only the program of the archive $1.
test_program() {
  local archive=$1 folder
  folder=$(mktemp -d)
  if (cd "$folder" && cmake -E tar xf "$archive"); then
    check_program "$folder/$(basename "$archive" .zip)/Tembori.exe"
  else
    fail "the archive cannot be unpacked"
  fi
  rm -rf "$folder"
}

test_archive() {
  local archive=$1 standin=${2:-} name
  name=$(basename "$archive" .zip)
  local listing expected
  listing=$(cmake -E tar tf "$archive" | grep -v '/$' | sort)
  expected=$(printf '%s\n' "$name/ReadMe.txt" "$name/Tembori.exe" "$name/tembori.chm" | sort)
  [ "$listing" = "$expected" ] || fail "the archive holds"$'\n'"$listing"$'\n'"instead of"$'\n'"$expected"
  echo "$listing"

  local folder="$WINEPREFIX/drive_c/tembori-archive-test"
  rm -rf "$folder" && mkdir -p "$folder"
  (cd "$folder" && cmake -E tar xf "$archive") || fail "the archive cannot be unpacked"
  local program="$folder/$name/Tembori.exe"
  expect_file "$program" "no Tembori.exe in the archive"
  check_program "$program"
  expect_file "$folder/$name/tembori.chm" "no help file beside the program"
  # Beside the compiler's own entries (#..., $..., its signature), the help's sources only.
  local unpacked="$folder/chm" shipped
  extract_chmLib "$folder/$name/tembori.chm" "$unpacked" >/dev/null 2>&1 ||
    fail "the help file cannot be unpacked"
  shipped=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | grep -v -E '^[#$]|^_#_README_#_$' | sort)
  expected=$(cd "$pages_dir" && ls | grep -E '\.(html|css)$|^tembori\.hh[ck]$|^tembori_pop_hlp\.txt$' | sort)
  [ "$shipped" = "$expected" ] ||
    fail "the help file holds"$'\n'"$shipped"$'\n'"instead of"$'\n'"$expected"
  local windows_program="C:\\tembori-archive-test\\$name\\Tembori.exe"
  if [ -n "$standin" ]; then
    check_help_beside_program "$windows_program" "$folder" "$standin"
  else
    start_program "$windows_program"
  fi
  rm -rf "$folder"
}

test_installer() {
  local setup=$1
  local local_appdata roaming_appdata
  local_appdata=$(windows_variable LOCALAPPDATA)
  roaming_appdata=$(windows_variable APPDATA)
  local install="$local_appdata\\Programs\\Tembori"
  local install_dir start_menu_link
  install_dir=$(unix_path "$install")
  start_menu_link=$(unix_path "$roaming_appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Tembori.lnk")
  [ -n "$install_dir" ] && [ -n "$start_menu_link" ] || {
    fail "the user's folders cannot be found"
    return
  }
  rm -rf "$install_dir"
  cp "$setup" "$WINEPREFIX/drive_c/tembori-setup.exe" || return

  tembori_unlocked wine 'C:\tembori-setup.exe' /S >/dev/null 2>&1 || fail "the silent install failed"
  # Under a busy wine server the installer's last files can land just after it has returned.
  wait_for 30 test -e "$install_dir/Uninstall.exe" -a -e "$install_dir/ReadMe.txt"
  local file
  for file in Tembori.exe tembori.chm ReadMe.txt Uninstall.exe; do
    expect_file "$install_dir/$file" "the installer did not put $file into $install"
  done
  expect_file "$start_menu_link" "no Start-menu entry"
  # The read-me of an installed copy, not the archive's "no installation needed".
  local readme
  readme=$(iconv -f CP932 -t UTF-8 "$install_dir/ReadMe.txt" 2>/dev/null)
  grep -q 'インストールは要りません' <<<"$readme" && fail "the installed read-me says no installation is needed"
  grep -q 'アンインストールするには' <<<"$readme" || fail "the installed read-me does not say how to uninstall"
  [ "$(value_of "$uninstall_key" DisplayName)" = Tembori ] || fail "no entry in the installed programs"
  [ "$(value_of "$uninstall_key" UninstallString)" = "\"$install\\Uninstall.exe\"" ] ||
    fail "the uninstall entry does not name the uninstaller"
  [ -z "$(value_of "$run_key" Tembori)" ] || fail "Tembori starts at logon without being asked to"

  start_program "$install\\Tembori.exe"
  # What the program does when it keeps memos in files beside itself.
  # (cmd's redirection takes no quoted path here; the user's folders have no blanks.)
  tembori_unlocked wine cmd /c "echo [12]>$install\\tb2003.mem" >/dev/null 2>&1
  expect_file "$install_dir/tb2003.mem" "the program's folder is not writable"

  # A silent uninstall keeps the settings and the memo files, and so the folder.
  tembori_unlocked wine "$install\\Uninstall.exe" /S >/dev/null 2>&1
  wait_for 30 test ! -e "$install_dir/Tembori.exe" || fail "the uninstaller left Tembori.exe"
  wait_for 10 test ! -e "$install_dir/Uninstall.exe" || fail "the uninstaller left itself"
  for file in tembori.chm ReadMe.txt; do
    expect_no_file "$install_dir/$file" "the uninstaller left $file"
  done
  expect_no_file "$start_menu_link" "the uninstaller left the Start-menu entry"
  key_exists "$uninstall_key" && fail "the uninstaller left its entry in the installed programs"
  key_exists "$settings_key" || fail "a plain silent uninstall removed the settings"
  expect_file "$install_dir/tb2003.mem" "a plain silent uninstall removed the memo file"

  # Installed again with the start at logon, then removed with everything.
  tembori_unlocked wine 'C:\tembori-setup.exe' /S /LOGON >/dev/null 2>&1 || fail "the silent install failed"
  [ "$(value_of "$run_key" Tembori)" = "\"$install\\Tembori.exe\"" ] ||
    fail "/LOGON did not make Tembori start at logon"
  # The user's own files beside the memo files, with names close to theirs, stay.
  local own
  for own in tb_mine_backup.mem tb20031.mem tb203.mem tb2O03.mem; do
    echo own >"$install_dir/$own"
  done
  tembori_unlocked wine "$install\\Uninstall.exe" /S /PURGE >/dev/null 2>&1
  # The uninstaller goes on in a copy of itself; the memo file goes last but one.
  wait_for 30 test ! -e "$install_dir/tb2003.mem" || fail "the uninstaller with /PURGE left the memo file"
  sleep 1
  for own in tb_mine_backup.mem tb20031.mem tb203.mem tb2O03.mem; do
    expect_file "$install_dir/$own" "the uninstaller with /PURGE removed the user's $own"
  done
  local left
  left=$(ls -A "$install_dir" 2>/dev/null | wc -l)
  [ "$left" -eq 4 ] || fail "the uninstaller with /PURGE left $(ls -A "$install_dir" | tr '\n' ' ')"
  rm -rf "$install_dir"
  key_exists "$settings_key" && fail "the uninstaller with /PURGE left the settings"
  [ -z "$(value_of "$run_key" Tembori)" ] || fail "the uninstaller left the start at logon"
  rm -f "$WINEPREFIX/drive_c/tembori-setup.exe"
}

case "${1:-}:${2:-}" in
  archive:?*) use_wine_session && test_archive "$(realpath "$2")" "${3:+$(realpath "$3")}" ;;
  program:?*) test_program "$(realpath "$2")" ;;
  installer:?*) use_wine_session && test_installer "$(realpath "$2")" ;;
  *)
    echo "usage: $0 archive ZIP [STAND-IN.dll] | program ZIP | installer SETUP.exe" >&2
    exit 2
    ;;
esac
if [ "$failures" -ne 0 ]; then
  echo "$failures problems" >&2
  exit 1
fi
echo "the release works"
