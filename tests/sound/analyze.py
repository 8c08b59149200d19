"""Checks recordings of the square wave played at 220 Hz and of the same
terms with random phases: raw mono float32 at 44100 Hz, as parec writes it.

    analyze.py SQUARE [RANDOM]   checks one or both; exit status 1 on a fault
    analyze.py --term N ALONE WITHOUT
                                 checks term N of the square wave played
                                 alone, and the square wave without it
    analyze.py --ended FILE SECONDS
                                 waits up to SECONDS for FILE to hold a sound
                                 that has ended (a tenth of a second of quiet
                                 after it); exit status 1 if it does not

Every check prints what it found; a failing run also prints where the sound
was taken to start and end, its level there, and every stretch of digital
silence inside it, which is what a break in the sound leaves."""
import array
import cmath
import math
import struct
import sys
import time

RATE = 44100
QUIET = 0.002


def samples(path):
    data = open(path, 'rb').read()
    return list(struct.unpack(f'<{len(data) // 4}f', data[:len(data) // 4 * 4]))


def sound_span(x):
    """First and last sample of the stretch of the recording that holds the sound."""
    loud = [i for i, v in enumerate(x) if abs(v) > QUIET]
    return (loud[0], loud[-1] + 1) if loud else (0, 0)


def silences(sound, longest=1e-3):
    """Runs of exact zeros inside the sound longer than `longest` seconds: a
    sum of terms passes through zero, it does not stay there."""
    runs, start = [], None
    for i, v in enumerate(sound + [1.0]):
        if v == 0.0:
            start = i if start is None else start
        else:
            if start is not None and i - start > longest * RATE:
                runs.append((start, i))
            start = None
    return runs


def component(x, frequency):
    """The complex amplitude at a frequency over whole seconds of x (a DFT bin)."""
    w = -2j * math.pi * frequency / RATE
    return 2 * sum(v * cmath.exp(w * k) for k, v in enumerate(x)) / len(x)


failures = []


def check(description, condition, detail):
    print(('ok: ' if condition else 'FAIL: ') + description, detail)
    if not condition:
        failures.append(description)


def view(name, x, span):
    """How the analysis saw the recording: for the artefacts of a failing run."""
    begin, end = span
    block = RATE // 100
    level = lambda a, b: f'{max((abs(v) for v in x[a:b]), default=0):.3f}'
    print(f'  {name}: {len(x) / RATE:.3f} s recorded, sound taken from {begin / RATE:.4f} s to {end / RATE:.4f} s')
    print('  peak per 10 ms at its start:', [level(begin + k * block, begin + (k + 1) * block) for k in range(6)])
    print('  peak per 10 ms at its end:  ', [level(end - (k + 1) * block, end - k * block) for k in reversed(range(6))])
    for a, b in silences(x[begin:end]):
        print(f'  digital silence from {(begin + a) / RATE:.4f} s for {(b - a) * 1000 / RATE:.1f} ms')


def harmonics(name, x):
    span = sound_span(x)
    sound = x[span[0]:span[1]]
    count = len(failures)
    check(f'{name}: about two seconds of sound', 1.9 <= len(sound) / RATE <= 2.1, f'{len(sound) / RATE:.3f} s')
    if len(sound) < RATE + 2000:
        view(name, x, span)
        return {}
    check(f'{name}: no sample at full scale', max(abs(v) for v in sound) < 0.99, f'{max(abs(v) for v in sound):.3f}')
    breaks = silences(sound)
    check(f'{name}: no break in the sound', not breaks,
          ', '.join(f'{(b - a) * 1000 / RATE:.1f} ms of silence at {a / RATE:.3f} s' for a, b in breaks))
    edge = int(0.002 * RATE)
    middle = max(abs(v) for v in sound[RATE // 2:RATE])
    ends = max(abs(v) for v in sound[:edge] + sound[-edge:])
    check(f'{name}: fades at both ends', ends < 0.3 * middle, f'{ends:.3f} in the first and last 2 ms, {middle:.3f} inside')
    second = sound[RATE // 4:RATE // 4 + RATE]  # one whole second: 220 periods
    found = max((abs(component(second[:RATE // 4], 220 + d / 10)), 220 + d / 10) for d in range(-20, 21))[1]
    check(f'{name}: the fundamental at 220 Hz', abs(found - 220) <= 1, f'{found:.1f} Hz')
    if len(failures) > count:
        view(name, x, span)
    return {n: component(second, 220 * n) for n in range(1, 8)}


def wait_until_ended(path, seconds):
    """Reads the growing recording as it comes, in one process that sleeps
    between reads, so that waiting takes no time from the sound it waits for."""
    deadline = time.monotonic() + seconds
    heard = False
    quiet = 0  # samples of quiet since the last loud one
    with open(path, 'rb') as recording:
        pending = b''
        while True:
            pending += recording.read()
            whole = len(pending) // 4 * 4
            for v in array.array('f', pending[:whole]):
                if abs(v) > QUIET:
                    heard, quiet = True, 0
                else:
                    quiet += 1
            pending = pending[whole:]
            if heard and quiet > RATE // 10:
                return True
            if time.monotonic() > deadline:
                return False
            time.sleep(0.05)


def lines(name, x):
    """The lines at 220 n Hz, n = 1..9, over one whole second of the sound."""
    span = sound_span(x)
    sound = x[span[0]:span[1]]
    check(f'{name}: about two seconds of sound', 1.9 <= len(sound) / RATE <= 2.1, f'{len(sound) / RATE:.3f} s')
    if len(sound) < RATE + RATE // 2:
        view(name, x, span)
        return {}
    second = sound[RATE // 4:RATE // 4 + RATE]
    return {n: abs(component(second, 220 * n)) for n in range(1, 10)}


def check_term(n, alone, without):
    a = lines(f'harmonic {n} alone', alone)
    if a:
        others = max(v for k, v in a.items() if k != n)
        check(f'harmonic {n} alone: its line at {220 * n} Hz, no other above 1 %', others < 0.01 * a[n],
              f'{a[n]:.4f}; the largest other {others:.6f}')
    b = lines(f'the sum without harmonic {n}', without)
    if b:
        check(f'the sum without harmonic {n}: its line below 1 % of the fundamental', b[n] < 0.01 * b[1],
              f'{b[n] / b[1]:.6f}')
        kept = [k for k in (3, 5, 7) if k != n]
        check(f'the sum without harmonic {n}: the other odd lines kept', all(
            abs(b[k] / b[1] * k - 1) <= 0.05 for k in kept), [f'{b[k] / b[1]:.4f}' for k in kept])


if sys.argv[1] == '--ended':
    sys.exit(0 if wait_until_ended(sys.argv[2], float(sys.argv[3])) else 1)
if sys.argv[1] == '--term':
    check_term(int(sys.argv[2]), samples(sys.argv[3]), samples(sys.argv[4]))
    print(f'{len(failures) == 0 and "all" or "some"} checks of the recordings done: {len(failures)} failed')
    sys.exit(1 if failures else 0)

a = harmonics('square wave', samples(sys.argv[1]))
if a:
    for n in (3, 5, 7):
        check(f'harmonic {n} at 1/{n} of the fundamental', abs(abs(a[n]) / abs(a[1]) * n - 1) <= 0.05,
              f'{abs(a[n]) / abs(a[1]):.4f}')
    for n in (2, 4, 6):
        check(f'harmonic {n} silent', abs(a[n]) < 0.01 * abs(a[1]), f'{abs(a[n]) / abs(a[1]):.5f}')
if len(sys.argv) > 2:
    b = harmonics('random phases', samples(sys.argv[2]))
    if a and b:
        for n in (3, 5, 7):
            ratio = abs(a[n]) / abs(a[1])
            same = abs(b[n]) / abs(b[1])
            check(f'harmonic {n} as strong with random phases', abs(same / ratio - 1) <= 0.05, f'{same:.4f}')
        # Each harmonic's phase against the fundamental's: fixed for the square wave, random otherwise.
        shifts = [abs(cmath.phase((b[n] / b[1] ** n) / (a[n] / a[1] ** n))) for n in (3, 5, 7)]
        check('random phases change the samples', max(shifts) > 0.3, [f'{s:.2f}' for s in shifts])
print(f'{len(failures) == 0 and "all" or "some"} checks of the recording done: {len(failures)} failed')
sys.exit(1 if failures else 0)
