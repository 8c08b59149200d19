# Sourced by the tests that play or record through a real PulseAudio server:
# waiting for a condition, the server with its null sink "tavelo_test" in
# the private runtime folder $work/runtime (the caller's cleanup kills what
# is in `pids`), recording the sink, and choosing a drawing area's menu item
# on the program's window at $X, $Y.

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

recorder=
start_recording() { # file: records the sink until stop_recording
    parec --device=tavelo_test.monitor --format=float32le --rate=44100 --channels=1 --raw >"$1" &
    recorder=$!
    pids+=("$recorder")
    wait_for 50 test -s "$1" # the server delivers
}
stop_recording() { # file: once the sound in it has ended
    wait_for 100 python3 "$here/analyze.py" --ended "$1" || echo "no sound that ended in $(basename "$1")"
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
}

visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | wc -l; }
windows_shown_beyond() { (($(visible_windows) > $1)); }
menu() { # x y downs: opens a drawing area's menu and chooses the item so many rows down
    local before
    before=$(visible_windows)
    xdotool mousemove $((X + $1)) $((Y + $2)) click 3
    wait_for 50 windows_shown_beyond "$before" || echo "no menu opened at $1, $2"
    for _ in $(seq "$3"); do xdotool key Down; done
    xdotool key Return
    wait_for 50 eval '! windows_shown_beyond "$before"' || true
}
