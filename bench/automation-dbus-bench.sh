#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Walks a generated address book of PERSONS (100,000 by default) through the automation service
# of the real program, on a private session bus and the offscreen platform.
# Usage: bench/automation-dbus-bench.sh BUILD_DIR [PERSONS]
set -euo pipefail
build=$(cd "$1" && pwd)
persons=${2:-100000}
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${QUILLARY_DBUS_BENCH:-}" ]; then
    exec env QUILLARY_DBUS_BENCH=1 dbus-run-session -- "$0" "$@"
fi
scratch=$(mktemp -d)
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
export QUILLARY_HOME=$scratch/home XDG_DATA_HOME=$scratch/data XDG_RUNTIME_DIR=$scratch/runtime
export QT_QPA_PLATFORM=offscreen
mkdir -p "$QUILLARY_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$build/bench/quillary-gen" "$persons" "$QUILLARY_HOME/zelk.dat"
"$build/src/app/quillary" HIDEWIN >/dev/null 2>&1 &
app_pid=$!
"$build/bench/quillary-dbus-walk"
