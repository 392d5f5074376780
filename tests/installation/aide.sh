#!/bin/sh
# The programs' --help and --version without a display, their refusal of an unknown double-dash
# option, and their manual pages against --help (and, for ombrix, against the bash completion).
#   aide.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1
build=$2
. "$source_dir/tests/installation/commun.sh"

# No display of any kind, and settings that start empty: nothing may be written there.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
maison=$travail/maison
mkdir -p "$maison"
export HOME=$maison XDG_CONFIG_HOME=$maison/config XDG_DATA_HOME=$maison/data XDG_CACHE_HOME=$maison/cache
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

for programme in ombrixviewer ombrix; do
    p=$build/$programme
    lancer "$p" --help
    attendre "$programme --help" 0 "$statut"
    case $(head -n 1 "$travail/sortie") in
        Usage:) ;;
        *) echec "$programme --help does not start with Usage:" ;;
    esac
    [ -s "$travail/erreurs" ] && echec "$programme --help wrote on standard error: $(cat "$travail/erreurs")"

    lancer "$p" --version
    attendre "$programme --version" 0 "$statut"
    [ "$(cat "$travail/sortie")" = "$programme $version" ] ||
        echec "$programme --version printed '$(cat "$travail/sortie")', not '$programme $version'"

    lancer "$p" --frobnicate
    attendre "$programme --frobnicate" 2 "$statut"
    [ -s "$travail/sortie" ] && echec "$programme --frobnicate wrote on standard output"
    [ "$(wc -l <"$travail/erreurs")" -eq 1 ] && grep -q -e "'--frobnicate'" "$travail/erreurs" ||
        echec "$programme --frobnicate: not one line naming the option: $(cat "$travail/erreurs")"
done

# The viewer: the first double-dash argument decides; the "/" options and a single dash keep the
# command line's own rules (here a console export refused as a command-line error).
lancer "$build/ombrixviewer" /x --help
attendre "ombrixviewer /x --help" 0 "$statut"
lancer "$build/ombrixviewer" /b:0.5 --frobnicate --help
attendre "ombrixviewer /b:0.5 --frobnicate --help" 2 "$statut"

# ombrix: --help right after a command; a command's unknown option gets its usage line, as any
# wrong argument of the command does.
lancer "$build/ombrix" render --help
attendre "ombrix render --help" 0 "$statut"
head -n 1 "$travail/sortie" | grep -qx 'Usage:' || echec "ombrix render --help does not print the help"
lancer "$build/ombrix" table absent.rec --frobnicate 1
attendre "ombrix table absent.rec --frobnicate 1" 1 "$statut"
grep -q "^usage: ombrix table" "$travail/erreurs" || echec "ombrix table --frobnicate: $(cat "$travail/erreurs")"

[ -z "$(find "$maison" -mindepth 1)" ] || echec "settings written: $(find "$maison" -mindepth 1)"
lancer "$build/ombrixviewer" -x absent.rec /c
attendre "ombrixviewer -x absent.rec /c" 1 "$statut"
grep -q "Error  -x absent.rec /c" "$travail/erreurs" ||
    echec "ombrixviewer -x: not the command-line error: $(cat "$travail/erreurs")"

# The words of --help, headings left out, against the words of the manual page, requests and
# font changes left out, without its NAME and SEE ALSO sections (which --help does not hold).
mots_aide() {
    awk 'prec == "" && /^[^ ].*:$/ && split($0, m, " ") <= 3 { prec = $0; next } { print; prec = $0 }' |
        tr -s ' \n' '\n\n' | sed '/^$/d'
}
mots_page() {
    awk '/^\.SH/ { ignorer = ($2 == "NAME" || $0 ~ /SEE ALSO/); next } /^\./ { next } !ignorer' |
        sed -e 's/\\f[BIRP]//g' -e 's/\\&//g' -e 's/\\-/-/g' -e 's/\\e/\\/g' |
        tr -s ' \n' '\n\n' | sed '/^$/d'
}
for programme in ombrixviewer ombrix; do
    page=$build/man/$programme.1
    [ -f "$page" ] || {
        echec "no manual page $page"
        continue
    }
    "$build/$programme" --help | mots_aide >"$travail/aide.mots"
    mots_page <"$page" >"$travail/page.mots"
    diff -u "$travail/aide.mots" "$travail/page.mots" >"$travail/ecarts" ||
        echec "$programme(1) and $programme --help differ (- help, + page):
$(head -n 40 "$travail/ecarts")"
    if command -v man >/dev/null 2>&1; then
        LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" \
            >/dev/null 2>"$travail/avertissements"
        [ -s "$travail/avertissements" ] &&
            echec "$programme(1) renders with warnings: $(cat "$travail/avertissements")"
    else
        passe "man is missing: $programme(1) not rendered"
    fi
done

# ombrix's commands and each command's options, as --help lists them, against what the
# completion offers.
"$build/ombrix" --help | awk '
    /^Commands:$/ { dans = 1; next }
    /^[^ ]/ { dans = 0 }
    dans && /^  [a-z]/ { commande = $1; print commande ":" }
    dans && /^      -/ { print commande ":" $1 }' >"$travail/commandes"
[ -s "$travail/commandes" ] || echec "no command found in ombrix --help"

completion=$source_dir/data/bash-completion/ombrix
if command -v bash >/dev/null 2>&1 && [ -f /usr/share/bash-completion/bash_completion ]; then
    proposer() {
        bash -c '. /usr/share/bash-completion/bash_completion; . "$0"
                 COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
                 _ombrix ombrix "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
                 printf "%s\n" "${COMPREPLY[@]}" | sort' "$completion" "$@"
    }
    { sed -n 's/:$//p' "$travail/commandes"; printf '%s\n' --help --version; } | sort >"$travail/attendu"
    proposer ombrix "" >"$travail/propose"
    diff -u "$travail/attendu" "$travail/propose" >/dev/null ||
        echec "completion of the commands: $(diff -u "$travail/attendu" "$travail/propose")"
    for commande in $(sed -n 's/:$//p' "$travail/commandes"); do
        { sed -n "s/^$commande:\(..*\)/\1/p" "$travail/commandes"; echo --help; } | sort >"$travail/attendu"
        proposer ombrix "$commande" FILE - >"$travail/propose"
        diff -u "$travail/attendu" "$travail/propose" >/dev/null ||
            echec "completion of ombrix $commande's options: $(diff -u "$travail/attendu" "$travail/propose")"
    done
else
    passe "bash or bash-completion is missing: the completion is not checked"
fi

terminer
