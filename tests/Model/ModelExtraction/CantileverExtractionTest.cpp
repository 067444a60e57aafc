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

#include <algorithm>
#include <clocale>
#include <cmath>
#include <string>

using Model::ModelExtraction::CantileverModelRule;
using Model::ModelExtraction::CantileverStructure;
using Model::ModelExtraction::CellEdges;
using Model::ModelExtraction::EnvelopeDecomposition;
using Model::ModelExtraction::EnvelopeList;
using Model::ModelExtraction::ExtractedModel;
using Model::ModelExtraction::NetlistFile;
using Model::ModelExtraction::RectangularCuboidEnvelope;
using TestSupport::TempFolder;
using Model::Automaton::TotalVolume;
namespace CellGrid = TestSupport::CellGrid;

namespace {

// Ids of the default material catalogue.
constexpr std::uint32_t Si = 1;
constexpr std::uint32_t Al = 4;
constexpr std::uint32_t Cu = 5;
constexpr std::uint32_t Ni = 7;

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

// What the model must give for a beam of length L, width w and thickness t
// in metres, worked out here from the textbook formulas.
double expectedMass(double length, double width, double thickness, double density)
{
    return length * width * thickness * density * 33.0 / 140.0;
}

double expectedCompliance(double length, double width, double thickness, double young)
{
    return length * length * length / (3.0 * young * width * thickness * thickness * thickness / 12.0);
}

// The edge of a cell of size 1 in the default length unit.
const double Edge = std::cbrt(2.00129819772e-17);

// A catalogue constant as the catalogue holds it (in single precision).
double stored(double value)
{
    return double(float(value));
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
    EXPECT_EQ(rule.found()[0].axis, 0);

    // The catalogue's aluminium, lengths in metres: one cell of the default
    // unit keeps the cell volume earlier netlists used.
    const double mass = expectedMass(8 * Edge, 3 * Edge, 2 * Edge, 2700);
    EXPECT_NEAR(mass, 8 * 3 * 2 * 2.00129819772e-17 * 2700 * 33.0 / 140.0, 1e-9 * mass);
    const QStringList lines = structure->netlist().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], "Model extracted by Tessival");
    EXPECT_TRUE(lines[1].startsWith("* Lengths in metres; a cell is ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("* Beam 1: Al (bulk), ")) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "c1 1 0 " + g6(mass) + " ");
    EXPECT_EQ(lines[4], "l1 1 0 " + g6(expectedCompliance(8 * Edge, 3 * Edge, 2 * Edge, stored(7e10))) + " ");
    EXPECT_EQ(lines[5], ".end ");
}

TEST(CantileverModelRuleTest, BeamsWithoutAFreeEndAreNotCantilevers)
{
    // Something above the free end.
    auto covered = boxes(20, 5, 6, {{{0, 0, 0, 8, 5, 6}, Si}, {{8, 1, 3, 16, 4, 5}, Al}, {{13, 1, 5, 16, 4, 6}, Cu}});
    // Something below the free end.
    auto propped = boxes(20, 5, 6, {{{0, 0, 0, 8, 5, 6}, Si}, {{8, 1, 3, 16, 4, 5}, Al}, {{13, 1, 0, 16, 4, 3}, Cu}});
    // Something beside the free end, touching it.
    auto leaning = boxes(20, 6, 6, {{{0, 0, 0, 8, 6, 6}, Si}, {{8, 1, 3, 16, 4, 5}, Al}, {{13, 4, 0, 16, 5, 6}, Cu}});
    // Si at both ends.
    auto bridge = boxes(20, 5, 6, {{{0, 0, 0, 6, 5, 6}, Si}, {{14, 0, 0, 20, 5, 6}, Si}, {{6, 1, 3, 14, 4, 5}, Al}});
    // An Si beam.
    auto siBeam = boxes(20, 5, 6, {{{0, 0, 0, 8, 5, 6}, Si}, {{8, 1, 3, 16, 4, 5}, Si}});
    for (TotalVolume *volume : {covered.get(), propped.get(), leaning.get(), bridge.get(), siBeam.get()}) {
        CantileverModelRule rule;
        EXPECT_FALSE(rule.apply(linkedBlocks(*volume)));
        EXPECT_TRUE(rule.cantilevers().empty());
    }
}

// A structure elsewhere in the volume never cuts a beam: a post two cells
// clear of its tip, another beside it and a wall of the beam's own material
// standing apart all leave the beam whole, with its free end.
TEST(CantileverModelRuleTest, AnUnrelatedStructureLeavesTheBeamWhole)
{
    const std::pair<Box, std::uint32_t> anchor{{0, 0, 0, 8, 12, 8}, Si}, beam{{8, 4, 4, 18, 7, 6}, Al};
    const std::vector<std::pair<Box, std::uint32_t>> neighbours[] = {
        {{{20, 5, 0, 22, 6, 7}, Al}},                               // a post two cells beyond the tip
        {{{10, 9, 0, 14, 11, 8}, Cu}},                              // a post two cells to the side
        {{{10, 0, 0, 22, 2, 8}, Al}, {{12, 10, 1, 16, 12, 3}, Si}}, // a wall and a block, apart
    };
    for (const auto &others : neighbours) {
        std::vector<std::pair<Box, std::uint32_t>> painted{anchor, beam};
        painted.insert(painted.end(), others.begin(), others.end());
        auto volume = boxes(24, 12, 8, painted);
        CantileverModelRule rule;
        ASSERT_TRUE(rule.apply(linkedBlocks(*volume)));
        ASSERT_EQ(rule.cantilevers().size(), 1u);
        const auto &found = *rule.cantilevers()[0];
        EXPECT_EQ(found.originX(), 8);
        EXPECT_EQ(found.sizeX(), 10);
        EXPECT_EQ(found.sizeY(), 3);
        EXPECT_EQ(found.sizeZ(), 2);
    }
}

// The length runs the way the beam leaves its anchor, whichever way that is
// and however wide the beam: a paddle 6 cells long and 20 wide is short
// and stiff, not long and soft.
TEST(CantileverModelRuleTest, LengthRunsFromTheAnchorAndWidthAcrossIt)
{
    auto paddle = boxes(14, 24, 6, {{{0, 0, 0, 4, 24, 6}, Si}, {{4, 2, 3, 10, 22, 5}, Al}});
    CantileverModelRule alongX;
    ASSERT_TRUE(alongX.apply(linkedBlocks(*paddle)));
    ASSERT_EQ(alongX.found().size(), 1u);
    EXPECT_EQ(alongX.found()[0].axis, 0);
    const CantileverStructure structure(alongX.found(), CellEdges::ofDefaultUnit());
    const CantileverStructure::Beam shortBeam = structure.beam(alongX.found()[0]);
    EXPECT_DOUBLE_EQ(shortBeam.length, 6 * Edge);
    EXPECT_DOUBLE_EQ(shortBeam.width, 20 * Edge);
    EXPECT_DOUBLE_EQ(shortBeam.thickness, 2 * Edge);
    EXPECT_DOUBLE_EQ(shortBeam.compliance, expectedCompliance(6 * Edge, 20 * Edge, 2 * Edge, stored(7e10)));

    // The same beam leaving an anchor along y.
    auto turned = boxes(24, 14, 6, {{{0, 0, 0, 24, 4, 6}, Si}, {{2, 4, 3, 22, 10, 5}, Al}});
    CantileverModelRule alongY;
    ASSERT_TRUE(alongY.apply(linkedBlocks(*turned)));
    ASSERT_EQ(alongY.found().size(), 1u);
    EXPECT_EQ(alongY.found()[0].axis, 1);
    const CantileverStructure::Beam turnedBeam =
        CantileverStructure(alongY.found(), CellEdges::ofDefaultUnit()).beam(alongY.found()[0]);
    EXPECT_DOUBLE_EQ(turnedBeam.length, shortBeam.length);
    EXPECT_DOUBLE_EQ(turnedBeam.width, shortBeam.width);
}

// The fingers of a comb hang from one backbone of their own material: the
// shorter finger's end cuts the longer one, whose blocks are walked back to
// the backbone, from either side.
TEST(CantileverModelRuleTest, BeamOfSeveralBlocksIsWalkedToItsFullLengthEitherWay)
{
    struct Case
    {
        const char *name;
        std::vector<std::pair<Box, std::uint32_t>> painted;
        int longOrigin, shortOrigin;
    };
    const Case cases[] = {
        {"anchored at low x",
         {{{0, 0, 0, 4, 12, 6}, Si}, {{4, 0, 3, 6, 12, 5}, Al}, {{6, 2, 3, 16, 4, 5}, Al}, {{6, 7, 3, 12, 9, 5}, Al}},
         6, 6},
        {"anchored at high x",
         {{{16, 0, 0, 20, 12, 6}, Si}, {{14, 0, 3, 16, 12, 5}, Al}, {{4, 2, 3, 14, 4, 5}, Al}, {{8, 7, 3, 14, 9, 5}, Al}},
         4, 8},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto volume = boxes(20, 12, 6, c.painted);
        CantileverModelRule rule;
        ASSERT_TRUE(rule.apply(linkedBlocks(*volume)));
        ASSERT_EQ(rule.cantilevers().size(), 2u);
        std::vector<std::pair<int, int>> found; // (length, origin) of each
        for (const auto &beam : rule.cantilevers()) {
            EXPECT_EQ(beam->sizeY(), 2);
            EXPECT_EQ(beam->sizeZ(), 2);
            found.emplace_back(beam->sizeX(), beam->originX());
        }
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, (std::vector<std::pair<int, int>>{{6, c.shortOrigin}, {10, c.longOrigin}}));
    }
}

