#!/usr/bin/env python3
"""Writes Layer III streams with what lame never writes: mixed blocks and intensity
stereo (MPEG-1 and MPEG-2, both intensity scales, the "no intensity" positions, the last
band without a scale factor).

Test-only and deliberately small: every frame carries its own main data (main_data_begin
0), no big values, and the spectrum as count1 quadruples of table B, whose words are
fixed 4-bit codes (15 - vwxy), each non-zero value followed by its sign bit.
Usage: compose-mp3-frames.py OUTDIR
"""
import os
import random
import sys

LONG = {44100: [0, 4, 8, 12, 16, 20, 24, 30, 36, 44, 52, 62, 74, 90, 110, 134, 162, 196, 238, 288, 342, 418, 576],
        22050: [0, 6, 12, 18, 24, 30, 36, 44, 54, 66, 80, 96, 116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576]}
SHORT = {44100: [0, 4, 8, 12, 16, 22, 30, 40, 52, 66, 84, 106, 136, 192],
         22050: [0, 4, 8, 12, 18, 24, 32, 42, 56, 74, 100, 132, 174, 192]}


class Bits:
    def __init__(self):
        self.bits = []

    def put(self, value, n):
        for i in range(n - 1, -1, -1):
            self.bits.append((value >> i) & 1)

    def bytes(self, size):
        bits = self.bits + [0] * (size * 8 - len(self.bits))
        assert len(bits) == size * 8, "frame overfull"
        return bytes(int("".join(map(str, bits[i:i + 8])), 2) for i in range(0, len(bits), 8))


def count1(bits, lines):
    """Table B quadruples for the lines (values -1, 0, 1)."""
    assert len(lines) % 4 == 0
    for i in range(0, len(lines), 4):
        q = lines[i:i + 4]
        code = sum((1 if v else 0) << (3 - k) for k, v in enumerate(q))
        bits.put(15 - code, 4)
        for v in q:
            if v:
                bits.put(1 if v < 0 else 0, 1)


def spectrum(rng, count, density=0.6):
    return [rng.choice((-1, 1)) if rng.random() < density else 0 for _ in range(count)]


class Channel:
    """One granule of one channel: block kind, gains, scale factors and lines."""

    def __init__(self, lines, gain=190, block=0, mixed=0, subblock=(0, 0, 0), sfc=0,
                 scales=(), slens=(), scale=0, cut=0):
        self.lines, self.gain, self.block, self.mixed = lines, gain, block, mixed
        self.subblock, self.sfc, self.scales, self.slens, self.scale = subblock, sfc, scales, slens, scale
        self.cut = cut  # bits of the last quadruple left out: it overruns the granule

    def main(self):
        bits = Bits()
        for value, length in zip(self.scales, self.slens):
            bits.put(value, length)
        count1(bits, self.lines)
        return bits.bits[:len(bits.bits) - self.cut]

    def side(self, bits, part23, lsf):
        bits.put(part23, 12)
        bits.put(0, 9)  # big_values
        bits.put(self.gain, 8)
        bits.put(self.sfc, 9 if lsf else 4)
        bits.put(1 if self.block else 0, 1)
        if self.block:
            bits.put(self.block, 2)
            bits.put(self.mixed, 1)
            bits.put(0, 5)
            bits.put(0, 5)
            for g in self.subblock:
                bits.put(g, 3)
        else:
            bits.put(0, 15)  # table_select x 3
            bits.put(0, 4)
            bits.put(0, 3)
        if not lsf:
            bits.put(0, 1)  # preflag
        bits.put(self.scale, 1)
        bits.put(1, 1)  # count1 table B


def frame(rate, mode_extension, granules):
    """granules: per granule a list of Channel (two)."""
    lsf = rate == 22050
    if lsf:
        header, size, side_size = 0xFFF3E000 | 0x40 | mode_extension << 4, 72 * 160000 // 22050, 17  # 160 kbit/s
    else:
        header, size, side_size = 0xFFFBE000 | 0x40 | mode_extension << 4, 144 * 320000 // 44100, 32  # 320 kbit/s
    side = Bits()
    side.put(0, 8 if lsf else 9)  # main_data_begin
    side.put(0, 2 if lsf else 3)  # private bits
    if not lsf:
        side.put(0, 8)  # scfsi
    main = []
    for channels in granules:
        for ch in channels:
            data = ch.main()
            ch.side(side, len(data), lsf)
            main += data
    body = Bits()
    body.bits = side.bits + main
    return header.to_bytes(4, "big") + body.bytes(size - 4)


def mpeg1_scales(rng, block, mixed, right_positions=None):
    """scalefac_compress 13 (slen 3, 3): every band may hold 0..7."""
    if block == 2:
        bands = (list(range(8)) if mixed else []) + [b for b in range(3 if mixed else 0, 12) for _ in range(3)]
    else:
        bands = list(range(21))
    values = right_positions(len(bands)) if right_positions else [rng.randrange(8) for _ in bands]
    return dict(sfc=13, scales=values, slens=[3] * len(values))


