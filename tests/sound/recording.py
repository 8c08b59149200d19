"""The sounds the recording test plays, and the checks of what the program
made of them: raw mono float32 at 44100 Hz, as pacat plays and parec writes.

    recording.py tone FILE      4 s of 196 Hz with harmonics n = 1..10 of
                                amplitude 1/n and the phases PHASES
    recording.py noise FILE     4 s of white noise
    recording.py terms TABLE    checks the terms the program copied: A(n)/A(1)
                                within 2 % and the phases relative to the
                                fundamental's within 0.02 pi, for n <= 10
    recording.py pitch FILE     checks that the sound the program played has
                                its fundamental within 0.5 Hz of 196 Hz

Every check prints what it found; exit status 1 on a fault."""
import cmath
import math
import random
import struct
import sys

RATE = 44100
PITCH = 196.0
# The sine phases of harmonics 1..10, in units of pi.
PHASES = [0.3, 1.1, 0.2, 1.7, 0.9, 0.4, 1.5, 0.8, 1.2, 0.6]


def write(path, values):
    open(path, 'wb').write(struct.pack(f'<{len(values)}f', *values))


def samples(path):
    data = open(path, 'rb').read()
    return list(struct.unpack(f'<{len(data) // 4}f', data[:len(data) // 4 * 4]))


def tone(path):
    count = 4 * RATE
    write(path, [0.25 * sum(math.sin(2 * math.pi * n * PITCH * k / RATE + math.pi * PHASES[n - 1]) / n
                            for n in range(1, 11)) for k in range(count)])


def noise(path):
    generator = random.Random(5)
    write(path, [max(-1.0, min(1.0, generator.gauss(0, 0.1))) for _ in range(4 * RATE)])


def distance(a, b):
    d = math.fmod(abs(a - b), 2.0)
    return min(d, 2 - d)


def terms(path):
    rows = [line.split('\t') for line in open(path, encoding='utf-8').read().splitlines()[1:] if line]
    amplitudes = [float(row[0]) for row in rows]
    phases = [float(row[1]) for row in rows]
    faults = 0
    if len(rows) < 10:
        print(f'FAIL: {len(rows)} terms copied, not 10 or more')
        return 1
    # In the sine basis, the window's at start, with the time origin moved so
    # that the fundamental's phase is 0.
    for n in range(1, 11):
        ratio = amplitudes[n - 1] / amplitudes[0]
        expected_phase = math.fmod(PHASES[n - 1] - n * PHASES[0], 2.0) % 2.0
        ratio_error = abs(ratio * n - 1)
        phase_error = distance(phases[n - 1], expected_phase)
        good = ratio_error <= 0.02 and phase_error <= 0.02
        faults += not good
        print(f'{"ok" if good else "FAIL"}: harmonic {n}: A(n)/A(1) = {ratio:.5f} (1/{n} = {1 / n:.5f}, '
              f'off {100 * ratio_error:.2f} %), phase {phases[n - 1]:.4f} pi '
              f'(expected {expected_phase:.4f} pi, off {phase_error:.4f} pi)')
    largest = max(amplitudes)
    good = abs(largest - 1) < 1e-9
    faults += not good
    print(f'{"ok" if good else "FAIL"}: the largest amplitude is {largest} m')
    return 1 if faults else 0


def pitch(path):
    """The fundamental of the played sound from the turn of its phase over a
    second, measured first over a twentieth of a second to know the turns."""
    x = samples(path)
    loud = [i for i, v in enumerate(x) if abs(v) > 0.002]
    if not loud or loud[-1] - loud[0] < 1.5 * RATE:
        print('FAIL: no sound of 1.5 s or more was played')
        return 1
    start = loud[0] + RATE // 10
    length = RATE // 10

    def phase_at(at, frequency):
        total = 0
        for k in range(length):
            window = 0.5 - 0.5 * math.cos(2 * math.pi * k / length)
            total += x[at + k] * window * cmath.exp(-2j * math.pi * frequency * (at + k) / RATE)
        return cmath.phase(total)

    frequency = PITCH
    for gap in (RATE // 20, RATE):
        turn = phase_at(start + gap, frequency) - phase_at(start, frequency)
        turn = (turn + math.pi) % (2 * math.pi) - math.pi
        frequency += turn / (2 * math.pi) * RATE / gap
    good = abs(frequency - PITCH) <= 0.5
    print(f'{"ok" if good else "FAIL"}: played back at the recorded pitch, {frequency:.3f} Hz (the tone: {PITCH} Hz)')
    return 0 if good else 1


if __name__ == '__main__':
    command, path = sys.argv[1], sys.argv[2]
    if command == 'tone':
        tone(path)
    elif command == 'noise':
        noise(path)
    else:
        sys.exit({'terms': terms, 'pitch': pitch}[command](path))
