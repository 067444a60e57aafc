// What the view keeps of each cell volume between frames: meshes rebuilt
// only when the cells were marked changed or the view options changed,
// recoloured on selection and catalogue edits, and never read from cells
// that a step holds. No display needed: the GL side of a state (the atom
// buffers) is only made where a context is current, which these tests
// have none of.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Geometry/ColourMap.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/View/VolumeRenderState.h"
#include "UI/View/VolumeRenderStates.h"

#include "TempFolder.h"

#include <QThreadPool>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <atomic>
#include <set>
#include <thread>

using Model::Automaton::LockedCellArrays;
using Model::Automaton::LockedCells;
using Model::Automaton::SurfaceGenerationAlgorithm;
using Model::Automaton::TotalVolume;
using Model::Geometry::ColourMap;
using Model::Geometry::QuadFace;
using Model::Materials::Colour;
using Model::Materials::Material;
using Ui::VolumeRenderState;

namespace {

enum TestMaterial : std::uint32_t { Opaque = 1, OtherOpaque = 2, Pinkish = 6 };

class VolumeRenderStateTest : public ::testing::Test
{
protected:
    VolumeRenderStateTest() : catalogue(boost::make_shared<Model::Materials::MaterialFactory>(temp.path()))
    {
        catalogue->setMaterial(Material(Opaque, "Opaque", 1, 1, 1, Colour{0.5f, 0.5f, 0.5f, 1.0f}));
        catalogue->setMaterial(Material(OtherOpaque, "Other", 1, 1, 1, Colour{0.1f, 0.9f, 0.1f, 1.0f}));
        catalogue->setMaterial(Material(Pinkish, "Pink", 1, 1, 1, Colour{0.8f, 0.2f, 0.5f, 1.0f}));
    }

    ~VolumeRenderStateTest() override
    {
        QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount());
    }

    boost::shared_ptr<TotalVolume> volume(unsigned sx, unsigned sy, unsigned sz, const std::vector<std::uint32_t> &m)
    {
        return boost::make_shared<TotalVolume>(sx, sy, sz, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
    }

    const Model::Geometry::QuadMesh &refreshed(VolumeRenderState &state, TotalVolume &v)
    {
        state.refresh(v, *catalogue);
        return state.options().algorithm == SurfaceGenerationAlgorithm::OctreeSurface ? state.geometry().octreeFaces
                                                                                        : state.geometry().cubicFaces;
    }

    TestSupport::TempFolder temp;
    boost::shared_ptr<Model::Materials::MaterialFactory> catalogue;
};

// The materials the faces of a mesh carry.
std::set<std::uint32_t> materialsOf(const Model::Geometry::QuadMesh &mesh)
{
    std::set<std::uint32_t> materials;
    for (const auto *faces : {&mesh.opaque, &mesh.translucent})
        for (const QuadFace &face : *faces)
            materials.insert(face.material);
    return materials;
}

} // namespace

TEST_F(VolumeRenderStateTest, SelectionShiftsColoursAndDeselectionRestoresThem)
{
    auto v = volume(1, 1, 1, {Pinkish});
    VolumeRenderState state;
    refreshed(state, *v);
    v->setSelected(true);
    const QuadFace::Colour shown = refreshed(state, *v).opaque[0].fill;
    EXPECT_NEAR(shown[0], 0.1f, 1e-6);
    EXPECT_NEAR(shown[1], 0.5f, 1e-6);
    EXPECT_NEAR(shown[2], 0.8f, 1e-6);
    EXPECT_EQ(shown[3], 1.0f);
    EXPECT_EQ(state.geometry().cubicFaces.opaque[0].edge, shown);

    v->setSelected(false);
    EXPECT_EQ(refreshed(state, *v).opaque[0].fill, (QuadFace::Colour{0.8f, 0.2f, 0.5f, 1.0f}));

    auto selectedFirst = volume(1, 1, 1, {Pinkish});
    selectedFirst->setSelected(true);
    VolumeRenderState fresh;
    EXPECT_EQ(refreshed(fresh, *selectedFirst).opaque[0].fill, shown) << "a first build of a selected volume";
}

