#pragma once

#include <boost/shared_ptr.hpp>

#include <functional>
#include <map>
#include <string>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace Model {
class Object;

namespace Persistence {

class DocumentDamage;

// Writes and reads the "Object" elements of one object type in documents.
class ObjectArchiver
{
public:
    using MaterialIdMap = std::map<unsigned, unsigned>;
    // Receives warnings worth a console line while reading.
    using Warning = std::function<void(const std::string &)>;

    virtual ~ObjectArchiver() = default;
    virtual void setWriter(QXmlStreamWriter *writer) = 0;
    virtual void setReader(QXmlStreamReader *reader) = 0;
    // File material id -> catalogue material id, for reading.
    virtual void setMaterialIdMap(MaterialIdMap *map) = 0;
    virtual void setWarning(const Warning &warning) = 0;
    // Where reading records what it could not recover; may be null.
    virtual void setDamage(DocumentDamage *damage) = 0;
    // Writes nothing for an object it does not archive, or without a writer.
    virtual void saveObject(const boost::shared_ptr<Object> &object) = 0;
    // Reads the "Object" element the reader stands on; empty when there is
    // no reader or the element cannot become an object.
    virtual boost::shared_ptr<Object> loadObject() = 0;
};

} // namespace Persistence
} // namespace Model
