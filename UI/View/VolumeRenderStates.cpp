#include "UI/View/VolumeRenderStates.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"

#include <algorithm>

namespace Ui {

VolumeRenderStates::VolumeRenderStates() : m_catalogue(Model::Materials::MaterialFactory::getInstance())
{
}

void VolumeRenderStates::setMaterialCatalogue(const boost::shared_ptr<Model::Materials::MaterialFactory> &catalogue)
{
    if (catalogue)
        m_catalogue = catalogue;
}

VolumeRenderStates::Entry &VolumeRenderStates::entry(unsigned volumeId)
{
    Entry &entry = m_entries[volumeId];
    entry.inFrame = true;
    return entry;
}

void VolumeRenderStates::beginFrame()
{
    for (auto &item : m_entries)
        item.second.inFrame = item.second.shown = false;
}

const VolumeRenderState *VolumeRenderStates::show(Model::Automaton::TotalVolume &volume)
{
    Entry &shown = entry(volume.id());
    if (volume.viewOptions().paintingSuspended)
        return nullptr;
    shown.state.refresh(volume, *m_catalogue);
    shown.shown = true;
    return &shown.state;
}

void VolumeRenderStates::keep(const Model::Automaton::TotalVolume &volume)
{
    entry(volume.id());
}

void VolumeRenderStates::endFrame()
{
    for (auto it = m_entries.begin(); it != m_entries.end();)
        it = it->second.inFrame ? std::next(it) : m_entries.erase(it);
}

const VolumeRenderState *VolumeRenderStates::find(unsigned volumeId) const
{
    const auto it = m_entries.find(volumeId);
    return it == m_entries.end() ? nullptr : &it->second.state;
}

std::vector<std::uint32_t> VolumeRenderStates::shownMaterials() const
{
    std::vector<std::uint32_t> ids;
    for (const auto &item : m_entries) {
        if (!item.second.shown)
            continue;
        const std::vector<std::uint32_t> &present = item.second.state.geometry().presentMaterials;
        ids.insert(ids.end(), present.begin(), present.end());
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

} // namespace Ui
