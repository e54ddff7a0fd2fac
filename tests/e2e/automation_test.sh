#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The automation service of the real program on a private session bus: a scripted client's cursor,
# release when a client leaves the bus, the orderly end that keeps what clients wrote, and the
# start by bus activation after "REGSERVER".
# Usage: automation_test.sh QUILLARY_BINARY AUTOMATION_CLIENT
set -u
app=$1
client=$2
if [ -z "${AUTOMATION_TEST_SCRATCH:-}" ]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    # The bus passes this environment on to the programs it starts.
    export QUILLARY_HOME=$scratch/home
    export XDG_RUNTIME_DIR=$scratch/runtime
    export XDG_DATA_HOME=$scratch/data
    export QT_QPA_PLATFORM=offscreen
    mkdir -p "$QUILLARY_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    mkdir -p "$XDG_DATA_HOME/dbus-1/services"
    # Only the scratch folder's activation files count on this bus.
    cat >"$scratch/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=$scratch</listen>
  <servicedir>$scratch/data/dbus-1/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
    AUTOMATION_TEST_SCRATCH=$scratch timeout 150 dbus-run-session --config-file="$scratch/bus.conf" -- bash "$0" "$@"
    exit $?
fi

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
}
trap cleanup EXIT
source "$(dirname "$0")/app_checks.sh"
bus() { timeout 30 gdbus call --session "$@" 2>&1; }
name_owned() { bus --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.NameHasOwner Zelk.Application | grep -q true; }
name_free() { ! name_owned; }
service_pid() { bus --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.GetConnectionUnixProcessID Zelk.Application | sed -n 's/^(uint32 \([0-9]*\),)$/\1/p'; }
expect() { # label expected actual
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

printf '{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }Friends~~~~~~41\r\n{Fold}0\r\n{2 6 }Club~~555-0111~~~~50\r\n{Phon}~~0\r\n' \
    >"$QUILLARY_HOME/zelk.dat"

# A normal start offers the service; the client keeps one connection for all its calls.
"$app" &
running=$!
pids+=("$running")
wait_for 20 name_owned || fail "the program does not own Zelk.Application"
mapfile -t answers < <(timeout 60 "$client" Create CurrentItemIndex zelkTitle ItemCount Items,i:2 ItemWithId,i:50 \
    zelkClass Items,i:1 SetzelkTitle,s:Pals zelkTitle "Insert,i:6,s:Desk,s:555 0000,s:,s:{Phon}7~~0" ChildCount \
    Child,i:1 zelkTitle zelkField,s:Extension Insert,i:40,s:Odd,s:,s:,s: Release zelkTitle)
[[ "${answers[0]:-}" == /Zelk/Application/Cursor/* ]] || fail "CreateObject answered '${answers[0]:-}'"
expect "CurrentItemIndex" 0 "${answers[1]:-}"
expect "the root's title" "My Contacts" "${answers[2]:-}"
expect "ItemCount" 2 "${answers[3]:-}"
expect "Items(ItemCount)" false "${answers[4]:-}"
expect "ItemWithId(50)" true "${answers[5]:-}"
expect "zelkClass of a phone" 6 "${answers[6]:-}"
expect "Items(1)" true "${answers[7]:-}"
expect "SetzelkTitle" ok "${answers[8]:-}"
expect "the new title" Pals "${answers[9]:-}"
expect "Insert of a phone" ok "${answers[10]:-}"
expect "ChildCount after Insert" 2 "${answers[11]:-}"
expect "Child(1)" true "${answers[12]:-}"
expect "the inserted phone's title" Desk "${answers[13]:-}"
expect "zelkField Extension" '"7",' "${answers[14]:-}"
[[ "${answers[15]:-}" == "error Zelk.Application.Error: "?* ]] || fail "a bad Insert answered '${answers[15]:-}'"
expect "Release" ok "${answers[16]:-}"
[[ "${answers[17]:-}" == error* ]] || fail "the released cursor still answers '${answers[17]:-}'"

# A client that leaves the bus takes its cursor with it.
cursor=$(bus --dest Zelk.Application --object-path / --method Zelk.Application.CreateObject |
    sed -n "s/^(objectpath '\(.*\)',)$/\1/p")
[ -n "$cursor" ] || fail "gdbus got no cursor"
gone() { bus --dest Zelk.Application --object-path "$cursor" --method Zelk.Application.Cursor.zelkTitle | grep -q Error; }
wait_for 10 gone || fail "the cursor of a client that left still answers"
kill -0 "$running" 2>/dev/null || fail "the normally started program ended when its clients left"

kill -TERM "$running"
wait_for 20 ended "$running" || fail "SIGTERM did not end the program"
grep -q '^{2 6 }Desk~~555 0000~~' "$QUILLARY_HOME/zelk.dat" || fail "zelk.dat lacks the inserted phone"
grep -q '^{1 0 }Pals~~' "$QUILLARY_HOME/zelk.dat" || fail "zelk.dat lacks the renamed folder"
[ -f "$XDG_DATA_HOME/dbus-1/services/Zelk.Application.service" ] || fail "a normal start wrote no activation file"

# Registration, a start by the bus, and the end with the last cursor.
rm -f "$XDG_DATA_HOME/dbus-1/services/Zelk.Application.service"
timeout 20 "$app" REGSERVER || fail "REGSERVER ended with a failure"
expect "the activation file's Exec line" "Exec=$(readlink -f "$app") AUTOMATION" \
    "$(grep '^Exec=' "$XDG_DATA_HOME/dbus-1/services/Zelk.Application.service" 2>/dev/null)"
name_free || fail "REGSERVER left the program running"
bus --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.ReloadConfig >/dev/null
mapfile -t answers < <(timeout 60 "$client" Create Items,i:1 SetzelkComment,s:activated)
[[ "${answers[0]:-}" == /Zelk/Application/Cursor/* ]] || fail "activation gave no cursor: '${answers[0]:-}'"
expect "SetzelkComment" ok "${answers[2]:-}"
# The client has left: the program started for it must end in the orderly way.
activated=$(service_pid)
[ -n "$activated" ] && pids+=("$activated")
wait_for 20 name_free || fail "the activated program did not end with its last cursor"
[ -n "$activated" ] && { wait_for 20 ended "$activated" || fail "the activated program is still running"; }
grep -q '^{1 0 }Pals~~~~activated~~' "$QUILLARY_HOME/zelk.dat" || fail "the activated program did not write zelk.dat"

# A call that starts the program but takes no cursor (a look at the service) leaves a copy that
# ends by itself after a short idle time.
gdbus introspect --session --dest Zelk.Application --object-path / >/dev/null 2>&1 ||
    fail "introspection did not start the program"
idle=$(service_pid)
[ -n "$idle" ] && pids+=("$idle")
[ -n "$idle" ] || fail "the introspected service has no process"
wait_for 40 name_free || fail "a copy started without a cursor did not end by itself"

# A copy started for a client becomes the user's once the user starts the program by hand: it
# keeps running when its client is done.
gdbus introspect --session --dest Zelk.Application --object-path / >/dev/null 2>&1
adopted=$(service_pid)
[ -n "$adopted" ] && pids+=("$adopted")
timeout 20 "$app" || fail "the start by hand beside the activated copy failed"
mapfile -t answers < <(timeout 60 "$client" Create zelkTitle Release)
expect "the adopted copy's root" "My Contacts" "${answers[1]:-}"
sleep 12
[ -n "$adopted" ] && ! kill -0 "$adopted" 2>/dev/null && fail "the copy the user started by hand ended with its client"
[ -n "$adopted" ] && kill -TERM "$adopted"
[ -n "$adopted" ] && { wait_for 20 ended "$adopted" || fail "SIGTERM did not end the adopted copy"; }

timeout 20 "$app" UNREGSERVER || fail "UNREGSERVER ended with a failure"
[ -f "$XDG_DATA_HOME/dbus-1/services/Zelk.Application.service" ] && fail "UNREGSERVER left the activation file"

finish automation
