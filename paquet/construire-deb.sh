#!/bin/sh
# The Debian package of OmbrixViewer, made from a build tree whose programs are already built:
#
#   paquet/construire-deb.sh BUILD_DIR OUT_DIR
#
# installs the tree under /usr into a staging root (cmake --install: nothing is rebuilt), strips
# the programs, compresses the manual pages and the changelog, adds the copyright file, computes
# the dependencies from the libraries the programs link (dpkg-shlibdeps), and writes
# OUT_DIR/ombrixviewer_<version>_<arch>.deb with dpkg-deb. Prints the package's path.
# The version is the project's (CMake); the changelog's latest entry must give the same.
set -eu

if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR OUT_DIR" >&2
    exit 1
fi
ici=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
sortie=$(cd "$2" && pwd)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
version_changelog=$(dpkg-parsechangelog -l "$ici/changelog" -S Version)
if [ "$version" != "$version_changelog" ]; then
    echo "$0: the project is at version $version but paquet/changelog ends at $version_changelog:" >&2
    echo "add an entry for $version (dch -l paquet/changelog -v $version)" >&2
    exit 1
fi
arch=$(dpkg --print-architecture)
# Same tree, same package: every date in it is the changelog's.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$ici/changelog" -S Timestamp)}
export SOURCE_DATE_EPOCH

travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
# The staging root sits where dpkg-shlibdeps expects a package's files: debian/<package>.
racine=$travail/source/debian/ombrixviewer
umask 022
DESTDIR=$racine cmake --install "$build" --prefix /usr >/dev/null

# Programs stripped as Debian's own packages are; manual pages compressed.
for programme in "$racine"/usr/bin/*; do
    strip --remove-section=.comment --remove-section=.note --strip-unneeded "$programme"
done
find "$racine/usr/share/man" -type f -name '*.[0-9]' -exec gzip -9n {} +
doc=$racine/usr/share/doc/ombrixviewer
mkdir -p "$doc"
cp "$ici/copyright" "$doc/copyright"
gzip -9n -c "$ici/changelog" >"$doc/changelog.gz"
find "$racine" -type d -exec chmod 755 {} +
find "$racine" -type f -exec chmod 644 {} +
chmod 755 "$racine"/usr/bin/*

# dpkg-shlibdeps reads debian/control of the folder it runs in (a minimal one here), and finds
# the package's root by its DEBIAN folder.
mkdir -p "$racine/DEBIAN"
printf 'Source: ombrixviewer\n\nPackage: ombrixviewer\nArchitecture: any\n' >"$travail/source/debian/control"
dependances=$(cd "$travail/source" && dpkg-shlibdeps -O debian/ombrixviewer/usr/bin/* | sed -n 's/^shlibs:Depends=//p')
if [ -z "$dependances" ]; then
    echo "$0: dpkg-shlibdeps found no dependency" >&2
    exit 1
fi

(cd "$racine" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum) >"$racine/DEBIAN/md5sums"
taille=$(du -sk --apparent-size "$racine/usr" | cut -f1)
# Qt's translations put Qt's own buttons and dialogs in the viewer's language: recommended.
cat >"$racine/DEBIAN/control" <<CONTROLE
Package: ombrixviewer
Version: $version
Architecture: $arch
Maintainer: OmbrixViewer maintainers <maintainers@ombrixviewer.invalid>
Installed-Size: $taille
Depends: $dependances
Recommends: qt6-translations-l10n
Section: science
Priority: optional
Description: viewer of TKAR, TKOS and VEL data-acquisition recordings
 OmbrixViewer opens the ".rec" recordings of the TKAR, TKOS and VEL
 families of data-acquisition recorders, of any size, and draws their
 analog channels as traces and their logic inputs as lanes on a
 graticule. It offers zoom, time and amplitude cursors, measurements of
 the displayed window, function channels, the recordings' math scripts,
 annotations, printing, PNG pictures and text, CSV and Excel exports.
 Started with a recording and an export option, it exports without a
 window.
 .
 The package also holds ombrix, the command-line companion that prints a
 recording's header as JSON, its display table and measurements as CSV,
 draws it as a picture, joins recordings and writes sample ones.
CONTROLE
chmod 644 "$racine/DEBIAN/control" "$racine/DEBIAN/md5sums"

paquet=$sortie/ombrixviewer_${version}_${arch}.deb
dpkg-deb --root-owner-group -Zxz --build "$racine" "$paquet" >/dev/null
echo "$paquet"
