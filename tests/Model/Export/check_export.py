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
  check_export.py vtu|msh FILE --like CELLS.vti
  check_export.py bodies FILE.stl --like CELLS.vti [--worst-aspect RATIO]
  check_export.py pvd FILE --entries N --like CELLS.vti

vtu and msh: the hexahedral meshes, read with meshio (and the *.vtu with
VTK's reader for its colours), against the cells of the same volume read
from the *.vti: one hexahedron per non-empty cell in its material's group,
every corner shared by neighbouring cells one point (the count of distinct
corners is computed here), and in the *.msh a physical volume named after
each material and a physical surface for each pair of touching materials
and for each material's faces towards nothing.

bodies: every "FILE-<material>.stl" beside FILE.stl, one per material of
the *.vti, meshed into tetrahedra by gmsh (a Surface Loop and a Volume over
the merged STL); each must mesh without errors into tetrahedra of positive
volume that add up to the material's cells. --worst-aspect bounds the
triangles of the bodies: VTK's triangle aspect ratio (1 for an equilateral
triangle) and the longest edge over the shortest height.

pvd: the collection of a step series lists N files, steps 1 to N, each
read by VTK's image data reader; the last holds the cells of the *.vti.

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
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

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
        result[int(ids.GetTuple1(i))] = (name_of(names, i), colour)
    return result


def name_of(names, i):
    """A string array's i-th name, or the i-th of the 0-ended UTF-8 names of
    a byte array (the *.vtu's, which meshio reads too)."""
    if names.GetDataType() == vtk.VTK_STRING:
        return names.GetValue(i)
    data = bytes(int(v) for v in numpy_support.vtk_to_numpy(names))
    return data.split(b"\0")[i].decode("utf-8")


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


def read_cells(path):
    """The cells of a *.vti: materials as an (nx, ny, nz) array, origin,
    spacing and the field data's materials."""
    reader = vtk.vtkXMLImageDataReader()
    reader.SetFileName(path)
    reader.Update()
    image = reader.GetOutput()
    extent = image.GetExtent()
    size = (extent[1], extent[3], extent[5])
    values = numpy_support.vtk_to_numpy(image.GetCellData().GetArray("material")).astype(int)
    # VTK counts cells with x fastest.
    cells = values.reshape(size[2], size[1], size[0]).transpose(2, 1, 0)
    return cells, np.array(image.GetOrigin()), np.array(image.GetSpacing()), field_materials(image)


def shared_corners(cells):
    """How many distinct lattice points the non-empty cells touch."""
    full = cells != 0
    corners = np.zeros(tuple(n + 1 for n in cells.shape), dtype=bool)
    for dx in (0, 1):
        for dy in (0, 1):
            for dz in (0, 1):
                corners[dx:dx + cells.shape[0], dy:dy + cells.shape[1], dz:dz + cells.shape[2]] |= full
    return int(corners.sum())


def touching_pairs(cells):
    """(a, b) for materials a < b that share a face, (a, 0) for a material
    with a face towards an empty cell or the volume's bounds."""
    padded = np.pad(cells, 1)
    pairs_found = set()
    for axis in range(3):
        low = np.take(padded, range(0, padded.shape[axis] - 1), axis=axis).ravel()
        high = np.take(padded, range(1, padded.shape[axis]), axis=axis).ravel()
        differ = low != high
        for a, b in set(zip(low[differ].tolist(), high[differ].tolist())):
            if a == 0 or b == 0:
                pairs_found.add((max(a, b), 0))
            else:
                pairs_found.add((min(a, b), max(a, b)))
    return pairs_found


def check_hexahedra(points, hexahedra, materials, cells, origin, spacing):
    counts = collections.Counter(int(m) for m in materials)
    wanted = collections.Counter(int(v) for v in cells.ravel() if v != 0)
    expect(counts == wanted, "hexahedra per material %s, cells %s" % (dict(counts), dict(wanted)))
    expect(len(points) == shared_corners(cells),
           "%d points, the cells have %d distinct corners" % (len(points), shared_corners(cells)))
    expect(len(np.unique(points, axis=0)) == len(points), "points repeated")
    # Every hexahedron is its cell: the right size, corners in VTK's order.
    low = points[hexahedra].min(axis=1)
    high = points[hexahedra].max(axis=1)
    expect(np.allclose(high - low, spacing), "hexahedra not of the cells' size")
    first = points[hexahedra[:, 0]]
    expect(np.allclose(first, low), "hexahedra do not start at their lower corner")
    index = np.rint((low - origin) / spacing).astype(int)
    expect(np.all(cells[index[:, 0], index[:, 1], index[:, 2]] == materials), "hexahedra in the wrong cells")
    edge = points[hexahedra[:, 1]] - first, points[hexahedra[:, 3]] - first, points[hexahedra[:, 4]] - first
    volumes = np.einsum("ij,ij->i", edge[0], np.cross(edge[1], edge[2]))
    expect(np.allclose(volumes, np.prod(spacing)), "hexahedra turned inside out or of the wrong volume")


