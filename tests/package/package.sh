#!/usr/bin/env bash
# Builds the source packages from the committed tree as a distribution would,
# and checks them:
#   1. the Debian source package, built by dpkg-buildpackage (source and
#      binary, its tests run by dh_auto_test) in a clean Debian 12 root made
#      by mmdebstrap; lintian --pedantic --info on the .changes;
#   2. what the .deb installs: the files of files.txt, each valid, the
#      dependencies, the hardening; then the .deb installed in a bare root,
#      where the program starts in Russian with Liberation Sans (its window
#      on a virtual display, pixel for pixel as designed), its manual page
#      shows, and purging it leaves none of its files;
#   3. reprotest in the build root: two builds varying the build path, the
#      time, the time zone, the locale, the umask and the user give the same
#      .deb to the bit;
#   4. the RPM: rpmbuild -ba from the tarball git archive makes, with its
#      check; rpmlint; the same files; built twice with SOURCE_DATE_EPOCH,
#      the same bits.
# The roots are made once and kept as tarballs in TAVELO_CACHE (by default
# ~/.cache/tavelo), as are the packages downloaded for them. Runs as root
# (chroot, mounts), as the test command does.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
for tool in mmdebstrap unshare lintian rpmbuild rpmlint rpm2cpio cpio desktop-file-validate appstreamcli \
    hardening-check git Xvfb xdotool xclip import compare; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
[[ $(id -u) -eq 0 ]] || { echo "SKIPPED: building in a root needs root"; exit 77; }
# On a virtual display of its own, where the installed program shows its window.
if [[ -z ${TAVELO_PACKAGE_INNER:-} ]]; then
    TAVELO_PACKAGE_INNER=1 exec "$source/tests/virtualdisplay.sh" 1024x768 "$0" "$@"
fi

