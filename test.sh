#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test through CTest: once in the ordinary build, once built
# with AddressSanitizer and UndefinedBehaviorSanitizer (which also runs the fuzz targets). Exits non-zero on any
# failure or sanitizer report. Then, when its libraries are built, the Windows build and its tests under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/tools/setup.sh"

"$root/tools/build.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure -j2)

CC=clang-14 CXX=clang++-14 "$root/tools/build.sh" "$root/build-asan" -DLEAF_SANITIZE=ON -DLEAF_FUZZ=ON
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:suppressions=$root/tests/sanitizer-suppressions.txt"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer-suppressions.txt"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
(cd "$root/build-asan" && ctest --output-on-failure -j2)

# The Windows build's tests under Wine, when the libraries it links are built already (tools/windows-build.sh):
# building them takes longer than the whole suite may.
if "$root/tools/windows-build.sh" --deps-built; then
    "$root/tools/windows-test.sh"
else
    echo "Windows tests skipped: the Windows libraries are not built yet; tools/windows-build.sh builds them."
fi
