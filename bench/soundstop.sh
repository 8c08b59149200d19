#!/usr/bin/env bash
# Measures how quickly a stopped sound falls silent, through a real
# PulseAudio server with a null sink in a private runtime folder: the native
# build's benchmark, and the Windows build's under Wine when it is there.
#   bench/soundstop.sh NATIVE_BENCH [WINDOWS_BENCH PORTABLE_ZIP]
set -euo pipefail

native=$1
windows=${2:-}
zip=${3:-}
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
    --load='module-null-sink sink_name=tavelo_bench' >"$work/pulseaudio.log" 2>&1 &
pids+=("$!")
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
# A null sink left alone renders in long stretches; a stream of silence keeps
# it rendering as a sound card does.
pacat --raw --latency-msec=2 /dev/zero &
pids+=("$!")
# The first stream a fresh server plays waits about a second before it
# starts; a short one here takes that wait.
head -c 17640 /dev/zero | pacat --raw --format=float32le --rate=44100 --channels=1

# Each sound in a recording of the sink, as long as it was heard: a stop that
# let the queue play on would show here.
heard() { # recording
    python3 - "$1" <<'PYTHON'
import struct, sys
data = open(sys.argv[1], 'rb').read()
x = struct.unpack(f'<{len(data) // 4}f', data[:len(data) // 4 * 4])
bursts, start, quiet = [], None, 0
for i, v in enumerate(x):
    if abs(v) > 0.002:
        start = i if start is None else start
        quiet = 0
    elif start is not None:
        quiet += 1
        if quiet > 4410:
            bursts.append((i - quiet - start) / 44.1)
            start, quiet = None, 0
bursts.sort()
print(f'{"each sound as heard, from its start to silence":<52} median {bursts[len(bursts) // 2]:7.2f} ms, '
      f'longest {bursts[-1]:7.2f} ms ({len(bursts)} sounds, each stopped 500 ms after it was started)')
PYTHON
}
measure() { # benchmark command...
    parec --device=tavelo_bench.monitor --format=float32le --rate=44100 --channels=1 --raw >"$work/heard.raw" &
    local recorder=$!
    "$@"
    sleep 0.5
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
    heard "$work/heard.raw"
}

echo "sound stopped in the middle, 10 times (Linux, PulseAudio's simple client library):"
measure "$native"
if [[ -n $windows && -f $windows && -f $zip ]] && command -v wine >/dev/null; then
    unzip -q "$zip" -d "$work/portable"
    folder=$(dirname "$(find "$work/portable" -name tavelo.exe)")
    cp "$windows" "$folder/"
    echo "the same under Wine (Windows' audio engine):"
    export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d
    wineboot --init 2>/dev/null
    measure wine "$folder/$(basename "$windows")"
fi
