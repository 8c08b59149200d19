#!/usr/bin/env bash
# Runs the installer silently, as an administrator deploying it to a room of
# computers would; checks the installed folder, the Start-menu entry and the
# entry under installed programs; runs the smoke test on the installed
# program; then uninstalls silently and expects the drive and the list of
# installed programs as they were before.
set -euo pipefail

installer=$1
smoke=$2
command -v wine >/dev/null || { echo "SKIPPED: wine is missing"; exit 77; }
[[ -f $installer ]] || { echo "FAIL: $installer is missing (scripts/windows makes it)"; exit 1; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
drive=$WINEPREFIX/drive_c
# Every file and folder of the drive but Wine's temporary files.
snapshot() { (cd "$drive" && find . -path './users/*/Temp' -prune -o -print | sort); }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavelo'
registered() { wine reg query "$uninstall_key" >/dev/null 2>&1; }

before=$(snapshot)
wine "$installer" /S
wineserver --wait

folder="$drive/Program Files/Tavelo"
for file in tavelo.exe Qt6Widgets.dll platforms/qwindows.dll translations/qtbase_ru.qm Uninstall.exe; do
    [[ -f $folder/$file ]] || fail "the installer did not place $file"
done
entry=$(find "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs" -name 'Tavelo.lnk' 2>/dev/null | head -n 1)
[[ -n $entry ]] && echo "ok: Start-menu entry ${entry#"$drive"/}" || fail "no Start-menu entry named Tavelo"
registered && echo "ok: listed under installed programs" || fail "not listed under installed programs"

"$smoke" "$folder/tavelo.exe" || fail "the smoke test of the installed program"

wine "$folder/Uninstall.exe" /S
wineserver --wait
left=$(diff <(echo "$before") <(snapshot) || true)
[[ -z $left ]] && echo "ok: the uninstaller left nothing" || fail "the uninstaller left or changed: $left"
registered && fail "still listed under installed programs" || echo "ok: no longer listed under installed programs"

[[ $failures -eq 0 ]]
