#!/usr/bin/env bash
# Builds the Debian package from a finished build, unpacks it and checks what
# it would install: the program, the menu entry, the icons and the AppStream
# metadata, each valid, and run-time dependencies found from the libraries.
set -euo pipefail

build=$1
for tool in cpack dpkg-deb desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
package=$(ls "$work"/out/tavelo_*.deb)
dpkg-deb -x "$package" "$work/root"

failures=0
expect() { # description command...
    if "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
root=$work/root/usr
expect "program in /usr/bin" test -x "$root/bin/tavelo"
expect "menu entry" test -f "$root/share/applications/org.tavelo.Tavelo.desktop"
expect "32x32 icon" test -f "$root/share/icons/hicolor/32x32/apps/org.tavelo.Tavelo.png"
expect "scalable icon" test -f "$root/share/icons/hicolor/scalable/apps/org.tavelo.Tavelo.svg"
expect "AppStream metadata" test -f "$root/share/metainfo/org.tavelo.Tavelo.metainfo.xml"
expect "menu entry validates" desktop-file-validate "$root/share/applications/org.tavelo.Tavelo.desktop"
expect "AppStream metadata validates" appstreamcli validate --no-net "$root/share/metainfo/org.tavelo.Tavelo.metainfo.xml"
expect "Russian comment in the menu entry" grep -q '^Comment=Негармонические колебания' "$root/share/applications/org.tavelo.Tavelo.desktop"
expect "Education menu" grep -q '^Categories=Education;Science;Math;$' "$root/share/applications/org.tavelo.Tavelo.desktop"
depends=$(dpkg-deb -f "$package" Depends)
expect "depends on Qt Widgets, found from the program's libraries" grep -q 'libqt6widgets6' <<<"$depends"
expect "every library of the program resolves" bash -c "! ldd '$root/bin/tavelo' | grep -q 'not found'"
# The packaged program starts and keeps running until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/bin/tavelo" >/dev/null 2>&1 || status=$?
expect "the packaged program starts" test "$status" -eq 124

[[ $failures -eq 0 ]]
