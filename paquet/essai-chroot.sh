#!/bin/sh
# The package tried as on a machine that never built the project: a clean Debian 12 root made
# with debootstrap (kept between runs in ROOT_DIR), the package installed there with apt, which
# fetches its dependencies from the mirror this machine uses, both programs run without a
# display, then the package removed. Run as root.
#
#   paquet/essai-chroot.sh PACKAGE.deb [ROOT_DIR]
set -eu

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 PACKAGE.deb [ROOT_DIR]" >&2
    exit 1
fi
paquet=$(realpath "$1")
racine=${2:-/var/tmp/ombrixviewer-essai}

# The mirror of this machine's sources (deb822 or one-line form).
miroir=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -m1 '/debian/*$' || true)
[ -n "$miroir" ] || miroir=$(awk '$1 == "deb" && $2 ~ /\/debian\/*$/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
[ -n "$miroir" ] || miroir=http://deb.debian.org/debian

if [ ! -x "$racine/usr/bin/apt-get" ]; then
    echo "A clean Debian 12 root in $racine, from $miroir"
    debootstrap --variant=minbase bookworm "$racine" "$miroir" >"$racine.debootstrap.log" 2>&1 || {
        tail -n 20 "$racine.debootstrap.log" >&2
        exit 1
    }
fi

mount --bind /proc "$racine/proc"
mount --bind /dev/pts "$racine/dev/pts"
trap 'umount "$racine/dev/pts" "$racine/proc"' EXIT
cp "$paquet" "$racine/tmp/"
nom=$(basename "$paquet")

chroot "$racine" /bin/sh -eu -c "
    export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
    unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
    if dpkg-query -W ombrixviewer >/dev/null 2>&1; then apt-get remove -y -qq ombrixviewer >/dev/null; fi
    apt-get update -qq
    echo '== apt install ./$nom'
    apt-get install -y -qq --no-install-recommends /tmp/$nom >/tmp/apt.log 2>&1 || { tail -n 30 /tmp/apt.log; exit 1; }
    grep -c '^Setting up' /tmp/apt.log | sed 's/^/packages set up: /'
    echo '== the programs'
    ombrixviewer --version
    ombrix --version
    ombrixviewer --help | head -n 3
    rm -rf /tmp/essai && mkdir /tmp/essai && cd /tmp/essai
    ombrix sample . >/dev/null
    ombrix info vel_demo.rec | head -n 4
    ombrix table tkos_demo.rec 2>&1 >/dev/null | tail -n 1
    ombrix measure tkar_demo.rec | head -n 2
    ombrix render tkar_demo.rec -o tkar_demo.png
    ombrixviewer tkar_demo.rec /c /n:3
    echo \"exported \$(wc -l <tkar_demo.csv) lines to tkar_demo.csv\"
    set +e; ombrixviewer --frobnicate; echo \"unknown option: exit status \$?\"; set -e
    echo '== installed files'
    dpkg -L ombrixviewer | grep -E 'bin/|\.desktop|mime/packages|man1|completions|256x256'
    echo '== apt remove'
    apt-get remove -y -qq ombrixviewer >/dev/null
    if [ -e /usr/bin/ombrix ] || [ -e /usr/bin/ombrixviewer ] || [ -e /usr/share/applications/ombrixviewer.desktop ]; then
        echo 'files left after removal' >&2; exit 1
    fi
    echo 'removed'
"
