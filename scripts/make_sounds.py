#!/usr/bin/python3
"""Synthesise every sound the game plays.

Run from anywhere:   /usr/bin/python3 scripts/make_sounds.py

Writes
  assets/sounds/<name>.wav  for turn, step, fire, hit, kill, winner, draw
      16-bit mono PCM at 22050 Hz, compiled into both programs as Qt
      resources.

Only Python's standard library is used. Every sound is built from sine
partials, filtered noise and envelopes with fixed parameters; the noise comes
from random.Random with a fixed seed per sound, so every run writes
byte-identical files.
"""

import math
import random
import struct
import wave
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOUNDS = ROOT / "assets" / "sounds"

RATE = 22050
PEAK = 0.8  # every sound is scaled to this share of full scale
SEED = 1807


# ---------------------------------------------------------------------------
# building blocks: a sound is a list of floats in -1..1 at RATE samples/s


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def mix_into(target, source, start=0.0, gain=1.0):
    """Adds SOURCE into TARGET from START seconds, growing TARGET as needed."""
    offset = int(round(start * RATE))
    end = offset + len(source)
    if end > len(target):
        target.extend([0.0] * (end - len(target)))
    for i, value in enumerate(source):
        target[offset + i] += gain * value
    return target


def envelope(n, attack, decay_rate, release=0.01):
    """A fast linear attack, an exponential decay and a short linear release
    so that the sound ends on silence without a click."""
    a = max(1, int(attack * RATE))
    r = max(1, int(release * RATE))
    out = []
    for i in range(n):
        t = i / RATE
        level = min(1.0, i / a) * math.exp(-decay_rate * max(0.0, t - attack))
        if i >= n - r:
            level *= (n - i) / r
        out.append(level)
    return out


def tone(freq, seconds, partials=((1, 1.0),), attack=0.005, decay=4.0, glide_to=None, vibrato=0.0):
    """A pitched note: sine partials (multiple, weight), an envelope, and an
    optional exponential pitch glide to GLIDE_TO over the note."""
    n = int(round(seconds * RATE))
    env = envelope(n, attack, decay)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        f = freq
        if glide_to is not None:
            f = freq * (glide_to / freq) ** (i / n)
        if vibrato:
            f *= 1.0 + vibrato * math.sin(2 * math.pi * 5.5 * t)
        phase += 2 * math.pi * f / RATE
        value = sum(w * math.sin(m * phase) for m, w in partials)
        out.append(env[i] * value)
    return out


def noise(seconds, rng, cutoff_start, cutoff_end, attack=0.002, decay=6.0):
    """White noise through a one-pole low-pass whose cutoff sweeps from
    CUTOFF_START to CUTOFF_END Hz: a rumble, a thump or a hiss."""
    n = int(round(seconds * RATE))
    env = envelope(n, attack, decay)
    out = []
    y = 0.0
    for i in range(n):
        cutoff = cutoff_start * (cutoff_end / cutoff_start) ** (i / n)
        alpha = 1.0 - math.exp(-2 * math.pi * cutoff / RATE)
        y += alpha * (rng.uniform(-1.0, 1.0) - y)
        out.append(env[i] * y)
    return out


def normalise(samples, peak=PEAK):
    top = max(abs(s) for s in samples) or 1.0
    return [s * peak / top for s in samples]


def write_wav(name, samples):
    SOUNDS.mkdir(parents=True, exist_ok=True)
    path = SOUNDS / f"{name}.wav"
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(s * 32767))))) for s in samples)
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)
    return path


# ---------------------------------------------------------------------------
# the sounds

BELL = ((1, 1.0), (2, 0.35), (3, 0.12), (4.2, 0.05))
BRASS = ((1, 1.0), (2, 0.55), (3, 0.35), (4, 0.2), (5, 0.1))


def make_turn(rng):
    """Your turn: two bell notes a fifth apart, rising (A5 then E6)."""
    out = silence(0.0)
    mix_into(out, tone(880.0, 0.45, BELL, decay=7.0), 0.0)
    mix_into(out, tone(1318.5, 0.55, BELL, decay=6.0), 0.11, gain=0.9)
    return out


