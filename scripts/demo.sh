#!/bin/sh
# The main job: builds everything (installing what is missing), packs the
# sample library and shows what the module makes of it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${APPATLAS_BUILD_DIR:-$root/build}

"$root/scripts/build.sh"

export APPATLAS_WINEPREFIX="$build/wineprefix"
wine_run="$root/cmake/wine-run.sh"
sh "$root/cmake/wine-server.sh" start
trap 'sh "$root/cmake/wine-server.sh" stop' EXIT

bin="$build/product/bin"
cli="$bin/appatlas-cli.exe"
dat="$build/demo/appatlas.dat"
mkdir -p "$build/demo"
"$wine_run" "$cli" pack "$root/samples/library.xml" "$dat"
echo "== inspect $dat"
"$wine_run" "$cli" inspect "$dat"
