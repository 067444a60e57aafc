#pragma once

#include "Core/Operations/ParameterDeclaration.h"
#include "Util/Vector3D.h"

#include <QString>
#include <QStringList>

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

    // Where the entry is read: files it names by a relative path lie in the
    // folder of the list it came from (none: the current folder), and the
    // volume it runs on has sizeX x sizeY columns (0 x 0 while not known,
    // before a run).
    void setListFolder(const QString &folder) { m_listFolder = folder; }
    void setColumns(unsigned sizeX, unsigned sizeY)
    {
        m_columnsX = sizeX;
        m_columnsY = sizeY;
    }
    unsigned columnsX() const { return m_columnsX; }
    unsigned columnsY() const { return m_columnsY; }
    // The file that `fileName`, as the entry names it, stands for.
    QString filePath(const QString &fileName) const { return pathIn(m_listFolder, fileName); }
    // The file a name stands for in a list of `folder` (none: the current
    // folder).
    static QString pathIn(const QString &folder, const QString &fileName);

    // Whether the entry holds a value for `name`, for parameters that older
    // lists do not have and whose absence has a meaning of its own.
    bool holds(const char *name) const;
    // The value stored for `name` as it is (invalid when absent), for one
    // whose use depends on others.
    QVariant stored(const char *name) const;

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

    // What the run should say beyond its outcome, once ("the top mask is
    // read from ..., not from the flags the entry also holds"); reading an
    // entry only to check it says nothing.
    void note(const QString &text) { m_notes.append(text); }
    const QStringList &notes() const { return m_notes; }

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
    QString m_listFolder;
    unsigned m_columnsX = 0;
    unsigned m_columnsY = 0;
    QStringList m_notes;
    Status m_status = Complete;
    QString m_name;
    QString m_shownValue;
    QString m_reason;
};

} // namespace Operations
} // namespace Core
