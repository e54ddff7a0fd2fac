#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quillary-cli print: every report to PDF, and labels of a 30-label sheet measured on the pages.
set -u
cli=$1
source "$(dirname "$0")/cli_checks.sh"

pages() { pdfinfo "$1" | awk '/^Pages:/ { print $2 }'; }

# 31 persons with an address and a phone, one folder deep.
for i in $(seq 1000 1030); do
    printf 'P%s,F%s,Lee,1 Main St,Springfield,IL,62701,USA,555 %s\r\n' "$i" "$i" "$i"
done >"$scratch/persons.csv"
run 0 "persons imported" "$cli" import --format csv --kind person \
    --fields "Title,First Name,Last Name,Address Line 1,City,State/Province,Postal Code,Country,Phone Number" \
    "$scratch/persons.csv"

for report in listing book simple envelope; do
    run 0 "print $report" "$cli" print --report "$report" --pdf "$scratch/$report.pdf"
    [ -s "$scratch/$report.pdf" ] || fail "$report: no PDF written"
done
run 0 "print labels" "$cli" print --report labels --label-sheet "Avery 5160-Address" --pdf "$scratch/labels.pdf"
[ "$(pages "$scratch/labels.pdf")" = 2 ] || fail "31 labels of a 30-label sheet take two pages"
pdfinfo "$scratch/labels.pdf" | grep -q "Page size: *612 x 792 pts" || fail "labels on a Letter page"
pdfinfo "$scratch/envelope.pdf" | grep -q "Page size: *792 x 612 pts" || fail "an envelope on a landscape page"

# Where the first words of the labels are, in points: label c, r of Avery 5160 has its memo at
# (0.19 + 0.10 + c * 2.75, 0.50 + 0.10 + r * 1.00) inches.
pdftotext -f 1 -l 1 -bbox "$scratch/labels.pdf" "$scratch/labels.html"
check_word() { # word column row
    local want_x want_y
    want_x=$(awk -v c="$2" 'BEGIN { printf "%.2f", (29 + c * 275) * 0.72 }')
    want_y=$(awk -v r="$3" 'BEGIN { printf "%.2f", (60 + r * 100) * 0.72 }')
    awk -v w="$1" -v x="$want_x" -v y="$want_y" '
        index($0, ">" w "</word>") {
            match($0, /xMin="[0-9.]+"/); gx = substr($0, RSTART + 6, RLENGTH - 7)
            match($0, /yMin="[0-9.]+"/); gy = substr($0, RSTART + 6, RLENGTH - 7)
            found = 1
            if (gx - x > 1.5 || x - gx > 1.5 || gy - y > 3 || y - gy > 1) { print "at " gx "," gy; exit 1 }
        }
        END { if (!found) { print "not found"; exit 1 } }' "$scratch/labels.html" ||
        fail "label word $1 expected near $want_x,$want_y"
}
check_word F1000 0 0
check_word F1009 0 9
check_word F1010 1 0
check_word F1029 2 9

# A six-line label on a 1-inch label: the default face prints five lines whole, and the line
# that does not fit is left out and counted, never printed in part; a smaller face makes room.
printf 'Wide,Ann,Wide,1 Main St,Flat 2,Rear Building,Springfield,IL,62702,Farland\r\n' >"$scratch/six.csv"
run 0 "a six-line address imported" "$cli" import --format csv --kind person \
    --fields "Title,First Name,Last Name,Address Line 1,Address Line 2,Address Line 3,City,State/Province,Postal Code,Country" \
    "$scratch/six.csv"
run 0 "labels of a six-line address" "$cli" print --report labels --node "My Contacts/Wide" \
    --label-sheet "Avery 5160-Address" --pdf "$scratch/six.pdf"
has "the left-out line is told" "1 line did not fit on its label and was left out" "$scratch/err"
pdftotext "$scratch/six.pdf" "$scratch/six.txt"
has "five lines printed" "Rear Building" "$scratch/six.txt"
grep -q "Farland" "$scratch/six.txt" && fail "the sixth line printed on a 1-inch label"
run 0 "labels at 8 points" "$cli" print --report labels --node "My Contacts/Wide" --font-size 8 \
    --label-sheet "Avery 5160-Address" --pdf "$scratch/six8.pdf"
grep -q "did not fit" "$scratch/err" && fail "a warning at 8 points"
pdftotext "$scratch/six8.pdf" - | grep -q "62702 Farland" || fail "the sixth line at 8 points"

# The envelope's delivery address from a person; the return address omitted when there is none.
run 0 "envelope to a person" "$cli" print --report envelope --delivery-from "My Contacts/P1000" \
    --return-address "$scratch/none.dat" --pdf "$scratch/to.pdf"
pdftotext "$scratch/to.pdf" - | grep -q "62701 USA" || fail "delivery address on the envelope"
printf 'Me\r\n12 Home Road\r\n' >"$scratch/ret_addr.dat"
run 0 "envelope with a return address" "$cli" print --report envelope --delivery-from "My Contacts/P1000" \
    --return-address "$scratch/ret_addr.dat" --pdf "$scratch/from.pdf"
pdftotext "$scratch/from.pdf" - | grep -q "12 Home Road" || fail "return address on the envelope"

# Wrong use and unwritable output.
run 2 "unknown report" "$cli" print --report poster --pdf "$scratch/x.pdf"
run 2 "unknown label sheet" "$cli" print --report labels --label-sheet "Avery 1" --pdf "$scratch/x.pdf"
run 2 "columns out of range" "$cli" print --report book --columns 5 --pdf "$scratch/x.pdf"
run 2 "font size out of range" "$cli" print --report labels --font-size 99 --pdf "$scratch/x.pdf"
run 2 "unknown node" "$cli" print --report listing --node "My Contacts/Nobody" --pdf "$scratch/x.pdf"
run 1 "unwritable PDF" "$cli" print --report listing --pdf "$scratch/no/such/folder/x.pdf"

finish "cli print"
