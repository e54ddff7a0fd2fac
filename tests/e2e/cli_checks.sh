# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the command-line scripts: a scratch folder removed at the end, a fresh working
# folder for the program, and the bookkeeping of the checks.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QUILLARY_HOME=$scratch/home
mkdir -p "$QUILLARY_HOME"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

run() { # expected-status description command...
    local want=$1 what=$2
    shift 2
    "$@" >"$scratch/out" 2>"$scratch/err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "$what: exit status $got, expected $want ($(head -c 300 "$scratch/err"))"
}

has() { # description pattern file
    grep -q -- "$2" "$3" || fail "$1: no \"$2\" in $3"
}

finish() { # name
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "$1: all checks passed"
}
