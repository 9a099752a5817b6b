#!/bin/sh
# The whole test suite: builds everything (installing what is missing), then
# runs every test under Wine with CTest.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${APPATLAS_BUILD_DIR:-$root/build}

"$root/scripts/build.sh"
ctest --test-dir "$build/tests" --output-on-failure -j "$(nproc)" "$@"
