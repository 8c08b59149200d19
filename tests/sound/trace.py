"""Checks a recording of the plot heard («Озвучить график») for the start
values, the sine of amplitude 1 over two periods with the largest visible
coordinate 1: raw stereo float32 at 44100 Hz, as parec writes it.

    trace.py FILE SECONDS    exit status 1 on a fault

The curve sin(pi t) over the SECONDS of the trace is played as a tone of
110 * 8^((v + 1) / 2) Hz: the pitch, measured in 50 ms windows by the
upward swings of the tone through a band about zero (which the noise cannot
cross), must be within a semitone of the mean pitch the curve asks for
there. Noise, seen as the size of the sound's second differences (small for
a tone below 1 kHz, large for noise), must be in the negative halves only.
Windows within 60 ms of the curve's zero crossings, which carry a click,
are left out. The sound goes from the left ear to the right with the time:
the left channel is the louder in the first quarter, the right in the last.
The pitch and the noise are read from the two channels added."""
import math
import struct
import sys

RATE = 44100
QUIET = 0.002
WINDOW = RATE // 20
SEMITONE = 2 ** (1 / 12)

data = open(sys.argv[1], 'rb').read()
SECONDS = float(sys.argv[2])
SCALE = SECONDS / 4  # the checks' times are written for a trace of 4 s
interleaved = struct.unpack(f'<{len(data) // 8 * 2}f', data[:len(data) // 8 * 8])
left, right = interleaved[0::2], interleaved[1::2]
x = [a + b for a, b in zip(left, right)]
loud = [i for i, v in enumerate(x) if abs(v) > QUIET]
begin, end = (loud[0], loud[-1] + 1) if loud else (0, 0)
sound = x[begin:end]
failures = []


def check(description, condition, detail):
    print(('ok: ' if condition else 'FAIL: ') + description, detail)
    if not condition:
        failures.append(description)


def expected_pitch(t):
    """The pitch the trace plays at t seconds: the plot's column there, its value, its pitch."""
    column = 657 * t / SECONDS
    v = math.sin(6.283 * column * 2 / 657)
    return 110 * 8 ** ((max(-1.0, min(1.0, v)) + 1) / 2)


def measured_pitch(w):
    """Upward swings from below -0.15 to above +0.15, timed where they pass 0."""
    armed, times = False, []
    for i in range(1, len(w)):
        if w[i] < -0.15:
            armed = True
        elif armed and w[i] > 0.15:
            armed = False
            j = i
            while j > 0 and w[j - 1] > 0:
                j -= 1
            times.append(j - w[j - 1] / (w[j] - w[j - 1]) if j > 0 and w[j] != w[j - 1] else float(j))
    if len(times) < 3:
        return 0.0
    return (len(times) - 1) * RATE / (times[-1] - times[0])


check(f'the trace lasts {SECONDS:g} s within 1 %', abs(len(sound) / RATE - SECONDS) <= 0.01 * SECONDS,
      f'{len(sound) / RATE:.3f} s')
quarter = (end - begin) // 4
energy = lambda channel, a, b: sum(v * v for v in channel[a:b])
first = (energy(left, begin, begin + quarter), energy(right, begin, begin + quarter))
last = (energy(left, end - quarter, end), energy(right, end - quarter, end))
check('the left channel is the louder in the first quarter', first[0] > 2 * first[1],
      f'left {first[0]:.1f}, right {first[1]:.1f}')
check('the right channel is the louder in the last quarter', last[1] > 2 * last[0],
      f'left {last[0]:.1f}, right {last[1]:.1f}')
off_pitch, noisy_where_positive, clean_where_negative = [], [], []
pitches = []
for start in range(0, len(sound) - WINDOW, WINDOW):
    t0, t1 = start / RATE, (start + WINDOW) / RATE
    crossings = [c * SCALE for c in (0, 1, 2, 3, 4)]
    near_crossing = any(abs(t - c) < 0.06 for c in crossings for t in (t0, t1)) or \
        any(t0 < c < t1 for c in crossings[1:4])
    if near_crossing:
        continue
    w = sound[start:start + WINDOW]
    wanted = sum(expected_pitch((start + k) / RATE) for k in range(0, WINDOW, 21)) / len(range(0, WINDOW, 21))
    found = measured_pitch(w)
    pitches.append((t0, found))
    if not (wanted / SEMITONE <= found <= wanted * SEMITONE):
        off_pitch.append(f'{t0:.2f} s: {found:.1f} Hz for {wanted:.1f}')
    roughness = math.sqrt(sum((w[k + 1] - 2 * w[k] + w[k - 1]) ** 2 for k in range(1, len(w) - 1)) / (len(w) - 2))
    negative = math.sin(math.pi * (t0 + t1) / 2 / SCALE) < 0
    if not negative and roughness > 0.02:
        noisy_where_positive.append(f'{t0:.2f} s: {roughness:.3f}')
    if negative and roughness < 0.05:
        clean_where_negative.append(f'{t0:.2f} s: {roughness:.3f}')

check('the pitch follows the curve within a semitone in every window', pitches and not off_pitch,
      ', '.join(off_pitch[:8]) or f'{len(pitches)} windows')
for label, a, b, test in (('rises to 880 Hz in the first period', 0.3, 0.7, lambda p: p >= 880 / SEMITONE),
                          ('falls to 110 Hz in the first period', 1.3, 1.7, lambda p: 0 < p <= 110 * SEMITONE),
                          ('rises to 880 Hz in the second period', 2.3, 2.7, lambda p: p >= 880 / SEMITONE),
                          ('falls to 110 Hz in the second period', 3.3, 3.7, lambda p: 0 < p <= 110 * SEMITONE)):
    inside = [p for t, p in pitches if a * SCALE <= t <= b * SCALE]
    check(label, any(map(test, inside)), ', '.join(f'{p:.0f}' for p in inside))
check('no noise where the curve is above 0', not noisy_where_positive, ', '.join(noisy_where_positive[:8]))
check('noise where the curve is below 0', not clean_where_negative, ', '.join(clean_where_negative[:8]))
if failures:
    print(f'  the sound taken from {begin / RATE:.4f} s to {end / RATE:.4f} s of {len(x) / RATE:.3f} s recorded')
sys.exit(1 if failures else 0)
