#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quillary-cli due as a status bar would run it: reminders on and around today (worked out from
# the system's date, which the command reads too), while the desktop program holds the data file.
set -u
cli=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $1"
    failures=$((failures + 1))
}

day() { date -d "$1" +%Y,%-m,%-d; } # a reminder's stored date
iso() { date -d "$1" +%Y-%m-%d; }

write_data() {
    printf '{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n'
    printf '{1 0 }Clients~~~~~~41\r\n{Fold}0\r\n'
    printf '{2 3 }Ann~~~~~~42\r\n{Pers}~~~~~~~~~~~~~~~~0\r\n'
    printf '{3 9 }Call back~~~~~~51\r\n{Remd}%s,0~~0\r\n' "$(day today)"
    printf '{3 9 }Next week~~~~~~52\r\n{Remd}%s,0~~0\r\n' "$(day '+7 days')"
    printf '{1 3 }Bob~~~~~~43\r\n{Pers}~~~~~~~~~~~~~~~~0\r\n'
    printf '{2 9 }Tab\tbed \033[31mred~~~~~~53\r\n{Remd}%s,3~~0\r\n' "$(day '+2 days')"
    printf '{2 9 }Overdue~~~~~~54\r\n{Remd}%s,0~~0\r\n' "$(day '-3 days')"
}

run_due() { # expected-status description arguments...
    local want=$1 what=$2
    shift 2
    "$cli" due --data "$scratch/zelk.dat" "$@" >"$scratch/out" 2>"$scratch/err"
    local got=$?
    [ "$got" -eq "$want" ] || fail "$what: exit status $got, expected $want"
}

# Should the date change while the checks run, they are run once more with the new day's dates.
for attempt in 1 2; do
    failures=0
    started=$(iso today)
    write_data >"$scratch/zelk.dat"
    # The desktop program holds the data file's lock for its whole run.
    flock "$scratch/zelk.dat.lock" "$cli" due --data "$scratch/zelk.dat" >"$scratch/out" 2>"$scratch/err" ||
        fail "due while the data file is held"
    printf '%s\t%s\t%s\n' "Overdue" "My Contacts/Bob" "$(iso '-3 days')" \
        "Call back" "My Contacts/Clients/Ann" "$(iso today)" >"$scratch/expected"
    cmp -s "$scratch/out" "$scratch/expected" || { fail "due lists today's and overdue reminders"; diff "$scratch/out" "$scratch/expected"; }

    run_due 0 "due --days 2" --days 2
    printf '%s\t%s\t%s\n' "Overdue" "My Contacts/Bob" "$(iso '-3 days')" \
        "Call back" "My Contacts/Clients/Ann" "$(iso today)" \
        'Tab\x09bed \x1b[31mred' "My Contacts/Bob" "$(iso '+2 days')" >"$scratch/expected"
    cmp -s "$scratch/out" "$scratch/expected" || { fail "due --days 2 adds the coming ones by date, controls shown"; diff "$scratch/out" "$scratch/expected"; }
    [ "$(cut -f3 "$scratch/out" | tail -1)" = "$(iso '+2 days')" ] || fail "the tabs between fields are the only ones"

    run_due 0 "due --days 30" --days 30
    [ "$(wc -l <"$scratch/out")" -eq 4 ] || fail "due --days 30 lists all four"

    [ "$started" = "$(iso today)" ] && break
done

printf '{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 3 }Eve~~~~~~42\r\n{Pers}~~~~~~~~~~~~~~~~0\r\n{2 9 }Later~~~~~~51\r\n{Remd}%s,0~~0\r\n' \
    "$(day '+5 days')" >"$scratch/zelk.dat"
run_due 0 "nothing due"
[ -s "$scratch/out" ] && fail "nothing due prints nothing"
run_due 2 "a negative number of days" --days -1
grep -q -- "--days" "$scratch/err" || fail "the message names --days"
run_due 2 "days that are no number" --days soon
run_due 2 "--days without a value" --days
run_due 2 "an unknown option" --weeks 2
"$cli" due --data "$scratch/absent.dat" >"$scratch/out" 2>"$scratch/err"
[ $? -eq 1 ] || fail "a missing data file is a file error"
grep -q "absent.dat" "$scratch/err" || fail "the message names the missing data file"
"$cli" --help | grep -q "due \[--days N\]" || fail "the usage text shows due"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "cli due: all checks passed"
