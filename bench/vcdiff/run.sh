#!/bin/sh
# Benchmarks our VCDIFF decoder and encoder against xdelta3; prints tables.
# Usage: bench/vcdiff/run.sh [WORKDIR]   (default /tmp/vcdiff-bench)
# The tool is built natively with the host compiler at -O2.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=${1:-/tmp/vcdiff-bench}
mkdir -p "$work"
c++ -std=c++17 -O2 -DNDEBUG -I"$root/src" "$here/VcdiffBench.cpp" "$root"/src/vcdiff/*.cpp -o "$work/vcdiff-bench"
exec python3 "$here/bench.py" "$work/vcdiff-bench" "$work"
