#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs quillary-cli as a script would and checks its output and exit statuses.
set -u
cli=$1
data=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

expect_status() { # expected-status description command...
    local want=$1 what=$2
    shift 2
    "$@" >"$scratch/out" 2>"$scratch/err"
    local got=$?
    if [ "$got" -ne "$want" ]; then
        echo "FAIL: $what: exit status $got, expected $want"
        failures=$((failures + 1))
    fi
}

expect_same() { # description file-a file-b
    if ! cmp -s "$2" "$3"; then
        echo "FAIL: $1"
        diff <(od -c "$2") <(od -c "$3") | head -20
        failures=$((failures + 1))
    fi
}

expect_status 0 "cat of the worked example" "$cli" cat "$data/worked_example.dat"
expect_same "cat is a byte-for-byte round trip" "$scratch/out" "$data/worked_example.dat"

expect_status 0 "cat of an interchange file" "$cli" cat "$data/level_jumps.zkd"
expect_same "interchange files read beneath the root" "$scratch/out" "$data/level_jumps.expected"

expect_status 0 "tree" "$cli" tree "$data/worked_example.dat"
printf 'root: My Contacts\n  folder: Clients\n    person: Sample Person -> Mr. Sam Person\n      address: Home -> 1 High Street\n' >"$scratch/tree"
expect_same "tree lists every item indented by level" "$scratch/out" "$scratch/tree"

expect_status 0 "check of a clean file" "$cli" check "$data/worked_example.dat"
grep -q '^lines skipped: 0$' "$scratch/out" || { echo "FAIL: check reports no skipped lines"; failures=$((failures + 1)); }
expect_status 3 "check of a damaged file" "$cli" check "$data/bad_heads.dat"
grep -q '^  line 3$' "$scratch/out" || { echo "FAIL: check names the skipped lines"; failures=$((failures + 1)); }

expect_status 2 "no arguments" "$cli"
grep -q usage "$scratch/err" || { echo "FAIL: usage message on wrong use"; failures=$((failures + 1)); }
expect_status 2 "unknown command" "$cli" frobnicate "$data/worked_example.dat"
expect_status 1 "missing file" "$cli" cat "$scratch/absent.dat"
grep -q "absent.dat" "$scratch/err" || { echo "FAIL: the message names the missing file"; failures=$((failures + 1)); }
expect_status 1 "a folder is no file" "$cli" cat "$scratch"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "cli: all checks passed"
