#include "apps/tessival-batch/RunReport.h"

#include "Model/Automaton/MaterialMeasures.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Export/ExportMaterial.h"
#include "Model/ModelExtraction/CantileverStructure.h"
#include "Model/Persistence/SaveFileCommit.h"

#include <QJsonDocument>
#include <QSaveFile>

namespace BatchTool {

namespace {

using Model::Automaton::TotalVolume;

QJsonArray triple(double x, double y, double z)
{
    return QJsonArray{x, y, z};
}

QJsonValue textOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

} // namespace

RunReport::RunReport(const QStringList &commandLine, const Model::Materials::MaterialFactory &catalogue)
    : m_commandLine(commandLine)
    , m_catalogue(catalogue)
{
}

void RunReport::setFiles(const QString &list, const QString &startDocument, const QString &document)
{
    m_list = list;
    m_startDocument = startDocument;
    m_document = document;
}

QString RunReport::nameOf(std::uint32_t material) const
{
    if (material == 0)
        return QStringLiteral("empty");
    return Model::Export::ExportMaterial::of({material}, m_catalogue).front().name;
}

void RunReport::entryStarting(TotalVolume *volume)
{
    m_before = volume ? volume->materials() : std::vector<std::uint32_t>();
}

void RunReport::entryEnded(int number, const QString &name, const QString &result, const QString &problem,
                           double seconds, TotalVolume *volume)
{
    QJsonObject entry{{QStringLiteral("number"), number},
                      {QStringLiteral("name"), name},
                      {QStringLiteral("result"), result},
                      {QStringLiteral("seconds"), seconds}};
    if (!problem.isEmpty())
        entry.insert(QStringLiteral("problem"), problem);
    const std::vector<std::uint32_t> after = volume ? volume->materials() : std::vector<std::uint32_t>();
    QJsonObject materials;
    qint64 changed = 0;
    for (const Model::Automaton::MaterialChange &change : Model::Automaton::materialChanges(m_before, after)) {
        materials.insert(nameOf(change.material), QJsonObject{{QStringLiteral("gained"), qint64(change.gained)},
                                                              {QStringLiteral("lost"), qint64(change.lost)}});
        changed += qint64(change.gained);
    }
    entry.insert(QStringLiteral("cells_changed"), changed);
    entry.insert(QStringLiteral("materials"), materials);
    m_entries.append(entry);
    m_before.clear();
}

void RunReport::setVolume(TotalVolume &volume)
{
    const double cx = volume.cellsizeX(), cy = volume.cellsizeY(), cz = volume.cellsizeZ();
    const Util::Vector3D origin = volume.position();
    const double step[3] = {cx, cy, cz};
    const double start[3] = {origin.x, origin.y, origin.z};
    QJsonObject materials;
    const std::vector<Model::Automaton::MaterialMeasure> measures =
        Model::Automaton::measureMaterials(volume.materials(), {volume.sizeX(), volume.sizeY(), volume.sizeZ()});
    for (const Model::Automaton::MaterialMeasure &measure : measures) {
        QJsonObject entry{{QStringLiteral("id"), qint64(measure.material)},
                          {QStringLiteral("cells"), qint64(measure.cells)},
                          {QStringLiteral("volume"), double(measure.cells) * cx * cy * cz},
                          {QStringLiteral("top_lowest"), origin.z + measure.lowestTop * cz},
                          {QStringLiteral("top_highest"), origin.z + measure.highestTop * cz}};
        static const char *const axes[3] = {"x", "y", "z"};
        for (int axis = 0; axis < 3; ++axis) {
            entry.insert(QStringLiteral("%1_min").arg(QLatin1String(axes[axis])),
                         start[axis] + measure.first[axis] * step[axis]);
            entry.insert(QStringLiteral("%1_max").arg(QLatin1String(axes[axis])),
                         start[axis] + (measure.last[axis] + 1) * step[axis]);
        }
        materials.insert(nameOf(measure.material), entry);
    }
    const Model::Automaton::Boundaries boundaries = volume.boundaries();
    m_volume = QJsonObject{
        {QStringLiteral("size"), QJsonArray{qint64(volume.sizeX()), qint64(volume.sizeY()), qint64(volume.sizeZ())}},
        {QStringLiteral("cell_size"), triple(cx, cy, cz)},
        {QStringLiteral("position"), triple(origin.x, origin.y, origin.z)},
        {QStringLiteral("boundaries"),
         QJsonObject{{QStringLiteral("x"), Model::Automaton::Boundaries::name(boundaries.x)},
                     {QStringLiteral("y"), Model::Automaton::Boundaries::name(boundaries.y)},
                     {QStringLiteral("top"), Model::Automaton::Boundaries::name(boundaries.top)}}},
        {QStringLiteral("materials"), materials}};
    m_hasVolume = true;
}

void RunReport::setCantilevers(const Model::ModelExtraction::CantileverStructure *structure)
{
    m_hasCantilevers = true;
    m_cantilevers = QJsonArray();
    if (!structure)
        return;
    int number = 0;
    for (const auto &beam : structure->beams()) {
        QJsonObject cantilever{{QStringLiteral("number"), ++number},
                               {QStringLiteral("material"), nameOf(beam.material)},
                               {QStringLiteral("length_m"), beam.length},
                               {QStringLiteral("width_m"), beam.width},
                               {QStringLiteral("thickness_m"), beam.thickness}};
        if (beam.hasModel()) {
            cantilever.insert(QStringLiteral("effective_mass_kg"), beam.effectiveMass);
            cantilever.insert(QStringLiteral("stiffness_n_per_m"), beam.stiffness());
            cantilever.insert(QStringLiteral("resonance_hz"), beam.resonance());
        }
        m_cantilevers.append(cantilever);
    }
}

QByteArray RunReport::json(int exitStatus, double seconds) const
{
    QJsonObject report{
        {QStringLiteral("format"), QStringLiteral("tessival-run-report")},
        {QStringLiteral("format_version"), FormatVersion},
        {QStringLiteral("program"), QStringLiteral("tessival-batch")},
        {QStringLiteral("version"), QStringLiteral(TESSIVAL_VERSION)},
        {QStringLiteral("command_line"), QJsonArray::fromStringList(m_commandLine)},
        {QStringLiteral("list"), m_list},
        {QStringLiteral("start_document"), textOrNull(m_startDocument)},
        {QStringLiteral("document"), m_document},
        {QStringLiteral("exit_status"), exitStatus},
        {QStringLiteral("seconds"), seconds},
        {QStringLiteral("length_unit"), QJsonObject{{QStringLiteral("name"), m_unit.toString()},
                                                    {QStringLiteral("metres"), m_unit.metres()}}},
        {QStringLiteral("entries"), m_entries},
        {QStringLiteral("volume"), m_hasVolume ? QJsonValue(m_volume) : QJsonValue(QJsonValue::Null)},
    };
    if (m_hasCantilevers)
        report.insert(QStringLiteral("cantilevers"), m_cantilevers);
    return QJsonDocument(report).toJson(QJsonDocument::Indented);
}

bool RunReport::write(const QString &path, int exitStatus, double seconds, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(json(exitStatus, seconds)) < 0
        || !Model::Persistence::commitCompletely(file)) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace BatchTool
