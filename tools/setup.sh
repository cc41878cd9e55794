#!/usr/bin/env bash
# Installs what building and testing Tembori needs on Debian 12, and only what is missing:
# compilers, Wine, a headless X server, the Japanese locale and fonts. Quiet and quick when
# everything is already there; never asks anything, so it also runs in CI without a terminal.
set -euo pipefail

packages=(
  cmake ninja-build g++ doctest-dev python3
  # An independent iCalendar parser, which reads the exports in the tests.
  python3-icalendar
  g++-mingw-w64-x86-64 g++-mingw-w64-i686
  # Wine, and the fonts it ships (Marlett draws the caption buttons); the X libraries that it
  # loads at run time are only recommended, so they are named here.
  wine wine64 fonts-wine libxcursor1 libxi6 libxrandr2 libxrender1 libxinerama1
  libxcomposite1 libxfixes3 libxxf86vm1
  # A screen for the tests and the headless run, the tools that look at it, and one that
  # drives it with the mouse and keyboard when trying the program by hand.
  xvfb xauth x11-utils imagemagick xdotool
  # Shift-JIS texts: the ja_JP.UTF-8 locale gives Wine code page 932.
  locales fonts-ipafont-gothic
  # The help file: chmcmd compiles it, extract_chmLib unpacks it for its test; makensis
  # makes the installer.
  fp-utils libchm-bin nsis
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "setup: need root to run: $*" >&2
    exit 1
  fi
}

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
  [ "${status:0:2}" = "ii" ] || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  log=$(mktemp)
  if ! { as_root apt-get update -qq &&
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold "${missing[@]}"; \
    } </dev/null >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "setup: installing packages failed" >&2
    exit 1
  fi
  rm -f "$log"
fi

# locale -a spells the locale ja_JP.utf8.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  as_root sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen --keep-existing >/dev/null
fi
