# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by shell tests that need a CardDAV server on loopback:
#   start_dav_server HOST radicale|xandikos   HOST is the dav_server_host program
#   ... DAV_URL, DAV_SERVER_PID, and DAV_USER/DAV_PASSWORD (Radicale) or DAV_BOOK_URL (Xandikos)
#   stop_dav_server
# The server stops with stop_dav_server, or when the shell ends (its host's input closes), or when
# the host is killed: it never outlives the test.

start_dav_server() { # host kind
    coproc DAV_HOST { "$1" "$2"; }
    local line
    while IFS= read -r line <&"${DAV_HOST[0]}"; do
        [ "$line" = "DAV_READY=1" ] && return 0
        case "$line" in
        DAV_*=*) eval "$line" ;;
        esac
    done
    echo "the $2 server did not start" >&2
    return 1
}

stop_dav_server() {
    [ -n "${DAV_HOST_PID:-}" ] || return 0
    local host=$DAV_HOST_PID
    eval "exec ${DAV_HOST[1]}>&-"
    wait "$host" 2>/dev/null
    DAV_HOST_PID=
}
