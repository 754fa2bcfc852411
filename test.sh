#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest; exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh" "$root/build"
cd "$root/build"
ctest --output-on-failure -j2
