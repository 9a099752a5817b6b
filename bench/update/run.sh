#!/bin/sh
# Builds everything, then benchmarks ApplyDeltaToFile under Wine against
# xdelta3 -d on the host, on the same deltas; prints the table.
# Usage: bench/update/run.sh [WORKDIR]   (default /tmp/apply-bench)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${APPATLAS_BUILD_DIR:-$root/build}
work=${1:-/tmp/apply-bench}
"$root/scripts/build.sh"
export APPATLAS_WINEPREFIX="$build/wineprefix"
sh "$root/cmake/wine-server.sh" start
trap 'sh "$root/cmake/wine-server.sh" stop' EXIT
python3 "$here/bench.py" "$build/product/bin/appatlas-bench-apply.exe" "$work" "$root/cmake/wine-run.sh"
