#!/usr/bin/env python3
"""Compares our VCDIFF decoder and encoder with xdelta3 on seeded pairs.

Usage: bench.py TOOL WORKDIR [RUNNER...]
TOOL is vcdiff-bench (RUNNER, e.g. wine, runs it if it is a Windows
program). Prints two tables: decoding the same xdelta3 deltas, and
encoding the same pairs.
"""
import os
import random
import subprocess
import sys
import time

XDELTA3 = "xdelta3"


def make_pair(rng, size):
    # Blocks that recur (like a library's repeated records) plus fresh bytes.
    chunks = [rng.randbytes(2048) for _ in range(512)]
    parts, total = [], 0
    while total < size:
        part = rng.choice(chunks) + rng.randbytes(rng.randint(0, 1024))
        parts.append(part)
        total += len(part)
    old = b"".join(parts)[:size]
    new = bytearray(old)
    for _ in range(max(20, size >> 16)):
        at = rng.randrange(len(new))
        kind = rng.randrange(3)
        n = rng.randint(1, 3000)
        if kind == 0:
            new[at:at] = rng.randbytes(n)
        elif kind == 1:
            del new[at:at + n]
        else:
            new[at:at + n] = rng.randbytes(min(n, len(new) - at))
    return old, bytes(new)


def timed(cmd):
    start = time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


def best(cmd, runs=5):
    return min(timed(cmd) for _ in range(runs))


def same(a, b):
    with open(a, "rb") as f, open(b, "rb") as g:
        return f.read() == g.read()


def main():
    tool, work, runner = sys.argv[1], sys.argv[2], sys.argv[3:]
    os.makedirs(work, exist_ok=True)
    rng = random.Random(60)
    decode_rows, encode_rows = [], []
    for mib in (1, 16, 60):
        old, new = make_pair(rng, mib << 20)
        po, pn = os.path.join(work, "%d.old" % mib), os.path.join(work, "%d.new" % mib)
        for path, data in ((po, old), (pn, new)):
            with open(path, "wb") as f:
                f.write(data)
        # Few windows (xdelta3's default 8 MiB) and many (64 KiB).
        for label, window in (("few", []), ("many", ["-W", "65536"])):
            delta = os.path.join(work, "%d-%s.xd3" % (mib, label))
            subprocess.run([XDELTA3, "-e", "-f", "-S", "none", "-A", "-n"] + window + ["-s", po, pn, delta],
                           check=True)
            out_x, out_o = delta + ".x.out", delta + ".o.out"
            tx = best([XDELTA3, "-d", "-f", "-s", po, delta, out_x])
            to = best(runner + [tool, "decode", po, delta, out_o])
            ok = same(out_x, pn) and same(out_o, pn)
            decode_rows.append((mib, label, os.path.getsize(delta), to, tx, ok))
        xd = os.path.join(work, "%d.x9.xd3" % mib)
        od = os.path.join(work, "%d.ours.vcd" % mib)
        tx = best([XDELTA3, "-e", "-9", "-f", "-S", "none", "-A", "-n", "-s", po, pn, xd], runs=1)
        to = best(runner + [tool, "encode", po, pn, od], runs=1)
        check = od + ".out"
        subprocess.run([XDELTA3, "-d", "-f", "-s", po, od, check], check=True)
        encode_rows.append((mib, os.path.getsize(od), os.path.getsize(xd), to, tx, same(check, pn)))

    print("\nDecoding xdelta3's deltas (best of 5, whole process, output written to a file)")
    print("%-6s %-5s %11s %10s %10s %7s %s" % ("target", "wins", "delta", "ours s", "xdelta3 s", "ratio", "bytes"))
    for mib, label, size, to, tx, ok in decode_rows:
        print("%3d MiB %-5s %11d %10.3f %10.3f %7.2f %s" % (mib, label, size, to, tx, to / tx, "ok" if ok else "WRONG"))
    print("\nEncoding (ours vs xdelta3 -e -9 -S none -A -n; ours decoded by xdelta3 -d)")
    print("%-7s %11s %11s %6s %9s %10s %6s %s" % ("target", "ours B", "xdelta3 B", "size", "ours s", "xdelta3 s",
                                                  "time", "xdelta3 -d"))
    for mib, so, sx, to, tx, ok in encode_rows:
        print("%3d MiB %11d %11d %6.2f %9.3f %10.3f %6.2f %s" % (mib, so, sx, so / sx, to, tx, to / tx,
                                                                  "ok" if ok else "WRONG"))


if __name__ == "__main__":
    main()
