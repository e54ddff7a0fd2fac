#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What each hostile server shape costs quillary-cli sync: peak memory, time, exit status, the size
# of the sync state it leaves, and the last line it printed. Each run is a fresh data file and
# state, under a limit of LIMIT_MB of address space (default 4096) and at most SECONDS (default 300).
#   bench/hostile-dav-bench.sh QUILLARY_CLI [SHAPE=SIZE ...]
set -u
cli=$(realpath "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)
server=$here/../tests/support/hostile_dav_server.py
limit_mb=${LIMIT_MB:-4096}
seconds=${SECONDS_LIMIT:-300}
shapes=("$@")
[ ${#shapes[@]} -gt 0 ] || shapes=(amplified=20000 huge-listing=250 huge-photo=200 tiny-lines=5 many-lines=2000000
    deep=100000 trickle=1 truncate=20000)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

printf '%-14s %8s %6s %9s %8s %10s  %s\n' shape size exit "peak MiB" seconds "state KiB" "last line"
for shape in "${shapes[@]}"; do
    mode=${shape%%=*}
    size=${shape#*=}
    run=$scratch/$mode
    mkdir -p "$run"
    printf '{Params}\r\n{0 11 }My Contacts~~~~~~1\r\n{1 0 }Synced~~~~~~2\r\n{Fold}0\r\n' >"$run/zelk.dat"
    coproc SERVER { exec python3 "$server" "$mode" --size "$size" --interval 20 --lifetime $((seconds + 60)) 2>/dev/null; }
    read -r line <&"${SERVER[0]}"
    port=${line#PORT=}
    url=http://127.0.0.1:$port/dav/book/
    if [ "$mode" = truncate ]; then
        # A first run against the book learns its sync token; the second meets the truncation.
        QUILLARY_HOME=$run "$cli" sync --data "$run/zelk.dat" --url "$url" --node "My Contacts/Synced" >/dev/null 2>&1
    fi
    (
        ulimit -v $((limit_mb * 1024))
        exec /usr/bin/time -f '%M %e' -o "$run/time" timeout "$seconds" env QUILLARY_HOME="$run" \
            "$cli" sync --data "$run/zelk.dat" --url "$url" --node "My Contacts/Synced" >"$run/out" 2>&1
    )
    status=$?
    read -r peak elapsed < <(tail -1 "$run/time" 2>/dev/null) || { peak=0; elapsed=0; }
    [ "$status" = 124 ] && elapsed=">$seconds"
    state=$(du -k -c "$run"/zelk.dat.sync/*.state 2>/dev/null | tail -1 | cut -f1)
    last=$(grep -v '^Command' "$run/out" | tail -1 | cut -c1-110)
    printf '%-14s %8s %6s %9s %8s %10s  %s\n' "$mode" "$size" "$status" $((peak / 1024)) "$elapsed" "${state:-0}" "$last"
    eval "exec ${SERVER[1]}>&-"
    kill "$SERVER_PID" 2>/dev/null
    wait "$SERVER_PID" 2>/dev/null
    rm -rf "$run"
done