def read_vtu(path, args):
    cells, origin, spacing, known = read_cells(args.like)
    mesh = meshio.read(path)
    hexahedra = mesh.get_cells_type("hexahedron")
    expect(sum(len(block.data) for block in mesh.cells) == len(hexahedra), "cells other than hexahedra")
    materials = np.concatenate([data for block, data in zip(mesh.cells, mesh.cell_data["material"])
                                if block.type == "hexahedron"]).astype(int)
    check_hexahedra(mesh.points.astype(float), hexahedra, materials, cells, origin, spacing)
    reader = vtk.vtkXMLUnstructuredGridReader()
    reader.SetFileName(path)
    reader.Update()
    grid = reader.GetOutput()
    named = {m: name for m, (name, _) in field_materials(grid).items()}
    expect(named == {m: name for m, (name, _) in known.items()}, "field data names %s" % named)
    rgb = grid.GetCellData().GetArray("material_rgb")
    expect(rgb is not None and rgb.GetDataType() == vtk.VTK_UNSIGNED_CHAR and rgb.GetNumberOfComponents() == 3,
           "no unsigned char RGB cell array \"material_rgb\"")
    if rgb is not None:
        colours = numpy_support.vtk_to_numpy(rgb).astype(int)
        ids = numpy_support.vtk_to_numpy(grid.GetCellData().GetArray("material")).astype(int)
        for material, (name, colour) in known.items():
            wanted = np.rint(np.array(colour[:3]) * 255).astype(int)
            expect(np.all(colours[ids == material] == wanted), "material %d is not coloured %s" % (material, wanted))
    print("vtu: %d hexahedra, %d points" % (len(hexahedra), len(mesh.points)))


def read_msh(path, args):
    cells, origin, spacing, known = read_cells(args.like)
    mesh = meshio.read(path, file_format="gmsh")
    names = {tuple(int(v) for v in value[::-1]): name for name, value in mesh.field_data.items()}
    volumes = {tag: name for (dim, tag), name in names.items() if dim == 3}
    expect(volumes == {m: name for m, (name, _) in known.items()},
           "physical volumes %s, materials %s" % (volumes, {m: n for m, (n, _) in known.items()}))
    surfaces = set(name for (dim, _), name in names.items() if dim == 2)
    wanted = set("%s / %s" % (known[a][0], "outside" if b == 0 else known[b][0]) for a, b in touching_pairs(cells))
    expect(surfaces == wanted, "physical surfaces %s, expected %s" % (sorted(surfaces), sorted(wanted)))
    hexahedra, materials = [], []
    quads = 0
    for block, physical in zip(mesh.cells, mesh.cell_data["gmsh:physical"]):
        if block.type == "hexahedron":
            hexahedra.append(block.data)
            materials.append(physical)
        else:
            expect(block.type == "quad", "a block of %s" % block.type)
            quads += len(block.data)
    hexahedra = np.concatenate(hexahedra)
    check_hexahedra(mesh.points.astype(float), hexahedra, np.concatenate(materials).astype(int), cells, origin,
                    spacing)
    print("msh: %d hexahedra, %d quadrangles, groups %s" % (len(hexahedra), quads, sorted(surfaces)))


def safe_part(name, fallback):
    part = re.sub(r"[^A-Za-z0-9_+.-]+", "_", name).lstrip("_.-").rstrip("_.")
    return part or fallback


def triangle_quality(points, triangles):
    """VTK's triangle aspect ratio and the longest edge over the shortest
    height, the worst of each."""
    data = vtk.vtkPolyData()
    vtk_points = vtk.vtkPoints()
    vtk_points.SetData(numpy_support.numpy_to_vtk(points.astype(float), deep=True))
    data.SetPoints(vtk_points)
    polys = vtk.vtkCellArray()
    for t in triangles:
        polys.InsertNextCell(3, [int(i) for i in t])
    data.SetPolys(polys)
    quality = vtk.vtkMeshQuality()
    quality.SetInputData(data)
    quality.SetTriangleQualityMeasureToAspectRatio()
    quality.Update()
    ratios = numpy_support.vtk_to_numpy(quality.GetOutput().GetCellData().GetArray("Quality"))
    a, b, c = points[triangles[:, 0]], points[triangles[:, 1]], points[triangles[:, 2]]
    longest = np.max([np.linalg.norm(b - a, axis=1), np.linalg.norm(c - b, axis=1), np.linalg.norm(a - c, axis=1)],
                     axis=0)
    doubled = np.linalg.norm(np.cross(b - a, c - a), axis=1)
    return float(ratios.max()), float((longest * longest / doubled).max())


