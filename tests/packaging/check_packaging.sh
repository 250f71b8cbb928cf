#!/usr/bin/env bash
# Checks of the installation and of the Debian package, one per CTest test:
#   install BUILD STAGE            install into STAGE; it must hold exactly the expected files
#   man_pages STAGE                the manual pages render without warnings and cover every option
#   desktop_entry STAGE            desktop-file-validate; its program, icon and directory exist
#   service_unit STAGE             systemd-analyze verify on an instance of the unit; no
#                                  binding to the device that would stop it at a replug
#   info_without_display CUPONEX VERSION
#                                  --help and --version answer without a display
#   debian_package BUILD VERSION   build the package, install it with apt-get away from the
#                                  build tree, use it, remove it (root only; 77 = skipped)
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

skip() {
    echo "SKIPPED: $*"
    exit 77
}

need() {
    command -v "$1" >/dev/null || fail "$1 is missing (scripts/setup.sh installs it)"
}

# Everything an installation holds, relative to its prefix.
expected_files() {
    cat <<'EOF'
bin/cuponex
bin/ecfsim
bin/eqlink
lib/systemd/system/eqlink@.service
share/applications/cuponex.desktop
share/icons/hicolor/256x256/apps/cuponex.png
share/icons/hicolor/48x48/apps/cuponex.png
share/icons/hicolor/scalable/apps/cuponex.svg
share/man/man1/cuponex.1.gz
share/man/man1/ecfsim.1.gz
share/man/man1/eqlink.1.gz
EOF
}

# The directory the unit's instance for DEVICE works in, with a trailing "/":
# the value of -p in ExecStart, then the device's name.
unit_directory() {
    local unit=$1 device=$2
    local dir
    dir=$(sed -n 's/^ExecStart=.* -p \([^ ]*\).*/\1/p' "$unit")
    [ -n "$dir" ] || fail "no -p in the ExecStart of $unit"
    echo "$dir/$device/"
}

