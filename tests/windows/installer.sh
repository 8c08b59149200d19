#!/usr/bin/env bash
# Runs the installer silently, as an administrator deploying it to a room of
# computers would; checks the installed folder, the Start-menu entry and the
# entry under installed programs and the lesson file's association; runs the
# smoke test on the installed program and has it open a lesson named on its
# command line; then uninstalls silently and expects the drive, the list of
# installed programs and the association as they were before.
set -euo pipefail

installer=$1
smoke=$2
openlesson=$3
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

# A .tavelo opens with the program: the extension names the lesson's type,
# whose command starts the installed program with the file.
lesson_type=$(wine reg query 'HKLM\Software\Classes\.tavelo' /ve 2>/dev/null | tr -d '\r' || true)
[[ $lesson_type == *Tavelo.Lesson* ]] && echo "ok: .tavelo is a Tavelo lesson" || fail ".tavelo is not associated: $lesson_type"
command=$(wine reg query 'HKLM\Software\Classes\Tavelo.Lesson\shell\open\command' /ve 2>/dev/null | tr -d '\r' || true)
[[ $command == *'"C:\Program Files\Tavelo\tavelo.exe" "%1"'* ]] && echo "ok: a lesson opens with the installed program" \
    || fail "the lesson's command is not the installed program's: $command"
"$openlesson" "$folder/tavelo.exe" || fail "the installed program opening a lesson from its command line"

wine "$folder/Uninstall.exe" /S
wineserver --wait
left=$(diff <(echo "$before") <(snapshot) || true)
[[ -z $left ]] && echo "ok: the uninstaller left nothing" || fail "the uninstaller left or changed: $left"
registered && fail "still listed under installed programs" || echo "ok: no longer listed under installed programs"
for key in '.tavelo' 'Tavelo.Lesson'; do
    wine reg query "HKLM\\Software\\Classes\\$key" >/dev/null 2>&1 && fail "the uninstaller left the key $key" \
        || echo "ok: the uninstaller took the key $key away"
done

[[ $failures -eq 0 ]]
