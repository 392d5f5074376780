#!/bin/sh
# The desktop integration: the desktop entry and the file types validate with Debian's tools, a
# recording of each family is recognised by its content while a ".rec" of another program is
# not, recordings open with the viewer, and the icons have their sizes.
#   bureau.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1
build=$2
. "$source_dir/tests/installation/commun.sh"

entree=$source_dir/data/ombrixviewer.desktop
types=$source_dir/data/ombrixviewer.xml
verifies=0

if command -v desktop-file-validate >/dev/null 2>&1; then
    verifies=$((verifies + 1))
    lancer desktop-file-validate "$entree"
    attendre desktop-file-validate 0 "$statut"
    [ -s "$travail/sortie" ] && echec "desktop-file-validate: $(cat "$travail/sortie")"
else
    passe "desktop-file-validate (desktop-file-utils) is missing"
fi

# Every type the entry opens is one the package defines, and its icon is the one installed.
for type in $(sed -n 's/^MimeType=//p' "$entree" | tr ';' ' '); do
    grep -q "<mime-type type=\"$type\">" "$types" || echec "the desktop entry opens $type, which is not defined"
done
grep -qx 'Icon=ombrixviewer' "$entree" || echec "the desktop entry does not use the icon ombrixviewer"

# A private data folder holding the file types and the desktop entry, as the package installs
# them: a database made from it must come without any message.
donnees=$travail/share
mkdir -p "$donnees/mime/packages" "$donnees/applications"
cp "$types" "$donnees/mime/packages/"
cp "$entree" "$donnees/applications/"
export XDG_DATA_HOME=$donnees XDG_DATA_DIRS=/usr/share
if command -v update-mime-database >/dev/null 2>&1; then
    verifies=$((verifies + 1))
    lancer update-mime-database "$donnees/mime"
    attendre update-mime-database 0 "$statut"
    [ -s "$travail/erreurs" ] && echec "update-mime-database: $(cat "$travail/erreurs")"
    for type in application/x-ombrix-rec application/x-ombrix-spt; do
        grep -qx "$type" "$donnees/mime/types" || echec "$type is not in the database"
    done
else
    passe "update-mime-database (shared-mime-info) is missing"
fi

# What the desktop decides from a file's name and first bytes (GIO, as file managers ask it).
if command -v gio >/dev/null 2>&1 && [ -f "$donnees/mime/mime.cache" ]; then
    verifies=$((verifies + 1))
    type_de() {
        gio info -a standard::content-type "$1" 2>/dev/null | sed -n 's/^ *standard::content-type: //p'
    }
    echantillons=$travail/echantillons
    lancer "$build/ombrix" sample "$echantillons"
    attendre "ombrix sample" 0 "$statut"
    for f in tkar_demo tkos_demo tkos_sup_demo vel_demo; do
        t=$(type_de "$echantillons/$f.rec")
        [ "$t" = application/x-ombrix-rec ] || echec "$f.rec is seen as '$t'"
    done
    # The other TKAR signature, and a recording under another name: known by their content.
    printf '\111\004' | dd of="$echantillons/tkar_demo.rec" conv=notrunc 2>/dev/null
    t=$(type_de "$echantillons/tkar_demo.rec")
    [ "$t" = application/x-ombrix-rec ] || echec "a TKAR recording of signature 0x0449 is seen as '$t'"
    cp "$echantillons/vel_demo.rec" "$echantillons/vel_demo"
    t=$(type_de "$echantillons/vel_demo")
    [ "$t" = application/x-ombrix-rec ] || echec "a VEL recording without its extension is seen as '$t'"
    # Other programs' ".rec": bytes of no family (a fixed start, random bytes after it), and a
    # text file.
    { printf '\023\067'; head -c 4094 /dev/urandom; } >"$travail/etranger.rec"
    t=$(type_de "$travail/etranger.rec")
    [ "$t" = application/x-ombrix-rec ] && echec "a .rec of random bytes is taken for a recording"
    printf '%%rec: Book\n\nTitle: GNU Emacs Manual\n' >"$travail/texte.rec"
    t=$(type_de "$travail/texte.rec")
    [ "$t" = application/x-ombrix-rec ] && echec "a text .rec is taken for a recording"
    # Recordings and set-up files open with the viewer: the entry is in the desktop's cache, as
    # the installation's trigger puts it, and its program is on the PATH.
    if command -v update-desktop-database >/dev/null 2>&1; then
        lancer update-desktop-database "$donnees/applications"
        attendre update-desktop-database 0 "$statut"
        [ -s "$travail/erreurs" ] && echec "update-desktop-database: $(cat "$travail/erreurs")"
        for type in application/x-ombrix-rec application/x-ombrix-spt; do
            PATH=$build:$PATH gio mime "$type" >"$travail/application" 2>&1
            grep -q 'Default application.*ombrixviewer\.desktop' "$travail/application" ||
                echec "$type does not open with the viewer: $(cat "$travail/application")"
        done
    else
        passe "update-desktop-database (desktop-file-utils) is missing: the viewer's files are not tried"
    fi
else
    passe "gio (libglib2.0-bin) is missing: the file types are not tried on files"
fi

# The icons of the build, each of its size (a PNG's width and height are at bytes 16 to 23).
for n in 16 22 24 32 48 64 128 256; do
    image=$build/icons/hicolor/${n}x${n}/apps/ombrixviewer.png
    if [ ! -f "$image" ]; then
        echec "no icon $image"
        continue
    fi
    taille=$(od -A n -t u1 -j 16 -N 8 "$image" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
    [ "$taille" = "${n}x${n}" ] || echec "the ${n}x${n} icon is $taille"
done

[ "$verifies" -gt 0 ] || sauter "none of desktop-file-validate, update-mime-database, gio is installed"
terminer
