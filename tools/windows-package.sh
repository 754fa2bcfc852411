#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Zips the portable folder of the Windows build (tools/windows-build.sh) as Leafrunner-VERSION-win64.zip in the
# build folder, with a README on the converter it needs and the licences of the libraries linked in.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${LEAF_WINDOWS_BUILD:-$root/build-windows}"
cache="${LEAF_WINDOWS_CACHE:-$HOME/.cache/leafrunner-windows}"
version="$(sed -n 's/^project(Leafrunner VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
zip="$build/Leafrunner-$version-win64.zip"
[ -x "$build/portable/Leafrunner/leafrunner.exe" ] || { echo "Run tools/windows-build.sh first." >&2; exit 1; }

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp -r "$build/portable/Leafrunner" "$stage/"
licences="$stage/Leafrunner/licences"
mkdir -p "$licences"
source_dir() { compgen -G "$cache/src/$1-*/debian" | head -n1 | xargs dirname; }
cp "$(source_dir qt6-base)/LICENSES/LGPL-3.0-only.txt" "$licences/Qt-LGPL-3.0.txt"
cp "$(source_dir qpdf)/LICENSE.txt" "$licences/qpdf-Apache-2.0.txt"
cp "$(source_dir libjpeg-turbo)/LICENSE.md" "$licences/libjpeg-turbo.md"
cp /usr/share/doc/libz-mingw-w64-dev/copyright "$licences/zlib.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$licences/mingw-w64-runtime.txt"
sed "s/@VERSION@/$version/" >"$stage/Leafrunner/README.txt" <<'TEXT'
Leafrunner @VERSION@ for 64-bit Windows
=====================================

Unzip this folder anywhere and start leafrunner.exe (the window) or, from a console, leafrunner-cli.exe.
The folder is portable: the page template and its assets are in bin\, the word lists in random\, the keyword
patterns in lstcombinations.txt, and the PDFs go to bin\output\. Unzipped where you may not write (such as
C:\Program Files), the program keeps your copies in %LOCALAPPDATA%\Leafrunner\Leafrunner and the PDFs in
Documents\Leafrunner; its settings are in %APPDATA%\Leafrunner\Leafrunner.ini.

The converter is not included. Install wkhtmltopdf 0.12.6 (its last release; the project is archived) with its
own Windows installer (64-bit), then copy wkhtmltopdf.exe and wkhtmltoimage.exe from its bin folder (by default
C:\Program Files\wkhtmltopdf\bin) into this folder's bin\, beside template.html.

Licences (in licences\): Leafrunner links in Qt 6.4.2 under the GNU LGPL 3.0 (linked statically: the program's
source and its build script, tools/windows-build.sh, let you relink it with a Qt of your own), qpdf 11.3 under the
Apache License 2.0, libjpeg-turbo 2.1.5 (IJG and BSD licences), zlib (zlib licence) and the mingw-w64 runtime.
TEXT
sed -i 's/$/\r/' "$stage/Leafrunner/README.txt"
rm -f "$zip"
(cd "$stage" && zip -q -r -9 "$zip" Leafrunner)
echo "$zip ($(du -h "$zip" | cut -f1))"
