#!/usr/bin/env bash
# Runs the real screen reader, Orca, with the real program on a virtual X
# display and a private session bus, and checks what Orca says: the speech
# lines of its debug output. Orca speaks through speech-dispatcher, here
# with a generic module that runs `true` for each utterance: nothing is
# synthesized, no sound server is needed, and an utterance ends at once, so
# that interrupting one never waits for a sound to finish.
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb dbus-run-session xdotool orca speech-dispatcher script unshare pulseaudio pactl; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
if [[ -z ${TAVELO_ORCA_INNER:-} ]]; then
    export LANG=C.UTF-8 LANGUAGE= LC_ALL=
    TAVELO_ORCA_INNER=1 exec "$(dirname "$0")/../virtualdisplay.sh" 1024x768 dbus-run-session -- "$0" "$@" \
        2> >(grep -v -e '^dbus-daemon' -e 'fd limit' -e 'SpiRegistry' >&2)
fi
source "$here/../programwindow.sh"

work=$(mktemp -d)
export HOME=$work XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$work/orca"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'CONF'
AddModule "silent" "sd_generic" "silent.conf"
DefaultModule silent
CONF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/silent.conf" <<'CONF'
GenericExecuteSynth "true"
AddVoice "en" "MALE1" "silent"
AddVoice "ru" "MALE1" "silent"
CONF

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    pkill -9 -f "speech-dispatcher.*$XDG_RUNTIME_DIR" 2>/dev/null || true
    if [[ ${status:-1} -ne 0 && -f $work/orca.log ]]; then
        mkdir -p orca-artefacts
        cp "$work/orca.log" "orca-artefacts/orca-$(date +%Y%m%d-%H%M%S).log"
        echo "Orca's debug output is kept in orca-artefacts/"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

pulseaudio -n --daemonize=no --exit-idle-time=-1 --load=module-native-protocol-unix \
    --load='module-null-sink sink_name=tavelo_speech' >/dev/null 2>&1 &
pids+=("$!")
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

# What a screen reader says when it starts: applications then connect to the
# accessibility bus.
dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:ScreenReaderEnabled variant:boolean:true >/dev/null

QT_QPA_PLATFORM=xcb "$program" &
pids+=("$!")
find_program_window
# No window manager gives the window the focus here; a desktop's would.
xdotool windowfocus --sync "$window"

# Orca refuses to start beside another Orca: in a PID namespace of its own it
# sees none. It buffers a debug file, so its debug output goes to a terminal
# that `script` records as it comes.
unshare --pid --fork --kill-child --mount-proc \
    script -qfec "orca --debug-file=/dev/tty -u $work/orca" "$work/orca.log" >/dev/null 2>&1 &
pids+=("$!")

status=0
python3 "$here/orca_test.py" "$work/orca.log" || status=$?
exit $status
