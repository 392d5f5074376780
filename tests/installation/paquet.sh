#!/bin/sh
# The Debian package made from this build tree's programs (nothing is rebuilt): its control
# fields, its files and their owners, programs that still run once stripped, the same package
# when made twice, and no lintian error.
#   paquet.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1
build=$2
. "$source_dir/tests/installation/commun.sh"

for outil in dpkg-deb dpkg-shlibdeps dpkg-parsechangelog; do
    command -v "$outil" >/dev/null 2>&1 || sauter "$outil (dpkg-dev) is missing: no package is made"
done

faire() {
    "$source_dir/paquet/construire-deb.sh" "$build" "$1" >"$travail/sortie" 2>"$travail/erreurs"
    statut=$?
    attendre "construire-deb.sh" 0 "$statut"
    [ -s "$travail/erreurs" ] && echec "construire-deb.sh: $(cat "$travail/erreurs")"
    cat "$travail/sortie"
}
paquet=$(faire "$travail/un")
[ -f "$paquet" ] || {
    echec "no package made"
    terminer
}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
[ "$(basename "$paquet")" = "ombrixviewer_${version}_${arch}.deb" ] || echec "package named $(basename "$paquet")"

champ() {
    dpkg-deb -f "$paquet" "$1"
}
[ "$(champ Package)" = ombrixviewer ] || echec "Package: $(champ Package)"
[ "$(champ Version)" = "$version" ] || echec "Version: $(champ Version), not $version"
[ "$(champ Architecture)" = "$arch" ] || echec "Architecture: $(champ Architecture)"
champ Installed-Size | grep -qx '[0-9][0-9]*' || echec "Installed-Size: $(champ Installed-Size)"
for champ_requis in Maintainer Section Priority Description; do
    [ -n "$(champ "$champ_requis")" ] || echec "no $champ_requis field"
done
# Computed from the programs: the C library, Qt's widgets, the scripting engine.
for bibliotheque in libc6 libqt6core6 libqt6widgets6 libangelscript; do
    champ Depends | grep -q "$bibliotheque" || echec "Depends lacks $bibliotheque: $(champ Depends)"
done

# Exactly these files (the user guide's too when doc/guide/ holds one), all root's.
{
    for f in bin/ombrix bin/ombrixviewer share/applications/ombrixviewer.desktop \
        share/bash-completion/completions/ombrix share/doc/ombrixviewer/changelog.gz \
        share/doc/ombrixviewer/copyright share/icons/hicolor/scalable/apps/ombrixviewer.svg \
        share/man/man1/ombrix.1.gz share/man/man1/ombrixviewer.1.gz share/mime/packages/ombrixviewer.xml; do
        echo "./usr/$f"
    done
    for n in 16 22 24 32 48 64 128 256; do echo "./usr/share/icons/hicolor/${n}x${n}/apps/ombrixviewer.png"; done
    if [ -d "$source_dir/doc/guide" ]; then
        (cd "$source_dir/doc/guide" && find . -type f | sed 's|^\./|./usr/share/doc/ombrixviewer/guide/|')
    fi
} | LC_ALL=C sort >"$travail/attendus"
dpkg-deb -c "$paquet" >"$travail/contenu"
awk '$1 !~ /^d/ { print $6 }' "$travail/contenu" | LC_ALL=C sort >"$travail/fichiers"
diff -u "$travail/attendus" "$travail/fichiers" >"$travail/ecarts" ||
    echec "the package's files (- expected, + found): $(cat "$travail/ecarts")"
awk '$2 != "root/root" { print }' "$travail/contenu" | grep . && echec "entries not owned by root"

# The unpacked programs run, stripped; the pages are the build's.
racine=$travail/racine
dpkg-deb -x "$paquet" "$racine"
for programme in ombrixviewer ombrix; do
    lancer env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$racine/usr/bin/$programme" --version
    attendre "the packaged $programme --version" 0 "$statut"
    gzip -dc "$racine/usr/share/man/man1/$programme.1.gz" | cmp -s - "$build/man/$programme.1" ||
        echec "the packaged $programme(1) is not the build's"
done
lancer "$racine/usr/bin/ombrix" sample "$travail/echantillons"
attendre "the packaged ombrix sample" 0 "$statut"
lancer "$racine/usr/bin/ombrix" info "$travail/echantillons/vel_demo.rec"
attendre "the packaged ombrix info" 0 "$statut"

# Same tree, same package.
deuxieme=$(faire "$travail/deux")
cmp -s "$paquet" "$deuxieme" || echec "the package made twice from the same tree differs"

if command -v lintian >/dev/null 2>&1; then
    lintian --display-info --display-experimental --pedantic "$paquet" >"$travail/lintian" 2>&1
    grep '^[A-Z]: ' "$travail/lintian" | sed 's/^/lintian: /'
    grep -q '^E: ' "$travail/lintian" && echec "lintian reports errors"
else
    passe "lintian is missing: the package is not checked by it"
fi

terminer
