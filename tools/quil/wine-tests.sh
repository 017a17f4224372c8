#!/bin/sh
# Runs one Windows preset's tests under Wine: wine-tests.sh <preset> <build dir> <jobs>
# One persistent wineserver for the whole run: each Wine start then costs milliseconds.
preset=$1
export WINEPREFIX="$2/wineprefix" WINEDEBUG=-all
top=$(cd "$(dirname "$0")/../.." && pwd)
"$top/cmake/wine-run.sh" "$WINEPREFIX" cmd /c exit >/dev/null 2>&1 || true
wineserver -p
status=0
ctest --preset "$preset" -j"$3" || status=$?
wineserver -k || true
exit $status
