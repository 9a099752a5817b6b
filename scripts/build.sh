#!/bin/sh
# Installs what is missing, then configures and builds both cross trees
# (product and tests) out of the source tree, in $APPATLAS_BUILD_DIR
# (default: build/ beside the sources).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${APPATLAS_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DAPPATLAS_TREE=superbuild >/dev/null
cmake --build "$build" -j "$(nproc)"
