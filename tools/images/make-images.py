#!/usr/bin/env python3
"""Turns the character pixel art under res/images/ into the BMP and ICO files that the
resource script embeds, and checks files already written against their art.

An art file holds comment lines (#), legend lines "colour <character> <colour name>" and one
or more pictures, each a line "picture <width>x<height>" followed by exactly <height> rows of
<width> characters, top row first. A colour name is one of the standard 16-colour palette
below, or "clear" for a pixel outside the picture.

  make-images.py bitmap ART IMAGE.bmp MASK.bmp   a 4-bit image and its 1-bit mask
  make-images.py icon ART ICON.ico               every picture of ART as one icon image
  --check                                        read the files back and compare them
                                                 with ART instead of writing them
  --scale PERCENT                                (bitmap) the picture enlarged for a
                                                 display at that scale, 100 by default

A clear pixel is black in the image and 1 (white) in the mask; every other pixel is 0 in
the mask. A scaled picture repeats each pixel of the art as often as its place in the
larger picture needs (nearest neighbour), the mask's pixels with it, so image and mask
still agree and the art keeps its hard edges. The program paints its bitmaps through the mask with raster operations that only
work when the image is black wherever the mask is 1, so both come from one picture.
"""

import argparse
import struct
import sys

# The standard 16-colour palette in palette order, as (red, green, blue).
PALETTE = [
    ("black", (0, 0, 0)),
    ("dark-red", (128, 0, 0)),
    ("dark-green", (0, 128, 0)),
    ("dark-yellow", (128, 128, 0)),
    ("dark-blue", (0, 0, 128)),
    ("dark-magenta", (128, 0, 128)),
    ("dark-cyan", (0, 128, 128)),
    ("light-grey", (192, 192, 192)),
    ("grey", (128, 128, 128)),
    ("red", (255, 0, 0)),
    ("green", (0, 255, 0)),
    ("yellow", (255, 255, 0)),
    ("blue", (0, 0, 255)),
    ("magenta", (255, 0, 255)),
    ("cyan", (0, 255, 255)),
    ("white", (255, 255, 255)),
]
STANDARD_COLOURS = [rgb for _, rgb in PALETTE]
COLOUR_INDEX = {name: index for index, (name, _) in enumerate(PALETTE)}
MONOCHROME = [(0, 0, 0), (255, 255, 255)]
CLEAR = None  # legend entry of a pixel outside the picture

FILE_HEADER = "<2sIHHI"  # BITMAPFILEHEADER
INFO_HEADER = "<IiiHHIIiiII"  # BITMAPINFOHEADER
ICON_DIRECTORY = "<HHH"
ICON_ENTRY = "<BBBBHHII"
FILE_HEADER_SIZE = struct.calcsize(FILE_HEADER)
INFO_HEADER_SIZE = struct.calcsize(INFO_HEADER)
BYTES_PER_COLOUR = 4  # RGBQUAD
MAX_SIZE = 256  # the largest picture an icon directory can describe


class ArtError(Exception):
    pass


class Picture:
    """One picture of an art file: rows of palette indices, CLEAR outside the picture."""

    def __init__(self, rows):
        self.rows = rows
        self.width = len(rows[0])
        self.height = len(rows)

    def image_rows(self):
        return [[0 if pixel is CLEAR else pixel for pixel in row] for row in self.rows]

    def mask_rows(self):
        return [[1 if pixel is CLEAR else 0 for pixel in row] for row in self.rows]


