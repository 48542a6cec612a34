#!/bin/sh
# The tests' own Wine prefix: "create" makes it afresh, "stop" ends its
# wineserver so that no Wine process outlives the test run.
set -eu
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
case $action in
  create)
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    /usr/lib/wine/wine64 wineboot --init
    /usr/lib/wine/wineserver -w
    ;;
  stop)
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    ;;
esac
