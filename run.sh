#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts Leafrunner browsing the sample articles.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh" "$root/build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display to show the window on; run it under a virtual one: xvfb-run -a ./run.sh" >&2
    exit 1
fi
cd "$root/samples/articles"
exec "$root/build/Leafrunner/leafrunner"
