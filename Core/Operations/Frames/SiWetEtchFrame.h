#pragma once

#include "Model/Automaton/ParallelStrips.h"
#include "Model/Automaton/SiAtom.h"

#include <boost/shared_ptr.hpp>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace Model {
namespace Automaton {
class SiLattice;
class TotalVolume;
struct Voxel;
}
}

namespace Core {
namespace Operations {

class Interrupter;

// What the atomistic and the continuous wet etching share: the silicon atoms
// of a cell volume's lattice, split in x strips of the volume, are etched
// from the exposed surface one (100) monolayer per step. Every step first
// decides for all surface atoms of all strips from the states before the
// step, then removes the chosen atoms: the result depends neither on the
// thread count nor on timing. A volume cell empties when its last Si atom
// goes. The etching rule is the subclass's.
class SiWetEtchFrame
{
public:
    using SiAtom = Model::Automaton::SiAtom;
    using SiLattice = Model::Automaton::SiLattice;
    using AtomId = std::uint32_t;

    virtual ~SiWetEtchFrame();

    // round(4 · depth), halves rounding up: a step removes at most one
    // (100) monolayer, a quarter of the lattice constant.
    static int stepCount(double depth);
    static constexpr int MaxSteps = 1 << 30;
    static constexpr double MaxDepth = MaxSteps / 4.0;
    // False, with the reason, for a depth of more steps than a run counts.
    static bool depthFits(double depth, std::string *problem);
    // False, with the reason, for a volume whose atoms single precision
    // cannot place within its cells (too far out, or cells too small).
    static bool placesAtoms(const Model::Automaton::TotalVolume &volume, std::string *problem);
    // False, with the reason and the cell sizes that serve, when silicon
    // cells of the volume hold no atom of its lattice, which must be
    // current: cells too small for the crystal's unit cells.
    static bool servesCells(Model::Automaton::TotalVolume &volume, std::string *problem);

    // Etches the volume's lattice, which must exist. With an interrupter,
    // reports each step and stops between two steps when asked to: a
    // stopped run returns false, its cells and atoms holding the whole steps
    // done before the stop. The run ends early once no surface atom is left,
    // or after a step that changed no atom.
    bool runEtching();

    int steps() const { return stepCount(m_depth); }

protected:
    // Stay: the atom is left as it was. Wear: it stays, its occupation
    // lowered. Remove: it goes in this step.
    enum class Decision { Stay, Wear, Remove };

    // The interrupter, when there is one, hears of the run's progress and
    // may stop it.
    SiWetEtchFrame(Model::Automaton::TotalVolume &volume, double depth, Interrupter *interrupter);

    Interrupter *interrupter() const { return m_interrupter; }

    // The occupation every Si atom the run starts from is given, or none
    // to leave occupations as they are. Asked once per run.
    virtual bool startsOccupations(float &occupation) const
    {
        (void)occupation;
        return false;
    }
    // The fate of a surface atom of the lattice in this step. Reads only
    // states (as before the step); may change the atom's own occupation, and
    // says Wear when it did: the run ends after a step that changed no atom.
    virtual Decision decide(SiLattice &lattice, AtomId atom) = 0;
    // The same for a view of the atom.
    Decision decide(SiAtom atom) { return decide(*atom.lattice(), atom.id()); }

private:
    struct StripState;
    struct PartState;

    // The run starts with passes over all atoms, split by unit cells into
    // parts of equal size rather than by the strips their volume cells lie
    // in.
    void collect(const Model::Automaton::ParallelStrips::Strip &part, bool setOccupation, float occupation);
    void findSurface(const Model::Automaton::ParallelStrips::Strip &part);
    void gatherSurface(const Model::Automaton::ParallelStrips::Strip &strip);
    // True when the atom is exposed to empty space.
    bool treatMissingNeighbours(AtomId atom, PartState &state);
    void decideStep(const Model::Automaton::ParallelStrips::Strip &strip);
    void applyStep(const Model::Automaton::ParallelStrips::Strip &strip);
    unsigned stripOf(std::int32_t index) const;
    // The volume cell at a world position, -1 outside the volume.
    long cellAt(const std::array<float, 3> &position) const;

    Model::Automaton::TotalVolume &m_volume;
    boost::shared_ptr<Model::Automaton::SiLattice> m_lattice;
    const double m_depth;
    const int m_size[3];
    std::vector<Model::Automaton::ParallelStrips::Strip> m_strips;
    std::vector<unsigned> m_stripOfPlane;
    std::vector<StripState> m_state;
    std::vector<Model::Automaton::ParallelStrips::Strip> m_parts;
    std::vector<PartState> m_partState;
    // Zeroed bytes from calloc: fresh pages are zeroed where they are
    // first touched, by the threads that touch them, not all at once.
    struct FreeMemory
    {
        void operator()(std::uint8_t *memory) const { std::free(memory); }
    };
    using ZeroedBytes = std::unique_ptr<std::uint8_t[], FreeMemory>;
    static ZeroedBytes zeroedBytes(std::size_t count);
    // Per place of the lattice's table, while the run starts: 1 where a
    // kept cell's atoms are all silicon. Laid out as the grid, the map of
    // three neighbouring rows of cells stays in cache.
    ZeroedBytes m_fullPlaces;
    // Per atom, while the run steps: 1 while it is being listed for the
    // next step. Only the pages of atoms near the surface are touched.
    ZeroedBytes m_listed;
    Model::Automaton::Voxel *m_current = nullptr;
    Model::Automaton::Voxel *m_working = nullptr;
    Interrupter *const m_interrupter;
};

} // namespace Operations
} // namespace Core
