"""RIFF WAVE writing and reading for 8-bit and 16-bit PCM, written field by field so the bytes never vary."""
import os
import struct

import numpy as np


def pcm_bytes(samples, bits):
    """Samples in -1..1 (one column per channel) as interleaved PCM; 8-bit is unsigned around 128."""
    clipped = np.clip(samples, -1.0, 1.0)
    if bits == 8:
        return np.round(clipped * 127.0 + 128.0).astype(np.uint8).tobytes()
    return np.round(clipped * 32767.0).astype("<i2").tobytes()


def wave_bytes(samples, rate, bits):
    samples = np.asarray(samples, dtype=np.float64)
    channels = 1 if samples.ndim == 1 else samples.shape[1]
    data = pcm_bytes(samples, bits)
    align = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * align, align, bits)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    if len(data) % 2:
        body += b"\0"
    return b"RIFF" + struct.pack("<I", len(body)) + body


def write_atomically(path, payload):
    # Two build trees may make the same file; a reader never sees it half written.
    temporary = "%s.%d.tmp" % (path, os.getpid())
    with open(temporary, "wb") as out:
        out.write(payload)
    os.replace(temporary, path)


def write(path, samples, rate, bits=16):
    write_atomically(path, wave_bytes(samples, rate, bits))


def read(path):
    """Returns (format fields, samples in -1..1 with one column per channel)."""
    with open(path, "rb") as source:
        raw = source.read()
    if raw[:4] != b"RIFF" or raw[8:12] != b"WAVE":
        raise ValueError("%s: not a RIFF WAVE file" % path)
    chunks, offset = {}, 12
    while offset + 8 <= len(raw):
        name, size = raw[offset:offset + 4], struct.unpack("<I", raw[offset + 4:offset + 8])[0]
        chunks[name] = raw[offset + 8:offset + 8 + size]
        offset += 8 + size + (size & 1)
    tag, channels, rate, byte_rate, align, bits = struct.unpack("<HHIIHH", chunks[b"fmt "][:16])
    fields = dict(tag=tag, channels=channels, rate=rate, byte_rate=byte_rate, align=align, bits=bits,
                  fmt_size=len(chunks[b"fmt "]))
    data = chunks[b"data"]
    if bits == 8:
        samples = (np.frombuffer(data, dtype=np.uint8).astype(np.float64) - 128.0) / 127.0
    else:
        samples = np.frombuffer(data[:len(data) // 2 * 2], dtype="<i2").astype(np.float64) / 32767.0
    return fields, samples.reshape(-1, channels)
