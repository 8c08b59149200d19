#!/usr/bin/env bash
# Builds the Debian and the RPM package from a finished build, unpacks them and
# checks what they would install: the program, the menu entry, the icons, the
# AppStream metadata, the manual pages and the licence, each valid, and
# run-time dependencies found from the libraries. Debian's lintian and rpmlint
# must find no error and no warning that is not overridden with a reason.
set -euo pipefail

build=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in cpack dpkg-deb desktop-file-validate appstreamcli lintian hardening-check rpmbuild rpm rpm2cpio cpio rpmlint; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null && cpack -G RPM -B "$work/out" >/dev/null 2>&1)
package=$(ls "$work"/out/tavelo_*.deb)
rpm_package=$(ls "$work"/out/tavelo-*.x86_64.rpm)
dpkg-deb -x "$package" "$work/root"
mkdir "$work/rpmroot"
(cd "$work/rpmroot" && rpm2cpio "$rpm_package" | cpio -idm --quiet)

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
expect "menu entry validates without a hint" \
    bash -c "[[ -z \$(desktop-file-validate '$root/share/applications/org.tavelo.Tavelo.desktop' 2>&1) ]]"
expect "AppStream metadata validates" appstreamcli validate --pedantic --no-net "$root/share/metainfo/org.tavelo.Tavelo.metainfo.xml"
expect "AppStream names the licence" grep -q '<project_license>GPL-3.0-or-later</project_license>' "$root/share/metainfo/org.tavelo.Tavelo.metainfo.xml"
expect "AppStream names no web address" bash -c "! grep -q 'https\?://' '$root/share/metainfo/org.tavelo.Tavelo.metainfo.xml'"
expect "machine-readable copyright" grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$root/share/doc/tavelo/copyright"
expect "changelog" bash -c "zcat '$root/share/doc/tavelo/changelog.gz' | grep -q '^tavelo (0.1.0)'"
expect "English manual page" bash -c "zcat '$root/share/man/man1/tavelo.1.gz' | grep -q '^.SH OPTIONS'"
expect "Russian manual page" bash -c "zcat '$root/share/man/ru/man1/tavelo.1.gz' | grep -q '^.SH ПАРАМЕТРЫ'"
expect "lintian: no error or warning but those overridden" \
    lintian --fail-on error,warning "$package"
expect "lintian: no hardening tag, informational ones included" \
    bash -c "! lintian --display-info '$package' 2>/dev/null | grep 'hardening-'"
# Debian 12's C start-up files carry no control-flow marking, so no binary of
# that release has it; and the program calls no libc function whose buffer
# the compiler could size, so there is nothing for the fortified ones to do.
expect "hardened: PIE, stack protector, full RELRO, immediate binding" \
    hardening-check --nocfprotection --nofortify "$root/bin/tavelo"
expect "the RPM holds the same files" diff <(cd "$work/root" && find . -type f | sort) \
    <(cd "$work/rpmroot" && find . -type f ! -path './usr/lib/.build-id/*' | sort)
expect "the RPM names the licence" test "$(rpm -qp --qf '%{LICENSE}' "$rpm_package")" = GPL-3.0-or-later
expect "the RPM requires Qt Widgets, found from the program's libraries" \
    bash -c "rpm -qp --requires '$rpm_package' | grep -q 'libQt6Widgets.so.6'"
expect "rpmlint: no error or warning but those filtered with a reason" \
    bash -c "rpmlint -c '$here/rpmlint.toml' '$rpm_package' | tee /dev/stderr | grep -q ' 0 errors, 0 warnings'"
expect "Russian comment in the menu entry" grep -q '^Comment=Негармонические колебания' "$root/share/applications/org.tavelo.Tavelo.desktop"
expect "one main category: Education" grep -q '^Categories=Education;Math;$' "$root/share/applications/org.tavelo.Tavelo.desktop"
depends=$(dpkg-deb -f "$package" Depends)
expect "depends on Qt Widgets, found from the program's libraries" grep -q 'libqt6widgets6' <<<"$depends"
expect "depends on Liberation Sans, with no alternative" grep -qE '(^|, )fonts-liberation2(,|$)' <<<"$depends"
expect "depends on the sound's library, which it loads when a sound plays" grep -qE '(^|, )libpulse0(,|$)' <<<"$depends"
expect "the RPM requires the sound's library" bash -c "rpm -qp --requires '$rpm_package' | grep -q 'libpulse-simple.so.0'"
expect "recommends nothing" test -z "$(dpkg-deb -f "$package" Recommends)"
expect "every library of the program resolves" bash -c "! ldd '$root/bin/tavelo' | grep -q 'not found'"
# The packaged program starts and keeps running until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/bin/tavelo" >/dev/null 2>&1 || status=$?
expect "the packaged program starts" test "$status" -eq 124

[[ $failures -eq 0 ]]
