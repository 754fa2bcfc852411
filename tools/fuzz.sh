#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzz target for the given number of seconds (default 60) from its seeds, in the sanitizer build,
# and prints how many inputs each tried. New inputs and crashes land in build-asan/tests/fuzz/found/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
CC=clang-14 CXX=clang++-14 "$root/tools/build.sh" "$root/build-asan" -DLEAF_SANITIZE=ON -DLEAF_FUZZ=ON
cd "$root/build-asan/tests/fuzz"
for target in fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name="${target#fuzz_}"
    mkdir -p "found/$name"
    runs=$("./$target" -max_total_time="$seconds" -max_len=4096 -artifact_prefix="found/$name/" \
        "found/$name" "$root/tests/fuzz/corpus/$name" 2>&1 | grep -o 'Done [0-9]* runs' || echo "stopped early")
    echo "$target: $runs in ${seconds} s"
done
