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

# Identification on real executables: Wine's own programs, and the signed and
# tampered fixture installers that the tests tree builds. Each stage decides
# at least one of them: notepad.exe and cmd.exe by their directory, regedit.exe
# by the company in its version resource, the signed setup.exe by its signer;
# the tampered copy and the unknown path are not in the library.
fixtures="$build/tests/tests/identify/fixtures"
mkdir -p "$build/demo/signed" "$build/demo/tampered"
cp "$fixtures/signed.exe" "$build/demo/signed/setup.exe"
cp "$fixtures/tampered.exe" "$build/demo/tampered/setup.exe"
# Wine shows the Unix file system as drive Z:.
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

echo "== query $dat"
status=0
"$wine_run" "$cli" query --library "$(windows_path "$dat")" \
    'C:\windows\system32\notepad.exe' \
    'C:\windows\regedit.exe' \
    'C:\windows\system32\cmd.exe' \
    "$(windows_path "$build/demo/signed/setup.exe")" \
    "$(windows_path "$build/demo/tampered/setup.exe")" \
    'C:\windows\system32\no-such-tool.exe' || status=$?
# Exit status 1 says that at least one path was not identified, as expected
# here; anything else is a failure of the demo.
[ "$status" -le 1 ] || exit "$status"
