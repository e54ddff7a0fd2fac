#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the desktop program as a user would, on a virtual display: one running copy, a second
# start that hands over a file, the orderly end on SIGTERM, and the hidden start.
# Usage: app_test.sh QUILLARY_BINARY QUILLARY_CLI   (run inside xvfb-run)
set -u
app=$1
cli=$2
source "$(dirname "$0")/app_checks.sh"
begin_scratch
trap end_scratch EXIT
listening() { [ -n "$(find "$XDG_RUNTIME_DIR" -type s 2>/dev/null)" ]; }

printf '{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }Existing~~~~~~11\r\n{Fold}0\r\n' >"$QUILLARY_HOME/zelk.dat"
printf '{1 3 }Handed Over~~Ms. Handed Over~~~~12\r\n{Pers}Ms.~~Handed~~~~Over~~~~~~~~~~~~0\r\n' >"$scratch/Import Me.zkd"

"$app" &
first=$!
pids+=("$first")
wait_for 10 listening || fail "the first copy does not listen for a second start"
wait_for 10 main_window || fail "the first copy shows no main window"

timeout 20 "$app" "$scratch/Import Me.zkd"
status=$?
[ "$status" -eq 0 ] || fail "the second copy ended with status $status, not 0"
# Counted in this test's process group only: other copies on the machine are not this test's.
group=$(ps -o pgid= $$ | tr -d ' ')
[ "$(pgrep -c -x -g "$group" "$(basename "$app")")" -eq 1 ] || fail "a second copy is still running"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"

# While the program runs, the command-line companion must not change its data file.
"$cli" import --format zkd "$scratch/Import Me.zkd" >/dev/null 2>&1
status=$?
[ "$status" -eq 4 ] || fail "quillary-cli import while the program runs ended with $status, not 4"

# A running copy that is stopped cannot take a command line: a second start says so and ends
# instead of waiting forever, and starts no copy of its own.
kill -STOP "$first"
timeout 30 "$app" "$scratch/Import Me.zkd" 2>"$scratch/stopped.err" &
beside=$!
pids+=("$beside")
wait_for 20 box '^Quillary$' || fail "a second start beside a stopped copy showed no message"
press_box '^Quillary$' Return
wait "$beside"
status=$?
kill -CONT "$first"
[ "$status" -eq 1 ] || fail "a second start beside a stopped copy ended with status $status, not 1"
grep -q 'does not answer' "$scratch/stopped.err" || fail "a second start beside a stopped copy did not say why"
[ "$(pgrep -c -x -g "$group" "$(basename "$app")")" -eq 1 ] || fail "a copy beside the stopped one is running"

kill -TERM "$first"
wait_for 10 ended "$first" || fail "SIGTERM did not end the program"
[ "$(grep -c 'Handed Over~~Ms. Handed Over' "$QUILLARY_HOME/zelk.dat")" -eq 1 ] ||
    fail "the handed-over file is not in zelk.dat once (the start that gave up must not import it later)"
grep -q '^{1 0 }Existing' "$QUILLARY_HOME/zelk.dat" || fail "zelk.dat lost its own records"
grep -q '^Norm_Width=' "$QUILLARY_HOME/kpx.ini" || fail "kpx.ini holds no window state"
grep -q '^\[WinState\]' "$QUILLARY_HOME/kpx.ini" || fail "kpx.ini has no WinState section"

"$app" HIDEWIN &
hidden=$!
pids+=("$hidden")
wait_for 10 listening || fail "the hidden start does not run"
sleep 1
main_window && fail "HIDEWIN showed the main window"
kill -TERM "$hidden"
wait_for 10 ended "$hidden" || fail "the hidden copy did not end"

"$app" hidewin &
lower=$!
pids+=("$lower")
wait_for 10 main_window || fail "\"hidewin\" in lower case hid the main window"
kill -TERM "$lower"
wait_for 10 ended "$lower" || fail "the lower-case copy did not end"

# "Save" writes the data file at once: a copy killed outright afterwards loses nothing saved.
printf '{1 0 }Saved Before Kill~~~~~~21\r\n{Fold}0\r\n' >"$scratch/Later.zkd"
"$app" &
saver=$!
pids+=("$saver")
wait_for 10 main_window || fail "the copy for saving shows no window"
timeout 20 "$app" "$scratch/Later.zkd" || fail "handing over the file to save failed"
xdotool key alt+f
sleep 0.5
xdotool key s
wait_for 10 grep -q 'Saved Before Kill' "$QUILLARY_HOME/zelk.dat" || fail "File > Save did not write zelk.dat"
kill -KILL "$saver"
"$app" &
again=$!
pids+=("$again")
wait_for 10 main_window || fail "the restarted copy shows no window"
kill -TERM "$again"
wait_for 10 ended "$again" || fail "the restarted copy did not end"
grep -q 'Saved Before Kill' "$QUILLARY_HOME/zelk.dat" || fail "the saved records were lost after SIGKILL and restart"

finish app
