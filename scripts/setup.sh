#!/usr/bin/env bash
# Installs the Debian packages that are missing, and only those. Safe to run again.
#   bash scripts/setup.sh run    what building and running the three programs needs
#   bash scripts/setup.sh        everything: the above plus the test and packaging tools
set -euo pipefail

# Compiler, CMake and Qt 6 (Qt Test comes with qt6-base-dev); PCRE2, found
# through pkg-config, for the patterns in a scenario's expected replies; Qt's own
# translations, for its dialogs in Portuguese.
packages=(g++ make cmake qt6-base-dev fonts-dejavu-core libpcre2-dev pkgconf
          qt6-translations-l10n)
# Without a display the window opens on a virtual one.
if [ "${1:-all}" != run ] || [ -z "${DISPLAY:-}" ]; then
    packages+=(xvfb xauth)
fi
if [ "${1:-all}" != run ]; then
    # GoogleTest; desktop-file-validate, man, dpkg-shlibdeps and systemd-analyze for the
    # packaging tests; socat and ser2net for the serial-server bridge tests; locales for the
    # users' locales, under which the number and field rules are tested.
    packages+=(libgtest-dev libgmock-dev desktop-file-utils man-db dpkg-dev systemd socat ser2net
               locales)
fi
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The locales the window's users have, generated the Debian way (the lines of
# /etc/locale.gen, then locale-gen), only when one is missing.
if [ "${1:-all}" != run ]; then
    wanted=(pt_BR.UTF-8 en_US.UTF-8)
    have="$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | tr -d -- '-')"
    generate=0
    for l in "${wanted[@]}"; do
        short="$(echo "$l" | tr '[:upper:]' '[:lower:]' | tr -d -- '-')"
        grep -qx "$short" <<<"$have" && continue
        generate=1
        if grep -q "^# *$l UTF-8" /etc/locale.gen 2>/dev/null; then
            $sudo sed -i "s/^# *$l UTF-8/$l UTF-8/" /etc/locale.gen
        elif ! grep -q "^$l UTF-8" /etc/locale.gen 2>/dev/null; then
            echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
        fi
    done
    if ((generate)); then
        echo "Generating the locales ${wanted[*]}"
        $sudo locale-gen >/dev/null
    fi
fi
