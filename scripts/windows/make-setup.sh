#!/usr/bin/env bash
# Makes the NSIS setup from the staged program folder:
#   make-setup.sh STAGE VERSION OUTFILE
set -euo pipefail
stage=$(cd "$1" && pwd)
version=$2
outfile=$(realpath -m "$3")
root=$(cd "$(dirname "$0")/../.." && pwd)
lists=$(mktemp -d)
trap 'rm -rf "$lists"' EXIT

# Install and uninstall lists of exactly the staged files and folders.
(cd "$stage"
 find . -type d | sort | while read -r dir; do
     rel=${dir#./}; [[ $dir == . ]] && rel=""
     win=${rel//\//\\}
     echo "SetOutPath \"\$INSTDIR${win:+\\$win}\""
     find "$dir" -maxdepth 1 -type f | sort | while read -r file; do
         echo "File \"$stage/${file#./}\""
     done
 done) > "$lists/files.nsh"
(cd "$stage"
 find . -type f | sort | while read -r file; do
     rel=${file#./}; echo "Delete \"\$INSTDIR\\${rel//\//\\}\""
 done
 find . -mindepth 1 -type d | sort -r | while read -r dir; do
     rel=${dir#./}; echo "RMDir \"\$INSTDIR\\${rel//\//\\}\""
 done) > "$lists/unfiles.nsh"
size_kb=$(du -sk "$stage" | cut -f1)

makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DFILES="$lists/files.nsh" \
    -DUNFILES="$lists/unfiles.nsh" -DOUTFILE="$outfile" -DSIZE_KB="$size_kb" \
    -DICON="$root/resources/icons/org.example.veltrix.ico" \
    "$root/resources/windows/veltrix.nsi"
