#!/bin/sh
# start: brings up a persistent wineserver and the prefix (created on first
# use). Every standard stream is detached, or Wine's helper processes would
# inherit the caller's pipes and keep a test runner waiting for them.
# stop: shuts the server down.
. "$(dirname "$0")/wine-env.sh"
case "$1" in
    start)
        mkdir -p "$WINEPREFIX"
        wineserver -p </dev/null >/dev/null 2>&1
        wineboot -i </dev/null >/dev/null 2>&1
        ;;
    stop)
        wineserver -k </dev/null >/dev/null 2>&1 || true
        ;;
    *)
        echo "usage: $0 start|stop" >&2
        exit 2
        ;;
esac
