#!/usr/bin/env python3
"""Derives codes_postaux.tsv.z from the codes-postaux npm package.

    cd /tmp && npm pack codes-postaux && tar xzf codes-postaux-*.tgz
    python3 derive_codes_postaux.py /tmp/package/codes-postaux.json

One line per (postal code, commune): postal code, INSEE code, distribution label (the commune as
written on mail, e.g. "STE GENEVIEVE DES BOIS"), official commune name, tab-separated, sorted by
postal code then label. The file is compressed in the form qUncompress reads: the uncompressed
size as a 32-bit big-endian number, then a zlib stream.
"""
import json
import os
import struct
import sys
import zlib


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: derive_codes_postaux.py chemin/vers/codes-postaux.json")
    with open(sys.argv[1], encoding="utf-8") as f:
        entries = json.load(f)
    rows = set()
    for e in entries:
        fields = (e["codePostal"], e["codeCommune"], e["libelleAcheminement"], e["nomCommune"])
        if any("\t" in x or "\n" in x for x in fields):
            sys.exit("champ inattendu : %r" % (fields,))
        rows.add(fields)
    text = "".join("\t".join(r) + "\n" for r in sorted(rows, key=lambda r: (r[0], r[2], r[1])))
    data = text.encode("utf-8")
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "codes_postaux.tsv.z")
    with open(out, "wb") as f:
        f.write(struct.pack(">I", len(data)))
        f.write(zlib.compress(data, 9))
    print("%d lignes, %d octets, %d octets compressés" % (len(rows), len(data), os.path.getsize(out)))


if __name__ == "__main__":
    main()
