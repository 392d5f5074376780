# Helpers of the installation checks (sourced): a work folder removed at the end, programs run
# with their output kept, failures counted; a check that cannot run here is skipped (status 77,
# which CTest reports as skipped) with its reason.

travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echecs=0

# Runs a program (60 s at most): its status in $statut, its outputs in $travail/sortie and erreurs.
lancer() {
    timeout 60 "$@" >"$travail/sortie" 2>"$travail/erreurs" </dev/null
    statut=$?
}

echec() {
    echo "FAILED: $*" >&2
    echecs=$((echecs + 1))
}

# attendre WHAT EXPECTED_STATUS STATUS
attendre() {
    [ "$3" -eq "$2" ] || echec "$1: exit status $3, not $2 ($(head -c 300 "$travail/erreurs"))"
}

passe() {
    echo "note: $*"
}

sauter() {
    echo "skipped: $*"
    exit 77
}

terminer() {
    if [ "$echecs" -gt 0 ]; then
        echo "$echecs failure(s)" >&2
        exit 1
    fi
    exit 0
}
