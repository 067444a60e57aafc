#include "Model/Persistence/DocumentArchiver.h"

#include "Model/Document.h"
#include "Model/LengthUnit.h"
#include "Model/Materials/MaterialFactory.h"
#include "Model/Object.h"
#include "Model/Persistence/DocumentDamage.h"
#include "Model/Persistence/MaterialArchiver.h"
#include "Model/Persistence/TotalVolumeArchiver.h"
#include "Util/DebugLog.h"
#include "Util/DecimalText.h"

#include <QDebug>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Model {
namespace Persistence {

const char *const DocumentArchiver::MaterialWarning =
    "WARNING: There was an error loading a material. This may alter the loaded cell volume.";

ArchiverRegistry DocumentArchiver::standardRegistry()
{
    ArchiverRegistry registry;
    registry[Object::CellVolumeType] = boost::shared_ptr<ObjectArchiver>(new TotalVolumeArchiver);
    return registry;
}

bool DocumentArchiver::writeDocument(QXmlStreamWriter *writer, const Document &document,
                                     const ArchiverRegistry &archivers, const Materials::MaterialFactory &catalogue)
{
    return writeDocument(writer, document, archivers, catalogue.getMaterials());
}

bool DocumentArchiver::writeDocument(QXmlStreamWriter *writer, const Document &document,
                                     const ArchiverRegistry &archivers, const std::vector<Materials::Material> &materials)
{
    if (!writer)
        return false;
    writer->writeStartDocument();
    writer->writeStartElement(QStringLiteral("Document"));
    writer->writeEmptyElement(QStringLiteral("Header"));
    writer->writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    // Metres per world unit, in full: the unit scales every length a netlist
    // or an export gives.
    writer->writeAttribute(QStringLiteral("length-unit"), Util::exactNumber(document.lengthUnit().metres()));
    for (const Materials::Material &material : materials)
        MaterialArchiver::saveMaterial(writer, material);
    for (const auto &object : document.allObjects()) {
        const auto archiver = archivers.find(unsigned(object->objectType()));
        if (archiver == archivers.end())
            continue;
        archiver->second->setWriter(writer);
        archiver->second->saveObject(object);
        archiver->second->setWriter(nullptr);
    }
    writer->writeEndElement();
    writer->writeEndDocument();
    return !writer->hasError();
}

bool DocumentArchiver::mergeMaterial(QXmlStreamReader &reader, Materials::MaterialFactory &catalogue,
                                     ObjectArchiver::MaterialIdMap &translation, const ObjectArchiver::Warning &warning)
{
    bool ok = false;
    Materials::Material material = MaterialArchiver::loadMaterial(&reader, &ok);
    if (!ok) {
        if (warning)
            warning(MaterialWarning);
        return false;
    }
    // What a document brings lasts for the session: written into the
    // materials file, it would come back as a duplicate on every reopening.
    const unsigned fileId = material.id();
    const Materials::Material known = catalogue.getMaterial(fileId);
    if (known.id() == 0) {
        catalogue.addSessionMaterial(material);
        translation[fileId] = fileId;
    } else if (Materials::Material::isEquivalent(known, material)) {
        translation[fileId] = fileId; // the catalogue's constants win
    } else {
        const unsigned fresh = catalogue.generateMaterialId();
        if (fresh == 0) {
            if (warning)
                warning(MaterialWarning);
            return false;
        }
        material.setId(fresh);
        catalogue.addSessionMaterial(material);
        translation[fileId] = fresh;
    }
    return true;
}

void DocumentArchiver::skipNested(QXmlStreamReader &reader, const ObjectArchiver::Warning &warning,
                                  DocumentDamage *damage, unsigned known)
{
    const QString outer = reader.name().toString();
    const unsigned objects = DocumentDamage::skipElement(reader) - known;
    if (objects == 0)
        return;
    if (warning)
        warning("WARNING: " + std::to_string(objects) + (objects == 1 ? " object" : " objects") + " inside \""
                + outer.toStdString() + "\" " + (objects == 1 ? "was" : "were") + " skipped.");
    if (damage)
        for (unsigned i = 0; i < objects; ++i)
            damage->addUnreadableObject();
}

void DocumentArchiver::readLengthUnit(const QXmlStreamAttributes &header, Document &document,
                                      const ObjectArchiver::Warning &warning, DocumentDamage *damage)
{
    // Documents written before there were units lack it: the default is
    // the unit they meant.
    if (!header.hasAttribute(QLatin1String("length-unit"))) {
        document.setLengthUnit(LengthUnit());
        return;
    }
    const QString text = header.value(QLatin1String("length-unit")).toString();
    bool ok = false;
    const double metres = text.toDouble(&ok);
    if (ok && LengthUnit::isValidMetres(metres)) {
        document.setLengthUnit(LengthUnit(metres));
        return;
    }
    document.setLengthUnit(LengthUnit());
    if (warning)
        warning("WARNING: The length unit \"" + text.toStdString() + "\" is not a length; the default of "
                + LengthUnit().toString().toStdString() + " was taken.");
    if (damage)
        damage->setUnreadableLengthUnit(text);
}

bool DocumentArchiver::readDocument(QXmlStreamReader *reader, Document &document, const ArchiverRegistry &archivers,
                                    Materials::MaterialFactory &catalogue, const ObjectArchiver::Warning &warning,
                                    DocumentDamage *damage)
{
    if (!reader)
        return false;
    if (!reader->readNextStartElement() || reader->name() != QLatin1String("Document"))
        return false;
    if (!reader->readNextStartElement() || reader->name() != QLatin1String("Header"))
        return false;
    const QXmlStreamAttributes header = reader->attributes();
    if (!header.isEmpty())
        qCDebug(tessivalLog) << "Document version" << header.first().value().toUInt();
    readLengthUnit(header, document, warning, damage);
    skipNested(*reader, warning, damage);

    ObjectArchiver::MaterialIdMap translation;
    bool closed = false;
    while (!reader->atEnd() && !reader->hasError()) {
        reader->readNext();
        if (reader->isEndElement() && reader->name() == QLatin1String("Document")) {
            closed = true;
            break;
        }
        if (!reader->isStartElement())
            continue;
        if (reader->name() == QLatin1String("Material")) {
            if (!mergeMaterial(*reader, catalogue, translation, warning) && damage)
                damage->addUnreadableMaterial();
        } else if (reader->name() == QLatin1String("Object")) {
            bool ok = false;
            const QString typeText = reader->attributes().value(QLatin1String("object-type")).toString();
            const unsigned type = typeText.toUInt(&ok);
            const auto archiver = archivers.find(type);
            if (!ok || archiver == archivers.end()) {
                // This program writes no other objects, so whatever the file
                // held there is lost to the reader.
                if (warning)
                    warning(ok ? "WARNING: An object of type " + std::to_string(type)
                                     + " was skipped: documents do not hold objects of that type."
                               : "WARNING: An object without a readable \"object-type\" was skipped.");
                if (damage)
                    damage->addUnreadableObject();
                skipNested(*reader, warning, damage, 1);
                continue;
            }
            ObjectArchiver &objects = *archiver->second;
            objects.setReader(reader);
            objects.setMaterialIdMap(&translation);
            objects.setWarning(warning);
            objects.setDamage(damage);
            const boost::shared_ptr<Object> object = objects.loadObject();
            objects.setReader(nullptr);
            objects.setMaterialIdMap(nullptr);
            objects.setWarning(nullptr);
            objects.setDamage(nullptr);
            if (object)
                document.addObject(object);
        } else {
            skipNested(*reader, warning, damage);
        }
    }
    // Whatever follows the closed document cannot have held any of it.
    if (!closed && reader->hasError()) {
        qCDebug(tessivalLog) << "The document ends early:" << reader->errorString();
        if (damage)
            damage->setBroken(reader->error() == QXmlStreamReader::PrematureEndOfDocumentError,
                              reader->lineNumber(), reader->columnNumber());
    }
    return true;
}

} // namespace Persistence
} // namespace Model
