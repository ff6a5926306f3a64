#!/usr/bin/env bash
# The bash completion of lunomat-cli as a user meets it, with Debian's
# bash-completion loaded: file names with blanks stay one word, nothing is
# offered where a year or a date is wanted, options where they fit.
#
#   completion_test.sh SOURCE_DIR
set -u
framework=/usr/share/bash-completion/bash_completion
[ -r "$framework" ] || { echo "SKIPPED: bash-completion is not installed"; exit 77; }
# shellcheck disable=SC1090
source "$framework"
source "${1:?source folder}/packaging/lunomat-cli.bash-completion"
. "$1/testsupport/checks.sh"
cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD"' EXIT
touch "Mein Kalender.ics" "Mein Tagebuch.txt" other.ics

# offers EXPECTED WORD...: the words as bash splits the line (the cursor at
# the end of the last, "" for a new word), EXPECTED the offers joined by '|',
# sorted.
offers() {
    local expected=$1 got
    shift
    COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMP_POINT=${#COMP_LINE}
    local line=$COMP_LINE
    COMPREPLY=()
    _lunomat_cli 2>/dev/null
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd '|')
    [ "$got" = "$expected" ] && ok "'$line' -> '$got'" || fail "'$line' -> '$got', expected '$expected'"
}

offers "Mein Kalender.ics|Mein Tagebuch.txt" "lunomat-cli" "year" "2024" "--ics" "Mein"
offers "Mein Kalender.ics" "lunomat-cli" "year" "2024" "--ics" "Mein\\ K"
offers "Mein Kalender.ics" "lunomat-cli" "year" "2024" "--ics" "'Mein K"
offers "other.ics" "lunomat-cli" "phases" "2024" "--ics" "o"
offers "" "lunomat-cli" "eclipses" "--from" ""
offers "" "lunomat-cli" "eclipses" "--from" "2025" "--to" ""
offers "" "lunomat-cli" "year" ""
offers "" "lunomat-cli" "phase" "2"
offers "--format|--ics" "lunomat-cli" "year" "2024" ""
offers "--format|--ics" "lunomat-cli" "year" "-"
offers "--format|--from|--place|--to" "lunomat-cli" "eclipses" ""
offers "csv|json" "lunomat-cli" "moon" "2024-01-25" "--format" ""
offers "" "lunomat-cli" "rise" "2024-01-25" "--place" ""
offers "--format|--place" "lunomat-cli" "rise" "2024-01-25" ""
offers "phase|phases" "lunomat-cli" "ph"
offers "" "lunomat-cli" "nonsense" ""
finish completion
