#!/usr/bin/env python3
"""Known answers for the shredder's random generator, computed apart from the C++ code.

Implements Bob Jenkins' published ISAAC initialisation (randinit with the golden-ratio
constant and the eight-word mix, seeded from the result array) followed by his IA generator
(ia.c: SIZE 256, ALPHA 8). Run it to print the numbers kept in TIARandTest.cpp.
"""

M = 0xFFFFFFFF


def mix(s):
    a, b, c, d, e, f, g, h = s
    a ^= (b << 11) & M; d = (d + a) & M; b = (b + c) & M
    b ^= c >> 2;        e = (e + b) & M; c = (c + d) & M
    c ^= (d << 8) & M;  f = (f + c) & M; d = (d + e) & M
    d ^= e >> 16;       g = (g + d) & M; e = (e + f) & M
    e ^= (f << 10) & M; h = (h + e) & M; f = (f + g) & M
    f ^= g >> 4;        a = (a + f) & M; g = (g + h) & M
    g ^= (h << 8) & M;  b = (b + g) & M; h = (h + a) & M
    h ^= a >> 9;        c = (c + h) & M; a = (a + b) & M
    return [a, b, c, d, e, f, g, h]


class IA:
    def __init__(self, seed_words):
        self.r = list(seed_words)
        self.m = [0] * 256
        self.bb = 0
        s = [0x9E3779B9] * 8
        for _ in range(4):
            s = mix(s)
        for i in range(0, 256, 8):
            s = [(s[j] + self.r[i + j]) & M for j in range(8)]
            s = mix(s)
            self.m[i:i + 8] = s
        for i in range(0, 256, 8):
            s = [(s[j] + self.m[i + j]) & M for j in range(8)]
            s = mix(s)
            self.m[i:i + 8] = s
        self.round()
        self.left = 256

    def round(self):
        m, r, bb = self.m, self.r, self.bb
        for i in range(256):
            x = m[i]
            y = (m[x & 255] + bb) & M
            m[i] = y
            bb = (m[(y >> 8) & 255] + x) & M
            r[i] = bb
        self.bb = bb

    def next_word(self):
        if self.left == 0:
            self.round()
            self.left = 255
        else:
            self.left -= 1
        return self.r[self.left]

    def fill(self, count):
        out = bytearray()
        while count >= 1024:
            self.round()
            out += b"".join(w.to_bytes(4, "little") for w in self.r)
            count -= 1024
        if count:
            self.round()
            out += b"".join(w.to_bytes(4, "little") for w in self.r)[:count]
        self.round()
        return bytes(out)


def pool_words(pool):
    return [int.from_bytes(pool[i:i + 4], "little") for i in range(0, 1024, 4)]


def fnv1a64(data):
    h = 0xCBF29CE484222325
    for byte in data:
        h ^= byte
        h = (h * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return h


def pools():
    yield "zero", bytes(1024)
    yield "ramp", bytes((i * 7 + 3) & 255 for i in range(1024))
    # Words fed most significant byte first: word i = 0x01000193 * (i + 1).
    fed = bytearray(1024)
    for i in range(256):
        w = (0x01000193 * (i + 1)) & M
        fed[4 * i:4 * i + 4] = w.to_bytes(4, "big")
    yield "words", bytes(fed)


for name, pool in pools():
    g = IA(pool_words(pool))
    words = [g.next_word() for _ in range(257)]
    picks = {1: words[0], 2: words[1], 256: words[255], 257: words[256]}
    print(f"{name}: nextWord " + ", ".join(f"#{k} 0x{v:08X}" for k, v in picks.items()))
    g = IA(pool_words(pool))
    data = g.fill(1500)
    print(f"{name}: fill1500 fnv 0x{fnv1a64(data):016X} first 0x{data[0]:02X} last 0x{data[-1]:02X}"
          f" after nextWord 0x{g.next_word():08X}")
