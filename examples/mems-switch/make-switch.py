#!/usr/bin/env python3
"""Writes the MEMS switch sample: its layout, mems-switch.gds, and its
process list, mems-switch.plst.

The layout holds the switch's three masks, one layer each, the way a
designer keeps them in one file:

    layer 1  METAL   the pull-down electrode (a boundary) and the signal line
                     it switches (a path with a bend)
    layer 2  ANCHOR  the openings in the sacrificial layer that anchor the
                     beam: cell VIA placed as an array of 2 x 3
    layer 3  BEAM    the cantilever: an anchor pad, an arm, a paddle over the
                     electrode and a tip over the signal line (a concave
                     boundary)

Lengths are in micrometres, stored in nanometre database units; the list
draws each layer at one micrometre per cell. The list names the layout and
a layer of it in each lithography step instead of holding the masks as
flags, so a changed layout, or another one given with
--set "N:Top Mask File=...", is what the steps develop through.

Run it from anywhere after changing the switch:

    python3 examples/mems-switch/make-switch.py [FOLDER]

FOLDER (this script's folder unless given) receives both files.
"""
import importlib.util
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def _sample_flows():
    """The list writing of the other sample flows (examples/make-flows.py),
    whose entries this list shares."""
    spec = importlib.util.spec_from_file_location("make_flows", os.path.join(HERE, "..", "make-flows.py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


flows = _sample_flows()

# The negative resist of the default catalogue, which the other flows do
# not use.
NEGATIVE_RESIST = 12

# The volume: one micrometre per cell.
SIZE_X, SIZE_Y, SIZE_Z = 80, 40, 20
WAFER = 6          # silicon, z 0..5
INSULATION = 1     # oxide, z 6
METAL = 1          # gold, z 7
SACRIFICIAL = 10   # the sacrificial resist fills up to this height
BEAM = 2           # polysilicon, z 10..11

LAYOUT = "mems-switch.gds"
CELL = "SWITCH"
METAL_LAYER, ANCHOR_LAYER, BEAM_LAYER = 1, 2, 3

NM_PER_UM = 1000


class GdsWriter:
    """The stream format, record by record: a two-byte length (header
    included), a record type, a data type, then the data, big-endian."""

    # Data types.
    NONE, BITS, INT16, INT32, REAL8, ASCII = 0, 1, 2, 3, 5, 6

    def __init__(self):
        self.data = bytearray()

    def record(self, kind, data_type, payload=b""):
        if len(payload) % 2:
            payload += b"\0"
        self.data += struct.pack(">HBB", 4 + len(payload), kind, data_type) + payload

    def int16s(self, kind, *values):
        self.record(kind, self.INT16, struct.pack(">%dh" % len(values), *values))

    def int32s(self, kind, *values):
        self.record(kind, self.INT32, struct.pack(">%di" % len(values), *values))

    def ascii(self, kind, text):
        self.record(kind, self.ASCII, text.encode("ascii"))

    @staticmethod
    def real8(value):
        """Sign bit, excess-64 exponent of 16, 56-bit fraction."""
        if value == 0:
            return bytes(8)
        sign = 0x80 if value < 0 else 0
        value = abs(value)
        exponent = 64
        while value >= 1:
            value /= 16
            exponent += 1
        while value < 1 / 16:
            value *= 16
            exponent -= 1
        fraction = int(round(math.ldexp(value, 56)))
        return bytes([sign | exponent]) + fraction.to_bytes(7, "big")

    def xy(self, points):
        flat = [c for point in points for c in point]
        self.int32s(0x10, *flat)

    # The library, its cells and their elements.
    def begin_library(self, name, user_units, metres):
        self.int16s(0x00, 600)                       # HEADER: version
        self.int16s(0x01, *([2024, 1, 1, 0, 0, 0] * 2))  # BGNLIB: dates
        self.ascii(0x02, name)                       # LIBNAME
        self.record(0x03, self.REAL8, self.real8(user_units) + self.real8(metres))  # UNITS

    def end_library(self):
        self.record(0x04, self.NONE)                 # ENDLIB

    def begin_cell(self, name):
        self.int16s(0x05, *([2024, 1, 1, 0, 0, 0] * 2))  # BGNSTR: dates
        self.ascii(0x06, name)                       # STRNAME

    def end_cell(self):
        self.record(0x07, self.NONE)                 # ENDSTR

    def boundary(self, layer, datatype, points):
        self.record(0x08, self.NONE)                 # BOUNDARY
        self.int16s(0x0D, layer)                     # LAYER
        self.int16s(0x0E, datatype)                  # DATATYPE
        self.xy(list(points) + [points[0]])          # closed, as editors store them
        self.record(0x11, self.NONE)                 # ENDEL

    def path(self, layer, datatype, width, points, path_type=0):
        self.record(0x09, self.NONE)                 # PATH
        self.int16s(0x0D, layer)
        self.int16s(0x0E, datatype)
        self.int16s(0x21, path_type)                 # PATHTYPE: 0 flush ends
        self.int32s(0x0F, width)                     # WIDTH
        self.xy(points)
        self.record(0x11, self.NONE)

    def array(self, cell, columns, rows, origin, column_pitch, row_pitch):
        x, y = origin
        self.record(0x0B, self.NONE)                 # AREF
        self.ascii(0x12, cell)                       # SNAME
        self.int16s(0x13, columns, rows)             # COLROW
        self.xy([(x, y), (x + columns * column_pitch, y), (x, y + rows * row_pitch)])
        self.record(0x11, self.NONE)


def um(*points):
    return [(int(x * NM_PER_UM), int(y * NM_PER_UM)) for x, y in points]


def rectangle(x0, y0, x1, y1):
    return um((x0, y0), (x1, y0), (x1, y1), (x0, y1))


def switch_layout():
    gds = GdsWriter()
    # Layout units of a micrometre, database units of a nanometre.
    gds.begin_library("MEMSSWITCH", 1e-3, 1e-9)

    gds.begin_cell("VIA")
    gds.boundary(ANCHOR_LAYER, 0, rectangle(0, 0, 4, 4))
    gds.end_cell()

    gds.begin_cell(CELL)
    # The electrode that pulls the beam down, under its paddle.
    gds.boundary(METAL_LAYER, 0, rectangle(30, 10, 50, 30))
    # The signal line, 4 wide: in from the right edge, then along y under
    # the beam's tip.
    gds.path(METAL_LAYER, 0, 4 * NM_PER_UM, um((80, 4), (64, 4), (64, 40)))
    # Six anchor openings under the beam's pad.
    gds.array("VIA", 2, 3, um((10, 8))[0], 6 * NM_PER_UM, 10 * NM_PER_UM)
    # The beam: pad, arm, paddle and tip.
    gds.boundary(BEAM_LAYER, 0, um((8, 6), (22, 6), (22, 16), (30, 16), (30, 11), (50, 11), (50, 17), (70, 17),
                                   (70, 23), (50, 23), (50, 29), (30, 29), (30, 24), (22, 24), (22, 34), (8, 34)))
    gds.end_cell()

    gds.end_library()
    return bytes(gds.data)


def pvd(material, thickness):
    return flows.entry(12, [("MaterialId", "uint", material), ("Thickness", "double", thickness),
                            ("Horizontal to Vertical Ratio", "double", 0.5), ("DepositOn", "int", 1)])


def photolithography(resist, layer):
    """Develops `resist` through one layer of the layout, drawn at one
    micrometre per cell from the layout's origin; the entry holds no flags."""
    return flows.entry(0, [("MaterialId", "uint", resist),
                           ("Top Mask File", "QString", LAYOUT), ("Top Mask Cell", "QString", CELL),
                           ("Top Mask Layer", "uint", layer), ("Top Mask Datatype", "uint", 0),
                           ("Top Mask Units per Cell", "double", 1), ("Top Mask Offset X", "double", 0),
                           ("Top Mask Offset Y", "double", 0),
                           ("Bottom Mask", "vector", ""), ("Bottom Mask Width", "uint", 0),
                           ("Bottom Mask Height", "uint", 0), ("Bottom Mask File", "QString", "")])


def switch_list():
    metal_top = WAFER + INSULATION + METAL
    beam_top = SACRIFICIAL + BEAM
    entries = [
        flows.substrate(SIZE_X, SIZE_Y, WAFER, SIZE_Z),
        flows.cvd(flows.OXIDE, INSULATION),
        # The metal layer: gold, a resist over it kept where layer 1 draws,
        # the gold etched away elsewhere, the resist stripped.
        pvd(flows.GOLD, METAL),
        flows.spin_coating(flows.RESIST, metal_top + 1),
        photolithography(flows.RESIST, METAL_LAYER),
        flows.rie_from_top(flows.GOLD, METAL),
        flows.isotropic_etch(flows.RESIST, 2),
        # The sacrificial layer: a negative resist, which layer 2 opens
        # where its vias are drawn, down to the oxide.
        flows.spin_coating(NEGATIVE_RESIST, SACRIFICIAL),
        photolithography(NEGATIVE_RESIST, ANCHOR_LAYER),
        # Polysilicon fills the openings and is ground flat to the beam's top.
        flows.cvd(flows.POLY, BEAM + 3),
        flows.planarization(beam_top, 0),
        # The beam layer, etched straight down through the polysilicon.
        flows.spin_coating(flows.RESIST, beam_top + 1),
        photolithography(flows.RESIST, BEAM_LAYER),
        flows.rie_from_top(flows.POLY, BEAM),
        flows.isotropic_etch(flows.RESIST, 2),
        # Release: the sacrificial resist goes from under the beam, which
        # stays held by the polysilicon in the anchor openings.
        flows.isotropic_etch(NEGATIVE_RESIST, 12),
        flows.save_image("mems-switch.png"),
    ]
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<Process-List>\n' + "".join(entries) + "</Process-List>\n")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else HERE
    with open(os.path.join(folder, LAYOUT), "wb") as gds:
        gds.write(switch_layout())
    with open(os.path.join(folder, "mems-switch.plst"), "w", encoding="utf-8") as plst:
        plst.write(switch_list())


if __name__ == "__main__":
    main()
