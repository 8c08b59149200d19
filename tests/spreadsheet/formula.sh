#!/usr/bin/env bash
# Tavelo's «Копировать формулу» taken by the real LibreOffice Math through the
# real X clipboard, in an English and in a Russian locale: the square wave's
# fifteen terms are pasted into Tavelo, its formula copied from the spectrum's
# menu, and Math's «Import MathML from Clipboard» must turn the MathML into a
# formula holding every non-zero term with the amplitudes the fields hold,
# read back from the formula file Math saves.
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool xclip soffice python3; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
# Math comes in a package of its own, which a machine with only Calc lacks.
compgen -G '/usr/lib/libreoffice/program/libsmlo.so' >/dev/null || { echo "SKIPPED: LibreOffice Math is missing"; exit 77; }
# Each locale on a display of its own: LibreOffice ended on a display has
# now and then left it refusing the next program.
if [[ -z ${TAVELO_FORMULA_LOCALE:-} ]]; then
    locales=(C.UTF-8)
    locale -a 2>/dev/null | grep -qi '^ru_RU.utf-*8$' && locales+=(ru_RU.UTF-8) || echo "no Russian locale here: English only"
    status=0
    for locale in "${locales[@]}"; do
        TAVELO_FORMULA_LOCALE=$locale "$here/../virtualdisplay.sh" 1280x1024 "$0" "$@" || status=1
    done
    exit $status
fi
source "$here/../programwindow.sh"

