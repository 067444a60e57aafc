#include "UI/OperationFactory.h"

#include "Core/Operations/OperationId.h"
#include "UI/Observers/BatchRunObserver.h"
#include "UI/Observers/CVDObserver.h"
#include "UI/Observers/ChangeTotalVolumeViewOptionsObserver.h"
#include "UI/Observers/CreateSubstrateObserver.h"
#include "UI/Observers/CutCellVolumeObserver.h"
#include "UI/Observers/DocumentOpenedObserver.h"
#include "UI/Observers/DocumentSavedObserver.h"
#include "UI/Observers/DocumentUnitsObserver.h"
#include "UI/Observers/DopingOptionsObserver.h"
#include "UI/Observers/ElectrodepositionObserver.h"
#include "UI/Observers/ExtractFilmObserver.h"
#include "UI/Observers/FilmOptionsObserver.h"
#include "UI/Observers/GlueSubstrateObserver.h"
#include "UI/Observers/IonImplantationOptionsObserver.h"
#include "UI/Observers/SiOxidationObserver.h"
#include "UI/Observers/PhotolithographyObserver.h"
#include "UI/Observers/MooreObserver.h"
#include "UI/Observers/PlanarizationObserver.h"
#include "UI/Observers/RunModelExtractionObserver.h"
#include "UI/Observers/SimpleRIEObserver.h"
#include "UI/Observers/SpinCoatingObserver.h"
#include "UI/Observers/VolumeOutputObservers.h"
#include "UI/Observers/WetEtchObserver.h"

namespace Ui {

using namespace Core::Operations;

OperationFactory::OperationFactory(OperationContext *context, QWidget *dialogParent)
    : Core::Operations::OperationFactory(context)
    , m_dialogParent(dialogParent)
{
}

boost::shared_ptr<Util::IObserver> OperationFactory::createObserver(unsigned id)
{
    switch (id) {
    case CreateSubstrateId: return make<Observers::CreateSubstrateObserver>();
    case IsotropicDepositionId: return make<Observers::IsotropicFilmDepositionObserver>();
    case IsotropicEtchingId: return make<Observers::IsotropicFilmEtchingObserver>();
    case ElectrodepositionId: return make<Observers::ElectrodepositionObserver>();
    case SaveDocumentId:
    case SaveDocumentAsId: return make<Observers::DocumentSavedObserver>();
    case OpenDocumentId: return boost::shared_ptr<Util::IObserver>(new Observers::DocumentOpenedObserver(m_dialogParent));
    case AtomisticWetEtchingId: return make<Observers::AtomicSiBCAEtchObserver>();
    case ContinuousWetEtchingId: return make<Observers::CCAWetEtchingObserver>();
    case GlueSubstrateId: return make<Observers::GlueSubstrateObserver>();
    case CutCellVolumeId: return make<Observers::CutCellVolumeObserver>();
    case ChangeVisualizationOptionsId: return make<Observers::ChangeTotalVolumeViewOptionsObserver>();
    case ExtractFilmId: return make<Observers::ExtractFilmObserver>();
    case ModelExtractionId: return make<Observers::RunModelExtractionObserver>();
    case AnisotropicDepositionId: return make<Observers::CVDObserver>();
    case DopingId: return make<Observers::DopingOptionsObserver>();
    case IonImplantationId: return make<Observers::IonImplantationOptionsObserver>();
    case SiOxidationId: return make<Observers::SiOxidationObserver>();
    case PhotolithographyId: return make<Observers::PhotolithographyObserver>();
    case MooreDepositionId: return make<Observers::MooreDepositionObserver>();
    case MooreEtchingId: return make<Observers::MooreEtchingObserver>();
    case PlanarizationId: return make<Observers::PlanarizationObserver>();
    case SpinCoatingId: return make<Observers::SpinCoatingObserver>();
    case SimpleReactiveIonEtchingId: return make<Observers::SimpleRIEObserver>();
    case BatchRunId: return make<Observers::BatchRunObserver>();
    case ExportVolumeId: return make<Observers::ExportVolumeObserver>();
    case SaveCrossSectionId: return make<Observers::SaveCrossSectionObserver>();
    case DocumentUnitsId: return make<Observers::DocumentUnitsObserver>();
    default: return {};
    }
}

} // namespace Ui
