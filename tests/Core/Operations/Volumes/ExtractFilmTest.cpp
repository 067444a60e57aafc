// Extracting a film: the body of the chosen material that holds its first
// cell, face-connected only, copied into a new volume beside the source.
// Invariants: the source's cells never change; the film keeps x and y (or
// mirrors y with inversion) and its lowest cell lands on z = 0; undo and
// redo take the new volume out and put the same one back.
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Volumes/ExtractFilm.h"
#include "Model/Automaton/TotalVolume.h"
#include "RecordingOperation.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using namespace Core::Operations;
using Model::Automaton::TotalVolume;
using Lines = std::vector<std::string>;
using Cell = std::tuple<unsigned, unsigned, unsigned>;

namespace {

constexpr std::uint32_t Si = 1, Metal = 3;

// A 6 x 3 x 5 volume of silicon below z = 2 with metal at the given cells.
boost::shared_ptr<TotalVolume> volumeWithMetal(const std::set<Cell> &metal)
{
    std::vector<std::uint32_t> materials(6 * 3 * 5);
    for (unsigned x = 0; x < 6; ++x)
        for (unsigned y = 0; y < 3; ++y)
            for (unsigned z = 0; z < 5; ++z)
                materials[z + 5 * (y + 3 * x)] = metal.count(Cell{x, y, z}) ? Metal : z < 2 ? Si : 0u;
    return boost::make_shared<TotalVolume>(6, 3, 5, 1.0f, 0.5f, 2.0f, Util::Vector3D(1, 2, 3), materials);
}

std::set<Cell> cellsOf(TotalVolume &volume, std::uint32_t material)
{
    std::set<Cell> found;
    const Model::Automaton::LockedCells cells(volume);
    for (unsigned x = 0; x < volume.sizeX(); ++x)
        for (unsigned y = 0; y < volume.sizeY(); ++y)
            for (unsigned z = 0; z < volume.sizeZ(); ++z)
                if (cells[volume.cellIndex(x, y, z)].material == material)
                    found.insert(Cell{x, y, z});
    return found;
}

// Two bodies of metal: the first (lowest cell index) at x = 0..1, z = 2..3,
// with a cell at (2, 1, 4) that touches it only along an edge; the second
// at x = 4..5.
const std::set<Cell> TwoBodies = {{0, 0, 2}, {0, 0, 3}, {1, 0, 3}, {1, 1, 3}, {2, 1, 4}, {4, 2, 2}, {5, 2, 2}};

class ExtractFilmTest : public ::testing::Test
{
protected:
    ExtractFilmTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
    }

    boost::shared_ptr<TotalVolume> extract(const boost::shared_ptr<TotalVolume> &source, std::uint32_t material,
                                           bool invert)
    {
        context.selectionManager().setMode(true);
        context.selectionManager().toggle({source->id()});
        context.startOperation(ExtractFilmId);
        auto op = boost::dynamic_pointer_cast<ExtractFilm>(context.currentOperation());
        if (!op || op->step() != ExtractFilm::WaitingForOptions)
            return {};
        op->setMaterialId(material);
        op->setInvert(invert);
        op->end();
        return op->extracted();
    }

    OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
};

} // namespace

TEST_F(ExtractFilmTest, AsksForAVolumeUntilOneIsPicked)
{
    const auto source = volumeWithMetal(TwoBodies);
    context.document().addObject(source);
    context.startOperation(ExtractFilmId);
    EXPECT_EQ(lines->lines, Lines{"Extract Film: select a cell volume and press Enter/Return."});
    EXPECT_TRUE(context.selectionManager().mode());
    context.selectionManager().toggle({source->id()});
    context.consoleInput().processLine("");
    EXPECT_EQ(lines->lines.back(), "Extract Film: cell volume selected.");
    const auto op = boost::dynamic_pointer_cast<ExtractFilm>(context.currentOperation());
    ASSERT_TRUE(op);
    EXPECT_EQ(op->source(), source);
    EXPECT_EQ(op->step(), ExtractFilm::WaitingForOptions);

    const std::size_t before = lines->lines.size();
    context.cancelCurrentOperation();
    EXPECT_EQ(lines->lines.size(), before) << "cancels without a word";
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.document().allObjects().size(), 1u);
}

TEST_F(ExtractFilmTest, OnlyTheFaceConnectedBodyOfTheFirstCellDropsToTheFloor)
{
    const auto source = volumeWithMetal(TwoBodies);
    context.document().addObject(source);
    const auto sourceCells = source->materials();
    const auto film = extract(source, Metal, false);
    ASSERT_TRUE(film);
    EXPECT_EQ(lines->lines.back(), "Extract Film: film extracted.");
    EXPECT_EQ(cellsOf(*film, Metal), (std::set<Cell>{{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}}));
    EXPECT_EQ(cellsOf(*film, Si), std::set<Cell>{});

    EXPECT_EQ(source->materials(), sourceCells) << "the source keeps every cell";
    EXPECT_EQ(film->sizeX(), 6u);
    EXPECT_EQ(film->sizeY(), 3u);
    EXPECT_EQ(film->sizeZ(), 5u);
    EXPECT_EQ(film->cellsizeY(), 0.5f);
    EXPECT_EQ(film->cellsizeZ(), 2.0f);
    // Beside the source: its width and ten cells more, of the largest edge.
    EXPECT_EQ(film->position(), Util::Vector3D(1 + (6 + 10) * 2.0, 2, 3));
}

TEST_F(ExtractFilmTest, InvertedFilmIsTurnedAboutXBeforeItDrops)
{
    const auto source = volumeWithMetal(TwoBodies);
    context.document().addObject(source);
    const auto film = extract(source, Metal, true);
    ASSERT_TRUE(film);
    // (x, 2 - y, 4 - z), then down by the lowest z of 1.
    EXPECT_EQ(cellsOf(*film, Metal), (std::set<Cell>{{0, 2, 1}, {0, 2, 0}, {1, 2, 0}, {1, 1, 0}}));
}

TEST_F(ExtractFilmTest, AMaterialTheVolumeLacksGivesAnEmptyVolumeAndSaysSo)
{
    const auto source = volumeWithMetal({});
    context.document().addObject(source);
    const auto film = extract(source, Metal, false);
    ASSERT_TRUE(film);
    EXPECT_EQ(lines->lines.back(), "Extract Film: the volume holds no cell of that material.");
    EXPECT_EQ(film->materials(), std::vector<std::uint32_t>(film->cellCount(), 0u));
    EXPECT_EQ(context.document().allObjects().size(), 2u);
}

TEST_F(ExtractFilmTest, UndoAndRedoTakeTheFilmOutAndPutTheSameOneBack)
{
    const auto source = volumeWithMetal(TwoBodies);
    context.document().addObject(source);
    const auto film = extract(source, Si, false);
    ASSERT_TRUE(film);
    using Objects = std::vector<boost::shared_ptr<Model::Object>>;
    EXPECT_EQ(context.document().allObjects(), (Objects{source, film}));
    EXPECT_EQ(context.history().undoTitle(), "Extract Film");
    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(context.document().allObjects(), Objects{source});
    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(context.document().allObjects(), (Objects{source, film}));
    EXPECT_EQ(cellsOf(*film, Si).size(), 6u * 3u * 2u);
}
