#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A card another client wrote (a 4.0 card with "tel:" phones, a company with a department and a
# note of several lines, kept in a vdir that vdirsyncer syncs with Xandikos on loopback, which
# keeps cards as sent) is edited here with quillary-cli sync and comes back to that client as it
# wrote it, with only the phone changed. Groups made there in Apple's form and in CATEGORIES
# become categories here, and categories changed here reach both forms.
set -u
cli=$1
host=$2
. "$(dirname "$0")/../support/dav_servers.sh"
scratch=$(mktemp -d)
trap 'stop_dav_server; rm -rf "$scratch"' EXIT
# Nothing of the user's is read or written, and nothing goes through a proxy.
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share
export XDG_CACHE_HOME=$scratch/home/.cache NO_PROXY=127.0.0.1,localhost no_proxy=127.0.0.1,localhost
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY
mkdir -p "$XDG_CONFIG_HOME" "$scratch/vdir" "$scratch/status"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

start_dav_server "$host" xandikos || exit 1
book=$DAV_BOOK_URL

config=$scratch/vdirsyncer.conf
cat >"$config" <<EOF
[general]
status_path = "$scratch/status/"

[pair contacts]
a = "here"
b = "server"
collections = null

[storage here]
type = "filesystem"
path = "$scratch/vdir/"
fileext = ".vcf"

[storage server]
type = "carddav"
url = "$book"
EOF
other_sync() { # description
    timeout 30 vdirsyncer -c "$config" sync >"$scratch/vds" 2>&1 || fail "$1: vdirsyncer sync: $(cat "$scratch/vds")"
}
timeout 30 vdirsyncer -c "$config" discover </dev/null >"$scratch/vds" 2>&1 || fail "vdirsyncer discover: $(cat "$scratch/vds")"

# The card as khard writes a 4.0 one.
card=$scratch/vdir/ann.vcf
printf '%s\r\n' BEGIN:VCARD VERSION:4.0 'PRODID:-//khard//khard 0.18.0//EN' UID:ann-khard 'FN:Ann Lee' 'N:Lee;Ann;;;' \
    'TEL;VALUE=uri;TYPE=cell:tel:+1-555-0100' 'TEL;VALUE=uri;TYPE=work:tel:+1-555-0101' \
    'ORG:Acme\, Inc.;Research' 'NOTE:met at the fair\nlikes tea\ncall after six' END:VCARD >"$card"
other_sync "the card up"

data=$scratch/zelk.dat
printf '{Params}\r\n{0 11 }My Contacts~~~~~~1\r\n{1 0 }Synced~~~~~~2\r\n{Fold}0\r\n' >"$data"
sync_here() { # description summary
    timeout 30 "$cli" sync --data "$data" --url "$book" --node "My Contacts/Synced" >"$scratch/out" 2>"$scratch/err" || fail "$1: $(cat "$scratch/err")"
    local want="address book: $book
$2"
    [ "$(cat "$scratch/out")" = "$want" ] || fail "$1: summary \"$(cat "$scratch/out")\", expected \"$want\""
}
sync_here "the card down" "server: 0 new, 0 changed, 0 deleted; here: 1 new, 0 changed, 0 deleted"
grep -qF "+1-555-0100" "$data" || fail "the card down: the data file lacks the phone"
grep -qF "Acme, Inc.; Research" "$data" || fail "the card down: the company and its department are not kept apart"
sync_here "nothing changed" "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted"

sed -i 's/+1-555-0100/+1-555-0199/' "$data"
sync_here "the phone edited here" "server: 0 new, 1 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted"
other_sync "the edit back"
printf '%s\r\n' BEGIN:VCARD VERSION:4.0 'PRODID:-//khard//khard 0.18.0//EN' UID:ann-khard 'FN:Ann Lee' 'N:Lee;Ann;;;' \
    'TEL;VALUE=uri;TYPE=cell:tel:+1-555-0199' 'TEL;VALUE=uri;TYPE=work:tel:+1-555-0101' \
    'ORG:Acme\, Inc.;Research' 'NOTE:met at the fair\nlikes tea\ncall after six' END:VCARD >"$scratch/expected.vcf"
