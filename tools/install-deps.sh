#!/usr/bin/env bash
# Installs the Debian packages Tintry needs to build, run and test, and only
# those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang clang-format
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl1-mesa-dev libxcb1-dev libqt6svg6
  liblcms2-dev liblcms2-utils argyll libhpdf-dev
  icc-profiles-free libgs-common ghostscript
  xvfb xauth imagemagick xdotool locales x11-utils dbus-daemon
  desktop-file-utils appstream man-db groff-base
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# Files are checked to keep their decimal point under a comma-decimal locale.
need_locale=0
locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' || need_locale=1
[ ${#missing[@]} -eq 0 ] && [ $need_locale -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]} (and the de_DE.UTF-8 locale)" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
if [ $need_locale -eq 1 ]; then
  echo "Generating the de_DE.UTF-8 locale for the tests"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
