"""Pictures compared as the eye would: the share of the lit pixels (a channel
above LIT) of either picture with no pixel of like colour (every channel within
LIKE, 0 to 255) within one pixel in the other. Decodes with ImageMagick's convert."""
import subprocess

import numpy

LIT = 24
LIKE = 40


def decode(png):
    """RGB pixels of a PNG (bytes or a path), rows from the top."""
    if isinstance(png, str):
        with open(png, "rb") as f:
            png = f.read()
    ppm = subprocess.run(["convert", "png:-", "-depth", "8", "ppm:-"], input=png, check=True,
                         stdout=subprocess.PIPE, timeout=60).stdout
    fields = ppm.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    return numpy.frombuffer(fields[4], numpy.uint8, width * height * 3).reshape(height, width, 3)


def from_rgb(image):
    """The harness's screenshot (tests/e2e/harness.py Image) as pixels."""
    return numpy.frombuffer(image.data, numpy.uint8).reshape(image.height, image.width, 3)


def unmatched(x, y):
    """Lit pixels of x with no like pixel within one pixel in y, and x's lit pixels."""
    h, w, _ = x.shape
    lit = x.max(axis=2) > LIT
    near = numpy.zeros(lit.shape, bool)
    padded = numpy.pad(y.astype(numpy.int16), ((1, 1), (1, 1), (0, 0)), constant_values=-1000)
    for dy in (-1, 0, 1):
        for dx in (-1, 0, 1):
            shifted = padded[1 + dy:1 + dy + h, 1 + dx:1 + dx + w]
            near |= numpy.abs(shifted - x.astype(numpy.int16)).max(axis=2) <= LIKE
    return lit & ~near, lit


def differing_share(a, b):
    """Per cent of the lit pixels of either picture that differ."""
    if a.shape != b.shape:
        return 100.0
    only_a, lit_a = unmatched(a, b)
    only_b, lit_b = unmatched(b, a)
    return 100.0 * (only_a | only_b).sum() / max(1, (lit_a | lit_b).sum())
