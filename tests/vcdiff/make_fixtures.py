#!/usr/bin/env python3
"""Makes old/new file pairs and xdelta3's deltas between them.

Usage: make_fixtures.py OUTDIR XDELTA3

Each pair NAME gives NAME.old, NAME.new and NAME.xd3 (xdelta3's plain
RFC 3284 delta: no secondary compression, no application header, no
checksum). The data is seeded, so every build makes the same files.
"""
import os
import random
import subprocess
import sys

WORDS = ("process library entry company signer path version update window "
         "delta source target copy address cache header table module query "
         "record index file name value data system file folder").split()


def text(rng, size):
    lines = []
    total = 0
    while total < size:
        line = " ".join(rng.choice(WORDS) for _ in range(rng.randint(3, 14)))
        line = "<item id=\"%d\">%s</item>\n" % (rng.randint(0, 99999), line)
        lines.append(line)
        total += len(line)
    return "".join(lines).encode()[:size]


def edit(rng, data, edits):
    """Inserts, deletes, replaces and moves spans, as a new version does."""
    data = bytearray(data)
    for _ in range(edits):
        at = rng.randrange(max(1, len(data)))
        kind = rng.randrange(4)
        length = rng.randint(1, 2000)
        if kind == 0:
            data[at:at] = rng.randbytes(length)
        elif kind == 1:
            del data[at:at + length]
        elif kind == 2:
            data[at:at + length] = rng.randbytes(min(length, len(data) - at))
        else:
            block = data[at:at + length * 8]
            del data[at:at + length * 8]
            to = rng.randrange(max(1, len(data)))
            data[to:to] = block
    return bytes(data)


def pairs(rng):
    base_text = text(rng, 3 << 20)
    yield "text", base_text, edit(rng, base_text, 300), []

    chunks = [rng.randbytes(4096) for _ in range(300)]
    binary = b"".join(rng.choice(chunks) + rng.randbytes(rng.randint(0, 512)) for _ in range(1200))
    # Small input windows, so the delta has several.
    yield "binary", binary, edit(rng, binary, 200), ["-W", "1048576"]

    seed = rng.randbytes(200 << 10)
    grown = b"".join(edit(rng, seed, 20) for _ in range(50))
    yield "grown", seed, grown, []

    big = rng.randbytes(4 << 20)
    pieces = [big[o:o + 65536] for o in range(0, len(big), 65536)]
    rng.shuffle(pieces)
    yield "shrunk", big, b"".join(pieces[:16]), []

    yield "empty_source", b"", text(rng, 2 << 20), []


def main():
    outdir, xdelta3 = sys.argv[1], sys.argv[2]
    os.makedirs(outdir, exist_ok=True)
    rng = random.Random(3284)
    for name, old, new, extra in pairs(rng):
        paths = [os.path.join(outdir, name + suffix) for suffix in (".old", ".new", ".xd3")]
        for path, data in zip(paths, (old, new)):
            with open(path, "wb") as f:
                f.write(data)
        subprocess.run([xdelta3, "-e", "-f", "-S", "none", "-A", "-n"] + extra +
                       ["-s", paths[0], paths[1], paths[2]], check=True)


if __name__ == "__main__":
    main()
