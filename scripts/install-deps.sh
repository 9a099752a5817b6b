#!/bin/sh
# Installs what the build and the tests need on Debian 12, skipping what is
# already present. Safe to run again; needs root (or sudo) only when
# something is missing.
set -eu

SUDO=
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi

need=
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    need=update
fi

SRC_LIST=/etc/apt/sources.list.d/appatlas-deb-src.sources
if [ ! -f "$SRC_LIST" ]; then
    $SUDO sh -c "cat > $SRC_LIST" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    need=update
fi

PKGS="g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix mingw-w64-tools \
      wine wine32:i386 cmake xdelta3 osslsigncode googletest openssl dpkg-dev \
      ca-certificates python3"
missing=
for p in $PKGS; do have_pkg "$p" || missing="$missing $p"; done

if [ -n "$need" ] || [ -n "$missing" ]; then
    $SUDO apt-get update -q
fi
if [ -n "$missing" ]; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
fi
