// Cantilever extraction: blocks and their links, which blocks make a
// cantilever, the netlist numbers and the netlist file.
#include "Model/ModelExtraction/CantileverModelRule.h"
#include "Model/ModelExtraction/CantileverStructure.h"
#include "Model/ModelExtraction/EnvelopeDecomposition.h"
#include "Model/ModelExtraction/ExtractedModel.h"
#include "Model/ModelExtraction/NetlistFile.h"

#include "CellGrid.h"
#include "TempFolder.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

using Model::ModelExtraction::CantileverModelRule;
using Model::ModelExtraction::CantileverStructure;
using Model::ModelExtraction::EnvelopeDecomposition;
using Model::ModelExtraction::EnvelopeList;
using Model::ModelExtraction::ExtractedModel;
using Model::ModelExtraction::NetlistFile;
using Model::ModelExtraction::RectangularCuboidEnvelope;
using TestSupport::TempFolder;
using Model::Automaton::TotalVolume;
namespace CellGrid = TestSupport::CellGrid;

namespace {

constexpr std::uint32_t Si = 1;
constexpr std::uint32_t Al = 2;
constexpr std::uint32_t Cu = 3;

struct Box
{
    unsigned x0, y0, z0, x1, y1, z1; // half-open
    bool contains(unsigned x, unsigned y, unsigned z) const
    {
        return x >= x0 && x < x1 && y >= y0 && y < y1 && z >= z0 && z < z1;
    }
};

// Boxes painted in order, later ones over earlier ones.
std::unique_ptr<TotalVolume> boxes(unsigned sx, unsigned sy, unsigned sz,
                                   const std::vector<std::pair<Box, std::uint32_t>> &painted)
{
    return CellGrid::make(sx, sy, sz, [&](unsigned x, unsigned y, unsigned z) {
        std::uint32_t m = 0;
        for (const auto &p : painted)
            if (p.first.contains(x, y, z))
                m = p.second;
        return m;
    });
}

EnvelopeList linkedBlocks(TotalVolume &volume)
{
    EnvelopeList blocks = EnvelopeDecomposition::decompose(volume);
    EnvelopeDecomposition::link(blocks);
    return blocks;
}

// Empty when the blocks cover every non-empty cell once, with its material.
std::string tilingFault(TotalVolume &volume, const EnvelopeList &blocks)
{
    std::vector<int> covered(volume.cellCount());
    for (const auto &b : blocks)
        for (int x = b->originX(); x < b->originX() + b->sizeX(); ++x)
            for (int y = b->originY(); y < b->originY() + b->sizeY(); ++y)
                for (int z = b->originZ(); z < b->originZ() + b->sizeZ(); ++z) {
                    ++covered[volume.cellIndex(x, y, z)];
                    if (CellGrid::at(volume, x, y, z) != b->material())
                        return "block holds another material at " + std::to_string(x) + "," + std::to_string(y)
                               + "," + std::to_string(z);
                }
    for (unsigned x = 0; x < volume.sizeX(); ++x)
        for (unsigned y = 0; y < volume.sizeY(); ++y)
            for (unsigned z = 0; z < volume.sizeZ(); ++z)
                if (covered[volume.cellIndex(x, y, z)] != (CellGrid::at(volume, x, y, z) != 0 ? 1 : 0))
                    return "cell covered wrongly at " + std::to_string(x) + "," + std::to_string(y) + ","
                           + std::to_string(z);
    return {};
}

// An Si anchor on the low x side, with an Al beam x 8..16, y 1..4, z 3..5.
std::vector<std::pair<Box, std::uint32_t>> anchorWithBeam()
{
    return {{{0, 0, 0, 8, 5, 6}, Si}, {{8, 1, 3, 16, 4, 5}, Al}};
}

// Expected numbers for a beam with the netlist's own material table.
double expectedMass(double sx, double sy, double sz, double density)
{
    return sx * sy * sz * 2.00129819772e-17 * density * 33.0 / 140.0;
}

double expectedCompliance(double sx, double sy, double sz, double young)
{
    const double length = std::max(sx, sy), width = std::min(sx, sy);
    return length * length * length / (3.0 * young * sz * sz * sz * width / 12.0);
}

QString g6(double v)
{
    return QString::number(v, 'g', 6);
}

// Keeps a locale with a decimal comma in force for Qt and the C library.
class DecimalCommaLocale
{
public:
    DecimalCommaLocale() : m_qt(QLocale()), m_c(std::setlocale(LC_ALL, nullptr))
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
    ~DecimalCommaLocale()
    {
        QLocale::setDefault(m_qt);
        std::setlocale(LC_ALL, m_c.c_str());
    }

private:
    QLocale m_qt;
    std::string m_c;
};

} // namespace

