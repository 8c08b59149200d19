# Sourced first by the tests that play or record through a real PulseAudio
# server, with $program, $here, the array `tools` and $artefacts_folder set.
# It skips the test when a tool is missing, runs it again on a virtual
# display of its own in the C.UTF-8 locale, and gives it the private folder
# $work with the runtime folder in it; at exit it kills what is in `pids`
# and, when `failures` is not 0 or the test stopped on a fault, keeps the
# recordings, reports, screenshots and the server's log in $artefacts_folder
# of the working folder. Then it
# offers waiting for a condition, starts the server with its null sink
# "tavelo_test", and offers starting the program, recording the sink and
# choosing a drawing area's menu item on the program's window at $X, $Y.

for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
if [[ -z ${TAVELO_SOUND_INNER:-} ]]; then
    export LANG=C.UTF-8 LANGUAGE= LC_ALL=
    TAVELO_SOUND_INNER=1 exec "$here/../virtualdisplay.sh" 1024x768 "$0" "$@"
fi

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime HOME=$work
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
failures=0
cleanup() {
    local status=$?
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [[ $failures -ne 0 || $status -ne 0 ]]; then
        local kept
        kept=$PWD/$artefacts_folder/$(basename "$program")-$(date +%Y%m%d-%H%M%S)
        mkdir -p "$kept"
        cp "$work"/*.raw "$work"/*.txt "$work"/*.png "$work"/pulseaudio.log "$kept"/ 2>/dev/null || true
        echo "the recordings, reports, screenshots and the server's log are kept in $kept"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_for() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

pulseaudio -n --daemonize=no --exit-idle-time=-1 --load=module-native-protocol-unix \
    --load='module-null-sink sink_name=tavelo_test' >"$work/pulseaudio.log" 2>&1 &
server=$!
pids+=("$server")
wait_for 50 pactl info >/dev/null 2>&1
# A null sink renders nothing while idle, and its monitor loses the start of a
# new stream: a stream of silence keeps it running.
pacat --raw --latency-msec=2 /dev/zero &
pids+=("$!")

# Starts $program on the display (a Windows build under Wine) as $tavelo.
# Wine's PulseAudio driver keeps 30 ms in the server by default and feeds it
# from a timer thread; with the sink held at half a millisecond by the stream
# above, a busy machine delays that thread past what is queued and the server
# plays silence. On Windows the device's own queue holds what the program
# queues (half a second); under Wine the server is the device, and a test
# that plays sets wine_latency_msec=500 to give it as much. A test that
# records keeps 200 ms: Wine's wave input holds a tenth of a second, and the
# server's fragments of half a second would overflow it.
wine_latency_msec=200
start_program() {
    if [[ $program == *.exe ]]; then
        PULSE_LATENCY_MSEC=$wine_latency_msec wine "$program" &
    else
        QT_QPA_PLATFORM=xcb "$program" &
    fi
    tavelo=$!
    pids+=("$tavelo")
}

recorder=
start_recording() { # file [channels]: records the sink until stop_recording
    parec --device=tavelo_test.monitor --format=float32le --rate=44100 --channels="${2:-1}" --raw >"$1" &
    recorder=$!
    pids+=("$recorder")
    wait_for 50 test -s "$1" # the server delivers
}
stop_recording() { # file: once the sound in it has ended
    python3 "$here/analyze.py" --ended "$1" 15 || echo "no sound that ended in $(basename "$1")"
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
}

visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | wc -l; }
windows_shown_beyond() { (($(visible_windows) > $1)); }
menu() { # x y downs: opens a drawing area's menu and chooses its own item so many rows down
    local before
    before=$(visible_windows)
    xdotool mousemove $((X + $1)) $((Y + $2)) click 3
    wait_for 50 windows_shown_beyond "$before" || echo "no menu opened at $1, $2"
    # «Файл», «Отменить» and «Повторить» stand above every drawing area's own items.
    for _ in $(seq $(($3 + 3))); do xdotool key Down; done
    xdotool key Return
    wait_for 50 eval '! windows_shown_beyond "$before"' || true
}
