#include "Model/Persistence/DocumentArchiver.h"

#include "Model/Document.h"
#include "Model/Materials/MaterialFactory.h"
#include "Model/Object.h"
#include "Model/Persistence/MaterialArchiver.h"
#include "Model/Persistence/TotalVolumeArchiver.h"

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
    if (!writer)
        return false;
    writer->writeStartDocument();
    writer->writeStartElement(QStringLiteral("Document"));
    writer->writeEmptyElement(QStringLiteral("Header"));
    writer->writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    for (const Materials::Material &material : catalogue.getMaterials())
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

void DocumentArchiver::mergeMaterial(QXmlStreamReader &reader, Materials::MaterialFactory &catalogue,
                                     ObjectArchiver::MaterialIdMap &translation, const ObjectArchiver::Warning &warning)
{
    bool ok = false;
    Materials::Material material = MaterialArchiver::loadMaterial(&reader, &ok);
    if (!ok) {
        if (warning)
            warning(MaterialWarning);
        return;
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
            return;
        }
        material.setId(fresh);
        catalogue.addSessionMaterial(material);
        translation[fileId] = fresh;
    }
}

bool DocumentArchiver::readDocument(QXmlStreamReader *reader, Document &document, const ArchiverRegistry &archivers,
                                    Materials::MaterialFactory &catalogue, const ObjectArchiver::Warning &warning)
{
    if (!reader)
        return false;
    if (!reader->readNextStartElement() || reader->name() != QLatin1String("Document"))
        return false;
    if (!reader->readNextStartElement() || reader->name() != QLatin1String("Header"))
        return false;
    const QXmlStreamAttributes header = reader->attributes();
    if (!header.isEmpty())
        qDebug() << "Document version" << header.first().value().toUInt();
    reader->skipCurrentElement();

    ObjectArchiver::MaterialIdMap translation;
    while (!reader->atEnd() && !reader->hasError()) {
        reader->readNext();
        if (!reader->isStartElement())
            continue;
        if (reader->name() == QLatin1String("Material")) {
            mergeMaterial(*reader, catalogue, translation, warning);
        } else if (reader->name() == QLatin1String("Object")) {
            bool ok = false;
            const unsigned type = reader->attributes().value(QLatin1String("object-type")).toUInt(&ok);
            const auto archiver = archivers.find(type);
            if (!ok || archiver == archivers.end()) {
                qDebug() << "An object of type" << type << "has no archiver; it is skipped";
                reader->skipCurrentElement();
                continue;
            }
            ObjectArchiver &objects = *archiver->second;
            objects.setReader(reader);
            objects.setMaterialIdMap(&translation);
            objects.setWarning(warning);
            const boost::shared_ptr<Object> object = objects.loadObject();
            objects.setReader(nullptr);
            objects.setMaterialIdMap(nullptr);
            objects.setWarning(nullptr);
            if (object)
                document.addObject(object);
        } else {
            reader->skipCurrentElement();
        }
    }
    if (reader->hasError())
        qWarning() << "The document ends early:" << reader->errorString();
    return true;
}

} // namespace Persistence
} // namespace Model
