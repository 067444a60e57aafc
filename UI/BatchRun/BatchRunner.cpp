#include "UI/BatchRun/BatchRunner.h"

#include "Core/Operations/EntryParameters.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/ProcessDescriptor.h"
#include "Core/Operations/ProcessRegistry.h"
#include "Core/Operations/StepRemarks.h"
#include "Core/Operations/Substrate/SubstrateShape.h"
#include "Core/Operations/Undo/CellSnapshot.h"
#include "Model/Automaton/TotalVolume.h"

namespace Ui {

namespace Ops = Core::Operations;
using Ops::EntryParameters;

namespace {

const char NoVolume[] = "there is no cell volume to work on";
const char NoCells[] = "a cell volume needs at least one cell in each direction";

// The new volume a "Create Substrate" entry asks for; `parameters` tells
// whether one was missing or cannot be used.
Ops::SubstrateShape readSubstrate(EntryParameters &parameters)
{
    // Its material choice is that of every process: material 0 would give
    // a volume without a substrate.
    static const std::vector<Ops::ParameterDeclaration> material = Ops::ParameterDeclaration::materialChoice();
    parameters.declare(material);
    Ops::SubstrateShape shape;
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
    return shape;
}

bool hasCells(const Ops::SubstrateShape &shape)
{
    return shape.sizeX != 0 && shape.sizeY != 0 && shape.sizeZ != 0;
}

} // namespace

BatchRunner::BatchRunner(Core::Operations::OperationContext &context) : m_context(context) {}

bool BatchRunner::isAvailable(int type)
{
    return type == ProcessData::CreateSubstrate || type == ProcessData::SaveImage
        || Ops::ProcessRegistry::forBatchType(type);
}

bool BatchRunner::canRun(const ProcessData &entry) const
{
    return m_volume || entry.type() == ProcessData::CreateSubstrate;
}

BatchRunner::Result BatchRunner::run(const ProcessData &entry)
{
    m_problem.clear();
    m_remarks.clear();
    m_notes.clear();
    if (!canRun(entry))
        return fail(QLatin1String(NoVolume));
    if (entry.type() == ProcessData::CreateSubstrate)
        return createSubstrate(entry);
    if (entry.type() == ProcessData::SaveImage)
        return saveImage(entry);
    if (const Ops::ProcessDescriptor *process = Ops::ProcessRegistry::forBatchType(entry.type()))
        return runProcess(*process, entry.parameters(), entry.listFolder());
    const bool known = entry.type() >= 0 && entry.type() < ProcessData::Unknown;
    if (entry.typeUnread())
        m_problem = entry.typeText().isEmpty()
            ? QStringLiteral("the entry has no process type")
            : QStringLiteral("process type \"%1\" cannot be used: it is not a whole number").arg(entry.typeText());
    else if (known)
        m_problem = QStringLiteral("%1 is not available in this version").arg(ProcessData::shownName(entry.type()));
    else
        m_problem = QStringLiteral("unknown process type %1").arg(entry.type());
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

BatchRunner::Result BatchRunner::interrupted(int operationId)
{
    Ops::ProcessRecords &records = m_context.processRecords();
    // The cells hold the steps done before the stop, and the lattice, where
    // a stopped wet etch or build left one, matches neither them nor the
    // cells before.
    if (operationId != Ops::ProcessRecords::NoOperation)
        records.noteRun(m_volume->id(), operationId, Ops::OutdatesSiLattice);
    else
        records.setSiLatticeStale(m_volume->id(), true);
    m_problem = QStringLiteral("interrupted");
    return Interrupted;
}

BatchRunner::Result BatchRunner::runProcess(const Ops::ProcessDescriptor &process, const Ops::ParameterMap &parameters,
                                            const QString &listFolder)
{
    m_problem.clear();
    m_remarks.clear();
    m_notes.clear();
    if (!m_volume)
        return fail(QLatin1String(NoVolume));
    EntryParameters reader(parameters);
    reader.setListFolder(listFolder);
    reader.setColumns(m_volume->sizeX(), m_volume->sizeY());
    const Ops::ProcessRun run = process.readEntry(reader);
    m_notes = reader.notes();
    if (!run)
        return refuse(reader);
    std::string problem;
    // A stopped preparation tells no problem; it changes no material.
    if (!process.prepare(*m_volume, m_context.processRecords(), &problem, m_interrupter))
        return problem.empty() ? interrupted(Ops::ProcessRecords::NoOperation) : fail(QString::fromStdString(problem));
    const Ops::CellSnapshot before(*m_volume);
    if (!run.run(*m_volume, m_interrupter))
        return interrupted(process.operationId());
    m_context.processRecords().noteRun(m_volume->id(), process.operationId(), run.effectOn(*m_volume));
    for (const std::string &remark : Ops::StepRemarks::after(*m_volume, before, run))
        m_remarks.append(QString::fromStdString(remark));
    return Done;
}

QString BatchRunner::entryProblem(const ProcessData &entry)
{
    return entryProblem(entry, 0, 0);
}

QString BatchRunner::entryProblem(const ProcessData &entry, unsigned sizeX, unsigned sizeY)
{
    EntryParameters parameters(entry.parameters());
    parameters.setListFolder(entry.listFolder());
    parameters.setColumns(sizeX, sizeY);
    if (entry.type() == ProcessData::CreateSubstrate) {
        const Ops::SubstrateShape shape = readSubstrate(parameters);
        if (parameters.complete() && !hasCells(shape))
            return QLatin1String(NoCells);
    } else if (entry.type() == ProcessData::SaveImage) {
        QString fileName;
        parameters.read("Filename", fileName);
    } else if (const Ops::ProcessDescriptor *process = Ops::ProcessRegistry::forBatchType(entry.type())) {
        process->readEntry(parameters);
    }
    return parameters.problem();
}

std::vector<BatchRunner::VolumeSize> BatchRunner::plannedSizes(const std::list<ProcessData> &entries,
                                                               const Model::Automaton::TotalVolume *start)
{
    std::vector<VolumeSize> sizes;
    VolumeSize size;
    if (start)
        size = {start->sizeX(), start->sizeY(), start->sizeZ()};
    for (const ProcessData &entry : entries) {
        sizes.push_back(size);
        if (entry.type() != ProcessData::CreateSubstrate)
            continue;
        EntryParameters parameters(entry.parameters());
        const Ops::SubstrateShape shape = readSubstrate(parameters);
        size = parameters.complete() ? VolumeSize{shape.sizeX, shape.sizeY, shape.sizeZ} : VolumeSize();
    }
    sizes.push_back(size);
    return sizes;
}

BatchRunner::Result BatchRunner::createSubstrate(const ProcessData &entry)
{
    EntryParameters parameters(entry.parameters());
    const Ops::SubstrateShape shape = readSubstrate(parameters);
    if (!parameters.complete())
        return refuse(parameters);
    if (!hasCells(shape))
        return fail(QLatin1String(NoCells));

    std::string problem;
    const boost::shared_ptr<Model::Automaton::TotalVolume> volume = shape.build(&problem);
    if (!volume)
        return fail(QString::fromStdString(problem));
    m_context.document().addObject(volume);
    m_volume = volume;
    return Done;
}

BatchRunner::Result BatchRunner::saveImage(const ProcessData &entry)
{
    QString fileName;
    EntryParameters parameters(entry.parameters());
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
