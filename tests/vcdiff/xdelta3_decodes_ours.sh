#!/bin/sh
# xdelta3 decodes the deltas our encoder makes, to the byte.
# Usage: xdelta3_decodes_ours.sh FIXTURE_DIR XDELTA3 ENCODER [RUNNER]
# RUNNER (for example the Wine wrapper) runs ENCODER when it is a Windows
# program.
set -eu
fixtures=$1 xdelta3=$2 encoder=$3 runner=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for old in "$fixtures"/*.old; do
    pair=$(basename "$old" .old)
    new="$fixtures/$pair.new"
    $runner "$encoder" "$old" "$new" "$work/$pair.vcd"
    if ! "$xdelta3" -d -f -s "$old" "$work/$pair.vcd" "$work/$pair.out"; then
        echo "FAIL $pair: xdelta3 refused our delta"
        status=1
    elif ! cmp -s "$new" "$work/$pair.out"; then
        echo "FAIL $pair: xdelta3 decoded something else"
        status=1
    else
        echo "ok   $pair: ours $(wc -c <"$work/$pair.vcd") bytes, xdelta3 $(wc -c <"$fixtures/$pair.xd3") bytes"
    fi
done
exit $status
