#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the seed corpora of the fuzz targets that read what servers send: the answers Radicale
# and Xandikos give to this program's requests (discovery, listings, changes, multiget), and the
# sync state quillary-cli keeps after syncing with Radicale.
#   fuzz/capture-dav-seeds.sh BUILD_DIR      (a build with the tests: dav_server_host, quillary-cli)
set -euo pipefail
build=$(cd "$1" && pwd)
corpus=$(cd "$(dirname "$0")/corpus" && pwd)
. "$(dirname "$0")/../tests/support/dav_servers.sh"
host=$build/tests/platform/dav_server_host
scratch=$(mktemp -d)
trap 'stop_dav_server; rm -rf "$scratch"' EXIT

card() { # uid name
    printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nUID:%s\r\nFN:%s\r\nN:%s;;;;\r\nTEL;TYPE=CELL:+1 555 0100\r\nEMAIL:%s@example.org\r\nitem1.URL:https://example.org/%s\r\nitem1.X-ABLabel:Blog\r\nNOTE:line one\\nline two\r\nEND:VCARD\r\n' \
        "$1" "$2" "$2" "$1" "$1"
}
ask() { # name method depth url body
    curl -s "${auth[@]}" -X "$2" -H "Depth: $3" -H 'Content-Type: application/xml; charset=utf-8' --data-binary "$5" "$4" \
        >"$scratch/$1"
}
props='<?xml version="1.0"?><d:propfind xmlns:d="DAV:" xmlns:card="urn:ietf:params:xml:ns:carddav" xmlns:cs="http://calendarserver.org/ns/"><d:prop>'
endprops='</d:prop></d:propfind>'
# Discovery asks each address only what its step needs: the given one what it is and whose, a
# principal its home set, a book or the home's members the books' properties.
start="$props<d:resourcetype/><d:current-user-principal/>$endprops"
homeset="$props<card:addressbook-home-set/>$endprops"
books="$props<d:resourcetype/><d:displayname/><card:supported-address-data/><d:supported-report-set/><d:sync-token/>$endprops"
listing="$props<d:resourcetype/><d:getetag/><d:getcontenttype/><d:sync-token/>$endprops"
changes='<?xml version="1.0"?><d:sync-collection xmlns:d="DAV:"><d:sync-token></d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></d:sync-collection>'

capture() { # server book-url
    local kind=$1 book=$2 base=${DAV_URL%/}
    for i in 1 2 3; do
        card "$kind-$i" "Person $i" | curl -s "${auth[@]}" -X PUT -H 'Content-Type: text/vcard' --data-binary @- \
            "$book$kind-$i.vcf" >/dev/null
    done
    ask well-known PROPFIND 0 "$base/.well-known/carddav" "$start"
    ask root PROPFIND 0 "$DAV_URL" "$start"
    ask principal PROPFIND 0 "$book.." "$homeset"
    ask book PROPFIND 0 "$book" "$books"
    ask home PROPFIND 1 "$book.." "$books"
    ask listing PROPFIND 1 "$book" "$listing"
    ask changes REPORT 0 "$book" "$changes"
    local path=${book#"$base"}
    ask multiget REPORT 1 "$book" "<?xml version=\"1.0\"?><card:addressbook-multiget xmlns:d=\"DAV:\" xmlns:card=\"urn:ietf:params:xml:ns:carddav\"><d:prop><d:getetag/><card:address-data/></d:prop><d:href>${path}$kind-1.vcf</d:href><d:href>${path}$kind-2.vcf</d:href><d:href>${path}missing.vcf</d:href></card:addressbook-multiget>"
    for answer in well-known root principal book home; do
        [ -s "$scratch/$answer" ] && cp "$scratch/$answer" "$corpus/discovery_answers/$kind-$answer.xml"
    done
    for answer in listing changes multiget; do
        [ -s "$scratch/$answer" ] && { printf '\x07' | cat - "$scratch/$answer" >"$corpus/multistatus/$kind-$answer.xml"; }
    done
}

start_dav_server "$host" radicale
auth=(-u "$DAV_USER:$DAV_PASSWORD")
curl -s "${auth[@]}" -X MKCOL -H 'Content-Type: application/xml' --data '<mkcol xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:carddav"><set><prop><resourcetype><collection/><C:addressbook/></resourcetype></prop></set></mkcol>' \
    "${DAV_URL}$DAV_USER/book/" >/dev/null
capture radicale "${DAV_URL}$DAV_USER/book/"
# The sync state quillary-cli keeps of that book.
printf '{Params}\r\n{0 11 }My Contacts~~~~~~1\r\n{1 0 }Synced~~~~~~2\r\n{Fold}0\r\n' >"$scratch/zelk.dat"
PW=$DAV_PASSWORD QUILLARY_HOME=$scratch "$build/src/cli/quillary-cli" sync --data "$scratch/zelk.dat" \
    --url "${DAV_URL}$DAV_USER/book/" --node "My Contacts/Synced" --user "$DAV_USER" --password-env PW >/dev/null
cp "$scratch"/zelk.dat.sync/*.state "$corpus/sync_state/radicale.state"
stop_dav_server

start_dav_server "$host" xandikos
auth=()
capture xandikos "$DAV_BOOK_URL"
echo "seeds written to $corpus"
