#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop program and its data file under faults, run as a user meets them on a virtual
# display: a data file that cannot be read (another user's, a folder), another
# program holding the lock, a copy killed outright, and an end on a full or read-only disk.
# Usage: app_data_test.sh QUILLARY QUILLARY_CLI QUILLARY_GEN   (inside xvfb-run, as root: it
# mounts small file systems and runs the program as the user nobody)
set -u
app=$1
cli=$2
gen=$3
scratch=$(mktemp -d)
chmod 755 "$scratch"
export QUILLARY_HOME=$scratch/home
export XDG_RUNTIME_DIR=$scratch/runtime
export XDG_DATA_HOME=$scratch/data
export XDG_STATE_HOME=$scratch/state
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# Copies of the programs that another user may run: the build folder may lie inside a folder
# only its owner can enter (a checkout under a private temporary folder or a home).
mkdir -m 755 "$scratch/bin"
cp "$app" "$cli" "$scratch/bin/"
chmod 755 "$scratch/bin/"*
nobody_app=$scratch/bin/$(basename "$app")
nobody_cli=$scratch/bin/$(basename "$cli")
pids=()
mounts=()
cleanup() {
    # A failed run shows what the programs said, since the scratch folder goes with it.
    if [ "${failures:-0}" -ne 0 ] && [ -s "$scratch/stderr" ]; then
        echo "--- the program's error output since the last part that cleared it:"
        cat "$scratch/stderr"
    fi
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
    for mount in "${mounts[@]}"; do umount -l "$mount" 2>/dev/null; done
    rm -rf "$scratch"
}
trap cleanup EXIT
source "$(dirname "$0")/app_checks.sh"
data_file() { printf '{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }%s~~~~~~11\r\n{Fold}0\r\n' "$1"; }
interchange() { printf '{1 0 }%s~~~~~~%s\r\n{Fold}0\r\n' "$1" "$2" >"$scratch/$1.zkd"; }
fresh_home() { # home folder, first folder's title
    export QUILLARY_HOME=$1
    rm -rf "${QUILLARY_HOME:?}"/* "$XDG_STATE_HOME"
    mkdir -p "$QUILLARY_HOME"
    data_file "$2" >"$QUILLARY_HOME/zelk.dat"
    cp "$QUILLARY_HOME/zelk.dat" "$scratch/before.dat"
}
start() {
    "$app" "$@" 2>>"$scratch/stderr" &
    last=$!
    pids+=("$last")
}
hand_over() { timeout 20 "$app" "$scratch/$1.zkd" 2>>"$scratch/stderr" || fail "handing over $1 failed"; }
unchanged() { cmp -s "$QUILLARY_HOME/zelk.dat" "$scratch/before.dat"; }
no_temporaries() { [ -z "$(find "$QUILLARY_HOME" -maxdepth 1 -name 'zelk.dat.tmp*')" ]; }
hold_lock() { # command...: another program holds the lock of the data file while it runs
    flock --no-fork -x "$QUILLARY_HOME/zelk.dat.lock" "$@" &
    holder=$!
    pids+=("$holder")
    wait_for 10 bash -c "! flock -n '$QUILLARY_HOME/zelk.dat.lock' true" || fail "the helper never held the lock"
}
stop() { # pid: SIGTERM, and the program must be gone within seconds
    kill -TERM "$1"
    wait_for 10 ended "$1" || fail "SIGTERM did not end the program ($2)"
}

# 1. A folder named zelk.dat: the program says so, naming it, and ends without touching it.
fresh_home "$scratch/home" Unused
rm "$QUILLARY_HOME/zelk.dat"
mkdir "$QUILLARY_HOME/zelk.dat"
touch "$QUILLARY_HOME/zelk.dat/inside"
: >"$scratch/stderr"
start
folder=$last
wait_for 10 box '^Quillary$' || fail "no message about the folder in the data file's place"
press_box '^Quillary$' Return
wait_for 10 ended "$folder" || fail "the program went on with a folder as its data file"
wait "$folder"
[ $? -eq 1 ] || fail "a folder as the data file did not end the start with status 1"
[ -f "$QUILLARY_HOME/zelk.dat/inside" ] || fail "the folder named zelk.dat was touched"
grep -q "$QUILLARY_HOME/zelk.dat: it is a folder" "$scratch/stderr" || fail "the message does not name the folder"

# 2. Another user's data file, mode 000, as that user would meet it (root reads any file).
nobody_home=$scratch/nobody
fresh_home "$nobody_home/home" "Only Its Owner"
mkdir -p "$nobody_home/runtime"
chmod 700 "$nobody_home/runtime"
chown -R 65534:65534 "$nobody_home"
chmod 000 "$QUILLARY_HOME/zelk.dat"
as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$nobody_home"
    XDG_RUNTIME_DIR="$nobody_home/runtime" XDG_STATE_HOME="$nobody_home/state" QT_QPA_PLATFORM=offscreen)
"${as_nobody[@]}" "$nobody_app" 2>"$scratch/nobody.err" &
unreadable=$!
pids+=("$unreadable")
wait_for 10 grep -q "Cannot read $QUILLARY_HOME/zelk.dat: Permission denied" "$scratch/nobody.err" ||
    fail "an unreadable data file is not named with its reason"
kill -TERM "$unreadable"
wait_for 10 ended "$unreadable" || fail "the program waiting on its message ignored SIGTERM"
unchanged || fail "the unreadable data file was changed"
no_temporaries || fail "a temporary file was left beside the unreadable data file"
interchange "By The Companion" 51
chmod 644 "$scratch/By The Companion.zkd"
"${as_nobody[@]}" "$nobody_cli" import --format zkd "$scratch/By The Companion.zkd" >/dev/null 2>"$scratch/nobody-cli.err"
status=$?
[ "$status" -eq 1 ] || fail "quillary-cli import on an unreadable data file ended with $status, not 1"
grep -q "$QUILLARY_HOME/zelk.dat" "$scratch/nobody-cli.err" || fail "quillary-cli does not name the unreadable file"
unchanged || fail "quillary-cli import wrote over the unreadable data file"

# 3. Another program holds the lock: the program waits, then reads what that program wrote.
fresh_home "$scratch/home" "Before The Import"
data_file "Written While Waiting" >"$scratch/imported.dat"
hold_lock sh -c "sleep 3; cp '$scratch/imported.dat' '$QUILLARY_HOME/zelk.dat'"
start
waiting=$last
wait_for 10 window '^Waiting for zelk.dat...$' || fail "no wait window while another program holds the lock"
main_window && fail "the main window opened while another program held the lock"
wait_for 15 main_window || fail "the wait did not end when the lock came free"
stop "$waiting" "after the wait"
grep -q 'Written While Waiting' "$QUILLARY_HOME/zelk.dat" || fail "the end erased what the other program wrote"

# 4. Open Read-Only: the program shows the file and never writes it, whatever changes.
fresh_home "$scratch/home" "Only Read"
hold_lock sleep 120
: >"$scratch/stderr"
start
reader=$last
wait_for 10 window '^Waiting for zelk.dat...$' || fail "no wait window for the read-only start"
press '^Waiting for zelk.dat...$' alt+o
wait_for 10 window '^Read-only .* Quillary$' || fail "the title does not say read-only"
interchange "Changed While Read Only" 52
hand_over "Changed While Read Only"
stop "$reader" "read-only"
unchanged || fail "the read-only copy wrote the data file"
[ ! -e "$QUILLARY_HOME/zelk.dat.recovery" ] || fail "the read-only copy wrote a recovery copy beside the file"
grep -q 'Changed While Read Only' "$XDG_STATE_HOME"/quillary/zelk.dat-*.recovery ||
    fail "the read-only copy's changes were not kept in the second place"
grep -q "your changes are in $XDG_STATE_HOME/quillary/zelk.dat-[0-9a-f]*.recovery" "$scratch/stderr" ||
    fail "the second place is not named on the error output"

# 5. Cancel while waiting ends the program without touching anything.
kill "$holder"
fresh_home "$scratch/home" "Not Touched"
hold_lock sleep 120
start
cancelled=$last
wait_for 10 window '^Waiting for zelk.dat...$' || fail "no wait window for Cancel"
press '^Waiting for zelk.dat...$' Escape
wait_for 10 ended "$cancelled" || fail "Cancel did not end the program"
wait "$cancelled"
[ $? -eq 0 ] || fail "Cancel did not end with status 0"
unchanged || fail "Cancel touched the data file"
kill "$holder" 2>/dev/null

# 6. A copy killed outright keeps its changes in the recovery copy; the next start restores them.
fresh_home "$scratch/home" "Before The Crash"
start
crashed=$last
wait_for 10 main_window || fail "no main window before the crash"
interchange "Changed Before Kill" 53
hand_over "Changed Before Kill"
wait_for 20 grep -q 'Changed Before Kill' "$QUILLARY_HOME/zelk.dat.recovery" || fail "no recovery copy after a change"
[ "$(stat -c %a "$QUILLARY_HOME/zelk.dat.recovery")" = 600 ] || fail "the recovery copy is readable by others"
kill -KILL "$crashed"
wait_for 10 ended "$crashed"
unchanged || fail "the data file changed before any save"
start
restarted=$last
wait_for 10 window '^Restore Changes$' || fail "the next start does not offer the recovery copy"
press '^Restore Changes$' Return
wait_for 10 main_window || fail "no main window after restoring"
stop "$restarted" "after restoring"
grep -q 'Changed Before Kill' "$QUILLARY_HOME/zelk.dat" || fail "restoring did not give the change back"
[ ! -e "$QUILLARY_HOME/zelk.dat.recovery" ] || fail "the recovery copy outlived the orderly end"

# 7. SIGTERM on a full disk: the program ends at once, its changes in the second place.
full=$scratch/full
mkdir -p "$full"
mount -t tmpfs -o size=8m,mode=755 quillary-full "$full" && mounts+=("$full") || fail "cannot mount a small tmpfs"
fresh_home "$full" "On A Full Disk"
: >"$scratch/stderr"
start
filled=$last
wait_for 10 main_window || fail "no main window on the small disk"
interchange "Changed On Full Disk" 54
hand_over "Changed On Full Disk"
dd if=/dev/zero of="$full/filler" bs=64k 2>/dev/null
stop "$filled" "full disk"
unchanged || fail "the data file on the full disk changed"
grep -qs 'Changed On Full Disk' "$XDG_STATE_HOME"/quillary/zelk.dat-*.recovery "$full/zelk.dat.recovery" ||
    fail "the changes made before a full disk were lost"
grep -q "could not be saved: .*$full/zelk.dat" "$scratch/stderr" || fail "the failed save is not reported"

# 8. Exit on a full disk asks; a SIGTERM while the box is up still ends the program.
fresh_home "$full" "Asked On A Full Disk"
start
boxed=$last
wait_for 10 main_window || fail "no main window for Exit on the full disk"
interchange "Changed Before Exit" 55
hand_over "Changed Before Exit"
dd if=/dev/zero of="$full/filler" bs=64k 2>/dev/null
press_main alt+f
sleep 0.5
xdotool key x
wait_for 10 box '^Quillary$' || fail "a failed save at Exit offers nothing"
stop "$boxed" "while the failed-save box was up"
grep -qs 'Changed Before Exit' "$XDG_STATE_HOME"/quillary/zelk.dat-*.recovery "$full/zelk.dat.recovery" ||
    fail "the changes were not kept when SIGTERM closed the box"
unchanged || fail "the data file changed after the failed save"

# 9. A folder its owner may not write at the end (root writes anywhere, so as nobody).
fresh_home "$nobody_home/locked" "In A Locked Folder"
rm -rf "$nobody_home/runtime/"* # the socket of the copy killed in part 2
chown -R 65534:65534 "$nobody_home"
"${as_nobody[@]}" "$nobody_app" 2>"$scratch/nobody.err" &
locked=$!
pids+=("$locked")
wait_for 10 listening_in "$nobody_home/runtime" || fail "the program as nobody does not run"
interchange "Changed In A Locked Folder" 57
chmod 644 "$scratch/Changed In A Locked Folder.zkd"
"${as_nobody[@]}" timeout 20 "$nobody_app" "$scratch/Changed In A Locked Folder.zkd" 2>>"$scratch/nobody.err" ||
    fail "handing over to the program as nobody failed"
chmod 555 "$QUILLARY_HOME"
stop "$locked" "read-only folder"
unchanged || fail "the data file in the locked folder changed"
grep -q 'Changed In A Locked Folder' "$nobody_home"/state/quillary/zelk.dat-*.recovery ||
    fail "the changes were not kept in the second place"
grep -q "your changes are in $nobody_home/state/quillary/zelk.dat-[0-9a-f]*.recovery" "$scratch/nobody.err" ||
    fail "the second place is not named on the error output"

# 10. A second SIGTERM during the end's save: the program ends, the file is whole, nothing lost.
"$gen" 20000 "$scratch/large.dat" >/dev/null || fail "cannot generate a large data file"
fresh_home "$scratch/home" Unused
cp "$scratch/large.dat" "$QUILLARY_HOME/zelk.dat"
start
twice=$last
wait_for 20 main_window || fail "no main window for the large file"
interchange "Changed Before Two Signals" 56
hand_over "Changed Before Two Signals"
kill -TERM "$twice"
kill -TERM "$twice"
wait_for 10 ended "$twice" || fail "two SIGTERMs did not end the program"
"$cli" check "$QUILLARY_HOME/zelk.dat" >/dev/null || fail "the data file is damaged after two SIGTERMs"
grep -qs 'Changed Before Two Signals' "$QUILLARY_HOME/zelk.dat" "$QUILLARY_HOME/zelk.dat.recovery" ||
    fail "the change was lost to the second SIGTERM"

# 11. A large file shows the window while it is read; SIGTERM meanwhile ends the program at once
# and writes nothing, neither the half-read tree nor a recovery copy.
"$gen" 150000 "$scratch/larger.dat" >/dev/null || fail "cannot generate a larger data file"
fresh_home "$scratch/home" Unused
cp "$scratch/larger.dat" "$QUILLARY_HOME/zelk.dat"
cp "$scratch/larger.dat" "$scratch/before.dat"
start
reading=$last
wait_for 20 window '^Reading zelk.dat' || fail "no window while a large data file is read"
stop "$reading" "during the read"
wait "$reading"
[ $? -eq 0 ] || fail "SIGTERM during the read did not end with status 0"
unchanged || fail "an end during the read changed the data file"
[ ! -e "$QUILLARY_HOME/zelk.dat.recovery" ] || fail "an end during the read wrote a recovery copy"

finish app_data
