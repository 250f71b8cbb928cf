#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when
# they are missing. Safe to run again.
set -euo pipefail

# The last four are for the packaging tests: desktop-file-validate, man,
# dpkg-shlibdeps (the package's dependencies), systemd-analyze.
packages=(g++ make cmake libgtest-dev libgmock-dev qt6-base-dev xvfb xauth fonts-dejavu-core
          desktop-file-utils man-db dpkg-dev systemd)
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
