# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that run the desktop program on a virtual display: the bookkeeping of
# the checks, waiting for a condition, and finding and pressing keys in windows by their title.
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# A scratch folder for the program's home, runtime and data folders (exported), and the started
# programs (pids) that end_scratch kills before it removes the folder.
begin_scratch() {
    scratch=$(mktemp -d)
    export QUILLARY_HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/runtime XDG_DATA_HOME=$scratch/data
    mkdir -p "$QUILLARY_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    pids=()
}
end_scratch() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
    rm -rf "$scratch"
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

# The visible windows whose title matches $1 and whose kind is $2, one id per line: NORMAL for a
# main window, DIALOG for a message box or dialog (the main window and the program's boxes share
# the title "Quillary").
windows_of_kind() {
    local id
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q "_NET_WM_WINDOW_TYPE_$2" && echo "$id"
    done
}
main_window_title='^(Read-only .* )?Quillary$'
main_window() { [ -n "$(windows_of_kind "$main_window_title" NORMAL)" ]; }
box() { [ -n "$(windows_of_kind "$1" DIALOG)" ]; }

press_in() { # window id, keys...: gives the window the keyboard and presses the keys
    local id=$1
    shift
    [ -n "$id" ] && xdotool windowfocus --sync "$id" key --clearmodifiers "$@"
}
press() { press_in "$(xdotool search --onlyvisible --name "$1" | head -1)" "${@:2}"; }
press_box() { press_in "$(windows_of_kind "$1" DIALOG | head -1)" "${@:2}"; }
press_main() { press_in "$(windows_of_kind "$main_window_title" NORMAL | head -1)" "$@"; }

ended() { ! kill -0 "$1" 2>/dev/null; }

listening_in() { [ -n "$(find "$1" -type s 2>/dev/null)" ]; }

finish() { # name
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "$1: all checks passed"
}
