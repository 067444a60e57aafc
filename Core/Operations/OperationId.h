#pragma once

namespace Core {
namespace Operations {

// The ids the main window's actions start operations by. 25 is unused.
enum OperationId : unsigned {
    CopyObjectId = 1,
    CreateSubstrateId = 2,
    IonImplantationId = 3,
    DeleteObjectId = 4,
    ExportVolumeId = 5,
    ChangeVisualizationOptionsId = 6,
    MoveObjectId = 7,
    ExtractFilmId = 8,
    SaveDocumentId = 9,
    SaveDocumentAsId = 10,
    OpenDocumentId = 11,
    GlueSubstrateId = 12,
    IsotropicDepositionId = 13,
    IsotropicEtchingId = 14,
    ElectrodepositionId = 15,
    CutCellVolumeId = 16,
    DopingId = 17,
    MooreDepositionId = 18,
    MooreEtchingId = 19,
    PhotolithographyId = 20,
    SaveCrossSectionId = 21,
    PlanarizationId = 22,
    SpinCoatingId = 23,
    BatchRunId = 24,
    SiOxidationId = 26,
    AnisotropicDepositionId = 27,
    AtomisticWetEtchingId = 28,
    ContinuousWetEtchingId = 29,
    SimpleReactiveIonEtchingId = 30,
    DocumentUnitsId = 31,
    ModelExtractionId = 1000,
};

} // namespace Operations
} // namespace Core
