#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and uses the installation the way the desktop and a
# user do: the files are where the desktop looks, the desktop entry and the AppStream data are
# valid, the manual pages and completion work, and the programs run from the prefix: the desktop
# entry's command opens a vCard, a second start hands one over, SIGTERM ends the program in order.
# usage: install_test.sh BUILD_DIR
set -uo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/app_checks.sh"

scratch=$(mktemp -d)
program=
cleanup() {
    [ -n "$program" ] && kill -KILL "$program" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
prefix=$scratch/prefix
app_id=org.quillary.Quillary

if ! cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1; then
    cat "$scratch/install.log"
    fail "cmake --install"
    finish install
fi

# Where the desktop looks.
for file in bin/quillary bin/quillary-cli share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$app_id.svg share/dbus-1/services/Zelk.Application.service \
    share/man/man1/quillary.1 share/man/man1/quillary-cli.1 share/bash-completion/completions/quillary-cli; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
png_size() { # width and height from a PNG's header
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 16 22 24 32 48 64 128 256 512; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ "$(png_size "$png" 2>/dev/null)" = "${size}x${size}" ] || fail "the ${size}px icon is missing or of another size"
done

desktop=$prefix/share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
grep -qx 'MimeType=text/vcard;text/x-vcard;' "$desktop" || fail "the desktop entry does not offer to open vCards"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >"$scratch/appstream.log" 2>&1 ||
    { cat "$scratch/appstream.log"; fail "the AppStream data is not valid"; }
grep -qx "Exec=$prefix/bin/quillary AUTOMATION" "$prefix/share/dbus-1/services/Zelk.Application.service" ||
    fail "the activation file does not name the installed program"

for page in quillary quillary-cli; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page(1) renders with warnings: $warnings"
done

completions() { # the words bash offers after the command line "$1"
    bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        COMP_LINE=$2
        read -ra COMP_WORDS <<<"$2"
        [[ $2 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMP_POINT=${#COMP_LINE}
        _quillary_cli quillary-cli
        echo "${COMPREPLY[*]}"' _ "$prefix/share/bash-completion/completions/quillary-cli" "$1"
}
[ "$(completions 'quillary-cli ex')" = export ] || fail "completion of a command: $(completions 'quillary-cli ex')"
[ "$(completions 'quillary-cli import --format c')" = csv ] || fail "completion of an import format"
[ "$(completions 'quillary-cli export --vcard-version ')" = "2.1 3.0 4.0" ] || fail "completion of a vCard version"

# The programs run from the prefix.
version=$("$prefix/bin/quillary-cli" --version) || fail "quillary-cli --version fails"
[[ $version =~ ^quillary-cli\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "quillary-cli --version says '$version'"

export QUILLARY_HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/run QT_QPA_PLATFORM=offscreen HOME=$scratch
mkdir -p "$QUILLARY_HOME" && mkdir -m 0700 "$XDG_RUNTIME_DIR"
card() { printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nN:%s;%s;;;\r\nFN:%s %s\r\nEND:VCARD\r\n' "$2" "$1" "$1" "$2"; }
card Anna Berg >"$scratch/Anna Berg.vcf"
card Jan Holm >"$scratch/jan.VCARD"
# The entry's command as the desktop runs it: %F becomes the files, the program is found on PATH.
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
read -ra command <<<"${exec_line/\%F/}"
resolved=$(PATH=$prefix/bin:/usr/bin:/bin command -v "${command[0]}")
[ "$resolved" = "$prefix/bin/quillary" ] || fail "the entry's Exec finds '$resolved', not the installed program"
"$resolved" "${command[@]:1}" "$scratch/Anna Berg.vcf" >"$scratch/program.log" 2>&1 &
program=$!
wait_for 30 listening_in "$XDG_RUNTIME_DIR" || fail "the installed program did not start"
"$resolved" "$scratch/jan.VCARD" >>"$scratch/program.log" 2>&1 || fail "a second start did not hand its file over"
sleep 1
kill -TERM "$program"
wait "$program"
status=$?
program=
[ "$status" -eq 0 ] || { cat "$scratch/program.log"; fail "SIGTERM ended the program with status $status"; }
for name in "Anna Berg" "Jan Holm"; do
    grep -q "$name" "$QUILLARY_HOME/zelk.dat" 2>/dev/null || fail "$name was not imported and saved"
done

# quillary-cli passes printing to its companion in the installation's libexec; a copy of
# quillary-cli without one says so rather than pretending to print.
"$prefix/bin/quillary-cli" print --report listing --pdf "$scratch/listing.pdf" >"$scratch/print.log" 2>&1 ||
    { cat "$scratch/print.log"; fail "the installed quillary-cli does not print"; }
[ "$(pdfinfo "$scratch/listing.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')" -ge 1 ] 2>/dev/null ||
    fail "the installed quillary-cli printed no pages"
mkdir "$scratch/lone" && cp "$prefix/bin/quillary-cli" "$scratch/lone/"
"$scratch/lone/quillary-cli" print --report listing --pdf "$scratch/lone.pdf" >/dev/null 2>"$scratch/lone.log"
status=$?
[ "$status" -eq 1 ] && grep -q "cannot start .*quillary-cli-qt" "$scratch/lone.log" && [ ! -e "$scratch/lone.pdf" ] ||
    fail "quillary-cli without its companion: status $status, '$(cat "$scratch/lone.log")'"

finish install
