#!/usr/bin/env bash
# Plays the square wave through a real PulseAudio server whose null sink is
# recorded, and checks the recording; then the same terms with random phases;
# then, with the server gone, expects the message and a program that still
# answers. Everything runs in a private runtime folder and X display. A
# Windows build (tavelo.exe) runs under Wine, whose sound goes to the server.
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run xdotool pulseaudio pactl parec pacat python3; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
if [[ -z ${TAVELO_SOUND_INNER:-} ]]; then
    export LANG=C.UTF-8 LANGUAGE= LC_ALL=
    TAVELO_SOUND_INNER=1 exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$@"
fi

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime HOME=$work
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

pulseaudio -n --daemonize=no --exit-idle-time=-1 --load=module-native-protocol-unix \
    --load='module-null-sink sink_name=tavelo_test' >"$work/pulseaudio.log" 2>&1 &
server=$!
pids+=("$server")
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
# A null sink renders nothing while idle, and its monitor loses the start of a
# new stream: a stream of silence keeps it running.
pacat --raw --latency-msec=2 /dev/zero &
pids+=("$!")

if [[ $program == *.exe ]]; then
    wine "$program" & # Wine plays through the same server
else
    QT_QPA_PLATFORM=xcb "$program" &
fi
tavelo=$!
pids+=("$tavelo")
window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name 'Негармонические колебания' 2>/dev/null | head -n 1 || true)
    [[ -n $window ]] && break
    sleep 0.1
done
eval "$(xdotool getwindowgeometry --shell "$window")"
menu() { # x y downs: opens a drawing area's menu and chooses the item so many rows down
    xdotool mousemove $((X + $1)) $((Y + $2)) click 3
    sleep 0.5
    for _ in $(seq "$3"); do xdotool key Down; done
    xdotool key Return
    sleep 0.5
}
record() { # file: plays the sum and records the sink for three seconds
    parec --device=tavelo_test.monitor --format=float32le --rate=44100 --channels=1 --raw >"$1" &
    local recorder=$!
    sleep 0.3
    menu 300 300 1 # «Прослушать»
    sleep 3
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
}

menu 650 110 1 # the spectrum's «Прямоугольные колебания (меандр)»
record "$work/square.raw"
menu 650 110 5 # «Случайные фазы»
record "$work/random.raw"
failures=0
python3 "$here/analyze.py" "$work/square.raw" "$work/random.raw" || failures=1

# With the server gone the sound cannot be played: a message says so.
kill "$server"
wait "$server" 2>/dev/null || true
menu 300 300 1
message=
for _ in $(seq 50); do
    message=$(xdotool search --onlyvisible --name '^Tavelo$' 2>/dev/null | head -n 1 || true)
    [[ -n $message ]] && break
    sleep 0.1
done
if [[ -n $message ]]; then echo "ok: with no sound server a message is shown"; else echo "FAIL: no message without a sound server"; failures=1; fi
xdotool key Return
sleep 0.5
# The program still answers: «Выход» ends it with status 0.
xdotool mousemove $((X + 736)) $((Y + 528)) click 1
status=0
timeout 10 tail --pid="$tavelo" -f /dev/null || { echo "FAIL: the program did not end"; failures=1; }
wait "$tavelo" || status=$?
if [[ $status -eq 0 ]]; then echo "ok: the program still answers and ends"; else echo "FAIL: exit status $status"; failures=1; fi
[[ $failures -eq 0 ]]
