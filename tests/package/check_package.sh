#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the Debian package of a build and checks it as an installed program meets it: unpacked into a read-only
# tree, its command line run from a user's home (as root: by nobody, then by root, who may write the tree) makes the
# PDFs in ~/Documents/Leafrunner and changes nothing in the tree; the menu entry and the AppStream file validate;
# lintian finds no error or warning that the package does not override with a reason; the programs are hardened.
# Arguments: the source folder and the build folder.
set -euo pipefail
src="$1"
build="$2"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb="$(ls "$work"/leafrunner_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
[[ "$depends" == *wkhtmltopdf* && "$depends" == *libqt6core6* ]] || fail "dependencies: $depends"

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/leafrunner.desktop"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

report="$(lintian -EvIL +pedantic --fail-on none "$deb" 2>/dev/null)"
! grep -E '^([EW]: |I: .* hardening-)' <<<"$report" || fail "lintian errors, warnings or missing hardening"
# Every override says why, in the comment right above it.
awk '/^#/ { reason = 1; next } /^[^[:space:]]/ && !reason { bad = 1; print } { reason = 0 } END { exit bad }' \
    "$root/usr/share/lintian/overrides/leafrunner" || fail "a lintian override without a reason"
# Relocations bound at start-up, so that all of them are read-only from then on; the licence named by both programs,
# the window's without a display.
for program in leafrunner leafrunner-cli; do
    readelf -d "$root/usr/bin/$program" | grep -q BIND_NOW || fail "$program is not linked with -z now"
    env -i "$root/usr/bin/$program" --version | grep -q GPL-3.0-or-later || fail "$program --version names no licence"
done

chmod 755 "$work"
chmod -R a-w "$root"
listing() { (cd "$root" && find . -printf '%p %m %s %T@\n' | sort); }
before="$(listing)"

# Makes PDFs of the sample articles from a fresh home, as the user the arguments name (none: the caller), with
# nothing of the caller's environment: no library path, no XDG folders. The PDFs must land in that home's
# Documents/Leafrunner and the unpacked tree stay as it was.
make_pdfs() {
    local home="$work/home-${1:-caller}"
    mkdir -p "$home"
    cp -r "$src/samples/articles" "$home/articles"
    [ $# -eq 0 ] || chown -R "$1": "$home"
    local as=()
    [ $# -eq 0 ] || as=(setpriv --reuid="$1" --regid="$(id -gn "$1")" --clear-groups)
    (cd "$home" && timeout 300 "${as[@]}" env -i PATH=/usr/bin:/bin HOME="$home" \
        "$root/usr/bin/leafrunner-cli" make --quiet --title "Grow Tomatoes" --cta-text "Get the Guide" \
        --cta-url https://example.com/guide articles)

    [ "$(listing)" == "$before" ] || fail "the unpacked tree changed"
    local articles pdfs pdf
    articles=$(find "$home/articles" -name '*.txt' | wc -l)
    pdfs=$(find "$home/Documents/Leafrunner" -name '*.pdf' | wc -l)
    [ "$pdfs" -eq "$articles" ] || fail "$pdfs PDFs in ~/Documents/Leafrunner for $articles articles"
    pdf="$(find "$home/Documents/Leafrunner" -name '*.pdf' | head -n 1)"
    pdftotext "$pdf" - | grep -q "Grow Tomatoes" || fail "no ad block in $pdf"
    echo "PASS: $pdfs PDFs in ~/Documents/Leafrunner as ${1:-$(id -un)} from $deb"
}

# As root: first an ordinary user, who may not write the installation; then root, who may, as under /usr, and must
# take it for an installation all the same.
[ "$(id -u)" -ne 0 ] || make_pdfs nobody
make_pdfs
