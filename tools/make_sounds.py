#!/usr/bin/env python3
"""Synthesises the three alarm sounds into resources/.

Only the standard library; the output is byte-for-byte reproducible.
Run from anywhere: python3 tools/make_sounds.py
"""

import math
import pathlib
import struct
import wave

RATE = 22050
HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent / "resources"


def note(freq):
    """Frequency of a note name such as 'C6' (equal temperament, A4 = 440 Hz)."""
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = names[freq[0]] + 12 * (int(freq[-1]) - 4)
    if "#" in freq:
        semis += 1
    return 440.0 * 2 ** (semis / 12)


def strike(buf, start, freq, partials, gain, attack=0.006):
    """Adds one struck tone: decaying partials under a raised-cosine attack.

    partials: (frequency ratio, relative amplitude, decay time in seconds).
    """
    first = int(start * RATE)
    attack_n = max(1, int(attack * RATE))
    for i in range(first, len(buf)):
        t = (i - first) / RATE
        env = 0.5 - 0.5 * math.cos(math.pi * (i - first) / attack_n) if i - first < attack_n else 1.0
        s = 0.0
        for ratio, amp, decay in partials:
            s += amp * math.exp(-t / decay) * math.sin(2 * math.pi * freq * ratio * t)
        buf[i] += gain * env * s


def finish(buf, peak, fade=0.12):
    """Normalises to the peak and fades the tail to true silence."""
    top = max(abs(x) for x in buf) or 1.0
    n = len(buf)
    fade_n = int(fade * RATE)
    out = []
    for i, x in enumerate(buf):
        y = x / top * peak
        if i >= n - fade_n:
            y *= 0.5 + 0.5 * math.cos(math.pi * (i - (n - fade_n)) / fade_n)
        out.append(y)
    return out


def write(name, samples, width):
    # An even data size needs no RIFF pad byte, which some readers mishandle.
    if len(samples) * width % 2:
        samples = samples[:-1]
    path = OUT / name
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(width)
        w.setframerate(RATE)
        if width == 1:
            frames = bytes(max(0, min(255, 128 + round(s * 127))) for s in samples)
        else:
            frames = b"".join(struct.pack("<h", max(-32767, min(32767, round(s * 32767)))) for s in samples)
        w.writeframes(frames)
    print(f"{path.name}: {len(samples)} frames, {len(samples) / RATE:.3f} s, {8 * width} bit")


# A glockenspiel-like bar: bright but short-lived upper partials.
BELL = [(1.0, 1.0, 0.55), (2.0, 0.22, 0.25), (3.0, 0.08, 0.12)]
# A warm door chime: fundamental with a soft octave.
CHIME = [(1.0, 1.0, 0.60), (2.0, 0.15, 0.30), (0.5, 0.10, 0.50)]
# A marimba-like mallet: the fourth partial of a tuned bar, dying fast.
MALLET = [(1.0, 1.0, 0.35), (4.0, 0.12, 0.06)]


def timer1():
    buf = [0.0] * int(1.6 * RATE)
    for k, name in enumerate(["C6", "E6", "G6"]):
        strike(buf, 0.18 * k, note(name), BELL, 1.0)
    strike(buf, 0.54, note("C7"), BELL, 0.55)
    return finish(buf, 0.80)


def timer2():
    buf = [0.0] * round(1.25 * RATE)
    strike(buf, 0.00, note("E5"), CHIME, 1.0, attack=0.010)
    strike(buf, 0.42, note("C5"), CHIME, 1.0, attack=0.010)
    return finish(buf, 0.70, fade=0.15)


def timer3():
    buf = [0.0] * int(1.5 * RATE)
    for k, name in enumerate(["G5", "B5", "D6", "G6"]):
        strike(buf, 0.11 * k, note(name), MALLET, 1.0, attack=0.004)
    strike(buf, 0.62, note("D6"), MALLET, 0.7, attack=0.004)
    strike(buf, 0.62, note("G6"), MALLET, 0.7, attack=0.004)
    return finish(buf, 0.80, fade=0.20)


if __name__ == "__main__":
    write("TIMER1.wav", timer1(), 1)
    write("TIMER2.wav", timer2(), 2)
    write("TIMER3.wav", timer3(), 1)
