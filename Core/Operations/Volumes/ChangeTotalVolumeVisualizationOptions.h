#pragma once

#include "Core/Operations/ClassObserver.h"
#include "Model/Automaton/VolumeViewOptions.h"

#include <boost/shared_ptr.hpp>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// "Change Visualization": chooses how a volume is shown: its surface
// algorithm, the outlines of its empty cells and the parts of the
// atomistic view of its Si lattice. The cells stay as they are, so nothing
// enters the history. A cancel says so but leaves the operation current
// until the next one replaces it.
class ChangeTotalVolumeVisualizationOptions : public ClassObserver<ChangeTotalVolumeVisualizationOptions>
{
public:
    enum Step { SelectingVolume = 0, WaitingForOptions = 1, OptionsSet = 2 };

    struct Options
    {
        Model::Automaton::AtomViewFlags atomView;
        bool emptyVoxelOutlines = false;
        Model::Automaton::SurfaceGenerationAlgorithm algorithm = Model::Automaton::SurfaceGenerationAlgorithm::DirectCubic;
    };

    explicit ChangeTotalVolumeVisualizationOptions(OperationContext *context);

    void execute() override;
    // "<title>: Operation Canceled!"; the console forgets any request.
    void cancel() override;
    void end() override;

    // The chosen volume's current options; false before a volume is chosen.
    bool currentOptions(Options &options) const;
    // Taken only while the options are awaited.
    void setOptions(const Options &options);

    Step step() const { return m_step; }
    boost::shared_ptr<Model::Automaton::TotalVolume> volume() const { return m_volume; }

private:
    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    Options m_options;
    Step m_step = SelectingVolume;
};

} // namespace Operations
} // namespace Core