check_install() {
    local build=$1 stage=$2
    rm -rf "$stage"
    cmake --install "$build" --prefix "$stage" >/dev/null
    local found
    found=$(cd "$stage" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
    if [ "$found" != "$(expected_files | LC_ALL=C sort)" ]; then
        diff <(expected_files | LC_ALL=C sort) <(echo "$found") >&2 || true
        fail "the staged installation holds other files than expected (< expected, > found)"
    fi
    for program in cuponex eqlink ecfsim; do
        [ -x "$stage/bin/$program" ] || fail "bin/$program is not executable"
    done
    local unit=$stage/lib/systemd/system/eqlink@.service
    grep -q "^ExecStart=$stage/bin/eqlink -d /dev/%I " "$unit" ||
        fail "the unit does not start the installed eqlink: $(grep ExecStart "$unit")"
    if grep -l '@[A-Z_]*@' "$unit" || zgrep -l '@[A-Z_]*@' "$stage"/share/man/man1/*.gz; then
        fail "placeholders left unfilled"
    fi
}

check_man_pages() {
    local stage=$1
    need man
    local page rendered warnings tags options option
    for page in cuponex eqlink ecfsim; do
        warnings=$(mktemp)
        rendered=$(MANWIDTH=80 man --warnings -l "$stage/share/man/man1/$page.1.gz" 2>"$warnings")
        if [ -s "$warnings" ]; then
            cat "$warnings" >&2
            fail "$page.1 renders with warnings"
        fi
        rm -f "$warnings"
        for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" "SEE ALSO"; do
            grep -q "^$section\$" <<<"$rendered" || fail "$page.1 has no section $section"
        done
        # Every option that the program's own usage lists has an entry of its own.
        tags=$(man_page_tags "$stage/share/man/man1/$page.1.gz")
        options=$("$stage/bin/$page" -h 2>/dev/null | grep -oE '^ +-(-[a-z-]+|[A-Za-z])' || true)
        [ -n "$options" ] || fail "$page -h lists no options"
        for option in $options; do
            grep -qE "^\.[BIR]+ (.* )?$option( |\$)" <<<"$tags" ||
                fail "$page.1 does not describe $option"
        done
    done
    rendered=$(MANWIDTH=80 man -l "$stage/share/man/man1/eqlink.1.gz" 2>/dev/null)
    for heading in "WORKING DIRECTORY" FILES "RESULT CODES" "   Multi-block reports"; do
        grep -q "^$heading\$" <<<"$rendered" || fail "eqlink.1 has no part '$heading'"
    done
    tags=$(man_page_tags "$stage/share/man/man1/eqlink.1.gz")
    for code in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 -243 -499 -500; do
        grep -qx "\.B $code" <<<"$tags" || fail "eqlink.1 does not explain code $code"
    done
    rendered=$(MANWIDTH=80 man -l "$stage/share/man/man1/cuponex.1.gz" 2>/dev/null)
    for heading in REPLAY SCENARIOS "   Patterns" "JUNIT REPORT" FILES EXAMPLES; do
        grep -q "^$heading\$" <<<"$rendered" || fail "cuponex.1 has no part '$heading'"
    done
    grep -q 'not taken: no link took the request' <<<"$rendered" ||
        fail "cuponex.1 does not explain a request no link took"
    tags=$(man_page_tags "$stage/share/man/man1/cuponex.1.gz")
    for code in 0 1 2 3; do
        grep -qx "\.B $code" <<<"$tags" || fail "cuponex.1 does not explain exit status $code"
    done
    grep -q 'eqlink(1)' <<<"$rendered" && grep -q 'ecfsim(1)' <<<"$rendered" ||
        fail "cuponex.1 does not refer to eqlink(1) and ecfsim(1)"
}

# The tags of a manual page's entries (the line after each .TP), with the
# escapes and quotes taken out: ".BI \-d " device"" gives ".BI -d device".
man_page_tags() {
    zcat "$1" | awk 'previous ~ /^\.TP/ { print } { previous = $0 }' | sed 's/\\//g; s/"//g; s/,//g'
}

check_desktop_entry() {
    local stage=$1
    need desktop-file-validate
    local entry=$stage/share/applications/cuponex.desktop
    local report
    report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
    [ -z "$report" ] || fail "desktop-file-validate: $report"

    local exec icon program dir
    exec=$(sed -n 's/^Exec=//p' "$entry")
    program=${exec%% *}
    [ -x "$stage/bin/$program" ] || fail "Exec names $program, which is not installed"
    icon=$(sed -n 's/^Icon=//p' "$entry")
    for file in scalable/apps/$icon.svg 48x48/apps/$icon.png 256x256/apps/$icon.png; do
        [ -f "$stage/share/icons/hicolor/$file" ] || fail "no icon $file"
    done
    # The window must be pointed at the directory that eqlink@ttyS0 works in.
    dir=$(unit_directory "$stage/lib/systemd/system/eqlink@.service" ttyS0)
    [ "$exec" = "$program --dir $dir" ] || fail "Exec=$exec does not name $dir"
}

# The lines of a unit that tie it to a device unit so that the service stops
# with the device (a USB adapter pulled out): BindsTo=, PartOf=, Requisite=,
# Requires= or StopPropagatedFrom= naming a .device or the instance (%i, %I).
device_bindings() {
    grep -nE '^[[:space:]]*(BindsTo|PartOf|Requisite|Requires|StopPropagatedFrom)[[:space:]]*=.*(\.device|%[iI])' \
        "$1" || true
}

check_service_unit() {
    local stage=$1
    need systemd-analyze
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    local unit=$stage/lib/systemd/system/eqlink@.service
    # The link reopens the device itself, so the unit must leave it running
    # through a replug; nothing may stop it with the device's unit.
    local bindings
    bindings=$(device_bindings "$unit")
    [ -z "$bindings" ] || fail "the unit is bound to its device, so a replug stops the link: $bindings"
    # The check itself finds such a line.
    sed 's/^\[Unit\]$/[Unit]\nBindsTo=dev-%i.device/' "$unit" >"$tmp/bound.service"
    [ -n "$(device_bindings "$tmp/bound.service")" ] || fail "device_bindings misses BindsTo="

    cp "$unit" "$tmp/eqlink@ttyS0.service"
    # The manual page named in Documentation= is looked for in the staged tree.
    local report
    report=$(MANPATH=$stage/share/man systemd-analyze verify --man=yes \
        "$tmp/eqlink@ttyS0.service" 2>&1) || fail "systemd-analyze verify: $report"
    [ -z "$report" ] || fail "systemd-analyze verify: $report"
}

# Runs cuponex where no display can be reached: had it started the toolkit
# first, it would fail instead of answering.
without_display() {
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 "$@"
}

check_info_without_display() {
    local cuponex=$1 version=$2
    local usage="Usage: cuponex [--dir DIR]"
    local cases=(
        "--version|cuponex $version"
        "--help|$usage"
        "-h|$usage"
        "--dir /tmp/x --version|cuponex $version"
        "-platform xcb --help|$usage"
    )
    local case args expected out err status
    for case in "${cases[@]}"; do
        args=${case%%|*}
        expected=${case#*|}
        err=$(mktemp)
        status=0
        # shellcheck disable=SC2086  # the arguments are split on purpose
        out=$(without_display "$cuponex" $args 2>"$err") || status=$?
        [ "$status" -eq 0 ] || fail "cuponex $args: status $status: $(cat "$err")"
        [ ! -s "$err" ] || fail "cuponex $args wrote to standard error: $(cat "$err")"
        rm -f "$err"
        [ "$(head -n 1 <<<"$out")" = "$expected" ] || fail "cuponex $args: got '$out'"
    done
    # An answer that cannot be written is not a success.
    status=0
    without_display "$cuponex" --version >/dev/full 2>/dev/null || status=$?
    [ "$status" -ne 0 ] || fail "cuponex --version >/dev/full ended with status 0"
}

# One exchange of command 05 between the installed eqlink and the installed
# ecfsim, through the files, as the window makes it.
exchange_with_installed_programs() {
    local run=$1
    mkdir -p "$run/ecf"
    /usr/bin/ecfsim --link "$run/ttyECF" --unpaced >"$run/ecfsim.out" &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$run/ecfsim.out" ] && break; sleep 0.05; done
    /usr/bin/eqlink -d "$run/ttyECF" -p "$run/ecf" -T 2 &
    pids+=($!)
    local dir=$run/ecf/ttyECF
    for _ in $(seq 100); do [ -d "$dir" ] && break; sleep 0.05; done
    [ -d "$dir" ] || fail "the installed eqlink made no working directory"
    printf '\033.05}\n' >"$dir/eqW.MSG"
    mv "$dir/eqW.MSG" "$dir/eq.MSG"
    for _ in $(seq 100); do [ -e "$dir/eq.RSP" ] && break; sleep 0.05; done
    [ "$(cat "$dir/eq.RSP" 2>/dev/null)" = ".+0500" ] ||
        fail "no reply .+0500 through the installed programs"
}

check_debian_package() {
    local build=$1 version=$2
    [ "$(id -u)" -eq 0 ] || skip "installing the package with apt-get needs root"
    command -v apt-get >/dev/null || skip "no apt-get on this machine"
    if dpkg-query -W -f='${Status}' cuponex 2>/dev/null | grep -q 'ok installed'; then
        skip "a cuponex package is installed on this machine already; it is left alone"
    fi
    need cpack
    need dpkg-shlibdeps
    need man

    local started=$SECONDS
    tmp=$(mktemp -d /tmp/cuponex-deb.XXXXXX)
    installed=0
    pids=()
    trap cleanup_debian_package EXIT

    (cd "$build" && cpack -G DEB -B "$tmp/cpack") >"$tmp/cpack.log" 2>&1 ||
        { cat "$tmp/cpack.log" >&2; fail "cpack -G DEB failed"; }
    local built=("$tmp"/cpack/cuponex_"$version"_*.deb)
    [ -f "${built[0]}" ] || fail "cpack made no cuponex_${version}_*.deb"
    # Installed from a directory of its own, and used from /, away from the build tree.
    mkdir "$tmp/counter"
    cp "${built[0]}" "$tmp/counter/"
    local deb
    deb=$tmp/counter/$(basename "${built[0]}")
    echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes," \
        "built in $((SECONDS - started)) s"

    local depends
    depends=$(dpkg-deb -f "$deb" Depends)
    for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
        [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] ||
            fail "Depends lacks $library: $depends"
    done

    (cd "$tmp/counter" && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        --no-install-recommends -o DPkg::Lock::Timeout=120 "./$(basename "$deb")") \
        >"$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log" >&2; fail "apt-get install failed"; }
    installed=1
    cd /

    local out status=0
    out=$(/usr/bin/eqlink -h) || status=$?
    [ "$status" -eq 12 ] || fail "eqlink -h ended with status $status"
    grep -q '^usage: eqlink' <<<"$out" || fail "eqlink -h printed: $out"
    out=$(without_display /usr/bin/cuponex --version) || fail "cuponex --version failed"
    [ "$out" = "cuponex $version" ] || fail "cuponex --version printed: $out"
    /usr/bin/ecfsim --help >/dev/null || fail "ecfsim --help failed"
    [ "$(man -w eqlink)" = /usr/share/man/man1/eqlink.1.gz ] || fail "man -w eqlink: $(man -w eqlink)"
    [ "$(man -w ecfsim)" = /usr/share/man/man1/ecfsim.1.gz ] || fail "man -w ecfsim: $(man -w ecfsim)"
    [ "$(man -w cuponex)" = /usr/share/man/man1/cuponex.1.gz ] ||
        fail "man -w cuponex: $(man -w cuponex)"
    grep -q '^ExecStart=/usr/bin/eqlink ' /usr/lib/systemd/system/eqlink@.service ||
        fail "the installed unit does not start /usr/bin/eqlink"
    for program in cuponex eqlink ecfsim; do
        if readelf -d "/usr/bin/$program" | grep -qE 'RPATH|RUNPATH'; then
            fail "/usr/bin/$program carries a library search path"
        fi
        if ldd "/usr/bin/$program" | grep -q 'not found'; then
            fail "/usr/bin/$program lacks libraries: $(ldd "/usr/bin/$program")"
        fi
    done
    exchange_with_installed_programs "$tmp/run"

    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=120 cuponex \
        >"$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log" >&2; fail "apt-get purge failed"; }
    installed=0
    for file in /usr/bin/cuponex /usr/bin/eqlink /usr/lib/systemd/system/eqlink@.service; do
        [ ! -e "$file" ] || fail "$file is left after the package was removed"
    done
    echo "package test: $((SECONDS - started)) s"
}

cleanup_debian_package() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [ "$installed" -eq 1 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=120 \
            cuponex >/dev/null 2>&1 || echo "could not remove the cuponex package" >&2
    fi
    rm -rf "$tmp"
}

mode=$1
shift
case $mode in
    install) check_install "$@" ;;
    man_pages) check_man_pages "$@" ;;
    desktop_entry) check_desktop_entry "$@" ;;
    service_unit) check_service_unit "$@" ;;
    info_without_display) check_info_without_display "$@" ;;
    debian_package) check_debian_package "$@" ;;
    *) fail "unknown check: $mode" ;;
esac
