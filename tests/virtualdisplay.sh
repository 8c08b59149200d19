#!/usr/bin/env bash
# Runs a command on a virtual X display of its own: virtualdisplay.sh WxH command...
# Xvfb chooses a free display number itself (-displayfd), so tests started side
# by side never end up on one display; xvfb-run -a picks the number before the
# server takes it, and two runs starting together can choose the same one.
set -euo pipefail

size=$1
shift
number=$(mktemp)
log=$(mktemp)
# Settings of the run's own: a window size the user keeps does not change
# what a test sees, and a test's does not stay behind.
settings=$(mktemp -d)
export XDG_CONFIG_HOME=$settings
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$number" 2>"$log" &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$number" "$log" "$settings"' EXIT
# The server writes its display number once it accepts clients.
for _ in $(seq 200); do
    [[ -s $number ]] && break
    kill -0 "$server" 2>/dev/null || { echo "FAIL: Xvfb did not start"; exit 1; }
    sleep 0.05
done
[[ -s $number ]] || { echo "FAIL: Xvfb did not report its display"; exit 1; }
export DISPLAY=:$(tr -d '\n' <"$number")
status=0
"$@" || status=$?
# A failure with the display gone is the server's, not the program's.
if [[ $status -ne 0 ]] && ! kill -0 "$server" 2>/dev/null; then
    echo "the virtual display's server $DISPLAY had ended; its last output:"
    tail -n 5 "$log"
fi
exit "$status"
