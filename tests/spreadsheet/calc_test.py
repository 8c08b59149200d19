"""The steps of the Calc test (calc.sh), driven by keys and checked through
the clipboard and the sheet Calc saves.

    calc_test.py sheet FILE                      writes the sheet the test opens
    calc_test.py run FILE TAVELO_WINDOW LOCALE   drives Calc and Tavelo
"""
import os
import subprocess
import sys
import time
import xml.etree.ElementTree as ElementTree

AMPLITUDES = [1, 0.5, 0.333333333333333, -0.125, 1.25e-05]  # the third is =1/3, as Calc copies it
PHASES = [0, 1, 0.25, 1.5, 0]
NS = {'office': 'urn:oasis:names:tc:opendocument:xmlns:office:1.0',
      'table': 'urn:oasis:names:tc:opendocument:xmlns:table:1.0',
      'text': 'urn:oasis:names:tc:opendocument:xmlns:text:1.0'}


def write_sheet(path):
    """Columns A:B hold a header and five terms, one amplitude a formula;
    G1:G3 a column whose last cell is an error."""
    def number(v):
        return f'<table:table-cell office:value-type="float" office:value="{v!r}"/>'

    def text(t):
        return f'<table:table-cell office:value-type="string"><text:p>{t}</text:p></table:table-cell>'

    def formula(f):
        return f'<table:table-cell table:formula="of:{f}"/>'

    gap = '<table:table-cell table:number-columns-repeated="4"/>'
    rows = [text('Амплитуда') + text('Фаза') + gap + text('A')]
    for n, (a, f) in enumerate(zip(AMPLITUDES, PHASES)):
        amplitude = formula('=1/3') if n == 2 else number(a)
        extra = gap + (number(0.5) if n == 0 else formula('=1/0') if n == 1 else '')
        rows.append(amplitude + number(f) + extra)
    body = ''.join(f'<table:table-row>{r}</table:table-row>' for r in rows)
    with open(path, 'w', encoding='utf-8') as sheet:
        sheet.write(f'''<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="{NS['office']}" xmlns:table="{NS['table']}" xmlns:text="{NS['text']}"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:body><office:spreadsheet><table:table table:name="Лист1">{body}</table:table></office:spreadsheet></office:body>
</office:document>
''')


def read_sheet(path):
    """The cells of the first sheet, row by row, as (type, value) with
    repeated cells expanded."""
    root = ElementTree.parse(path).getroot()
    table = root.find('.//table:table', NS)
    rows = []
    for row in table.findall('table:table-row', NS):
        cells = []
        for cell in row.findall('table:table-cell', NS):
            repeat = int(cell.get(f'{{{NS["table"]}}}number-columns-repeated', '1'))
            kind = cell.get(f'{{{NS["office"]}}}value-type')
            value = cell.get(f'{{{NS["office"]}}}value')
            shown = ''.join(cell.itertext()).strip()
            cells += [(kind, float(value) if value is not None else shown)] * min(repeat, 50)
        rows.append(cells)
    return rows


failures = []
passed = 0


def check(description, condition, detail=''):
    global passed
    if condition:
        passed += 1
        print('ok:', description)
    else:
        failures.append(description)
        print('FAIL:', description, detail)


def xdotool(*args):
    return subprocess.run(['xdotool', *map(str, args)], check=True, capture_output=True, text=True).stdout


def clipboard():
    return subprocess.run(['xclip', '-selection', 'clipboard', '-o'], capture_output=True).stdout.decode(
        errors='replace')


def wait(condition, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if condition():
            return True
        time.sleep(0.1)
    return condition()


def find_window(name, seconds=60):
    found = []

    def search():
        found[:] = subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', name],
                                  capture_output=True, text=True).stdout.split()
        return bool(found)

    wait(search, seconds)
    return found[0] if found else None


def focus(window):
    """Raises the window and gives it the keys, as a window manager would."""
    xdotool('windowraise', window)
    xdotool('windowfocus', '--sync', window)
    time.sleep(0.3)


def keys(*names):
    xdotool('key', '--delay', 60, *names)


