#!/usr/bin/env bash
# The Windows program under Wine opens a lesson named on its command line, as
# Windows starts it for a double-clicked .tavelo: its terms are in the fields
# (copied out through the spectrum's Ctrl+Shift+C and the X clipboard).
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in wine winepath Xvfb xdotool xclip; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
if [[ -z ${TAVELO_OPENLESSON_INNER:-} ]]; then
    TAVELO_OPENLESSON_INNER=1 exec "$here/../virtualdisplay.sh" 1024x768 "$0" "$@"
fi
source "$here/../programwindow.sh"

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; wineserver --kill 2>/dev/null || true; rm -rf "$work"' EXIT
cat >"$work/урок.tavelo" <<'LESSON'
{"format": "tavelo-lesson", "version": 1, "basis": "sin", "N": {"text": "2"}, "H": {"text": "1"},
 "largestCoordinate": {"text": "1"}, "periods": {"text": "2"},
 "terms": [{"n": 1, "amplitude": {"text": "0.5"}, "phase": {"text": "0"}},
           {"n": 2, "amplitude": {"text": "0.25"}, "phase": {"text": "0.5"}}]}
LESSON
wine "$program" "$(winepath -w "$work/урок.tavelo")" &
pid=$!
find_program_window
copy_terms || true
expected=$'Амплитуда, м\tНачальная фаза, в долях π\r\n0.5\t0\r\n0.25\t0.5'
# Windows ends the clipboard's lines with CR LF.
if [[ ${terms//$'\r'/} == "${expected//$'\r'/}" ]]; then
    echo "ok: the program under Wine opens the lesson named on its command line"
else
    echo "FAIL: the program under Wine did not open the lesson (copied: $terms)"
    exit 1
fi