def scaled(picture, percent):
    """The picture enlarged to percent of its size (rounded), each pixel of the larger one
    taken from the pixel of the art that it lies on."""
    width = (picture.width * percent + 50) // 100
    height = (picture.height * percent + 50) // 100
    if not (0 < width <= MAX_SIZE and 0 < height <= MAX_SIZE):
        raise ArtError(f"a picture at {percent} % is out of range")
    return Picture(
        [
            [
                picture.rows[y * picture.height // height][x * picture.width // width]
                for x in range(width)
            ]
            for y in range(height)
        ]
    )


class Decoded:
    """An image and its mask as read back from a file, rows top first."""

    def __init__(self, palette, image, mask):
        self.palette = palette
        self.image = image
        self.mask = mask


def parse_art(path):
    legend = {}
    pictures = []
    with open(path, encoding="utf-8") as art:
        lines = art.read().splitlines()
    number = 0
    while number < len(lines):
        words = lines[number].split()
        number += 1
        where = f"{path}:{number}"
        if not words or words[0].startswith("#"):
            continue
        if words[0] == "colour" and len(words) == 3 and len(words[1]) == 1:
            legend[words[1]] = parse_colour(words[2], where)
        elif words[0] == "picture" and len(words) == 2:
            width, height = parse_size(words[1], where)
            rows = lines[number : number + height]
            if len(rows) != height:
                raise ArtError(f"{where}: the picture needs {height} rows")
            pictures.append(
                Picture(
                    [
                        parse_row(row, width, legend, f"{path}:{number + 1 + offset}")
                        for offset, row in enumerate(rows)
                    ]
                )
            )
            number += height
        else:
            raise ArtError(f"{where}: expected a colour or a picture line")
    if not pictures:
        raise ArtError(f"{path}: no picture")
    return pictures


def parse_colour(name, where):
    if name == "clear":
        return CLEAR
    if name not in COLOUR_INDEX:
        raise ArtError(f"{where}: unknown colour {name!r}")
    return COLOUR_INDEX[name]


def parse_size(text, where):
    try:
        width, height = (int(size) for size in text.split("x"))
    except ValueError:
        raise ArtError(f"{where}: the picture size must be <width>x<height>") from None
    if not (0 < width <= MAX_SIZE and 0 < height <= MAX_SIZE):
        raise ArtError(f"{where}: the picture size is out of range")
    return width, height


def parse_row(row, width, legend, where):
    if len(row) != width:
        raise ArtError(f"{where}: the row has {len(row)} pixels, not {width}")
    try:
        return [legend[character] for character in row]
    except KeyError as error:
        raise ArtError(f"{where}: character {error.args[0]!r} is not in the legend") from None


def stride(width, bits):
    """Bytes per stored row: DIB rows are padded to a multiple of four bytes."""
    return (width * bits + 31) // 32 * 4


def shift_of(x, bits):
    """Bit position of pixel x inside its byte: the leftmost pixel sits in the high bits."""
    return 8 - bits * (x % (8 // bits) + 1)


def pack_rows(rows, bits):
    """Pixel rows, top row first, into DIB pixel data, which stores the bottom row first."""
    data = bytearray()
    for row in reversed(rows):
        packed = bytearray(stride(len(row), bits))
        for x, value in enumerate(row):
            packed[x // (8 // bits)] |= value << shift_of(x, bits)
        data += packed
    return bytes(data)


def unpack_rows(data, width, height, bits):
    row_size = stride(width, bits)
    if len(data) < row_size * height:
        raise ArtError("the pixel data is shorter than the image")
    rows = []
    for stored in reversed(range(height)):
        packed = data[stored * row_size : (stored + 1) * row_size]
        values = [packed[x // (8 // bits)] >> shift_of(x, bits) for x in range(width)]
        rows.append([value & ((1 << bits) - 1) for value in values])
    return rows


def dib(rows, bits, colours, stored_height, extra_pixels=b""):
    """A header, colour table and pixels. An icon image stores its mask after its pixels
    and counts both in its height."""
    pixels = pack_rows(rows, bits) + extra_pixels
    header = struct.pack(
        INFO_HEADER, INFO_HEADER_SIZE, len(rows[0]), stored_height, 1, bits, 0, len(pixels),
        0, 0, len(colours), 0,
    )  # fmt: skip
    table = b"".join(bytes((blue, green, red, 0)) for red, green, blue in colours)
    return header + table + pixels


def bitmap_file(rows, bits, colours):
    body = dib(rows, bits, colours, len(rows))
    offset = FILE_HEADER_SIZE + INFO_HEADER_SIZE + BYTES_PER_COLOUR * len(colours)
    return struct.pack(FILE_HEADER, b"BM", FILE_HEADER_SIZE + len(body), 0, 0, offset) + body


def icon_file(pictures):
    images = [
        dib(p.image_rows(), 4, STANDARD_COLOURS, 2 * p.height, pack_rows(p.mask_rows(), 1))
        for p in pictures
    ]
    directory = struct.pack(ICON_DIRECTORY, 0, 1, len(images))
    offset = len(directory) + struct.calcsize(ICON_ENTRY) * len(images)
    for picture, image in zip(pictures, images):
        # The one-byte size fields write 256 as 0.
        width, height = picture.width % MAX_SIZE, picture.height % MAX_SIZE
        directory += struct.pack(ICON_ENTRY, width, height, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def read_dib(data, what):
    """Returns (width, stored height, bits, palette, pixel data) of an uncompressed DIB."""
    if len(data) < INFO_HEADER_SIZE:
        raise ArtError(f"{what}: truncated header")
    fields = struct.unpack_from(INFO_HEADER, data)
    size, width, stored_height, planes, bits, compression = fields[:6]
    colours = fields[9] or 1 << bits
    if size != INFO_HEADER_SIZE or planes != 1 or compression != 0:
        raise ArtError(f"{what}: not an uncompressed bitmap with a BITMAPINFOHEADER")
    if bits not in (1, 4) or width <= 0 or stored_height <= 0:
        raise ArtError(f"{what}: unexpected size or colour depth")
    table_end = INFO_HEADER_SIZE + BYTES_PER_COLOUR * colours
    table = data[INFO_HEADER_SIZE:table_end]
    palette = [
        (table[i + 2], table[i + 1], table[i]) for i in range(0, len(table), BYTES_PER_COLOUR)
    ]
    return width, stored_height, bits, palette, data[table_end:]


def read_bitmap_file(path, expected_bits):
    with open(path, "rb") as file:
        data = file.read()
    magic, file_size, _, _, offset = struct.unpack_from(FILE_HEADER, data)
    if magic != b"BM" or file_size != len(data):
        raise ArtError(f"{path}: bad file header")
    width, height, bits, palette, pixels = read_dib(data[FILE_HEADER_SIZE:], path)
    if bits != expected_bits:
        raise ArtError(f"{path}: {bits} bits per pixel, not {expected_bits}")
    if offset != FILE_HEADER_SIZE + INFO_HEADER_SIZE + BYTES_PER_COLOUR * len(palette):
        raise ArtError(f"{path}: the pixels do not follow the colour table")
    return (width, height), palette, unpack_rows(pixels, width, height, bits)


def read_bitmap_pair(image_path, mask_path):
    image_size, palette, image = read_bitmap_file(image_path, 4)
    mask_size, mask_palette, mask = read_bitmap_file(mask_path, 1)
    if mask_size != image_size:
        raise ArtError(f"{mask_path}: the mask's size differs from the image's")
    if mask_palette != MONOCHROME:
        raise ArtError(f"{mask_path}: the mask's colours are not black and white")
    return [(image_size, Decoded(palette, image, mask))]


def read_icon_file(path):
    with open(path, "rb") as file:
        data = file.read()
    reserved, kind, count = struct.unpack_from(ICON_DIRECTORY, data)
    if reserved != 0 or kind != 1:
        raise ArtError(f"{path}: not an icon file")
    images = []
    for entry in range(count):
        fields = struct.unpack_from(ICON_ENTRY, data, 6 + struct.calcsize(ICON_ENTRY) * entry)
        width, height, _, _, planes, bits, length, offset = fields
        width, height = width or MAX_SIZE, height or MAX_SIZE
        what = f"{path} image {entry}"
        if offset + length > len(data):
            raise ArtError(f"{what}: lies beyond the end of the file")
        stored_width, stored_height, dib_bits, palette, pixels = read_dib(
            data[offset : offset + length], what
        )
        if (planes, bits, dib_bits, stored_width, stored_height) != (1, 4, 4, width, 2 * height):
            raise ArtError(f"{what}: the directory entry disagrees with the image header")
        image_length = stride(width, 4) * height
        image = unpack_rows(pixels[:image_length], width, height, 4)
        mask = unpack_rows(pixels[image_length:], width, height, 1)
        images.append(((width, height), Decoded(palette, image, mask)))
    return images


def compare(pictures, decoded_images, what):
    """Lists every way in which files read back differ from the pictures they came from."""
    if len(decoded_images) != len(pictures):
        return [f"{what}: {len(decoded_images)} images for {len(pictures)} pictures"]
    failures = []
    for number, (picture, (size, decoded)) in enumerate(zip(pictures, decoded_images)):
        where = f"{what} image {number}"
        if size != (picture.width, picture.height):
            failures.append(f"{where}: the size differs from the art")
            continue
        if decoded.palette != STANDARD_COLOURS:
            failures.append(f"{where}: the colours are not the standard 16-colour palette")
        if decoded.image != picture.image_rows():
            failures.append(f"{where}: the image differs from the art")
        if decoded.mask != picture.mask_rows():
            failures.append(f"{where}: the mask differs from the art")
        failures += [
            f"{where}: pixel ({x}, {y}) is set in the mask but not black in the image"
            for y, (image_row, mask_row) in enumerate(zip(decoded.image, decoded.mask))
            for x, (colour, masked) in enumerate(zip(image_row, mask_row))
            if masked and colour != 0
        ]
    return failures


def bitmap_command(arguments):
    pictures = parse_art(arguments.art)
    if len(pictures) != 1:
        raise ArtError(f"{arguments.art}: a bitmap needs exactly one picture")
    if arguments.scale != 100:
        pictures = [scaled(pictures[0], arguments.scale)]
    if arguments.check:
        decoded = read_bitmap_pair(arguments.image, arguments.mask)
        return compare(pictures, decoded, arguments.image)
    write(arguments.image, bitmap_file(pictures[0].image_rows(), 4, STANDARD_COLOURS))
    write(arguments.mask, bitmap_file(pictures[0].mask_rows(), 1, MONOCHROME))
    return []


def icon_command(arguments):
    pictures = parse_art(arguments.art)
    if arguments.check:
        return compare(pictures, read_icon_file(arguments.icon), arguments.icon)
    write(arguments.icon, icon_file(pictures))
    return []


def write(path, data):
    with open(path, "wb") as file:
        file.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    bitmap = commands.add_parser("bitmap", help="a 4-bit image and its 1-bit mask")
    bitmap.add_argument("art")
    bitmap.add_argument("image")
    bitmap.add_argument("mask")
    bitmap.add_argument(
        "--scale", type=int, default=100, help="percent of the art's size, for that display scale"
    )
    bitmap.set_defaults(run=bitmap_command)
    icon = commands.add_parser("icon", help="an icon holding every picture of the art")
    icon.add_argument("art")
    icon.add_argument("icon")
    icon.set_defaults(run=icon_command)
    for command in (bitmap, icon):
        command.add_argument(
            "--check", action="store_true", help="compare existing files with the art"
        )
    arguments = parser.parse_args()
    try:
        failures = arguments.run(arguments)
    except (ArtError, OSError, struct.error) as error:
        failures = [str(error)]
    for failure in failures:
        print(f"make-images: {failure}", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
