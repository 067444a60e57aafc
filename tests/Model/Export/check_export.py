#!/usr/bin/python3
"""Opens an exported file with a real reader and checks what it holds.

VTK's own XML readers open "*.vti" and "*.vtp", meshio opens "*.stl" and
"*.obj", and VTK's OBJ importer reads the colours file that the OBJ file's
"mtllib" line names, split into words as such readers split it. The expectations come from the command line; the checks of the
surfaces (each body closed, enclosing the volume of its cells) are computed
here from what the reader returned, independently of the exporter.

  check_export.py vti FILE --extent NX NY NZ --origin X Y Z --spacing DX DY DZ
                  --cells ID=COUNT ... --name ID=NAME ...
  check_export.py vtp|stl|obj FILE --bounds X0 X1 Y0 Y1 Z0 Z1
                  --volume ID=VOLUME ... [--name ID=NAME ...] [--shared ID:ID=AREA ...]

--length-unit METRES (any format) is the length of a coordinate unit the
file must give: VTK's field data "length_unit", the STL header or a comment
line of the OBJ file.

--shared gives the area of the faces between two materials, which both
bodies must hold as the same triangles walked in opposite directions.
"""
import argparse
import collections
import os
import re
import struct
import sys

try:
    import numpy as np
    import vtk
    from vtk.util import numpy_support
    import meshio
except ImportError as error:
    sys.exit("the export readers are missing (%s): install python3-vtk9 and python3-meshio, "
             "as ./setup.sh test does" % error)

failures = []


def expect(condition, text):
    if not condition:
        failures.append(text)


def pairs(items, convert):
    result = {}
    for item in items or []:
        key, value = item.split("=", 1)
        result[int(key)] = convert(value)
    return result


def shared(args):
    result = {}
    for item in args.shared or []:
        pair, area = item.split("=", 1)
        first, second = pair.split(":", 1)
        result[(int(first), int(second))] = float(area)
    return result


def field_materials(data):
    """id -> (name, colour) from the field data the exporter writes."""
    fields = data.GetFieldData()
    ids = fields.GetAbstractArray("material_id")
    names = fields.GetAbstractArray("material_name")
    colours = fields.GetAbstractArray("material_colour")
    expect(ids is not None and names is not None and colours is not None, "no material field data")
    if ids is None or names is None or colours is None:
        return {}
    expect(colours.GetNumberOfComponents() == 4, "colours are not RGBA")
    result = {}
    for i in range(ids.GetNumberOfTuples()):
        colour = colours.GetTuple(i)
        expect(all(0.0 <= c <= 1.0 for c in colour), "colour out of range: %s" % (colour,))
        result[int(ids.GetTuple1(i))] = (names.GetValue(i), colour)
    return result


def check_names(known, expected):
    for material, name in expected.items():
        expect(material in known and known[material][0] == name,
               "material %d is named %r, not %r" % (material, known.get(material, ("none",))[0], name))


def check_shared(points, triangles, materials, expected):
    """Faces between two bodies: the same triangles in both, reversed."""
    def turned(t):
        t = list(t)
        while t[0] != min(t):
            t = t[1:] + t[:1]
        return tuple(t)
    faces = {}
    for t, material in zip(triangles, materials):
        faces.setdefault(turned(t), []).append(int(material))
    for pair, wanted in expected.items():
        first, second = pair
        area = 0.0
        for t, material in zip(triangles, materials):
            if int(material) == first and second in faces.get(turned(t[::-1]), []):
                a, b, c = points[t[0]], points[t[1]], points[t[2]]
                area += float(np.linalg.norm(np.cross(b - a, c - a))) / 2
        expect(abs(area - wanted) <= 1e-6 * max(1.0, wanted),
               "materials %d and %d share %g, expected %g" % (first, second, area, wanted))