TEST(CantileverStructureTest, LargeBeamsAndCatalogueMaterialsGiveFinitePositiveValues)
{
    // Cell counts whose products overflow 32 bits, and cells of other sizes.
    const Model::ModelExtraction::CantileverList beams{
        {boost::shared_ptr<RectangularCuboidEnvelope>(new RectangularCuboidEnvelope(0, 0, 0, 5000, 400, 2000, Al)),
         0},
        {boost::shared_ptr<RectangularCuboidEnvelope>(new RectangularCuboidEnvelope(0, 0, 0, 300, 2000, 1700, 16)),
         1}};
    const CellEdges edges{0.5e-6, 1e-6, 2e-6};
    const CantileverStructure structure(beams, edges, [](std::uint32_t id) {
        return id == 16 ? Model::ModelExtraction::BeamMaterial{2329, 1.88e11}
                        : Model::ModelExtraction::BeamMaterial{2700, 7e10};
    });
    const auto first = structure.beam(beams[0]);
    EXPECT_DOUBLE_EQ(first.effectiveMass, expectedMass(2500e-6, 400e-6, 4000e-6, 2700));
    EXPECT_DOUBLE_EQ(first.compliance, expectedCompliance(2500e-6, 400e-6, 4000e-6, 7e10));
    const auto second = structure.beam(beams[1]);
    EXPECT_DOUBLE_EQ(second.length, 2000e-6) << "along y";
    EXPECT_DOUBLE_EQ(second.width, 150e-6);
    EXPECT_DOUBLE_EQ(second.effectiveMass, expectedMass(2000e-6, 150e-6, 3400e-6, 2329));
    EXPECT_DOUBLE_EQ(second.compliance, expectedCompliance(2000e-6, 150e-6, 3400e-6, 1.88e11));
    for (const auto &b : structure.beams()) {
        EXPECT_TRUE(std::isfinite(b.effectiveMass) && b.effectiveMass > 0);
        EXPECT_TRUE(std::isfinite(b.compliance) && b.compliance > 0);
        EXPECT_NEAR(b.resonance(), 1.0 / (2 * M_PI * std::sqrt(b.effectiveMass * b.compliance)), 1e-9 * b.resonance());
    }
    EXPECT_FALSE(structure.netlist().contains(QStringLiteral("inf")));
    EXPECT_FALSE(structure.netlist().contains(QStringLiteral(" -")));

    // Without a lookup of its own the structure takes every material from the
    // catalogue, also the first sixteen ids.
    const CantileverStructure fromCatalogue(beams, edges);
    const Model::ModelExtraction::CantileverList gold{
        {boost::shared_ptr<RectangularCuboidEnvelope>(new RectangularCuboidEnvelope(0, 0, 0, 10, 2, 1, 9)), 0}};
    const auto aluminium = fromCatalogue.beam(beams[0]);
    EXPECT_DOUBLE_EQ(aluminium.effectiveMass, first.effectiveMass) << "Al (bulk): 2700 kg/m3, 70 GPa";
    const auto goldBeam = CantileverStructure(gold, edges).beam(gold[0]);
    EXPECT_DOUBLE_EQ(goldBeam.effectiveMass, expectedMass(5e-6, 2e-6, 2e-6, 19300));
    EXPECT_NEAR(goldBeam.compliance, expectedCompliance(5e-6, 2e-6, 2e-6, stored(7.9e10)), 1e-12 * goldBeam.compliance);
}

