#!/bin/sh
# Builds everything and prints the load benchmark table (run under Wine).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${APPATLAS_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
export APPATLAS_WINEPREFIX="$build/wineprefix"
sh "$root/cmake/wine-server.sh" start
trap 'sh "$root/cmake/wine-server.sh" stop' EXIT
"$root/cmake/wine-run.sh" "$build/product/bin/appatlas-bench-load.exe"