def long_stream(rng, mode_extension, frames=12):
    out = b""
    for _ in range(frames):
        granules = []
        for _gr in range(2):
            left = Channel(spectrum(rng, 400), **mpeg1_scales(rng, 0, 0))
            # The right channel stops early; above it, intensity positions per band,
            # cycling through 0..7 (7: none) with band 20 (and so band 21) varying.
            right_lines = spectrum(rng, 40) + [0] * 360
            positions = lambda n: [rng.randrange(8) for _ in range(n)]
            right = Channel(right_lines, **mpeg1_scales(rng, 0, 0, positions))
            granules.append([left, right])
        out += frame(44100, mode_extension, granules)
    return out


def short_stream(rng, rate, mode_extension, mixed, frames=12):
    out = b""
    for _ in range(frames):
        granules = []
        for _gr in range(1 if rate == 22050 else 2):
            pair = []
            for ch in range(2):
                if ch == 1 and mode_extension & 1:
                    # Non-zero up to different bands in the three windows.
                    lines = spectrum(rng, 120) + [0] * 280
                else:
                    lines = spectrum(rng, 400)
                if rate == 22050:
                    kw = lsf_scales(rng, ch == 1 and mode_extension & 1, 2, mixed)
                else:
                    kw = mpeg1_scales(rng, 2, mixed)
                pair.append(Channel(lines, block=2, mixed=mixed, subblock=(rng.randrange(3), rng.randrange(3), rng.randrange(3)), **kw))
            granules.append(pair)
        out += frame(rate, mode_extension, granules)
    return out


def lsf_scales(rng, intensity_right, block, mixed):
    kind = 0 if block != 2 else (2 if mixed else 1)
    if intensity_right:
        s = [rng.randrange(1, 4), rng.randrange(1, 4), rng.randrange(0, 4)]
        isc = s[0] * 36 + s[1] * 6 + s[2]
        sfc = isc << 1 | rng.randrange(2)  # intensity scale in bit 0
        parts = [[7, 7, 7, 0], [12, 12, 12, 0], [6, 15, 12, 0]][kind]
        slen = s + [0]
    else:
        s = [rng.randrange(5), rng.randrange(5), rng.randrange(4), rng.randrange(4)]
        sfc = ((s[0] * 5 + s[1]) << 4) + (s[2] << 2) + s[3]
        parts = [[6, 5, 5, 5], [9, 9, 9, 9], [6, 9, 9, 9]][kind]
        slen = s
    values, lengths = [], []
    for n, length in zip(parts, slen):
        for _ in range(n):
            # Often the largest value: the illegal intensity position.
            values.append((1 << length) - 1 if length and rng.random() < 0.3 else rng.randrange(1 << length))
            lengths.append(length)
    return dict(sfc=sfc, scales=values, slens=lengths)


def lsf_long_stream(rng, mode_extension, frames=16):
    out = b""
    for _ in range(frames):
        left = Channel(spectrum(rng, 360), **lsf_scales(rng, False, 0, 0))
        right = Channel(spectrum(rng, 48) + [0] * 312, **lsf_scales(rng, mode_extension & 1, 0, 0))
        out += frame(22050, mode_extension, [[left, right]])
    return out


def overrun_stream(rng, dropped, frames=12):
    """Each granule's last quadruple (a non-zero one) is cut short by 1 to 3 bits: the
    decoder must drop it and start the next granule at the declared end. With `dropped`,
    the same stream as it should decode: that quadruple zero and nothing cut."""
    out = b""
    for _ in range(frames):
        granules = []
        for _gr in range(2):
            pair = []
            for _ch in range(2):
                lines = spectrum(rng, 396) + ([0, 0, 0, 0] if dropped else [1, 0, -1, 1])
                cut = rng.randrange(1, 4)
                pair.append(Channel(lines, cut=0 if dropped else cut, **mpeg1_scales(rng, 0, 0)))
            granules.append(pair)
        out += frame(44100, 0, granules)
    return out


def main():
    out = sys.argv[1]
    streams = {
        "composed_is_long": long_stream(random.Random(1), 1),
        "composed_is_ms_long": long_stream(random.Random(2), 3),
        "composed_mixed_44k": short_stream(random.Random(3), 44100, 2, 1),
        "composed_short_is_44k": short_stream(random.Random(4), 44100, 1, 0),
        "composed_mixed_is_44k": short_stream(random.Random(5), 44100, 1, 1),
        "composed_mixed_22k": short_stream(random.Random(6), 22050, 0, 1),
        "composed_is_lsf": lsf_long_stream(random.Random(7), 1),
        "composed_is_ms_lsf": lsf_long_stream(random.Random(8), 3),
        "composed_short_is_lsf": short_stream(random.Random(9), 22050, 1, 0),
        "composed_count1_overrun": overrun_stream(random.Random(10), False),
        "composed_count1_dropped": overrun_stream(random.Random(10), True),
    }
    for name, data in streams.items():
        with open(os.path.join(out, name + ".mp3"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
