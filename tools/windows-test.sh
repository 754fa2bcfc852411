#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the Windows build's tests under Wine: the core and command-line tests through CTest, then leafrunner-cli.exe
# making one PDF per sample article with the stand-in converter, then leafrunner.exe started on a virtual display,
# whose screenshot goes to docs/windows.png. Builds first (tools/windows-build.sh), which is long the first time.
#   tools/windows-test.sh [--no-build]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${LEAF_WINDOWS_BUILD:-$root/build-windows}"
wine=/usr/lib/wine/wine64
[ "${1:-}" = --no-build ] || "$root/tools/windows-build.sh"

# A Wine prefix of the build's own, made once (about 15 s).
export WINEPREFIX="$build/wine" WINEDEBUG=-all
[ -d "$WINEPREFIX" ] || "$wine" wineboot -i >/dev/null 2>&1
ctest --test-dir "$build" --output-on-failure

# The command line on the sample articles, the stand-in writing a small PDF for each page.
app="$(mktemp -d)/Leafrunner"
trap 'rm -rf "$(dirname "$app")"' EXIT
cp -r "$build/portable/Leafrunner" "$app"
cp "$build/tests/stand_in_converter.exe" "$app/bin/wkhtmltopdf.exe"
echo pdf >"$app/bin/stand-in.txt"
"$wine" "$app/leafrunner-cli.exe" make --app-folder "Z:$app" --title "Grow Tomatoes Like a Pro" \
    --cta-text "Get the Guide" --cta-url https://example.com/guide "Z:$root/samples/articles"
articles=$(find "$root/samples/articles" -name '*.txt' | wc -l)
pdfs=$(find "$app/bin/output" -name '*.pdf' | wc -l)
[ "$pdfs" -eq "$articles" ] || { echo "$pdfs PDFs for $articles articles" >&2; exit 1; }
echo "leafrunner-cli.exe made $pdfs PDFs of $articles articles."

# The window on a virtual display, browsing the sample articles; its screenshot shows it as Wine draws it.
# A Wine session started without a display keeps drawing nowhere: it ends first (if it has not ended already).
/usr/lib/wine/wineserver -k || true
display=:$((80 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp &
xvfb=$!
trap '/usr/lib/wine/wineserver -k || true; kill $xvfb 2>/dev/null || true; rm -rf "$(dirname "$app")"' EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
(cd "$root/samples/articles" && exec "$wine" "$app/leafrunner.exe") &
window=$(timeout 60 xdotool search --sync --onlyvisible --name "Leafrunner Pro" | head -n 1)
sleep 2 # let the first paint finish
import -window "$window" "$root/docs/windows.png"
echo "Screenshot: $root/docs/windows.png"
