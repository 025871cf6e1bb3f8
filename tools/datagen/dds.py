"""DDS files as the game's texture loader reads them: uncompressed A8R8G8B8, DXT1 and DXT5.

Every encoder here is deterministic, so that the same picture always gives the same bytes.
"""
import struct

import numpy as np

_DDSD_CAPS, _DDSD_HEIGHT, _DDSD_WIDTH, _DDSD_PITCH = 0x1, 0x2, 0x4, 0x8
_DDSD_PIXELFORMAT, _DDSD_LINEARSIZE = 0x1000, 0x80000
_DDPF_ALPHAPIXELS, _DDPF_FOURCC, _DDPF_RGB = 0x1, 0x4, 0x40
_DDSCAPS_TEXTURE = 0x1000


def _header(width, height, flags, pitch_or_size, pixel_format):
    fields = struct.pack("<7I", 124, flags, height, width, pitch_or_size, 0, 1)
    fields += b"\0" * 44  # reserved
    fields += pixel_format
    fields += struct.pack("<5I", _DDSCAPS_TEXTURE, 0, 0, 0, 0)
    assert len(fields) == 124
    return b"DDS " + fields


def _argb_pixel_format():
    return struct.pack("<8I", 32, _DDPF_RGB | _DDPF_ALPHAPIXELS, 0, 32,
                       0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)


def _fourcc_pixel_format(code):
    return struct.pack("<2I4s5I", 32, _DDPF_FOURCC, code, 0, 0, 0, 0, 0)


def _as_rgba(image):
    return np.asarray(image.convert("RGBA"), dtype=np.uint8)


def encode_argb(image):
    """One level of 32-bit texels, stored B, G, R, A in memory as D3DFMT_A8R8G8B8 is."""
    rgba = _as_rgba(image)
    height, width = rgba.shape[:2]
    bgra = rgba[:, :, [2, 1, 0, 3]].copy()
    flags = _DDSD_CAPS | _DDSD_HEIGHT | _DDSD_WIDTH | _DDSD_PIXELFORMAT | _DDSD_PITCH
    return _header(width, height, flags, width * 4, _argb_pixel_format()) + bgra.tobytes()


