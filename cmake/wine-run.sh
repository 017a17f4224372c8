#!/bin/sh
# Runs a Windows program under Wine in a private prefix: wine-run.sh <prefix-dir> <program> [args...]
# The prefix is created on first use (about 15 s); later starts reuse it and, while the test
# command keeps a persistent wineserver, cost a few tens of milliseconds.
set -e
WINEPREFIX=$1
shift
export WINEPREFIX WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would prompt.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    [ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