def check_bodies(points, triangles, materials, expected_volumes, bounds):
    """Every body closed and consistently oriented, enclosing its volume."""
    low, high = points.min(axis=0), points.max(axis=0)
    for axis in range(3):
        expect(abs(low[axis] - bounds[2 * axis]) < 1e-4 and abs(high[axis] - bounds[2 * axis + 1]) < 1e-4,
               "bounds %s .. %s, expected %s" % (low, high, bounds))
    found = sorted(set(int(m) for m in materials))
    expect(found == sorted(expected_volumes), "materials %s, expected %s" % (found, sorted(expected_volumes)))
    for material in found:
        body = triangles[materials == material]
        edges = collections.Counter()
        for a, b, c in body:
            for p, q in ((a, b), (b, c), (c, a)):
                edges[(p, q)] += 1
        open_edges = sum(1 for (p, q), n in edges.items() if edges.get((q, p), 0) != n)
        expect(open_edges == 0, "material %d: %d edges without their opposite" % (material, open_edges))
        a, b, c = points[body[:, 0]], points[body[:, 1]], points[body[:, 2]]
        volume = float(np.einsum("ij,ij->i", a, np.cross(b, c)).sum() / 6.0)
        wanted = expected_volumes.get(material, 0.0)
        expect(abs(volume - wanted) <= 1e-6 * max(1.0, wanted),
               "material %d encloses %g, expected %g" % (material, volume, wanted))
    return len(triangles)


def read_vti(path, args):
    reader = vtk.vtkXMLImageDataReader()
    reader.SetFileName(path)
    reader.Update()
    image = reader.GetOutput()
    extent = image.GetExtent()
    expect(list(extent) == [0, args.extent[0], 0, args.extent[1], 0, args.extent[2]], "extent %s" % (extent,))
    expect(np.allclose(image.GetOrigin(), args.origin), "origin %s" % (image.GetOrigin(),))
    expect(np.allclose(image.GetSpacing(), args.spacing), "spacing %s" % (image.GetSpacing(),))
    cells = image.GetCellData().GetArray("material")
    expect(cells is not None, "no cell array \"material\"")
    if cells is None:
        return
    values = numpy_support.vtk_to_numpy(cells)
    expect(len(values) == args.extent[0] * args.extent[1] * args.extent[2], "%d cells" % len(values))
    counts = collections.Counter(int(v) for v in values)
    expect(counts == pairs(args.cells, int), "cells per material %s" % dict(counts))
    known = field_materials(image)
    expect(sorted(known) == sorted(m for m in counts if m != 0), "field data names %s" % sorted(known))
    check_names(known, pairs(args.name, str))
    print("vti: %d cells, materials %s" % (len(values), dict(counts)))


def read_vtp(path, args):
    reader = vtk.vtkXMLPolyDataReader()
    reader.SetFileName(path)
    reader.Update()
    data = reader.GetOutput()
    points = numpy_support.vtk_to_numpy(data.GetPoints().GetData()).astype(float)
    polys = data.GetPolys()
    offsets = numpy_support.vtk_to_numpy(polys.GetOffsetsArray())
    connectivity = numpy_support.vtk_to_numpy(polys.GetConnectivityArray())
    expect(np.all(np.diff(offsets) == 3), "polygons other than triangles")
    triangles = connectivity.reshape(-1, 3)
    materials = numpy_support.vtk_to_numpy(data.GetCellData().GetArray("material")).astype(int)
    count = check_bodies(points, triangles, materials, pairs(args.volume, float), args.bounds)
    check_shared(points, triangles, materials, shared(args))
    known = field_materials(data)
    expect(sorted(known) == sorted(set(materials)), "field data names %s" % sorted(known))
    check_names(known, pairs(args.name, str))
    print("vtp: %d triangles" % count)


def read_stl(path, args):
    mesh = meshio.read(path, file_format="stl")
    triangles = mesh.get_cells_type("triangle")
    # meshio skips the attribute word, where the exporter puts the material.
    with open(path, "rb") as stl:
        stl.seek(80)
        (count,) = struct.unpack("<I", stl.read(4))
        records = np.frombuffer(stl.read(50 * count), dtype=np.dtype(
            [("normal", "<f4", (3,)), ("facet", "<f4", (3, 3)), ("attribute", "<u2")]))
    expect(len(triangles) == count, "meshio read %d of %d triangles" % (len(triangles), count))
    materials = records["attribute"].astype(int)
    check_bodies(mesh.points.astype(float), triangles, materials, pairs(args.volume, float), args.bounds)
    check_shared(mesh.points.astype(float), triangles, materials, shared(args))
    print("stl: %d triangles" % len(triangles))


