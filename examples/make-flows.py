#!/usr/bin/env python3
"""Writes the sample flows of this folder: each flow's process list and the
mask images it develops its resist through.

A process list holds its masks as flags, one per pixel, the way the
Photolithography dialog stores the image it was given; this script draws
each mask once and writes both the PNG (for people and for the dialog) and
the flags (for the list) from the same drawing, so the two cannot drift
apart. Run it from anywhere after changing a flow:

    python3 examples/make-flows.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Material ids of the default catalogue.
SI, OXIDE, NICKEL, GOLD, RESIST, POLY = 1, 3, 7, 9, 11, 16


def parameter(name, kind, data):
    return (f'        <Parameter parameter-name="{name}" parameter-type="{kind}" '
            f'parameter-data="{data}" parameter-visibility="true"/>\n')


def entry(kind, parameters):
    body = "".join(parameter(*p) for p in sorted(parameters))
    return f'    <Process-Data process-type="{kind}">\n{body}    </Process-Data>\n'


def substrate(size_x, size_y, thickness, height):
    return entry(11, [("MaterialId", "uint", SI), ("Lower Left Front Corner", "Util::Vector3D", "0;0;0"),
                      ("Volume Size X", "uint", size_x), ("Volume Size Y", "uint", size_y),
                      ("Volume Size Z", "uint", height), ("SphericalSubstrate", "bool", "false"),
                      ("Substrate Size X", "uint", size_x), ("Substrate Size Y", "uint", size_y),
                      ("Substrate Size Z", "uint", thickness), ("Substrate Delta X", "uint", 0),
                      ("Substrate Delta Y", "uint", 0), ("Substrate Delta Z", "uint", 0)])


def cvd(material, thickness):
    return entry(4, [("MaterialId", "uint", material), ("Thickness", "double", thickness)])


def isotropic_etch(material, depth):
    return entry(5, [("MaterialId", "uint", material), ("Depth", "double", depth)])


def rie_from_top(material, depth):
    return entry(13, [("MaterialId", "uint", material), ("Etch Depth", "uint", depth), ("EtchDirectionValue", "int", 1)])


def spin_coating(material, height):
    return entry(9, [("MaterialId", "uint", material), ("Maximum Height", "uint", height)])


def planarization(maximum, minimum):
    return entry(6, [("Maximum Height", "uint", maximum), ("Minimum Height", "uint", minimum)])


def wet_etch(depth):
    return entry(1, [("Depth", "double", depth)])


def electroplating(conducting, deposited, thickness):
    return entry(7, [("ConductingMaterialId", "uint", conducting), ("DepositedMaterialId", "uint", deposited),
                     ("Film Thickness", "double", thickness)])


def save_image(file_name):
    return entry(10, [("Filename", "QString", file_name)])


def opaque_flags(mask):
    """The list's flags of a mask: each image column bottom row first."""
    height = len(mask)
    return "".join("1" if mask[height - 1 - row][column] else "0"
                   for column in range(len(mask[0])) for row in range(height))


def photolithography(resist, mask, file_name):
    empty = [("Bottom Mask", "vector", ""), ("Bottom Mask Width", "uint", 0), ("Bottom Mask Height", "uint", 0),
             ("Bottom Mask File", "QString", "")]
    return entry(0, empty + [("MaterialId", "uint", resist), ("Top Mask", "vector", opaque_flags(mask)),
                             ("Top Mask Width", "uint", len(mask[0])), ("Top Mask Height", "uint", len(mask)),
                             ("Top Mask File", "QString", file_name)])


def write_png(path, mask):
    """Opaque pixels black, the rest white; rows top first as images have them."""
    width, height = len(mask[0]), len(mask)
    rows = b"".join(b"\0" + bytes(0 if opaque else 255 for opaque in row) for row in mask)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def draw(width, height, clear):
    """A mask whose pixel (x, y), y counted upwards as in the volume, is
    transparent where clear(x, y) holds."""
    return [[not clear(x, height - 1 - row) for x in range(width)] for row in range(height)]


def write_list(folder, name, entries):
    with open(os.path.join(HERE, folder, name), "w", encoding="utf-8") as plst:
        plst.write('<?xml version="1.0" encoding="UTF-8"?>\n<Process-List>\n' + "".join(entries)
                   + "</Process-List>\n")