TEST(EnvelopeDecompositionTest, OneMaterialGivesOneUnlinkedBlockAndNoCantilever)
{
    for (std::uint32_t material : {Si, Al}) {
        auto volume = CellGrid::make(7, 5, 4, [&](unsigned, unsigned, unsigned) { return material; });
        const EnvelopeList blocks = linkedBlocks(*volume);
        ASSERT_EQ(blocks.size(), 1u);
        EXPECT_EQ(blocks[0]->originX() + blocks[0]->originY() + blocks[0]->originZ(), 0);
        EXPECT_EQ(blocks[0]->sizeX(), 7);
        EXPECT_EQ(blocks[0]->sizeY(), 5);
        EXPECT_EQ(blocks[0]->sizeZ(), 4);
        EXPECT_EQ(blocks[0]->neighbourCount(), 0);
        CantileverModelRule rule;
        EXPECT_FALSE(rule.apply(blocks));
        EXPECT_TRUE(rule.cantilevers().empty());
    }
    auto empty = CellGrid::make(4, 4, 4, [](unsigned, unsigned, unsigned) { return 0u; });
    EXPECT_TRUE(linkedBlocks(*empty).empty());
}

TEST(EnvelopeDecompositionTest, BlocksTileTheCellsWithOneMaterialEach)
{
    // A change seen only in the last layer of an axis still splits the blocks.
    auto lastLayer = boxes(3, 3, 3, {{{0, 0, 0, 3, 3, 3}, Si}, {{2, 0, 2, 3, 3, 3}, Al}});
    EXPECT_EQ(tilingFault(*lastLayer, linkedBlocks(*lastLayer)), "");

    auto mixed = boxes(12, 9, 7,
                       {{{0, 0, 0, 12, 9, 3}, Si}, {{2, 1, 3, 9, 4, 5}, Al}, {{5, 3, 2, 11, 8, 6}, Cu},
                        {{1, 6, 4, 4, 9, 7}, 0}});
    EXPECT_EQ(tilingFault(*mixed, linkedBlocks(*mixed)), "");
}

TEST(EnvelopeDecompositionTest, LinksJoinBlocksSharingAWholeFaceBothWays)
{
    auto volume = boxes(20, 5, 6, anchorWithBeam());
    const EnvelopeList blocks = linkedBlocks(*volume);
    EXPECT_EQ(blocks.size(), 10u); // the anchor in 3 x 3 pieces, and the beam
    for (const auto &b : blocks) {
        int set = 0;
        for (int slot = 0; slot < RectangularCuboidEnvelope::SlotCount; ++slot) {
            const RectangularCuboidEnvelope *n = b->neighbour(slot);
            if (!n)
                continue;
            ++set;
            EXPECT_EQ(n->neighbour(RectangularCuboidEnvelope::oppositeSlot(slot)), b.get());
            const int axis = slot / 2;
            const int face = b->origin(axis) + (slot & 1 ? b->size(axis) : 0);
            const int other = n->origin(axis) + (slot & 1 ? 0 : n->size(axis));
            EXPECT_EQ(face, other);
        }
        EXPECT_EQ(set, b->neighbourCount());
    }
    // The anchor's middle piece touches the four pieces around it and the beam.
    for (const auto &b : blocks)
        if (b->material() == Si && b->originY() == 1 && b->originZ() == 3) {
            EXPECT_EQ(b->neighbourCount(), 5);
        }
}

