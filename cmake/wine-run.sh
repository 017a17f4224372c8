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

# Windows the programs open need an X display. Without one, the program gets a virtual display of
# its own, and this prefix's Wine server is let end with it: Wine's desktop process stays bound to
# the display it started on.
if [ -z "$DISPLAY" ]; then
  exec "$(dirname "$0")/with-xvfb.sh" sh -c '"$0" "$@"; status=$?; wineserver -w; exit $status' "$0" "$WINEPREFIX" "$@"
fi

# Kernels without 32-bit Linux support cannot start Wine's 32-bit loader, which the `wine` script
# prefers; 64-bit Windows programs then go straight to the 64-bit one.
wine=wine
if [ -x /usr/lib/wine/wine64 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  wine=/usr/lib/wine/wine64
  export WINELOADER=$wine
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    [ -f "$WINEPREFIX/system.reg" ] || { "$wine" wineboot -i >/dev/null 2>&1; wineserver -w; }
  ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