def read_bodies(path, args):
    cells, origin, spacing, known = read_cells(args.like)
    counts = collections.Counter(int(v) for v in cells.ravel() if v != 0)
    stem = os.path.splitext(path)[0]
    cell_volume = float(np.prod(spacing))
    for material, count in sorted(counts.items()):
        name = known[material][0]
        body = "%s-%s.stl" % (stem, safe_part(name, "material-%d" % material))
        expect(os.path.isfile(body), "no file %s for %s" % (body, name))
        if not os.path.isfile(body):
            continue
        with open(body) as text:
            expect(text.readline().split() == ["solid", safe_part(name, "")], "%s: not a solid of its own" % body)
        surface = meshio.read(body, file_format="stl")
        if args.worst_aspect is not None:
            ratio, elongation = triangle_quality(surface.points, surface.get_cells_type("triangle"))
            expect(ratio <= args.worst_aspect and elongation <= args.worst_aspect,
                   "%s: a triangle of aspect ratio %.3g (longest edge over height %.3g)" % (name, ratio, elongation))
            print("%s: worst triangle aspect ratio %.3g, longest edge over shortest height %.3g"
                  % (name, ratio, elongation))
        with tempfile.TemporaryDirectory() as folder:
            script = os.path.join(folder, "body.geo")
            with open(script, "w") as geo:
                geo.write('Merge "%s";\nSurface Loop(1) = {1};\nVolume(1) = {1};\n' % os.path.abspath(body))
            meshed = os.path.join(folder, "body.msh")
            run = subprocess.run(["gmsh", "-3", "-nt", "1", script, "-o", meshed], capture_output=True, text=True)
            errors = [line for line in (run.stdout + run.stderr).splitlines() if line.startswith("Error")]
            expect(run.returncode == 0 and not errors and os.path.isfile(meshed),
                   "gmsh could not mesh %s: %s" % (name, errors or run.returncode))
            if run.returncode != 0 or not os.path.isfile(meshed):
                continue
            tetrahedra = meshio.read(meshed)
            points = tetrahedra.points.astype(float)
            t = tetrahedra.get_cells_type("tetra")
            a, b, c, d = (points[t[:, i]] for i in range(4))
            volumes = np.abs(np.einsum("ij,ij->i", b - a, np.cross(c - a, d - a))) / 6
            expect(len(t) > 0 and volumes.min() > 1e-9 * cell_volume,
                   "%s: %d tetrahedra of zero volume" % (name, int((volumes <= 1e-9 * cell_volume).sum())))
            total = float(volumes.sum())
            expect(abs(total - count * cell_volume) <= 1e-6 * count * cell_volume,
                   "%s: tetrahedra fill %g, its %d cells %g" % (name, total, count, count * cell_volume))
            print("%s: %d tetrahedra filling %g = %d cells" % (name, len(t), total, count))


def read_pvd(path, args):
    cells = read_cells(args.like)[0]
    steps = ElementTree.parse(path).getroot().findall("./Collection/DataSet")
    expect(len(steps) == args.entries, "%d steps, expected %d" % (len(steps), args.entries))
    expect([float(step.get("timestep")) for step in steps] == list(range(1, args.entries + 1)),
           "times %s" % [step.get("timestep") for step in steps])
    for step in steps:
        file = os.path.join(os.path.dirname(path), step.get("file"))
        reader = vtk.vtkXMLImageDataReader()
        expect(reader.CanReadFile(file), "%s cannot be read as image data" % file)
    if steps:
        last = read_cells(os.path.join(os.path.dirname(path), steps[-1].get("file")))[0]
        expect(last.shape == cells.shape and np.array_equal(last, cells), "the last step is not the document's cells")
    print("pvd: %d steps" % len(steps))


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
    parser.add_argument("format", choices=["vti", "vtp", "stl", "obj", "vtu", "msh", "bodies", "pvd"])
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
    parser.add_argument("--like")
    parser.add_argument("--worst-aspect", type=float)
    parser.add_argument("--entries", type=int)
    args = parser.parse_args()
    {"vti": read_vti, "vtp": read_vtp, "stl": read_stl, "obj": read_obj, "vtu": read_vtu, "msh": read_msh,
     "bodies": read_bodies, "pvd": read_pvd}[args.format](args.file, args)
    if args.format in ("vtu", "msh", "bodies", "pvd"):
        pass
    elif args.format in ("vti", "vtp"):
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
