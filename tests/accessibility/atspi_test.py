"""Reads the running window through the accessibility bus, as Orca does.

Input comes from the X server (xdotool); what is heard comes from AT-SPI:
the tree of the application, the text interface, the action interface and
the focus events, through which a popup menu, no child of the application,
is heard item by item.
"""
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

window = sys.argv[1]
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


heard = []


def on_focus(event):
    if event.detail1:
        heard.append((event.source.getRoleName(), event.source.name))


pyatspi.Registry.registerEventListener(on_focus, 'object:state-changed:focused')


def pump(seconds, until=lambda: False):
    """Delivers the bus's events for up to `seconds`, or until `until()` holds."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        if until():
            return True
        time.sleep(0.02)
    return until()


def xdotool(*args):
    subprocess.run(['xdotool', *map(str, args)], check=True)


geometry = dict(line.split('=') for line in
                subprocess.check_output(['xdotool', 'getwindowgeometry', '--shell', window]).decode().split())
X, Y = int(geometry['X']), int(geometry['Y'])


def click(x, y, button=1):
    xdotool('mousemove', X + x, Y + y, 'click', button)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for child in desktop:
        if child is not None and child.name == 'Tavelo':
            return child
    return None


app = None
pump(20, lambda: application() is not None)
app = application()
if app is None:
    print('FAIL: the program is not on the accessibility bus')
    sys.exit(1)


def everything(accessible):
    yield accessible
    for child in accessible:
        if child is not None:
            yield from everything(child)


tree = list(everything(app))


def find(role, name):
    return [a for a in tree if a.getRoleName() == role and a.name == name]


# The controls, announced by role and Russian name.
expected = [
    ('push button', 'График'), ('push button', 'Отмена'), ('push button', 'О программе'), ('push button', 'Выход'),
    ('text', 'Количество гармонических слагаемых'),
    ('text', 'Максимальная амплитуда в поле спектрального представления'),
    ('text', 'Максимальная видимая координата на графике, м'), ('text', 'Количество периодов на экране'),
    ('text', 'A ( i ), i = 1'), ('text', 'Fi ( i ), i = 1'),
    ('radio button', 'SIN'), ('radio button', 'COS'),
    ('scroll bar', 'Номер амплитуды'), ('scroll bar', 'Номер начальной фазы'),
    ('panel', 'Параметры колебания'), ('panel', 'Общие параметры'), ('panel', 'Амплитуды, м'),
    ('panel', 'Начальные фазы, рад'),
    ('canvas', 'Система координат для функции f(t)'), ('canvas', 'Спектральное представление'),
    ('panel', 'Поле графика'),
]
for role, name in expected:
    check(f'{role} «{name}»', len(find(role, name)) == 1, f'found {len(find(role, name))}')
frames = [a.name for a in tree if a.getRoleName() == 'panel' and a.name != 'Поле графика']
check('every frame is named by its own caption',
      sorted(frames) == sorted(n for r, n in expected if r == 'panel' and n != 'Поле графика'), frames)
check('no drawing area is taken for a window', not [a for a in tree if a.getRoleName() == 'frame'],
      [a.name for a in tree if a.getRoleName() == 'frame'])

counti = find('text', 'Количество гармонических слагаемых')[0]


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


check('N reads 1 through the text interface', text_of(counti) == '1', repr(text_of(counti)))
click(16 + 16 + 32 + 30, 8 + 24 + 112 + 9)  # into N
xdotool('key', 'ctrl+a')
xdotool('type', '--delay', 50, '999')
pump(5, lambda: text_of(counti) == '250')
check('N reads 250 after the field rule rewrote 999', text_of(counti) == '250', repr(text_of(counti)))


def menu_heard(open_menu, items):
    """Opens a context menu and walks it with Down; returns the items heard, in order."""
    heard.clear()
    open_menu()
    pump(0.5)
    for _ in range(items):
        xdotool('key', 'Down')
        pump(0.3, lambda: len([h for h in heard if h[0] == 'menu item']) > _)
    xdotool('key', 'Escape')
    pump(0.3)
    return [name for role, name in heard if role == 'menu item']


MENU_ROLES = ('menu item', 'menu', 'check menu item', 'radio menu item')


def choose(open_menu, *path):
    """Opens a context menu and walks down to each item of `path` by the name
    heard, entering a submenu with Right; Enter chooses the last. Returns
    whether every item was found."""
    heard.clear()
    open_menu()
    pump(0.5)
    for depth, wanted in enumerate(path):
        if depth:
            heard.clear()
            xdotool('key', 'Right')  # the submenu opens on its first item
            pump(1, lambda: any(role in MENU_ROLES for role, _ in heard))
        for _ in range(30):
            items = [name.split('\t')[0] for role, name in heard if role in MENU_ROLES]
            if items and items[-1] == wanted:
                break
            before = len(heard)
            xdotool('key', 'Down')
            pump(1, lambda: len(heard) > before)
        else:
            xdotool('key', 'Escape', 'Escape')
            return False
    xdotool('key', 'Return')
    return True


def russian(item):
    # The key names after the tab (Ctrl+Z) are printed on the keys themselves.
    return re.search('[A-Za-z]', item.split('\t')[0]) is None and re.search('[А-Яа-яЁё]', item) is not None


# Ctrl+Z is the window's undo of the series' steps as well, so Qt does not
# print it beside the field's own «Отменить действие».
field_items = ['Отменить действие', 'Повторить действие\tCtrl+Shift+Z', 'Вырезать\tCtrl+X',
               'Копировать\tCtrl+C', 'Вставить\tCtrl+V', 'Удалить', 'Выделить всё\tCtrl+A']
items = menu_heard(lambda: click(16 + 16 + 32 + 30, 8 + 24 + 112 + 9, 3), len(field_items))
check('the context menu of a field is heard in Russian', items == field_items, items)
check('no item of the field menu is English', items and all(map(russian, items)), items)

bar_items = ['Прокрутить сюда', 'Вверх', 'Вниз', 'На страницу вверх', 'На страницу вниз', 'Прокрутить вверх',
             'Прокрутить вниз']
items = menu_heard(lambda: click(16 + 184 + 128 + 12, 8 + 24 + 24 + 50, 3), len(bar_items))
check('the context menu of a scroll bar is heard in Russian', items == bar_items, items)
check('no item of the scroll bar menu is English', items and all(map(russian, items)), items)

# Pressing «График» through its action, as a screen reader's user does.
plot = find('canvas', 'Система координат для функции f(t)')[0]
check('the plot area describes itself before the first plot', plot.description == 'График суммы гармонических слагаемых',
      plot.description)
button = find('push button', 'График')[0].queryAction()
actions = {button.getName(i): i for i in range(button.nActions)}
check('«График» offers the press action', 'Press' in actions, list(actions))
if 'Press' in actions:
    # Qt names its actions in English for the programs that call them; a
    # listener hears their description.
    check('the press action is described in Russian', russian(button.getDescription(actions['Press'])),
          button.getDescription(actions['Press']))
    button.doAction(actions['Press'])
described = re.compile(r'График построен до конца\. Наименьшее значение суммы -(1|0\.99\d*) м, '
                       r'наибольшее (1|0\.99\d*) м\.')
pump(10, lambda: described.fullmatch(plot.description or '') is not None)
check('after the plot its description tells the range of the sum', described.fullmatch(plot.description or ''),
      repr(plot.description))

# The plot's cursor, walked with the keyboard (Page Down: a tenth of a
# period; a move of more than a column says the point's place): each step is the plot area's
# new description, announced by the focus moving within the area to a child
# named as the readout, which is what a screen reader speaks (Qt sends a
# changed description without its text). The start values are
# sin(6.283 x 2 / 657).
click(16 + 300, 208 + 300)
readouts = ['t = 0 T, f(t) = 0 м, точка 1 из 658', 't = 0.003044 T, f(t) = 0.01913 м',
            't = 0.1035 T, f(t) = 0.6054 м, точка 35 из 658', 't = 2 T, f(t) = -0.0003706 м, точка 658 из 658']
walked = []
announced = []
for keys, readout in zip((['Home'], ['Right'], ['Next'], ['End']), readouts):
    heard.clear()
    xdotool('key', *keys)
    pump(5, lambda: plot.description == readout and ('animation', readout) in heard)
    walked.append(plot.description)
    announced.append(readout if ('animation', readout) in heard else heard)
check('the cursor describes the plot area at every step of the keyboard', walked == readouts, walked)
check('the cursor is announced at every step of the keyboard', announced == readouts, announced)
# What is said reaches a screen reader through a child of the area named as
# it, focusable only while it is said: nothing focusable is left without a name.
unnamed = [a.getRoleName() for a in everything(app)
           if a.getState().contains(pyatspi.STATE_FOCUSABLE) and not (a.name or '').strip()]
check('no focusable object on the bus without a name', not unnamed, unnamed[:10])

# The spectrum as a control, from the plot area by Tab (N reads 250 since
# the field rule rewrote 999): Right chooses the term on show, Up raises it by a twentieth of H, Delete sets it to 0; each
# is the area's description and announced as the cursor's steps are.
spectrum = find('canvas', 'Спектральное представление')[0]
xdotool('key', 'Tab')
pump(5, lambda: ('canvas', 'Спектральное представление') in heard)
terms = ['Гармоника 1 из 250: амплитуда 1 м, начальная фаза 0 π',
         'Гармоника 1 из 250: амплитуда 1.05 м, начальная фаза 0 π',
         'Гармоника 1 из 250: амплитуда 0 м, начальная фаза 0 π']
described = []
announced = []
for key, term in zip(('Right', 'Up', 'Delete'), terms):
    heard.clear()
    xdotool('key', key)
    pump(5, lambda: spectrum.description == term and ('animation', term) in heard)
    described.append(spectrum.description)
    announced.append(term if ('animation', term) in heard else list(heard))
check('the spectrum describes the term chosen and changed', described == terms, described)
check('the spectrum announces the term chosen and changed', announced == terms, announced)

# The history's steps are heard where the keys are pressed; the redo puts the
# series back for what follows.
for keys, said in (('ctrl+z', 'Отменено: '), ('ctrl+shift+z', 'Повторено: ')):
    heard.clear()
    xdotool('key', keys)
    pump(5, lambda: any(role == 'animation' and name.startswith(said) for role, name in heard))
    check(f'{keys} on the spectrum is heard as «{said}…»',
          any(role == 'animation' and name.startswith(said) for role, name in heard), heard)

# A task through the plot area's menu, its items found by the names heard:
# the task's words, and the check's «Верно!», are the plot's description and
# announced; Ctrl+Enter checks.
task_words = 'Задание, уровень 1: подберите амплитуды слагаемых 1..2.'


def plot_menu():
    click(16 + 300, 208 + 300, 3)


check('«Задание» › «Уровень 1» is found in the plot area\'s menu', choose(plot_menu, 'Задание', 'Уровень 1'))
pump(10, lambda: task_words in (plot.description or ''))
check('a task\'s words are in the plot\'s description', task_words in (plot.description or ''), repr(plot.description))
check('«Задание» › «Показать ответ» is found', choose(plot_menu, 'Задание', 'Показать ответ'))
pump(10, lambda: text_of(counti) == '2' and re.search(r'отклонение: [0-9.]+E-0[6-9] м', plot.description or ''))
heard.clear()
xdotool('key', 'ctrl+Return')
solved = 'Верно! Решено заданий: 0.'
pump(10, lambda: any(role == 'animation' and solved in name for role, name in heard))
check('the check\'s «Верно!» is the plot\'s description', solved in (plot.description or ''), repr(plot.description))
check('the check\'s «Верно!» is announced', any(role == 'animation' and solved in name for role, name in heard), heard)

# Terms through the real clipboard: a table from a spreadsheet in a Russian
# locale pasted through the spectrum's menu, then the program's own copy.
spectrum_at = (16 + 536 + 100, 8 + 32 + 60)
table = 'Амплитуда\tФаза\n0.5\t0\n0.25\t1\n0,125\t0\n'
subprocess.run(['xclip', '-selection', 'clipboard', '-i'], input=table.encode(), check=True)


def spectrum_menu():
    click(*spectrum_at, 3)


check('«Вставить слагаемые» is found in the spectrum\'s menu', choose(spectrum_menu, 'Вставить слагаемые'))
amplitude = find('text', 'A ( i ), i = 1')[0]
pump(5, lambda: text_of(counti) == '3')
check('a pasted table sets N', text_of(counti) == '3', repr(text_of(counti)))
check('a pasted table fills the amplitude on show', text_of(amplitude) == '0.5', repr(text_of(amplitude)))
check('«Копировать слагаемые» is found', choose(spectrum_menu, 'Копировать слагаемые'))
copied = ''
for _ in range(50):
    pump(0.1)
    copied = subprocess.run(['xclip', '-selection', 'clipboard', '-o'], capture_output=True).stdout.decode()
    if copied.startswith('Амплитуда, м'):
        break
check('the terms copy out as a table', copied == 'Амплитуда, м\tНачальная фаза, в долях π\n0.5\t0\n0.25\t1\n0.125\t0\n',
      repr(copied))

# The About box: its one button is a standard one, named by Qt.
# Its action would wait on the modal box, so it is clicked.
heard.clear()
click(696 + 40, 480)
pump(5, lambda: any(role == 'push button' and name != 'О программе' for role, name in heard))
buttons = [name for role, name in heard if role == 'push button' and name != 'О программе']
check('the About box\'s button is heard in Russian', buttons and russian(buttons[-1]), heard)
xdotool('key', 'Return')

print(f'{passed} passed, {len(failures)} failed')
sys.exit(1 if failures else 0)
