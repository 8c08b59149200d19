#!/usr/bin/env bash
# Starts the real program on a virtual X display, presses "График", and checks
# the screen: the curve in the plot area and the spectrum bar where they
# belong; then presses "Выход" and expects exit status 0. A Windows build
# (tavelo.exe) runs under Wine.
set -euo pipefail

program=$1
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null || ! command -v convert >/dev/null; then
    echo "SKIPPED: the smoke test needs Xvfb, xdotool and ImageMagick"
    exit 77
fi

if [[ -z ${TAVELO_SMOKE_INNER:-} ]]; then
    TAVELO_SMOKE_INNER=1 exec "$(dirname "$0")/../virtualdisplay.sh" 1024x768 "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ $program == *.exe ]]; then
    wine "$program" &
else
    # The program must show itself on the X server, whatever platform the caller chose.
    QT_QPA_PLATFORM=xcb "$program" &
fi
pid=$!

source "$(dirname "$0")/../programwindow.sh"
find_program_window

# Count the pixels of a colour in a column of the screen.
count_in_column() { # x top height colour
    convert "$work/shot.png" -crop "1x$3+$1+$2" +repage -fill black +opaque "$4" -fill white -opaque "$4" \
        -format '%[fx:round(mean*h)]' info:
}

xdotool mousemove $((X + 736)) $((Y + 384)) click 1 # "График"

# The plot is drawn within a moment; wait for its last column, not for a time.
for _ in $(seq 100); do
    import -window root "$work/shot.png"
    [[ $(count_in_column $((X + 16 + 650)) $((Y + 208)) 337 'rgb(0,0,255)') -gt 0 ]] && break
    sleep 0.1
done

failures=0
check() { # description actual-count minimum maximum
    if (($2 < $3 || $2 > $4)); then
        echo "FAIL: $1 ($2 pixels, expected $3..$4)"
        failures=$((failures + 1))
    else
        echo "ok: $1 ($2 pixels)"
    fi
}
# The sine of the start values: the curve in every tenth column of the plot area.
for column in 1 100 200 300 400 500 600 656; do
    check "curve in plot column $column" "$(count_in_column $((X + 16 + column)) $((Y + 208)) 337 'rgb(0,0,255)')" 1 40
done
check "no curve right of the plot area" "$(count_in_column $((X + 16 + 658)) $((Y + 208)) 337 'rgb(0,0,255)')" 0 0
# One term: one bar, 3155 twips from the left of the spectrum's drawing area, full height.
check "spectrum bar" "$(count_in_column $((X + 16 + 536 + 2 + 210)) $((Y + 8 + 32 + 2)) 133 'rgb(128,128,0)')" 130 133
check "nothing left of the bar" "$(count_in_column $((X + 16 + 536 + 2 + 100)) $((Y + 8 + 32 + 2)) 133 'rgb(128,128,0)')" 0 0

xdotool mousemove $((X + 736)) $((Y + 528)) click 1 # "Выход"
status=0
timeout 10 tail --pid="$pid" -f /dev/null || { echo "FAIL: the program did not end"; kill "$pid"; exit 1; }
wait "$pid" || status=$?
check "exit status" "$status" 0 0

[[ $failures -eq 0 ]]
