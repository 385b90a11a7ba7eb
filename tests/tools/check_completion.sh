#!/usr/bin/env bash
# Bash completion of orvel-cli: what a Tab offers after each start of a line.
#   check_completion.sh ORVEL_CLI SOURCE_DIR
set -uo pipefail
cli=$(realpath "$1")
source "$2/dist/orvel-cli.bash"
failed=0
# offers LINE EXPECTED: the words offered for the last word of LINE (a
# trailing space: an empty word) are exactly EXPECTED, in sorted order.
offers() {
    local line=$1 expected=$2
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *' ' ]] && COMP_WORDS+=("")
    COMP_WORDS[0]=$cli
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _orvel_cli
    local got
    got=$(printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd " ")
    if [[ $got != "$expected" ]]; then
        echo "FAIL: '$line' offers '$got', not '$expected'"
        failed=1
    fi
}
cd "$(mktemp -d)" && touch run.g52 run.csv
offers "orvel-cli mon" "monitor"
offers "orvel-cli help pl" "plot"
offers "orvel-cli monitor --" "--count --help --json --port"
offers "orvel-cli record --ro" "--rotate"
offers "orvel-cli record --rotate d" "daily"
offers "orvel-cli record --start-when " ""
offers "orvel-cli monitor COM1" "COM1 COM10"
offers "orvel-cli record --out run.g52 --port tc" "tcp://"
offers "orvel-cli record CO" "COM1 COM10 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9"
offers "orvel-cli record COM3 CO" ""
offers "orvel-cli stats run." "run.csv run.g52"
offers "orvel-cli simulate --fault h" "hangup"
exit $failed