// A material the catalogue lacks has no density and no Young modulus: its
// beam is named and left out of the circuit rather than written as an
// infinite inductor.
TEST(CantileverStructureTest, ABeamOfAMaterialTheCatalogueLacksIsLeftOutAndNamed)
{
    auto volume = boxes(20, 12, 6, {{{0, 0, 0, 4, 12, 6}, Si}, {{4, 1, 3, 14, 3, 5}, 77}, {{4, 7, 3, 10, 9, 5}, Al}});
    CantileverModelRule rule;
    const auto structure = boost::dynamic_pointer_cast<CantileverStructure>(rule.apply(linkedBlocks(*volume)));
    ASSERT_TRUE(structure);
    ASSERT_EQ(structure->beams().size(), 2u);
    const QString deck = structure->netlist();
    EXPECT_FALSE(deck.contains(" inf")) << deck.toStdString();
    EXPECT_FALSE(deck.contains(" nan")) << deck.toStdString();
    const int unknown = structure->beams()[0].material == 77 ? 1 : 2;
    EXPECT_TRUE(deck.contains(QStringLiteral("* Beam %1: Material 77, ").arg(unknown))) << deck.toStdString();
    EXPECT_TRUE(deck.contains("left out: the material catalogue gives it no density or no Young modulus"));
    EXPECT_FALSE(deck.contains(QStringLiteral("\nc%1 ").arg(unknown)));
    EXPECT_TRUE(deck.contains(QStringLiteral("\nc%1 %1 0 ").arg(3 - unknown)));
    EXPECT_TRUE(structure->subcircuit("s").contains(QStringLiteral(".subckt s %1\n").arg(3 - unknown)));
}

