#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quillet developers
#
# PackageTest.sh BUILD-DIR VERSION: packs this build into the Debian package with cpack,
# unpacks it into a temporary root and checks what a user would get from installing it:
# the files in their places, the control fields, the programs running from /usr/bin on
# the installed demo, and the bash completion.
set -euo pipefail
build=$1
version=$2
cpack=${QUILLET_CPACK:-cpack}

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
for tool in "$cpack" dpkg-deb; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed; the package cannot be built here"
        exit 77
    fi
done

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/cpack" >"$tmp/cpack.log" 2>&1
then
    cat "$tmp/cpack.log" >&2
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi
deb="$tmp/cpack/quillet_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$tmp/cpack" >&2; echo "FAIL: no $(basename "$deb")" >&2; exit 1; }
root="$tmp/root"
dpkg-deb -x "$deb" "$root"

# The width and height a PNG's header states.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}

# path | what it must be
while IFS='|' read -r path kind; do
    file="$root/$path"
    if [ ! -f "$file" ]; then
        fail "$path is missing from the package"
        continue
    fi
    case $kind in
        program) [ -x "$file" ] || fail "$path is not executable" ;;
        gzip) gzip -t "$file" 2>/dev/null || fail "$path is not gzipped" ;;
        manpage)
            zcat "$file" | grep "^\.TH .* \"Quillet $version\"" >/dev/null ||
                fail "$path does not name version $version"
            if command -v man >/dev/null; then
                warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
                    "$file" 2>&1 >/dev/null)"
                [ -z "$warnings" ] || fail "man warns about $path: $warnings"
            fi
            ;;
        png-*)
            size="$(png_size "$file")"
            [ "$size" = "${kind#png-}" ] || fail "$path is $size, not ${kind#png-}"
            ;;
        text) [ -s "$file" ] || fail "$path is empty" ;;
    esac
done <<'TABLE'
usr/bin/quillet|program
usr/bin/quillet-cli|program
usr/share/applications/quillet.desktop|text
usr/share/mime/packages/quillet.xml|text
usr/share/icons/hicolor/scalable/apps/quillet.svg|text
usr/share/icons/hicolor/scalable/mimetypes/application-x-quillet-project.svg|text
usr/share/icons/hicolor/48x48/apps/quillet.png|png-48x48
usr/share/icons/hicolor/256x256/apps/quillet.png|png-256x256
usr/share/man/man1/quillet.1.gz|manpage
usr/share/man/man1/quillet-cli.1.gz|manpage
usr/share/bash-completion/completions/quillet-cli|text
usr/share/doc/quillet/copyright|text
usr/share/doc/quillet/changelog.gz|gzip
usr/share/doc/quillet/examples/cluster/export.sbatch|text
usr/share/doc/quillet/examples/cluster/export-job.yaml|text
usr/share/quillet/examples/demo/demo.qlet|text
usr/share/quillet/examples/demo/records.xlsx|text
TABLE

# The menu entry shows the installed icon and opens the file it is given.
entry="$root/usr/share/applications/quillet.desktop"
grep -qx 'Icon=quillet' "$entry" || fail "the desktop entry does not show the quillet icon"
grep -qx 'Exec=quillet %f' "$entry" || fail "the desktop entry does not pass the file on"

# field | a part its value must hold
while IFS='|' read -r field part; do
    value="$(dpkg-deb -f "$deb" "$field")"
    [[ $value == *"$part"* ]] || fail "$field is \"$value\", without \"$part\""
done <<TABLE
Package|quillet
Version|$version
Depends|libqt6svg6
Depends|qt6-image-formats-plugins
Recommends|libreoffice-calc-nogui
Recommends|hunspell-ru | hunspell-dictionary
Recommends|cups
Description|fill paper forms in bulk
TABLE

# The programs as installed, on the installed demo.
demo="$root/usr/share/quillet/examples/demo"
cli="$root/usr/bin/quillet-cli"
if ! "$cli" info "$demo/demo.qlet" >"$tmp/info.json" 2>"$tmp/info.err"; then
    fail "quillet-cli info failed on the demo: $(cat "$tmp/info.err")"
elif ! grep -q '"fields"' "$tmp/info.json"; then
    fail "quillet-cli info printed no fields for the demo"
fi
mkdir "$tmp/out"
if ! "$cli" export "$demo/demo.qlet" --out "$tmp/out/page" --pages 1-3 --jobs 2 \
    2>"$tmp/export.err"; then
    fail "quillet-cli export failed on the demo: $(cat "$tmp/export.err")"
fi
for page in 001 002 003; do
    jpeg="$tmp/out/page$page.jpg"
    if [ ! -s "$jpeg" ]; then
        fail "export wrote no page$page.jpg"
    elif [ "$(od -An -tx1 -N3 "$jpeg" | tr -d ' ')" != "ffd8ff" ]; then
        fail "page$page.jpg is not a JPEG file"
    fi
done
[ -e "$tmp/out/page004.jpg" ] && fail "export wrote a page outside --pages 1-3"

# The bash completion: words typed | the candidates it must offer (in the demo's folder).
completion="$root/usr/share/bash-completion/completions/quillet-cli"
while IFS='|' read -r typed expected; do
    offered="$(cd "$demo" && bash -c '
        source "$1"
        read -r -a COMP_WORDS <<<"$2"
        [[ $2 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        _quillet_cli
        printf "%s\n" "${COMPREPLY[@]}" | sort | xargs' _ "$completion" "$typed")"
    [ "$offered" = "$expected" ] || fail "completing \"$typed\" offers \"$offered\", not \"$expected\""
done <<'TABLE'
quillet-cli ex|export
quillet-cli export --fo|--format
quillet-cli export demo.qlet --format |jpg pdf png
quillet-cli export demo.qlet --shard |auto
quillet-cli export demo.qlet --q|--quiet
quillet-cli j|join-pdf
quillet-cli print demo.qlet --as|--as-image
quillet-cli info |demo.qlet
quillet-cli export --out page |demo.qlet
quillet-cli export demo.qlet --workbook |records.xlsx
quillet-cli cells |records.xlsx
TABLE

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "The package $(basename "$deb") holds and runs what it should"
