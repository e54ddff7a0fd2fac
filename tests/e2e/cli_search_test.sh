#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quillary-cli search as a shell and mutt's query_command run it, while the desktop program holds
# the data file: every field of persons and organizations, their details and websites, categories
# by the names in the settings file.
set -u
cli=$1
. "$(dirname "$0")/cli_checks.sh"

{
    printf '{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n'
    printf '{1 0 }Clients~~~~~~41\r\n{Fold}0\r\n'
    printf '{2 3 }Müller, Jürgen~~~~~~42\r\n{Pers}Herr~~Jürgen~~~~Müller~~~~~~~~~~~~1~~Straße AG~~~~\r\n'
    printf '{3 6 }Office~~(555) 123-4567~~~~51\r\n{Phon}~~0\r\n'
    printf '{3 7 }Work~~jm@example.de~~~~52\r\n{Mail}0\r\n'
    printf '{3 7 }Home~~juergen@example.org~~~~53\r\n{Mail}0\r\n'
    printf '{3 4 }Homepage~~https://muller.example/~~~~55\r\n{Webs}0\r\n'
    printf '{2 1 }École Supérieure~~~~ask for the dean~~43\r\n{Orgn}~~~~~~~~~~0\r\n'
    printf '{1 3 }Ann Smith~~~~Met\tat the fair~~44\r\n{Pers}~~Ann~~~~Smith~~~~~~~~~~~~0\r\n'
    printf '{2 6 }Mobile~~555-9876~~~~54\r\n{Phon}~~0\r\n'
    printf '{2 7 }E-Mail~~ann@example.com~~~~56\r\n{Mail}0\r\n'
} >"$QUILLARY_HOME/zelk.dat"
printf '[Categories]\nCat1=Golf Club\n' >"$QUILLARY_HOME/kpx.ini"

run_search() { # expected-status description arguments...
    local want=$1 what=$2
    shift 2
    run "$want" "$what" "$cli" search "$@"
}
expect() { # description, then the expected lines
    local what=$1
    shift
    printf '%s\n' "$@" >"$scratch/expected"
    cmp -s "$scratch/out" "$scratch/expected" || { fail "$what"; diff "$scratch/out" "$scratch/expected"; }
}
tab=$'\t'

flock "$QUILLARY_HOME/zelk.dat.lock" "$cli" search muller >"$scratch/out" 2>"$scratch/err" ||
    fail "search while the data file is held"
expect "a name without its accents" "Müller, Jürgen${tab}My Contacts/Clients/Müller, Jürgen${tab}Title${tab}Müller, Jürgen"

run_search 0 "a number by its digits" 5551234567
expect "a phone by its digits" "Müller, Jürgen${tab}My Contacts/Clients/Müller, Jürgen${tab}Phone${tab}(555) 123-4567"

run_search 0 "words in any order, over two lines" --data "$QUILLARY_HOME/zelk.dat" example 555
expect "every match, the first matching field named, controls shown" \
    "Müller, Jürgen${tab}My Contacts/Clients/Müller, Jürgen${tab}Phone${tab}(555) 123-4567" \
    "Ann Smith${tab}My Contacts/Ann Smith${tab}Phone${tab}555-9876"

run_search 0 "a comment" fair
expect "a tab of a field is shown, not written" "Ann Smith${tab}My Contacts/Ann Smith${tab}Comment${tab}Met\\x09at the fair"

run_search 0 "a category by its name" "GOLF"
expect "the category's name" "Müller, Jürgen${tab}My Contacts/Clients/Müller, Jürgen${tab}Category${tab}Golf Club"

run_search 0 "an organization" ecole
[ "$(cut -f1,3 "$scratch/out")" = "École Supérieure${tab}Title" ] || fail "the organization is found by its title"

run_search 0 "a website below a person" muller.example
[ "$(cut -f3 "$scratch/out")" = "Website" ] || fail "the website counts for its person"

run_search 1 "--node limits the search" --node "My Contacts/Clients" smith
[ -s "$scratch/out" ] && fail "nothing outside the node is printed"
run_search 0 "--node keeps what is beneath it" --node "My Contacts/Clients" e
[ "$(cut -f1 "$scratch/out" | tr '\n' '|')" = "Müller, Jürgen|École Supérieure|" ] || fail "--node lists the node's persons and organizations"

run_search 0 "--mutt" --mutt example
expect "mutt's query format: a message with the count, then address, name and path" \
    "Quillary: 3 e-mail addresses of 2 matches" \
    "jm@example.de${tab}Müller, Jürgen${tab}My Contacts/Clients/Müller, Jürgen" \
    "juergen@example.org${tab}Müller, Jürgen${tab}My Contacts/Clients/Müller, Jürgen" \
    "ann@example.com${tab}Ann Smith${tab}My Contacts/Ann Smith"
run_search 1 "--mutt without matches" --mutt nobody
expect "mutt is told that nothing was found" "Quillary: 0 e-mail addresses of 0 matches"

run_search 1 "nothing found" "jurgen smith"
[ -s "$scratch/out" ] && fail "nothing found prints nothing"
run_search 2 "no text" --node "My Contacts"
has "the message asks for the text" "text to look for" "$scratch/err"
run_search 2 "only spaces" "   "
run_search 2 "an unknown option" --limit 3 smith
run_search 2 "a node that is not there" --node "My Contacts/Nobody" smith
has "the message names the missing node" "My Contacts/Nobody" "$scratch/err"
run_search 1 "a missing data file" --data "$scratch/absent.dat" smith
has "the message names the missing data file" "absent.dat" "$scratch/err"
"$cli" --help | grep -q "search \[--data FILE\] \[--node PATH\] \[--mutt\] TEXT" || fail "the usage text shows search"

finish "cli search"
