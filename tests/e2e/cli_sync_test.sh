#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quillary-cli sync as a user runs it against a real CardDAV server on loopback, with another
# client (curl) writing to the same address book between runs.
set -u
cli=$1
host=$2
. "$(dirname "$0")/../support/dav_servers.sh"
scratch=$(mktemp -d)
trap 'stop_dav_server; rm -rf "$scratch"' EXIT
export QPW
failures=0
runs=0   # syncs run, and
checks=0 # summaries and data files checked after them, for the closing line
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
data=$scratch/zelk.dat
node="My Contacts/Synced"

# --- the other client ---------------------------------------------------------------------
dav() { curl -s -u "$DAV_USER:$DAV_PASSWORD" "$@"; }
make_book() { # url
    dav -o /dev/null -w '%{http_code}' -X MKCOL -H 'Content-Type: application/xml' "$1" --data \
        '<mkcol xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:carddav"><set><prop><resourcetype><collection/><C:addressbook/></resourcetype></prop></set></mkcol>' |
        grep -q 201
}
card() { # uid first last lines...
    local uid=$1 first=$2 last=$3
    shift 3
    printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nUID:%s\r\nFN:%s %s\r\nN:%s;%s;;;\r\n' "$uid" "$first" "$last" "$last" "$first"
    printf '%s\r\n' "$@"
    printf 'END:VCARD\r\n'
}
etag_of() { # href
    dav -o /dev/null -D - "$origin$1" | tr -d '\r' | sed -n 's/^[Ee][Tt][Aa][Gg]: //p'
}
put() { # href [if-match] < card
    local match=()
    [ -n "${2:-}" ] && match=(-H "If-Match: $2")
    dav -o /dev/null -w '%{http_code}' -X PUT -H 'Content-Type: text/vcard' "${match[@]}" --data-binary @- "$origin$1"
}
get() { dav "$origin$1"; }
# The hrefs of the book's cards, sorted.
hrefs() { # book-url
    dav -X PROPFIND -H 'Depth: 1' "$1" | grep -oE 'href>[^<]*\.vcf<' | sed 's/^href>//; s/<$//' | sort
}
# Every card's href and body: what the server holds, byte for byte.
server_dump() { # book-url
    local href
    for href in $(hrefs "$1"); do
        echo "== $href"
        get "$href"
    done
}
# The other client's edit of a card, sent over the ETag it read.
edit_card() { # name sed-script
    local href
    href=$(href_of "$book" "$1")
    get "$href" | sed "$2" | put "$href" "$(etag_of "$href")" | grep -q 20
}
href_of() { # book-url name
    local href
    for href in $(hrefs "$1"); do
        get "$href" | grep -q "^FN:$2" && echo "$href" && return
    done
}

# --- the user -------------------------------------------------------------------------------
run_sync() { # expected-status description [options...]
    local want=$1 what=$2
    shift 2
    QPW=${QPW-$DAV_PASSWORD} "$cli" sync --data "$data" --url "${url:-$book}" --node "$node" --user "$DAV_USER" \
        --password-env QPW "$@" >"$scratch/out" 2>"$scratch/err"
    local got=$?
    runs=$((runs + 1))
    [ "$got" -eq "$want" ] || fail "$what: exit status $got, expected $want: $(cat "$scratch/err")"
}
summary_is() { # description line: the book synced, then the line
    local want="address book: $book
$2"
    checks=$((checks + 1))
    [ "$(cat "$scratch/out")" = "$want" ] || fail "$1: summary \"$(cat "$scratch/out")\", expected \"$want\""
}
empty_data() {
    printf '{Params}\r\n{0 11 }My Contacts~~~~~~1\r\n{1 0 }Synced~~~~~~2\r\n{Fold}0\r\n' >"$data"
}
import_cards() { # file
    "$cli" import --data "$data" --format vcf "$1" --into "$node" >/dev/null || fail "import of $1"
}
has() { # description text
    checks=$((checks + 1))
    grep -qF -- "$2" "$data" || fail "$1: the data file has no \"$2\""
}
# Removes a contact and what it holds from the data file, as an edit in a text editor would.
remove_contact() { # title
    awk -v title="$1" '
        /^\{[0-9]+ [0-9]+ \}/ { split($0, head, /[{ }]/); level = head[2] + 0
            if (skip && level <= skipLevel) skip = 0
            if (!skip && index($0, " }" title "~~") > 0) { skip = 1; skipLevel = level } }
        !skip' "$data" >"$data.new" && mv "$data.new" "$data"
}