def make_step(rng):
    """Step: a short engine burst, a low buzz with a chugging pulse and some
    grit from filtered noise."""
    seconds = 0.32
    n = int(seconds * RATE)
    env = envelope(n, 0.02, 5.0, release=0.04)
    grit = noise(seconds, rng, 900.0, 500.0, attack=0.02, decay=5.0)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        f = 70.0 + 25.0 * min(1.0, t / 0.08)  # the engine revs up
        phase += 2 * math.pi * f / RATE
        buzz = math.sin(phase) + 0.5 * math.sin(2 * phase) + 0.25 * math.sin(3 * phase)
        chug = 0.6 + 0.4 * math.sin(2 * math.pi * 18.0 * t)
        out.append(env[i] * buzz * chug + 0.5 * grit[i])
    return out


def make_fire(rng):
    """Fire: a launch thump, a falling low sine with a burst of dark noise
    and a short hiss as the shell leaves."""
    out = tone(150.0, 0.4, ((1, 1.0), (2, 0.2)), attack=0.003, decay=9.0, glide_to=45.0)
    mix_into(out, noise(0.3, rng, 1800.0, 250.0, attack=0.001, decay=14.0), 0.0, gain=1.4)
    mix_into(out, noise(0.35, rng, 5000.0, 2500.0, attack=0.03, decay=10.0), 0.04, gain=0.25)
    return out


def make_hit(rng):
    """Hit: an explosion, a sharp crack over a rumble that dies away."""
    out = noise(0.9, rng, 3500.0, 120.0, attack=0.001, decay=5.0)
    mix_into(out, noise(0.06, rng, 8000.0, 4000.0, attack=0.0005, decay=40.0), 0.0, gain=0.8)
    mix_into(out, tone(90.0, 0.6, ((1, 1.0),), attack=0.002, decay=7.0, glide_to=40.0), 0.0, gain=0.6)
    return out


def make_kill(rng):
    """Kill: a heavier blast, a deep boom, a long rumble and a second burst
    of debris a moment later."""
    out = noise(1.5, rng, 2500.0, 60.0, attack=0.002, decay=2.6)
    mix_into(out, tone(70.0, 1.2, ((1, 1.0), (1.5, 0.3)), attack=0.004, decay=3.5, glide_to=28.0), 0.0, gain=1.0)
    mix_into(out, noise(0.5, rng, 4000.0, 600.0, attack=0.003, decay=8.0), 0.18, gain=0.45)
    return out


def make_winner(rng):
    """Winner: a short brass fanfare, C-E-G and a held high C with vibrato."""
    out = silence(0.0)
    notes = ((523.25, 0.0, 0.16), (659.25, 0.15, 0.16), (783.99, 0.30, 0.16), (1046.5, 0.45, 0.9))
    for freq, start, seconds in notes:
        held = seconds > 0.5
        mix_into(out, tone(freq, seconds, BRASS, attack=0.015, decay=1.2 if held else 3.0,
                           vibrato=0.006 if held else 0.0), start)
        # a fifth below thickens the final chord
        if held:
            mix_into(out, tone(freq * 2 / 3, seconds, BRASS, attack=0.02, decay=1.2), start, gain=0.5)
    return out


def make_draw(rng):
    """Draw: a falling tone, two soft notes sliding down a third each."""
    out = tone(587.33, 0.5, ((1, 1.0), (2, 0.25), (3, 0.08)), attack=0.02, decay=2.0, glide_to=493.88)
    mix_into(out, tone(440.0, 0.85, ((1, 1.0), (2, 0.25), (3, 0.08)), attack=0.02, decay=1.8,
                       glide_to=349.23, vibrato=0.004), 0.42)
    return out


SOUND_MAKERS = {
    "turn": make_turn,
    "step": make_step,
    "fire": make_fire,
    "hit": make_hit,
    "kill": make_kill,
    "winner": make_winner,
    "draw": make_draw,
}


def main():
    total = 0
    for index, (name, make) in enumerate(SOUND_MAKERS.items()):
        rng = random.Random(SEED + index)
        samples = normalise(make(rng))
        assert len(samples) < 2 * RATE, f"{name} is 2 s or longer"
        path = write_wav(name, samples)
        size = path.stat().st_size
        total += size
        print(f"{path.relative_to(ROOT)}: {len(samples) / RATE:.2f} s, {size} bytes")
    assert total < 600 * 1024, f"the sounds take {total} bytes"
    print(f"total {total} bytes")


if __name__ == "__main__":
    main()
