#!/usr/bin/env bash
# Unpacks the portable zip as a school would and checks the folder: every file
# the program needs, nothing it imports from outside but Windows itself, all
# stripped, a window program with its icon; then runs the smoke test, the
# sound test and the recording test on the program in it, with an English
# locale, where Windows would be English too.
set -euo pipefail

zip=$1
smoke=$2
sound=$3
recording=$4
for tool in unzip x86_64-w64-mingw32-objdump wine; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
[[ -f $zip ]] || { echo "FAIL: $zip is missing (scripts/windows makes it)"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"
folder=$work/$(basename "$zip" .zip)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for file in tavelo.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll qt.conf \
    libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll translations/qtbase_ru.qm \
    fonts/LiberationSans-Regular.ttf fonts/LiberationSans-Bold.ttf fonts/LiberationSans-LICENSE.txt COPYING.txt; do
    [[ -f $folder/$file ]] || fail "$file is missing"
done

# What the program and its libraries import is either in the folder or part of Windows.
shopt -s nullglob
binaries=("$folder"/*.exe "$folder"/*.dll "$folder"/platforms/*.dll)
shopt -u nullglob
shipped=$(for binary in "${binaries[@]}"; do basename "${binary,,}"; done)
windows_libraries='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|imm32|winmm|ws2_32|uxtheme|dwmapi|version|shlwapi|setupapi|winspool\.drv|netapi32|userenv|mpr|authz|wtsapi32|d3d9|d3d11|d3d12|dxgi|dwrite|d2d1|msvcrt|ntdll|shcore|api-ms-win-.*)\.dll$'
for binary in "${binaries[@]}"; do
    while read -r library; do
        library=${library,,}
        grep -qxF "$library" <<<"$shipped" || [[ $library =~ $windows_libraries ]] ||
            fail "$(basename "$binary") needs $library, which is neither in the folder nor part of Windows"
    done < <(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p')
    x86_64-w64-mingw32-objdump -h "$binary" | grep -q '\.debug_' && fail "$(basename "$binary") is not stripped"
done

headers=$(x86_64-w64-mingw32-objdump -p "$folder/tavelo.exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "tavelo.exe is not a window program: it would open a console"
x86_64-w64-mingw32-objdump -h "$folder/tavelo.exe" | grep -q '\.rsrc' || fail "tavelo.exe has no resources, so no icon"

LANG=C.UTF-8 LC_ALL= "$smoke" "$folder/tavelo.exe" || fail "the smoke test of the program in the folder"
LANG=C.UTF-8 LC_ALL= "$sound" "$folder/tavelo.exe" || fail "the sound test of the program in the folder"
LANG=C.UTF-8 LC_ALL= "$recording" "$folder/tavelo.exe" || fail "the recording test of the program in the folder"
[[ $failures -eq 0 ]]