TEST_F(VolumeRenderStateTest, ColourChangesInTheCatalogueRecolourUnselectedAndSelectedVolumes)
{
    auto plain = volume(1, 1, 1, {Pinkish});
    auto selected = volume(1, 1, 1, {Pinkish});
    auto octree = volume(2, 2, 2, std::vector<std::uint32_t>(8, Pinkish));
    selected->setSelected(true);
    octree->painter().setAlgorithm(SurfaceGenerationAlgorithm::OctreeSurface);
    VolumeRenderState states[3];
    TotalVolume *volumes[3] = {plain.get(), selected.get(), octree.get()};
    for (int i = 0; i < 3; ++i)
        refreshed(states[i], *volumes[i]);

    catalogue->setMaterial(Material(Pinkish, "Pink", 1, 1, 1, Colour{0.1f, 0.2f, 0.3f, 1.0f}));
    const QuadFace::Colour changed = {0.1f, 0.2f, 0.3f, 1.0f};
    for (int i = 0; i < 3; ++i) {
        const auto &mesh = refreshed(states[i], *volumes[i]);
        ASSERT_FALSE(mesh.opaque.empty()) << i;
        const QuadFace::Colour expected = i == 1 ? ColourMap::selectedColour(changed) : changed;
        for (const QuadFace &face : mesh.opaque) {
            EXPECT_EQ(face.fill, expected) << i;
            EXPECT_EQ(face.edge, expected) << i;
        }
    }
}

TEST_F(VolumeRenderStateTest, AlphaChangeInTheCatalogueRebuildsTheFaces)
{
    auto v = volume(2, 1, 1, {Opaque, Opaque});
    VolumeRenderState state;
    ASSERT_EQ(refreshed(state, *v).opaque.size(), 10u);

    catalogue->setMaterial(Material(Opaque, "Opaque", 1, 1, 1, Colour{0.5f, 0.5f, 0.5f, 0.05f}));
    const auto &mesh = refreshed(state, *v);
    EXPECT_TRUE(mesh.opaque.empty());
    EXPECT_EQ(mesh.translucent.size(), 12u) << "nearly clear cells show every side";
}

TEST_F(VolumeRenderStateTest, MeshesFollowMarkedCellChangesAndNewViewOptionsOnly)
{
    auto v = volume(2, 1, 1, {Opaque, Opaque});
    VolumeRenderState state;
    EXPECT_FALSE(state.isBuilt());
    ASSERT_EQ(refreshed(state, *v).size(), 10u);
    EXPECT_TRUE(state.isBuilt());

    LockedCells(*v)[1].material = 0;
    EXPECT_EQ(refreshed(state, *v).size(), 10u) << "a frame does not walk the cells";
    v->painter().setPaintingSuspended(true);
    v->painter().setPaintingSuspended(false);
    EXPECT_EQ(refreshed(state, *v).size(), 10u) << "suspending the painting changes no mesh";
    v->markCellsChanged();
    EXPECT_EQ(refreshed(state, *v).size(), 6u);
    EXPECT_EQ(state.geometry().presentMaterials, (std::vector<std::uint32_t>{Opaque}));

    v->painter().setDrawRange({1, 0, 0}, {2, 1, 1});
    EXPECT_EQ(refreshed(state, *v).size(), 0u) << "a cut is shown without a mark";
    EXPECT_TRUE(state.geometry().presentMaterials.empty());
    v->painter().setDrawRange({0, 0, 0}, {2, 1, 1});
    v->painter().setAlgorithm(SurfaceGenerationAlgorithm::OctreeSurface);
    EXPECT_EQ(refreshed(state, *v).size(), 6u);
    EXPECT_TRUE(state.geometry().cubicFaces.opaque.empty()) << "the octree replaced the cubic faces";
    v->painter().setRenderEmptyVoxelOutlines(true);
    v->painter().setAlgorithm(SurfaceGenerationAlgorithm::DirectCubic);
    refreshed(state, *v);
    EXPECT_EQ(state.geometry().emptyCellOutlines.size(), 6u);
}

TEST_F(VolumeRenderStateTest, WhileAStepHoldsTheCellsTheOldMeshStaysAndTheRebuildFollowsLater)
{
    auto v = volume(2, 1, 1, {Opaque, Opaque});
    VolumeRenderState state;
    refreshed(state, *v);
    auto unseen = volume(1, 1, 1, {OtherOpaque});
    VolumeRenderState unseenState;
    {
        LockedCellArrays step(*v);
        step.current()[1].material = OtherOpaque;
        v->markCellsChanged();
        v->setSelected(true);
        const auto &mesh = refreshed(state, *v);
        EXPECT_EQ(materialsOf(mesh), (std::set<std::uint32_t>{Opaque})) << "the old mesh, without waiting";
        EXPECT_EQ(mesh.opaque[0].fill, (QuadFace::Colour{0.5f, 0.5f, 0.5f, 1.0f}));

        LockedCellArrays otherStep(*unseen);
        refreshed(unseenState, *unseen);
        EXPECT_FALSE(unseenState.isBuilt());
        EXPECT_TRUE(unseenState.geometry().presentMaterials.empty());
    }
    const auto &mesh = refreshed(state, *v);
    EXPECT_EQ(materialsOf(mesh), (std::set<std::uint32_t>{Opaque, OtherOpaque}));
    EXPECT_EQ(mesh.opaque[0].fill, ColourMap::selectedColour({0.5f, 0.5f, 0.5f, 1.0f}));
    refreshed(unseenState, *unseen);
    EXPECT_TRUE(unseenState.isBuilt());
}