// The subcircuit holds the same elements as the deck, with a port per beam
// and no ".end", so that it can be included into a larger circuit.
TEST(CantileverStructureTest, SubcircuitHasAPortPerBeamAndNoEnd)
{
    auto volume = boxes(20, 12, 6, {{{0, 0, 0, 4, 12, 6}, Si}, {{4, 1, 3, 14, 3, 5}, Ni}, {{4, 7, 3, 10, 9, 5}, Al}});
    CantileverModelRule rule;
    const auto structure = boost::dynamic_pointer_cast<CantileverStructure>(rule.apply(linkedBlocks(*volume)));
    ASSERT_TRUE(structure);
    const QString deck = structure->netlist();
    const QString sub = structure->subcircuit(QStringLiteral("beams"));
    EXPECT_TRUE(sub.startsWith("* Model extracted by Tessival\n"));
    EXPECT_TRUE(sub.contains("\n.subckt beams 1 2\n"));
    EXPECT_TRUE(sub.endsWith("\n.ends beams\n"));
    EXPECT_FALSE(sub.contains(".end \n"));
    for (const QString &line : deck.split(QLatin1Char('\n'))) {
        if (line.startsWith('c') || line.startsWith('l')) {
            EXPECT_TRUE(sub.contains(line + "\n")) << line.toStdString();
        }
    }
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
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            if (!line.startsWith(QLatin1Char('*'))) {
                EXPECT_FALSE(line.contains(QLatin1Char(','))) << line.toStdString();
            }
        }
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
