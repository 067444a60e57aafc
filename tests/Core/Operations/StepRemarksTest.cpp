// What a step that ran tells beyond "Operation finished.": that it changed
// no cell, and that the material it takes away reaches the closed top of
// the cell volume, where nothing can take it. The window's operations post
// the sentences on the console; the batch engine gets them from the same
// runs the descriptors bind.
#include "Core/Operations/Isotropic/IsotropicFilmEtchingOperation.h"
#include "Core/Operations/Isotropic/IsotropicProcesses.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Photolithography/PhotolithographyProcesses.h"
#include "Core/Operations/ReactiveIonEtching/ReactiveIonEtchingProcesses.h"
#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtching.h"
#include "Core/Operations/StepRemarks.h"
#include "Core/Operations/Undo/CellSnapshot.h"
#include "Model/Automaton/TotalVolume.h"
#include "RecordingOperation.h"

#include <gtest/gtest.h>

using namespace Core::Operations;
using Model::Automaton::TotalVolume;
using Lines = std::vector<std::string>;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Resist = 11;

const std::string ResistAtTheTop =
    "The Photoresist + reaches the top of the cell volume and has no free surface there; make the volume taller.";

// A 20 x 20 x 10 wafer: silicon below z = 2, `film` from there up to
// `filmTop` (exclusive), empty above.
boost::shared_ptr<TotalVolume> wafer(std::uint32_t film, unsigned filmTop)
{
    const unsigned sx = 20, sy = 20, sz = 10;
    std::vector<std::uint32_t> m(sx * sy * sz, 0);
    for (std::size_t i = 0; i < m.size(); ++i) {
        const unsigned z = unsigned(i % sz);
        m[i] = z < 2 ? Si : z < filmTop ? film : 0;
    }
    return boost::make_shared<TotalVolume>(sx, sy, sz, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
}

// Opaque over the half x < 10 of a 20 x 20 volume.
Model::Automaton::CellMask halfOpaque()
{
    Model::Automaton::CellMask mask;
    mask.width = mask.height = 20;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y)
            mask.bits.push_back(x < 10);
    return mask;
}

// Runs `run` on `volume` as the batch engine does and returns the remarks.
std::vector<std::string> remarksOf(TotalVolume &volume, const ProcessRun &run)
{
    const CellSnapshot before(volume);
    EXPECT_TRUE(run.run(volume, nullptr));
    return StepRemarks::after(volume, before, run);
}

std::size_t count(TotalVolume &volume, std::uint32_t material)
{
    const auto m = volume.materials();
    return std::size_t(std::count(m.begin(), m.end(), material));
}

} // namespace

TEST(StepRemarks, AnEtchingOfAMaterialTheVolumeLacksSaysThatNoCellChanged)
{
    OperationContext context;
    auto lines = TestSupport::ConsoleLog::attach(context);
    context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
    const auto volume = wafer(Si, 4);
    context.document().addObject(volume);

    const auto etch = [&](std::uint32_t material) {
        context.startOperation(IsotropicEtchingId);
        auto op = boost::dynamic_pointer_cast<IsotropicFilmEtchingOperation>(context.currentOperation());
        ASSERT_TRUE(op);
        op->setThickness(2.0f);
        op->setMaterialId(material);
        op->end();
    };
    etch(Oxide);
    ASSERT_GE(lines->lines.size(), 2u);
    EXPECT_EQ(lines->lines[lines->lines.size() - 2], "Isotropic Etching: Operation finished.");
    EXPECT_EQ(lines->lines.back(), "Isotropic Etching: No cell changed.");
    EXPECT_EQ(context.history().undoCount(), 1u) << "still a step of the history";

    etch(Si);
    EXPECT_EQ(lines->lines.back(), "Isotropic Etching: Operation finished.") << "this one changed cells";
}

// Resist spun up to the top of the volume has no free surface there: the
// development leaves it whole, and says why once.
TEST(StepRemarks, ResistThatReachesTheTopIsNamedOnce)
{
    const auto full = wafer(Resist, 10);
    const ProcessRun develop = photolithographyDescriptor().bind({Resist, halfOpaque(), {}});
    EXPECT_EQ(remarksOf(*full, develop), (Lines{StepRemarks::NoCellChanged, ResistAtTheTop}));
    EXPECT_EQ(count(*full, Resist), 3200u);

    const auto roomAbove = wafer(Resist, 9);
    EXPECT_EQ(remarksOf(*roomAbove, develop), Lines{}) << "a free top surface develops";
    EXPECT_EQ(count(*roomAbove, Resist), 1400u) << "only under the opaque half";
}

TEST(StepRemarks, OnlyAnEtchingFromTheTopNeedsAFreeSurfaceAbove)
{
    const std::string OxideAtTheTop =
        "The Thermal Si02 reaches the top of the cell volume and has no free surface there; make the volume taller.";
    const auto fromTop = simpleRieDescriptor().bind({1.0, Oxide, SimpleReactiveIonEtching::FromTop});
    const auto fromBelow = simpleRieDescriptor().bind({1.0, Oxide, SimpleReactiveIonEtching::FromBelow});
    EXPECT_EQ(remarksOf(*wafer(Oxide, 10), fromTop), (Lines{StepRemarks::NoCellChanged, OxideAtTheTop}));
    EXPECT_EQ(remarksOf(*wafer(Oxide, 10), fromBelow), Lines{StepRemarks::NoCellChanged});

    const auto etching = isotropicEtchingDescriptor().bind({2.0, Oxide});
    EXPECT_EQ(remarksOf(*wafer(Oxide, 10), etching), (Lines{StepRemarks::NoCellChanged, OxideAtTheTop}));
    EXPECT_EQ(remarksOf(*wafer(Oxide, 6), etching), Lines{});
}
