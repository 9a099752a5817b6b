#!/bin/sh
# Builds everything and prints the query benchmark table (run under Wine),
# with the signed fixture executable of the tests tree for the signer rows.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${APPATLAS_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
export APPATLAS_WINEPREFIX="$build/wineprefix"
sh "$root/cmake/wine-server.sh" start
trap 'sh "$root/cmake/wine-server.sh" stop' EXIT
signed=$(printf 'Z:%s' "$build/tests/tests/identify/fixtures/signed.exe" | tr / '\\')
"$root/cmake/wine-run.sh" "$build/product/bin/appatlas-bench-query.exe" "$signed"
