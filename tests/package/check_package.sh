#!/usr/bin/env bash
# Packs the Debian package of a build and checks it as an installed program meets it: unpacked into a tree nobody
# may write, its command line run by an ordinary user (nobody, when run as root) from that user's home makes the
# PDFs in ~/Documents/Leafrunner and changes nothing in the tree; the menu entry and the AppStream file validate.
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
[ -s "$root/usr/share/man/man1/leafrunner-cli.1.gz" ] || fail "no manual page"

home="$work/home"
mkdir -p "$home"
cp -r "$src/samples/articles" "$home/articles"
chmod 755 "$work"
chmod -R a-w "$root"
listing() { (cd "$root" && find . -printf '%p %m %s %T@\n' | sort); }
before="$(listing)"
as=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody: "$home"
    as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
# From the user's home, with nothing of the caller's environment: no library path, no XDG folders.
(cd "$home" && timeout 300 "${as[@]}" env -i PATH=/usr/bin:/bin HOME="$home" \
    "$root/usr/bin/leafrunner-cli" make --quiet --title "Grow Tomatoes" --cta-text "Get the Guide" \
    --cta-url https://example.com/guide articles)

[ "$(listing)" == "$before" ] || fail "the unpacked tree changed"
articles=$(find "$home/articles" -name '*.txt' | wc -l)
pdfs=$(find "$home/Documents/Leafrunner" -name '*.pdf' | wc -l)
[ "$pdfs" -eq "$articles" ] || fail "$pdfs PDFs in ~/Documents/Leafrunner for $articles articles"
pdf="$(find "$home/Documents/Leafrunner" -name '*.pdf' | head -n 1)"
pdftotext "$pdf" - | grep -q "Grow Tomatoes" || fail "no ad block in $pdf"
echo "PASS: $pdfs PDFs in ~/Documents/Leafrunner from $deb"