work=$(mktemp -d)
export HOME=$work
pids=()
status=0
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [[ $status -ne 0 ]]; then
        mkdir -p formula-artefacts
        cp "$work"/*.mml "$work"/*.png formula-artefacts/ 2>/dev/null || true
        echo "the formula files and screenshots are kept in formula-artefacts/"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $1"
    import -window root "$work/$2.png" 2>/dev/null || true
    status=1
}

wait_for() {
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

has_mathml() { xclip -selection clipboard -o -t TARGETS 2>/dev/null | grep -qx 'application/mathml+xml'; }
changed() { [[ $(stat -c %Y.%s "$1") != "$2" ]]; }

# The square wave to its 15th term: the odd terms 1/n, the even ones zero.
table=$(printf 'Амплитуда\tФаза\n'; for n in $(seq 15); do
    if ((n % 2)); then printf '%s\t0\n' "$(python3 -c "print(1/$n)")"; else printf '0\t0\n'; fi
done)

for locale in "$TAVELO_FORMULA_LOCALE"; do
    echo "== Math in $locale"
    formula=$work/formula-$locale.mml
    cat >"$formula" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<math xmlns="http://www.w3.org/1998/Math/MathML" display="block"><semantics><mrow><mi>x</mi></mrow><annotation encoding="StarMath 5.0">x</annotation></semantics></math>
EOF
    LANG=$locale LANGUAGE= LC_ALL= QT_QPA_PLATFORM=xcb "$program" &
    tavelo=$!
    pids+=("$tavelo")
    find_program_window
    spectrum_x=$((X + 650)) spectrum_y=$((Y + 110))

    printf '%s\n' "$table" | xclip -selection clipboard -i
    xdotool windowfocus --sync "$window" mousemove "$spectrum_x" "$spectrum_y" click 1
    sleep 0.5
    xdotool key ctrl+v
    sleep 0.5
    # The spectrum's menu ends with «Вид» and the picture's copy; «Копировать
    # формулу» is the last item of «Вид».
    xdotool key --delay 150 Menu Up Up Right Up Return
    if ! wait_for has_mathml; then
        fail "Tavelo put no MathML on the clipboard ($locale)" "tavelo-$locale"
        continue
    fi
    echo "ok: Tavelo's formula is on the clipboard as MathML ($locale)"
    # Tavelo's MathML is handed on by xclip and Tavelo ends, so that Math is
    # the only window the keys can go to.
    xclip -selection clipboard -o -t application/mathml+xml >"$work/copied-$locale.mml"
    kill "$tavelo" 2>/dev/null || true
    wait "$tavelo" 2>/dev/null || true
    xclip -selection clipboard -t application/mathml+xml -i "$work/copied-$locale.mml"

    # A profile that saves in the file's own format without asking.
    mkdir -p "$work/profile-$locale/user"
    cat >"$work/profile-$locale/user/registrymodifications.xcu" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Save/Document"><prop oor:name="WarnAlienFormat" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
EOF
    # The profile made by a start without a window first: a first start can
    # restart LibreOffice, and keys sent meanwhile are lost.
    LANG=$locale LANGUAGE= LC_ALL= timeout 180 soffice --headless --norestore --terminate_after_init \
        "-env:UserInstallation=file://$work/profile-$locale" >/dev/null 2>&1 || true
    before=$(stat -c %Y.%s "$formula")
    sleep 1 # the file's time is in seconds
    # Math is given a second start where the first took no keys (the file
    # unchanged, so nothing is imported twice).
    saved=false
    for attempt in 1 2; do
        LANG=$locale LANGUAGE= LC_ALL= soffice --math --norestore --nologo \
            "-env:UserInstallation=file://$work/profile-$locale" "$formula" >/dev/null 2>&1 &
        math=$!
        pids+=("$math")
        math_window=""
        for _ in $(seq 240); do
            math_window=$(xdotool search --onlyvisible --name "formula-$locale" 2>/dev/null | head -n 1 || true)
            [[ -n $math_window ]] && break
            sleep 0.5
        done
        [[ -n $math_window ]] || continue
        # On a busy machine the window shows long before Math has drawn into
        # it and takes keys.
        drawn() { [[ $(import -window "$math_window" -format '%k' info: 2>/dev/null || echo 0) -gt 16 ]]; }
        for _ in $(seq 240); do
            drawn && break
            sleep 0.5
        done
        sleep 3
        xdotool windowfocus --sync "$math_window" 2>/dev/null || true
        sleep 0.5
        # Tools › Import MathML from Clipboard, then saved in its own format.
        xdotool key --delay 500 alt+t Down Down Return
        sleep 2
        xdotool key ctrl+s
        if wait_for changed "$formula" "$before" || wait_for changed "$formula" "$before"; then
            saved=true
            break
        fi
        echo "Math took no keys on its start $attempt ($locale)"
        import -window root "$work/math-$locale-$attempt.png" 2>/dev/null || true
        kill "$math" 2>/dev/null || true
        pkill -f "profile-$locale" 2>/dev/null || true
        wait "$math" 2>/dev/null || true
        sleep 2
    done
    if ! $saved; then
        fail "Math did not save the formula ($locale)" "math-$locale"
        continue
    fi
    sleep 1
    python3 - "$formula" "$locale" <<'EOF' || status=1
import re, sys
path, locale = sys.argv[1:3]
text = open(path, encoding='utf-8').read()
annotation = re.search(r'<annotation encoding="StarMath 5.0">(.*)</annotation>', text, re.S)
failures = 0
def check(description, condition, detail=''):
    global failures
    print(('ok: ' if condition else 'FAIL: ') + description + f' ({locale})', '' if condition else detail)
    failures += not condition
check('Math made a formula of the MathML', annotation is not None, text[:300])
command = annotation.group(1) if annotation else ''
mark = ',' if locale.startswith('ru') else '.'
amplitudes = ['1'] + ['0' + mark + digits for digits in ('333', '2', '143', '111', '0909', '0769', '0667')]
# Between an amplitude and «sin» Math keeps the invisible times of the MathML.
found = re.findall(r'(?:^|[{=+])\s*(\d+(?:[.,]\d+)?)\W*?(?:nitalic\s+)?sin', command)
check('the formula holds the eight odd terms, the amplitudes the fields hold', found == amplitudes,
      f'{found} in {command[:400]}')
check('every term is 2πt/T times its number', command.count('slash T') == 8, command[:400])
sys.exit(1 if failures else 0)
EOF
    kill "$math" 2>/dev/null || true
    wait "$math" 2>/dev/null || true
done
exit $status
