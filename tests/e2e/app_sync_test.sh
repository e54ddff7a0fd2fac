#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop program synchronising with Radicale on loopback as a user would have it: the account
# in the settings file (its password in an environment variable the settings name), a first round
# at the start, an edit made on the server arriving with the next automatic round, the automation
# interface's Synchronize, the command line refused meanwhile, and its state shared after the end.
# Usage: app_sync_test.sh QUILLARY_BINARY QUILLARY_CLI DAV_SERVER_HOST   (run inside xvfb-run)
set -u
app=$1
cli=$2
host=$3
source "$(dirname "$0")/app_checks.sh"
source "$(dirname "$0")/../support/dav_servers.sh"
begin_scratch
cleanup() {
    stop_dav_server
    end_scratch
}
trap cleanup EXIT

start_dav_server "$host" radicale || exit 1
book="${DAV_URL%/}/$DAV_USER/contacts/"
dav() { # method url [curl options...]
    curl -s -o /dev/null -w '%{http_code}' -u "$DAV_USER:$DAV_PASSWORD" -X "$1" "$2" "${@:3}"
}
card() { # uid name phone
    printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nUID:%s\r\nFN:%s\r\nN:%s;%s;;;\r\nTEL:%s\r\nEND:VCARD\r\n' \
        "$1" "$2" "${2#* }" "${2%% *}" "$3"
}
status=$(dav MKCOL "$book" -H 'Content-Type: application/xml' --data-binary '<?xml version="1.0"?>
<D:mkcol xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:carddav"><D:set><D:prop>
<D:resourcetype><D:collection/><C:addressbook/></D:resourcetype><D:displayname>Contacts</D:displayname>
</D:prop></D:set></D:mkcol>')
[ "$status" = 201 ] || fail "Radicale did not make the address book ($status)"
status=$(dav PUT "${book}bob.vcf" -H 'Content-Type: text/vcard' --data-binary "$(card bob-server 'Bob Server' '555 0200')")
[ "$status" = 201 ] || fail "Radicale did not take Bob's card ($status)"
server_cards() {
    curl -s -u "$DAV_USER:$DAV_PASSWORD" -X PROPFIND -H 'Depth: 1' "$book" | grep -o '\.vcf</' | wc -l
}

printf '{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }Synced~~~~~~11\r\n{Fold}0\r\n' >"$QUILLARY_HOME/zelk.dat"
printf '{2 3 }Ann Local~~Ms. Ann Local~~~~12\r\n{Pers}Ms.~~Ann~~~~Local~~~~~~~~~~~~0\r\n' >>"$QUILLARY_HOME/zelk.dat"
cat >"$QUILLARY_HOME/kpx.ini" <<SETTINGS
[Synchronization]
Interval=15
IntervalSeconds=2
Account1Name=Radicale
Account1Server=$book
Account1User=$DAV_USER
Account1Node=My Contacts/Synced
Account1PasswordEnv=E2E_DAV_PASSWORD
SETTINGS
export E2E_DAV_PASSWORD=$DAV_PASSWORD
data_has() { grep -q "$1" "$QUILLARY_HOME/zelk.dat"; }

"$app" &
program=$!
pids+=("$program")
wait_for 20 main_window || fail "no main window"
wait_for 30 data_has 'Bob Server' || fail "the first round did not bring Bob from the server"
wait_for 30 eval '[ "$(server_cards)" -eq 2 ]' || fail "the first round did not send Ann ($(server_cards) cards there)"
grep -q "$DAV_PASSWORD" "$QUILLARY_HOME/kpx.ini" "$QUILLARY_HOME/zelk.dat" && fail "the password was written down"

# Another client edits Bob; the next automatic round brings it.
status=$(dav PUT "${book}bob.vcf" -H 'Content-Type: text/vcard' --data-binary "$(card bob-server 'Bob Server' '555 0299')")
[ "$status" = 201 ] || [ "$status" = 204 ] || fail "Radicale did not take Bob's change ($status)"
wait_for 30 data_has '555 0299' || fail "the server's edit did not arrive with an automatic round"

answer=$(timeout 60 gdbus call --session --dest Zelk.Application --object-path / --method Zelk.Application.Synchronize)
case "$answer" in
*"Synchronized: 0 in, 0 out"*) ;;
*) fail "Synchronize over the automation interface answered: $answer" ;;
esac

"$cli" sync --url "$book" --node "My Contacts/Synced" --user "$DAV_USER" --password-env E2E_DAV_PASSWORD \
    >/dev/null 2>&1
status=$?
[ "$status" -eq 4 ] || fail "quillary-cli sync while the program runs ended with $status, not 4"

kill -TERM "$program"
wait "$program"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status after SIGTERM"
# The command line uses the same state: nothing left to do.
summary=$("$cli" sync --url "$book" --node "My Contacts/Synced" --user "$DAV_USER" --password-env E2E_DAV_PASSWORD)
[ "$summary" = "address book: $book
server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted" ] ||
    fail "the command line after the program found: $summary"

[ "$failures" -eq 0 ] || exit 1
echo "app sync: all checks passed"
