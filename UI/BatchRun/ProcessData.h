#pragma once

#include "Core/Operations/BatchEntryKind.h"
#include "Core/Operations/ParameterDeclaration.h"
#include "Util/Vector3D.h"

#include <QString>
#include <QVariant>

#include <map>
#include <vector>

namespace Ui {

using Core::Operations::MaskVector;

// One step of a process list: the process type (Cvd, SaveImage, ... as
// BatchType names them) and every parameter with its value and whether the
// list shows it.
class ProcessData : public Core::Operations::BatchType
{
public:
    // A new entry takes the next id of one process-wide counter.
    explicit ProcessData(int type = Unknown);

    int id() const { return m_id; }
    int type() const { return m_type; }

    // An entry whose file gives a process type that is not a whole number
    // ("4.5", or none at all) is of type Unknown and keeps that text, so
    // that it is named and written back as the file had it.
    static ProcessData unreadType(const QString &text);
    bool typeUnread() const { return m_typeUnread; }
    // The text of an unread type; empty otherwise.
    const QString &typeText() const { return m_typeText; }

    void setParameter(const QString &name, const QVariant &value, bool visible = true);
    // An invalid value when absent.
    QVariant parameter(const QString &name) const;
    bool hasParameter(const QString &name) const { return m_parameters.count(name) != 0; }
    void removeParameter(const QString &name);
    // Absent names count as visible.
    bool isVisible(const QString &name) const;

    // What the process descriptors read the entry from.
    const Core::Operations::ParameterMap &parameters() const { return m_parameters; }
    const std::map<QString, bool> &visibility() const { return m_visibility; }

    // The folder of the list file the entry was read from, in which the
    // files it names by a relative path lie; empty for an entry composed
    // in the window, whose files are named by their whole path.
    const QString &listFolder() const { return m_listFolder; }
    void setListFolder(const QString &folder) { m_listFolder = folder; }

    // A file the entry's run reads (a mask), with the parameter naming it.
    struct FileRead
    {
        QString parameter;
        QString path; // relative names taken in the list's folder
    };
    std::vector<FileRead> filesRead() const;
    // The file a name the entry holds stands for.
    QString filePath(const QString &fileName) const;

    // The name the list shows for a type ("Unknown process" for others).
    static QString shownName(int type);

private:
    int m_id;
    int m_type;
    bool m_typeUnread = false;
    QString m_typeText;
    QString m_listFolder;
    Core::Operations::ParameterMap m_parameters;
    std::map<QString, bool> m_visibility;
};

} // namespace Ui