# Line ends are the vdir's own (vdirsyncer writes LF); everything else is compared byte for byte.
cmp -s <(tr -d '\r' <"$card") <(tr -d '\r' <"$scratch/expected.vcf") ||
    fail "the card came back changed beyond its phone: $(diff "$scratch/expected.vcf" "$card" | tr -d '\r')"
for unwanted in "VERSION:3.0" "TYPE=PREF" "X-ABLabel"; do
    grep -qiF "$unwanted" "$card" && fail "the card came back with $unwanted"
done
printf '[addressbooks]\n[[contacts]]\npath = %s\n[general]\ndefault_action = list\n' "$scratch/vdir" >"$scratch/khard.conf"
[ "$(timeout 30 khard -c "$scratch/khard.conf" phone --parsable Ann 2>&1 | cut -f1,3 | tr '\t\n' ' ')" = \
    "+1-555-0199 cell +1-555-0101 work " ] || fail "khard does not read the phones back"
sync_here "after the other client's sync" "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted"

# Groups in both forms: an Apple group card naming Ann, and a khard card with CATEGORIES.
group=$scratch/vdir/tea.vcf
printf '%s\r\n' BEGIN:VCARD VERSION:3.0 'PRODID:-//Apple Inc.//iOS 17.0//EN' 'N:Tea club;;;;' 'FN:Tea club' \
    'X-ADDRESSBOOKSERVER-KIND:group' 'X-ADDRESSBOOKSERVER-MEMBER:urn:uuid:ann-khard' UID:tea-group END:VCARD >"$group"
printf '%s\r\n' BEGIN:VCARD VERSION:4.0 'PRODID:-//khard//khard 0.18.0//EN' UID:bo-khard 'FN:Bo Dee' 'N:Dee;Bo;;;' \
    'CATEGORIES:Runners' END:VCARD >"$scratch/vdir/bo.vcf"
other_sync "the groups up"
sync_here "the groups down" "server: 0 new, 1 changed, 0 deleted; here: 1 new, 0 changed, 0 deleted; new categories: Tea club, Runners"
settings=$XDG_CONFIG_HOME/quillary/kpx.ini
grep -q "Tea club" "$settings" && grep -q "Runners" "$settings" || fail "the groups down: the settings lack the new categories: $(cat "$settings")"
grep -c "{Pers}" "$data" | grep -qx 2 || fail "the groups down: a group card became a contact"
other_sync "the groups back"
grep -q "^CATEGORIES:Tea club" "$card" || fail "the groups back: Ann's card does not name her group: $(cat "$card")"
sync_here "the groups agree" "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted"

# Here Bo joins the Tea club (category 1 beside his Runners, 2): his card and the group card say so.
sed -i '/{Pers}.*~~Bo~~/s/~~2\r$/~~3\r/' "$data"
sync_here "Bo joins here" "server: 0 new, 2 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted"
other_sync "Bo's joining back"
grep -q "^X-ADDRESSBOOKSERVER-MEMBER:urn:uuid:bo-khard" "$group" || fail "Bo joins here: the group card lacks him: $(cat "$group")"
grep -q "^CATEGORIES:Runners,Tea club" "$scratch/vdir/bo.vcf" || fail "Bo joins here: his card: $(cat "$scratch/vdir/bo.vcf")"
# There Ann leaves the group: she loses the category here, and her card its CATEGORIES.
sed -i '/ann-khard/d' "$group"
other_sync "Ann leaves there"
sync_here "Ann leaves there" "server: 0 new, 1 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted"
other_sync "Ann's leaving back"
grep -q "^CATEGORIES" "$card" && fail "Ann leaves there: her card still names a category: $(cat "$card")"
sync_here "the groups agree again" "server: 0 new, 0 changed, 0 deleted; here: 0 new, 0 changed, 0 deleted"

stop_dav_server
[ "$failures" -eq 0 ] || exit 1
echo "second client: all checks passed"
