#pragma once

#include "Model/Persistence/ObjectArchiver.h"

#include <boost/shared_ptr.hpp>

#include <map>
#include <vector>

class QXmlStreamAttributes;
class QXmlStreamReader;
class QXmlStreamWriter;

namespace Model {
class Document;

namespace Materials {
class Material;
class MaterialFactory;
}

namespace Persistence {

// Object archivers by object type, as a context keeps them.
using ArchiverRegistry = std::map<unsigned, boost::shared_ptr<ObjectArchiver>>;

// The document file: the whole material catalogue, then every object that
// has an archiver. Reading merges the file's materials into the catalogue
// and translates the ids of materials that clash with a different entry.
class DocumentArchiver
{
public:
    // A registry with the cell-volume archiver.
    static ArchiverRegistry standardRegistry();

    static bool writeDocument(QXmlStreamWriter *writer, const Document &document, const ArchiverRegistry &archivers,
                              const Materials::MaterialFactory &catalogue);
    // The same with the catalogue's materials as taken before, so that a
    // copy of a document can be written away from the catalogue.
    static bool writeDocument(QXmlStreamWriter *writer, const Document &document, const ArchiverRegistry &archivers,
                              const std::vector<Materials::Material> &materials);

    // False when the file is not a document (another root, no "Header"):
    // then nothing was added. Damage after the header ends the reading but
    // keeps what was read; `damage` (when given) records what was lost.
    static bool readDocument(QXmlStreamReader *reader, Document &document, const ArchiverRegistry &archivers,
                             Materials::MaterialFactory &catalogue, const ObjectArchiver::Warning &warning,
                             DocumentDamage *damage = nullptr);

    // The console warning for a "Material" element that cannot be read.
    static const char *const MaterialWarning;

    // Steps over the element the reader stands on. The objects inside it
    // (besides the `known` ones the caller reports itself) are lost: each
    // is counted, and named in one warning.
    static void skipNested(QXmlStreamReader &reader, const ObjectArchiver::Warning &warning, DocumentDamage *damage,
                           unsigned known = 0);

private:
    // The "length-unit" of the header (metres per world unit), the default
    // when there is none; one that is not a length is named and replaced by
    // the default.
    static void readLengthUnit(const QXmlStreamAttributes &header, Document &document,
                               const ObjectArchiver::Warning &warning, DocumentDamage *damage);
    // False when the material could not be taken into the catalogue.
    static bool mergeMaterial(QXmlStreamReader &reader, Materials::MaterialFactory &catalogue,
                              ObjectArchiver::MaterialIdMap &translation, const ObjectArchiver::Warning &warning);
};

} // namespace Persistence
} // namespace Model
