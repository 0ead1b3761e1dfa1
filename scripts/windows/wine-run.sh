#!/usr/bin/env bash
# Runs a Windows program under Wine, for ctest. Wine hides every QT_*
# variable from Windows programs, so a small batch file sets them before it
# starts the program; the rest of the environment passes as it is.
set -euo pipefail
program=$1
shift
export WINEDEBUG=${WINEDEBUG:--all}
batch=$(mktemp --suffix=.bat)
trap 'rm -f "$batch"' EXIT
{
    echo "@echo off"
    while IFS= read -r -d '' entry; do
        [[ $entry == QT_* ]] && echo "set \"$entry\""
    done < <(env -0)
    line="\"$(winepath -w "$program" 2>/dev/null)\""
    for argument in "$@"; do
        line+=" \"$argument\""
    done
    echo "$line"
    echo "exit /b %ERRORLEVEL%"
} | sed 's/$/\r/' > "$batch"
status=0
wine cmd /c "$(winepath -w "$batch" 2>/dev/null)" || status=$?
exit "$status"
