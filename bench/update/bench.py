#!/usr/bin/env python3
"""Compares ApplyDeltaToFile under Wine with xdelta3 -d on the host.

Usage: bench.py EXE WORKDIR RUNNER...
EXE is appatlas-bench-apply.exe, run through RUNNER (the Wine helper).
Decodes the same xdelta3 deltas (few and many windows) for targets of 1,
16 and 60 MiB and prints a table of times and their ratio.
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "vcdiff"))
from bench import XDELTA3, best, make_pair, same  # noqa: E402

RUNS = 5


def win(path):
    # Wine maps the host root to Z:; the exe opens paths as Windows sees them.
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def main():
    exe, work, runner = sys.argv[1], sys.argv[2], sys.argv[3:]
    os.makedirs(work, exist_ok=True)
    rng = __import__("random").Random(60)
    rows = []
    for mib in (1, 16, 60):
        old, new = make_pair(rng, mib << 20)
        po, pn = os.path.join(work, "%d.old" % mib), os.path.join(work, "%d.new" % mib)
        for path, data in ((po, old), (pn, new)):
            with open(path, "wb") as f:
                f.write(data)
        # Few windows (xdelta3's default 8 MiB) and many (64 KiB).
        for label, window in (("few", []), ("many", ["-W", "65536"])):
            delta = os.path.join(work, "%d-%s.xd3" % (mib, label))
            update = delta + ".upd"
            subprocess.run([XDELTA3, "-e", "-f", "-S", "none", "-A", "-n"] + window + ["-s", po, pn, delta],
                           check=True)
            subprocess.run(runner + [exe, "--wrap", win(delta), win(update)], check=True)
            out_x, out_o = delta + ".x.out", delta + ".o.out"
            tx = best([XDELTA3, "-d", "-f", "-s", po, delta, out_x], runs=RUNS)
            res = subprocess.run(runner + [exe, win(po), win(update), win(out_o), str(RUNS)],
                                 check=True, capture_output=True, text=True)
            to = float(res.stdout.split()[-1])
            # One whole Wine process for a single apply, to show what start-up adds.
            start = time.perf_counter()
            subprocess.run(runner + [exe, win(po), win(update), win(out_o), "1"], check=True,
                           stdout=subprocess.DEVNULL)
            tp = time.perf_counter() - start
            ok = same(out_x, pn) and same(out_o, pn)
            rows.append((mib, label, os.path.getsize(delta), to, tx, tp, ok))

    print("\nApplyDeltaToFile under Wine vs xdelta3 -d on the host (best of %d, output written to a file)" % RUNS)
    print("ours s: in-process time of ApplyDeltaToFile; xdelta3 s: whole process; "
          "wine proc s: one whole Wine process of ours")
    print("%-7s %-5s %11s %10s %10s %7s %12s %s" % ("target", "wins", "delta B", "ours s", "xdelta3 s", "ratio",
                                                  "wine proc s", "bytes"))
    for mib, label, size, to, tx, tp, ok in rows:
        print("%3d MiB %-5s %11d %10.3f %10.3f %7.2f %12.3f %s" % (mib, label, size, to, tx, to / tx, tp,
                                                                  "ok" if ok else "WRONG"))
    ratios = [to / tx for _, _, _, to, tx, _, _ in rows]
    print("\nworst ratio %.2f (goal <= 1.00): %s" % (max(ratios), "met" if max(ratios) <= 1.0 else "not met"))


if __name__ == "__main__":
    main()
