#include "UI/Observers/ChangeTotalVolumeViewOptionsObserver.h"

#include "Model/Materials/MaterialFactory.h"
#include "UI/MainWindowPresenter.h"
#include "UI/Operations/ChangeVolumeVisualizationDialog.h"

namespace Ui {
namespace Observers {

void ChangeTotalVolumeViewOptionsObserver::showOptions(Core::Operations::ChangeTotalVolumeVisualizationOptions &operation)
{
    using Options = Core::Operations::ChangeTotalVolumeVisualizationOptions::Options;
    Options current;
    if (operation.step() != operation.WaitingForOptions || !operation.currentOptions(current))
        return;
    const Model::Automaton::AtomViewFlags &atoms = current.atomView;
    Operations::ChangeVolumeVisualizationDialog dialog(dialogParent(), atoms.atoms, atoms.surfaceAtomsOnly,
                                                       atoms.atomLinks, atoms.unitCellOutlines, atoms.unitCells,
                                                       current.emptyVoxelOutlines, int(current.algorithm));
    dialog.setMaterials(Model::Materials::MaterialFactory::getInstance()->getMaterials());
    if (dialog.exec() != QDialog::Accepted) {
        operation.cancel();
        return;
    }
    const auto changed = dialog.changedMaterials();
    if (!changed.empty())
        MainWindowPresenter::storeMaterials(changed, *context(), dialogParent(), dialog.windowTitle());
    Options chosen;
    chosen.atomView.atoms = dialog.renderAtoms();
    chosen.atomView.surfaceAtomsOnly = dialog.renderSurfaceAtomsOnly();
    chosen.atomView.atomLinks = dialog.renderAtomLinks();
    chosen.atomView.unitCellOutlines = dialog.renderUnitCellOutlines();
    chosen.atomView.unitCells = dialog.renderUnitCells();
    chosen.emptyVoxelOutlines = dialog.renderEmptyVoxelOutlines();
    chosen.algorithm = Model::Automaton::SurfaceGenerationAlgorithm(dialog.algorithm());
    operation.setOptions(chosen);
    operation.execute();
}

} // namespace Observers
} // namespace Ui
