#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quillary-cli on hostile files and in a hostile place: a file nested 100,000 levels deep read on a
# small stack, the modes of what it makes whatever the umask, a linked data file.
set -u
cli=$1
source "$(dirname "$0")/cli_checks.sh"

# N1 to N100000, each a level deeper, then one more folder at level 2.
awk 'BEGIN { printf "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n"
             for (i = 1; i <= 100000; i++) printf "{%d 0 }N%d~~~~~~%d\r\n{Fold}0\r\n", i, i, i }' >"$scratch/deep.dat"
printf '{2 0 }Second~~~~~~200000\r\n{Fold}0\r\n' >>"$scratch/deep.dat"

# 1 MiB of stack: a reader, writer or destructor that recursed per level would crash.
small_stack() { (ulimit -s 1024 && "$@"); }

small_stack "$cli" check "$scratch/deep.dat" >"$scratch/out" 2>"$scratch/err"
[ $? -eq 3 ] || fail "check of a deep file ends with status 3"
has "check counts the records read" "^records read: 100002$" "$scratch/out"
has "check counts the records placed" "^records placed at the depth limit: 99000$" "$scratch/out"
has "check says what it did" "99000 records lay deeper than 1000 levels and were placed at level 1000." "$scratch/out"

run 0 "tree of a deep file" small_stack "$cli" tree "$scratch/deep.dat"
deepest=$(awk '{ match($0, /^ */); if (RLENGTH > d) d = RLENGTH } END { print d / 2 }' "$scratch/out")
[ "$deepest" -eq 1000 ] || fail "tree shows items 1000 levels deep at most, not $deepest"
grep -q '^    folder: Second$' "$scratch/out" || fail "the folder after the deep run stands in N1"

run 0 "cat of a deep file" small_stack "$cli" cat "$scratch/deep.dat"
cp "$scratch/out" "$scratch/capped.dat"
run 0 "the written file reads back without placing anything" "$cli" check "$scratch/capped.dat"
has "nothing placed the second time" "^records placed at the depth limit: 0$" "$scratch/out"

# An import deeper than the limit says so in its summary.
awk 'BEGIN { for (i = 1; i <= 1002; i++) printf "{%d 0 }D%d~~~~~~%d\r\n{Fold}0\r\n", i, i, 300000 + i }' \
    >"$scratch/deep.zkd"
run 0 "import of a deep interchange file" "$cli" import --format zkd "$scratch/deep.zkd"
has "the import says what it placed" "2 records lay deeper than 1000 levels and were placed at level 1000." \
    "$scratch/out"

# What the import makes in a fresh place is private whatever the umask: the folders, the data
# file and the lock beside it.
export QUILLARY_HOME=$scratch/fresh/quillary
(umask 000 && "$cli" import --format zkd "$scratch/deep.zkd" >/dev/null) || fail "import into a fresh folder"
[ "$(stat -c %a "$scratch/fresh")" = 700 ] || fail "a new folder above the data folder is 0700"
[ "$(stat -c %a "$QUILLARY_HOME")" = 700 ] || fail "the new data folder is 0700"
[ "$(stat -c %a "$QUILLARY_HOME/zelk.dat")" = 600 ] || fail "the new data file is 0600"
[ "$(stat -c %a "$QUILLARY_HOME/zelk.dat.lock")" = 600 ] || fail "the new lock file is 0600"
chmod 755 "$scratch" "$scratch/fresh" "$QUILLARY_HOME"
if setpriv --reuid=65534 --regid=65534 --clear-groups cat "$QUILLARY_HOME/zelk.dat" >/dev/null 2>&1; then
    fail "another user reads the data file"
fi

# A linked data file is written through; the link stays a link.
mkdir "$scratch/real"
mv "$QUILLARY_HOME/zelk.dat" "$scratch/real/zelk.dat"
ln -s ../../real/zelk.dat "$QUILLARY_HOME/zelk.dat"
run 0 "import through a link" "$cli" import --format zkd "$scratch/deep.zkd"
[ -L "$QUILLARY_HOME/zelk.dat" ] || fail "the data file's link stays a link"
[ "$(grep -c '^{1 0 }D1~~' "$scratch/real/zelk.dat")" -eq 2 ] || fail "the import went into the linked file"
[ -z "$(find "$scratch/real" "$QUILLARY_HOME" -name '*.tmp-*')" ] || fail "no temporary file is left"
finish cli_faults