def _blocks(rgba):
    """The picture cut into 4 by 4 blocks: array (blocks, 16, channels), in row-major block order."""
    height, width, channels = rgba.shape
    if width % 4 or height % 4:
        raise ValueError("block-compressed pictures need sides that are multiples of 4")
    cut = rgba.reshape(height // 4, 4, width // 4, 4, channels).swapaxes(1, 2)
    return cut.reshape(-1, 16, channels)


def _to565_rounded(rgb, rounding):
    levels = np.array([31, 63, 31], dtype=np.float64)
    code = np.clip(rounding(np.clip(rgb, 0, 255) * levels / 255 - 1e-9 * (rounding is np.ceil)), 0, levels)
    code = code.astype(np.uint32)
    return code[..., 0] << 11 | code[..., 1] << 5 | code[..., 2]


def _from565(code):
    red = (code >> 11 & 31) * 255 // 31
    green = (code >> 5 & 63) * 255 // 63
    blue = (code & 31) * 255 // 31
    return np.stack([red, green, blue], axis=-1).astype(np.float64)


def _colour_blocks(rgb):
    """Four-colour DXT blocks: endpoints on the block's main axis, each texel its nearest palette entry."""
    pixels = rgb.astype(np.float64)
    mean = pixels.mean(axis=1, keepdims=True)
    centred = pixels - mean
    covariance = np.einsum("bki,bkj->bij", centred, centred)
    axis = np.ones((len(pixels), 3)) / np.sqrt(3.0)
    for _ in range(8):  # power iteration towards the main axis
        axis = np.einsum("bij,bj->bi", covariance, axis)
        norm = np.linalg.norm(axis, axis=1, keepdims=True)
        axis = np.where(norm > 1e-9, axis / np.maximum(norm, 1e-9), 1.0 / np.sqrt(3.0))
    along = np.einsum("bki,bi->bk", centred, axis)
    low = mean[:, 0] + along.min(axis=1)[:, None] * axis
    high = mean[:, 0] + along.max(axis=1)[:, None] * axis
    # Rounding the ends outwards keeps the block's colours between them, so a block of one colour that
    # 5-6-5 cannot hold gets two neighbouring codes and its blends come within a third of a step.
    first, second = _to565_rounded(high, np.ceil), _to565_rounded(low, np.floor)
    swap = first < second
    first, second = np.where(swap, second, first), np.where(swap, first, second)
    c0, c1 = _from565(first), _from565(second)
    palette = np.stack([c0, c1, (2 * c0 + c1) // 3, (c0 + 2 * c1) // 3], axis=1)
    distance = ((pixels[:, :, None, :] - palette[:, None, :, :]) ** 2).sum(axis=-1)
    indices = distance.argmin(axis=2).astype(np.uint32)
    # Equal endpoints would mean three-colour mode, where index 3 is transparent: use index 0 only.
    indices[first == second] = 0
    packed = (indices << (2 * np.arange(16, dtype=np.uint32))).sum(axis=1, dtype=np.uint64).astype(np.uint32)
    out = np.zeros((len(pixels), 8), dtype=np.uint8)
    out[:, 0:2] = first.astype("<u2").view(np.uint8).reshape(-1, 2)
    out[:, 2:4] = second.astype("<u2").view(np.uint8).reshape(-1, 2)
    out[:, 4:8] = packed.astype("<u4").view(np.uint8).reshape(-1, 4)
    return out


def _alpha_blocks(alpha):
    """DXT5 alpha blocks in the eight-value mode between each block's extremes."""
    values = alpha.astype(np.int64)
    high, low = values.max(axis=1), values.min(axis=1)
    # Palette order of the eight-value mode: a0, a1, then six blends from a0 towards a1.
    weights = np.array([0, 7, 1, 2, 3, 4, 5, 6])
    palette = ((7 - weights)[None, :] * high[:, None] + weights[None, :] * low[:, None]) // 7
    distance = np.abs(values[:, :, None] - palette[:, None, :])
    indices = distance.argmin(axis=2).astype(np.uint64)
    flat = high == low
    indices[flat] = 0
    bits = (indices << (3 * np.arange(16, dtype=np.uint64))).sum(axis=1, dtype=np.uint64)
    # With a0 equal to a1 the six-value mode applies; index 0 is still a0, so the block stays exact.
    out = np.zeros((len(values), 8), dtype=np.uint8)
    out[:, 0] = high
    out[:, 1] = low
    out[:, 2:8] = bits.astype("<u8").view(np.uint8).reshape(-1, 8)[:, :6]
    return out


def _block_image(blocks, width, height, block_bytes):
    across = width // 4
    return blocks.reshape(height // 4, across, block_bytes).tobytes()


def encode_dxt1(image):
    """An opaque picture as DXT1 (half a byte per texel)."""
    rgba = _as_rgba(image)
    height, width = rgba.shape[:2]
    blocks = _colour_blocks(_blocks(rgba[:, :, :3]))
    flags = _DDSD_CAPS | _DDSD_HEIGHT | _DDSD_WIDTH | _DDSD_PIXELFORMAT | _DDSD_LINEARSIZE
    return _header(width, height, flags, blocks.size, _fourcc_pixel_format(b"DXT1")) + \
        _block_image(blocks, width, height, 8)


def encode_dxt5(image):
    """A picture with soft transparency as DXT5 (one byte per texel)."""
    rgba = _as_rgba(image)
    height, width = rgba.shape[:2]
    cut = _blocks(rgba)
    blocks = np.concatenate([_alpha_blocks(cut[:, :, 3]), _colour_blocks(cut[:, :, :3])], axis=1)
    flags = _DDSD_CAPS | _DDSD_HEIGHT | _DDSD_WIDTH | _DDSD_PIXELFORMAT | _DDSD_LINEARSIZE
    return _header(width, height, flags, blocks.size, _fourcc_pixel_format(b"DXT5")) + \
        _block_image(blocks, width, height, 16)


ENCODERS = {"argb": encode_argb, "dxt1": encode_dxt1, "dxt5": encode_dxt5}


def write(path, image, form):
    with open(path, "wb") as file:
        file.write(ENCODERS[form](image))


def _decode_colour(blocks):
    first = blocks[:, 0].astype(np.uint32) | blocks[:, 1].astype(np.uint32) << 8
    second = blocks[:, 2].astype(np.uint32) | blocks[:, 3].astype(np.uint32) << 8
    c0, c1 = _from565(first), _from565(second)
    palette = np.stack([c0, c1, (2 * c0 + c1) // 3, (c0 + 2 * c1) // 3], axis=1)
    bits = blocks[:, 4:8].copy().view("<u4")[:, 0]
    indices = (bits[:, None] >> (2 * np.arange(16, dtype=np.uint32))) & 3
    return np.take_along_axis(palette, indices[:, :, None].astype(np.int64), axis=1)


def _decode_alpha(blocks):
    a0, a1 = blocks[:, 0].astype(np.int64), blocks[:, 1].astype(np.int64)
    weights = np.array([0, 7, 1, 2, 3, 4, 5, 6])
    palette = ((7 - weights)[None, :] * a0[:, None] + weights[None, :] * a1[:, None]) // 7
    if np.any(a0 <= a1):
        raise ValueError("only the eight-value alpha mode is written here")
    raw = np.zeros((len(blocks), 8), dtype=np.uint8)
    raw[:, :6] = blocks[:, 2:8]
    bits = raw.view("<u8")[:, 0]
    indices = (bits[:, None] >> (3 * np.arange(16, dtype=np.uint64))) & 7
    return np.take_along_axis(palette, indices.astype(np.int64), axis=1)


def decode(data):
    """The level-0 texels of a DDS file written here, as an RGBA array (for previews and checks)."""
    height, width = struct.unpack_from("<2I", data, 12)
    flags, code = struct.unpack_from("<I4s", data, 80)
    body = np.frombuffer(data, dtype=np.uint8, offset=128)
    if not flags & _DDPF_FOURCC:
        return body[:width * height * 4].reshape(height, width, 4)[:, :, [2, 1, 0, 3]].copy()
    block_bytes = 8 if code == b"DXT1" else 16
    count = (width // 4) * (height // 4)
    blocks = body[:count * block_bytes].reshape(count, block_bytes)
    rgba = np.full((count, 16, 4), 255, dtype=np.int64)
    rgba[:, :, :3] = _decode_colour(blocks[:, -8:])
    if code == b"DXT5":
        flat = blocks[:, 0] == blocks[:, 1]
        alpha = np.repeat(blocks[:, 0:1].astype(np.int64), 16, axis=1)
        if np.any(~flat):
            alpha[~flat] = _decode_alpha(blocks[~flat])
        rgba[:, :, 3] = alpha
    cut = rgba.reshape(height // 4, width // 4, 4, 4, 4).swapaxes(1, 2)
    return cut.reshape(height, width, 4).astype(np.uint8)
