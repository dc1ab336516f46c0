#!/usr/bin/env bash
# Installs the Debian packages Dirwright needs to build, run and test, when any is missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config git
          qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libqt6svg6 qt6-wayland adwaita-icon-theme
          fonts-dejavu-core
          libgtest-dev libgmock-dev googletest libbenchmark-dev
          clang libclang-rt-14-dev clang-format
          xvfb xauth imagemagick
          desktop-file-utils appstream man-db zsh bash-completion
          mmv rename time bc)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
