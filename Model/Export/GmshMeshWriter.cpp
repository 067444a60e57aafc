#include "Model/Export/GmshMeshWriter.h"

#include "Model/Export/HexahedralMesh.h"
#include "Model/Export/LittleEndianStream.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace Model {
namespace Export {

namespace {

// Numbers as text without a detour through QString: a mesh of millions of
// cells is mostly numbers. Doubles in the fewest digits that read back the
// same.
class TextOut
{
public:
    explicit TextOut(LittleEndianStream &out) : m_out(out) {}

    TextOut &operator<<(std::uint64_t value) { return number(value); }
    TextOut &operator<<(std::uint32_t value) { return number(value); }
    TextOut &operator<<(int value) { return number(value); }
    TextOut &operator<<(double value) { return number(value); }
    TextOut &operator<<(const char *text)
    {
        m_out.putBytes(text, std::char_traits<char>::length(text));
        return *this;
    }
    TextOut &operator<<(const QByteArray &text)
    {
        m_out.putText(text);
        return *this;
    }
    TextOut &operator<<(char c)
    {
        m_out.putBytes(&c, 1);
        return *this;
    }

private:
    template<typename T>
    TextOut &number(T value)
    {
        char digits[32];
        const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
        m_out.putBytes(digits, std::size_t(end.ptr - digits));
        return *this;
    }