def membrane():
    # A 30-cell wafer etched 24 cells deep through a 60-cell square window
    # leaves a 6-cell membrane; the (111) walls take 17 cells of the window
    # on each side, so the membrane's floor is 26 cells wide.
    size, wafer, window, depth = 80, 30, 60, 24
    low = (size - window) // 2
    mask = draw(size, size, lambda x, y: low <= x < low + window and low <= y < low + window)
    write_png(os.path.join(HERE, "membrane", "membrane-window.png"), mask)
    write_list("membrane", "membrane.plst", [
        substrate(size, size, wafer, wafer + 4),
        cvd(OXIDE, 1),
        cvd(RESIST, 1),
        photolithography(RESIST, mask, "membrane-window.png"),
        isotropic_etch(OXIDE, 1),
        isotropic_etch(RESIST, 2),
        wet_etch(depth),
        save_image("membrane.png"),
    ])


def cantilever():
    # A 36 x 8 polysilicon beam, 3 cells thick, held at one end by an
    # anchor strip across the whole volume and freed 3 cells above the
    # substrate by etching the sacrificial oxide away. Both resist layers
    # are spun on flat and the films are etched straight down, so the beam's
    # sides are flat and its netlist is one beam.
    size_x, size_y, wafer, oxide, beam = 60, 24, 6, 3, 3
    anchor, length, width = 12, 36, 8
    top = wafer + oxide + beam
    side = (size_y - width) // 2
    anchor_mask = draw(size_x, size_y, lambda x, y: x < anchor)
    beam_mask = draw(size_x, size_y, lambda x, y: not (x < anchor or (x < anchor + length and side <= y < side + width)))
    write_png(os.path.join(HERE, "cantilever", "cantilever-anchor.png"), anchor_mask)
    write_png(os.path.join(HERE, "cantilever", "cantilever-beam.png"), beam_mask)
    write_list("cantilever", "cantilever.plst", [
        substrate(size_x, size_y, wafer, top + 4),
        cvd(OXIDE, oxide),
        spin_coating(RESIST, wafer + oxide + 1),
        photolithography(RESIST, anchor_mask, "cantilever-anchor.png"),
        rie_from_top(OXIDE, oxide),
        isotropic_etch(RESIST, 2),
        # Thick enough to fill the anchor opening, then ground flat to the
        # beam's top.
        cvd(POLY, top - wafer + 1),
        planarization(top, 0),
        spin_coating(RESIST, top + 1),
        photolithography(RESIST, beam_mask, "cantilever-beam.png"),
        rie_from_top(POLY, beam),
        isotropic_etch(RESIST, 2),
        # Wide enough to clear the oxide under the beam from both sides.
        isotropic_etch(OXIDE, width // 2 + 2),
        save_image("cantilever.png"),
    ])


def gear(x, y, centre):
    """A gear of 8 teeth around a round hole, centred on (centre, centre)."""
    dx, dy = x + 0.5 - centre, y + 0.5 - centre
    radius = math.hypot(dx, dy)
    tooth = math.cos(8 * math.atan2(dy, dx)) > 0.2
    return 7 <= radius < (22 if tooth else 17)


def electroplated():
    # A nickel gear plated 10 cells high into a 12-cell resist mould on a
    # gold seed layer; stripping the mould leaves the gear standing free.
    size, wafer, seed, mould, plated = 56, 6, 1, 12, 10
    mask = draw(size, size, lambda x, y: gear(x, y, size / 2))
    write_png(os.path.join(HERE, "electroplated", "electroplated-gear.png"), mask)
    write_list("electroplated", "electroplated.plst", [
        substrate(size, size, wafer, wafer + seed + mould + 2),
        cvd(GOLD, seed),
        spin_coating(RESIST, wafer + seed + mould),
        photolithography(RESIST, mask, "electroplated-gear.png"),
        electroplating(GOLD, NICKEL, plated),
        isotropic_etch(RESIST, mould + 1),
        save_image("electroplated.png"),
    ])


if __name__ == "__main__":
    membrane()
    cantilever()
    electroplated()
