#!/usr/bin/env bash
# The plot's values saved for a lab report and opened in the real LibreOffice
# Calc, in an English and in a Russian locale: the square wave's fifteen terms
# are pasted into Tavelo, «Файл › Сохранить значения…» saves them through the
# program's own dialog, Calc opens the CSV with its import dialog's defaults,
# and every cell below the header must arrive as a number, the number the
# file holds (read back through Calc's copy in SYLK, which tells numbers from
# text).
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool xclip soffice python3; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
# Each locale on a display of its own, as the formula test does.
if [[ -z ${TAVELO_VALUES_LOCALE:-} ]]; then
    locales=(C.UTF-8)
    locale -a 2>/dev/null | grep -qi '^ru_RU.utf-*8$' && locales+=(ru_RU.UTF-8) || echo "no Russian locale here: English only"
    status=0
    for locale in "${locales[@]}"; do
        TAVELO_VALUES_LOCALE=$locale "$here/../virtualdisplay.sh" 1280x1024 "$0" "$@" || status=1
    done
    exit $status
fi
source "$here/../programwindow.sh"
locale=$TAVELO_VALUES_LOCALE
echo "== Calc in $locale"

work=$(mktemp -d)
export HOME=$work
pids=()
status=0
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    pkill -f "profile-$locale" 2>/dev/null || true
    sleep 1
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    wait "${pids[@]}" 2>/dev/null || true
    if [[ $status -ne 0 ]]; then
        mkdir -p values-artefacts
        cp "$work"/*.csv "$work"/*.png "$work"/*.sylk values-artefacts/ 2>/dev/null || true
        echo "the values, Calc's copy and screenshots are kept in values-artefacts/"
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $1 ($locale)"
    import -window root "$work/$2.png" 2>/dev/null || true
    status=1
    exit 1
}
wait_for() {
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }

# The square wave to its 15th term: the odd terms 1/n, the even ones zero.
table=$(printf 'Амплитуда\tФаза\n'; for n in $(seq 15); do
    if ((n % 2)); then printf '%s\t0\n' "$(python3 -c "print(1/$n)")"; else printf '0\t0\n'; fi
done)
values=$work/values.csv

LANG=$locale LANGUAGE= LC_ALL= QT_QPA_PLATFORM=xcb "$program" &
pids+=($!)
find_program_window
printf '%s\n' "$table" | xclip -selection clipboard -i
xdotool windowfocus --sync "$window" mousemove $((X + 650)) $((Y + 110)) click 1
sleep 0.5
xdotool key ctrl+v
sleep 1
# «Файл» is the first item of the spectrum's menu, «Сохранить значения…» the
# last of its submenu.
xdotool key --delay 150 Menu Down Right Up Return
dialog=""
wait_for eval 'dialog=$(window_named "Сохранить значения")' && [[ -n $dialog ]] || fail "no dialog to save the values in" tavelo
xdotool windowfocus --sync "$dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 20 "$values"
xdotool key Return
wait_for test -s "$values" || fail "Tavelo saved no values" tavelo
sleep 0.5
echo "ok: Tavelo saved $(($(wc -l <"$values") - 1)) rows of values ($locale)"
# Calc's is then the only window the keys can go to.
kill "${pids[@]}" 2>/dev/null || true
wait "${pids[@]}" 2>/dev/null || true
pids=()

LANG=$locale LANGUAGE= LC_ALL= soffice --calc --norestore --nologo \
    "-env:UserInstallation=file://$work/profile-$locale" "$values" >/dev/null 2>&1 &
pids+=($!)
import_dialog=""
wait_for eval 'import_dialog=$(window_named "Text Import")' && [[ -n $import_dialog ]] || fail "Calc showed no import dialog" calc
sleep 1
xdotool windowfocus --sync "$import_dialog"
sleep 0.5
xdotool key Return # the dialog's defaults, as a user takes them
sheet=""
wait_for eval 'sheet=$(window_named "values.csv")' && [[ -n $sheet ]] || fail "Calc did not open the values" calc
sleep 2
xdotool windowfocus --sync "$sheet"
sleep 0.5
xclip -selection clipboard -i </dev/null
xdotool key ctrl+a
sleep 0.5
xdotool key ctrl+c
sylk_type='application/x-openoffice-sylk;windows_formatname="Sylk"'
has_sylk() { xclip -selection clipboard -o -t TARGETS 2>/dev/null | grep -qF "$sylk_type"; }
wait_for has_sylk || fail "Calc copied no cells" calc
xclip -selection clipboard -o -t "$sylk_type" >"$work/copied.sylk"

python3 - "$values" "$work/copied.sylk" "$locale" <<'EOF' || status=1
import csv, re, sys
values, sylk, locale = sys.argv[1:4]
comma = locale.startswith('ru')
with open(values, encoding='utf-8', newline='') as f:
    rows = list(csv.reader(f, delimiter=';' if comma else ','))
expected = [[float(cell.replace(',', '.')) for cell in row] for row in rows[1:]]
cells = {}
for line in open(sylk, encoding='utf-8', errors='replace'):
    m = re.match(r'C;X(\d+);Y(\d+);K(.*)', line.rstrip('\r\n'))
    if m:
        cells[(int(m.group(2)), int(m.group(1)))] = m.group(3)
failures = 0
def check(description, condition, detail=''):
    global failures
    print(('ok: ' if condition else 'FAIL: ') + description + f' ({locale})', '' if condition else detail)
    failures += not condition
check('the file has the header and 658 rows of t and f(t)', len(rows) == 659 and all(len(r) == 2 for r in rows),
      f'{len(rows)} rows')
check('Calc takes the header as text', cells.get((1, 1), '').startswith('"t, '), cells.get((1, 1)))
text = [(r, c, v) for (r, c), v in cells.items() if r > 1 and not re.fullmatch(r'-?[0-9.]+(E-?[0-9]+)?', v)]
check('Calc takes every value as a number', not text and len(cells) == 2 * len(rows), text[:5])
worst = 0.0
for r, row in enumerate(expected, start=2):
    for c, value in enumerate(row, start=1):
        try:
            got = float(cells[(r, c)])
        except (KeyError, ValueError):
            got = float('nan')
        worst = max(worst, abs(got - value) / max(1.0, abs(value)))
check('each number is the one the file holds', worst < 1e-12, f'largest difference {worst}')
sys.exit(1 if failures else 0)
EOF
exit $status
