#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quillary-cli import killed with SIGKILL at random moments, 50 times: the data file is always
# the old one or the new one, whole; a temporary file the kill left is readable by nobody else,
# whatever the umask; the next command that writes the data file removes it.
set -u
cli=$1
generator=${2:-}
source "$(dirname "$0")/cli_checks.sh"
shopt -s nullglob
data=$QUILLARY_HOME/zelk.dat
trials=50
# Other users may enter the folders: only the files' own modes keep them out.
chmod 755 "$scratch" "$QUILLARY_HOME"

# A data file of persons with their address and phone, every identifier fixed so that the import
# gives the same new file each time.
generate() { # persons file
    if [ -n "$generator" ]; then
        "$generator" "$1" "$2"
        return
    fi
    awk -v n="$1" 'BEGIN {
        printf "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n"
        for (i = 1; i <= n; i++) {
            printf "{1 3 }Person %d~~Mx. Person %d~~generated~~%d\r\n", i, i, i + 100
            printf "{Pers}Mx.~~Person~~~~%d~~Home~~Work~~~~~~~~0\r\n", i
            printf "{2 5 }Home~~%d High Street~~~~%d\r\n", i, i + 1000000
            printf "{Addr}%d High Street~~~~~~Springfield~~IL~~12345~~USA~~0\r\n", i
            printf "{2 6 }Work~~555-%04d~~~~%d\r\n{Phon}~~0\r\n", i % 10000, i + 2000000
        }
    }' >"$2"
}

import() { "$cli" import --format zkd "$scratch/add.zkd" >/dev/null 2>&1; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }

seconds() { awk -v ms="$1" 'BEGIN { printf "%.3f", ms / 1000 }'; }

printf '{1 0 }Imported~~~~~~777001\r\n{Fold}0\r\n{2 3 }Ann Kill~~~~~~777002\r\n{Pers}~~Ann~~~~Kill~~~~~~~~~~~~0\r\n' \
    >"$scratch/add.zkd"

# The import must take long enough to be hit while it writes; slow builds get less data.
persons=8000
for _ in 1 2 3; do
    generate "$persons" "$scratch/old.dat"
    chmod 600 "$scratch/old.dat"
    cp -p "$scratch/old.dat" "$data"
    start=$(now_ms)
    import || fail "an import that runs to its end"
    took=$(($(now_ms) - start))
    [ "$took" -le 500 ] && break
    persons=$((persons / 2))
done
old_sum=$(sha256sum <"$scratch/old.dat")
new_sum=$(sha256sum <"$data")
[ "$old_sum" != "$new_sum" ] || fail "the import changes the data file"

during_write=0
for trial in $(seq 1 "$trials"); do
    cat "$scratch/old.dat" >"$data" # the data file keeps its mode 0600
    mask=0022
    [ $((trial % 2)) -eq 0 ] && mask=0000
    (
        umask "$mask"
        exec "$cli" import --format zkd "$scratch/add.zkd" >/dev/null 2>&1
    ) &
    pid=$!
    if [ $((trial % 3)) -eq 0 ]; then
        # Right after the new file appears, and a little later.
        while kill -0 "$pid" 2>/dev/null && [ -z "$(echo "$data".tmp-*)" ]; do :; done
        sleep "$(seconds $((RANDOM % 30)))"
    else
        sleep "$(seconds $((took * 3 / 10 + RANDOM % (took * 8 / 10 + 1))))"
    fi
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null

    sum=$(sha256sum <"$data")
    [ "$sum" = "$old_sum" ] || [ "$sum" = "$new_sum" ] ||
        fail "trial $trial: the data file is neither the old one nor the new one"
    left=("$data".tmp-*)
    [ "${#left[@]}" -eq 0 ] && continue
    during_write=$((during_write + 1))
    for file in "${left[@]}"; do
        mode=$(stat -c %a "$file")
        [ $((8#$mode & 8#077)) -eq 0 ] || fail "trial $trial (umask $mask): $file has mode $mode"
        if setpriv --reuid=65534 --regid=65534 --clear-groups cat "$file" >/dev/null 2>&1; then
            fail "trial $trial: another user reads $file"
        fi
    done
    import || fail "trial $trial: the import after the kill"
    left=("$data".tmp-*)
    [ "${#left[@]}" -eq 0 ] || fail "trial $trial: the next import kept ${left[*]}"
    [ "$(sha256sum <"$data")" = "$new_sum" ] || fail "trial $trial: the next import wrote another file"
done
echo "$persons persons, an import of $took ms; $during_write of $trials kills landed while the new file was written"
[ "$during_write" -gt 0 ] || fail "no kill landed while the new file was written, so none tested it"
finish kill_save