def terms_of(table):
    """The amplitudes and phases of a table Tavelo copied."""
    rows = [line.split('\t') for line in table.strip().split('\n')[1:]]
    return [float(r[0]) for r in rows], [float(r[1]) for r in rows]


def run(path, tavelo, locale):
    calc = find_window(os.path.basename(path).split('.')[0])
    check(f'Calc opens the sheet ({locale})', calc is not None)
    if calc is None:
        return
    geometry = dict(line.split('=') for line in xdotool('getwindowgeometry', '--shell', tavelo).split())
    spectrum = (int(geometry['X']) + 650, int(geometry['Y']) + 110)

    def tavelo_keys(*names):
        focus(tavelo)
        xdotool('mousemove', *spectrum, 'click', 1)
        time.sleep(0.5)
        keys(*names)

    def tavelo_copy():
        subprocess.run(['xclip', '-selection', 'clipboard', '-i'], input=b'', check=True)
        tavelo_keys('ctrl+shift+c')
        if not wait(lambda: clipboard().startswith('Амплитуда, м')):
            subprocess.run(['import', '-window', 'root', os.path.join(os.path.dirname(path), f'copy-{locale}.png')])
        return clipboard()

    # Calc's A1:B6 into Tavelo: the header is skipped, the formula's value taken.
    focus(calc)
    keys('ctrl+Home', 'shift+ctrl+Down', 'shift+Right', 'ctrl+c')
    check(f'Calc copies its range ({locale})', wait(lambda: clipboard().startswith('Амплитуда\tФаза')),
          repr(clipboard()[:80]))
    tavelo_keys('ctrl+v')
    copied = tavelo_copy()
    amplitudes, phases = terms_of(copied)
    check(f'Tavelo takes Calc\'s amplitudes ({locale})', amplitudes == AMPLITUDES, repr(copied))
    check(f'Tavelo takes Calc\'s phases ({locale})', phases == PHASES, phases)

    # G1:G3 ends in #DIV/0!: refused with a message, the fields as they were.
    focus(calc)
    keys('ctrl+Home', *['Right'] * 6, 'shift+ctrl+Down', 'ctrl+c')
    wait(lambda: '#DIV/0!' in clipboard())
    tavelo_keys('ctrl+v')
    message = find_window('^Tavelo$', 10)
    check(f'a range with an error in it is refused with a message ({locale})', message is not None)
    if message:
        focus(message)
        keys('Return')
        wait(lambda: find_window('^Tavelo$', 0) is None, 5)
    amplitudes, phases = terms_of(tavelo_copy())
    check(f'the refused range changed no field ({locale})', amplitudes == AMPLITUDES and phases == PHASES,
          (amplitudes, phases))

    # Tavelo's copy into Calc at D1, saved and read back.
    before = os.stat(path).st_mtime_ns
    focus(calc)
    keys('ctrl+Home', 'Right', 'Right', 'Right', 'ctrl+v')
    time.sleep(1)
    keys('ctrl+s')
    if not wait(lambda: os.stat(path).st_mtime_ns != before):
        subprocess.run(['import', '-window', 'root', os.path.join(os.path.dirname(path), f'calc-{locale}.png')])
    time.sleep(1)
    rows = read_sheet(path)
    header = [rows[0][3:5]]
    pasted = [row[3:5] for row in rows[1:1 + len(AMPLITUDES)]]
    check(f'Calc takes the header as text ({locale})',
          header == [[('string', 'Амплитуда, м'), ('string', 'Начальная фаза, в долях π')]], header)
    numbers = [[(kind, value) for kind, value in row] for row in pasted]
    expected = [[('float', a), ('float', f)] for a, f in zip(AMPLITUDES, PHASES)]
    check(f'Calc takes every value of Tavelo\'s copy as a number ({locale})', numbers == expected, numbers)


if sys.argv[1] == 'sheet':
    write_sheet(sys.argv[2])
    sys.exit(0)
run(*sys.argv[2:5])
print(f'{passed} passed, {len(failures)} failed')
sys.exit(1 if failures else 0)