TEST_F(VolumeRenderStateTest, RepaintsDuringAStepOnAnotherThreadNeverShowHalfWrittenCells)
{
    // The step rewrites every cell with one material per pass, cell by
    // cell, holding both arrays as the process frames do; a mesh mixing
    // two materials would have been read in the middle of a pass.
    const unsigned sx = 40, sy = 20, sz = 10;
    auto v = volume(sx, sy, sz, std::vector<std::uint32_t>(sx * sy * sz, Opaque));
    QThreadPool::globalInstance()->setMaxThreadCount(3);
    VolumeRenderState state;
    std::atomic<bool> done{false};
    std::atomic<int> frames{0};
    std::uint32_t last = Opaque; // written by the step only until it is joined
    std::thread step([&] {
        // Passes go on until the view has drawn a good number of frames.
        for (int pass = 0; frames < 40; ++pass) {
            last = pass % 2 ? Opaque : OtherOpaque;
            {
                LockedCellArrays arrays(*v);
                for (std::size_t i = 0; i < v->cellCount(); ++i)
                    arrays.current()[i].material = arrays.working()[i].material = last;
            }
            v->markCellsChanged();
        }
        done = true;
    });
    int mixed = 0;
    for (; !done; ++frames)
        mixed += materialsOf(refreshed(state, *v)).size() > 1 ? 1 : 0;
    step.join();
    EXPECT_EQ(mixed, 0);
    EXPECT_EQ(materialsOf(refreshed(state, *v)), (std::set<std::uint32_t>{last})) << "the last pass is shown";
}

TEST_F(VolumeRenderStateTest, EachFrameKeepsTheStatesOfTheVolumesItMeets)
{
    Ui::VolumeRenderStates states;
    states.setMaterialCatalogue(catalogue);
    auto first = volume(2, 1, 1, {Opaque, Pinkish});
    auto second = volume(1, 1, 1, {OtherOpaque});

    states.beginFrame();
    ASSERT_TRUE(states.show(*first));
    ASSERT_TRUE(states.show(*second));
    states.endFrame();
    EXPECT_EQ(states.shownMaterials(), (std::vector<std::uint32_t>{Opaque, OtherOpaque, Pinkish}));

    second->painter().setPaintingSuspended(true);
    states.beginFrame();
    states.show(*first);
    EXPECT_FALSE(states.show(*second)) << "a suspended volume is not drawn";
    states.endFrame();
    EXPECT_EQ(states.shownMaterials(), (std::vector<std::uint32_t>{Opaque, Pinkish}));
    EXPECT_TRUE(states.find(second->id())) << "but its meshes are kept for when it is painted again";

    states.beginFrame();
    states.keep(*first);
    states.endFrame();
    EXPECT_EQ(states.size(), 1u) << "a volume the frame no longer meets is forgotten";
    EXPECT_FALSE(states.find(second->id()));
    EXPECT_TRUE(states.shownMaterials().empty()) << "objects hidden: nothing shown";
    EXPECT_TRUE(states.find(first->id())->isBuilt());
}

// Steps run off the GUI thread, where no context is current: the atomistic
// view is built there as plain data, and only the buffers, made in the
// paint pass, switch their parts off when a context is missing.
TEST_F(VolumeRenderStateTest, AtomisticViewIsBuiltWithoutAContextAndItsBuffersSwitchOffWithoutOne)
{
    auto v = volume(3, 3, 3, std::vector<std::uint32_t>(27, Opaque));
    ASSERT_TRUE(v->rebuildSiLattice());
    Model::Automaton::AtomViewFlags flags;
    flags.atoms = flags.atomLinks = flags.unitCells = flags.unitCellOutlines = true;
    v->painter().setAtomViewFlags(flags);
    VolumeRenderState state;
    state.refresh(*v, *catalogue);
    const auto &atoms = state.geometry().atoms;
    EXPECT_FALSE(atoms.atoms.empty());
    EXPECT_FALSE(atoms.bondVertices.empty());
    EXPECT_FALSE(atoms.unitCellCorners.empty());
    EXPECT_EQ(atoms.parts, flags);

    state.atomBuffers().update(atoms, state.builds());
    const auto &parts = state.atomBuffers().parts();
    EXPECT_FALSE(parts.atoms || parts.atomLinks || parts.unitCells || parts.unitCellOutlines);
    EXPECT_EQ(state.atomBuffers().sphere(), 0u);
    EXPECT_EQ(v->painter().atomViewFlags(), flags) << "the volume's own choice stays";

    const std::uint64_t builds = state.builds();
    const auto lattice = v->siLattice();
    ASSERT_TRUE(v->rebuildSiLattice());
    state.refresh(*v, *catalogue);
    EXPECT_GT(state.builds(), builds) << "a new lattice is a new picture, though the cells did not change";
}
