#!/usr/bin/env bash
# Installs the Debian packages that are missing, and only those. Safe to run again.
#   bash scripts/setup.sh run    what building and running the three programs needs
#   bash scripts/setup.sh        everything: the above plus the test and packaging tools
set -euo pipefail

# Compiler, CMake and Qt 6 (Qt Test comes with qt6-base-dev); PCRE2, found
# through pkg-config, for the patterns in a scenario's expected replies.
packages=(g++ make cmake qt6-base-dev fonts-dejavu-core libpcre2-dev pkgconf)
# Without a display the window opens on a virtual one.
if [ "${1:-all}" != run ] || [ -z "${DISPLAY:-}" ]; then
    packages+=(xvfb xauth)
fi
if [ "${1:-all}" != run ]; then
    # GoogleTest; desktop-file-validate, man, dpkg-shlibdeps and systemd-analyze for the
    # packaging tests; socat and ser2net for the serial-server bridge tests.
    packages+=(libgtest-dev libgmock-dev desktop-file-utils man-db dpkg-dev systemd socat ser2net)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
