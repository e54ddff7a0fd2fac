#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quillary-cli import and export as a script uses them: every format through files, the data
# file written back, and the refusal while the program holds the data file.
set -u
cli=$1
data=$2
source "$(dirname "$0")/cli_checks.sh"

# Delimited text into a data file that does not exist yet, then back out.
run 0 "csv import" "$cli" import --format csv --kind person \
    --fields "Title,First Name,Middle Name,Last Name,Salutation,Comment,E-Mail Address,Phone Number" \
    "$data/csv/google_contacts.csv"
has "counts of the csv import" "items made: 5" "$scratch/out"
has "rejected rows counted" "rejected: 1" "$scratch/out"
[ -f "$QUILLARY_HOME/zelk.dat" ] || fail "the default data file is written"
run 0 "csv export" "$cli" export --format csv --kind person --fields "Title,Phone Number" --header \
    --out "$scratch/persons.csv"
head -1 "$scratch/persons.csv" | grep -q '^Title,"Phone Number"'$'\r''$' || fail "csv header line"
has "csv rows hold the primary phone" '^"Anna Berg","+49 30 1234567"' "$scratch/persons.csv"

# An Outlook export (Windows-1252, a note over two lines) with its column names on the first line.
run 0 "csv import with a header line" "$cli" import --format csv --kind person --header "$data/csv/header_outlook.csv"
has "the header line is no row" "items made: 2" "$scratch/out"
has "the summary names the kinds made" '^Made 2 persons\.$' "$scratch/out"
has "the summary says why a row was rejected" '^row 4: no first or last name$' "$scratch/out"
has "unmapped columns are named" '^ignored columns: .*Department, .*E-mail Type' "$scratch/out"
"$cli" tree "$QUILLARY_HOME/zelk.dat" >"$scratch/tree"
has "names arrive as UTF-8" '^  person: Hélène Dupré' "$scratch/tree"
run 2 "unknown separator" "$cli" import --format csv --kind person --header --separator pipe "$data/csv/outlook.csv"

# A subtree to an interchange file and back beneath another node.
run 0 "zkd export of one node" "$cli" export --format zkd --node "My Contacts/Anna Berg" --out "$scratch/anna.zkd"
has "the node's record at level 1" '^{1 3 }Anna Berg' "$scratch/anna.zkd"
run 0 "zkd import into a node" "$cli" import --format zkd "$scratch/anna.zkd" --into "My Contacts/Li Wei"
"$cli" tree "$QUILLARY_HOME/zelk.dat" >"$scratch/tree"
has "the imported person sits below the target" '^    person: Anna Berg' "$scratch/tree"

# A person's card, and cards read back with the organization question answered.
run 0 "vcf export" "$cli" export --format vcf --node "My Contacts/Anna Berg" --out "$scratch/anna.vcf"
has "the card holds the name" '^N:Berg;Anna;;Dr\.' "$scratch/anna.vcf"
run 0 "vcf export as 4.0" "$cli" export --format vcf --vcard-version 4.0 --node "My Contacts/Anna Berg" \
    --out "$scratch/anna4.vcf"
has "the 4.0 card names its version" '^VERSION:4\.0' "$scratch/anna4.vcf"
has "the 4.0 card holds the name" '^N:Berg;Anna;;Dr\.;' "$scratch/anna4.vcf"
run 0 "vcf import" "$cli" import --format vcf "$data/vcard/phone_export.vcf" --org-cards organization
has "every card made an item" "items made: 3" "$scratch/out"
"$cli" tree "$QUILLARY_HOME/zelk.dat" >"$scratch/tree"
grep -q '^  organization: ' "$scratch/tree" || fail "a card with ORG became an organization"
run 0 "vcf import of a phone's cards" "$cli" import --format vcf "$data/vcard_exports/iphone_30.vcf"
has "what cards hold that is not kept is told" '^2 cards had photos; photos are not kept\.$' "$scratch/out"
# The root to one file: a card for every person and organization, depth first.
run 0 "vcard of the root" "$cli" export --format vcf --vcard-version 4.0 --out "$scratch/root.vcf"
"$cli" tree "$QUILLARY_HOME/zelk.dat" >"$scratch/tree"
parties=$(grep -cE '^ *(person|organization): ' "$scratch/tree")
[ "$(grep -c '^BEGIN:VCARD' "$scratch/root.vcf")" -eq "$parties" ] || fail "one card for each of $parties parties"

# A published site: frameset, index, entries, the interchange file and a card per person.
mkdir -p "$scratch/site"
run 0 "html export" "$cli" export --format html --node "My Contacts/Anna Berg" --out "$scratch/site/anna.htm" \
    --title "Anna & friends" --levels 2 --link-color Maroon
for page in anna.htm zelkindex.htm zelkmain.htm zelkmain.zkd; do
    [ -f "$scratch/site/$page" ] || fail "the site holds $page"
done
ls "$scratch/site"/vc*.vcf >/dev/null 2>&1 || fail "the site holds the person's card"
has "the page title is escaped" '<h2>Anna &amp; friends</h2>' "$scratch/site/zelkmain.htm"
mkdir -p "$scratch/site3"
run 0 "html export with 3.0 cards" "$cli" export --format html --vcard-version 3.0 --node "My Contacts/Anna Berg" \
    --out "$scratch/site3/anna.htm"
