#!/bin/bash
# The shell completion of both programs, as bash-completion runs it: names
# with blanks complete whole, each name is offered once.
#   completion-check.sh COMPLETION-DIR
set -u
source /usr/share/bash-completion/bash_completion
source "$1/kurvo"
source "$1/kurvo-batch"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
touch "run 1.txt" "run 2.dat" "b.kvc" "notes.md"
mkdir "sub dir"
failed=0
# complete FUNCTION WORDS... : the offers for the last word.
complete_line() {
    local function=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    $function
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd '|'
}
expect() {
    local wanted=$1
    shift
    local got
    got=$(complete_line "$@")
    if [ "$got" != "$wanted" ]; then
        echo "completing '$*': got '$got', wanted '$wanted'"
        failed=1
    fi
}
expect 'run 1.txt|run 2.dat' _kurvo_batch kurvo-batch run
expect 'b.kvc|sub dir' _kurvo_batch kurvo-batch --config ''
expect 'pdf|png' _kurvo_batch kurvo-batch --format p
expect 'tab' _kurvo_batch kurvo-batch --delimiter t
expect '--decimal-comma|--delimiter|--dpi' _kurvo_batch kurvo-batch --d
expect '' _kurvo_batch kurvo-batch -j ''
expect 'run 1.txt|run 2.dat' _kurvo kurvo run
expect '--|--help|--version' _kurvo kurvo --
exit $failed
