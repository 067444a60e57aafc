#include "UI/BatchRun/BatchRunner.h"

#include "Core/Operations/Isotropic/Electrodeposition.h"
#include "Core/Operations/Isotropic/IsotropicFilmDeposition.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtching.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/SiEtching/AtomicStructureSimpleSiWetEtch.h"
#include "Core/Operations/SiEtching/SiLatticePreparation.h"
#include "Core/Operations/Substrate/SubstrateShape.h"
#include "Model/Automaton/TotalVolume.h"
#include "UI/BatchRun/EntryParameters.h"

namespace Ui {

namespace Ops = Core::Operations;

namespace {
// Silicon's material id: processes that add or remove it leave the Si
// lattice out of date.
constexpr std::uint32_t Silicon = 1;
} // namespace

BatchRunner::BatchRunner(Core::Operations::OperationContext &context) : m_context(context) {}

bool BatchRunner::isAvailable(int type)
{
    switch (type) {
    case ProcessData::SiWetEtching:
    case ProcessData::Cvd:
    case ProcessData::IsotropicEtching:
    case ProcessData::Electroplating:
    case ProcessData::SaveImage:
    case ProcessData::CreateSubstrate:
        return true;
    default:
        return false;
    }
}

bool BatchRunner::canRun(const ProcessData &entry) const
{
    return m_volume || entry.type() == ProcessData::CreateSubstrate;
}

BatchRunner::Result BatchRunner::run(const ProcessData &entry)
{
    m_problem.clear();
    if (!canRun(entry))
        return fail(QStringLiteral("there is no cell volume to work on"));
    switch (entry.type()) {
    case ProcessData::CreateSubstrate: return createSubstrate(entry);
    case ProcessData::Cvd: return deposit(entry);
    case ProcessData::IsotropicEtching: return etch(entry);
    case ProcessData::Electroplating: return electroplate(entry);
    case ProcessData::SiWetEtching: return wetEtchSilicon(entry);
    case ProcessData::SaveImage: return saveImage(entry);
    default: break;
    }
    const bool known = entry.type() >= 0 && entry.type() < ProcessData::Unknown;
    m_problem = known ? QStringLiteral("%1 is not available in this version").arg(ProcessData::shownName(entry.type()))
                      : QStringLiteral("unknown process type %1").arg(entry.type());
    return NotAvailable;
}

BatchRunner::Result BatchRunner::refuse(const EntryParameters &parameters)
{
    m_problem = parameters.problem();
    return parameters.status() == EntryParameters::Missing ? MissingParameter : NotConvertible;
}

BatchRunner::Result BatchRunner::fail(const QString &problem)
{
    m_problem = problem;
    return Failed;
}

void BatchRunner::record(int operationId, bool changesSilicon)
{
    Ops::ProcessRecords &records = m_context.processRecords();
    records.setLastOperation(m_volume->id(), operationId);
    if (changesSilicon)
        records.setSiLatticeStale(m_volume->id(), true);
}

BatchRunner::Result BatchRunner::createSubstrate(const ProcessData &entry)
{
    Ops::SubstrateShape shape;
    EntryParameters parameters(entry);
    parameters.read("MaterialId", shape.material);
    parameters.read("Lower Left Front Corner", shape.position);
    parameters.read("Volume Size X", shape.sizeX);
    parameters.read("Volume Size Y", shape.sizeY);
    parameters.read("Volume Size Z", shape.sizeZ);
    parameters.read("SphericalSubstrate", shape.spherical);
    if (shape.spherical) {
        parameters.read("Substrate Center X", shape.centreX);
        parameters.read("Substrate Center Y", shape.centreY);
        parameters.read("Substrate Center Z", shape.centreZ);
        parameters.read("Substrate Radius", shape.radius);
    } else {
        parameters.read("Substrate Size X", shape.boxSizeX);
        parameters.read("Substrate Size Y", shape.boxSizeY);
        parameters.read("Substrate Size Z", shape.boxSizeZ);
        parameters.read("Substrate Delta X", shape.boxX);
        parameters.read("Substrate Delta Y", shape.boxY);
        parameters.read("Substrate Delta Z", shape.boxZ);
    }
    if (!parameters.complete())
        return refuse(parameters);
    if (shape.sizeX == 0 || shape.sizeY == 0 || shape.sizeZ == 0)
        return fail(QStringLiteral("a cell volume needs at least one cell in each direction"));

    std::string problem;
    const boost::shared_ptr<Model::Automaton::TotalVolume> volume = shape.build(&problem);
    if (!volume)
        return fail(QString::fromStdString(problem));
    m_context.document().addObject(volume);
    m_volume = volume;
    return Done;
}

BatchRunner::Result BatchRunner::deposit(const ProcessData &entry)
{
    std::uint32_t material = 0;
    double thickness = 0.0;
    EntryParameters parameters(entry);
    parameters.read("MaterialId", material);
    parameters.read("Thickness", thickness);
    if (!parameters.complete())
        return refuse(parameters);
    Ops::IsotropicFilmDeposition(*m_volume, material, float(thickness)).runDeposition();
    // Grown silicon leaves the lattice out of date just as etched silicon does.
    record(Ops::IsotropicDepositionId, material == Silicon);
    return Done;
}

BatchRunner::Result BatchRunner::etch(const ProcessData &entry)
{
    std::uint32_t material = 0;
    double depth = 0.0;
    EntryParameters parameters(entry);
    parameters.read("MaterialId", material);
    parameters.read("Depth", depth);
    if (!parameters.complete())
        return refuse(parameters);
    Ops::IsotropicFilmEtching(*m_volume, material, float(depth)).runEtching();
    record(Ops::IsotropicEtchingId, material == Silicon);
    return Done;
}

BatchRunner::Result BatchRunner::electroplate(const ProcessData &entry)
{
    double thickness = 0.0;
    std::uint32_t conductor = 0;
    std::uint32_t deposited = 0;
    EntryParameters parameters(entry);
    parameters.read("Film Thickness", thickness);
    parameters.read("ConductingMaterialId", conductor);
    parameters.read("DepositedMaterialId", deposited);
    if (!parameters.complete())
        return refuse(parameters);
    Ops::Electrodeposition(*m_volume, deposited, conductor, float(thickness)).runElectrodeposition();
    record(Ops::ElectrodepositionId, false);
    return Done;
}

BatchRunner::Result BatchRunner::wetEtchSilicon(const ProcessData &entry)
{
    double depth = 0.0;
    EntryParameters parameters(entry);
    parameters.read("Depth", depth);
    if (!parameters.complete())
        return refuse(parameters);
    std::string problem;
    if (!Ops::prepareSiLattice(*m_volume, m_context.processRecords().needsSiLatticeRebuild(m_volume->id()), &problem))
        return fail(QString::fromStdString(problem));
    Ops::AtomicStructureSimpleSiWetEtch(*m_volume, depth).runEtching();
    m_context.processRecords().setLastOperation(m_volume->id(), Ops::AtomisticWetEtchingId);
    m_context.processRecords().setSiLatticeStale(m_volume->id(), false);
    return Done;
}

BatchRunner::Result BatchRunner::saveImage(const ProcessData &entry)
{
    QString fileName;
    EntryParameters parameters(entry);
    parameters.read("Filename", fileName);
    if (!parameters.complete())
        return refuse(parameters);
    m_volume->markCellsChanged();
    if (fileName.isEmpty())
        return Done;
    if (!m_imageSaver)
        return fail(QStringLiteral("no OpenGL context is available to draw the image"));
    QString problem;
    if (!m_imageSaver(fileName, &problem))
        return fail(problem);
    return Done;
}

} // namespace Ui