grep -q '^VERSION:3\.0' "$scratch/site3"/vc*.vcf || fail "the site's cards are 3.0"
run 0 "single html page" "$cli" export --format html --no-frames --no-zkd --no-vcards --out "$scratch/one.htm"
[ -f "$scratch/zelkindex.htm" ] && fail "no index page without frames"
run 2 "unknown colour" "$cli" export --format html --text-color Mauve --out "$scratch/x.htm"
run 2 "levels out of range" "$cli" export --format html --levels 12 --out "$scratch/x.htm"

# Browser and nickname sources, read from the files themselves.
run 0 "bookmarks" "$cli" import --format bookmarks "$data/sources/bookmark_classic.htm"
has "bookmarks made websites" "items made: [1-9]" "$scratch/out"
run 0 "address book" "$cli" import --format addresses "$data/sources/address_book.htm"
run 0 "nicknames" "$cli" import --format nicknames "$data/sources/nndbase_nicknames.txt"
"$cli" tree "$QUILLARY_HOME/zelk.dat" >"$scratch/tree"
has "the nickname folder" '^  folder: Eudora Addresses' "$scratch/tree"

# A favorites folder with a sub-folder of Internet shortcuts.
mkdir -p "$scratch/Favorites/News"
printf '[InternetShortcut]\r\nURL=https://example.org/\r\n' >"$scratch/Favorites/Example.url"
printf '[InternetShortcut]\r\nURL=https://news.example/\r\n' >"$scratch/Favorites/News/Daily.url"
run 0 "favorites" "$cli" import --format favorites "$scratch/Favorites" --into "My Contacts"
has "both shortcuts" "items made: 2" "$scratch/out"
"$cli" tree "$QUILLARY_HOME/zelk.dat" >"$scratch/tree"
has "the sub-folder becomes a folder" '^    folder: News' "$scratch/tree"
has "a shortcut becomes a website" 'website: Daily -> https://news.example/' "$scratch/tree"
run 1 "favorites needs a folder" "$cli" import --format favorites "$scratch/Favorites/Example.url"

# Wrong use changes nothing.
cp "$QUILLARY_HOME/zelk.dat" "$scratch/before.dat"
run 2 "unknown kind" "$cli" import --format csv --kind robot "$data/csv/emails.csv"
run 2 "unknown field" "$cli" export --format csv --kind phone --fields "Title,Shoe Size" --out "$scratch/x.csv"
has "offered fields are listed" '"Phone Number"' "$scratch/err"
run 2 "unknown node" "$cli" import --format zkd "$scratch/anna.zkd" --into "My Contacts/Nobody"
run 2 "unknown option" "$cli" export --format zkd --out "$scratch/x.zkd" --colour red
run 2 "unknown vcard version" "$cli" export --format vcf --vcard-version 5.0 --node "My Contacts/Anna Berg" \
    --out "$scratch/x.vcf"
run 2 "vcard of a folder without persons" "$cli" export --format vcf --node "My Contacts/News" \
    --out "$scratch/news.vcf"
[ -e "$scratch/news.vcf" ] && fail "a folder without persons writes no card file"
run 1 "missing source" "$cli" import --format csv --kind email "$scratch/absent.csv"
has "the missing source is named with the reason" "^quillary-cli: The file could not be opened: .*absent.csv$" "$scratch/err"
has "nothing is imported from it" "^quillary-cli: nothing imported from .*absent.csv$" "$scratch/err"
run 1 "bookmarks need the page itself" "$cli" import --format bookmarks "$data/sources"
has "a folder for a page cannot be read" "^quillary-cli: cannot read .*sources$" "$scratch/err"
run 2 "org-cards answer" "$cli" import --format vcf "$data/vcard/phone_export.vcf" --org-cards maybe
run 1 "missing vcard file" "$cli" import --format vcf "$scratch/absent.vcf"
cmp -s "$QUILLARY_HOME/zelk.dat" "$scratch/before.dat" || fail "refused commands leave the data file alone"

# While the program holds the data file, imports are refused and exports still work.
# The holder becomes the sleep itself, so killing it frees the lock at once.
(
    exec 9>"$QUILLARY_HOME/zelk.dat.lock"
    flock 9
    exec sleep 30
) >/dev/null 2>&1 &
holder=$!
sleep 0.3
run 4 "import while the program runs" "$cli" import --format csv --kind email "$data/csv/emails.csv"
has "the refusal says why" "running" "$scratch/err"
run 0 "export while the program runs" "$cli" export --format zkd --out "$scratch/all.zkd"
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null
cmp -s "$QUILLARY_HOME/zelk.dat" "$scratch/before.dat" || fail "the refused import wrote nothing"

# Without QUILLARY_HOME the settings are the desktop program's, in $XDG_CONFIG_HOME: the category
# it names "Golfers" is the one a card's CATEGORIES finds.
xdg=$scratch/xdg
mkdir -p "$xdg/config/quillary" "$xdg/data" "$xdg/home"
printf '[Categories]\r\nCat5=Golfers\r\n' >"$xdg/config/quillary/kpx.ini"
printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Gil Green\r\nN:Green;Gil;;;\r\nCATEGORIES:Golfers\r\nEND:VCARD\r\n' >"$xdg/golfer.vcf"
run 0 "vcf import by the XDG folders" env -u QUILLARY_HOME HOME="$xdg/home" XDG_DATA_HOME="$xdg/data" \
    XDG_CONFIG_HOME="$xdg/config" "$cli" import --format vcf "$xdg/golfer.vcf"
has "the data file goes to the XDG data folder, the category from the desktop's settings" \
    '^{Pers}~~Gil~~~~Green~~~~~~~~~~~~16' "$xdg/data/quillary/zelk.dat"

finish "cli exchange"