TEST(EnvelopeDecompositionTest, NeighbourCountFollowsSettingAndClearing)
{
    RectangularCuboidEnvelope a(0, 0, 0, 1, 1, 1, Si), b(1, 0, 0, 1, 1, 1, Si);
    a.setNeighbour(RectangularCuboidEnvelope::PlusX, &b);
    a.setNeighbour(RectangularCuboidEnvelope::PlusX, &b);
    EXPECT_EQ(a.neighbourCount(), 1);
    a.setNeighbour(RectangularCuboidEnvelope::Above, &b);
    EXPECT_EQ(a.neighbourCount(), 2);
    a.setNeighbour(RectangularCuboidEnvelope::PlusX, nullptr);
    a.setNeighbour(RectangularCuboidEnvelope::MinusY, nullptr);
    EXPECT_EQ(a.neighbourCount(), 1);
}

TEST(CantileverModelRuleTest, SidewaysBeamOfOneBlockGivesItsNetlist)
{
    auto volume = boxes(20, 5, 6, anchorWithBeam());
    CantileverModelRule rule;
    const auto structure = rule.apply(linkedBlocks(*volume));
    ASSERT_TRUE(structure);
    ASSERT_EQ(rule.cantilevers().size(), 1u);
    const auto &beam = *rule.cantilevers()[0];
    EXPECT_EQ(beam.originX(), 8);
    EXPECT_EQ(beam.originY(), 1);
    EXPECT_EQ(beam.originZ(), 3);
    EXPECT_EQ(beam.sizeX(), 8);
    EXPECT_EQ(beam.sizeY(), 3);
    EXPECT_EQ(beam.sizeZ(), 2);
    EXPECT_EQ(beam.material(), Al);

    const QString expected = QStringLiteral("Model extracted by Tessival\n")
                             + "c1 1 0 " + g6(expectedMass(8, 3, 2, 2700)) + " \n"
                             + "l1 1 0 " + g6(expectedCompliance(8, 3, 2, 7e10)) + " \n" + ".end \n";
    EXPECT_EQ(structure->netlist().toStdString(), expected.toStdString());
}

TEST(CantileverModelRuleTest, BeamsWithoutAFreeEndAreNotCantilevers)
{
    // Something above the free end.
    auto covered = boxes(20, 5, 6, {{{0, 0, 0, 8, 5, 6}, Si}, {{8, 1, 3, 16, 4, 5}, Al}, {{13, 1, 5, 16, 4, 6}, Cu}});
    // Something below the free end.
    auto propped = boxes(20, 5, 6, {{{0, 0, 0, 8, 5, 6}, Si}, {{8, 1, 3, 16, 4, 5}, Al}, {{13, 1, 0, 16, 4, 3}, Cu}});
    // Si at both ends.
    auto bridge = boxes(20, 5, 6, {{{0, 0, 0, 6, 5, 6}, Si}, {{14, 0, 0, 20, 5, 6}, Si}, {{6, 1, 3, 14, 4, 5}, Al}});
    // An Si beam.
    auto siBeam = boxes(20, 5, 6, {{{0, 0, 0, 8, 5, 6}, Si}, {{8, 1, 3, 16, 4, 5}, Si}});
    for (TotalVolume *volume : {covered.get(), propped.get(), bridge.get(), siBeam.get()}) {
        CantileverModelRule rule;
        EXPECT_FALSE(rule.apply(linkedBlocks(*volume)));
        EXPECT_TRUE(rule.cantilevers().empty());
    }
}

