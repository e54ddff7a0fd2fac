#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program on a virtual X display with a tray host on its session bus, the way a
# desktop with a notification area runs the program. Usage (inside dbus-run-session and
# xvfb-run): run_with_tray_host.sh TEST_PROGRAM
set -u
/usr/bin/python3 "$(dirname "$0")/status_notifier_watcher.py" &
watcher=$!
trap 'kill $watcher 2>/dev/null' EXIT
for _ in $(seq 50); do
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner org.kde.StatusNotifierWatcher 2>/dev/null | grep -q true && break
    sleep 0.1
done
QT_QPA_PLATFORM=xcb "$1"
