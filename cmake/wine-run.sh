#!/bin/sh
# Runs a Windows program under the build tree's Wine prefix.
. "$(dirname "$0")/wine-env.sh"
exec wine "$@"
