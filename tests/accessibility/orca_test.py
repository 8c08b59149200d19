"""Drives the program with keys and checks what Orca says, from the SPEECH
OUTPUT lines of Orca's debug output (the file given)."""
import re
import subprocess
import sys
import time

log = sys.argv[1]
failures = []
passed = 0
spoken_before = 0


def speech():
    """Every utterance so far, in order."""
    try:
        text = open(log, encoding='utf-8', errors='replace').read()
    except FileNotFoundError:
        return []
    return re.findall(r"SPEECH OUTPUT: '(.*?)'\{", text)


def wait_for_speech(pattern, seconds=10):
    """The utterances after the last step once one matches `pattern`, or all of them after `seconds`."""
    end = time.monotonic() + seconds
    while True:
        new = speech()[spoken_before:]
        if any(re.search(pattern, line) for line in new) or time.monotonic() > end:
            return new
        time.sleep(0.1)


def step(keys, description, pattern):
    """Presses the keys and checks that Orca says something matching `pattern`."""
    global passed, spoken_before
    spoken_before = len(speech())
    subprocess.run(['xdotool', 'key', *keys], check=True)
    said = wait_for_speech(pattern)
    if any(re.search(pattern, line) for line in said):
        passed += 1
        print(f'ok: {description}: {" | ".join(said)}')
    else:
        failures.append(description)
        print(f'FAIL: {description}: Orca said {said}')


# Orca starts, presents the window and the control with the focus, the spectrum.
spoken_before = 0
said = wait_for_speech(r'^Спектральное представление canvas', 30)
check = any(re.search(r'^Спектральное представление canvas', line) for line in said)
print(('ok' if check else 'FAIL') + f': the spectrum area at start: {" | ".join(said)}')
passed += check
if not check:
    failures.append('the spectrum area at start')

step(['Tab'], 'Tab onto the sine option', r'^SIN')
step(['Tab'], 'Tab onto the field of H', r'^Максимальная амплитуда в поле спектрального представления text')
# Back past the spectrum, the focus order wraps to the plot area.
step(['shift+Tab', 'shift+Tab'], 'Shift+Tab to the spectrum area', r'^Спектральное представление canvas')
step(['shift+Tab'], 'Shift+Tab onto the plot area: its name', r'^Система координат для функции f\(t\) canvas')
# Orca says the description after the name: it is waited for as well.
if not any(line.startswith('График суммы гармонических слагаемых')
           for line in wait_for_speech(r'^График суммы гармонических слагаемых')):
    failures.append('the plot area\'s description on focus')
    print('FAIL: the plot area\'s description is not said with its name')
else:
    passed += 1
    print('ok: the plot area\'s description is said with its name')
step(['Return'], 'Enter plots: the result', r'^График построен до конца\. Наименьшее значение суммы')
step(['Home'], 'Home: the first point', r'^t = 0 T, f\(t\) = 0 м')
step(['Right'], 'Right: the next point', r'^t = 0\.003044 T, f\(t\) = 0\.01913 м')
step(['End'], 'End: the last point', r'^t = 2 T, f\(t\) = -0\.0003706 м')
# A context menu opens with no item chosen; Down chooses the first.
step(['Menu', 'Down'], 'the plot area\'s menu opens, Down on its first item', r'^Прослушать')
step(['Down'], 'Down in the menu: its next item', r'^Озвучить график')
step(['Escape'], 'Escape closes the menu, back on the plot area', r'^Система координат для функции f\(t\) canvas')
step(['Tab'], 'Tab onto the spectrum area', r'^Спектральное представление canvas')
step(['Right'], 'Right chooses the term on show', r'^Гармоника 1 из 1: амплитуда 1 м, начальная фаза 0 π')
step(['Up'], 'Up raises its amplitude', r'^Гармоника 1 из 1: амплитуда 1\.05 м, начальная фаза 0 π')
# A task from the plot area's menu: «Задание» is its seventh item, «Уровень 1»
# the first of its submenu and «Показать ответ» the eighth; Ctrl+Enter checks.
step(['shift+Tab'], 'Shift+Tab back onto the plot area', r'^Система координат для функции f\(t\) canvas')
step(['Menu', *['Down'] * 7, 'Right', 'Return'], 'a task of level 1: its words',
     r'Задание, уровень 1: подберите амплитуды слагаемых 1\.\.2\.')
# The answer is the target but for the plot's 6.283 for 2 pi: a deviation of
# a ten-millionth.
step(['Menu', *['Down'] * 7, 'Right', *['Down'] * 7, 'Return'], '«Показать ответ»: the answer plotted',
     r'Среднеквадратичное отклонение: [0-9.]+E-0[6-9] м')
step(['ctrl+Return'], 'Ctrl+Enter checks it', r'Верно! Решено заданий: 0\.')

print(f'{passed} passed, {len(failures)} failed')
sys.exit(1 if failures else 0)
