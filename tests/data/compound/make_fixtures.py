#!/usr/bin/python3
"""Writes the compound-file fixtures of the CompoundFile tests.

The files come from this small writer of its own, not from libgsf, so that
the tests read something libgsf did not write: directory trees with left and
right siblings (libgsf writes a plain list), the directory before the data,
4096-byte sectors. Every file is read back with olefile before it is kept.

Stream bytes follow Pattern(seed, size); the tests compute the same bytes.

Run from anywhere: /usr/bin/python3 tests/data/compound/make_fixtures.py
"""
import os
import struct
import sys

import olefile

FREE = 0xFFFFFFFF
END_OF_CHAIN = 0xFFFFFFFE
FAT_SECTOR = 0xFFFFFFFD
NO_STREAM = 0xFFFFFFFF
MINI_CUTOFF = 4096
MINI_SECTOR = 64


def Pattern(seed, size):
    return bytes(((i * 131) + seed * 17 + (i >> 8)) & 0xFF for i in range(size))


def Clsid(first):
    return bytes(range(first, first + 16))


class Stream:
    def __init__(self, name, data, same_sectors_as=None, claimed_size=None):
        self.name, self.data = name, data
        # Damaged files: this stream's entry points at another's sectors, or
        # gives a size other than that of its data.
        self.same_sectors_as = same_sectors_as
        self.claimed_size = claimed_size


class Storage:
    def __init__(self, name, children, clsid=bytes(16)):
        self.name, self.children, self.clsid = name, children, clsid


def SortKey(name):
    # Directory order: shorter names first, then by upper-case code units.
    units = name.encode("utf-16-le", "surrogatepass")
    return (len(units), name.upper())


