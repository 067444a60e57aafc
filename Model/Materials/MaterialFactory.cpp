#include "Model/Materials/MaterialFactory.h"

#include "Model/Persistence/CatalogueFile.h"
#include "Model/Persistence/MaterialArchiver.h"

#include <QDebug>
#include <QRandomGenerator>
#include <QXmlStreamReader>

namespace Model {
namespace Materials {

using Persistence::CatalogueFile;
using Persistence::MaterialArchiver;

namespace {

const std::vector<Material> &defaultMaterials()
{
    static const std::vector<Material> table = {
        {SiliconId, QStringLiteral("Si"), 2329, 1.88e11f, 0.28f, {0.5f, 0.5f, 0.5f, 1}},
        {3, QStringLiteral("Thermal Si02"), 2200, 7e10f, 0.17f, {0.5f, 0.5f, 1, 1}},
        {4, QStringLiteral("Al (bulk)"), 2700, 7e10f, 0.14f, {0.7f, 0.7f, 0.7f, 1}},
        {5, QStringLiteral("Cu (bulk)"), 8960, 1.28e11f, 0.36f, {1, 0.8f, 0.3f, 1}},
        {6, QStringLiteral("Cr (bulk)"), 7190, 2.79e11f, 0.21f, {0.8f, 0.8f, 0.8f, 1}},
        {7, QStringLiteral("Ni (bulk)"), 8908, 2e11f, 0.31f, {0.8f, 0.9f, 0.8f, 1}},
        {8, QStringLiteral("Pt (bulk)"), 21450, 1.68e11f, 0.38f, {0.9f, 0.9f, 0.8f, 1}},
        {9, QStringLiteral("Au (bulk)"), 19300, 7.9e10f, 0.44f, {0.5f, 1, 0.5f, 1}},
        {10, QStringLiteral("Ti (bulk)"), 4506, 1.16e11f, 0.32f, {0.3f, 0.3f, 0.3f, 1}},
        {11, QStringLiteral("Photoresist +"), 1000, 1e9f, 0.4f, {1, 0.5f, 0.5f, 1}},
        {12, QStringLiteral("Photoresist -"), 1000, 1e9f, 0.4f, {1, 0.3f, 1, 1}},
        {13, QStringLiteral("PDMS"), 1000, 1e9f, 0.4f, {1, 1, 1, 1}},
        {14, QStringLiteral("N-doped Si (100)"), 2329, 1.88e11f, 0.28f, {1, 1, 0.67f, 1}},
        {15, QStringLiteral("P-doped Si (100)"), 2329, 1.88e11f, 0.28f, {0.67f, 0.67f, 1, 1}},
        {16, QStringLiteral("Poly-Si"), 2329, 1.88e11f, 0.28f, {0.3f, 0.5f, 0.4f, 1}},
    };
    return table;
}

} // namespace

boost::shared_ptr<MaterialFactory> MaterialFactory::getInstance()
{
    static const boost::shared_ptr<MaterialFactory> instance = [] {
        boost::shared_ptr<MaterialFactory> catalogue(new MaterialFactory(CatalogueFile::defaultFolder()));
        catalogue->loadOrInstallDefaults();
        return catalogue;
    }();
    return instance;
}

MaterialFactory::MaterialFactory(const QString &folder)
    : Catalogue(folder, QStringLiteral("materials.xml"), QStringLiteral("Materials"))
{
}

void MaterialFactory::loadOrInstallDefaults()
{
    const CatalogueFile::StartUp outcome = loadOrInstall(
        [this] { return loadMaterials(); }, [this] { loadDefaultMaterials(); }, [this] { return saveMaterials(); });
    if (outcome == CatalogueFile::Loaded)
        completeBuiltInMaterials();
}

void MaterialFactory::completeBuiltInMaterials()
{
    // Other materials and the process steps refer to the built-in ids (Si
    // is 1): a file that lost one of them must not lose it for the session,
    // nor for documents saved in it.
    for (const Material &material : addMissing(defaultMaterials()))
        qWarning().noquote() << filePath() << "has no material" << material.id() << "(" + material.name() + ");"
                             << "the built-in one is used";
}

bool MaterialFactory::loadMaterials()
{
    return loadEntries([](QXmlStreamReader &reader, bool *ok) { return MaterialArchiver::loadMaterial(&reader, ok); });
}

void MaterialFactory::loadDefaultMaterials()
{
    replaceAll(defaultMaterials());
}

bool MaterialFactory::saveMaterials()
{
    return saveEntries(
        [](QXmlStreamWriter &writer, const Material &material) { return MaterialArchiver::saveMaterial(&writer, material); });
}

unsigned MaterialFactory::generateMaterialId()
{
    // The whole search holds the catalogue lock, so the id is still free
    // when it is handed out.
    return withEntries<unsigned>([](const std::map<unsigned, Material> &materials) {
        constexpr unsigned First = 2000, Span = 30767;
        // A catalogue holding every drawable id is not one anyone builds, but
        // it must not hang the program either.
        const auto end = materials.lower_bound(First + Span);
        if (unsigned(std::distance(materials.lower_bound(First), end)) >= Span)
            return 0u;
        for (;;) {
            const unsigned r = QRandomGenerator::global()->bounded(32768u);
            const unsigned id = First + unsigned((quint64(r) * Span) / 32768u);
            if (materials.count(id) == 0)
                return id;
        }
    });
}

} // namespace Materials
} // namespace Model
