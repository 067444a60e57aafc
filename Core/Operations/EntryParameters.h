#pragma once

#include "Core/Operations/ParameterDeclaration.h"
#include "Util/Vector3D.h"

#include <QString>

#include <cstdint>

namespace Core {
namespace Operations {

// Reads the typed parameters of one process list entry and remembers the
// first one that is absent or cannot be used, so that an entry's reading
// code stays a plain sequence of reads with one check at the end.
class EntryParameters
{
public:
    enum Status { Complete, Missing, NotConvertible };

    // `entry` must outlive the reader.
    explicit EntryParameters(const ParameterMap &entry) : m_entry(entry) {}

    // From now on, numbers read are also checked against the ranges these
    // declarations give their parameters; `declarations` must outlive the
    // reader.
    void declare(const std::vector<ParameterDeclaration> &declarations) { m_declarations = &declarations; }

    // Each read leaves `value` unchanged when it fails or when an earlier
    // read failed.
    void read(const char *name, std::uint32_t &value);
    void read(const char *name, int &value);
    void read(const char *name, double &value);
    void read(const char *name, bool &value);
    void read(const char *name, QString &value);
    void read(const char *name, Util::Vector3D &value);
    void read(const char *name, MaskVector &value);
    // Marks a parameter that was read but cannot be used as it is, with the
    // reason ("it holds 5 flags for a 2 x 3 mask"), unless an earlier read
    // failed.
    void refuse(const char *name, const QString &reason);

    // Marks the value of `name`, read before, as one the process cannot
    // use (a ratio of 0, a side that does not exist). Does nothing after an
    // earlier failure.
    void refuse(const char *name);

    Status status() const { return m_status; }
    bool complete() const { return m_status == Complete; }
    // "parameter "Thickness" is missing" and the like; empty when complete.
    QString problem() const;

private:
    // The stored value, or none when an earlier read failed or it is absent.
    bool fetch(const char *name, QVariant &value);
    void reject(const char *name, const QVariant &value);
    // False, with the reason, for a number outside its declared range.
    bool admits(const char *name, double number, const QVariant &stored);

    const ParameterMap &m_entry;
    const std::vector<ParameterDeclaration> *m_declarations = nullptr;
    Status m_status = Complete;
    QString m_name;
    QString m_shownValue;
    QString m_reason;
};

} // namespace Operations
} // namespace Core
