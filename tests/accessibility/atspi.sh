#!/usr/bin/env bash
# Starts the real program on a virtual X display with a private session bus
# and the accessibility bus, as a desktop with a screen reader runs it, and
# reads the window through AT-SPI the way a screen reader does.
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb dbus-run-session xdotool xclip /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIPPED: python3-pyatspi is missing"; exit 77; }

if [[ -z ${TAVELO_ATSPI_INNER:-} ]]; then
    # An English locale: what the window says must not depend on it.
    export LANG=C.UTF-8 LANGUAGE= LC_ALL=
    TAVELO_ATSPI_INNER=1 exec "$(dirname "$0")/../virtualdisplay.sh" 1024x768 dbus-run-session -- "$0" "$@" 2> >(grep -v -e '^dbus-daemon' -e 'fd limit' >&2)
fi

# What a screen reader says when it starts: applications then connect to the
# accessibility bus.
dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:ScreenReaderEnabled variant:boolean:true >/dev/null

QT_QPA_PLATFORM=xcb "$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name 'Негармонические колебания' | head -n 1)
/usr/bin/python3 -u "$here/atspi_test.py" "$window"
