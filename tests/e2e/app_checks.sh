# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that run the desktop program on a virtual display: the bookkeeping of
# the checks, waiting for a condition, and finding and pressing keys in windows by their title.
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

wait_for() { # seconds condition...
    local limit=$(($1 * 10))
    shift
    for ((i = 0; i < limit; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

window() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

press() { # title keys...: gives the window the keyboard and presses the keys
    local id
    id=$(xdotool search --onlyvisible --name "$1" | head -1)
    shift
    xdotool windowfocus --sync "$id" key --clearmodifiers "$@"
}

ended() { ! kill -0 "$1" 2>/dev/null; }

listening_in() { [ -n "$(find "$1" -type s 2>/dev/null)" ]; }

finish() { # name
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "$1: all checks passed"
}