def check_mtllib(path, groups):
    """The colours file found as readers find it: each word after "mtllib" is
    a file beside the OBJ file, and every group's material is defined there."""
    libraries = []
    with open(path) as obj:
        for line in obj:
            words = line.split()
            if words and words[0] == "mtllib":
                libraries += words[1:]
    expect(len(libraries) == 1, "mtllib names %s, not one file" % libraries)
    for name in libraries:
        mtl = os.path.join(os.path.dirname(path), name)
        expect(os.path.isfile(mtl), "mtllib names %r, which is not beside the OBJ file" % name)
        if not os.path.isfile(mtl):
            continue
        importer = vtk.vtkOBJImporter()
        importer.SetFileName(path)
        importer.SetFileNameMTL(mtl)
        importer.Update()
        actors = importer.GetRenderer().GetActors()
        described = [importer.GetOutputDescription(i) for i in range(actors.GetNumberOfItems())]
        named = set(re.findall(r"with material named (\S+)", " ".join(described)))
        expect(named == set(groups), "the colours file defines %s for the groups %s" % (sorted(named), groups))


def read_obj(path, args):
    mesh = meshio.read(path, file_format="obj")
    groups = []
    with open(path) as obj:
        for line in obj:
            if line.startswith("g "):
                groups.append(line.split()[1])
    names = pairs(args.name, str)
    by_group = {}
    for material, name in names.items():
        single = re.sub(r"\s", "_", name)
        expect(single in groups, "no group %r among %s" % (single, groups))
        if single in groups:
            by_group[groups.index(single)] = material
    blocks, materials = [], []
    for block, group in zip(mesh.cells, mesh.cell_data["obj:group_ids"]):
        expect(block.type == "triangle", "a block of %s" % block.type)
        blocks.append(block.data)
        materials.append(np.full(len(block.data), by_group.get(int(group[0]), -1)))
    triangles = np.concatenate(blocks)
    count = check_bodies(mesh.points.astype(float), triangles, np.concatenate(materials),
                         pairs(args.volume, float), args.bounds)
    check_shared(mesh.points.astype(float), triangles, np.concatenate(materials), shared(args))
    check_mtllib(path, groups)
    print("obj: %d triangles in groups %s" % (count, groups))


def check_length_unit(found, args):
    if args.length_unit is None:
        return
    expect(found is not None and abs(found - args.length_unit) <= 1e-5 * args.length_unit,
           "length unit %s, expected %g m" % (found, args.length_unit))


def vtk_length_unit(data):
    array = data.GetFieldData().GetArray("length_unit")
    return None if array is None or array.GetNumberOfTuples() != 1 else array.GetValue(0)


def text_length_unit(text):
    match = re.search(r"unit = ([0-9.eE+-]+) m", text)
    return float(match.group(1)) if match else None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("format", choices=["vti", "vtp", "stl", "obj"])
    parser.add_argument("file")
    parser.add_argument("--extent", type=int, nargs=3)
    parser.add_argument("--origin", type=float, nargs=3)
    parser.add_argument("--spacing", type=float, nargs=3)
    parser.add_argument("--cells", nargs="+")
    parser.add_argument("--bounds", type=float, nargs=6)
    parser.add_argument("--volume", nargs="+")
    parser.add_argument("--name", nargs="+")
    parser.add_argument("--shared", nargs="+")
    parser.add_argument("--length-unit", type=float)
    args = parser.parse_args()
    {"vti": read_vti, "vtp": read_vtp, "stl": read_stl, "obj": read_obj}[args.format](args.file, args)
    if args.format in ("vti", "vtp"):
        reader = vtk.vtkXMLImageDataReader() if args.format == "vti" else vtk.vtkXMLPolyDataReader()
        reader.SetFileName(args.file)
        reader.Update()
        check_length_unit(vtk_length_unit(reader.GetOutput()), args)
    else:
        with open(args.file, "rb") as exported:
            head = exported.read(80 if args.format == "stl" else 4096).decode("latin-1")
        check_length_unit(text_length_unit(head), args)
    for failure in failures:
        print("FAILED: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
