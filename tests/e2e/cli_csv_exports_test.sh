#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Contact exports of today's programs through quillary-cli: each file imported with its field
# names gives the facts written by hand beside it, and an export with field names imported into
# another data file gives them again.
set -u
cli=$1
facts=$2
exports=$3
source "$(dirname "$0")/cli_checks.sh"

same_facts() { # description datafile expected
    "$facts" "$2" >"$scratch/facts" 2>&1 || fail "$1: the data file cannot be read"
    diff -u "$3" "$scratch/facts" >"$scratch/diff" || fail "$1: $(cat "$scratch/diff")"
}

for file in "$exports"/*.csv; do
    name=$(basename "$file" .csv)
    export QUILLARY_HOME=$scratch/$name
    mkdir -p "$QUILLARY_HOME"
    run 0 "$name: import" "$cli" import --format csv --kind person --header "$file"
    same_facts "$name: imported" "$QUILLARY_HOME/zelk.dat" "$exports/$name.facts"
    run 0 "$name: export" "$cli" export --format csv --kind person --header --out "$scratch/$name.out.csv"
    export QUILLARY_HOME=$scratch/$name.again
    mkdir -p "$QUILLARY_HOME"
    run 0 "$name: import of the export" "$cli" import --format csv --kind person --header "$scratch/$name.out.csv"
    has "$name: nothing of the export refused" '^rejected: 0$' "$scratch/out"
    same_facts "$name: exported and imported again" "$QUILLARY_HOME/zelk.dat" "$exports/$name.facts"
    # The same persons as one card file of the whole tree, read into another data file.
    for version in 3.0 4.0; do
        run 0 "$name: cards $version" "$cli" export --format vcf --vcard-version "$version" --out "$scratch/$name.vcf"
        export QUILLARY_HOME=$scratch/$name.cards$version
        mkdir -p "$QUILLARY_HOME"
        run 0 "$name: import of the cards $version" "$cli" import --format vcf "$scratch/$name.vcf"
        same_facts "$name: through cards $version" "$QUILLARY_HOME/zelk.dat" "$exports/$name.facts"
        export QUILLARY_HOME=$scratch/$name.again
    done
done

finish "cli csv exports"
