#pragma once

#include "Model/Process/Process.h"

#include <vector>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace Model {
namespace Persistence {

// Reads and writes one "Process" element of the processes file, with its
// "CompatibleMaterials" child holding the ids separated by ";".
class ProcessArchiver
{
public:
    // Reads the element at which the reader stands, and its compatible
    // materials. `ok` is false for another element, an unreadable
    // "process-id" or "version", id 0 or no name.
    static Process::Process loadProcess(QXmlStreamReader &reader, bool *ok);
    // Reads the next start element; when it is "CompatibleMaterials", its
    // ids (empty parts and parts that are not numbers are skipped).
    static std::vector<unsigned> loadCompatibleMaterials(QXmlStreamReader &reader);
    static bool saveProcess(QXmlStreamWriter *writer, const Process::Process &process);
};

} // namespace Persistence
} // namespace Model
