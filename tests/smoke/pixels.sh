#!/usr/bin/env bash
# The designed window, pixel for pixel: the window at start-up and after the
# first plot (Enter presses «График») on a virtual X display, compared with
# the references in reference/ (made from the program as designed), in an
# English and a Russian locale. What the program adds beyond the design must
# leave both pictures as they are. A failing run keeps its pictures and their
# differences in pixel-artefacts/ of the working folder.
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool import compare; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
if [[ -z ${TAVELO_PIXELS_INNER:-} ]]; then
    TAVELO_PIXELS_INNER=1 exec "$(dirname "$0")/../virtualdisplay.sh" 1024x768 "$0" "$@"
fi
source "$here/../programwindow.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
locales=(C.UTF-8)
locale -a 2>/dev/null | grep -qi '^ru_RU.utf-*8$' && locales+=(ru_RU.UTF-8) || echo "no Russian locale here: English only"
for locale in "${locales[@]}"; do
    LANG=$locale LANGUAGE= LC_ALL= QT_QPA_PLATFORM=xcb "$program" &
    pid=$!
    find_program_window
    # Nothing changes on its own once the window is shown: wait until two
    # pictures in a row agree, then take the plot the same way.
    settled() { # name
        local previous=
        for _ in $(seq 50); do
            import -window "$window" "$work/$1.png"
            [[ -n $previous ]] && cmp -s "$work/$1.png" "$previous" && return 0
            cp "$work/$1.png" "$work/$1-previous.png"
            previous=$work/$1-previous.png
            sleep 0.2
        done
    }
    settled startup
    xdotool key --window "$window" Return
    settled firstplot
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    for picture in startup firstplot; do
        differing=$(compare -metric AE "$here/reference/$picture.png" "$work/$picture.png" "$work/$picture-difference.png" 2>&1 || true)
        if [[ $differing == 0 ]]; then
            echo "ok: $picture in $locale as designed"
        else
            echo "FAIL: $picture in $locale differs from the design in $differing pixels"
            failures=$((failures + 1))
            mkdir -p pixel-artefacts
            cp "$work/$picture.png" "pixel-artefacts/$picture-$locale.png"
            cp "$work/$picture-difference.png" "pixel-artefacts/$picture-$locale-difference.png" 2>/dev/null || true
        fi
    done
done
[[ $failures -eq 0 ]]
