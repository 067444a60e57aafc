// Long steps report between their phases and stop there when asked.
// Invariants: reporting changes no cell; reports count every step of the
// phase, up to "steps of steps"; a stopped run keeps the whole steps it did
// and changes nothing after the stop; a stopped lattice build leaves the
// volume without a lattice.
#include "Core/Operations/Deposition/AnisotropicFilmDeposition.h"
#include "Core/Operations/Doping/IonImplantation.h"
#include "Core/Operations/Doping/SimpleDoping.h"
#include "Core/Operations/Frames/StepProgress.h"
#include "Core/Operations/Isotropic/Electrodeposition.h"
#include "Core/Operations/Isotropic/IsotropicFilmDeposition.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtching.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodDeposition.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodEtching.h"
#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtching.h"
#include "Core/Operations/SiEtching/AtomicStructureSimpleSiWetEtch.h"
#include "Core/Operations/SiEtching/ContinuosWetEtching.h"
#include "Core/Operations/SiEtching/SiLatticePreparation.h"
#include "Core/Operations/SiOxidation/SimpleSiOxidation.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"

#include "ScriptedInterrupter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Core::Operations;
using Model::Automaton::TotalVolume;
using TestSupport::ScriptedInterrupter;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Copper = 5;

// Silicon with trenches under an oxide mask with an opening: every process
// below has surface to work on.
std::unique_ptr<TotalVolume> trenches()
{
    const unsigned sx = 24, sy = 18, sz = 16;
    std::vector<std::uint32_t> m(std::size_t(sx) * sy * sz, 0);
    for (unsigned x = 0; x < sx; ++x)
        for (unsigned y = 0; y < sy; ++y)
            for (unsigned z = 0; z < sz; ++z) {
                const bool trench = (x / 4) % 2 == 1 && y > 3 && y < 14;
                const unsigned top = trench ? 5 : 9;
                std::uint32_t material = z < top ? Si : 0u;
                if (z == top && !trench && x > 8)
                    material = Oxide;
                m[z + sz * (y + std::size_t(sy) * x)] = material;
            }
    return std::make_unique<TotalVolume>(sx, sy, sz, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
}

// A silicon block with empty cells all round.
std::unique_ptr<TotalVolume> freeBlock()
{
    const unsigned sx = 14, sy = 12, sz = 10;
    std::vector<std::uint32_t> m(std::size_t(sx) * sy * sz, 0);
    for (unsigned x = 3; x < 11; ++x)
        for (unsigned y = 3; y < 9; ++y)
            for (unsigned z = 3; z < 7; ++z)
                m[z + sz * (y + std::size_t(sy) * x)] = Si;
    return std::make_unique<TotalVolume>(sx, sy, sz, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
}

struct Process
{
    const char *name;
    const char *phase;
    bool needsLattice;
    // False when it was stopped.
    std::function<bool(TotalVolume &, Interrupter *)> run;
};

const std::vector<Process> &processes()
{
    static const std::vector<Process> all = {
        {"deposition", "Moving the front", false,
         [](TotalVolume &v, Interrupter *i) { return IsotropicFilmDeposition(v, Copper, 3.0f, i).runDeposition(); }},
        {"etching", "Moving the front", false,
         [](TotalVolume &v, Interrupter *i) { return IsotropicFilmEtching(v, Si, 2.5f, i).runEtching(); }},
        {"electroplating", "Moving the front", false,
         [](TotalVolume &v, Interrupter *i) {
             return Electrodeposition(v, Copper, Oxide, 3.0f, i).runElectrodeposition();
         }},
        {"directional deposition", "Moving the front", false,
         [](TotalVolume &v, Interrupter *i) {
             return AnisotropicFilmDeposition(v, Copper, 3.0f, 2.0f, AnisotropicFilmDeposition::BothSides, i)
                 .runDeposition();
         }},
        {"doping", "Moving the front", false,
         [](TotalVolume &v, Interrupter *i) { return SimpleDoping(v, 15, 3.0f, i).runDoping(); }},
        // Its implanted layer takes the dopant only at the end of a whole run.
        {"ion implantation", "Moving the front", false,
         [](TotalVolume &v, Interrupter *i) { return IonImplantation(v, 15, 2.0f, 3.0f, i).runImplantation(); }},
        {"atomistic wet etching", "Etching", true,
         [](TotalVolume &v, Interrupter *i) { return AtomicStructureSimpleSiWetEtch(v, 2.0, i).runEtching(); }},
        {"continuous wet etching", "Etching", true,
         [](TotalVolume &v, Interrupter *i) { return ContinuosWetEtching(v, 4.0, i).runEtching(); }},
        {"Moore deposition", "Moving the front", false,
         [](TotalVolume &v, Interrupter *i) { return MooreNeighborhoodDeposition(v, Copper, 3, i).runDeposition(); }},
        {"Moore etching", "Moving the front", false,
         [](TotalVolume &v, Interrupter *i) { return MooreNeighborhoodEtching(v, Si, 3, i).runEtching(); }},
        {"simple RIE", "Etching", false,
         [](TotalVolume &v, Interrupter *i) {
             return SimpleReactiveIonEtching(v, Si, 3, SimpleReactiveIonEtching::FromTop, i).runEtching();
         }},
    };
    return all;
}

// Each step loop with an amount that does all it can in the volume, and
// with one of a thousand million cells.
struct Unbounded
{
    const char *name;
    bool needsLattice;
    std::function<bool(TotalVolume &, Interrupter *, double amount)> run;
};

const std::vector<Unbounded> &unboundedProcesses()
{
    static const std::vector<Unbounded> all = {
        {"deposition", false,
         [](TotalVolume &v, Interrupter *i, double t) { return IsotropicFilmDeposition(v, Copper, float(t), i).runDeposition(); }},
        {"etching", false,
         [](TotalVolume &v, Interrupter *i, double t) { return IsotropicFilmEtching(v, Si, float(t), i).runEtching(); }},
        {"electroplating", false,
         [](TotalVolume &v, Interrupter *i, double t) {
             return Electrodeposition(v, Copper, Oxide, float(t), i).runElectrodeposition();
         }},
        {"atomistic wet etching", true,
         [](TotalVolume &v, Interrupter *i, double t) { return AtomicStructureSimpleSiWetEtch(v, t, i).runEtching(); }},
        {"continuous wet etching", true,
         [](TotalVolume &v, Interrupter *i, double t) { return ContinuosWetEtching(v, t, i).runEtching(); }},
        {"directional deposition", false,
         [](TotalVolume &v, Interrupter *i, double t) {
             return AnisotropicFilmDeposition(v, Copper, float(t), 2.0f, AnisotropicFilmDeposition::BothSides, i)
                 .runDeposition();
         }},
        {"doping", false, [](TotalVolume &v, Interrupter *i, double t) { return SimpleDoping(v, 15, float(t), i).runDoping(); }},
        {"ion implantation", false,
         [](TotalVolume &v, Interrupter *i, double t) { return IonImplantation(v, 15, 3.0f, float(t), i).runImplantation(); }},
        {"oxidation", false, [](TotalVolume &v, Interrupter *i, double t) { return SimpleSiOxidation(v, 1.0, i).runOxidation(t); }},
        {"Moore deposition", false,
         [](TotalVolume &v, Interrupter *i, double t) { return MooreNeighborhoodDeposition(v, Copper, int(t), i).runDeposition(); }},
        {"Moore etching", false,
         [](TotalVolume &v, Interrupter *i, double t) { return MooreNeighborhoodEtching(v, Si, int(t), i).runEtching(); }},
        {"simple RIE", false,
         [](TotalVolume &v, Interrupter *i, double t) {
             return SimpleReactiveIonEtching(v, Si, t, SimpleReactiveIonEtching::FromTop | SimpleReactiveIonEtching::FromBelow, i)
                 .runEtching();
         }},
    };
    return all;
}

std::unique_ptr<TotalVolume> prepared(const Process &process)
{
    auto v = trenches();
    if (process.needsLattice)
        v->rebuildSiLattice();
    return v;
}

} // namespace

TEST(StepInterruption, ReportingChangesNoCellAndCountsEveryStep)
{
    for (const Process &process : processes()) {
        SCOPED_TRACE(process.name);
        auto silent = prepared(process);
        process.run(*silent, nullptr);

        auto watched = prepared(process);
        ScriptedInterrupter interrupter;
        process.run(*watched, &interrupter);
        EXPECT_EQ(watched->materials(), silent->materials());

        ASSERT_FALSE(interrupter.reports.empty());
        const int steps = interrupter.reports.back().steps;
        EXPECT_GT(steps, 0);
        // Before each step, and once at the end, which comes early when the
        // fronts empty before the last step.
        ASSERT_LE(interrupter.reports.size(), std::size_t(steps) + 1);
        const std::size_t last = interrupter.reports.size() - 1;
        for (std::size_t i = 0; i <= last; ++i) {
            EXPECT_EQ(interrupter.reports[i].phase, process.phase);
            EXPECT_EQ(interrupter.reports[i].step, i == last ? steps : int(i));
            EXPECT_EQ(interrupter.reports[i].steps, steps);
        }
    }
}

TEST(StepInterruption, AStoppedRunKeepsItsWholeStepsAndNothingMore)
{
    for (const Process &process : processes()) {
        SCOPED_TRACE(process.name);
        auto whole = prepared(process);
        const auto before = whole->materials();
        ScriptedInterrupter counting;
        EXPECT_TRUE(process.run(*whole, &counting)) << "ran to its end";
        const auto after = whole->materials();
        ASSERT_NE(after, before);
        const int steps = counting.reports.back().steps;

        auto untouched = prepared(process);
        ScriptedInterrupter atOnce(1);
        EXPECT_FALSE(process.run(*untouched, &atOnce));
        EXPECT_EQ(untouched->materials(), before) << "stopped before its first step";
        EXPECT_EQ(atOnce.reports.size(), 1u);

        // Stopped half way: the stop request comes from the run's own
        // thread, between two steps, where it may look at the cells it holds.
        auto partial = prepared(process);
        const Model::Automaton::Voxel *cells = Model::Automaton::LockedCells(*partial).get();
        std::vector<std::uint32_t> whenStopped;
        ScriptedInterrupter halfWay(steps / 2 + 1);
        halfWay.onStop = [&] {
            for (std::size_t i = 0; i < before.size(); ++i)
                whenStopped.push_back(cells[i].material);
        };
        EXPECT_FALSE(process.run(*partial, &halfWay));
        EXPECT_EQ(halfWay.reports.size(), std::size_t(steps / 2 + 1)) << "no report after the stop";
        const auto stopped = partial->materials();
        EXPECT_EQ(stopped, whenStopped) << "nothing changes after the stop";
        EXPECT_NE(stopped, before) << "the steps before the stop are kept";
        std::size_t foreign = 0;
        for (std::size_t i = 0; i < before.size(); ++i)
            foreign += stopped[i] != before[i] && stopped[i] != after[i];
        EXPECT_EQ(foreign, 0u) << "each cell holds what it had or what the whole run gives it";
    }
}

TEST(StepInterruption, AStepLoopWhoseFrontsAreEmptyEndsWithTheCellsOfTheWholeRun)
{
    for (const Unbounded &process : unboundedProcesses()) {
        SCOPED_TRACE(process.name);
        // Silicon masked by oxide keeps its (111) walls for ever: the wet
        // etchings take a free silicon block, which they etch away.
        auto whole = process.needsLattice ? freeBlock() : trenches();
        auto unbounded = process.needsLattice ? freeBlock() : trenches();
        if (process.needsLattice) {
            whole->rebuildSiLattice();
            unbounded->rebuildSiLattice();
        }
        // More than the 24 x 18 x 16 volume can take in any direction.
        ScriptedInterrupter enough;
        EXPECT_TRUE(process.run(*whole, &enough, 200.0));
        // Asked to stop should it run more steps than the volume needs.
        ScriptedInterrupter endless(int(enough.reports.size()) + 1);
        EXPECT_TRUE(process.run(*unbounded, &endless, 999999999.0)) << "ended by itself";
        EXPECT_EQ(unbounded->materials(), whole->materials());
        ASSERT_GE(endless.reports.size(), 2u);
        const auto &last = endless.reports.back();
        EXPECT_EQ(last.step, last.steps) << "the last report says the run is done";
    }
}

TEST(StepInterruption, AStoppedLatticeBuildLeavesNoLattice)
{
    auto v = trenches();
    std::vector<unsigned> rows;
    EXPECT_FALSE(v->rebuildSiLattice([&rows](unsigned done, unsigned) {
        rows.push_back(done);
        return done < 3;
    }));
    EXPECT_FALSE(v->siLattice());
    EXPECT_EQ(rows, (std::vector<unsigned>{0, 1, 2, 3}));

    std::string problem;
    ScriptedInterrupter atOnce(1);
    EXPECT_FALSE(prepareSiLattice(*v, true, &problem, {}, &atOnce));
    EXPECT_TRUE(problem.empty()) << "a stop is no problem to report";
    EXPECT_FALSE(v->siLattice());
    ASSERT_EQ(atOnce.reports.size(), 1u);
    EXPECT_EQ(atOnce.reports[0].phase, "Building the Si lattice");

    ScriptedInterrupter watched;
    ASSERT_TRUE(prepareSiLattice(*v, true, &problem, {}, &watched));
    const unsigned rowsOfCells = Model::Automaton::SiLattice::lateralCells(v->sizeX(), v->sizeY());
    ASSERT_EQ(watched.reports.size(), std::size_t(rowsOfCells) + 2) << "each row, the bonds, and the end";
    EXPECT_EQ(watched.reports.back().step, watched.reports.back().steps);
    const std::size_t cells = v->siLattice()->cellCount();
    v->rebuildSiLattice();
    EXPECT_EQ(v->siLattice()->cellCount(), cells) << "a reported build is the same lattice";
}

TEST(StepInterruption, StepProgressKeepsTheLatestReportForAnotherThread)
{
    StepProgress progress;
    EXPECT_EQ(progress.report().text(), "");
    progress.progress("Etching", 3, 40);
    EXPECT_EQ(progress.report().text(), "Etching: step 3 of 40");
    EXPECT_FALSE(progress.wasInterrupted());
    progress.interrupt();
    EXPECT_TRUE(progress.wasInterrupted());
    progress.clearReport();
    EXPECT_EQ(progress.report().text(), "");
    EXPECT_TRUE(progress.wasInterrupted()) << "a new report does not take the request back";
}

// Under an oxide mask the bond-counting etch comes to (111) walls it cannot
// take. A step that removes no atom leaves every state as it was, so every
// later step would remove none either: the run ends there, whatever depth
// was asked, with the cells of the steps before it and a last report that
// says it is done.
TEST(StepInterruption, ABondCountingEtchEndsAtTheFirstStepThatRemovesNoAtom)
{
    const auto etch = [](double depth, Interrupter *interrupter) {
        auto v = trenches();
        v->rebuildSiLattice();
        EXPECT_TRUE(AtomicStructureSimpleSiWetEtch(*v, depth, interrupter).runEtching()) << depth;
        return v;
    };
    ScriptedInterrupter counting;
    const auto deep = etch(200.0, &counting);
    const int steps = counting.reports.back().steps;
    // A report before each step it ran, and the last one.
    const int ran = int(counting.reports.size()) - 1;
    ASSERT_LT(ran, steps) << "the (111) walls hold: the run ends early";
    EXPECT_EQ(counting.reports.back().step, steps);

    EXPECT_EQ(etch((ran - 1) / 4.0, nullptr)->materials(), deep->materials())
        << "the step it ended at changed nothing";

    ScriptedInterrupter endless(ran + 2);
    EXPECT_EQ(etch(999999999.0, &endless)->materials(), deep->materials());
    EXPECT_EQ(endless.reports.size(), counting.reports.size()) << "ended by itself at the same step";
}
