#!/usr/bin/env bash
# Tries the setup as a player would, in a fresh Wine prefix on Xvfb:
#   check-setup.sh SETUP REPORT [SHOTS_DIR]
# Installs it silently, starts the installed program with REPORT (copied to a
# folder whose name has umlauts and blanks), checks the window's title and
# list, closes it, checks the settings file, uninstalls silently and checks
# that the program is gone and the settings file kept. With SHOTS_DIR, leaves
# screenshots at 8 pt and at a 12 pt Windows font there.
set -euo pipefail
setup=$(realpath "$1")
report=$(realpath "$2")
shots=${3:-}
work=$(mktemp -d)
display_number=$((90 + RANDOM % 100))
export DISPLAY=:$display_number
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "Setup check: $*" >&2; exit 1; }

Xvfb "$DISPLAY" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
wineboot -i >/dev/null 2>&1
unix_path() { winepath -u "$(wine cmd /c "echo $1" 2>/dev/null | tr -d '\r')" 2>/dev/null; }
appdata=$(unix_path %APPDATA%)
localappdata=$(unix_path %LOCALAPPDATA%)
programs="$appdata/Microsoft/Windows/Start Menu/Programs"
installed="$localappdata/Programs/Veltrix Professional"

wine "$setup" /S
# A setup that cannot start still exits 0: the files tell.
for file in veltrix.exe Qt6Core.dll platforms/qwindows.dll translations/qtbase_de.qm Deinstallieren.exe; do
    [[ -f $installed/$file ]] || fail "after the install $installed/$file is missing"
done
[[ -f "$programs/Veltrix Professional.lnk" ]] || fail "no Start-menu entry"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Veltrix Professional' >/dev/null 2>&1 \
    || fail "no entry under the current user's installed programs"

folder="$(unix_path %USERPROFILE%)/Jörg Müller/Berichte"
mkdir -p "$folder"
cp "$report" "$folder/straße 1.txt"
report_win=$(winepath -w "$folder/straße 1.txt")

window_of() {
    local id=""
    for _ in $(seq 1 60); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [[ -n $id ]] && break
        sleep 0.5
    done
    echo "$id"
}

# One run: start, wait for the window, check it, optionally shoot, close.
run_once() {
    local shot=$1
    wine "$installed/veltrix.exe" "$report_win" >/dev/null 2>&1 &
    local pid=$!
    local window
    window=$(window_of "Veltrix Professional")
    [[ -n $window ]] || fail "no window appeared"
    local title
    title=$(xdotool getwindowname "$window")
    [[ $title == *"straße 1.txt"* ]] || fail "the window's title is \"$title\", without the report's name"
    sleep 2
    # The list: select all and copy, then read the clipboard through X.
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers ctrl+a ctrl+c
    sleep 1
    local copied
    copied=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r' || true)
    local expected
    expected=$(tr -d '\r' < "$report")
    [[ -n $copied ]] || fail "nothing could be copied from the list"
    [[ ${expected} == *"$(head -1 <<<"$copied")"* ]] || fail "the list does not show the report"
    [[ -n $shot ]] && import -window root "$shot"
    wine taskkill /im veltrix.exe >/dev/null 2>&1 || true
    for _ in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
    kill -0 "$pid" 2>/dev/null && fail "the program did not close"
    wait "$pid" || true
}

run_once "${shots:+$shots/windows-8pt.png}"
[[ -f $appdata/veltrix.ini ]] || fail "no settings file under %APPDATA% after closing"
grep -q "straße 1.txt" <(iconv -f WINDOWS-1252 -t UTF-8 "$appdata/veltrix.ini") \
    || fail "the settings file does not remember the report"

if [[ -n $shots ]]; then
    # A 12 pt Windows font: 16 px at 96 DPI.
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    wineserver -w
    run_once "$shots/windows-12pt.png"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
fi

wine "$installed/Deinstallieren.exe" /S
for _ in $(seq 1 40); do [[ -e $installed/veltrix.exe ]] || break; sleep 0.5; done
[[ ! -e $installed ]] || fail "after the uninstall $installed is still there: $(ls "$installed")"
[[ ! -e "$programs/Veltrix Professional.lnk" ]] || fail "the Start-menu entry is still there"
[[ -f $appdata/veltrix.ini ]] || fail "the uninstall removed the settings file"
echo "Setup check: installed, started with the report, closed, settings written, uninstalled; settings kept"
