#!/usr/bin/env bash
# Terms between Tavelo and the real LibreOffice Calc through the real X
# clipboard, with Calc in an English and in a Russian locale: a range of a
# sheet copied in Calc and pasted into Tavelo, a faulty one refused, and
# Tavelo's copy pasted into Calc, where every cell must arrive as a number
# with the value the field holds (read back from the sheet Calc saves).
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool xclip soffice python3; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
if [[ -z ${TAVELO_CALC_INNER:-} ]]; then
    TAVELO_CALC_INNER=1 exec "$(dirname "$0")/../virtualdisplay.sh" 1280x1024 "$0" "$@"
fi
source "$here/../programwindow.sh"

work=$(mktemp -d)
export HOME=$work
pids=()
status=0
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [[ $status -ne 0 ]]; then
        mkdir -p calc-artefacts
        cp "$work"/*.fods "$work"/*.png calc-artefacts/ 2>/dev/null || true
        echo "the sheets and screenshots are kept in calc-artefacts/"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

locales=(C.UTF-8)
locale -a 2>/dev/null | grep -qi '^ru_RU.utf-*8$' && locales+=(ru_RU.UTF-8) || echo "no Russian locale here: English only"
for locale in "${locales[@]}"; do
    echo "== Calc in $locale"
    python3 "$here/calc_test.py" sheet "$work/terms-$locale.fods"
    LANG=$locale LANGUAGE= LC_ALL= QT_QPA_PLATFORM=xcb "$program" &
    tavelo=$!
    pids+=("$tavelo")
    find_program_window
    tavelo_window=$window
    LANG=$locale LANGUAGE= LC_ALL= soffice --calc --norestore --nologo \
        "-env:UserInstallation=file://$work/profile-$locale" "$work/terms-$locale.fods" >/dev/null 2>&1 &
    calc=$!
    pids+=("$calc")
    python3 "$here/calc_test.py" run "$work/terms-$locale.fods" "$tavelo_window" "$locale" || status=1
    kill "$tavelo" "$calc" 2>/dev/null || true
    wait "$tavelo" "$calc" 2>/dev/null || true
done
exit $status
