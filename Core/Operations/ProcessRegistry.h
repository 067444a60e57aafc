#pragma once

#include "Core/Operations/BatchEntryKind.h"

#include <vector>

namespace Core {
namespace Operations {

class ProcessDescriptor;

// The descriptors of every process kind, found by operation id or by
// process list type, and the names of every process list type: those of
// the descriptors, of the entries the batch engine runs itself ("Create
// Substrate", "Save Image") and of the processes not built yet.
class ProcessRegistry
{
public:
    static const std::vector<const ProcessDescriptor *> &descriptors();
    // Null when no process kind has that id or type.
    static const ProcessDescriptor *forOperation(int operationId);
    static const ProcessDescriptor *forBatchType(int type);

    // One row per process list type, in type order.
    static const std::vector<BatchEntryKind> &batchKinds();
    // Null for a type that process lists do not know.
    static const BatchEntryKind *batchKind(int type);
};

} // namespace Operations
} // namespace Core
