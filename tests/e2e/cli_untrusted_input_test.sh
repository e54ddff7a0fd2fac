#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quillary-cli given files someone else wrote: control characters reach the terminal only as
# visible escapes, a row of millions of empty fields is refused within a modest memory bound, and
# a site published in a fresh home folder carries the shipped pictures.
set -u
cli=$1
source_dir=$2
source "$(dirname "$0")/cli_checks.sh"

esc=$'\x1b'
bel=$'\x07'

no_raw_controls() { # description file
    if LC_ALL=C grep -q "[$esc$bel]" "$2"; then
        fail "$1: a raw control character reached the output"
    fi
}

# A title that would retitle the terminal window and a target that would colour it.
printf 'Quillary data\r\n{1 3 }Evil%s]0;pwned%sTitle~~%s[31mred~~~~5\r\n{Pers}~~Evil~~~~T~~~~~~~~~~~~~~0\r\n' \
    "$esc" "$bel" "$esc" >"$scratch/evil.dat"
run 0 "tree of a hostile file" "$cli" tree "$scratch/evil.dat"
no_raw_controls "tree" "$scratch/out"
has "tree shows the escape" 'person: Evil\\x1b]0;pwned\\x07Title -> \\x1b\[31mred$' "$scratch/out"
run 0 "cat of a hostile file" "$cli" cat "$scratch/evil.dat"
LC_ALL=C grep -q "Evil$esc]0;pwned${bel}Title" "$scratch/out" || fail "cat prints the data file as saved, raw"

# A bookmark page whose title and links are hostile: the summary names them safely.
printf '<TITLE>Marks%s]0;pwned%s</TITLE>\n<DT><A HREF="javascript:alert(1)">Run</A>\n<DT><A HREF="https://ok.example/">Fine</A>\n' \
    "$esc" "$bel" >"$scratch/bookmark.htm"
run 0 "bookmark import" "$cli" import --format bookmarks "$scratch/bookmark.htm"
has "the javascript link is refused with a reason" '^line 2: a "javascript:" link is no web address$' "$scratch/out"
"$cli" tree "$QUILLARY_HOME/zelk.dat" >"$scratch/tree"
no_raw_controls "tree after the import" "$scratch/tree"
has "the folder keeps its title, shown safely" 'folder: Marks\\x1b]0;pwned\\x07$' "$scratch/tree"
LC_ALL=C grep -q 'javascript' "$scratch/tree" && fail "the refused bookmark made an item"
run 1 "a file name with control characters" "$cli" cat "$scratch/no${esc}[2Jfile"
no_raw_controls "error message" "$scratch/err"
has "the error names the file visibly" 'no\\x1b\[2Jfile' "$scratch/err"

# 40 MB of commas in one row, read within 512 MB of memory: every empty field once cost about
# 55 bytes (2.3 GB here). The system measures the peak: an address-space limit would also refuse
# a sanitizer build's shadow memory.
measured=(/usr/bin/time -f %M -o "$scratch/peak")
peak_within() { # KiB description: the last measured command's peak memory stayed within KiB
    local peak
    peak=$(tail -1 "$scratch/peak")
    [ "$peak" -le "$1" ] || fail "$2: $peak KiB at its peak, more than $1"
}
head -c $((40 * 1024 * 1024)) /dev/zero | tr '\0' ',' >"$scratch/commas.csv"
printf '\nAnn,Lee\n' >>"$scratch/commas.csv"
{ printf 'First Name,Last Name\n' && cat "$scratch/commas.csv"; } >"$scratch/named.csv"
for header in "" "--header"; do
    rm -f "$QUILLARY_HOME/zelk.dat"
    how=(--fields "First Name,Last Name" "$scratch/commas.csv")
    [ -n "$header" ] && how=(--header "$scratch/named.csv")
    run 0 "40 MB comma row ${header:-without a header}" \
        "${measured[@]}" "$cli" import --format csv --kind person "${how[@]}"
    peak_within 524288 "40 MB comma row ${header:-without a header}"
    has "the row is refused with a reason" '^row [12]: more than 1024 fields' "$scratch/out"
    has "the next row is read" 'items made: 1' "$scratch/out"
done
rm -f "$QUILLARY_HOME/zelk.dat"
run 0 "40 MB first line mapped as columns" \
    "${measured[@]}" "$cli" import --format csv --kind person --header "$scratch/commas.csv"
peak_within 524288 "40 MB first line mapped as columns"
has "the first line is refused" '^row 1: the first line names more than 1024 fields' "$scratch/out"
[ "$(wc -c <"$scratch/out")" -lt 2000 ] || fail "the report of a 40 MB first line stays short"

# A site published from the command line in a fresh home has the pictures the desktop program
# ships, byte for byte, and the chosen background.
rm -rf "$QUILLARY_HOME" && mkdir -p "$QUILLARY_HOME"
printf 'Quillary data\r\n{1 3 }Ann Lee~~~~~~5\r\n{Pers}~~Ann~~Lee~~~~~~~~~~~~0\r\n' >"$QUILLARY_HOME/zelk.dat"
mkdir -p "$scratch/site"
run 0 "html export with a shipped background" "$cli" export --format html --background marble \
    --out "$scratch/site/index.htm"
shipped=$source_dir/resources/web-graphics
for picture in folder.gif org.gif person.gif team.gif web.gif zelkbtn.gif kpx_16.gif vcard.gif; do
    cmp -s "$scratch/site/$picture" "$shipped/Icons/$picture" || fail "the site has the shipped $picture"
done
cmp -s "$scratch/site/marble.gif" "$shipped/Backgrounds/marble.gif" || fail "the site has the marble background"
has "the pages use the background" '<body background="marble.gif"' "$scratch/site/zelkindex.htm"
has "the pages declare their character set" 'charset=utf-8' "$scratch/site/index.htm"
diff <(cd "$shipped" && find . -type f | sort) <(cd "$QUILLARY_HOME/Web Graphics" && find . -type f | sort) \
    >/dev/null || fail "the working folder holds the desktop program's set of pictures"

finish "cli untrusted input"