class Writer:
    def __init__(self, root, sector_shift):
        self.sector = 1 << sector_shift
        self.shift = sector_shift
        self.root = root
        self.entries = []  # (node, entry index)

    def Number(self, node):
        index = len(self.entries)
        self.entries.append(node)
        node.index = index
        node.left = node.right = node.child = NO_STREAM
        node.red = False
        if isinstance(node, Storage):
            for child in node.children:
                self.Number(child)
            ordered = sorted(node.children, key=lambda n: SortKey(n.name))
            node.child = self.Tree(ordered, 0, self.FullLevels(len(ordered)))
        return index

    @staticmethod
    def FullLevels(n):
        levels = 0
        while (1 << (levels + 1)) - 1 <= n:
            levels += 1
        return levels

    def Tree(self, ordered, depth, full_levels):
        # A balanced tree; the nodes of an unfilled last level are red, so
        # every path has the same number of black nodes.
        if not ordered:
            return NO_STREAM
        mid = len(ordered) // 2
        node = ordered[mid]
        node.red = depth >= full_levels
        node.left = self.Tree(ordered[:mid], depth + 1, full_levels)
        node.right = self.Tree(ordered[mid + 1:], depth + 1, full_levels)
        return node.index

    def Write(self):
        self.Number(self.root)
        streams = [e for e in self.entries if isinstance(e, Stream)]
        small = [s for s in streams if 0 < len(s.data) < MINI_CUTOFF]
        big = [s for s in streams if len(s.data) >= MINI_CUTOFF and not s.same_sectors_as]

        mini = bytearray()
        mini_fat = []
        for s in small:
            count = (len(s.data) + MINI_SECTOR - 1) // MINI_SECTOR
            s.start = len(mini_fat)
            mini_fat += list(range(s.start + 1, s.start + count)) + [END_OF_CHAIN]
            mini += s.data + bytes(count * MINI_SECTOR - len(s.data))
        for s in streams:
            if len(s.data) == 0:
                s.start = END_OF_CHAIN

        def Sectors(n):
            return (n + self.sector - 1) // self.sector

        dir_sectors = Sectors(len(self.entries) * 128)
        mini_fat_sectors = Sectors(len(mini_fat) * 4)
        mini_sectors = Sectors(len(mini))
        big_sectors = [Sectors(len(s.data)) for s in big]
        fat_sectors = 1
        while True:
            total = fat_sectors + dir_sectors + mini_fat_sectors + mini_sectors + sum(big_sectors)
            if Sectors(total * 4) == fat_sectors:
                break
            fat_sectors = Sectors(total * 4)
        assert fat_sectors <= 109

        fat = [FAT_SECTOR] * fat_sectors
        body = bytearray()

        def Chain(data, count):
            first = len(fat)
            fat.extend(list(range(first + 1, first + count)) + [END_OF_CHAIN])
            body.extend(data + bytes(count * self.sector - len(data)))
            return first

        dir_start = len(fat)
        body_dir_at = len(body)
        Chain(bytes(dir_sectors * self.sector), dir_sectors)  # filled in below
        mini_fat_start = Chain(b"".join(struct.pack("<I", v) for v in mini_fat), mini_fat_sectors) \
            if mini_fat_sectors else END_OF_CHAIN
        self.root.start = Chain(bytes(mini), mini_sectors) if mini_sectors else END_OF_CHAIN
        for s, count in zip(big, big_sectors):
            s.start = Chain(s.data, count)
        for s in streams:
            if s.same_sectors_as:
                s.start = s.same_sectors_as.start
        fat += [FREE] * (fat_sectors * self.sector // 4 - len(fat))

        directory = bytearray()
        for e in self.entries:
            directory += self.Entry(e, len(mini))
        directory += self.Unused() * (dir_sectors * self.sector // 128 - len(self.entries))
        body[body_dir_at:body_dir_at + len(directory)] = directory

        header = bytearray(b"\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1" + bytes(16))
        header += struct.pack("<HHHHH", 0x3E, 4 if self.shift == 12 else 3, 0xFFFE, self.shift, 6)
        header += bytes(6)
        header += struct.pack("<IIIIIIIII",
                              dir_sectors if self.shift == 12 else 0,
                              fat_sectors, dir_start, 0, MINI_CUTOFF,
                              mini_fat_start, mini_fat_sectors, END_OF_CHAIN, 0)
        header += b"".join(struct.pack("<I", i) for i in range(fat_sectors))
        header += struct.pack("<I", FREE) * (109 - fat_sectors)
        assert len(header) == 512
        header += bytes(self.sector - 512)

        fat_bytes = b"".join(struct.pack("<I", v) for v in fat)
        return bytes(header) + fat_bytes + bytes(body)

    def Entry(self, e, mini_size):
        units = e.name.encode("utf-16-le", "surrogatepass")
        assert len(units) <= 62
        out = bytearray(units + bytes(64 - len(units)))
        out += struct.pack("<H", len(units) + 2)
        if e is self.root:
            kind, start, size, clsid = 5, e.start, mini_size, e.clsid
        elif isinstance(e, Storage):
            kind, start, size, clsid = 1, 0, 0, e.clsid
        else:
            kind, start, size, clsid = 2, e.start, len(e.data), bytes(16)
            if e.claimed_size is not None:
                size = e.claimed_size
        out += struct.pack("<BBIII", kind, 0 if e.red else 1, e.left, e.right, e.child)
        out += clsid + bytes(4) + bytes(16)
        out += struct.pack("<IQ", start, size)
        assert len(out) == 128
        return bytes(out)

    @staticmethod
    def Unused():
        return bytes(64) + struct.pack("<HBBIII", 0, 0, 0, NO_STREAM, NO_STREAM, NO_STREAM) + bytes(48)


def Listing(node, prefix=()):
    """What olefile must find: path -> (is storage, bytes or clsid)."""
    out = {}
    for child in node.children:
        path = prefix + (child.name,)
        if isinstance(child, Storage):
            out[path] = ("storage", child.clsid)
            out.update(Listing(child, path))
        else:
            out[path] = ("stream", child.data)
    return out


def OleListing(path):
    ole = olefile.OleFileIO(path)
    out = {}

    def Walk(entry, prefix):
        for kid in entry.kids:
            p = prefix + (kid.name,)
            if kid.entry_type == olefile.STGTY_STORAGE:
                out[p] = ("storage", ole.direntries[kid.sid].clsid)
                Walk(kid, p)
            else:
                out[p] = ("stream", ole.openstream(list(p)).read())
    Walk(ole.root, ())
    root_clsid = ole.root.clsid
    ole.close()
    return out, root_clsid


def ClsidText(raw):
    return "" if raw == bytes(16) else olefile.olefile._clsid(raw)


def Check(path, root):
    found, root_clsid = OleListing(path)
    wanted = {p: (k, ClsidText(v) if k == "storage" else v) for p, (k, v) in Listing(root).items()}
    assert found == wanted, (path, found.keys(), wanted.keys())
    assert root_clsid == ClsidText(root.clsid), (root_clsid, root.clsid)


def CarriedTree():
    return Storage("Root Entry", [
        Stream("Contents", Pattern(1, 5000)),
        Stream("\x05SummaryInformation", Pattern(2, 300)),
        Storage("Embedding 1", [
            Stream("\x01Ole", Pattern(3, 20)),
            Stream("\x03ObjInfo", Pattern(4, 6)),
            Stream("CONTENTS", Pattern(5, 9000)),
        ], Clsid(0x40)),
        Storage("Embedding 2", [
            Storage("Inner", [
                Stream("Data", b""),
                Storage("Empty", []),
            ], Clsid(0x80)),
            Stream("Exactly4096", Pattern(6, 4096)),
            Stream("Just below", Pattern(7, 4095)),
        ], Clsid(0x60)),
    ], Clsid(0x10))


def Overlapping():
    contents = Stream("Contents", Pattern(1, 5000))
    return Storage("Root Entry", [contents, Stream("Copy", contents.data, contents)])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    fixtures = {
        "carried.hox": (CarriedTree(), 9),
        "carried-4k.hox": (CarriedTree(), 12),
        "no-contents.hox": (Storage("Root Entry", [
            Stream("Other", Pattern(8, 100)),
            Storage("Embedding 1", [Stream("\x01Ole", Pattern(3, 20))]),
        ]), 9),
        "contents-storage.hox": (Storage("Root Entry", [
            Storage("Contents", [Stream("Contents", Pattern(9, 10))]),
        ]), 9),
        # A name whose UTF-16 is not valid (a lone surrogate): it cannot be
        # read, so it could not be written back.
        "bad-name.hox": (Storage("Root Entry", [
            Stream("Contents", Pattern(1, 10)),
            Stream("Bad\ud800", Pattern(2, 10)),
        ]), 9),
        # Two streams on the same sectors: together they claim more bytes
        # than the file holds.
        "overlapping.hox": (Overlapping(), 9),
        # A stream larger than the whole file: libgsf leaves such an entry
        # out (and the entries below it in the directory tree).
        "bogus-size.hox": (Storage("Root Entry", [
            Stream("Contents", Pattern(1, 10)),
            Stream("Huge", Pattern(2, 10), claimed_size=10000000),
            Stream("Other", Pattern(3, 10)),
        ]), 9),
    }
    for name, (root, shift) in fixtures.items():
        path = os.path.join(here, name)
        with open(path, "wb") as f:
            f.write(Writer(root, shift).Write())
        if name not in ("bad-name.hox", "overlapping.hox", "bogus-size.hox"):
            Check(path, root)
        print("wrote", path, os.path.getsize(path), "bytes")


if __name__ == "__main__":
    sys.exit(main())
