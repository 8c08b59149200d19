#!/usr/bin/env bash
# Plays the plot heard, then the square wave, through a real PulseAudio
# server whose null sink is recorded, and checks the recordings; then the
# same terms with random phases, and the third term alone and left out;
# then, with the server gone, expects the message and a program that still
# answers. Before the program's sound, the checker is checked: a square wave
# made here and played with pacat must pass it, and the same with a 20 ms gap
# must fail it. Everything runs in a private runtime folder and X display,
# and every step waits for what it needs instead of for a time. A Windows
# build (tavelo.exe) runs under Wine, whose sound goes to the server. A
# failing run keeps its recordings, the analysis and the server's log in
# sound-artefacts/ of the working folder.
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
tools=(Xvfb xdotool pulseaudio pactl parec pacat python3)
artefacts_folder=sound-artefacts
source "$here/soundserver.sh"

# The checker itself: a sound as the program makes it, whole and with a gap.
python3 - "$work" <<'PYTHON'
import math, struct, sys
rate, seconds = 44100, 2
count = rate * seconds
fade = int(0.010 * rate)
square = [sum(math.sin(2 * math.pi * n * 220 * k / rate) / n for n in range(1, 16, 2)) for k in range(count)]
scale = 0.5 / max(abs(v) for v in square)
whole = [v * scale * min(1, min(k, count - 1 - k) / fade) for k, v in enumerate(square)]
gap = whole[:]
gap[count // 2:count // 2 + int(0.020 * rate)] = [0.0] * int(0.020 * rate)
for name, sound in (('made-whole.raw', whole), ('made-gap.raw', gap)):
    open(f'{sys.argv[1]}/{name}', 'wb').write(struct.pack(f'<{len(sound)}f', *sound))
PYTHON
for made in whole gap; do
    start_recording "$work/played-$made.raw"
    pacat --raw --format=float32le --rate=44100 --channels=1 --device=tavelo_test "$work/made-$made.raw"
    stop_recording "$work/played-$made.raw"
done
if python3 "$here/analyze.py" "$work/played-whole.raw" >"$work/checker-whole.txt"; then
    echo "ok: the checker passes a whole square wave played through the server"
else
    echo "FAIL: the checker fails a whole square wave played through the server"; cat "$work/checker-whole.txt"; failures=1
fi
if python3 "$here/analyze.py" "$work/played-gap.raw" >"$work/checker-gap.txt"; then
    echo "FAIL: the checker passes a square wave with a 20 ms gap"; cat "$work/checker-gap.txt"; failures=1
elif grep -q '^FAIL: square wave: no break in the sound' "$work/checker-gap.txt"; then
    echo "ok: the checker finds the 20 ms gap: $(grep '^FAIL: square wave: no break' "$work/checker-gap.txt")"
else
    echo "FAIL: the checker fails the square wave with a gap, but not for the gap"; cat "$work/checker-gap.txt"; failures=1
fi

wine_latency_msec=500
start_program
source "$here/../programwindow.sh"
find_program_window
record() { # file: plays the sum and records the sink until the sound has ended
    start_recording "$1"
    menu 300 300 1 # «Прослушать»
    stop_recording "$1"
}

# The plot heard, in stereo: the start values plotted, then «Озвучить
# график» at its start length of 4 s; then at 2 s and at 8 s, chosen with the
# keys 1 and 3 on the plot area and played with H.
xdotool mousemove $((X + 736)) $((Y + 384)) click 1 # «График»
for seconds in 4 2 8; do
    if [[ $seconds != 4 ]]; then
        xdotool mousemove $((X + 300)) $((Y + 300)) click 1 key "$([[ $seconds == 2 ]] && echo 1 || echo 3)"
    fi
    start_recording "$work/trace-$seconds.raw" 2
    if [[ $seconds == 4 ]]; then menu 300 300 2; else xdotool key h; fi
    stop_recording "$work/trace-$seconds.raw"
    python3 "$here/trace.py" "$work/trace-$seconds.raw" "$seconds" | tee "$work/trace-$seconds.txt" || failures=1
done

menu 650 110 1 # the spectrum's «Прямоугольные колебания (меандр)»
record "$work/square.raw"
menu 650 110 5 # «Случайные фазы»
record "$work/random.raw"
python3 "$here/analyze.py" "$work/square.raw" "$work/random.raw" | tee "$work/analysis.txt" || failures=1

# Harmonic 3 chosen on the spectrum (Home, then Right twice), heard alone
# with S and left out with Shift+S.
xdotool mousemove $((X + 650)) $((Y + 110)) click 1
xdotool key Home Right Right
for keys in s shift+s; do
    start_recording "$work/term-$keys.raw"
    xdotool key "$keys"
    stop_recording "$work/term-$keys.raw"
done
python3 "$here/analyze.py" --term 3 "$work/term-s.raw" "$work/term-shift+s.raw" | tee "$work/term.txt" || failures=1

# With the server gone the sound cannot be played: a message says so.
kill "$server"
wait "$server" 2>/dev/null || true
# The message is the one window beyond those before the menu: under Wine a
# hidden window of the program's name is always there.
windows=$(visible_windows)
menu 300 300 1
if wait_for 50 windows_shown_beyond "$windows"; then
    echo "ok: with no sound server a message is shown"
else
    echo "FAIL: no message without a sound server"; failures=1
fi
message_count=$(visible_windows)
xdotool key Return
wait_for 50 eval '! windows_shown_beyond $((message_count - 1))' || true
# The program still answers: «Выход» ends it with status 0.
xdotool mousemove $((X + 736)) $((Y + 528)) click 1
status=0
timeout 10 tail --pid="$tavelo" -f /dev/null || { echo "FAIL: the program did not end"; failures=1; }
wait "$tavelo" || status=$?
if [[ $status -eq 0 ]]; then echo "ok: the program still answers and ends"; else echo "FAIL: exit status $status"; failures=1; fi
[[ $failures -eq 0 ]]
