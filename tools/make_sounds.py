#!/usr/bin/env python3
"""Synthesises the show's four sound effects as 8-bit mono PCM WAVE files.

    tools/make_sounds.py [OUTPUT_DIR]      (default: resources/ next to this script)

  launch.wav    8000 Hz, 1.6 s   ignition puff, then a rising whistle over a whoosh that climbs and fades
  burst.wav    16000 Hz, 2.25 s  sharp crack, deep boom falling in pitch, rumble with two late echoes
  fountain.wav  8000 Hz, 3.8 s   hissing, sizzling spray with sparkles over a low roar ("fact" chunk)
  crackle.wav   8000 Hz, 2.0 s   sparse random pops, single and in little clusters ("fact" chunk)

Only the standard library; the noise comes from our own xorshift generator with fixed seeds, so the
output is the same byte for byte on every run and every machine.
"""
import math
import os
import struct
import sys


class Noise:
    """xorshift32: white noise in [-1, 1) and uniform numbers in [0, 1)."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF or 1

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x

    def uniform(self):
        return self.next() / 4294967296.0

    def white(self):
        return self.uniform() * 2.0 - 1.0


class Biquad:
    """Band-pass (constant peak gain) whose centre frequency may change every sample."""

    def __init__(self, rate, q):
        self.rate, self.q = rate, q
        self.x1 = self.x2 = self.y1 = self.y2 = 0.0

    def run(self, x, centre):
        w = 2.0 * math.pi * centre / self.rate
        alpha = math.sin(w) / (2.0 * self.q)
        a0 = 1.0 + alpha
        b0, b2 = alpha / a0, -alpha / a0
        a1, a2 = -2.0 * math.cos(w) / a0, (1.0 - alpha) / a0
        y = b0 * x + b2 * self.x2 - a1 * self.y1 - a2 * self.y2
        self.x2, self.x1 = self.x1, x
        self.y2, self.y1 = self.y1, y
        return y


class OnePole:
    """One-pole low-pass; high() gives the matching high-pass of the same input."""

    def __init__(self, rate, cutoff):
        self.rate = rate
        self.y = 0.0
        self.set(cutoff)

    def set(self, cutoff):
        self.k = 1.0 - math.exp(-2.0 * math.pi * cutoff / self.rate)

    def low(self, x):
        self.y += self.k * (x - self.y)
        return self.y

    def high(self, x):
        return x - self.low(x)


def smoothstep(t, start, end):
    if t <= start:
        return 0.0
    if t >= end:
        return 1.0
    u = (t - start) / (end - start)
    return u * u * (3.0 - 2.0 * u)


def normalise(samples, peak):
    top = max(abs(s) for s in samples) or 1.0
    return [s * peak / top for s in samples]


def launch(rate=8000, seconds=1.6):
    noise = Noise(0x1A0C4)
    band = Biquad(rate, 1.4)
    thump = OnePole(rate, 300.0)
    out = []
    phase = 0.0
    for i in range(int(rate * seconds)):
        t = i / rate
        # Ignition: a dull puff of low noise in the first tenth of a second.
        puff = thump.low(noise.white()) * math.exp(-t / 0.03) * 3.0
        # Whoosh: noise in a band that climbs from 400 Hz to 2200 Hz as the rocket rises away.
        rise = min(t / seconds, 1.0)
        centre = 400.0 * (2200.0 / 400.0) ** rise
        fade = smoothstep(t, 0.02, 0.18) * (1.0 - smoothstep(t, 0.9, seconds))
        whoosh = band.run(noise.white(), centre) * fade * 1.6
        # Whistle: a tone sweeping from 900 Hz to 3000 Hz, with a little flutter.
        freq = 900.0 * (3000.0 / 900.0) ** (rise ** 0.8) + 25.0 * math.sin(2.0 * math.pi * 11.0 * t)
        phase += 2.0 * math.pi * freq / rate
        whistle = math.sin(phase) * smoothstep(t, 0.08, 0.3) * (1.0 - smoothstep(t, 1.1, seconds)) * 0.45
        out.append(puff + whoosh + whistle)
    return normalise(out, 0.9)


def burst(rate=16000, seconds=2.25):
    noise = Noise(0xB0045)
    low1, low2 = OnePole(rate, 260.0), OnePole(rate, 260.0)
    wobble = OnePole(rate, 6.0)
    dry = []
    phase = 0.0
    for i in range(int(rate * seconds)):
        t = i / rate
        # Crack: a few milliseconds of bright noise as the shell breaks.
        crack = noise.white() * math.exp(-t / 0.004) * 0.9
        # Boom: a deep tone falling from 110 Hz to 40 Hz.
        freq = 40.0 + 70.0 * math.exp(-t / 0.15)
        phase += 2.0 * math.pi * freq / rate
        boom = math.sin(phase) * smoothstep(t, 0.0, 0.006) * math.exp(-t / 0.35)
        # Rumble: low noise that darkens and dies away, slowly wavering.
        cutoff = 260.0 - 140.0 * min(t / seconds, 1.0)
        low1.set(cutoff)
        low2.set(cutoff)
        waver = 1.0 + 8.0 * wobble.low(noise.white())
        rumble = low2.low(low1.low(noise.white())) * 9.0 * math.exp(-t / 0.7) * smoothstep(t, 0.0, 0.02) * waver
        dry.append(crack + boom + rumble)
    # Two echoes off distant walls, duller and quieter than the bang itself.
    out = list(dry)
    for delay, gain in ((0.38, 0.35), (0.85, 0.2)):
        shift = int(rate * delay)
        dull = OnePole(rate, 500.0)
        for i in range(shift, len(out)):
            out[i] += dull.low(dry[i - shift]) * gain
    tail = int(rate * 0.3)
    for i in range(len(out) - tail, len(out)):
        out[i] *= (len(out) - i) / tail
    return normalise([math.tanh(1.5 * s) for s in normalise(out, 1.0)], 0.95)


def fountain(rate=8000, seconds=3.8):
    noise = Noise(0xF0417)
    hiss = OnePole(rate, 1500.0)
    roar1, roar2 = OnePole(rate, 180.0), OnePole(rate, 180.0)
    sparkle_tone = OnePole(rate, 2500.0)
    out = []
    grain_left, grain_gain = 0, 1.0
    sparkle = 0.0
    for i in range(int(rate * seconds)):
        t = i / rate
        envelope = smoothstep(t, 0.0, 0.35) * (1.0 - smoothstep(t, seconds - 0.7, seconds))
        envelope *= 0.85 + 0.15 * math.sin(2.0 * math.pi * 0.7 * t)
        # Sizzle: high hiss whose loudness jumps every few milliseconds, like sparks spitting.
        if grain_left == 0:
            grain_left = 24 + int(noise.uniform() * 60)
            grain_gain = 0.35 + 0.65 * noise.uniform() ** 2
        grain_left -= 1
        sizzle = hiss.high(noise.white()) * grain_gain
        # Sparkles: bright ticks, about 80 a second, each gone within a couple of milliseconds.
        if noise.uniform() < 80.0 / rate:
            sparkle = 0.5 + 0.8 * noise.uniform()
        sparkle *= 0.86
        tick = sparkle_tone.high(noise.white()) * sparkle
        # Roar: the low rush of the burning charge underneath.
        roar = roar2.low(roar1.low(noise.white())) * 1.2
        out.append((sizzle * 1.4 + tick + roar) * envelope)
    return normalise(out, 0.85)


def crackle(rate=8000, seconds=2.0):
    noise = Noise(0xC4AC1)
    count = int(rate * seconds) | 1  # an odd length, so the data chunk carries a pad byte
    out = [0.0] * count
    i = int(rate * 0.04)
    while i < count:
        t = i / rate
        # A dozen or so a second at first, thinning out towards the end.
        per_second = 12.0 * (1.0 - smoothstep(t, 0.8, 1.8)) + 1.0
        i += int(-math.log(1.0 - noise.uniform()) * rate / per_second) + 1
        if i >= count - rate * 0.1:
            break
        pops = 1 if noise.uniform() < 0.55 else 2 + int(noise.uniform() * 3)
        start = i
        for _ in range(pops):
            size = 0.3 + 0.7 * noise.uniform()
            decay = rate * (0.0004 + 0.0012 * noise.uniform())
            dull = OnePole(rate, 900.0 + 2500.0 * noise.uniform())
            for k in range(int(decay * 6)):
                if start + k < count:
                    out[start + k] += dull.low(noise.white()) * size * math.exp(-k / decay) * 3.0
            start += int(rate * (0.006 + 0.02 * noise.uniform()))
    return normalise(out, 0.95)


def to_bytes(samples):
    return bytes(max(0, min(255, int(round(128.0 + 127.0 * s)))) for s in samples)


def chunk(cid, payload):
    pad = b"\0" if len(payload) % 2 else b""
    return cid + struct.pack("<I", len(payload)) + payload + pad


def wave(rate, samples, fact=False, format_size=16):
    data = to_bytes(samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    if format_size == 18:
        fmt += struct.pack("<H", 0)
    body = b"WAVE" + chunk(b"fmt ", fmt)
    if fact:
        body += chunk(b"fact", struct.pack("<I", len(data)))
    body += chunk(b"data", data)
    return chunk(b"RIFF", body)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    files = {
        "launch.wav": wave(8000, launch()),
        "burst.wav": wave(16000, burst()),
        "fountain.wav": wave(8000, fountain(), fact=True, format_size=18),
        "crackle.wav": wave(8000, crackle(), fact=True),
    }
    for name, contents in files.items():
        with open(os.path.join(target, name), "wb") as f:
            f.write(contents)


if __name__ == "__main__":
    main()
