#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quillary-cli sync beside vdirsyncer on the same address book of a real server on loopback: the
# book is filled with COUNT cards (vdirsyncer uploads them from a vdir), then each client downloads
# it into an empty copy of its own and syncs once more with nothing changed; the two clients take
# turns, so both meet the same server in the same state. Seconds of wall time, and peak memory.
#   bench/second-client-bench.sh BUILD_DIR [COUNT=5000] [xandikos|radicale]
set -u
build=$(cd "$1" && pwd)
count=${2:-5000}
kind=${3:-xandikos}
cli=$build/src/cli/quillary-cli
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/support/dav_servers.sh"
scratch=$(mktemp -d)
trap 'stop_dav_server; rm -rf "$scratch"' EXIT
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share
export XDG_CACHE_HOME=$scratch/home/.cache NO_PROXY=127.0.0.1,localhost no_proxy=127.0.0.1,localhost
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY
mkdir -p "$XDG_CONFIG_HOME"

start_dav_server "$build/tests/platform/dav_server_host" "$kind" || exit 1
if [ "$kind" = radicale ]; then
    book=${DAV_URL%/}/$DAV_USER/contacts/
    curl -s -o /dev/null -u "$DAV_USER:$DAV_PASSWORD" -X MKCOL -H 'Content-Type: application/xml' "$book" --data \
        '<mkcol xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:carddav"><set><prop><resourcetype><collection/><C:addressbook/></resourcetype></prop></set></mkcol>'
    credentials=(--user "$DAV_USER" --password-env QPW)
    vds_auth="username = \"$DAV_USER\"
password = \"$DAV_PASSWORD\""
else
    book=$DAV_BOOK_URL
    credentials=()
    vds_auth=
fi
export QPW=${DAV_PASSWORD:-}

vdirsyncer_config() { # name
    mkdir -p "$scratch/$1/vdir" "$scratch/$1/status"
    cat >"$scratch/$1/config" <<EOF
[general]
status_path = "$scratch/$1/status/"
[pair contacts]
a = "here"
b = "server"
collections = null
conflict_resolution = "a wins"
[storage here]
type = "filesystem"
path = "$scratch/$1/vdir/"
fileext = ".vcf"
[storage server]
type = "carddav"
url = "$book"
$vds_auth
EOF
}
# Prints "seconds peak-MiB" of a command; its output goes to the run's log.
measure() { # log command...
    local log=$1
    shift
    /usr/bin/time -f '%e %M' -o "$scratch/time" "$@" >"$log" 2>&1 || { echo "failed: $* (see below)" >&2; cat "$log" >&2; }
    awk '{ printf "%s %.0f", $1, $2 / 1024 }' "$scratch/time"
}

# The book, filled by vdirsyncer from cards as an address book program writes them.
vdirsyncer_config fill
for ((i = 1; i <= count; i++)); do
    printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nUID:person-%05d\r\nFN:Person %05d Example\r\nN:Example;Person %05d;;;\r\nTEL;TYPE=CELL:+1 555 %04d\r\nEMAIL;TYPE=INTERNET:person%05d@example.org\r\nADR;TYPE=HOME:;;%d Main Street;Springfield;;12345;USA\r\nNOTE:generated for the bench\r\nEND:VCARD\r\n' \
        "$i" "$i" "$i" $((i % 10000)) "$i" "$i" >"$scratch/fill/vdir/person-$i.vcf"
done
vdirsyncer -c "$scratch/fill/config" discover </dev/null >/dev/null 2>&1
read -r fill_s fill_mib <<<"$(measure "$scratch/fill.log" vdirsyncer -c "$scratch/fill/config" sync)"

data=$scratch/zelk.dat
printf '{Params}\r\n{0 11 }My Contacts~~~~~~1\r\n{1 0 }Synced~~~~~~2\r\n{Fold}0\r\n' >"$data"
quillary=("$cli" sync --data "$data" --url "$book" --node "My Contacts/Synced" "${credentials[@]}")
vdirsyncer_config other
vdirsyncer -c "$scratch/other/config" discover </dev/null >/dev/null 2>&1

read -r q_first_s q_first_mib <<<"$(measure "$scratch/q1.log" "${quillary[@]}")"
read -r v_first_s v_first_mib <<<"$(measure "$scratch/v1.log" vdirsyncer -c "$scratch/other/config" sync)"
read -r q_same_s q_same_mib <<<"$(measure "$scratch/q2.log" "${quillary[@]}")"
read -r v_same_s v_same_mib <<<"$(measure "$scratch/v2.log" vdirsyncer -c "$scratch/other/config" sync)"

echo "$kind, $count cards (vdirsyncer filled the book in $fill_s s)"
echo "quillary-cli: $(tail -1 "$scratch/q1.log")"
echo "vdirsyncer:   $(ls "$scratch/other/vdir" | wc -l) cards in its vdir"
printf '| run | quillary-cli s | MiB | vdirsyncer s | MiB |\n|---|--:|--:|--:|--:|\n'
printf '| first download | %s | %s | %s | %s |\n' "$q_first_s" "$q_first_mib" "$v_first_s" "$v_first_mib"
printf '| nothing changed | %s | %s | %s | %s |\n' "$q_same_s" "$q_same_mib" "$v_same_s" "$v_same_mib"
