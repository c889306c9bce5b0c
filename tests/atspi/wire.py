"""The virtual mouse's traffic log read back as the commands the program sent.

Command frames travel scrambled; this is the tests' own reading of the scrambling, kept apart
from the program's codec and the virtual mouse's.
"""

import json

KEY = b"QaLmvUsk"
DEFAULT_CODE = b"274951"
FROM = (5, 4, 7, 6, 1, 0, 3, 2)


def descramble(frame, code=DEFAULT_CODE):
    """A 9-byte wire frame (report number first) to the plain frame."""
    if len(frame) != 9:
        raise ValueError("a command frame has 9 bytes, not %d" % len(frame))
    b = bytearray(8)
    for i, k in enumerate(KEY):
        swapped = ((k << 4) | (k >> 4)) & 0xFF
        b[i] = (frame[i + 1] - swapped) & 0xFF
    v = int.from_bytes(b, "big")
    v = ((v >> 3) | (v << 61)) & 0xFFFFFFFFFFFFFFFF
    b = bytearray(v.to_bytes(8, "big"))
    for i in range(1, 7):
        b[i] ^= code[i - 1]
    return bytes([0]) + bytes(b[f] for f in FROM)


def checksum_ok(plain):
    return plain[8] == (~sum(plain[1:8])) & 0xFF


class Command:
    """One command frame and the bulk data sent after it."""

    def __init__(self, frame):
        self.frame = frame
        self.bulk = b""

    @property
    def code(self):
        return self.frame[1]

    def complete(self):
        """Whether the bulk data the frame announces has arrived (in whole reports)."""
        expected = {0x10: self.frame[3], 0x11: 8, 0x12: 64, 0x13: 128}.get(self.code, 0)
        return len(self.bulk) >= expected

    def __repr__(self):
        text = "Command(%s" % self.frame.hex(" ")
        if self.bulk:
            text += " + %s" % self.bulk.hex(" ")
        return text + ")"


class TrafficLog:
    def __init__(self, path):
        self.path = path

    def _records(self):
        try:
            with open(self.path, encoding="utf-8") as f:
                lines = f.read().splitlines()
        except FileNotFoundError:
            return []
        # The last line may still be being written.
        records = []
        for line in lines:
            try:
                records.append(json.loads(line))
            except json.JSONDecodeError:
                break
        return records

    def mark(self):
        return len(self._records())

    def commands(self, since=0):
        """Commands accepted by the mouse from record `since` on, bulk data attached."""
        out = []
        for record in self._records()[since:]:
            data = bytes.fromhex(record["hex"])
            if record.get("refused"):
                continue
            if record["kind"] == "feature_out":
                plain = descramble(data)
                if not checksum_ok(plain):
                    raise AssertionError("frame %s reads as %s: bad checksum" % (data.hex(" "), plain.hex(" ")))
                out.append(Command(plain))
            elif record["kind"] == "output" and out:
                out[-1].bulk += data[1:]
        return out
