#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package leafrunner_<version>_<architecture>.deb into the folder given (default: the current
# folder), from a release build in the second folder given (default: build-package).
# Further arguments go to the configure step (-DLEAF_MAINTAINER=..., -DLEAF_HOMEPAGE=...). The build takes Debian's
# hardening flags from dpkg-buildflags (see CMakeLists.txt). Install it with: sudo apt install ./leafrunner_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(mkdir -p "${1:-.}" && cd "${1:-.}" && pwd)"
build="${2:-$root/build-package}"
shift $(($# < 2 ? $# : 2))
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DBUILD_TESTING=OFF "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
rm -rf "$out/_CPack_Packages"
ls "$out"/leafrunner_*.deb
