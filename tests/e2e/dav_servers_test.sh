#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The CardDAV servers the shell tests use: each answers on loopback as configured, and nothing of
# it is left running once stopped or once its host is killed.
set -u
host=$1
. "$(dirname "$0")/../support/dav_servers.sh"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

status_of() { # port path [authorization]
    local authorization=""
    [ -n "${3:-}" ] && authorization="Authorization: Basic $3"$'\r\n'
    exec 3<>"/dev/tcp/127.0.0.1/$1" || return
    printf 'PROPFIND %s HTTP/1.0\r\nDepth: 0\r\nContent-Length: 0\r\n%s\r\n' "$2" "$authorization" >&3
    head -n 1 <&3 | cut -d ' ' -f 2
    exec 3<&-
}

gone() { # pid
    ! kill -0 "$1" 2>/dev/null
}

start_dav_server "$host" radicale || exit 1
port=${DAV_URL##*:}
port=${port%/}
[ "$(status_of "$port" /)" = 401 ] || fail "Radicale answers without a password"
[ "$(status_of "$port" / "$(printf '%s:%s' "$DAV_USER" "$DAV_PASSWORD" | base64)")" = 207 ] ||
    fail "Radicale refuses alice"
server=$DAV_SERVER_PID
stop_dav_server
gone "$server" || fail "Radicale still runs after stop_dav_server"

start_dav_server "$host" xandikos || exit 1
port=${DAV_URL##*:}
port=${port%/}
[ "$(status_of "$port" "${DAV_BOOK_URL#http://127.0.0.1:$port}")" = 207 ] || fail "Xandikos has no address book"
server=$DAV_SERVER_PID
kill -KILL "$DAV_HOST_PID"
for _ in $(seq 100); do
    gone "$server" && break
    sleep 0.1
done
gone "$server" || fail "Xandikos outlives its killed host"

[ "$failures" -eq 0 ] || exit 1
echo "dav servers: all checks passed"
