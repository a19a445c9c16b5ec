#!/usr/bin/env python3
"""Draws the program's icon and its transparent cursor.

make_images.py OUT_DIR writes OUT_DIR/pelloran.ico (a framed landscape: sky,
sun and hills, in four images: 32x32 and 16x16 with 16 colours, 48x48 with 256
colours, 32x32 monochrome) and OUT_DIR/transparent.cur (32x32 monochrome, hot
spot 0,0, AND mask all ones and XOR mask all zeros, so it draws nothing).
"""
import struct
import sys

# The 16 standard colours of a 4-bit display, as (red, green, blue).
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def scene(size):
    """The design as a function of (x, y) in a size x size grid: a colour or None."""
    frame = max(1, size // 12)
    sun_x, sun_y, sun_r = size * 0.68, size * 0.32, size * 0.12

    def colour(x, y):
        if x < frame or y < frame or x >= size - frame or y >= size - frame:
            return (96, 64, 32)  # the wooden frame
        fx, fy = (x + 0.5) / size, (y + 0.5) / size
        far_hill = 0.62 - 0.12 * (1 - abs(fx - 0.35) * 2.2)
        near_hill = 0.78 - 0.16 * (1 - abs(fx - 0.8) * 2.0)
        if fy > near_hill:
            return (0, 128, 0)
        if fy > far_hill:
            return (64, 160, 64)
        if (x + 0.5 - sun_x) ** 2 + (y + 0.5 - sun_y) ** 2 <= sun_r ** 2:
            return (255, 224, 0)
        return (int(96 + 120 * fy), int(160 + 80 * fy), 255)

    return colour


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], rgb)))


def row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def pack_rows(indices, size, bpp):
    """Bottom-up rows of palette indices packed at bpp bits, each padded to 4 bytes."""
    out = bytearray()
    for y in reversed(range(size)):
        bits = 0
        nbits = 0
        row = bytearray()
        for x in range(size):
            bits = (bits << bpp) | indices[y][x]
            nbits += bpp
            if nbits == 8:
                row.append(bits)
                bits = nbits = 0
        if nbits:
            row.append(bits << (8 - nbits))
        row.extend(b"\0" * (row_bytes(size * bpp) - len(row)))
        out += row
    return bytes(out)


def dib(size, bpp, palette, indices, and_mask):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0, 0, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + colours + pack_rows(indices, size, bpp) + pack_rows(and_mask, size, 1)


def icon_image(size, bpp):
    colour = scene(size)
    if bpp == 1:
        palette = [(0, 0, 0), (255, 255, 255)]
        # White sky and sun, black frame and hills.
        indices = [[1 if (colour(x, y)[2] == 255 or colour(x, y) == (255, 224, 0)) else 0
                    for x in range(size)] for y in range(size)]
    else:
        if bpp == 4:
            palette = VGA16
        else:
            levels = [0, 51, 102, 153, 204, 255]
            palette = VGA16 + [(r, g, b) for b in levels for g in levels for r in levels]
            palette += [(0, 0, 0)] * (256 - len(palette))
        indices = [[nearest(palette, colour(x, y)) for x in range(size)] for y in range(size)]
    opaque = [[0] * size for _ in range(size)]
    return dib(size, bpp, palette, indices, opaque), len(palette) if bpp < 8 else 0


def write_icon(path):
    images = [(32, 4), (16, 4), (48, 8), (32, 1)]
    blobs = [icon_image(size, bpp) for size, bpp in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bpp), (blob, colours) in zip(images, blobs):
        out += struct.pack("<BBBBHHII", size, size, colours & 0xFF, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    out += b"".join(blob for blob, _ in blobs)
    with open(path, "wb") as f:
        f.write(out)


def write_cursor(path):
    size = 32
    xor = [[0] * size for _ in range(size)]
    and_mask = [[1] * size for _ in range(size)]
    blob = dib(size, 1, [(0, 0, 0), (255, 255, 255)], xor, and_mask)
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", size, size, 2, 0, 0, 0, len(blob), 6 + 16)
    out += blob
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    out_dir = sys.argv[1]
    write_icon(out_dir + "/pelloran.ico")
    write_cursor(out_dir + "/transparent.cur")
