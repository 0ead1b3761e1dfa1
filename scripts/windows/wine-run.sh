#!/usr/bin/env bash
# Runs a Windows program under Wine, for ctest and the setup's checks. Wine
# hides every QT_* variable from Windows programs, so they are handed over
# through cmd's set; the rest of the environment passes as it is.
set -euo pipefail
program=$1
shift
export WINEDEBUG=${WINEDEBUG:--all}
line=""
while IFS= read -r -d '' entry; do
    [[ $entry == QT_* ]] && line+="set \"$entry\"&& "
done < <(env -0)
line+="\"$(winepath -w "$program" 2>/dev/null)\""
for argument in "$@"; do
    line+=" \"$argument\""
done
exec wine cmd /c "$line"