run_all_checks() {
    # First run both ways: two persons here go up, two written by another client come down.
    empty_data
    {
        card ann-local Ann Lee "TEL:555 0100" "NOTE:met in Lyon"
        card dee-local Dee Moe "TEL:555 0400"
    } >"$scratch/here.vcf"
    import_cards "$scratch/here.vcf"
    card bob-uid Bob Roe "TEL;TYPE=CELL:555 0200" "PHOTO;ENCODING=b;TYPE=PNG:iVBORw0KGgo=" "X-PHONETIC-FIRST-NAME:Bobby" |
        put "${bookPath}bob.vcf" >/dev/null
    card cy-uid Cy Poe "EMAIL:cy@example.org" | put "${bookPath}cy.vcf" >/dev/null
    run_sync 0 "first sync"
    summary_is "first sync" "server: 2 new, 0 changed, 0 deleted; here: 2 new, 0 changed, 0 deleted"
    has "first sync" "Bob Roe"
    has "first sync" "cy@example.org"
    [ "$(hrefs "$book" | wc -l)" -eq 4 ] || fail "first sync: the server holds $(hrefs "$book" | wc -l) cards, not 4"
    run_sync 0 "second sync"
    summary_is "a sync with nothing changed" "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted"

    # An edit on each side: Bob's phone here, Ann's note there.
    sed -i 's/555 0200/555 0222/' "$data"
    edit_card "Ann Lee" 's/^NOTE:.*/NOTE:moved to Nantes\r/' || fail "the other client's edit of Ann"
    run_sync 0 "an edit on each side"
    summary_is "an edit on each side" "server: 0 new, 1 changed, 0 deleted; here: 0 new, 1 changed, 0 deleted"
    has "an edit on each side" "moved to Nantes"
    local bob
    bob=$(get "${bookPath}bob.vcf")
    for kept in "555 0222" "PHOTO;ENCODING=b;TYPE=PNG:iVBORw0KGgo=" "X-PHONETIC-FIRST-NAME:Bobby" "UID:bob-uid"; do
        grep -qF -- "$kept" <<<"$bob" || fail "Bob's card after a local edit lacks $kept"
    done

    # The same field on both sides: both values are kept and the contact is named.
    sed -i 's/555 0400/555 0411/' "$data"
    edit_card "Dee Moe" 's/555 0400/555 0422/' || fail "the other client's edit of Dee"
    local dee
    dee=$(href_of "$book" "Dee Moe")
    run_sync 0 "the same field edited on both sides"
    summary_is "the same field edited on both sides" \
        "server: 0 new, 1 changed, 0 deleted; here: 0 new, 1 changed, 0 deleted; 1 conflict kept both: Dee Moe"
    has "a conflict" "555 0411"
    has "a conflict" "555 0422"
    get "$dee" | grep -q "555 0411" || fail "a conflict: the server lacks this side's value"
    get "$dee" | grep -q "555 0422" || fail "a conflict: the server lost its own value"

    # A dry run after changes on both sides changes nothing anywhere.
    sed -i 's/555 0100/555 0199/' "$data"
    card eve-uid Eve Orr "TEL:555 0500" | put "${bookPath}eve.vcf" >/dev/null
    cp "$data" "$scratch/before.dat"
    server_dump "$book" >"$scratch/before.server"
    rm -rf "$scratch/before.sync"
    cp -r "$data.sync" "$scratch/before.sync"
    run_sync 0 "a dry run" --dry-run
    summary_is "a dry run" "server: 0 new, 1 changed, 0 deleted; here: 1 new, 0 changed, 0 deleted
dry run: nothing was sent or changed"
    cmp -s "$data" "$scratch/before.dat" || fail "a dry run changed the data file"
    server_dump "$book" | cmp -s - "$scratch/before.server" || fail "a dry run changed the server"
    diff -r "$data.sync" "$scratch/before.sync" >/dev/null || fail "a dry run changed the sync state: $(diff -r "$data.sync" "$scratch/before.sync" | head -20)"
    run_sync 0 "the run after a dry run"
    summary_is "the run after a dry run" "server: 0 new, 1 changed, 0 deleted; here: 1 new, 0 changed, 0 deleted"

    # Deletes both ways: Cy here, Eve there.
    remove_contact "Cy Poe"
    dav -o /dev/null -X DELETE "$origin${bookPath}eve.vcf"
    run_sync 0 "deletes both ways"
    summary_is "deletes both ways" "server: 0 new, 0 changed, 1 deleted; here: 0 new, 0 changed, 1 deleted"
    grep -q "Eve Orr" "$data" && fail "deletes both ways: Eve is still here"
    hrefs "$book" | grep -q "cy.vcf" && fail "deletes both ways: Cy is still on the server"

    # An emptied server is refused, then taken when the user allows it.
    local href
    for href in $(hrefs "$book"); do dav -o /dev/null -X DELETE "$origin$href"; done
    cp "$data" "$scratch/before.dat"
    run_sync 5 "an emptied server"
    cmp -s "$data" "$scratch/before.dat" || fail "an emptied server: the data file changed"
    grep -q "Ann Lee" "$scratch/err" || fail "an emptied server: the contacts are not listed"
    run_sync 0 "an emptied server allowed" --allow-mass-delete
    grep -q "Ann Lee" "$data" && fail "an emptied server allowed: Ann is still here"

    # A wrong password: the message names the URL and 401, and never the password.
    [ -n "$DAV_PASSWORD" ] || return 0 # a server that asks for none
    QPW=not-her-password-42 run_sync 1 "a wrong password"
    grep -qF "$book" "$scratch/err" && grep -q 401 "$scratch/err" ||
        fail "a wrong password: the message is \"$(cat "$scratch/err")\""
    grep -q "not-her-password-42" "$scratch/out" "$scratch/err" "$data" "$data".sync/* &&
        fail "a wrong password: the password was printed or stored"
}

# Waits until the sync state file holds more than it did, or the run has ended.
state_grows() { # pid size-before
    local size
    while kill -0 "$1" 2>/dev/null; do
        size=$(cat "$data".sync/*.state 2>/dev/null | wc -c)
        [ "$size" -gt "$2" ] && return
        sleep 0.05
    done
}

# A run killed right after a batch was noted, then a run to the end: no contact twice on either
# side (a card made twice would have a second href). Uploads go in batches of 100.
check_killed_runs() {
    book=$origin/$DAV_USER/many/
    bookPath=/$DAV_USER/many/
    make_book "$book" || fail "making the second address book"
    empty_data
    rm -rf "$data.sync"
    local i
    for i in $(seq 1 110); do card "local-$i" "Person$i" "Local" "TEL:555 $i"; done >"$scratch/many.vcf"
    import_cards "$scratch/many.vcf"
    for i in 1 2; do card "remote-$i" "Remote$i" "Other" | put "${bookPath}remote-$i.vcf" >/dev/null; done
    local round size=0
    for round in 1; do
        QPW=$DAV_PASSWORD "$cli" sync --data "$data" --url "$book" --node "$node" --user "$DAV_USER" \
            --password-env QPW >/dev/null 2>&1 &
        local pid=$!
        # The first write is the salt; the next ones note downloads and then each upload batch.
        state_grows "$pid" $((size + 2000))
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        size=$(cat "$data".sync/*.state | wc -c)
    done
    [ "$(hrefs "$book" | wc -l)" -lt 112 ] || fail "killed runs: the run ended before it was killed"
    run_sync 0 "the run after killed ones"
    run_sync 0 "a run after that"
    summary_is "a run after killed ones" "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted"
    local cards persons
    cards=$(hrefs "$book" | wc -l)
    [ "$cards" -eq 112 ] || fail "killed runs: the server holds $cards cards, not 112"
    persons=$("$cli" tree "$data" | grep -c "Local\|Other")
    [ "$persons" -eq 112 ] || fail "killed runs: $persons contacts here, not 112"
}

# Names given once on each side.
once_each() { # description names...
    local what=$1 name here there
    shift
    for name in "$@"; do
        checks=$((checks + 1))
        here=$("$cli" tree "$data" | grep -c "$name")
        there=$(server_dump "$book" | grep -c "^FN:$name")
        [ "$here" -eq 1 ] && [ "$there" -eq 1 ] || fail "$what: $name is here $here times, on the server $there times"
    done
}

# The book under other spellings of its address (no closing slash, the server, the principal):
# one state, so what changed on either side in between is made once. A calendar is refused.
check_spellings() {
    dav -o /dev/null -X DELETE "$origin/$DAV_USER/many/"
    book=$origin/$DAV_USER/contacts/
    bookPath=/$DAV_USER/contacts/
    empty_data
    rm -rf "$data.sync"
    card ann-local Ann Lee "TEL:555 0100" >"$scratch/here.vcf"
    import_cards "$scratch/here.vcf"
    card bob-uid Bob Roe "TEL:555 0200" | put "${bookPath}bob.vcf" >/dev/null
    run_sync 0 "spellings: the first sync"
    local round=0 spelling
    for spelling in "${book%/}" "$origin/" "$origin/$DAV_USER/" "$origin/$DAV_USER" "$book"; do
        round=$((round + 1))
        card "here-$round" "Here$round" Spelled >"$scratch/here.vcf"
        import_cards "$scratch/here.vcf"
        sed -i "s/555 01[0-9][0-9]/555 01$round$round/" "$data"
        card "there-$round" "There$round" Spelled | put "${bookPath}there-$round.vcf" >/dev/null
        edit_card "Bob Roe" "s/555 02[0-9][0-9]/555 02$round$round/" || fail "spellings: the other client's edit"
        url=$spelling run_sync 0 "spellings: $spelling"
        summary_is "spellings: $spelling" "server: 1 new, 1 changed, 0 deleted; here: 1 new, 1 changed, 0 deleted"
    done
    once_each "spellings" "Ann Lee" "Bob Roe" Here1 Here2 Here3 Here4 Here5 There1 There2 There3 There4 There5
    [ "$(ls "$data.sync" | wc -l)" -eq 1 ] || fail "spellings: more than one state: $(ls "$data.sync")"

    local calendar=$origin/$DAV_USER/work-calendar/
    dav -o /dev/null -X MKCALENDAR "$calendar"
    cp "$data" "$scratch/before.dat"
    url=$calendar run_sync 1 "a calendar"
    grep -qF "$calendar is a calendar, not an address book" "$scratch/err" && grep -qF "$book" "$scratch/err" ||
        fail "a calendar: the message is \"$(cat "$scratch/err")\""
    cmp -s "$data" "$scratch/before.dat" || fail "a calendar: the data file changed"
}

# Another server: the same checks, then the first run both ways and an edit each way, its own
# address and its calendar.
check_xandikos() {
    radicale="Radicale: $runs runs, $checks checks"
    runs=0 checks=0
    start_dav_server "$host" xandikos || {
        fail "Xandikos did not start"
        return
    }
    book=$DAV_BOOK_URL
    origin=${DAV_URL%/}
    bookPath=${book#"$origin"}
    DAV_USER= DAV_PASSWORD=
    rm -rf "$data.sync"
    run_all_checks
    for href in $(hrefs "$book"); do dav -o /dev/null -X DELETE "$origin$href"; done
    empty_data
    rm -rf "$data.sync"
    card ann-local Ann Lee "TEL:555 0100" >"$scratch/here.vcf"
    import_cards "$scratch/here.vcf"
    card bob-uid Bob Roe "TEL:555 0200" "X-PHONETIC-FIRST-NAME:Bobby" | put "${bookPath}bob.vcf" >/dev/null
    "$cli" sync --data "$data" --url "$book" --node "$node" >"$scratch/out" 2>"$scratch/err" ||
        fail "Xandikos: first sync: $(cat "$scratch/err")"
    summary_is "Xandikos: first sync" "server: 1 new, 0 changed, 0 deleted; here: 1 new, 0 changed, 0 deleted"
    sed -i 's/555 0200/555 0222/' "$data"
    edit_card "Ann Lee" 's/555 0100/555 0111/' || fail "Xandikos: the other client's edit"
    "$cli" sync --data "$data" --url "$book" --node "$node" >"$scratch/out" 2>"$scratch/err" ||
        fail "Xandikos: an edit each way: $(cat "$scratch/err")"
    summary_is "Xandikos: an edit each way" "server: 0 new, 1 changed, 0 deleted; here: 0 new, 1 changed, 0 deleted"
    has "Xandikos: an edit each way" "555 0111"
    get "${bookPath}bob.vcf" | grep -q "555 0222" || fail "Xandikos: Bob's new phone did not go up"
    get "${bookPath}bob.vcf" | grep -q "X-PHONETIC-FIRST-NAME:Bobby" || fail "Xandikos: Bob's X- property was lost"
    # The server's own address leads to the same book and state; its calendar is refused.
    card cy-uid Cy Poe >"$scratch/here.vcf"
    import_cards "$scratch/here.vcf"
    card dee-uid Dee Moe | put "${bookPath}dee.vcf" >/dev/null
    "$cli" sync --data "$data" --url "$origin/" --node "$node" >"$scratch/out" 2>"$scratch/err" ||
        fail "Xandikos: the server's address: $(cat "$scratch/err")"
    summary_is "Xandikos: the server's address" "server: 1 new, 0 changed, 0 deleted; here: 1 new, 0 changed, 0 deleted"
    once_each "Xandikos" "Ann Lee" "Bob Roe" "Cy Poe" "Dee Moe"
    "$cli" sync --data "$data" --url "$origin/user/calendars/calendar/" --node "$node" >"$scratch/out" 2>"$scratch/err"
    [ $? -eq 1 ] && grep -qF "is a calendar, not an address book" "$scratch/err" ||
        fail "Xandikos: a calendar: $(cat "$scratch/err")"
    stop_dav_server
}

start_dav_server "$host" radicale || exit 1
origin=${DAV_URL%/}
bookPath=/$DAV_USER/contacts/
book=$origin$bookPath
make_book "$book" || fail "making the address book"
run_all_checks
check_killed_runs
check_spellings

# The server gone: a failure naming the URL, nothing changed here.
stop_dav_server
cp "$data" "$scratch/before.dat"
run_sync 1 "the server gone"
grep -qF "$book" "$scratch/err" || fail "the server gone: the message does not name the URL"
cmp -s "$data" "$scratch/before.dat" || fail "the server gone: the data file changed"
check_xandikos

[ "$failures" -eq 0 ] || exit 1
echo "cli sync: all checks passed ($radicale; Xandikos: $runs runs, $checks checks)"
