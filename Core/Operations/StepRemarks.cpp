#include "Core/Operations/StepRemarks.h"

#include "Core/Operations/ProcessDescriptor.h"
#include "Core/Operations/Undo/CellSnapshot.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Export/ExportMaterial.h"
#include "Model/Materials/MaterialFactory.h"

namespace Core {
namespace Operations {

const char *const StepRemarks::NoCellChanged = "No cell changed.";

std::vector<std::string> StepRemarks::after(Model::Automaton::TotalVolume &volume, const CellSnapshot &before,
                                            const ProcessRun &run)
{
    std::vector<std::string> remarks;
    if (before.matches(volume))
        remarks.emplace_back(NoCellChanged);
    if (run.removedMaterial != 0 && reachesTop(volume, run.removedMaterial)) {
        const QString name = Model::Export::ExportMaterial::of({run.removedMaterial},
                                                               *Model::Materials::MaterialFactory::getInstance())
                                 .front()
                                 .name;
        remarks.push_back("The " + name.toStdString()
                          + " reaches the top of the cell volume and has no free surface there; make the volume "
                            "taller.");
    }
    return remarks;
}

bool StepRemarks::reachesTop(Model::Automaton::TotalVolume &volume, std::uint32_t material)
{
    if (volume.sizeZ() == 0)
        return false;
    const unsigned top = volume.sizeZ() - 1;
    Model::Automaton::LockedCells cells(volume);
    for (unsigned x = 0; x < volume.sizeX(); ++x)
        for (unsigned y = 0; y < volume.sizeY(); ++y)
            if (cells[volume.cellIndex(x, y, top)].material == material)
                return true;
    return false;
}

} // namespace Operations
} // namespace Core
