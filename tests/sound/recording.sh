#!/usr/bin/env bash
# A sound recorded by the real program becomes its terms. A PulseAudio null
# sink's monitor is the default input; a tone of 196 Hz with ten harmonics of
# known amplitudes and phases, made here, is played into the sink, and
# «Записать звук» records it. The terms (copied through the spectrum's menu)
# must match the tone's, the target must be drawn, and «Прослушать» must play
# the series at the recorded pitch. Then silence and white noise are each
# refused with a message and the terms left as they were. A failing run
# keeps its sounds, terms, screenshots and the server's log in
# recording-artefacts/ of the working folder. A Windows build (tavelo.exe)
# runs under Wine, which records from the same server.
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
tools=(Xvfb xdotool xclip import convert pulseaudio pactl parec pacat python3)
artefacts_folder=recording-artefacts
source "$here/soundserver.sh"
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pactl set-default-source tavelo_test.monitor
python3 "$here/recording.py" tone "$work/tone.raw"
python3 "$here/recording.py" noise "$work/noise.raw"

start_program
source "$here/../programwindow.sh"
find_program_window

copied() { xclip -selection clipboard -o >"$1" 2>/dev/null && grep -q "^Амплитуда" "$1"; }
copy_terms() { # file: the terms as the spectrum's «Копировать слагаемые» copies them
    printf '' | xclip -selection clipboard -i
    menu 650 110 6
    wait_for 50 copied "$1"
}
# Pixels of the target's grey in the plot area.
target_pixels() { # screenshot
    import -window "$window" "$1"
    convert "$1" -crop 657x337+16+208 +repage txt:- | grep -c '#606060' || true
}
set_terms() { # N: typed into the field of N, then Enter plots
    xdotool mousemove $((X + 94)) $((Y + 153)) click 1
    xdotool key ctrl+a
    xdotool type "$1"
    xdotool key Return
}
# Waits until two pictures of the window in a row agree: a plot has ended.
settled() {
    local previous=
    for _ in $(seq 100); do
        import -window "$window" "$work/settled.png"
        [[ -n $previous ]] && cmp -s "$work/settled.png" "$previous" && return 0
        cp "$work/settled.png" "$work/settled-previous.png"
        previous=$work/settled-previous.png
        sleep 0.2
    done
    return 1
}
target_shown() { (($(target_pixels "$work/after.png") > before + 300)); }
sounds_playing() { (($(pactl list short sink-inputs | wc -l) > $1)); }
play() { # file: into the sink, until it ends or stop_playing
    pacat --raw --format=float32le --rate=44100 --channels=1 --device=tavelo_test "$1" &
    player=$!
    pids+=("$player")
    wait_for 50 sounds_playing 1
}
stop_playing() {
    kill "$player" 2>/dev/null || true
    wait "$player" 2>/dev/null || true
}
record_menu() { menu 300 300 4; } # «Записать звук»
# Waits for the terms to differ from those in $1; leaves them in $2.
terms_changed() { copy_terms "$2" && ! cmp -s "$1" "$2"; }

copy_terms "$work/terms-start.txt"
before=$(target_pixels "$work/before.png")

play "$work/tone.raw"
record_menu
wait_for 100 terms_changed "$work/terms-start.txt" "$work/terms-tone.txt" || fail "the recorded tone changed no term"
stop_playing
python3 "$here/recording.py" terms "$work/terms-tone.txt" | tee "$work/terms-check.txt" || true
grep -q '^FAIL' "$work/terms-check.txt" && failures=$((failures + 1))
# Fifteen terms hide the target behind the sum; with N = 3 it shows.
set_terms 3
if wait_for 50 target_shown; then
    after=$(target_pixels "$work/after.png")
    echo "ok: the recorded period is drawn as the target behind three terms ($before grey pixels before, $after after)"
else
    fail "no target drawn ($before grey pixels before, $(target_pixels "$work/after.png") after)"
fi

start_recording "$work/played.raw"
menu 300 300 1 # «Прослушать», at the pitch «Как записано»
stop_recording "$work/played.raw"
python3 "$here/recording.py" pitch "$work/played.raw" | tee "$work/pitch-check.txt" || failures=$((failures + 1))

# Silence (the stream that keeps the sink running) and noise are refused.
set_terms 15
settled || fail "the plot of fifteen terms did not end"

# The message box is the one window beyond those before the menu (under Wine
# a hidden window of the program's name is always there).
# On Windows Ctrl+C copies a message box's text, which names the reason; on
# X11 a message box copies nothing, and the window tests read its words.
message_copied() { xdotool key ctrl+c && xclip -selection clipboard -o 2>/dev/null | grep -q "$1"; }
declare -A reasons=([silence]='Звук слишком тихий' [noise]='В записи нет периодического звука')
for refused in silence noise; do
    [[ $refused == noise ]] && play "$work/noise.raw"
    windows=$(visible_windows)
    printf '' | xclip -selection clipboard -i
    record_menu
    if wait_for 100 windows_shown_beyond "$windows"; then
        if [[ $program != *.exe ]]; then
            echo "ok: $refused is refused with a message"
        elif wait_for 20 message_copied "${reasons[$refused]}"; then
            echo "ok: $refused is refused: «${reasons[$refused]} …»"
        else
            fail "$refused is refused with another message: $(xclip -selection clipboard -o 2>/dev/null || true)"
        fi
        xdotool key Return
        wait_for 50 eval '! windows_shown_beyond "$windows"' || fail "the message did not close"
    else
        fail "$refused is not refused with a message"
    fi
    [[ $refused == noise ]] && stop_playing
    copy_terms "$work/terms-after-$refused.txt"
    if cmp -s "$work/terms-tone.txt" "$work/terms-after-$refused.txt"; then
        echo "ok: the terms are as they were after $refused"
    else
        fail "$refused changed the terms"
    fi
done

# «Выход» ends the program with status 0.
xdotool mousemove $((X + 736)) $((Y + 528)) click 1
status=0
timeout 10 tail --pid="$tavelo" -f /dev/null || fail "the program did not end"
wait "$tavelo" || status=$?
((status == 0)) || fail "exit status $status"
[[ $failures -eq 0 ]]
