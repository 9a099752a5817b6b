#!/usr/bin/env python3
"""Makes two library data files and xdelta3's delta between them.

Usage: make_interop.py OUTDIR XDELTA3

Writes old.dat, new.dat (the data file container around a seeded XML
document of a few MiB, the new one edited) and new.xd3, a plain RFC 3284
delta from xdelta3 (no secondary compression, no application header, no
checksum) of the stored new file against the stored old one.
"""
import os
import struct
import subprocess
import sys


def document(items):
    lines = ["<ProcessLib><Paths><p id='1' value='Vendor\\App'/></Paths>",
             "<CompanyNames><c id='1' Value='Vendor'/></CompanyNames>",
             "<SignNames><s id='1' Value='Vendor Inc'/></SignNames><Processes>"]
    for i in items:
        lines.append("<Process Name='tool%d.exe'><Item id='%d' DisplayName='Tool %d %s' PathIndex='1' "
                     "CompanyNameIndex='1' SignNameIndex='1'/></Process>\n" % (i, i, i, (i * 2654435761) % 2 ** 64))
    lines.append("</Processes></ProcessLib>")
    return "".join(lines).encode()


def container(payload, key):
    header = bytearray(80)
    header[0:4] = b"RWQF"
    struct.pack_into("<I", header, 16, 1)
    struct.pack_into("<I", header, 24, 80 + len(payload))
    struct.pack_into("<III", header, 36, 80, len(payload), 1)
    header[48] = key
    return bytes(header) + bytes(b ^ key for b in payload)


def main():
    out, xdelta3 = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    items = list(range(1, 30001))
    old = container(document(items), 0x5C)
    edited = items[:1000] + items[1500:20000] + list(range(40000, 41000)) + items[20000:]
    new = container(document(edited), 0x5C)
    for name, data in (("old.dat", old), ("new.dat", new)):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    subprocess.run([xdelta3, "-e", "-f", "-S", "none", "-A", "-n", "-s", os.path.join(out, "old.dat"),
                    os.path.join(out, "new.dat"), os.path.join(out, "new.xd3")], check=True)


if __name__ == "__main__":
    main()
