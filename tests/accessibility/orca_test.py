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


def said_after(keys):
    """What Orca says after the keys: once it has begun, a moment more."""
    global spoken_before
    spoken_before = len(speech())
    subprocess.run(['xdotool', 'key', *keys], check=True)
    wait_for_speech(r'.', 3)
    time.sleep(0.3)
    return speech()[spoken_before:]


def walk_to(path):
    """Opens the menu of the control with the focus and walks down to each item
    of `path` by what Orca says of it, entering a submenu with Right."""
    global passed
    keys = ['Menu']
    for depth, item in enumerate(path):
        if depth:
            keys = ['Right']  # the submenu opens on its first item
        for _ in range(30):
            if any(line.startswith(item) for line in said_after(keys)):
                break
            keys = ['Down']
        else:
            failures.append(f'«{item}» in the menu')
            print(f'FAIL: «{item}» not found in the menu')
            return
    passed += 1
    print(f'ok: «{" › ".join(path)}» found in the menu')


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
step(['ctrl+Left'], 'Ctrl+Left: the extreme before, with the point\'s place',
     r'^минимум -1 м, t = 1\.75 T, точка \d+ из 658')
step(['alt+Left'], 'Alt+Left: the zero crossing before', r'^ноль, вниз, t = 1\.5 T, точка \d+ из 658')
step(['i'], 'I: the curve in one sentence', r'^1 ненулевая гармоника из 1, SIN, периодов: 2 на экране; наибольшее значение 1 м')
# A context menu opens with no item chosen; Down chooses the first, the
# submenu «Файл», then the history's «Отменить», which has nothing to undo yet.
step(['Menu', 'Down'], 'the plot area\'s menu opens, Down on its first item', r'^Файл')
step(['Down'], 'Down in the menu: its next item', r'^Отменить')
step(['Escape'], 'Escape closes the menu, back on the plot area', r'^Система координат для функции f\(t\) canvas')
step(['Tab'], 'Tab onto the spectrum area', r'^Спектральное представление canvas')
step(['Right'], 'Right chooses the term on show', r'^Гармоника 1 из 1: амплитуда 1 м, начальная фаза 0 π')
step(['Up'], 'Up raises its amplitude', r'^Гармоника 1 из 1: амплитуда 1\.05 м, начальная фаза 0 π')
step(['ctrl+z'], 'Ctrl+Z undoes it, and says so', r'Отменено: ')
step(['ctrl+shift+z'], 'Ctrl+Shift+Z does it again, and says so', r'Повторено: ')
step(['s'], 'S plays the chosen term alone, and says so', r'^Звучит гармоника 1\.?$')
step(['shift+s'], 'Shift+S: without its one term the sum is silent, and it says so',
     r'^Без гармоники 1 сумма равна нулю: звучать нечему\.?$')
step(['f'], 'F shows the formula, and says it with «пи»', r'^f\(t\) = 1\.05 sin\(2 пи t/T\)$')
# A task from the plot area's menu, its items found by what Orca says of them;
# Ctrl+Enter checks. First the sum kept as the target, with its deviation.
step(['shift+Tab'], 'Shift+Tab back onto the plot area', r'^Система координат для функции f\(t\) canvas')
walk_to(['Запомнить сумму'])
step(['Return'], '«Запомнить сумму»: the deviation from the sum kept',
     r'Цель: запомненная сумма\. Среднеквадратичное отклонение: [0-9.E+-]+ м')
walk_to(['Задание', 'Уровень 1'])
step(['Return'], 'a task of level 1: its words', r'Задание, уровень 1: подберите амплитуды слагаемых 1\.\.2\.')
# The answer is the target but for the plot's 6.283 for 2 pi: a deviation of
# a ten-millionth.
walk_to(['Задание', 'Показать ответ'])
step(['Return'], '«Показать ответ»: the answer plotted', r'Среднеквадратичное отклонение: [0-9.]+E-0[6-9] м')
step(['ctrl+Return'], 'Ctrl+Enter checks it', r'Верно! Решено заданий: 0\.')
step(['ctrl+equal'], 'Ctrl+= enlarges the window, and says so', r'^Масштаб 125 %')
step(['ctrl+minus'], 'Ctrl+− puts it back, and says so', r'^Масштаб 100 %')

print(f'{passed} passed, {len(failures)} failed')
sys.exit(1 if failures else 0)