cache=${TAVELO_CACHE:-$HOME/.cache/tavelo}
mkdir -p "$cache/apt-archives"
work=$(mktemp -d)
failures=0
# A failing run keeps the packages, the build logs and the checkers' reports.
cleanup() {
    if [[ $failures -ne 0 ]]; then
        artefacts=$PWD/package-artefacts/$(date +%Y%m%d-%H%M%S)
        mkdir -p "$artefacts"
        cp -r "$work/out" "$artefacts/" 2>/dev/null || true
        cp "$work"/*.txt "$work"/build/build/*.log "$work"/rpm*/rpmbuild.log "$artefacts/" 2>/dev/null || true
        cp -r "$work/build/build/reprotest-out" "$artefacts/" 2>/dev/null || true
        echo "the packages, build logs and reports are kept in $artefacts"
    fi
    rm -rf "$work"
}
trap cleanup EXIT
expect() { # description command...
    if "${@:2}"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
version=$(sed -n '1s/^tavelo (\([^)]*\)).*/\1/p' "$source/debian/changelog")

# A root from the cache, or made and cached: root FOLDER VARIANT PACKAGES
root() {
    local tarball="$cache/bookworm-$2-$(echo "$3" | sha256sum | cut -c1-12).tar"
    if [[ ! -f $tarball ]]; then
        echo "making the $2 root with $3"
        mmdebstrap --quiet --variant="$2" --include="$3" bookworm "${tarball%.tar}.part.tar"
        mv "${tarball%.tar}.part.tar" "$tarball"
    fi
    mkdir -p "$1"
    tar -xf "$tarball" -C "$1"
    cp /etc/resolv.conf "$1/etc/resolv.conf"
    # sudo, which reprotest changes the user with, must know this host by
    # name and as localhost; mmdebstrap leaves the hosts file out.
    printf '127.0.0.1 localhost\n127.0.1.1 %s\n' "$(hostname)" >"$1/etc/hosts"
}
# Runs a command as root in a root, with /dev, /proc, a /tmp of its own, the
# package cache and the virtual display's socket.
in_root() { # folder command...
    unshare --mount --pid --fork --kill-child bash -c '
        root=$1; shift
        mount --rbind /dev "$root/dev"
        mount -t proc proc "$root/proc"
        mount -t tmpfs tmpfs "$root/tmp"
        mkdir -p "$root/tmp/.X11-unix"
        mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
        mount --bind "'"$cache/apt-archives"'" "$root/var/cache/apt/archives"
        exec chroot "$root" "$@"' in_root "$@"
}

# The build dependencies of debian/control, debhelper for its compat level.
build_depends=$(sed -n '/^Build-Depends:/,/^[^ ]/{/^ /p}' "$source/debian/control" |
    sed 's/([^)]*)//; s/debhelper-compat/debhelper/; s/[ ,]//g' | paste -sd,)

echo "== the Debian source package in a clean root"
started=$SECONDS
build=$work/build
root "$build" buildd "$build_depends,reprotest,diffoscope-minimal,faketime,locales-all,sudo"
mkdir -p "$build/build"
git -C "$source" archive --prefix="tavelo-$version/" HEAD | tar -x -C "$build/build"
expect "dpkg-buildpackage builds the source and binary packages, the tests passing" \
    in_root "$build" bash -c "cd /build/tavelo-$version && DEB_BUILD_OPTIONS=parallel=$(nproc) dpkg-buildpackage --no-sign \
        >/build/dpkg-buildpackage.log 2>&1" ||
    tail -40 "$build/build/dpkg-buildpackage.log"
grep -E '^[0-9]+% tests passed' "$build/build/dpkg-buildpackage.log" || true
out=$work/out
mkdir -p "$out"
find "$build/build" -maxdepth 1 -type f -name 'tavelo*' -exec cp {} "$out/" \;
package=$out/tavelo_${version}_amd64.deb
# The placeholder address is overridden in the source and the binary package;
# the .changes and the automatic debug package cannot carry overrides, so
# for them the same tag is suppressed here, for the same reason.
# Overridden tags are shown in the report; shown, they would count as failures.
lint() {
    lintian --pedantic --info --suppress-tags bogus-mail-host "$@" "$out/tavelo_${version}_amd64.changes" 2>/dev/null
}
lint --show-overrides >"$work/lintian.txt" || true
grep -E '^[EWPIO]:' "$work/lintian.txt" || true
expect "lintian --pedantic: no error, warning or pedantic tag but those overridden with a reason" \
    lint --fail-on error,warning,pedantic
echo "(the Debian build took $((SECONDS - started)) s)"

echo "== what the package installs"
dpkg-deb -x "$package" "$work/deb"
expect "the files as listed in files.txt" diff "$here/files.txt" <(cd "$work/deb" && find . -type f | sort)
usr=$work/deb/usr
expect "menu entry validates without a hint" \
    bash -c "[[ -z \$(desktop-file-validate '$usr/share/applications/org.tavelo.Tavelo.desktop' 2>&1) ]]"
expect "AppStream metadata validates" appstreamcli validate --pedantic --no-net "$usr/share/metainfo/org.tavelo.Tavelo.metainfo.xml"
expect "machine-readable copyright" grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$usr/share/doc/tavelo/copyright"
expect "changelog" bash -c "zcat '$usr/share/doc/tavelo/changelog.gz' | grep -q '^tavelo ($version)'"
expect "English manual page" bash -c "zcat '$usr/share/man/man1/tavelo.1.gz' | grep -q '^.SH OPTIONS'"
expect "Russian manual page" bash -c "zcat '$usr/share/man/ru/man1/tavelo.1.gz' | grep -q '^.SH ПАРАМЕТРЫ'"
# Debian 12's C start-up files carry no control-flow marking, so no binary of
# that release has it; and the program calls no libc function whose buffer
# the compiler could size, so there is nothing for the fortified ones to do.
expect "hardened: PIE, stack protector, full RELRO, immediate binding" \
    hardening-check --nocfprotection --nofortify "$usr/bin/tavelo"
# No stack frame of the program is large enough to need a probe, so the
# binary cannot show stack clash protection: the compiler's lines must give it.
compiled_with() { # flags...: every compiler line of the build has them
    local lines flag
    lines=$(grep -E '/usr/bin/c\+\+ .* -o [^ ]+\.o -c ' "$build/build/dpkg-buildpackage.log" || true)
    [[ -n $lines ]] || return 1
    for flag in "$@"; do
        if grep -qv -- "$flag" <<<"$lines"; then return 1; fi
    done
}
expect "every file compiled with stack clash and control-flow protection" \
    compiled_with -fstack-clash-protection -fcf-protection
depends=$(dpkg-deb -f "$package" Depends)
echo "Depends: $depends"
expect "depends on Qt Widgets, found from the program's libraries" grep -q 'libqt6widgets6' <<<"$depends"
expect "depends on Liberation Sans, Qt's translations and the sound's and sound files' libraries" \
    grep -qE '(^|, )fonts-liberation2, qt6-translations-l10n, libpulse0, libsndfile1(,|$)' <<<"$depends"
expect "recommends nothing" test -z "$(dpkg-deb -f "$package" Recommends)"

echo "== the package in a bare root"
bare=$work/bare
root "$bare" minbase man-db
cp "$package" "$bare/var/tmp/"
expect "apt installs the package with its dependencies" \
    in_root "$bare" bash -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /var/tmp/$(basename "$package") >/dev/null"
dpkg-deb -c "$package" | awk '{print $6}' | sed 's|^\.||' | grep -v '/$' >"$work/installed.txt"
manual_page_shows() { # language heading
    in_root "$bare" env LANG=C.UTF-8 man -L "$1" -P cat tavelo 2>/dev/null | grep -q "$2"
}
expect "the manual page shows" manual_page_shows en OPTIONS
expect "the Russian manual page shows" manual_page_shows ru ПАРАМЕТРЫ
# The window at start-up on the virtual display, as designed: Russian texts
# in Liberation Sans, pixel for pixel.
window_as_designed() {
    in_root "$bare" env DISPLAY="$DISPLAY" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb tavelo &
    local pid=$! previous=
    source "$source/tests/programwindow.sh"
    find_program_window || return 1
    for _ in $(seq 50); do
        import -window "$window" "$work/startup.png"
        [[ -n $previous ]] && cmp -s "$work/startup.png" "$previous" && break
        cp "$work/startup.png" "$work/startup-previous.png"
        previous=$work/startup-previous.png
        sleep 0.2
    done
    # The program is the first process of the root's own process namespace,
    # which only SIGKILL ends from outside.
    pkill -KILL -x tavelo || true
    wait "$pid" 2>/dev/null || true
    [[ $(compare -metric AE "$source/tests/smoke/reference/startup.png" "$work/startup.png" /dev/null 2>&1) == 0 ]]
}
expect "the installed program's window is the design, pixel for pixel" window_as_designed
# A lesson double-clicked, as a file manager opens it: xdg-open finds the
# lesson's type the package installs and the program its desktop entry names,
# which starts with the lesson's terms in its fields. The desktop's own
# helpers (xdg-utils, the type finder and the desktop database) come with any
# desktop; the bare root gets them for this.
lesson_opens() {
    in_root "$bare" bash -c "DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        xdg-utils libfile-mimeinfo-perl desktop-file-utils >/dev/null" || return 1
    cat >"$bare/var/tmp/урок.tavelo" <<'LESSON'
{"format": "tavelo-lesson", "version": 1, "basis": "sin", "N": {"text": "2"}, "H": {"text": "1"},
 "largestCoordinate": {"text": "1"}, "periods": {"text": "2"},
 "terms": [{"n": 1, "amplitude": {"text": "0.5"}, "phase": {"text": "0"}},
           {"n": 2, "amplitude": {"text": "0.25"}, "phase": {"text": "0.5"}}]}
LESSON
    local type
    type=$(in_root "$bare" xdg-mime query filetype /var/tmp/урок.tavelo)
    echo "xdg-mime: $type"
    [[ $type == application/x-tavelo ]] || return 1
    in_root "$bare" env DISPLAY="$DISPLAY" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb xdg-open /var/tmp/урок.tavelo &
    local pid=$!
    source "$source/tests/programwindow.sh"
    local status=0
    find_program_window && copy_terms || status=1
    pkill -KILL -x tavelo || true
    wait "$pid" 2>/dev/null || true
    echo "copied: $terms"
    [[ $status -eq 0 && $terms == $'Амплитуда, м\tНачальная фаза, в долях π\n0.5\t0\n0.25\t0.5' ]]
}
expect "xdg-open starts the installed program with a lesson" lesson_opens
expect "apt purges the package" in_root "$bare" bash -c "DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq tavelo >/dev/null"
left=$(while read -r file; do if [[ -e $bare$file ]]; then echo "$file"; fi; done <"$work/installed.txt")
expect "purge leaves none of the package's files" test -z "$left"
expect "purge leaves no folder of its own" test ! -e "$bare/usr/share/doc/tavelo"

echo "== reprotest"
started=$SECONDS
in_root "$build" bash -c "id builduser >/dev/null 2>&1 || useradd --create-home builduser"
# reprotest 0.7.23 gives sudo `-h localhost`, which the sudo of Debian 12
# (1.9.13) refuses outside `sudo -l`; in the root a wrapper leaves it out.
cat >"$build/usr/local/sbin/sudo" <<'SUDO'
#!/bin/sh
[ "$1" = -h ] && [ "$2" = localhost ] && shift 2
exec /usr/bin/sudo "$@"
SUDO
chmod +x "$build/usr/local/sbin/sudo"
# reprotest copies the folder it is given and builds in the copy, which it
# hands to the other user; dpkg-buildpackage writes beside the source, so the
# source goes one folder down in it.
rm -rf "$build/build/tavelo-$version"
mkdir -p "$build/build/reprotest-source"
git -C "$source" archive --prefix="tavelo-$version/" HEAD | tar -x -C "$build/build/reprotest-source"
expect "reprotest: the .deb is the same to the bit, varying build path, time, time zone, locale, umask and user (its builds skip the tests the first build ran)" \
    in_root "$build" bash -c "cd /build && DEB_BUILD_OPTIONS='nocheck parallel=$(nproc)' reprotest --min-cpus=2 \
        --store-dir=/build/reprotest-out \
        --variations=-all,+build_path,+time,+timezone,+locales,+umask,+user_group \
        --vary=user_group.available+=builduser:builduser \
        --build-command 'cd tavelo-$version && dpkg-buildpackage --no-sign -b' reprotest-source '*.deb' \
        >/build/reprotest.log 2>&1"
tail -3 "$build/build/reprotest.log"
echo "(reprotest took $((SECONDS - started)) s)"

echo "== the RPM"
started=$SECONDS
rpmtop=$work/rpm
mkdir -p "$rpmtop/SOURCES"
# The tarball and its time from one commit, should another land during the run.
commit=$(git -C "$source" rev-parse HEAD)
epoch=$(git -C "$source" log -1 --format=%ct "$commit")
git -C "$source" archive --prefix="tavelo-$version/" -o "$rpmtop/SOURCES/tavelo-$version.tar.gz" "$commit"
rpmbuild_at() { # topdir options...: rpmbuild -ba with the RPM recipe from the tarball
    tar -xzf "$rpmtop/SOURCES/tavelo-$version.tar.gz" -O "tavelo-$version/tavelo.spec" >"$1/tavelo.spec"
    SOURCE_DATE_EPOCH=$epoch rpmbuild -ba --nodeps --define "_topdir $1" \
        --define "_buildhost tavelo" --define "use_source_date_epoch_as_buildtime 1" \
        --define "clamp_mtime_to_source_date_epoch 1" "${@:2}" "$1/tavelo.spec" >"$1/rpmbuild.log" 2>&1
}
expect "rpmbuild -ba builds the source and binary RPMs, the check passing" rpmbuild_at "$rpmtop" ||
    tail -40 "$rpmtop/rpmbuild.log"
grep -E '^[0-9]+% tests passed' "$rpmtop/rpmbuild.log" || true
rpm_package=$(ls "$rpmtop"/RPMS/*/tavelo-*.rpm)
rpmlint -c "$here/rpmlint.toml" "$rpm_package" "$rpmtop"/SRPMS/*.rpm >"$work/rpmlint.txt" 2>&1 || true
tail -3 "$work/rpmlint.txt"
expect "rpmlint: no error or warning but those filtered with a reason" grep -q ' 0 errors, 0 warnings' "$work/rpmlint.txt"
mkdir "$work/rpmroot"
(cd "$work/rpmroot" && rpm2cpio "$rpm_package" | cpio -idm --quiet)
expect "the RPM holds the files of files.txt" diff "$here/files.txt" <(cd "$work/rpmroot" && find . -type f | sort)
expect "the RPM requires Qt Widgets and the sound's library" \
    bash -c "rpm -qp --requires '$rpm_package' | grep -q 'libQt6Widgets.so.6' && rpm -qp --requires '$rpm_package' | grep -q 'libpulse-simple.so.0'"
# Built again in the same place, without the check: the same bits.
rpm_again_same() {
    mv "$rpmtop" "$work/rpm-first"
    mkdir -p "$rpmtop/SOURCES"
    cp "$work/rpm-first/SOURCES/tavelo-$version.tar.gz" "$rpmtop/SOURCES/"
    rpmbuild_at "$rpmtop" --nocheck &&
        cmp "$work/rpm-first/RPMS/x86_64/$(basename "$rpm_package")" "$rpmtop/RPMS/x86_64/$(basename "$rpm_package")"
}
expect "the RPM built twice with SOURCE_DATE_EPOCH is the same to the bit (the second skips the check the first ran)" rpm_again_same
echo "(the RPMs took $((SECONDS - started)) s)"

echo "(the package test took $SECONDS s)"
[[ $failures -eq 0 ]]
