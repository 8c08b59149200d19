#!/usr/bin/env bash
# The program's command line as a script and a desktop use it: --help and
# --version answer in Russian without any display, a faulty command line is
# refused with status 2; on a virtual X display, `tavelo LESSON` starts with
# the lesson's terms in the fields (copied out through the spectrum's menu),
# and `tavelo MISSING` starts the window with a message that says why.
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
failures=0
check() { # description condition-status detail
    if [[ $2 -eq 0 ]]; then
        echo "ok: $1"
    else
        echo "FAIL: $1 $3"
        failures=$((failures + 1))
    fi
}

if [[ -z ${TAVELO_COMMANDLINE_INNER:-} ]]; then
    # No display at all, as on a server.
    help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help 2>&1) && status=0 || status=$?
    [[ $status -eq 0 && $help == *'Использование:'*'[ФАЙЛ]'* && $help == *'--version'* ]]
    check "--help answers without a display" $? "($status: $help)"
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version 2>&1) && status=0 || status=$?
    [[ $status -eq 0 && $version =~ ^Tavelo\ [0-9]+\.[0-9]+\.[0-9]+$ ]]
    check "--version answers without a display" $? "($status: $version)"
    said=$(env -u DISPLAY "$program" --no-such-option 2>&1) && status=0 || status=$?
    [[ $status -eq 2 && $said == *'Неизвестный параметр'* ]]
    check "an unknown option is refused with status 2" $? "($status: $said)"
    for tool in Xvfb xdotool xclip; do
        command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing for the rest"; exit $((failures > 0)); }
    done
    TAVELO_COMMANDLINE_INNER=1 "$here/../virtualdisplay.sh" 1024x768 "$0" "$@" || failures=$((failures + 1))
    exit $((failures > 0))
fi
source "$here/../programwindow.sh"

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cat >"$work/урок.tavelo" <<'EOF'
{"format": "tavelo-lesson", "version": 1, "basis": "cos", "N": {"text": "3"}, "H": {"text": "1"},
 "largestCoordinate": {"text": "2"}, "periods": {"text": "2"},
 "terms": [{"n": 1, "amplitude": {"text": "0.5"}, "phase": {"text": "0"}},
           {"n": 3, "amplitude": {"text": "0.25"}, "phase": {"text": "1.5"}}]}
EOF

QT_QPA_PLATFORM=xcb "$program" "$work/урок.tavelo" &
pids+=($!)
find_program_window
copy_terms || true
expected=$'Амплитуда, м\tНачальная фаза, в долях π\n0.5\t0\n0\t0\n0.25\t1.5'
[[ $terms == "$expected" ]]
check "tavelo LESSON starts with the lesson's terms" $? "(copied: $terms)"
kill "${pids[@]}" 2>/dev/null || true
wait 2>/dev/null || true
pids=()

QT_QPA_PLATFORM=xcb "$program" "$work/нет.tavelo" &
pids+=($!)
find_program_window
message=""
for _ in $(seq 50); do
    message=$(xdotool search --onlyvisible --name '^Tavelo$' 2>/dev/null | head -n 1 || true)
    [[ -n $message ]] && break
    sleep 0.1
done
[[ -n $message ]]
check "tavelo MISSING starts the window with a message" $? ""
exit $((failures > 0))
