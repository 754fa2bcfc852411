#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Leafrunner in a virtual X display, browsing the sample articles, and saves a screenshot of each of its
# three pages at the window's opening size: tools/screenshots.sh [folder] (default build/screenshots). SCREEN sets the
# display's size (default 1280x900) and QT_SCALE_FACTOR, as ever, the program's scale. The program runs with settings
# of its own, as at a first start, and leaves the user's alone.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/build/screenshots}")"
mkdir -p "$out"

"$root/tools/setup.sh"
for tool in xdotool:xdotool import:imagemagick; do
    command -v "${tool%%:*}" >/dev/null || { [ "$(id -u)" -eq 0 ] || sudo=sudo; ${sudo:-} apt-get install -y -qq "${tool##*:}" >/dev/null; }
done
[ -x "$root/build/Leafrunner/leafrunner" ] || "$root/tools/build.sh" "$root/build"

config="$(mktemp -d)"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 "${SCREEN:-1280x900}x24" -nolisten tcp &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$config"' EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

(cd "$root/samples/articles" && XDG_CONFIG_HOME="$config" exec "$root/build/Leafrunner/leafrunner") &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "Leafrunner Pro" | head -n 1)
sleep 1 # let the first paint finish

# Ctrl+Tab shows the next page.
for name in content monetization create; do
    [ "$name" = content ] || { xdotool windowfocus --sync "$window" key ctrl+Tab; sleep 0.5; }
    import -window "$window" "$out/$name.png"
    echo "$out/$name.png"
done