TEST(CantileverModelRuleTest, BeamOfSeveralBlocksIsWalkedToItsFullLengthEitherWay)
{
    // A post away from the beam splits it across x at 5 and 8, into blocks of
    // 3, 3 and 4 cells.
    const Box post{5, 4, 0, 8, 5, 1};
    struct Case
    {
        const char *name;
        std::vector<std::pair<Box, std::uint32_t>> painted;
        int originX;
    };
    const Case cases[] = {
        {"anchored at low x", {{{0, 0, 0, 2, 5, 6}, Si}, {{2, 1, 3, 12, 3, 5}, Al}, {post, Si}}, 2},
        {"anchored at high x", {{{12, 0, 0, 20, 5, 6}, Si}, {{2, 1, 3, 12, 3, 5}, Al}, {post, Si}}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto volume = boxes(20, 5, 6, c.painted);
        const EnvelopeList blocks = linkedBlocks(*volume);
        int beamBlocks = 0;
        for (const auto &b : blocks)
            beamBlocks += b->material() == Al;
        EXPECT_EQ(beamBlocks, 3);
        CantileverModelRule rule;
        ASSERT_TRUE(rule.apply(blocks));
        ASSERT_EQ(rule.cantilevers().size(), 1u);
        const auto &beam = *rule.cantilevers()[0];
        EXPECT_EQ(beam.originX(), c.originX);
        EXPECT_EQ(beam.originY(), 1);
        EXPECT_EQ(beam.originZ(), 3);
        EXPECT_EQ(beam.sizeX(), 10);
        EXPECT_EQ(beam.sizeY(), 2);
        EXPECT_EQ(beam.sizeZ(), 2);
    }
}

TEST(CantileverStructureTest, LargeBeamsAndCatalogueMaterialsGiveFinitePositiveValues)
{
    // Cell counts whose products overflow 32 bits.
    const EnvelopeList beams{
        boost::shared_ptr<RectangularCuboidEnvelope>(new RectangularCuboidEnvelope(0, 0, 0, 5000, 400, 2000, Al)),
        boost::shared_ptr<RectangularCuboidEnvelope>(new RectangularCuboidEnvelope(0, 0, 0, 300, 2000, 1700, 16))};
    const CantileverStructure structure(beams, [](std::uint32_t id) {
        return id == 16 ? Model::ModelExtraction::BeamMaterial{2329, 1.88e11}
                        : Model::ModelExtraction::BeamMaterial{};
    });
    EXPECT_DOUBLE_EQ(structure.effectiveMass(*beams[0]), expectedMass(5000, 400, 2000, 2700));
    EXPECT_DOUBLE_EQ(structure.compliance(*beams[0]), expectedCompliance(5000, 400, 2000, 7e10));
    EXPECT_DOUBLE_EQ(structure.effectiveMass(*beams[1]), expectedMass(300, 2000, 1700, 2329));
    EXPECT_DOUBLE_EQ(structure.compliance(*beams[1]), expectedCompliance(300, 2000, 1700, 1.88e11));
    for (const auto &b : beams) {
        EXPECT_TRUE(std::isfinite(structure.effectiveMass(*b)) && structure.effectiveMass(*b) > 0);
        EXPECT_TRUE(std::isfinite(structure.compliance(*b)) && structure.compliance(*b) > 0);
    }
    EXPECT_FALSE(structure.netlist().contains(QStringLiteral("inf")));
    EXPECT_FALSE(structure.netlist().contains(QStringLiteral(" -")));

    // Without a lookup of its own the structure asks the material catalogue.
    const CantileverStructure fromCatalogue(beams);
    EXPECT_DOUBLE_EQ(fromCatalogue.beamMaterial(16).youngModulus, 1.88e11f);
    EXPECT_DOUBLE_EQ(fromCatalogue.beamMaterial(16).density, 2329);
    EXPECT_DOUBLE_EQ(fromCatalogue.beamMaterial(7).density, 1000); // the netlist's own table
}

TEST(NetlistFileTest, NumbersUseADecimalPointUnderAnyLocale)
{
    auto volume = boxes(20, 5, 6, anchorWithBeam());
    CantileverModelRule rule;
    const auto structure = rule.apply(linkedBlocks(*volume));
    ASSERT_TRUE(structure);
    const QString plain = structure->netlist();
    ASSERT_TRUE(plain.contains(QLatin1Char('.')));

    TempFolder temp;
    const QString path = temp.file(QStringLiteral("beam.cir"));
    {
        DecimalCommaLocale comma;
        ASSERT_EQ(QLocale().decimalPoint(), QLatin1Char(','));
        const QString text = structure->netlist();
        EXPECT_EQ(text, plain);
        EXPECT_FALSE(text.contains(QLatin1Char(',')));
        ASSERT_TRUE(NetlistFile::write(path, text));
    }
    EXPECT_EQ(TempFolder::read(path), plain.toUtf8());
}

TEST(NetlistFileTest, UnwritablePathFailsWithAReasonAndKeepsTheOldFile)
{
    TempFolder temp;
    QString error;
    EXPECT_FALSE(NetlistFile::write(temp.file(QStringLiteral("missing/beam.cir")), QStringLiteral(".end \n"), &error));
    EXPECT_FALSE(error.isEmpty());

    const QString path = temp.file(QStringLiteral("beam.cir"));
    ASSERT_TRUE(NetlistFile::write(path, QStringLiteral("first\n")));
    ASSERT_TRUE(NetlistFile::write(path, QStringLiteral("second\n")));
    EXPECT_EQ(TempFolder::read(path), QByteArray("second\n"));
}

namespace {

// Keeps the boxes a model hands to the view.
class BoxPass : public Model::IRenderPass
{
public:
    Mode mode() const override { return Mode::Render; }
    void pushName(unsigned) override {}
    void popName() override {}
    void paintCellVolume(TotalVolume &, bool, bool) override {}
    void paintCellVolumeBounds(const TotalVolume &) override {}
    void paintBoxes(const std::vector<ShadedBox> &painted, const Util::Vector3D &outline) override
    {
        boxes = painted;
        outlineColour = outline;
    }
    std::vector<ShadedBox> boxes;
    Util::Vector3D outlineColour;
};

} // namespace

TEST(ExtractedModelTest, DrawsEachBlockInTheNextPaletteColourAtItsPlace)
{
    EnvelopeList blocks;
    for (int i = 0; i < 15; ++i)
        blocks.push_back(boost::shared_ptr<RectangularCuboidEnvelope>(
            new RectangularCuboidEnvelope(i, 2, 4, 1, 3, 8, Al)));
    ExtractedModel model(blocks);
    EXPECT_EQ(model.objectType(), 2);
    EXPECT_EQ(model.clone(), nullptr);
    model.moveBy(Util::Vector3D(10, 0, 0));
    model.moveBy(Util::Vector3D(5, 1, 0));

    BoxPass shown, picked;
    model.draw(shown, true, true);
    model.drawForSelection(picked);
    ASSERT_EQ(shown.boxes.size(), 15u);
    ASSERT_EQ(picked.boxes.size(), 15u);
    EXPECT_EQ(shown.outlineColour, Util::Vector3D(0.25, 0.25, 0.25));
    // Moved when shown, in place when picked; heights scaled.
    EXPECT_EQ(shown.boxes[3].low, Util::Vector3D(18, 3, 4 * 0.35355246));
    EXPECT_EQ(shown.boxes[3].high, Util::Vector3D(19, 6, 12 * 0.35355246));
    EXPECT_EQ(picked.boxes[3].low, Util::Vector3D(3, 2, 4 * 0.35355246));
    // Fourteen colours, then the palette starts again; again at each draw.
    EXPECT_EQ(shown.boxes[0].colour, Util::Vector3D(1, 0, 0));
    EXPECT_EQ(shown.boxes[2].colour, Util::Vector3D(1, 1, 1));
    EXPECT_EQ(shown.boxes[13].colour, Util::Vector3D(0, 0, 0.5));
    EXPECT_EQ(shown.boxes[14].colour, Util::Vector3D(1, 0, 0));
    EXPECT_EQ(picked.boxes[0].colour, Util::Vector3D(1, 0, 0));
}
