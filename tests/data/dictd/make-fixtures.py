#!/usr/bin/env python3
"""Writes the small dictd dictionaries that the importer's tests read.

Run it from anywhere; it rewrites the files next to itself. Each dictionary is written as an
index (head, offset and length in the base-64 digits of dictd) and a data file, plain (.dict)
or dictzip (.dict.dz: gzip whose header lists the chunks, each chunk flushed on its own).
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DIGITS = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"

# English-Czech articles in the style of FreeDict: (index head, article text).
ENGLISH_CZECH = [
    ("00databaseinfo", "00-database-info\nTest English-Czech\n\nCopyright (C) 2024 test authors.\n"
     "Available under the terms of the GNU General Public License ver. 2.0 and any later version.\n"),
    ("00databaseshort", "00-database-short\nTest English-Czech\n"),
    ("6 am", "6 AM\n6 hodin dopoledne\n"),
    ("acid", "acid <n>\n [chem] kyselina (Látka, která ve vodném roztoku odštěpuje kationty vodíku.)\n"),
    ("acid", "acid <adj>\nkyselý\n"),
    ("be", "be!\nbuď\n"),
    ("be", "be <v>\nbýt\n"),
    ("cooperate", "co-operate\nspolupracovat\n"),
    ("dog", "dog <n>\npes\n"),
    ("dog", "dog\n [hovor] mizera, lump\n"),
    ("dog", "dog <v>\npronásledovat\n"),
    ("family house", "family house\nrodinný dům\n"),
    ("gig", "gig\n(n:)\n"),
    ("handful", "handful\nhrst ((něčeho))\n"),
    ("house", "house <v>\nubytovat\n"),
    ("house", "house <n>\nfirma\n"),
    ("house", "house\ndům\n"),
    ("house", "house <n>\ndomácnost\n"),
    ("house", "house\n [hud] house (styl hudby)\n"),
    ("house", "house <n>\ndomácnost\n"),
    ("houses", "houses <n, pl>\ndomy\n"),
    ("run", "run <v>\n [neprav] běžet\n         Note: run/ran/run\n"),
    ("smørrebrød", "smørrebrød\nobložený chlebíček\n"),
    ("store", "store <n>\nsklad\n"),
    ("store", "store\n1. obchodní dům; zásoba\n"),
    ("tea", "tea\nčaj\n"),
    ("tea", "tea <adj>\nčajový\n"),
    ("tnt", "TNT\n [voj] TNT ({en TNT})\n"),
    ("water", "water <n>\nvoda\n"),
    ("water", "water <v>\nzalévat\n"),
    ("waters", "waters <n, pl>\nvody\n"),
]

CZECH_ENGLISH = [
    ("00databaseshort", "00-database-short\nTest Czech-English\n"),
    ("ani ani", "ani ... ani /ˈaɲi ˈaɲi/\nneither...nor\n"),
    ("běžeti", "běžeti /bjˈeʒeci/\nrun\n"),
    ("čaj", "čaj /tʃaj/\n1. tea\n"),
    ("pes", "pes /pes/\ndog, hound\n"),
    ("rodina", "rodina /rodɪna/\nfamilyhouse\n"),
    ("voda", "voda /voda/\nwater\n"),
]


def number(value):
    digits = ""
    while True:
        digits = DIGITS[value % 64] + digits
        value //= 64
        if value == 0:
            return digits


def dictionary(articles):
    data = b""
    index = []
    for head, text in articles:
        body = text.encode("utf-8")
        index.append(f"{head}\t{number(len(data))}\t{number(len(body))}\n")
        data += body
    return "".join(index).encode("utf-8"), data


def dictzip(data, chunk_length=64):
    """gzip with dictzip's RA field: every chunk is a full flush, its compressed size listed."""
    compressor = zlib.compressobj(9, zlib.DEFLATED, -zlib.MAX_WBITS)
    chunks = []
    for start in range(0, len(data), chunk_length):
        piece = compressor.compress(data[start:start + chunk_length])
        flush = zlib.Z_FINISH if start + chunk_length >= len(data) else zlib.Z_FULL_FLUSH
        piece += compressor.flush(flush)
        chunks.append(piece)
    ra = struct.pack("<HHH", 1, chunk_length, len(chunks)) + b"".join(struct.pack("<H", len(c)) for c in chunks)
    extra = b"RA" + struct.pack("<H", len(ra)) + ra
    header = b"\x1f\x8b\x08\x04" + struct.pack("<I", 0) + b"\x02\x03" + struct.pack("<H", len(extra)) + extra
    trailer = struct.pack("<II", zlib.crc32(data) & 0xFFFFFFFF, len(data) & 0xFFFFFFFF)
    return header + b"".join(chunks) + trailer


def write(name, content):
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(content)


english_index, english_data = dictionary(ENGLISH_CZECH)
write("eng-ces.index", english_index)
write("eng-ces.dict.dz", dictzip(english_data))
write("eng-ces-plain.index", english_index)
write("eng-ces-plain.dict", english_data)
czech_index, czech_data = dictionary(CZECH_ENGLISH)
write("ces-eng.index", czech_index)
write("ces-eng.dict.dz", dictzip(czech_data))
