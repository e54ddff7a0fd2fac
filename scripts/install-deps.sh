#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build needs, when they are missing.
#   scripts/install-deps.sh          what building and testing need
#   scripts/install-deps.sh --fuzz   also clang with libFuzzer, for the fuzz targets
#   scripts/install-deps.sh --bench  also the programs the benchmarks compare with: python3-vobject,
#                                    python3-pandas, and the GNOME data server's vCard parser
#                                    (evolution-data-server's libebook-contacts1.2-dev)
set -euo pipefail

packages=(cmake ninja-build g++ make libgtest-dev qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev xvfb xauth xdotool x11-utils dbus python3-dbus python3-gi libglib2.0-bin poppler-utils time
    desktop-file-utils appstream man-db bash-completion dpkg-dev qtkeychain-qt6-dev radicale xandikos vdirsyncer khard openssl procps curl)
case "${1:-}" in
--fuzz) packages+=(clang libclang-rt-dev) ;;
--bench) packages+=(python3-vobject python3-pandas libebook-contacts1.2-dev pkg-config) ;;
esac

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