    LittleEndianStream &m_out;
};

// The faces of one physical surface: of material `inner` towards `outer`
// (0: nothing).
struct SurfaceGroup
{
    std::uint32_t inner;
    std::uint32_t outer;
    std::uint64_t faces = 0;
};

// Names are written in double quotes, which they cannot hold.
QByteArray groupName(const QString &name)
{
    QByteArray text = name.toUtf8();
    text.replace('"', '\'');
    text.replace('\n', ' ');
    return text;
}

} // namespace

bool GmshMeshWriter::write(QIODevice &device, const HexahedralMesh &mesh, const std::array<double, 3> &origin,
                           const std::array<double, 3> &cellSize, const std::vector<ExportMaterial> &materials,
                           double metresPerUnit)
{
    // The faces of each group, and each material's extent in cells.
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint64_t> faceCounts;
    std::map<std::uint32_t, std::pair<std::array<int, 3>, std::array<int, 3>>> extents;
    mesh.forEachCell([&](int x, int y, int z, std::uint32_t material) {
        auto found = extents.find(material);
        if (found == extents.end())
            found = extents.insert({material, {{x, y, z}, {x + 1, y + 1, z + 1}}}).first;
        const std::array<int, 3> cell{x, y, z};
        for (std::size_t axis = 0; axis < 3; ++axis) {
            found->second.first[axis] = std::min(found->second.first[axis], cell[axis]);
            found->second.second[axis] = std::max(found->second.second[axis], cell[axis] + 1);
        }
        for (const std::uint32_t other : mesh.neighbours(x, y, z))
            if (other != material && (other == 0 || material < other))
                ++faceCounts[{material, other}];
    });
    std::vector<SurfaceGroup> groups;
    for (const auto &entry : faceCounts)
        groups.push_back({entry.first.first, entry.first.second, entry.second});
    std::map<std::uint32_t, QByteArray> names;
    for (const ExportMaterial &material : materials)
        names[material.id] = groupName(material.name);

    LittleEndianStream stream(device);
    TextOut out(stream);
    out << "$MeshFormat\n4.1 0 8\n$EndMeshFormat\n";
    out << "$Comments\nTessival cells as hexahedra; unit = " << metresPerUnit << " m\n$EndComments\n";

    out << "$PhysicalNames\n" << std::uint64_t(materials.size() + groups.size()) << '\n';
    for (const ExportMaterial &material : materials)
        out << 3 << ' ' << material.id << " \"" << names[material.id] << "\"\n";
    for (std::size_t g = 0; g < groups.size(); ++g)
        out << 2 << ' ' << std::uint64_t(g + 1) << " \"" << names[groups[g].inner] << " / "
            << (groups[g].outer == 0 ? QByteArray("outside") : names[groups[g].outer]) << "\"\n";
    out << "$EndPhysicalNames\n";

    // One volume entity per material, one surface entity per group, each in
    // its physical group of the same tag.
    auto box = [&](std::uint32_t material) {
        const auto &extent = extents[material];
        for (std::size_t axis = 0; axis < 3; ++axis)
            out << origin[axis] + extent.first[axis] * cellSize[axis] << ' ';
        for (std::size_t axis = 0; axis < 3; ++axis)
            out << origin[axis] + extent.second[axis] * cellSize[axis] << ' ';
    };
    out << "$Entities\n0 0 " << std::uint64_t(groups.size()) << ' ' << std::uint64_t(materials.size()) << '\n';
    for (std::size_t g = 0; g < groups.size(); ++g) {
        out << std::uint64_t(g + 1) << ' ';
        box(groups[g].inner);
        out << "1 " << std::uint64_t(g + 1) << " 0\n";
    }
    for (std::size_t m = 0; m < materials.size(); ++m) {
        out << std::uint64_t(m + 1) << ' ';
        box(materials[m].id);
        out << "1 " << materials[m].id << " 0\n";
    }
    out << "$EndEntities\n";

    // All nodes in the first volume.
    const std::uint64_t nodes = mesh.pointCount();
    out << "$Nodes\n" << std::uint64_t(nodes > 0 ? 1 : 0) << ' ' << nodes << ' ' << std::uint64_t(nodes > 0 ? 1 : 0)
        << ' ' << nodes << '\n';
    if (nodes > 0) {
        out << "3 1 0 " << nodes << '\n';
        for (std::uint64_t tag = 1; tag <= nodes; ++tag)
            out << tag << '\n';
        mesh.forEachPoint([&](int i, int j, int k) {
            out << origin[0] + i * cellSize[0] << ' ' << origin[1] + j * cellSize[1] << ' '
                << origin[2] + k * cellSize[2] << '\n';
        });
    }
    out << "$EndNodes\n";

    std::uint64_t faces = 0;
    for (const SurfaceGroup &group : groups)
        faces += group.faces;
    const std::uint64_t elements = mesh.cellCount() + faces;
    out << "$Elements\n"
        << std::uint64_t(materials.size() + groups.size()) << ' ' << elements << ' '
        << std::uint64_t(elements > 0 ? 1 : 0) << ' ' << elements << '\n';
    std::uint64_t tag = 0;
    constexpr int Hexahedron = 5, Quadrangle = 3;
    for (std::size_t m = 0; m < materials.size(); ++m) {
        const std::uint32_t id = materials[m].id;
        const auto count = std::find_if(mesh.materials().begin(), mesh.materials().end(),
                                        [id](const auto &entry) { return entry.first == id; });
        out << "3 " << std::uint64_t(m + 1) << ' ' << Hexahedron << ' '
            << (count == mesh.materials().end() ? std::uint64_t(0) : count->second) << '\n';
        mesh.forEachCell([&](int x, int y, int z, std::uint32_t material) {
            if (material != id)
                return;
            out << ++tag;
            for (const std::uint32_t corner : mesh.corners(x, y, z))
                out << ' ' << corner + 1;
            out << '\n';
        });
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const SurfaceGroup &group = groups[g];
        out << "2 " << std::uint64_t(g + 1) << ' ' << Quadrangle << ' ' << group.faces << '\n';
        mesh.forEachCell([&](int x, int y, int z, std::uint32_t material) {
            if (material != group.inner)
                return;
            const std::array<std::uint32_t, 6> around = mesh.neighbours(x, y, z);
            for (int side = 0; side < 6; ++side) {
                if (around[std::size_t(side)] != group.outer)
                    continue;
                out << ++tag;
                for (const std::uint32_t corner : mesh.side(x, y, z, side))
                    out << ' ' << corner + 1;
                out << '\n';
            }
        });
    }
    out << "$EndElements\n";
    return stream.flush();
}

} // namespace Export
} // namespace Model
