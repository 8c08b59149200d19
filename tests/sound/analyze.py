"""Checks a recording of the square wave played at 220 Hz, and of the same
terms with random phases: raw mono float32 at 44100 Hz, as parec writes it."""
import cmath
import math
import struct
import sys

RATE = 44100


def samples(path):
    data = open(path, 'rb').read()
    return list(struct.unpack(f'<{len(data) // 4}f', data[:len(data) // 4 * 4]))


def sound_of(x):
    """The stretch of the recording that holds the sound."""
    loud = [i for i, v in enumerate(x) if abs(v) > 0.002]
    return x[loud[0]:loud[-1] + 1] if loud else []


def component(x, frequency):
    """The complex amplitude at a frequency over whole seconds of x (a DFT bin)."""
    w = -2j * math.pi * frequency / RATE
    return 2 * sum(v * cmath.exp(w * k) for k, v in enumerate(x)) / len(x)


failures = []


def check(description, condition, detail):
    print(('ok: ' if condition else 'FAIL: ') + description, detail)
    if not condition:
        failures.append(description)


def harmonics(name, x):
    sound = sound_of(x)
    check(f'{name}: about two seconds of sound', 1.9 <= len(sound) / RATE <= 2.1, f'{len(sound) / RATE:.3f} s')
    if len(sound) < RATE + 2000:
        return sound, {}
    check(f'{name}: no sample at full scale', max(abs(v) for v in sound) < 0.99, f'{max(abs(v) for v in sound):.3f}')
    edge = int(0.002 * RATE)
    middle = max(abs(v) for v in sound[RATE // 2:RATE])
    ends = max(abs(v) for v in sound[:edge] + sound[-edge:])
    check(f'{name}: fades at both ends', ends < 0.3 * middle, f'{ends:.3f} in the first and last 2 ms, {middle:.3f} inside')
    second = sound[RATE // 4:RATE // 4 + RATE]  # one whole second: 220 periods
    found = max((abs(component(second[:RATE // 4], 220 + d / 10)), 220 + d / 10) for d in range(-20, 21))[1]
    check(f'{name}: the fundamental at 220 Hz', abs(found - 220) <= 1, f'{found:.1f} Hz')
    return sound, {n: component(second, 220 * n) for n in range(1, 8)}


square, a = harmonics('square wave', samples(sys.argv[1]))
random_phases, b = harmonics('random phases', samples(sys.argv[2]))
if a and b:
    for n in (3, 5, 7):
        ratio = abs(a[n]) / abs(a[1])
        check(f'harmonic {n} at 1/{n} of the fundamental', abs(ratio * n - 1) <= 0.05, f'{ratio:.4f}')
        same = abs(b[n]) / abs(b[1])
        check(f'harmonic {n} as strong with random phases', abs(same / ratio - 1) <= 0.05, f'{same:.4f}')
    for n in (2, 4, 6):
        check(f'harmonic {n} silent', abs(a[n]) < 0.01 * abs(a[1]), f'{abs(a[n]) / abs(a[1]):.5f}')
    # Each harmonic's phase against the fundamental's: fixed for the square wave, random otherwise.
    shifts = [abs(cmath.phase((b[n] / b[1] ** n) / (a[n] / a[1] ** n))) for n in (3, 5, 7)]
    check('random phases change the samples', max(shifts) > 0.3, [f'{s:.2f}' for s in shifts])
print(f'{len(failures) == 0 and "all" or "some"} checks of the recording done: {len(failures)} failed')
sys.exit(1 if failures else 0)
