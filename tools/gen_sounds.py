#!/usr/bin/env python3
"""Synthesises the program's sounds as PCM WAV, which the program decodes once and replays from
memory: a calm background loop (00.wav) and four short effects (01.wav opening, 02.wav page
switch, 03.wav logo, 04.wav click).

usage: gen_sounds.py OUTPUT_DIR
"""
import math
import os
import random
import struct
import sys
import wave

RATE = 44100


def write_wav(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        peak = max(1e-9, max(abs(s) for s in samples))
        scale = 0.8 * 32767 / peak
        w.writeframes(b"".join(struct.pack("<h", int(s * scale)) for s in samples))


def tone(freq, t):
    return math.sin(2 * math.pi * freq * t)


def envelope(t, attack, length):
    if t < attack:
        return t / attack
    return max(0.0, 1 - (t - attack) / max(1e-9, length - attack)) ** 2


def background(seconds=6.0):
    # A soft A-minor pad whose slow swell has a whole number of periods, so the loop is seamless.
    chord = [110.0, 164.81, 220.0, 261.63, 329.63]
    n = int(RATE * seconds)
    out = []
    for i in range(n):
        t = i / RATE
        swell = 0.6 + 0.4 * math.sin(2 * math.pi * t / seconds) ** 2
        s = sum(tone(f, t) * (0.5 + 0.5 * math.sin(2 * math.pi * t * (k + 1) / seconds)) for k, f in enumerate(chord))
        out.append(s * swell)
    return out


def opening(seconds=1.2):
    # A rising sweep that lands on a bright fifth.
    out = []
    phase = 0.0
    for i in range(int(RATE * seconds)):
        t = i / RATE
        freq = 220 + 660 * min(1.0, t / 0.5)
        phase += 2 * math.pi * freq / RATE
        s = math.sin(phase) * (0.6 if t < 0.5 else 0.2)
        if t >= 0.45:
            s += (tone(880, t) + 0.6 * tone(1318.5, t)) * envelope(t - 0.45, 0.01, seconds - 0.45)
        out.append(s * envelope(t, 0.02, seconds))
    return out


def swoosh(seconds=0.25):
    # Filtered noise whose cutoff glides down: a short page slide.
    rnd = random.Random(7)
    out, low = [], 0.0
    for i in range(int(RATE * seconds)):
        t = i / RATE
        alpha = 0.35 * (1 - t / seconds) + 0.02
        low += alpha * (rnd.uniform(-1, 1) - low)
        out.append(low * envelope(t, 0.03, seconds))
    return out


def chime(seconds=0.6):
    return [(tone(1046.5, i / RATE) + 0.5 * tone(1568, i / RATE)) * envelope(i / RATE, 0.005, seconds)
            for i in range(int(RATE * seconds))]


def click(seconds=0.05):
    return [tone(2000, i / RATE) * envelope(i / RATE, 0.001, seconds) for i in range(int(RATE * seconds))]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    sounds = (("00.wav", background()), ("01.wav", opening()), ("02.wav", swoosh()),
              ("03.wav", chime()), ("04.wav", click()))
    for name, samples in sounds:
        write_wav(os.path.join(out, name), samples)


if __name__ == "__main__":
    main()
