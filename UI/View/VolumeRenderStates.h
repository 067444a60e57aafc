#pragma once

#include "UI/View/VolumeRenderState.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <map>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}
namespace Materials {
class MaterialFactory;
}
}

namespace Ui {

// The render states of the cell volumes one view draws, keyed by volume id
// (ids are never reused). Each frame notes the volumes it meets; the
// states of volumes it no longer meets (deleted, undone, another document)
// are dropped when it ends.
class VolumeRenderStates
{
public:
    VolumeRenderStates();

    // Colours come from this catalogue (the program's by default).
    void setMaterialCatalogue(const boost::shared_ptr<Model::Materials::MaterialFactory> &catalogue);

    void beginFrame();
    // The volume's state brought up to date for drawing it in this frame;
    // null while its painting is suspended.
    const VolumeRenderState *show(Model::Automaton::TotalVolume &volume);
    // The frame has the volume but draws nothing of it (objects hidden):
    // its state is kept as it is.
    void keep(const Model::Automaton::TotalVolume &volume);
    void endFrame();

    const VolumeRenderState *find(unsigned volumeId) const;
    std::size_t size() const { return m_entries.size(); }
    // The materials of the volumes shown in the last frame, ascending, each
    // once: the legend's rows.
    std::vector<std::uint32_t> shownMaterials() const;

private:
    struct Entry
    {
        VolumeRenderState state;
        bool inFrame = false;
        bool shown = false;
    };
    Entry &entry(unsigned volumeId);

    boost::shared_ptr<Model::Materials::MaterialFactory> m_catalogue;
    std::map<unsigned, Entry> m_entries;
};

} // namespace Ui
